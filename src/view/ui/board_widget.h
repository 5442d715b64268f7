#pragma once
// The board's window: draws a BoardDisplay owned elsewhere (a game room's) through its own
// viewport (settings, client size, rubber band) and an off-screen image, and turns mouse and
// keys into notifications for its owner. The widget never changes the display: what a click,
// a band or a cursor key means is the owner's business.
//
// Notifications are posted: they reach the owner after the input event has returned.
//   onPointChosen(point)            a click on a point, or Enter on the display's cursor
//   onRectangleSelected(points)     a band was dragged (display().rectSelect): the game points inside
//   onCursorStep(columns, rows)     a cursor key (Ctrl: three lines)
//   onContextMenuRequested(pos)     the right button was pressed (global screen position)
//
// The board is laid out and painted in device pixels, so on a scaled screen stones and lines
// stay sharp: screen() and boardImage() are in device pixels, mouse positions are turned
// into them. The mouse cursor is the tool cursor that cursorIndex names (board_cursors.h).

#include <cstdint>
#include <functional>

#include <QImage>
#include <QWidget>

#include "view/board_display.h"
#include "view/board_painter.h"
#include "view/board_viewport.h"

namespace tessera {

class BoardWidget : public QWidget {
    Q_OBJECT
public:
    // A widget that draws display (it must outlive the widget) with pictures from folders.
    explicit BoardWidget(const BoardDisplay& display, QWidget* parent = nullptr,
                         BoardPictureFolders folders = BoardPictureFolders::installed());

    const BoardDisplay& display() const { return *display_; }
    const BoardViewport& viewport() const { return viewport_; }
    // The display laid out in the widget's client area (in device pixels) as it is now.
    BoardScreen screen() const { return BoardScreen(*display_, viewport_); }
    // Draws the board with these settings from now on.
    void applySettings(const BoardViewSettings& settings);
    // Repaints the board from the display (call after the display changed).
    void redraw();
    // The last drawn off-screen image (the client area in device pixels).
    const QImage& boardImage() const { return buffer_; }
    // The device pixel under a position in the widget's own (logical) coordinates.
    QPoint devicePixel(QPointF logical) const;
    // Shows the cursor that cursorIndex gives for the mouse's place now (call when the tool
    // or the side to move may have changed; redraw() does it).
    void refreshCursor();
    // The index of the tool cursor (0-11) to show, given whether the mouse is over a point;
    // -1 for the usual arrow. Null: always the arrow.
    std::function<int(bool overPoint)> cursorIndex;
    // The tool cursor shown now (-1: the arrow).
    int shownCursor() const { return shownCursor_; }

    std::function<void(int32_t point)> onPointChosen;
    std::function<void(const PointList& points)> onRectangleSelected;
    std::function<void(int columns, int rows)> onCursorStep;
    std::function<void(QPoint globalPosition)> onContextMenuRequested;

    QSize sizeHint() const override { return QSize(600, 600); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    // Calls the handler after the current input event has returned.
    void post(std::function<void()> call);

    const BoardDisplay* display_;
    BoardViewport viewport_;
    BoardPainter painter_;
    QImage buffer_;            // the off-screen board, redrawn only when something changed
    bool dirty_ = true;        // buffer_ no longer shows the display
    QPoint mouse_{-1, -1};     // the mouse's last place in device pixels; (-1, -1) when outside
    int shownCursor_ = -1;     // index of the cursor set on the widget
    qreal cursorRatio_ = 1.0;  // the device pixel ratio it was drawn for

    qreal pixelRatio() const;
    void fitViewport();
};

}  // namespace tessera
