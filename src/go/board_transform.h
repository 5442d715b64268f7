#pragma once
// The eight symmetries of a board. Codes 0-6 name the seven that are not the identity:
//   0 flipX, 1 flipY, 2 transpose, 3 flipX+flipY (180 degrees),
//   4 flipX+transpose, 5 flipY+transpose (the two quarter turns), 6 all three.
// The geometry is the size of the board before the transform; a transposing transform
// produces a board with width and height swapped.

#include "go/board_grid.h"

namespace tessera {

class BoardTransform : public BoardGeometry {
public:
    // The identity on a 19 x 19 board.
    BoardTransform() = default;
    // The transform with the given code (any code outside 0-6 gives the identity) on a board
    // of the geometry's size.
    BoardTransform(int code, const BoardGeometry& board);

    // Sets the three flags from a code 0-6; any other code clears them.
    void setCode(int code);
    // The code 0-6 of the current flags, or -1 for the identity.
    int code() const;
    // True when no flag is set.
    bool isIdentity() const { return !flipX && !flipY && !transpose; }
    // The geometry of the transformed board (width and height swapped when transposing).
    BoardGeometry resultGeometry() const;

    // Maps (x, y) forward (or backward when `inverse` is set); false for a point off the board.
    bool mapCoords(int& x, int& y) const;
    // The mapped index in the transformed geometry, or -1.
    int32_t mapPoint(int32_t p) const;
    // Maps every point in place; when any point fails the list is left unchanged and false returned.
    bool mapPoints(PointList& points) const;
    // A grid of the transformed size with every non-zero byte of source at its mapped point.
    BoardGrid mapGrid(const BoardGrid& source) const;

    bool flipX = false;      // mirror left-right
    bool flipY = false;      // mirror top-bottom
    bool transpose = false;  // swap x and y (applied first going forward)
    bool inverse = false;    // run the steps backwards: maps a transformed point back
};

}  // namespace tessera
