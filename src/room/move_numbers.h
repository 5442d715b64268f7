#pragma once
// Move numbers: labels the room puts on the stones of the latest moves each time it shows a
// node. They live only in the view and are never stored in the record.

#include <vector>

#include "go/board_grid.h"
#include "record/game_tree.h"

namespace tessera {

// Number labels for the node `currentId` of position `shown`.
// mode: 0 none, 1 last move, 2 last 5, 3 last 50, 4 all. Walking from the current node towards
// the root, each stone move at a point still holding a stone and not numbered yet gets its
// move number; every stone move counts towards the limit, so captured stones and points played
// again show only the latest number. White text on black stones, black on white.
std::vector<Label> moveNumberLabels(const GameTree& tree, int32_t currentId, const BoardGrid& shown, unsigned mode);

// Number labels of a trial line: every stone from `trialFirstId` (numbered 1) to the current
// node, grey on black (0xC0C0C0) and dark grey on white (0x808080). Empty when the current
// node is not on or below trialFirstId.
std::vector<Label> trialMoveNumberLabels(const GameTree& tree, int32_t currentId, int32_t trialFirstId,
                                         const BoardGrid& shown);

}  // namespace tessera
