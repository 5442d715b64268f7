#include "view/ui/board_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace tessera {

BoardWidget::BoardWidget(const BoardDisplay& display, QWidget* parent, BoardPictureFolders folders)
    : QWidget(parent), display_(&display), painter_(std::move(folders)) {
    // Every pixel is painted from the off-screen image: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    viewport_.setClientSize(width(), height());
}

void BoardWidget::applySettings(const BoardViewSettings& settings) {
    viewport_.applySettings(settings);
    redraw();
}

void BoardWidget::redraw() {
    dirty_ = true;
    update();
}

void BoardWidget::paintEvent(QPaintEvent*) {
    if (viewport_.clientWidth() != width() || viewport_.clientHeight() != height())
        viewport_.setClientSize(width(), height());
    if (dirty_ || buffer_.size() != size()) {
        painter_.paint(*display_, viewport_, buffer_);
        dirty_ = false;
    }
    QPainter window(this);
    if (!viewport_.dragging()) {
        window.drawImage(0, 0, buffer_);
        return;
    }
    // The rubber band inverts what lies under it (white pen in exclusive-or), on a copy of
    // the board so the board image itself stays clean.
    QImage frame = buffer_.copy();
    {
        QPainter band(&frame);
        band.setCompositionMode(QPainter::CompositionMode_Difference);
        band.setPen(QPen(Qt::white, 2));
        band.setBrush(Qt::NoBrush);
        const PixelRect r = viewport_.rubberBand();
        band.drawRect(QRect(r.left, r.top, r.width(), r.height()));
    }
    window.drawImage(0, 0, frame);
}

void BoardWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    viewport_.setClientSize(width(), height());
    redraw();
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
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
    const QPoint at = event->position().toPoint();
    if (viewport_.extendRubberBand(at.x(), at.y()))
        update();
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
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
    case Qt::Key_Left: columns = -step; break;
    case Qt::Key_Right: columns = step; break;
    case Qt::Key_Up: rows = -step; break;
    case Qt::Key_Down: rows = step; break;
    default: QWidget::keyPressEvent(event); return;
    }
    if (onCursorStep)
        onCursorStep(columns, rows);
}

void BoardWidget::post(std::function<void()> call) { QTimer::singleShot(0, this, std::move(call)); }

}  // namespace tessera
