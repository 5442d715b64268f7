#pragma once
// Groups, liberties and regions on a grid. Connection is orthogonal; neighbours are
// visited in the order up, down, left, right. Results are in ascending point order.

#include <vector>

#include "go/board_grid.h"

namespace tessera {

// The connected region of points holding the same value as start; returns its size
// (0 and an empty list for an invalid start or unusable grid).
int floodRegion(const BoardGrid& grid, int32_t start, PointList& region);

// The distinct empty points next to any stone of the group; returns their count.
int libertiesOf(const BoardGrid& grid, const PointList& group, PointList& liberties);

// The orthogonal neighbours of p holding value, in direction order; returns their count.
int neighboursWithValue(const BoardGrid& grid, int32_t p, int value, PointList& out);

// Every maximal connected region holding value, in ascending order of their lowest point.
std::vector<PointList> enumerateRegions(const BoardGrid& grid, int value);

}  // namespace tessera
