#include "view/corner_marks.h"

namespace tessera {

void CornerMarks::leftClick(int x, int y) {
    corners_[clicks_ % 2] = {x, y};
    clicks_ = (clicks_ + 1) % 2;  // only the parity matters; no overflow after many clicks
}

void CornerMarks::clear() {
    corners_[0] = corners_[1] = Corner{};
    clicks_ = 0;
}

void CornerMarks::setCorners(const ImageRect& corners) {
    corners_[0] = {corners.left, corners.top};
    corners_[1] = {corners.right, corners.bottom};
    clicks_ = 0;
}

std::optional<ImageRect> CornerMarks::selection() const {
    if (!isSet(0) || !isSet(1))
        return std::nullopt;
    return ImageRect{corners_[0].x, corners_[0].y, corners_[1].x, corners_[1].y}.normalized();
}

std::optional<ImageRect> CornerMarks::usableSelection() const {
    const auto rect = selection();
    if (!rect || rect->right - rect->left < kMinimumSide || rect->bottom - rect->top < kMinimumSide)
        return std::nullopt;
    return rect;
}

}  // namespace tessera
