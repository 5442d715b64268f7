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
    setSize(width, height);
    cells_.assign(static_cast<size_t>(area()), 0);
    allocated_ = true;
}

void BoardGrid::release() {
    cells_.clear();
    cells_.shrink_to_fit();
    allocated_ = false;
    setSize(19, 19);
}

void BoardGrid::clearStones() {
    for (auto& v : cells_)
        if (isStoneValue(v))
            v = 0;
}

void BoardGrid::fill(uint8_t value) { std::fill(cells_.begin(), cells_.end(), value); }

void BoardGrid::copyFrom(const BoardGrid& other) {
    if (this == &other)
        return;
    if (!other.isUsable()) {
        release();
        return;
    }
    setSize(other.width(), other.height());
    cells_ = other.cells_;
    allocated_ = true;
}

bool BoardGrid::equals(const BoardGrid& other) const {
    return isUsable() && other.isUsable() && sameSize(other) && cells_ == other.cells_;
}

int BoardGrid::get(int32_t p) const {
    if (!allocated_ || !isValidPoint(p))
        return -1;
    return cells_[static_cast<size_t>(p)];
}

bool BoardGrid::set(int32_t p, int value) {
    if (!allocated_ || !isValidPoint(p) || value < 0)
        return false;
    cells_[static_cast<size_t>(p)] = static_cast<uint8_t>(value & 0xFF);
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
        if (cells_[static_cast<size_t>(p)] == value)
            return p;
    return -1;
}

int32_t BoardGrid::firstStone() const {
    for (size_t p = 0; p < cells_.size(); ++p)
        if (isStoneValue(cells_[p]))
            return static_cast<int32_t>(p);
    return -1;
}

int BoardGrid::pointsWithValue(int value, PointList& out) const {
    out.clear();
    for (size_t p = 0; p < cells_.size(); ++p)
        if (cells_[p] == value)
            out.push_back(static_cast<int32_t>(p));
    return static_cast<int>(out.size());
}

int BoardGrid::stones(PointList& out) const {
    out.clear();
    for (size_t p = 0; p < cells_.size(); ++p)
        if (isStoneValue(cells_[p]))
            out.push_back(static_cast<int32_t>(p));
    return static_cast<int>(out.size());
}

int BoardGrid::countValue(int value) const {
    return static_cast<int>(std::count(cells_.begin(), cells_.end(), static_cast<uint8_t>(value)));
}

bool BoardGrid::removeStonesOf(const BoardGrid& other) {
    if (!isUsable() || !other.isUsable() || !sameSize(other))
        return false;
    for (size_t p = 0; p < cells_.size(); ++p)
        if (isStoneValue(other.cells_[p]))
            cells_[p] = 0;
    return true;
}

void BoardGrid::invertMarks() {
    for (auto& v : cells_)
        v = v == 0 ? 1 : 0;
}

bool BoardGrid::allMarked() const {
    return isUsable() && std::all_of(cells_.begin(), cells_.end(), [](uint8_t v) { return v == 1; });
}

bool BoardGrid::maskedCopy(const BoardGrid& mask, BoardGrid& result) const {
    if (!isUsable() || !mask.isUsable() || !sameSize(mask))
        return false;
    BoardGrid out(width(), height());
    for (size_t p = 0; p < cells_.size(); ++p)
        out.cells_[p] = mask.cells_[p] != 0 ? cells_[p] : 0;
    result = std::move(out);
    return true;
}

}  // namespace tessera
