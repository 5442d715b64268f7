#include "view/ui/board_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

namespace tessera {

BoardWidget::BoardWidget(QWidget* parent)
    : BoardWidget(nullptr, parent, BoardPictureFolders::installed()) {}

BoardWidget::BoardWidget(BoardViewState* state, QWidget* parent, BoardPictureFolders folders)
    : QWidget(parent), painter_(std::move(folders)) {
    if (!state) {
        ownState_ = std::make_unique<BoardViewState>();
        state = ownState_.get();
    }
    state_ = state;
    state_->setChangeListener([this] { redraw(); });
    // Every pixel is painted from the off-screen image: no background erase.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    state_->setClientSize(width(), height());
}

BoardWidget::~BoardWidget() { state_->setChangeListener(nullptr); }

void BoardWidget::redraw() {
    dirty_ = true;
    update();
}

void BoardWidget::paintEvent(QPaintEvent*) {
    if (state_->clientWidth() != width() || state_->clientHeight() != height())
        state_->setClientSize(width(), height());
    if (dirty_ || buffer_.size() != size()) {
        painter_.paint(*state_, buffer_);
        dirty_ = false;
    }
    QPainter window(this);
    if (!state_->dragging()) {
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
        const PixelRect r = state_->rubberBand();
        band.drawRect(QRect(r.left, r.top, r.width(), r.height()));
    }
    window.drawImage(0, 0, frame);
}

void BoardWidget::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    state_->setClientSize(width(), height());
    redraw();
}

void BoardWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::RightButton) {
        postContextMenu(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton)
        return;
    if (state_->rectSelect()) {
        state_->beginRubberBand(at.x(), at.y());
        update();
        return;
    }
    const int32_t point = state_->pointAtPixel(at.x(), at.y());
    if (point >= 0)
        postPointChosen(point);
}

void BoardWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (state_->extendRubberBand(at.x(), at.y()))
        update();
}

void BoardWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (state_->endRubberBand(at.x(), at.y())) {
        update();
        postRectangleSelected();
    }
}

void BoardWidget::keyPressEvent(QKeyEvent* event) {
    if (!state_->cursorShown()) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int step = (event->modifiers() & Qt::ControlModifier) ? 3 : 1;
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (state_->cursor() >= 0)
            postPointChosen(state_->cursor());
        return;
    case Qt::Key_Left: state_->stepCursor(-step, 0); return;
    case Qt::Key_Right: state_->stepCursor(step, 0); return;
    case Qt::Key_Up: state_->stepCursor(0, -step); return;
    case Qt::Key_Down: state_->stepCursor(0, step); return;
    default: QWidget::keyPressEvent(event); return;
    }
}

void BoardWidget::postPointChosen(int32_t point) {
    QTimer::singleShot(0, this, [this, point] {
        emit pointChosen(point);
        if (onPointChosen)
            onPointChosen(point);
    });
}

void BoardWidget::postRectangleSelected() {
    QTimer::singleShot(0, this, [this] {
        emit rectangleSelected();
        if (onRectangleSelected)
            onRectangleSelected();
    });
}

void BoardWidget::postContextMenu(QPoint globalPosition) {
    QTimer::singleShot(0, this, [this, globalPosition] {
        emit contextMenuRequested(globalPosition);
        if (onContextMenuRequested)
            onContextMenuRequested(globalPosition);
    });
}

}  // namespace tessera
