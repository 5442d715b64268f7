#pragma once
// The single rule by which a node's position follows from its parent's.

#include "go/board_geometry.h"
#include "record/game_node.h"

namespace tessera {

// Recomputes node's position, prisoner counts and captured list from parent (none: an empty
// board of the geometry's size): full setup clears the stones; a stone move is played (and
// sets sideToMove to the opponent); then addBlack, addWhite and clearPoints are applied.
void derivePosition(const BoardGeometry& geometry, const GameNode* parent, GameNode& node);

}  // namespace tessera
