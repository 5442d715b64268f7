#include "stats/search_pattern.h"

#include <algorithm>

namespace tessera {

std::array<SearchVariant, kSearchVariants> searchVariants(const SearchPattern& pattern) {
    std::array<SearchVariant, kSearchVariants> variants;
    BoardGrid base;
    if (pattern.regionMode)
        pattern.position.maskedCopy(pattern.region, base);
    else
        base.copyFrom(pattern.position);
    for (int v = 0; v < kSearchVariants; ++v) {
        SearchVariant& variant = variants[static_cast<size_t>(v)];
        if (v == 0) {
            variant.grid.copyFrom(base);
            if (pattern.regionMode)
                variant.region.copyFrom(pattern.region);
        } else {
            const BoardTransform forward(v - 1, pattern.position);
            variant.grid = forward.mapGrid(base);
            if (pattern.regionMode)
                variant.region = forward.mapGrid(pattern.region);
            variant.back = forward;
            variant.back.inverse = true;
            variant.identity = false;
        }
        if (pattern.regionMode)
            for (int32_t p = 0; p < variant.region.area(); ++p)
                if (variant.region.get(p) > 0)
                    variant.regionPoints.push_back(p);
    }
    return variants;
}

bool isSearchable(const SearchPattern& pattern) {
    if (!pattern.position.isUsable() || (pattern.colourToMove != 1 && pattern.colourToMove != 2))
        return false;
    if (!pattern.regionMode)
        return true;
    return pattern.region.isUsable() && pattern.region.width() == pattern.position.width() &&
           pattern.region.height() == pattern.position.height() &&
           std::any_of(pattern.region.bytes().begin(), pattern.region.bytes().end(), [](uint8_t b) { return b != 0; });
}

}  // namespace tessera
