#include "stats/book_move.h"

#include <cstdlib>
#include <random>

#include "stats/pattern_bases.h"

namespace tessera {

void WeightedPicker::add(int64_t weight) {
    weights_.push_back(std::llabs(weight));
    sum_ += weights_.back();
}

size_t WeightedPicker::pick(const std::function<uint32_t()>& random) const {
    if (weights_.empty() || sum_ < 1)
        return weights_.size();
    const int64_t r = static_cast<int64_t>(random() & 0x7FFF) % sum_;
    int64_t before = 0;
    for (size_t k = 0; k < weights_.size(); ++k) {
        if (weights_[k] == 0)
            continue;
        if (r < before + weights_[k])
            return k;
        before += weights_[k];
    }
    return weights_.size();
}

int32_t pickBookMove(const PatternBases& bases, const BoardGrid& board, int colour,
                     const std::function<uint32_t()>& random) {
    const auto found = lookUpStats(bases.globalIndex, bases.globalStats, board, colour);
    if (!found)
        return -1;
    WeightedPicker picker;
    for (const MoveStats& move : found->stats.moves)
        picker.add(static_cast<int64_t>(move.games.size()));
    std::function<uint32_t()> draw = random;
    if (!draw) {
        draw = [] {
            thread_local std::minstd_rand generator{std::random_device{}()};
            return static_cast<uint32_t>(generator() % 32768);
        };
    }
    const size_t index = picker.pick(draw);
    if (index >= found->stats.moves.size())
        return -1;
    return displayedPoint(found->stats.moves[index].point, found->transform);
}

}  // namespace tessera
