#include "go/board_geometry.h"

#include <cstdio>

namespace tessera {

void BoardGeometry::setSize(int width, int height) {
    width_ = static_cast<int16_t>(width < 1 || width > 32767 ? 19 : width);
    height_ = static_cast<int16_t>(height < 1 || height > 32767 ? 19 : height);
}

int32_t BoardGeometry::pointAt(int x, int y) const {
    if (!isValid() || !contains(x, y))
        return -1;
    return y * width_ + x;
}

bool BoardGeometry::coordsOf(int32_t p, int& x, int& y) const {
    if (!isValidPoint(p)) {
        x = y = -1;
        return false;
    }
    x = p % width_;
    y = p / width_;
    return true;
}

Coord BoardGeometry::coordOf(int32_t p) const {
    Coord c;
    coordsOf(p, c.x, c.y);
    return c;
}

int32_t BoardGeometry::neighbour(int direction, int32_t p) const {
    if (!isValidPoint(p))
        return -1;
    switch (direction) {
        case 0:
            return p - width_ >= 0 ? p - width_ : -1;
        case 1:
            return p + width_ < area() ? p + width_ : -1;
        case 2:
            return p % width_ == 0 ? -1 : p - 1;
        case 3:
            return p % width_ == width_ - 1 ? -1 : p + 1;
        default:
            return -1;
    }
}

std::string BoardGeometry::pointText(int32_t p) const {
    int x = 0;
    int y = 0;
    if (!coordsOf(p, x, y))
        return {};
    int letter = 'A' + x;
    if (letter >= 'I')
        ++letter;
    char text[32];
    std::snprintf(text, sizeof text, "%c%02d", letter, height_ - y);
    return text;
}

CoordList BoardGeometry::toCoords(const PointList& points) const {
    CoordList coords;
    coords.reserve(points.size());
    for (int32_t p : points)
        if (isValidPoint(p))
            coords.push_back(coordOf(p));
    return coords;
}

}  // namespace tessera
