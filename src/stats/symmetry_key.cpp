#include "stats/symmetry_key.h"

#include "go/board_transform.h"

namespace tessera {
namespace {

constexpr int kArea = 19 * 19;

struct Tables {
    // hash[s][p][c - 1]: the random value of the point p maps to under s.
    uint64_t hash[kSymmetries][kArea][2];
    int32_t mapped[kSymmetries][kArea];
    uint64_t colour[3];
};

uint64_t splitMix(uint64_t& state) {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

const Tables& tables() {
    static const Tables built = [] {
        Tables t{};
        uint64_t state = 0x7E55E4A2026ull;
        uint64_t base[kArea][2];
        for (auto& point : base)
            for (auto& value : point)
                value = splitMix(state);
        for (auto& value : t.colour)
            value = splitMix(state);
        const BoardGeometry board(19, 19);
        for (int s = 0; s < kSymmetries; ++s) {
            const BoardTransform transform(s - 1, board);
            for (int p = 0; p < kArea; ++p) {
                const int32_t q = s == 0 ? p : transform.mapPoint(p);
                t.mapped[s][p] = q;
                t.hash[s][p][0] = base[q][0];
                t.hash[s][p][1] = base[q][1];
            }
        }
        return t;
    }();
    return built;
}

}  // namespace

SymmetryKey::SymmetryKey(const BoardGrid& grid) {
    hashes_.fill(0);
    const auto& cells = grid.bytes();
    for (size_t p = 0; p < cells.size() && p < static_cast<size_t>(kArea); ++p)
        if (cells[p] == 1 || cells[p] == 2)
            toggle(static_cast<int32_t>(p), cells[p]);
}

void SymmetryKey::toggle(int32_t p, int colour) {
    if (p < 0 || p >= kArea || (colour != 1 && colour != 2))
        return;
    const Tables& t = tables();
    for (int s = 0; s < kSymmetries; ++s)
        hashes_[static_cast<size_t>(s)] ^= t.hash[s][p][colour - 1];
}

uint64_t SymmetryKey::canonical(int colourToMove, int& symmetry) const {
    symmetry = 0;
    for (int s = 1; s < kSymmetries; ++s)
        if (hashes_[static_cast<size_t>(s)] < hashes_[static_cast<size_t>(symmetry)])
            symmetry = s;
    return hashes_[static_cast<size_t>(symmetry)] ^ tables().colour[colourToMove == 2 ? 2 : 1];
}

int32_t mapBySymmetry(int32_t p, int symmetry) {
    if (p < 0 || p >= kArea || symmetry < 0 || symmetry >= kSymmetries)
        return p;
    return tables().mapped[symmetry][p];
}

BoardGrid mapGridBySymmetry(const BoardGrid& grid, int symmetry) {
    if (symmetry <= 0)
        return grid;
    return BoardTransform(symmetry - 1, grid).mapGrid(grid);
}

}  // namespace tessera
