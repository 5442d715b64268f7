#include "room/ui/room_icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <map>

namespace tessera {

namespace {

constexpr int kSide = 32;  // drawn large, scaled down by the views

QPixmap canvas() {
    QPixmap pixmap(kSide, kSide);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void stone(QPainter& p, const QRectF& box, bool black) {
    QRadialGradient shade(box.center() - QPointF(box.width() / 5, box.height() / 5), box.width() * 0.7);
    shade.setColorAt(0, black ? QColor(110, 110, 110) : Qt::white);
    shade.setColorAt(1, black ? QColor(10, 10, 10) : QColor(200, 200, 200));
    p.setBrush(shade);
    p.setPen(QPen(QColor(40, 40, 40), 1.5));
    p.drawEllipse(box);
}

QPixmap stoneIcon(bool black, bool selected) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (selected) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 190, 60));
        p.drawRoundedRect(QRectF(0, 0, kSide, kSide), 6, 6);
    }
    stone(p, QRectF(4, 4, kSide - 8, kSide - 8), black);
    return pixmap;
}

QPixmap branchIcon(bool selected) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(selected ? QColor(200, 100, 0) : QColor(40, 90, 160), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8, 4), QPointF(8, 28));
    QPainterPath fork;
    fork.moveTo(8, 14);
    fork.cubicTo(8, 22, 24, 16, 24, 26);
    p.setBrush(Qt::NoBrush);
    p.drawPath(fork);
    return pixmap;
}

QPixmap otherIcon(bool selected) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(selected ? QColor(255, 190, 60) : QColor(222, 184, 120));
    p.setPen(QPen(QColor(90, 60, 20), 1.5));
    p.drawRect(QRectF(5, 5, kSide - 10, kSide - 10));
    p.drawLine(QPointF(5, 16), QPointF(27, 16));
    p.drawLine(QPointF(16, 5), QPointF(16, 27));
    return pixmap;
}

