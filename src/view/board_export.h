#pragma once
// The board as a picture to share: the current display drawn at a chosen size, with or
// without coordinates and move numbers, as a PNG image (the board exactly as the window draws
// it) or an SVG drawing (vector stones and lines in the Simple style).

#include <string>

#include <QByteArray>
#include <QImage>

#include "view/board_display.h"
#include "view/board_painter.h"

namespace tessera {

struct BoardExportOptions {
    int size = 800;           // the picture is size x size pixels (clamped to 100 .. 4000)
    bool coordinates = true;  // the coordinates along the bottom and right
    bool moveNumbers = true;  // false leaves the display's move numbers out
};

// The display as the board view draws it with these settings, size x size.
QImage boardExportImage(const BoardDisplay& display, const BoardViewSettings& settings,
                        const BoardExportOptions& options, BoardPainter& painter);
// The same as an SVG document.
QByteArray boardExportSvg(const BoardDisplay& display, const BoardViewSettings& settings,
                          const BoardExportOptions& options, BoardPainter& painter);
// Writes the picture to path, SVG when the name ends in ".svg" (any case), PNG otherwise; the
// file is replaced atomically. False with a one-line reason.
bool saveBoardPicture(const std::string& path, const BoardDisplay& display, const BoardViewSettings& settings,
                      const BoardExportOptions& options, BoardPainter& painter, std::string& error);

}  // namespace tessera
