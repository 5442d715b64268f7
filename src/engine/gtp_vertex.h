#pragma once
// GTP vertices and move answers: "D4" is column D (the letter I is never used), row 4 counted
// from the bottom; points are Part-of-the-board indices y * width + x from the top left.

#include <string>
#include <string_view>

#include "go/board_grid.h"

namespace tessera {

// What an engine's move answer says.
enum class GtpMoveKind { Point, Pass, Resign, Invalid };

struct GtpMove {
    GtpMoveKind kind = GtpMoveKind::Invalid;
    int32_t point = -1;  // for Point: a point of the board
};

// The vertex of point p on a board of that width and height ("A19" top left on 19 x 19);
// "pass" for -1 or a point off the board.
std::string gtpVertex(int32_t point, int width, int height);

// Reads an engine's answer to a move request: "pass", "resign" (any case), or a vertex of the
// board, blanks around it allowed. Anything else, a vertex off the board included, is Invalid.
GtpMove parseGtpMove(std::string_view answer, int width, int height);

// The handicap stones of a position as set_free_handicap's argument: the black stones'
// vertices in ascending point order, separated by blanks.
std::string gtpStoneList(const BoardGrid& position);

}  // namespace tessera
