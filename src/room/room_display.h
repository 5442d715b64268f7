#pragma once
// What a game room puts on its board: the displayed position, the mask layer, the markup and
// labels of the current node (editable; stored back into the node), the move-number labels
// (view only, never stored), the last-move point and the display transform. The board view
// is filled from this (see syncBoardView when the view state class is present).

#include <vector>

#include "go/board_grid.h"
#include "go/board_transform.h"
#include "record/game_node.h"

namespace tessera {

struct RoomDisplay {
    BoardGrid position;                   // the shown position, game orientation
    BoardGrid mask;                       // 1 shown, 0 hidden; same size as position
    std::vector<Mark> marks;              // markup incl. dead stones (4) and, during a count, 5/6
    std::vector<Label> labels;            // the node's labels
    std::vector<DrawRecord> drawRecords;  // the node's draw records
    std::vector<Label> moveNumbers;       // move-number labels, view only
    int32_t lastMovePoint = -1;           // the last-move cursor, -1 none
    bool flipX = false;                   // display transform flags (never applied to the record)
    bool flipY = false;
    bool transpose = false;

    // The display transform as a BoardTransform of the position's size.
    BoardTransform transform() const;
    // The transform code 0-6 of the three flags, -1 for the identity.
    int transformCode() const;
    // Sets the flags from a code 0-6; anything else clears them.
    void setTransformCode(int code);
    // True when some mark or label stands at p.
    bool hasMarkOrLabelAt(int32_t p) const;
    // Removes every mark and label at p; true when anything was removed.
    bool clearPoint(int32_t p);
    // True when a mark of kind stands at p.
    bool hasMark(int32_t p, int kind) const;
};

// Quarter turns of the display: new flags from the current ones (transpose always toggles).
void rotateDisplayClockwise(RoomDisplay& display);
void rotateDisplayCounterClockwise(RoomDisplay& display);

}  // namespace tessera
