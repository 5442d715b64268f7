#include "go/board_grid.h"

#include <algorithm>

namespace tessera {

namespace {
bool isStoneValue(uint8_t v) { return v == kBlack || v == kWhite; }
}  // namespace

void BoardGrid::resize(int width, int height) {
    BoardGeometry wanted(width, height);
    if (allocated_ && sameSize(wanted)) {
        clearStones();
        return;
    }
    allocate(width, height);
    std::fill_n(storage(), count_, uint8_t{0});
}

void BoardGrid::allocate(int width, int height) {
    setSize(width, height);
    count_ = static_cast<size_t>(area());
    if (count_ > kInlineCells)
        heap_.resize(count_);
    else
        heap_.clear();
    allocated_ = true;
}

void BoardGrid::release() {
    heap_.clear();
    heap_.shrink_to_fit();
    count_ = 0;
    allocated_ = false;
    setSize(19, 19);
}

void BoardGrid::clearStones() {
    for (auto& v : cells())
        if (isStoneValue(v))
            v = 0;
}

void BoardGrid::fill(uint8_t value) { std::fill_n(storage(), count_, value); }

void BoardGrid::copyFrom(const BoardGrid& other) {
    if (this == &other)
        return;
    if (!other.isUsable()) {
        release();
        return;
    }
    if (!allocated_ || !sameSize(other))
        allocate(other.width(), other.height());
    std::copy_n(other.storage(), count_, storage());
}

bool BoardGrid::equals(const BoardGrid& other) const {
    return isUsable() && other.isUsable() && sameSize(other) &&
           std::equal(storage(), storage() + count_, other.storage());
}

int BoardGrid::get(int32_t p) const {
    if (!allocated_ || !isValidPoint(p))
        return -1;
    return storage()[static_cast<size_t>(p)];
}

bool BoardGrid::set(int32_t p, int value) {
    if (!allocated_ || !isValidPoint(p) || value < 0)
        return false;
    storage()[static_cast<size_t>(p)] = static_cast<uint8_t>(value & 0xFF);
    return true;
}

bool BoardGrid::setAll(const PointList& points, int value) {
    bool all = true;
    for (int32_t p : points)
        all = set(p, value) && all;
    return all;
}

int32_t BoardGrid::findValue(int value, int32_t from) const {
    if (!allocated_ || !isValidPoint(from))
        return -1;
    for (int32_t p = from; p < area(); ++p)
        if (storage()[static_cast<size_t>(p)] == value)
            return p;
    return -1;
}

int32_t BoardGrid::firstStone() const {
    const auto c = cells();
    for (size_t p = 0; p < c.size(); ++p)
        if (isStoneValue(c[p]))
            return static_cast<int32_t>(p);
    return -1;
}

int BoardGrid::pointsWithValue(int value, PointList& out) const {
    out.clear();
    const auto c = cells();
    for (size_t p = 0; p < c.size(); ++p)
        if (c[p] == value)
            out.push_back(static_cast<int32_t>(p));
    return static_cast<int>(out.size());
}

int BoardGrid::stones(PointList& out) const {
    out.clear();
    const auto c = cells();
    for (size_t p = 0; p < c.size(); ++p)
        if (isStoneValue(c[p]))
            out.push_back(static_cast<int32_t>(p));
    return static_cast<int>(out.size());
}

int BoardGrid::countValue(int value) const {
    const auto c = cells();
    return static_cast<int>(std::count(c.begin(), c.end(), static_cast<uint8_t>(value)));
}

bool BoardGrid::removeStonesOf(const BoardGrid& other) {
    if (!isUsable() || !other.isUsable() || !sameSize(other))
        return false;
    const auto mine = cells();
    const auto theirs = other.cells();
    for (size_t p = 0; p < mine.size(); ++p)
        if (isStoneValue(theirs[p]))
            mine[p] = 0;
    return true;
}

void BoardGrid::invertMarks() {
    for (auto& v : cells())
        v = v == 0 ? 1 : 0;
}

bool BoardGrid::allMarked() const {
    return isUsable() && std::all_of(cells().begin(), cells().end(), [](uint8_t v) { return v == 1; });
}

bool BoardGrid::maskedCopy(const BoardGrid& mask, BoardGrid& result) const {
    if (!isUsable() || !mask.isUsable() || !sameSize(mask))
        return false;
    BoardGrid out(width(), height());
    const auto from = cells();
    const auto keep = mask.cells();
    const auto to = out.cells();
    for (size_t p = 0; p < from.size(); ++p)
        to[p] = keep[p] != 0 ? from[p] : 0;
    result = std::move(out);
    return true;
}

}  // namespace tessera
