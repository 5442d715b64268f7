#include "view/board_view_state.h"

#include <gtest/gtest.h>

namespace tessera {
namespace {

BoardViewState viewOf(int width, int height, int style, bool coords, int client) {
    BoardViewState view;
    view.setPosition(BoardGrid(width, height));
    BoardViewSettings settings;
    settings.style = style;
    settings.showScale = coords;
    view.applySettings(settings);
    view.setClientSize(client, client);
    return view;
}

TEST(BoardViewLayout, SimpleStyleWithoutCoordinates) {
    const BoardViewState view = viewOf(19, 19, kStyleSimple, false, 400);
    EXPECT_EQ(view.gridLayout(), (BoardLayout{20, 20, 380, 380, 20}));
}

TEST(BoardViewLayout, TraditionalStyleWithCoordinates) {
    const BoardViewState view = viewOf(19, 19, kStyleTraditional, true, 400);
    EXPECT_EQ(view.gridLayout(), (BoardLayout{21, 21, 363, 363, 19}));
    EXPECT_EQ(view.boardRect(), (PixelRect{6, 6, 378, 378}));  // 15 pixels beyond the outer lines
}

TEST(BoardViewLayout, TooSmallClientAreaLaysNothingOut) {
    BoardViewState view = viewOf(19, 19, kStyleSimple, false, 9);
    EXPECT_EQ(view.cell(), 0);
    EXPECT_EQ(view.pointAtPixel(5, 5), -1);
    EXPECT_FALSE(view.cellRect(0).has_value());
    view.setClientSize(400, 9);
    EXPECT_EQ(view.cell(), 0);
    view.setClientSize(400, 400);
    EXPECT_EQ(view.cell(), 20);
}

TEST(BoardViewLayout, CellRectIsCentredOnTheIntersection) {
    const BoardViewState view = viewOf(19, 19, kStyleSimple, false, 400);
    EXPECT_EQ(view.cellRect(0), (PixelRect{10, 10, 30, 30}));
    EXPECT_EQ(view.cellRect(360), (PixelRect{370, 370, 390, 390}));
    EXPECT_FALSE(view.cellRect(361).has_value());
    EXPECT_FALSE(view.cellRect(-1).has_value());
}

}  // namespace
}  // namespace tessera
