#pragma once
// Draws a board display through a viewport into an image of the client size, in layers:
//   1 background fill, 2 (nothing more when not laid out), 3 Marble background and board,
//   4 coordinates, 5 Traditional board and shadow, 6 grid, edge and star points, 7 highlighted
//   cells and stones, 8 labels, hint marks, markup, region rectangles, 9 the last-move
//   brackets, 10 mask hatching.
// Layers 1 to 6 are kept in a base image until the settings, size or transform change, so a
// paint mostly copies it and draws the stones and the overlay.
// Text needs a QGuiApplication (fonts); everything else works without one.

#include <map>
#include <optional>
#include <utility>

#include <QImage>

#include "view/board_display.h"
#include "view/board_picture_cache.h"
#include "view/board_viewport.h"

class QPainter;

namespace tessera {

class BoardPainter {
public:
    // A painter that loads its pictures from the given folders.
    explicit BoardPainter(BoardPictureFolders folders = BoardPictureFolders::installed());

    // Releases and reloads the pictures for the settings' style and brightness. paint() does
    // this by itself when the settings changed since the last time.
    void prepareImages(const BoardViewSettings& settings);

    // Draws the display as the viewport shows it into target, which is made the client size
    // (RGB32) when it is not.
    void paint(const BoardDisplay& display, const BoardViewport& viewport, QImage& target);
    // A new image of the client size holding the drawn display.
    QImage render(const BoardDisplay& display, const BoardViewport& viewport);
    // Draws the display onto any paint device (an SVG generator) in the Simple style with
    // vector stones and lines: nothing is drawn through a picture except the mask hatching.
    void paintVector(const BoardDisplay& display, const BoardViewport& viewport, QPainter& p);

private:
    // What the base image (layers 1 to 6) depends on.
    struct BaseKey {
        BoardViewSettings settings;
        int width = 0;
        int height = 0;
        BoardLayout layout;
        int transformCode = -1;
        int boardWidth = 0;
        int boardHeight = 0;
        bool operator==(const BaseKey&) const = default;
    };

    void drawBase(const BoardScreen& state, int width, int height);
    void drawMarbleBoard(QPainter& p, const BoardScreen& state);
    void drawCoordinates(QPainter& p, const BoardScreen& state);
    void drawTraditionalBoard(QPainter& p, const BoardScreen& state);
    void drawGrid(QPainter& p, const BoardScreen& state);
    // Layers 7 to 10: the highlight under the stones, stones, texts, markup, regions, the
    // last-move mark and the mask.
    void drawOverlay(QPainter& p, const BoardScreen& state);
    void drawHighlight(QPainter& p, const BoardScreen& state);
    void drawStones(QPainter& p, const BoardScreen& state);
    void drawTexts(QPainter& p, const BoardScreen& state);
    void drawMarkup(QPainter& p, const BoardScreen& state);
    void drawRegions(QPainter& p, const BoardScreen& state);
    void drawCursor(QPainter& p, const BoardScreen& state);
    void drawMask(QPainter& p, const BoardScreen& state);

    // The circle stone of colour 1 or 2 and side `size`, drawn once and kept (drawing
    // antialiased circles each paint costs more than copying them).
    const QImage& circleStone(int colour, int size);

    BoardPictureCache pictures_;
    QImage base_;                                    // background, board, coordinates, grid and star points
    std::optional<BaseKey> baseKey_;                 // what base_ shows; empty: nothing yet
    std::map<std::pair<int, int>, QImage> circles_;  // (colour, size) -> circle stone
    QImage hatch_;                                   // the 8 x 8 mask pattern: white diagonal lines on transparent
    bool vector_ = false;                            // set while paintVector draws: stones as circles, not pictures
};

}  // namespace tessera
