#pragma once
// The board view's window: paints a BoardViewState through an off-screen image and turns
// mouse and keys into three notifications for the window that owns it. What a click means
// is the owner's business; the widget never changes the position.
//
// Notifications are posted: they reach the owner after the input event has returned.
//   pointChosen(point)          a click on a point, or Enter on the keyboard cursor (game point)
//   rectangleSelected()         a rubber band was dragged; read state().rubberBand()
//   contextMenuRequested(pos)   the right button was pressed (global screen position)

#include <cstdint>
#include <functional>
#include <memory>

#include <QImage>
#include <QWidget>

#include "view/board_painter.h"
#include "view/board_view_state.h"

namespace tessera {

class BoardWidget : public QWidget {
    Q_OBJECT
public:
    // A widget that owns its state and loads pictures from the installation's folders.
    explicit BoardWidget(QWidget* parent = nullptr);
    // A widget that shows a state owned elsewhere (it must outlive the widget).
    explicit BoardWidget(BoardViewState* state, QWidget* parent = nullptr,
                         BoardPictureFolders folders = BoardPictureFolders::installed());
    ~BoardWidget() override;

    BoardViewState& state() { return *state_; }
    const BoardViewState& state() const { return *state_; }
    // Repaints the board from the state (the widget also does this whenever the state reports a change).
    void redraw();
    // The last drawn off-screen image (the client area).
    const QImage& boardImage() const { return buffer_; }

    // Plain callbacks, called with the signals (for owners that are not QObjects).
    std::function<void(int32_t point)> onPointChosen;
    std::function<void()> onRectangleSelected;
    std::function<void(QPoint globalPosition)> onContextMenuRequested;

    QSize sizeHint() const override { return QSize(600, 600); }

signals:
    void pointChosen(int point);
    void rectangleSelected();
    void contextMenuRequested(QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void postPointChosen(int32_t point);
    void postRectangleSelected();
    void postContextMenu(QPoint globalPosition);

    std::unique_ptr<BoardViewState> ownState_;  // set when the widget owns its state
    BoardViewState* state_;
    BoardPainter painter_;
    QImage buffer_;      // the off-screen board, redrawn only when the state changed
    bool dirty_ = true;  // buffer_ no longer shows the state
};

}  // namespace tessera
