#pragma once
// Applying a board symmetry to a game-tree node.

#include "go/board_transform.h"
#include "record/game_node.h"

namespace tessera {

// A copy of node with the transform applied to every point it holds: position, setup lists,
// captured stones, mask points, the move, marks and labels. Everything else (prisoner counts
// included) is copied unchanged. A list that holds a point off the board is left as it was.
GameNode mapNode(const BoardTransform& transform, const GameNode& node);

}  // namespace tessera
