#pragma once
// The two opposite grid corners the user marks on a board picture, in the picture's own
// pixels. Left clicks alternate between the first and the second corner (a third click
// replaces the first); a right click forgets both.

#include <optional>

#include "view/tone_rule.h"

namespace tessera {

class CornerMarks {
public:
    // The smallest selection, in picture pixels, that can hold a board.
    static constexpr int kMinimumSide = 40;

    // A left click at (x, y): corner (clicks mod 2) takes it.
    void leftClick(int x, int y);
    // A right click: both corners unset, the click count back to 0.
    void clear();
    // Both corners at once (the automatic guess); the next click marks the first corner again.
    void setCorners(const ImageRect& corners);

    bool isSet(int corner) const { return corners_[corner].x >= 0; }
    int x(int corner) const { return corners_[corner].x; }
    int y(int corner) const { return corners_[corner].y; }
    // The rectangle between both corners (normalised), when both are set.
    std::optional<ImageRect> selection() const;
    // The selection when it is at least kMinimumSide wide and high.
    std::optional<ImageRect> usableSelection() const;

private:
    struct Corner {
        int x = -1;
        int y = -1;
    };
    Corner corners_[2];
    int clicks_ = 0;
};

}  // namespace tessera
