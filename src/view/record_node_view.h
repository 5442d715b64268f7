#pragma once
// Showing one node of a game record on a board display: its position, mask, markup, labels,
// draw records and last-move mark. The game room shows its nodes this way; pictures made from
// the command line too.

#include <string>

#include "record/game_record.h"
#include "view/board_display.h"

namespace tessera {

// The main-line node after `moveNumber` stone moves (0 = the root), or the last main-line
// node when moveNumber is negative. Nullptr when the tree is empty or the main line is shorter.
const GameNode* mainLineNodeAtMove(const GameRecord& record, int moveNumber);

// Puts the node into the display: its position (an empty board of `size` when it has none),
// its mask (all shown without one), its marks, labels and draw records, and the cursor on its
// move's point (-1 for a pass or setup). Move numbers, hints, transform and selection mode stay.
void showNode(const GameNode& node, const BoardGeometry& size, BoardDisplay& display);

}  // namespace tessera
