#include "view/ui/corner_picker.h"

#include <QMouseEvent>
#include <QPainter>

namespace tessera {

CornerPicker::CornerPicker(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 200);
    setCursor(Qt::CrossCursor);
}

void CornerPicker::setPicture(const QImage& picture) {
    picture_ = picture;
    update();
}

void CornerPicker::setLines(int lines) {
    lines_ = lines;
    update();
}

QRectF CornerPicker::pictureArea() const {
    if (picture_.isNull())
        return {};
    const double scale =
        std::min(static_cast<double>(width()) / picture_.width(), static_cast<double>(height()) / picture_.height());
    const double w = picture_.width() * scale;
    const double h = picture_.height() * scale;
    return QRectF((width() - w) / 2.0, (height() - h) / 2.0, w, h);
}

QPointF CornerPicker::toWidget(double x, double y) const {
    const QRectF area = pictureArea();
    if (area.isEmpty())
        return {};
    // Picture pixel centres map to the middle of their square on screen.
    return QPointF(area.left() + (x + 0.5) * area.width() / picture_.width(),
                   area.top() + (y + 0.5) * area.height() / picture_.height());
}

bool CornerPicker::toPicture(QPointF at, int& x, int& y) const {
    const QRectF area = pictureArea();
    if (area.isEmpty() || !area.contains(at))
        return false;
    x = std::clamp(static_cast<int>((at.x() - area.left()) * picture_.width() / area.width()), 0, picture_.width() - 1);
    y = std::clamp(static_cast<int>((at.y() - area.top()) * picture_.height() / area.height()), 0,
                   picture_.height() - 1);
    return true;
}

void CornerPicker::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    const QRectF area = pictureArea();
    if (area.isEmpty())
        return;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(area, picture_);
    if (const auto selection = marks_.selection(); selection && lines_ >= 2) {
        // The grid the corners imply, thin and translucent, so a wrong line count shows at once.
        const QPointF a = toWidget(selection->left, selection->top);
        const QPointF b = toWidget(selection->right, selection->bottom);
        p.setPen(QPen(QColor(255, 0, 0, 140), 1));
        for (int i = 0; i < lines_; ++i) {
            const double x = a.x() + (b.x() - a.x()) * i / (lines_ - 1);
            const double y = a.y() + (b.y() - a.y()) * i / (lines_ - 1);
            p.drawLine(QPointF(x, a.y()), QPointF(x, b.y()));
            p.drawLine(QPointF(a.x(), y), QPointF(b.x(), y));
        }
    }
    for (int corner = 0; corner < 2; ++corner) {
        if (!marks_.isSet(corner))
            continue;
        const QPointF at = toWidget(marks_.x(corner), marks_.y(corner));
        p.fillRect(QRectF(at.x() - 4, at.y() - 4, 8, 8), QColor(255, 0, 0));
    }
}

void CornerPicker::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        marks_.clear();
    } else if (event->button() == Qt::LeftButton) {
        int x = 0, y = 0;
        if (!toPicture(event->position(), x, y))
            return;
        marks_.leftClick(x, y);
    } else {
        return;
    }
    update();
    if (onMarksChanged)
        onMarksChanged();
}

}  // namespace tessera
