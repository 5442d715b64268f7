#pragma once
// Showing one node of a game record in a board view without a game room: what the room's
// goToNode puts into the view (position, mask, markup, labels, draw records, last-move mark),
// for pictures made from the command line.

#include <string>

#include "record/game_record.h"
#include "view/board_view_state.h"

namespace tessera {

// The main-line node after `moveNumber` stone moves (0 = the root), or the last main-line
// node when moveNumber is negative. Nullptr when the tree is empty or the main line is shorter.
const GameNode* mainLineNodeAtMove(const GameRecord& record, int moveNumber);

// Puts the node into the view: its position, its mask (all shown without one), its marks,
// labels and draw records, and the cursor on its move's point (-1 for a pass or setup).
void showNode(const GameNode& node, BoardViewState& view);

}  // namespace tessera
