#pragma once
// The sizes of the board's texts (coordinates, labels, move numbers, hint marks). They follow
// the cell, but never shrink below what can be read on a small board nor grow past what looks
// right beside the grid on a large one. Needs a QGuiApplication (fonts).

#include <QFont>
#include <QString>

namespace tessera {

// The smallest height of capitals and digits on the board: smaller glyphs cannot be read.
constexpr int kSmallestGlyphHeight = 8;

// The serif face of the board texts, at the pixel size whose capitals and digits stand
// capHeight pixels tall (never below kSmallestGlyphHeight).
QFont boardTextFont(double capHeight);

// boardTextFont(capHeight), narrowed (down to half its width) when text would run wider than
// maxWidth pixels: a long move number keeps its height and stays on its stone.
QFont fittedBoardTextFont(double capHeight, const QString& text, int maxWidth);

// Height of the coordinates' capitals and digits for a cell of `cell` pixels.
double coordinateGlyphHeight(int cell);
// Height of a label's or hint mark's capitals and digits: the large size stands alone on an
// empty point, the small one on a stone or for a longer text. `hint` selects the hint marks'
// smaller small size.
double labelGlyphHeight(int cell, bool small, bool hint);

}  // namespace tessera
