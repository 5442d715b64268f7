#include "stats/pattern_highlight.h"

#include "go/board_transform.h"

namespace tessera {
namespace {

bool standsOn(const BoardGrid& highlight, const BoardGrid& position) {
    if (!highlight.sameSize(position) || !position.isUsable())
        return false;
    const auto& stones = highlight.bytes();
    for (size_t p = 0; p < stones.size(); ++p)
        if (stones[p] != 0 && position.get(static_cast<int32_t>(p)) != stones[p])
            return false;
    return true;
}

}  // namespace

BoardGrid handedOverHighlight(const BoardGrid& pattern, const BoardGrid& mask, int transformCode) {
    if (!pattern.isUsable())
        return BoardGrid();
    BoardGrid shown;
    if (!pattern.maskedCopy(mask, shown))
        shown.copyFrom(pattern);
    if (transformCode < 0 || transformCode > 6)
        return shown;
    return BoardTransform(transformCode, shown).mapGrid(shown);
}

BoardGrid fitHighlight(const BoardGrid& highlight, const BoardGrid& position) {
    if (!highlight.isUsable() || standsOn(highlight, position))
        return highlight;
    for (int code = 0; code <= 6; ++code) {
        BoardGrid turned = BoardTransform(code, highlight).mapGrid(highlight);
        if (standsOn(turned, position))
            return turned;
    }
    return highlight;
}

}  // namespace tessera
