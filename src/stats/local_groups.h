#pragma once
// Local groups: the stones connected by chains of steps of Manhattan distance at most
// `distance`, whatever their colours. The local statistics store and look up one group at a
// time, so the builder and the display must split positions the same way.

#include <vector>

#include "go/board_grid.h"

namespace tessera {

// The distance the local statistics group stones by, when built and when looked up.
constexpr int kLocalDistance = 5;

// The stones joined to start (which must hold a stone; otherwise an empty grid) by steps of at
// most `distance`, on a grid of the board's size with 0 elsewhere.
BoardGrid groupAround(const BoardGrid& grid, int32_t start, int distance);
// Every group of the grid, in order of each group's lowest point.
std::vector<BoardGrid> groupsOf(const BoardGrid& grid, int distance);

}  // namespace tessera
