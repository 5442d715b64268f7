#pragma once
// Board size and the arithmetic of point indices.

#include <cstdint>
#include <string>

#include "go/move.h"

namespace tessera {

class BoardGeometry {
public:
    // A 19 x 19 geometry.
    BoardGeometry() = default;
    // A geometry of the given size, with the below-1-means-19 rule of setSize.
    BoardGeometry(int width, int height) { setSize(width, height); }

    // Stores the size; a dimension below 1 stores 19 instead (0 x 0 yields 19 x 19).
    void setSize(int width, int height);
    int width() const { return width_; }
    int height() const { return height_; }
    // Number of points, width * height.
    int area() const { return int(width_) * int(height_); }
    // True when both dimensions are at least 1.
    bool isValid() const { return width_ >= 1 && height_ >= 1; }
    // True when both geometries have the same width and height.
    bool sameSize(const BoardGeometry& other) const { return width_ == other.width_ && height_ == other.height_; }

    // The point index at (x, y), or -1 when (x, y) is off the board or the geometry invalid.
    int32_t pointAt(int x, int y) const;
    // True when 0 <= x < width and 0 <= y < height.
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // True when 0 <= p < width * height on a valid geometry.
    bool isValidPoint(int32_t p) const { return isValid() && p >= 0 && p < area(); }
    // The coordinates of p; false with x = y = -1 for an invalid point.
    bool coordsOf(int32_t p, int& x, int& y) const;
    // The coordinate pair of p, (-1, -1) for an invalid point.
    Coord coordOf(int32_t p) const;
    // The orthogonal neighbour of p in direction 0 up, 1 down, 2 left, 3 right, or -1.
    int32_t neighbour(int direction, int32_t p) const;
    // The coordinate as a player reads it ("J16": column letters skip I, rows count from the
    // bottom, two digits); empty for an invalid point.
    std::string pointText(int32_t p) const;

    // The valid points of a list as coordinate pairs, in order.
    CoordList toCoords(const PointList& points) const;

protected:
    int16_t width_ = 19;   // columns, >= 1 once set through setSize
    int16_t height_ = 19;  // rows
};

}  // namespace tessera