QPixmap markIcon(CommandIcon icon) {
    QPixmap pixmap = canvas();
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF box(6, 6, kSide - 12, kSide - 12);
    QFont font = QApplication::font();
    font.setPixelSize(18);
    font.setBold(true);
    p.setFont(font);
    const QPen pen(QColor(30, 30, 30), 2.5);
    switch (icon) {
        case CommandIcon::AlternatePlay:  // alternate play: half black, half white
            stone(p, QRectF(2, 8, 18, 18), true);
            stone(p, QRectF(12, 8, 18, 18), false);
            break;
        case CommandIcon::AddBlack:
            stone(p, box, true);
            p.setPen(QPen(Qt::white, 2.5));
            p.drawLine(QPointF(16, 11), QPointF(16, 21));
            p.drawLine(QPointF(11, 16), QPointF(21, 16));
            break;
        case CommandIcon::AddWhite:
            stone(p, box, false);
            p.setPen(QPen(Qt::black, 2.5));
            p.drawLine(QPointF(16, 11), QPointF(16, 21));
            p.drawLine(QPointF(11, 16), QPointF(21, 16));
            break;
        case CommandIcon::Mask: {  // mask: hatching
            p.setPen(QPen(QColor(60, 60, 60), 1.5));
            p.drawRect(box);
            for (int i = -20; i < 20; i += 5)
                p.drawLine(QPointF(6 + i, 26), QPointF(26 + i, 6));
            break;
        }
        case CommandIcon::DeadStones:
            stone(p, box, true);
            p.setPen(QPen(QColor(220, 30, 30), 3));
            p.drawLine(box.topLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomLeft());
            break;
        case CommandIcon::Letter:
            p.setPen(QColor(0, 0, 255));
            p.drawText(QRectF(0, 0, kSide, kSide), Qt::AlignCenter, "A");
            break;
        case CommandIcon::Circle:
            p.setPen(pen);
            p.drawEllipse(box);
            break;
        case CommandIcon::Cross:
            p.setPen(pen);
            p.drawLine(box.topLeft(), box.bottomRight());
            p.drawLine(box.topRight(), box.bottomLeft());
            break;
        case CommandIcon::Square:
            p.setPen(pen);
            p.drawRect(box);
            break;
        case CommandIcon::Triangle: {
            p.setPen(pen);
            const QPointF points[3] = {{16, 5}, {27, 26}, {5, 26}};
            p.drawPolygon(points, 3);
            break;
        }
        case CommandIcon::Eraser: {  // eraser
            p.setPen(QPen(QColor(80, 80, 80), 1.5));
            p.setBrush(QColor(240, 150, 170));
            p.translate(16, 16);
            p.rotate(-35);
            p.drawRoundedRect(QRectF(-12, -6, 24, 12), 3, 3);
            break;
        }
        case CommandIcon::FreeLabel:
            p.setPen(QColor(0, 0, 255));
            font.setPixelSize(13);
            p.setFont(font);
            p.drawText(QRectF(0, 0, kSide, kSide), Qt::AlignCenter, "abc");
            break;
        case CommandIcon::Trial:
            stone(p, QRectF(4, 10, 16, 16), true);
            p.setPen(QColor(200, 60, 0));
            p.drawText(QRectF(14, 0, 18, 20), Qt::AlignCenter, "?");
            break;
        case CommandIcon::Restart: {  // restart: circular arrow
            p.setPen(QPen(QColor(30, 110, 40), 3, Qt::SolidLine, Qt::RoundCap));
            p.drawArc(box, 60 * 16, 300 * 16);
            p.drawLine(QPointF(22, 5), QPointF(23, 11));
            p.drawLine(QPointF(23, 11), QPointF(17, 11));
            break;
        }
        case CommandIcon::EndTrial:
            p.setPen(QPen(QColor(200, 40, 40), 3));
            p.setBrush(QColor(250, 220, 220));
            p.drawRect(box);
            break;
        case CommandIcon::Undo: {  // undo: curved arrow to the left
            p.setPen(QPen(QColor(40, 40, 160), 3, Qt::SolidLine, Qt::RoundCap));
            QPainterPath path;
            path.moveTo(24, 24);
            path.cubicTo(28, 10, 14, 6, 8, 14);
            p.drawPath(path);
            p.drawLine(QPointF(8, 14), QPointF(8, 7));
            p.drawLine(QPointF(8, 14), QPointF(15, 15));
            break;
        }
        case CommandIcon::Count: {  // count: balance of black and white
            stone(p, QRectF(2, 14, 13, 13), true);
            stone(p, QRectF(17, 14, 13, 13), false);
            p.setPen(QPen(QColor(60, 60, 60), 2));
            p.drawLine(QPointF(4, 10), QPointF(28, 10));
            p.drawLine(QPointF(16, 4), QPointF(16, 12));
            break;
        }
        default:
            return {};
    }
    return pixmap;
}

}  // namespace

QIcon variationImage(int image) {
    static std::map<int, QIcon> cache;
    auto found = cache.find(image);
    if (found != cache.end())
        return found->second;
    const bool selected = image % 2 == 1;
    QPixmap pixmap;
    switch (image / 2) {
        case 0:
            pixmap = stoneIcon(true, selected);
            break;
        case 1:
            pixmap = stoneIcon(false, selected);
            break;
        case 2:
            pixmap = branchIcon(selected);
            break;
        default:
            pixmap = otherIcon(selected);
            break;
    }
    return cache[image] = QIcon(pixmap);
}

QIcon roomCommandIcon(CommandIcon icon) {
    QStyle* style = QApplication::style();
    switch (icon) {
        case CommandIcon::None:
            return {};
        case CommandIcon::SkipBackward:
            return style->standardIcon(QStyle::SP_MediaSkipBackward);
        case CommandIcon::SeekBackward:
            return style->standardIcon(QStyle::SP_MediaSeekBackward);
        case CommandIcon::ArrowLeft:
            return style->standardIcon(QStyle::SP_ArrowLeft);
        case CommandIcon::ArrowRight:
            return style->standardIcon(QStyle::SP_ArrowRight);
        case CommandIcon::SeekForward:
            return style->standardIcon(QStyle::SP_MediaSeekForward);
        case CommandIcon::SkipForward:
            return style->standardIcon(QStyle::SP_MediaSkipForward);
        case CommandIcon::Play:
            return style->standardIcon(QStyle::SP_MediaPlay);
        case CommandIcon::Stop:
            return style->standardIcon(QStyle::SP_MediaStop);
        case CommandIcon::NewFile:
            return style->standardIcon(QStyle::SP_FileIcon);
        default:
            break;
    }
    const QPixmap pixmap = markIcon(icon);
    return pixmap.isNull() ? QIcon() : QIcon(pixmap);
}

}  // namespace tessera
