#pragma once
// Finding the move that lands on a stone: a record whose moves do so has lost its setup (wrong
// handicap stones, a damaged file), and every position after that move is wrong.

#include <cstdint>
#include <optional>
#include <string>

#include "record/game_record.h"

namespace tessera {

struct OccupiedPointMove {
    int32_t nodeId = -1;
    int moveNumber = 0;  // stone moves from the root to the node, the node's own included
    int32_t point = -1;
    std::string pointText;  // "Q04"
};

// The first stone move, main line first and then the other nodes in id order, whose point is
// already taken in its parent's position; none when every move lands on an empty point.
// Positions must be computed (recomputePositions).
std::optional<OccupiedPointMove> findMoveOnOccupiedPoint(const GameRecord& record);

// One line for a person: "move 12 (Q04) lands on an occupied point", "" when there is none.
std::string occupiedPointWarning(const GameRecord& record);

}  // namespace tessera
