#pragma once
// A whole-board (or one local group's) position of the pattern bases, its record form, and
// the two keys that narrow a lookup without hashing: the bucket (colour to move and stone
// count) and the four-value quick key. Every stored position is 19 x 19.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "go/board_grid.h"

namespace tessera {

struct PatternPosition {
    BoardGrid grid{19, 19};
    uint8_t colour = 1;  // to move: 1 black, 2 white
    int32_t id = -1;     // 0 .. 999 999 in its file; -1 while unknown

    // Equal colours and equal grids (size and every byte).
    bool sameAs(const PatternPosition& other) const { return colour == other.colour && grid.equals(other.grid); }
};

// The record form: u8 0, the grid bytes in point order, u8 colour, i32 id (19 x 19: 367 bytes).
std::string serializePosition(const PatternPosition& position);
// Reads a 19 x 19 record (longer records: the leading part); nullopt when it is short or its
// first byte is not 0.
std::optional<PatternPosition> parsePosition(const std::string& bytes);

// Black stones, lowest stone point, the middle stone point (index k/2 of the k ascending
// stone points), highest stone point; 0xFFFF for the last three on an empty grid.
using QuickKey = std::array<uint16_t, 4>;
QuickKey quickKeyOf(const BoardGrid& grid);

constexpr int kBucketCount = 724;
// colour + 2 x stones - 1, at most 724; -1 for a colour other than 1 or 2.
int bucketOf(const PatternPosition& position);

}  // namespace tessera
