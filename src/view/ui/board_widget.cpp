#include "view/ui/board_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <cmath>

#include "view/ui/board_cursors.h"

namespace tessera {

BoardWidget::BoardWidget(const BoardDisplay& display, QWidget* parent, BoardPictureFolders folders)
    : QWidget(parent), display_(&display), painter_(std::move(folders)) {
    // Every pixel is painted from the off-screen image: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);  // the cursor follows the mouse over points and off them
    fitViewport();
}

qreal BoardWidget::pixelRatio() const {
    const qreal ratio = devicePixelRatioF();
    return ratio > 0 ? ratio : 1.0;
}

void BoardWidget::fitViewport() {
    const qreal ratio = pixelRatio();
    const int w = static_cast<int>(std::ceil(width() * ratio));
    const int h = static_cast<int>(std::ceil(height() * ratio));
    if (viewport_.clientWidth() != w || viewport_.clientHeight() != h)
        viewport_.setClientSize(w, h);
}

QPoint BoardWidget::devicePixel(QPointF logical) const {
    const qreal ratio = pixelRatio();
    return QPoint(static_cast<int>(std::floor(logical.x() * ratio)), static_cast<int>(std::floor(logical.y() * ratio)));
}

void BoardWidget::refreshCursor() {
    const bool overPoint = mouse_.x() >= 0 && screen().pointAtPixel(mouse_.x(), mouse_.y()) >= 0;
    const int index = cursorIndex ? cursorIndex(overPoint) : -1;
    const qreal ratio = pixelRatio();
    if (index == shownCursor_ && (index < 0 || ratio == cursorRatio_))
        return;
    shownCursor_ = index;
    cursorRatio_ = ratio;
    if (index < 0)
        unsetCursor();
    else
        setCursor(boardCursor(index, ratio));
}

void BoardWidget::applySettings(const BoardViewSettings& settings) {
    viewport_.applySettings(settings);
    redraw();
}

void BoardWidget::redraw() {
    dirty_ = true;
    update();
    refreshCursor();
}

void BoardWidget::paintEvent(QPaintEvent*) {
    fitViewport();
    const qreal ratio = pixelRatio();
    if (dirty_ || buffer_.width() != viewport_.clientWidth() || buffer_.height() != viewport_.clientHeight()) {
        buffer_.setDevicePixelRatio(1.0);  // the painter works in device pixels
        painter_.paint(*display_, viewport_, buffer_);
        dirty_ = false;
    }
    buffer_.setDevicePixelRatio(ratio);
    QPainter window(this);
    if (!viewport_.dragging()) {
        window.drawImage(0, 0, buffer_);
        return;
    }
    // The rubber band inverts what lies under it (white pen in exclusive-or), on a copy of
    // the board so the board image itself stays clean.
    QImage frame = buffer_.copy();
    frame.setDevicePixelRatio(1.0);
    {
        QPainter band(&frame);
        band.setCompositionMode(QPainter::CompositionMode_Difference);
        band.setPen(QPen(Qt::white, 2 * ratio));
        band.setBrush(Qt::NoBrush);
        const PixelRect r = viewport_.rubberBand();
        band.drawRect(QRect(r.left, r.top, r.width(), r.height()));
    }
    frame.setDevicePixelRatio(ratio);
    window.drawImage(0, 0, frame);
}

void BoardWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    fitViewport();
    redraw();
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = devicePixel(event->position());
    if (event->button() == Qt::RightButton) {
        const QPoint global = event->globalPosition().toPoint();
        post([this, global] {
            if (onContextMenuRequested)
                onContextMenuRequested(global);
        });
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (display_->rectSelect) {
        viewport_.beginRubberBand(at.x(), at.y());
        update();
        return;
    }
    const int32_t point = screen().pointAtPixel(at.x(), at.y());
    if (point >= 0)
        post([this, point] {
            if (onPointChosen)
                onPointChosen(point);
        });
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = devicePixel(event->position());
    mouse_ = at;
    if (viewport_.extendRubberBand(at.x(), at.y()))
        update();
    refreshCursor();
}

void BoardWidget::leaveEvent(QEvent* event) {
    mouse_ = QPoint(-1, -1);
    refreshCursor();
    QWidget::leaveEvent(event);
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = devicePixel(event->position());
    if (!viewport_.endRubberBand(at.x(), at.y()))
        return;
    update();
    // The points are taken now, while the layout is the one the band was dragged on.
    const PointList points = screen().pointsInside(viewport_.rubberBand());
    post([this, points] {
        if (onRectangleSelected)
            onRectangleSelected(points);
    });
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    if (!display_->cursorShown) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int step = (event->modifiers() & Qt::ControlModifier) ? 3 : 1;
    int columns = 0;
    int rows = 0;
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (const int32_t point = display_->cursor; point >= 0)
                post([this, point] {
                    if (onPointChosen)
                        onPointChosen(point);
                });
            return;
        case Qt::Key_Left:
            columns = -step;
            break;
        case Qt::Key_Right:
            columns = step;
            break;
        case Qt::Key_Up:
            rows = -step;
            break;
        case Qt::Key_Down:
            rows = step;
            break;
        default:
            QWidget::keyPressEvent(event);
            return;
    }
    if (onCursorStep)
        onCursorStep(columns, rows);
}

void BoardWidget::post(std::function<void()> call) { QTimer::singleShot(0, this, std::move(call)); }

}  // namespace tessera
