#pragma once
// What a library pattern search looks for, and the eight orientations it tries.
//
// Whole-board mode: a node matches an orientation when its position has the orientation's size
// and equals it byte for byte. Region mode: the searched position is cut to the marked region,
// and a node matches when its position, restricted to the (transformed) region, equals the cut
// pattern, so an empty point inside the region must be empty too. A hit is a plain move of the
// colour to move played from a matching node; its point is reported in the orientation of the
// searched position.

#include <array>
#include <cstdint>
#include <vector>

#include "go/board_grid.h"
#include "go/board_transform.h"

namespace tessera {

struct SearchPattern {
    BoardGrid position;    // the searched position (any size up to 52 x 52)
    int colourToMove = 1;  // 1 black, 2 white: the colour of the counted next moves
    bool regionMode = false;
    BoardGrid region;  // region mode: non-zero inside the region (same size as position)
};

// One orientation: variant 0 is the pattern as searched, variant v > 0 the pattern under
// transform code v - 1.
struct SearchVariant {
    BoardGrid grid;          // the pattern in this orientation (0 outside the region)
    BoardGrid region;        // region mode: the region in this orientation
    PointList regionPoints;  // region mode: the region's points, ascending
    BoardTransform back;     // maps a point of this orientation back to the searched one
    bool identity = true;
    // The point of this orientation in the searched orientation (-1 when it is off the board).
    int32_t mapBack(int32_t p) const { return identity ? p : back.mapPoint(p); }
};

constexpr int kSearchVariants = 8;

// The eight orientations of the pattern, in variant order.
std::array<SearchVariant, kSearchVariants> searchVariants(const SearchPattern& pattern);

// True when the pattern can be searched: a usable position, colour 1 or 2, and in region mode
// a region of the same size with at least one point.
bool isSearchable(const SearchPattern& pattern);

}  // namespace tessera
