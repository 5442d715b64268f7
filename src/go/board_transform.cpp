#include "go/board_transform.h"

#include <utility>

namespace tessera {

BoardTransform::BoardTransform(int code, const BoardGeometry& board) {
    setSize(board.width(), board.height());
    setCode(code);
}

void BoardTransform::setCode(int code) {
    static constexpr bool table[7][3] = {{true, false, false}, {false, true, false}, {false, false, true},
                                         {true, true, false},  {true, false, true},  {false, true, true},
                                         {true, true, true}};
    if (code < 0 || code > 6) {
        flipX = flipY = transpose = false;
        return;
    }
    flipX = table[code][0];
    flipY = table[code][1];
    transpose = table[code][2];
}

int BoardTransform::code() const {
    for (int c = 0; c <= 6; ++c) {
        BoardTransform probe;
        probe.setCode(c);
        if (probe.flipX == flipX && probe.flipY == flipY && probe.transpose == transpose)
            return c;
    }
    return -1;
}

BoardGeometry BoardTransform::resultGeometry() const {
    return transpose ? BoardGeometry(height(), width()) : BoardGeometry(width(), height());
}

bool BoardTransform::mapCoords(int& x, int& y) const {
    // Forward: the board has this geometry; backward: the board is the transformed one.
    int w = width();
    int h = height();
    if (inverse && transpose)
        std::swap(w, h);
    if (!isValid() || x < 0 || y < 0 || x >= w || y >= h)
        return false;
    if (!inverse) {
        if (transpose) {
            std::swap(x, y);
            std::swap(w, h);
        }
        if (flipX)
            x = w - x - 1;
        if (flipY)
            y = h - y - 1;
    } else {
        if (flipY)
            y = h - y - 1;
        if (flipX)
            x = w - x - 1;
        if (transpose)
            std::swap(x, y);
    }
    return true;
}

int32_t BoardTransform::mapPoint(int32_t p) const {
    const BoardGeometry source = inverse ? resultGeometry() : BoardGeometry(width(), height());
    const BoardGeometry target = inverse ? BoardGeometry(width(), height()) : resultGeometry();
    int x = 0;
    int y = 0;
    if (!source.coordsOf(p, x, y) || !mapCoords(x, y))
        return -1;
    return target.pointAt(x, y);
}

bool BoardTransform::mapPoints(PointList& points) const {
    PointList mapped;
    mapped.reserve(points.size());
    for (int32_t p : points) {
        const int32_t q = mapPoint(p);
        if (q < 0)
            return false;
        mapped.push_back(q);
    }
    points = std::move(mapped);
    return true;
}

BoardGrid BoardTransform::mapGrid(const BoardGrid& source) const {
    const BoardGeometry target = inverse ? BoardGeometry(width(), height()) : resultGeometry();
    BoardGrid result(target.width(), target.height());
    if (!source.isUsable())
        return result;
    const auto& bytes = source.bytes();
    for (size_t p = 0; p < bytes.size(); ++p) {
        if (bytes[p] == 0)
            continue;
        const int32_t q = mapPoint(static_cast<int32_t>(p));
        if (q >= 0)
            result.set(q, bytes[p]);
    }
    return result;
}

}  // namespace tessera
