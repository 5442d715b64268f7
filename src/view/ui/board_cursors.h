#pragma once
// The twelve mouse cursors of the board's tools, drawn at run time (no image files): index 0
// black stone, 1 white stone, 2 dead stones, 3 mask, 4 rectangle selection, 5 next letter,
// 6 circle, 7 square, 8 cross, 9 triangle, 10 eraser, 11 free text. Each shape has a white
// edge under a dark stroke, so it stands out on wood, marble, stones and the flat board alike.

#include <QCursor>

namespace tessera {

constexpr int kBoardCursorCount = 12;

// The cursor of index 0-11 drawn for a screen of this device pixel ratio (sharp on scaled
// screens), its hot spot on the point it acts on; any other index gives the arrow.
QCursor boardCursor(int index, qreal devicePixelRatio = 1.0);

}  // namespace tessera
