#pragma once
// Keys that are equal for a 19 x 19 position and its seven mirror images, for the builders:
// eight Zobrist hashes, one per symmetry, kept up to date stone by stone. The smallest of the
// eight names the position's stored orientation, so equal positions under any symmetry are
// counted as one and stored one way. (The files themselves never hash: lookups compare grids.)

#include <array>
#include <cstdint>

#include "go/board_grid.h"

namespace tessera {

// Symmetry s: 0 the identity, 1 .. 7 the transform codes 0 .. 6.
constexpr int kSymmetries = 8;

class SymmetryKey {
public:
    // The key of an empty board.
    SymmetryKey() { hashes_.fill(0); }
    // The key of every stone of a 19 x 19 grid.
    explicit SymmetryKey(const BoardGrid& grid);
    // A stone of colour (1 or 2) appears at or leaves p (the same call toggles it).
    void toggle(int32_t p, int colour);
    // The smallest hash mixed with the colour to move, and the symmetry that gives it
    // (the lowest such symmetry when several do).
    uint64_t canonical(int colourToMove, int& symmetry) const;

private:
    std::array<uint64_t, kSymmetries> hashes_;
};

// A point mapped forward by symmetry s (0 leaves it), on a 19 x 19 board.
int32_t mapBySymmetry(int32_t p, int symmetry);
// A 19 x 19 grid mapped forward by symmetry s.
BoardGrid mapGridBySymmetry(const BoardGrid& grid, int symmetry);

}  // namespace tessera
