// The board display value and its layout in a viewport.
#include "view/board_display.h"

#include <gtest/gtest.h>

#include "laid_out_board.h"

namespace tessera {
namespace {

// A display of the size in a square client area.
struct Laid : test::LaidOutBoard {
    Laid(int width, int height, int style, bool coords, int client)
        : LaidOutBoard(BoardViewSettings{style, coords, true, false, 0}, client, client) {
        display = BoardDisplay(width, height);
    }
};

TEST(BoardScreen, LayoutFollowsStyleCoordinatesAndClientSize) {
    EXPECT_EQ(Laid(19, 19, kStyleSimple, false, 400).screen().gridLayout(), (BoardLayout{20, 20, 380, 380, 20}));
    const Laid traditional(19, 19, kStyleTraditional, true, 400);
    EXPECT_EQ(traditional.screen().gridLayout(), (BoardLayout{21, 21, 363, 363, 19}));
    EXPECT_EQ(traditional.screen().boardRect(), (PixelRect{6, 6, 378, 378}));  // 15 pixels beyond the outer lines
    const Laid simple(19, 19, kStyleSimple, false, 400);
    EXPECT_EQ(simple.screen().cellRect(0), (PixelRect{10, 10, 30, 30}));
    EXPECT_EQ(simple.screen().cellRect(360), (PixelRect{370, 370, 390, 390}));
    EXPECT_FALSE(simple.screen().cellRect(361).has_value());
    EXPECT_FALSE(simple.screen().cellRect(-1).has_value());

    Laid tiny(19, 19, kStyleSimple, false, 9);
    EXPECT_EQ(tiny.screen().cell(), 0);
    EXPECT_EQ(tiny.screen().pointAtPixel(5, 5), -1);
    EXPECT_FALSE(tiny.screen().cellRect(0).has_value());
    tiny.viewport.setClientSize(400, 9);
    EXPECT_EQ(tiny.screen().cell(), 0);
    tiny.viewport.setClientSize(400, 400);
    EXPECT_EQ(tiny.screen().cell(), 20);
}

TEST(BoardScreen, PointAtPixelRoundsTowardZeroAndInvertsTheTransform) {
    Laid laid(19, 19, kStyleSimple, false, 400);  // cell 20, gridLeft 20
    const BoardGeometry board(19, 19);
    const BoardScreen view = laid.screen();
    EXPECT_EQ(view.pointAtPixel(29, 20), board.pointAt(0, 0));
    EXPECT_EQ(view.pointAtPixel(30, 20), board.pointAt(1, 0));
    EXPECT_EQ(view.pointAtPixel(5, 20), board.pointAt(0, 0));  // -5 / 20 is 0
    EXPECT_EQ(view.pointAtPixel(395, 20), -1);                 // column 19
    EXPECT_EQ(view.pointAtPixel(20, 389), board.pointAt(0, 18));
    EXPECT_EQ(view.pointAtPixel(20, 390), -1);
    EXPECT_EQ(view.pointAtPixel(-11, 20), -1);  // beyond one cell to the left
    laid.display.setTransformCode(0);           // flipped left-right
    EXPECT_EQ(laid.screen().pointAtPixel(20, 20), board.pointAt(18, 0));
    // Every code: the pixel of a point's intersection leads back to the point.
    for (int code = -1; code <= 6; ++code) {
        laid.display.setTransformCode(code);
        const BoardScreen turned = laid.screen();
        for (int32_t p : {0, 5, 42, 200, 360}) {
            int x = 0, y = 0;
            ASSERT_TRUE(turned.intersectionOf(p, x, y));
            EXPECT_EQ(turned.pointAtPixel(x + 3, y - 4), p) << "code " << code;
        }
    }
}

TEST(BoardScreen, NonSquareBoardsAreLaidOutAsDisplayed) {
    Laid laid(9, 13, kStyleSimple, false, 400);
    BoardLayout g = laid.screen().gridLayout();
    EXPECT_EQ(g.gridRight - g.gridLeft, 8 * g.cell);
    EXPECT_EQ(g.gridBottom - g.gridTop, 12 * g.cell);
    laid.display.setTransformCode(4);  // a quarter turn: 13 columns, 9 rows on screen
    EXPECT_EQ(laid.display.displayedGeometry().width(), 13);
    const BoardScreen view = laid.screen();
    g = view.gridLayout();
    EXPECT_EQ(g.gridRight - g.gridLeft, 12 * g.cell);
    for (int32_t p = 0; p < 9 * 13; ++p) {
        int x = 0, y = 0;
        ASSERT_TRUE(view.intersectionOf(p, x, y));
        EXPECT_LE(x, g.gridRight);
        EXPECT_LE(y, g.gridBottom);
        EXPECT_EQ(view.pointAtPixel(x, y), p);
    }
}

TEST(BoardScreen, RubberBandIsNormalisedAndSelectsIntersections) {
    Laid laid(19, 19, kStyleSimple, false, 400);
    BoardViewport& viewport = laid.viewport;
    EXPECT_FALSE(viewport.extendRubberBand(1, 1));  // nothing is being dragged
    viewport.beginRubberBand(75, 65);
    EXPECT_TRUE(viewport.dragging());
    EXPECT_TRUE(viewport.extendRubberBand(50, 50));
    EXPECT_TRUE(viewport.endRubberBand(35, 25));
    EXPECT_FALSE(viewport.dragging());
    EXPECT_EQ(viewport.rubberBand(), (PixelRect{35, 25, 75, 65}));
    // Intersections at x 40, 60 and y 40, 60 lie inside.
    const BoardGeometry board(19, 19);
    EXPECT_EQ(laid.screen().pointsInside(viewport.rubberBand()),
              (PointList{board.pointAt(1, 1), board.pointAt(2, 1), board.pointAt(1, 2), board.pointAt(2, 2)}));
    EXPECT_FALSE(viewport.endRubberBand(0, 0));
}

TEST(BoardDisplay, QuarterTurnsFollowTheTableAndUndoEachOther) {
    BoardDisplay display;
    std::vector<int> counterClockwise;
    for (int i = 0; i < 4; ++i) {
        rotateDisplayCounterClockwise(display);
        counterClockwise.push_back(display.transformCode());
    }
    EXPECT_EQ(counterClockwise, (std::vector<int>{5, 3, 4, -1}));
    std::vector<int> clockwise;
    for (int i = 0; i < 4; ++i) {
        rotateDisplayClockwise(display);
        clockwise.push_back(display.transformCode());
    }
    EXPECT_EQ(clockwise, (std::vector<int>{4, 3, 5, -1}));
    for (int code = -1; code <= 6; ++code) {
        display.setTransformCode(code);
        rotateDisplayClockwise(display);
        rotateDisplayCounterClockwise(display);
        EXPECT_EQ(display.transformCode(), code);
    }
    display.setTransformCode(9);
    EXPECT_EQ(display.transformCode(), -1);
}

TEST(BoardDisplay, CoordinatesNameTheGameLinesBesideThem) {
    BoardDisplay display;
    EXPECT_EQ(display.bottomCoordinate(0), "A");
    EXPECT_EQ(display.bottomCoordinate(8), "J");  // I is skipped
    EXPECT_EQ(display.rightCoordinate(0), "19");
    EXPECT_EQ(display.rightCoordinate(18), "1");
    display.setTransformCode(0);
    EXPECT_EQ(display.bottomCoordinate(0), "T");
    rotateDisplayClockwise(display);  // from code 0 to 6: transposed, numbers along the bottom
    EXPECT_EQ(display.bottomCoordinate(0), "1");
    EXPECT_EQ(display.rightCoordinate(0), "T");
    EXPECT_EQ(display.bottomCoordinate(19), "");
}

TEST(BoardDisplay, StarPointsAndTheirRadius) {
    EXPECT_EQ(BoardDisplay().starPoints().size(), 9u);
    EXPECT_EQ(BoardDisplay(13, 13).starPoints(), (PointList{3 * 13 + 3, 3 * 13 + 9, 9 * 13 + 3, 9 * 13 + 9}));
    EXPECT_EQ(BoardDisplay(9, 9).starPoints(), (PointList{2 * 9 + 2, 2 * 9 + 6, 6 * 9 + 2, 6 * 9 + 6}));
    EXPECT_TRUE(BoardDisplay(5, 5).starPoints().empty());
    EXPECT_TRUE(BoardDisplay(9, 13).starPoints().empty());
    Laid laid(19, 19, kStyleSimple, false, 7 * 19 + 4);
    ASSERT_EQ(laid.screen().cell(), 7);
    EXPECT_EQ(laid.screen().starRadius(), 3);
    laid.viewport.setClientSize(12 * 19 + 4, 12 * 19 + 4);
    ASSERT_EQ(laid.screen().cell(), 12);
    EXPECT_EQ(laid.screen().starRadius(), 4);
}

TEST(BoardDisplay, CursorStepsWrapEachCoordinate) {
    BoardDisplay display;
    const BoardGeometry board(19, 19);
    display.cursor = board.pointAt(1, 5);
    std::vector<int32_t> seen;
    for (int i = 0; i < 3; ++i) {
        stepDisplayCursor(display, -3, 0);
        seen.push_back(display.cursor);
    }
    EXPECT_EQ(seen, (std::vector<int32_t>{board.pointAt(18, 5), board.pointAt(15, 5), board.pointAt(12, 5)}));
    display.cursor = board.pointAt(17, 18);
    stepDisplayCursor(display, 3, 1);
    EXPECT_EQ(display.cursor, board.pointAt(0, 0));
    display.cursor = -1;  // no cursor: steps start from the corner
    stepDisplayCursor(display, 1, 1);
    EXPECT_EQ(display.cursor, board.pointAt(1, 1));
    display.cursorShown = false;
    EXPECT_FALSE(stepDisplayCursor(display, 1, 0));
    EXPECT_EQ(display.cursor, board.pointAt(1, 1));
}

}  // namespace
}  // namespace tessera
