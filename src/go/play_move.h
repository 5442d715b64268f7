#pragma once
// Playing a stone: captures, the suicide test. There is no ko test.

#include "go/board_grid.h"

namespace tessera {

// Plays move on position. On success position holds the new position and captured the
// removed stones (ascending). Refused (false, position unchanged, captured empty) when the
// move is not a stone move, is off the board, lands on a stone, or is suicide. A move
// that captures is never suicide.
bool playMove(BoardGrid& position, const Move& move, PointList& captured);

}  // namespace tessera
