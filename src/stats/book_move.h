#pragma once
// The computer opponent's book move: a move drawn from the whole-board statistics, each
// move weighted by the number of games in which it was played.

#include <cstdint>
#include <functional>
#include <vector>

#include "go/board_grid.h"

namespace tessera {

struct PatternBases;

// Draws an index with probability proportional to its weight.
class WeightedPicker {
public:
    // Stores |weight|.
    void add(int64_t weight);
    // r = random() mod the sum; the index whose cumulative range holds r, skipping weights of 0.
    // size() (out of range) when there are no weights or their sum is below 1.
    size_t pick(const std::function<uint32_t()>& random) const;
    size_t size() const { return weights_.size(); }

private:
    std::vector<int64_t> weights_;
    int64_t sum_ = 0;
};

// A move for colour on the 19 x 19 board from the whole-board statistics, mapped onto the
// board as given; -1 when the position is not in the book (the engine is asked then).
// random: 0 .. 32767 like the standard generator (default: a generator of this thread).
int32_t pickBookMove(const PatternBases& bases, const BoardGrid& board, int colour,
                     const std::function<uint32_t()>& random = {});

}  // namespace tessera
