#include "go/regions.h"

#include <deque>

namespace tessera {

int floodRegion(const BoardGrid& grid, int32_t start, PointList& region) {
    region.clear();
    const int value = grid.get(start);
    if (value < 0)
        return 0;
    std::vector<uint8_t> visited(static_cast<size_t>(grid.area()), 0);
    std::deque<int32_t> queue{start};
    visited[static_cast<size_t>(start)] = 1;
    while (!queue.empty()) {
        const int32_t p = queue.front();
        queue.pop_front();
        for (int direction = 0; direction < 4; ++direction) {
            const int32_t n = grid.neighbour(direction, p);
            if (n >= 0 && !visited[static_cast<size_t>(n)] && grid.get(n) == value) {
                visited[static_cast<size_t>(n)] = 1;
                queue.push_back(n);
            }
        }
    }
    for (size_t p = 0; p < visited.size(); ++p)
        if (visited[p])
            region.push_back(static_cast<int32_t>(p));
    return static_cast<int>(region.size());
}

int libertiesOf(const BoardGrid& grid, const PointList& group, PointList& liberties) {
    liberties.clear();
    if (!grid.isUsable())
        return 0;
    std::vector<uint8_t> isLiberty(static_cast<size_t>(grid.area()), 0);
    for (int32_t p : group) {
        const int v = grid.get(p);
        if (v != kBlack && v != kWhite)
            continue;
        for (int direction = 0; direction < 4; ++direction) {
            const int32_t n = grid.neighbour(direction, p);
            if (n >= 0 && grid.get(n) == kEmpty)
                isLiberty[static_cast<size_t>(n)] = 1;
        }
    }
    for (size_t p = 0; p < isLiberty.size(); ++p)
        if (isLiberty[p])
            liberties.push_back(static_cast<int32_t>(p));
    return static_cast<int>(liberties.size());
}

int neighboursWithValue(const BoardGrid& grid, int32_t p, int value, PointList& out) {
    out.clear();
    for (int direction = 0; direction < 4; ++direction) {
        const int32_t n = grid.neighbour(direction, p);
        if (n >= 0 && grid.get(n) == value)
            out.push_back(n);
    }
    return static_cast<int>(out.size());
}

std::vector<PointList> enumerateRegions(const BoardGrid& grid, int value) {
    std::vector<PointList> regions;
    if (!grid.isUsable())
        return regions;
    // Regions already found are overwritten with the scratch value 3 in a copy, so the
    // search for the next lowest point never finds the same region twice.
    BoardGrid work;
    work.copyFrom(grid);
    const int scratch = value == 3 ? 4 : 3;
    PointList region;
    for (int32_t from = work.findValue(value, 0); from >= 0; from = work.findValue(value, from)) {
        floodRegion(work, from, region);
        work.setAll(region, scratch);
        regions.push_back(region);
    }
    return regions;
}

}  // namespace tessera
