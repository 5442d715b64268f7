#include "record/handicap_layout.h"

#include <utility>
#include <vector>

#include "go/board_geometry.h"

namespace tessera {

PointList handicapPoints(int count, HandicapLayout layout) {
    if (count < 2 || count > 9)
        return {};
    const int low = 3, middle = 9, high = 15;                              // x from the left, y from the top
    std::vector<std::pair<int, int>> points = {{high, low}, {low, high}};  // Q16, D4
    if (count == 3)
        points.push_back(layout == HandicapLayout::kTygem ? std::pair{low, low} : std::pair{high, high});
    if (count >= 4)
        points.insert(points.end(), {{high, high}, {low, low}});
    if (count >= 6)
        points.insert(points.end(), {{low, middle}, {high, middle}});
    if (count >= 8)
        points.insert(points.end(), {{middle, low}, {middle, high}});
    if (count % 2 == 1 && count >= 5)
        points.push_back({middle, middle});
    const BoardGeometry board;
    PointList result;
    for (const auto& [x, y] : points)
        result.push_back(board.pointAt(x, y));
    return result;
}

HandicapLayout gibHandicapLayout(const std::string&) {
    // Korean, global, Chinese and Japanese Tygem write the same layout; a file without a kind
    // comes from the same client family, as GIB is its format.
    return HandicapLayout::kTygem;
}

}  // namespace tessera
