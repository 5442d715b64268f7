#pragma once
// The last-move mark: blue corner brackets around the point's cell and, on a stone, a ring in
// a colour that stands out on that stone (the brackets alone sit in the narrow gaps between
// stones and are easily lost on a small board).

#include <QRect>

class QPainter;

namespace tessera {

// Draws the mark on `cell` (the point's square); `stone` is the point's value (0 empty,
// 1 black, 2 white); `ring` false leaves the stone to a mark or text already drawn on it.
void drawLastMoveMark(QPainter& p, const QRect& cell, int stone, bool ring);

}  // namespace tessera
