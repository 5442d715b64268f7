#include "view/last_move_mark.h"

#include <QPainter>
#include <algorithm>

namespace tessera {

namespace {

const QColor kBracketBlue(0, 0, 255);
// Blue on white stones; on black, where pure blue is hardly brighter than the stone, a light blue.
const QColor kRingOnWhite(0, 0, 255);
const QColor kRingOnBlack(120, 175, 255);

}  // namespace

void drawLastMoveMark(QPainter& p, const QRect& cell, int stone, bool ring) {
    const int x0 = cell.left(), y0 = cell.top(), x1 = cell.left() + cell.width(), y1 = cell.top() + cell.height();
    const int length = cell.width() / 3;
    p.save();
    p.setPen(QPen(kBracketBlue, 2, Qt::SolidLine, Qt::FlatCap));
    // Corner brackets: from each corner along both sides for a third of the side.
    const QLine strokes[8] = {{x0, y0, x0 + length, y0}, {x0, y0, x0, y0 + length}, {x1, y0, x1 - length, y0},
                              {x1, y0, x1, y0 + length}, {x0, y1, x0 + length, y1}, {x0, y1, x0, y1 - length},
                              {x1, y1, x1 - length, y1}, {x1, y1, x1, y1 - length}};
    p.drawLines(strokes, 8);
    if (ring && (stone == 1 || stone == 2)) {
        p.setRenderHint(QPainter::Antialiasing, true);
        const double width = std::max(1.6, cell.width() / 14.0);
        p.setPen(QPen(stone == 1 ? kRingOnBlack : kRingOnWhite, width));
        p.setBrush(Qt::NoBrush);
        const double radius = std::max(2.5, cell.width() * 0.2);
        p.drawEllipse(QRectF(x0, y0, x1 - x0, y1 - y0).center() + QPointF(0.5, 0.5), radius, radius);
    }
    p.restore();
}

}  // namespace tessera
