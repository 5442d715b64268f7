#pragma once
// Move records and point lists: the plain value types every subsystem passes around.

#include <cstdint>
#include <vector>

namespace tessera {

// Stone colours, also the values of a position grid.
constexpr int kEmpty = 0;
constexpr int kBlack = 1;
constexpr int kWhite = 2;

// The opponent of a colour: 2 for black (1), 1 for anything else.
constexpr uint32_t opponentOf(uint32_t colour) { return colour == kBlack ? kWhite : kBlack; }

// A growable list of point indices; order matters, duplicates allowed.
using PointList = std::vector<int32_t>;

// One (x, y) coordinate pair, origin at the top-left corner.
struct Coord {
    int32_t x = -1;
    int32_t y = -1;
    bool operator==(const Coord&) const = default;
};
using CoordList = std::vector<Coord>;

// The move of a game-tree node. A stone move has colour 1 or 2 and a point >= 0;
// any other move (point -1) places no stone: a pass or an empty node.
struct Move {
    uint32_t colour = 0;  // 1 black, 2 white, 0 none
    int32_t point = -1;   // point index, -1 none

    // True when the move places a stone.
    bool isStoneMove() const { return (colour == kBlack || colour == kWhite) && point >= 0; }
    bool operator==(const Move&) const = default;
};

}  // namespace tessera
