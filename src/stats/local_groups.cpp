#include "stats/local_groups.h"

#include <cstdlib>

namespace tessera {

BoardGrid groupAround(const BoardGrid& grid, int32_t start, int distance) {
    BoardGrid result(grid.width(), grid.height());
    const int startValue = grid.get(start);
    if (startValue != 1 && startValue != 2)
        return result;
    BoardGrid visited(grid.width(), grid.height());
    std::vector<int32_t> pending{start};
    visited.set(start, 1);
    while (!pending.empty()) {
        const int32_t p = pending.back();
        pending.pop_back();
        result.set(p, grid.get(p));
        int x = 0, y = 0;
        grid.coordsOf(p, x, y);
        for (int dx = -distance; dx <= distance; ++dx) {
            const int reach = distance - std::abs(dx);
            for (int dy = -reach; dy <= reach; ++dy) {
                if (!grid.contains(x + dx, y + dy))
                    continue;
                const int32_t q = (y + dy) * grid.width() + (x + dx);
                const int value = grid.get(q);
                if ((value == 1 || value == 2) && q != p && visited.get(q) == 0) {
                    visited.set(q, 1);
                    pending.push_back(q);
                }
            }
        }
    }
    return result;
}

std::vector<BoardGrid> groupsOf(const BoardGrid& grid, int distance) {
    std::vector<BoardGrid> groups;
    BoardGrid rest;
    rest.copyFrom(grid);
    for (int32_t p = rest.firstStone(); p >= 0; p = rest.firstStone()) {
        BoardGrid group = groupAround(rest, p, distance);
        rest.removeStonesOf(group);
        groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace tessera
