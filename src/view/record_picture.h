#pragma once
// A picture of one position of a record, exactly as a board view of the given size shows it
// (what `tessera-cli render` writes).

#include <string>

#include <QImage>

#include "record/game_record.h"
#include "view/board_painter.h"

namespace tessera {

struct RecordPictureOptions {
    int move = -1;                  // stone moves played along the main line; -1 = its last node
    int style = kStyleTraditional;  // a BoardStyle
    int size = 600;                 // the client area is size x size pixels
    bool coords = false;            // draw the coordinates
    int transform = -1;             // display transform code 0-6; anything else: none
};

// Draws the chosen main-line node (position, mask, markup, labels, draw records and the
// last-move mark) into picture; false with a one-line reason when the node does not exist.
bool renderRecordPicture(const GameRecord& record, const RecordPictureOptions& options, BoardPainter& painter,
                         QImage& picture, std::string& error);

}  // namespace tessera
