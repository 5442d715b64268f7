#include "room/room_display.h"

#include <algorithm>

namespace tessera {

BoardTransform RoomDisplay::transform() const {
    BoardTransform t(-1, position);
    t.flipX = flipX;
    t.flipY = flipY;
    t.transpose = transpose;
    return t;
}

int RoomDisplay::transformCode() const { return transform().code(); }

void RoomDisplay::setTransformCode(int code) {
    BoardTransform t;
    t.setCode(code);
    flipX = t.flipX;
    flipY = t.flipY;
    transpose = t.transpose;
}

bool RoomDisplay::hasMarkOrLabelAt(int32_t p) const {
    return std::any_of(marks.begin(), marks.end(), [p](const Mark& m) { return m.point == p; }) ||
           std::any_of(labels.begin(), labels.end(), [p](const Label& l) { return l.point == p; });
}

bool RoomDisplay::clearPoint(int32_t p) {
    const size_t before = marks.size() + labels.size();
    std::erase_if(marks, [p](const Mark& m) { return m.point == p; });
    std::erase_if(labels, [p](const Label& l) { return l.point == p; });
    return marks.size() + labels.size() != before;
}

bool RoomDisplay::hasMark(int32_t p, int kind) const {
    return std::any_of(marks.begin(), marks.end(), [&](const Mark& m) { return m.point == p && m.kind == kind; });
}

namespace {
// The new flips of a quarter turn, by the current code; the transpose flag toggles.
void turn(RoomDisplay& display, bool clockwise) {
    const int k = display.transformCode();
    display.transpose = !display.transpose;
    display.flipX = false;
    display.flipY = false;
    const bool group04 = k == 0 || k == 4;
    const bool group15 = k == 1 || k == 5;
    const bool group36 = k == 3 || k == 6;
    if (clockwise) {
        if (group04) {
            display.flipX = display.flipY = true;
        } else if (group15) {
        } else if (group36) {
            display.flipY = true;
        } else {
            display.flipX = true;
        }
    } else {
        if (group15) {
            display.flipX = display.flipY = true;
        } else if (group04) {
        } else if (group36) {
            display.flipX = true;
        } else {
            display.flipY = true;
        }
    }
}
}  // namespace

void rotateDisplayClockwise(RoomDisplay& display) { turn(display, true); }
void rotateDisplayCounterClockwise(RoomDisplay& display) { turn(display, false); }

}  // namespace tessera
