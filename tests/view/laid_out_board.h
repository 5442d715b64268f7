#pragma once
// A board display and the viewport it is drawn through, for the view's tests: the screen
// (pixel layout) refers to both, so they live together here.

#include "view/board_display.h"
#include "view/board_painter.h"
#include "view/board_viewport.h"

namespace tessera::test {

struct LaidOutBoard {
    BoardDisplay display;
    BoardViewport viewport;

    // A 19 x 19 board drawn with the settings into a client area of the size.
    LaidOutBoard(const BoardViewSettings& settings, int width, int height) {
        viewport.applySettings(settings);
        viewport.setClientSize(width, height);
    }
    BoardScreen screen() const { return BoardScreen(display, viewport); }
    QImage render(BoardPainter& painter) const { return painter.render(display, viewport); }
};

}  // namespace tessera::test
