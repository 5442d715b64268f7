#include "go/play_move.h"

#include <algorithm>

namespace tessera {

namespace {

// Scratch for the group walks of one thread: a visit stamp per point (a point is visited in
// the current walk when its stamp equals `walk`, so nothing is cleared between walks) and
// the group found by the last walk, which doubles as the walk's queue.
struct GroupScratch {
    std::vector<uint32_t> stamps;
    uint32_t walk = 0;
    PointList group;

    // Starts a new walk over a board of `area` points.
    void begin(int area) {
        if (stamps.size() < static_cast<size_t>(area))
            stamps.assign(static_cast<size_t>(area), 0);
        if (++walk == 0) {  // the stamps wrapped round: forget every old visit
            std::fill(stamps.begin(), stamps.end(), 0);
            walk = 1;
        }
        group.clear();
    }
};

thread_local GroupScratch scratch;

// True when the group of stones at start touches an empty point. When it does not, the
// whole group is in scratch.group (in the order found). The walk stops at the first liberty.
bool hasLiberty(const uint8_t* cells, int width, int area, int32_t start) {
    const uint8_t colour = cells[start];
    scratch.begin(area);
    uint32_t* stamps = scratch.stamps.data();
    const uint32_t walk = scratch.walk;
    PointList& group = scratch.group;
    stamps[start] = walk;
    group.push_back(start);
    // Visits n: false when it is a liberty, else queues it when it is an unseen stone of the group.
    auto visit = [&](int32_t n) {
        const uint8_t v = cells[n];
        if (v == kEmpty)
            return false;
        if (v == colour && stamps[n] != walk) {
            stamps[n] = walk;
            group.push_back(n);
        }
        return true;
    };
    for (size_t i = 0; i < group.size(); ++i) {
        const int32_t p = group[i];
        const int32_t x = p % width;
        if ((p >= width && !visit(p - width)) || (p + width < area && !visit(p + width)) || (x > 0 && !visit(p - 1)) ||
            (x + 1 < width && !visit(p + 1)))
            return true;
    }
    return false;
}

}  // namespace

bool playMove(BoardGrid& position, const Move& move, PointList& captured) {
    captured.clear();
    if (!move.isStoneMove() || position.get(move.point) != kEmpty)
        return false;

    uint8_t* cells = position.data();
    const int width = position.width();
    const int area = position.area();
    const int32_t p = move.point;
    const auto colour = static_cast<uint8_t>(move.colour);
    const auto opponent = static_cast<uint8_t>(opponentOf(move.colour));
    cells[p] = colour;

    // Opponent groups next to the new stone that it leaves without a liberty are removed.
    // Two such neighbours either belong to one group (seen empty once it is removed) or to
    // groups that do not touch, so removing one never gives another a liberty.
    const int32_t x = p % width;
    const int32_t neighbours[4] = {p >= width ? p - width : -1, p + width < area ? p + width : -1, x > 0 ? p - 1 : -1,
                                   x + 1 < width ? p + 1 : -1};
    for (int32_t n : neighbours) {
        if (n < 0 || cells[n] != opponent || hasLiberty(cells, width, area, n))
            continue;
        for (int32_t stone : scratch.group) {
            cells[stone] = kEmpty;
            captured.push_back(stone);
        }
    }
    if (!captured.empty()) {
        std::sort(captured.begin(), captured.end());
        return true;
    }
    if (!hasLiberty(cells, width, area, p)) {
        cells[p] = kEmpty;  // suicide
        return false;
    }
    return true;
}

}  // namespace tessera
