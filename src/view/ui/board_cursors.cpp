#include "view/ui/board_cursors.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace tessera {

namespace {

constexpr int kSize = 32;           // logical pixels
constexpr QPointF kCentre(16, 16);  // the hot spot of every cursor

// Strokes path twice: a wide white edge, then the dark line; fills it with fill when given.
void outlined(QPainter& p, const QPainterPath& path, const QColor& line, const QBrush& fill = Qt::NoBrush,
              qreal width = 1.6) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::white, width + 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.setBrush(fill);
    p.setPen(QPen(line, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
}

QPainterPath circle(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath cross(QPointF centre, qreal half) {
    QPainterPath path;
    path.moveTo(centre + QPointF(-half, -half));
    path.lineTo(centre + QPointF(half, half));
    path.moveTo(centre + QPointF(half, -half));
    path.lineTo(centre + QPointF(-half, half));
    return path;
}

QPainterPath text(const QString& glyphs, QPointF baseLeft, int pixelSize) {
    QFont font;
    font.setPixelSize(pixelSize);
    font.setBold(true);
    QPainterPath path;
    path.addText(baseLeft, font, glyphs);
    return path;
}

void drawShape(QPainter& p, int index) {
    const QColor dark(20, 20, 20);
    const QColor red(220, 30, 30);
    switch (index) {
        case 0:
            outlined(p, circle(kCentre, 9), dark, QColor(15, 15, 15));
            break;
        case 1:
            outlined(p, circle(kCentre, 9), dark, QColor(250, 250, 250));
            break;
        case 2:  // a stone struck out
            outlined(p, circle(kCentre, 9), dark, QColor(128, 128, 128));
            outlined(p, cross(kCentre, 6), red, Qt::NoBrush, 2.4);
            break;
        case 3: {  // a hatched square
            QPainterPath box;
            box.addRect(QRectF(kCentre - QPointF(9, 9), QSizeF(18, 18)));
            outlined(p, box, dark, QColor(255, 255, 255));
            QPainterPath hatch;
            for (int i = -12; i <= 12; i += 5) {
                hatch.moveTo(kCentre + QPointF(i - 8, 8));
                hatch.lineTo(kCentre + QPointF(i + 8, -8));
            }
            p.save();
            p.setClipRect(QRectF(kCentre - QPointF(8, 8), QSizeF(16, 16)));
            p.setPen(QPen(dark, 1.4));
            p.drawPath(hatch);
            p.restore();
            break;
        }
        case 4: {  // cross hairs with a dashed band beside them
            QPainterPath hairs;
            hairs.moveTo(kCentre + QPointF(-12, 0));
            hairs.lineTo(kCentre + QPointF(12, 0));
            hairs.moveTo(kCentre + QPointF(0, -12));
            hairs.lineTo(kCentre + QPointF(0, 12));
            outlined(p, hairs, dark);
            p.setBrush(Qt::NoBrush);
            p.setPen(QPen(dark, 1.2, Qt::DashLine));
            p.drawRect(QRectF(kCentre + QPointF(4, 4), QSizeF(10, 9)));
            break;
        }
        case 5:
            outlined(p, text("A", kCentre + QPointF(-7, 8), 22), dark, QColor(40, 70, 220), 1.0);
            break;
        case 6:
            outlined(p, circle(kCentre, 8), red, Qt::NoBrush, 2.6);
            break;
        case 7: {
            QPainterPath box;
            box.addRect(QRectF(kCentre - QPointF(7, 7), QSizeF(14, 14)));
            outlined(p, box, dark, Qt::NoBrush, 2.6);
            break;
        }
        case 8:
            outlined(p, cross(kCentre, 7), dark, Qt::NoBrush, 2.6);
            break;
        case 9: {
            QPainterPath triangle;
            triangle.moveTo(kCentre + QPointF(0, -9));
            triangle.lineTo(kCentre + QPointF(9, 7));
            triangle.lineTo(kCentre + QPointF(-9, 7));
            triangle.closeSubpath();
            outlined(p, triangle, dark, Qt::NoBrush, 2.4);
            break;
        }
        case 10: {  // an eraser block, tilted
            p.save();
            p.translate(kCentre);
            p.rotate(-35);
            QPainterPath body;
            body.addRoundedRect(QRectF(-10, -5, 20, 10), 2, 2);
            outlined(p, body, dark, QColor(245, 170, 190));
            QPainterPath band;
            band.moveTo(-3, -5);
            band.lineTo(-3, 5);
            outlined(p, band, dark);
            p.restore();
            break;
        }
        case 11:
            outlined(p, text("T", kCentre + QPointF(-6, 8), 22), dark, QColor(220, 60, 30), 1.0);
            break;
        default:
            break;
    }
}

}  // namespace

QCursor boardCursor(int index, qreal devicePixelRatio) {
    if (index < 0 || index >= kBoardCursorCount)
        return QCursor(Qt::ArrowCursor);
    const qreal ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    const int pixels = static_cast<int>(std::ceil(kSize * ratio));
    QPixmap picture(pixels, pixels);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.scale(ratio, ratio);
        drawShape(p, index);
    }
    picture.setDevicePixelRatio(ratio);
    return QCursor(picture, static_cast<int>(kCentre.x()), static_cast<int>(kCentre.y()));
}

}  // namespace tessera
