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

namespace tessera {
namespace {

TEST(BoardViewInput, PointAtPixelRoundsTowardZero) {
    const BoardViewState view = viewOf(19, 19, kStyleSimple, false, 400);  // cell 20, gridLeft 20
    const BoardGeometry board(19, 19);
    EXPECT_EQ(view.pointAtPixel(29, 20), board.pointAt(0, 0));
    EXPECT_EQ(view.pointAtPixel(30, 20), board.pointAt(1, 0));
    EXPECT_EQ(view.pointAtPixel(5, 20), board.pointAt(0, 0));    // -5 / 20 is 0
    EXPECT_EQ(view.pointAtPixel(395, 20), -1);                   // column 19
    EXPECT_EQ(view.pointAtPixel(20, 389), board.pointAt(0, 18));
    EXPECT_EQ(view.pointAtPixel(20, 390), -1);
    EXPECT_EQ(view.pointAtPixel(-11, 20), -1);                   // beyond one cell to the left
}

TEST(BoardViewInput, PointAtPixelReportsGamePointsUnderATransform) {
    BoardViewState view = viewOf(19, 19, kStyleSimple, false, 400);
    const BoardGeometry board(19, 19);
    view.setTransformCode(0);  // flipped left-right
    EXPECT_EQ(view.pointAtPixel(20, 20), board.pointAt(18, 0));
    // Every code: the pixel of a point's intersection leads back to the point.
    for (int code = -1; code <= 6; ++code) {
        view.setTransformCode(code);
        for (int32_t p : {0, 5, 42, 200, 360}) {
            int x = 0, y = 0;
            ASSERT_TRUE(view.intersectionOf(p, x, y));
            EXPECT_EQ(view.pointAtPixel(x + 3, y - 4), p) << "code " << code;
        }
    }
}

TEST(BoardViewInput, NonSquareBoardsAreLaidOutAsDisplayed) {
    BoardViewState view = viewOf(9, 13, kStyleSimple, false, 400);
    EXPECT_EQ(view.gridLayout().gridRight - view.gridLayout().gridLeft, 8 * view.cell());
    EXPECT_EQ(view.gridLayout().gridBottom - view.gridLayout().gridTop, 12 * view.cell());
    view.setTransformCode(4);  // a quarter turn: 13 columns, 9 rows on screen
    EXPECT_EQ(view.displayedGeometry().width(), 13);
    EXPECT_EQ(view.gridLayout().gridRight - view.gridLayout().gridLeft, 12 * view.cell());
    for (int32_t p = 0; p < 9 * 13; ++p) {
        int x = 0, y = 0;
        ASSERT_TRUE(view.intersectionOf(p, x, y));
        EXPECT_LE(x, view.gridLayout().gridRight);
        EXPECT_LE(y, view.gridLayout().gridBottom);
        EXPECT_EQ(view.pointAtPixel(x, y), p);
    }
}

TEST(BoardViewTransform, QuarterTurnsFollowTheTable) {
    BoardViewState view;
    std::vector<int> counterClockwise;
    for (int i = 0; i < 4; ++i) {
        view.rotateCounterClockwise();
        counterClockwise.push_back(view.transformCode());
    }
    EXPECT_EQ(counterClockwise, (std::vector<int>{5, 3, 4, -1}));
    std::vector<int> clockwise;
    for (int i = 0; i < 4; ++i) {
        view.rotateClockwise();
        clockwise.push_back(view.transformCode());
    }
    EXPECT_EQ(clockwise, (std::vector<int>{4, 3, 5, -1}));
    for (int code = -1; code <= 6; ++code) {
        view.setTransformCode(code);
        view.rotateClockwise();
        view.rotateCounterClockwise();
        EXPECT_EQ(view.transformCode(), code);
    }
    view.setTransformCode(9);
    EXPECT_EQ(view.transformCode(), -1);
}

TEST(BoardViewTransform, CoordinatesNameTheGameLinesBesideThem) {
    BoardViewState view;
    EXPECT_EQ(view.bottomCoordinate(0), "A");
    EXPECT_EQ(view.bottomCoordinate(8), "J");  // I is skipped
    EXPECT_EQ(view.rightCoordinate(0), "19");
    EXPECT_EQ(view.rightCoordinate(18), "1");
    view.setTransformCode(0);
    EXPECT_EQ(view.bottomCoordinate(0), "T");
    view.rotateClockwise();  // from code 0 to 6: transposed, numbers along the bottom
    EXPECT_EQ(view.bottomCoordinate(0), "1");
    EXPECT_EQ(view.rightCoordinate(0), "T");
    view.setTransformCode(-1);
    view.rotateClockwise();
    view.rotateCounterClockwise();
    EXPECT_EQ(view.bottomCoordinate(0), "A");
    EXPECT_EQ(view.rightCoordinate(0), "19");
    EXPECT_EQ(view.bottomCoordinate(19), "");
}

TEST(BoardViewLayout, StarPoints) {
    BoardViewState view;
    EXPECT_EQ(view.starPoints().size(), 9u);
    view.setPosition(BoardGrid(13, 13));
    EXPECT_EQ(view.starPoints(), (PointList{3 * 13 + 3, 3 * 13 + 9, 9 * 13 + 3, 9 * 13 + 9}));
    view.setPosition(BoardGrid(9, 9));
    EXPECT_EQ(view.starPoints(), (PointList{2 * 9 + 2, 2 * 9 + 6, 6 * 9 + 2, 6 * 9 + 6}));
    view.setPosition(BoardGrid(5, 5));
    EXPECT_TRUE(view.starPoints().empty());
    view.setPosition(BoardGrid(9, 13));
    EXPECT_TRUE(view.starPoints().empty());

    BoardViewSettings simple;
    simple.style = kStyleSimple;
    view.applySettings(simple);
    view.setPosition(BoardGrid(19, 19));
    view.setClientSize(7 * 19 + 4, 7 * 19 + 4);
    ASSERT_EQ(view.cell(), 7);
    EXPECT_EQ(view.starRadius(), 3);
    view.setClientSize(12 * 19 + 4, 12 * 19 + 4);
    ASSERT_EQ(view.cell(), 12);
    EXPECT_EQ(view.starRadius(), 4);
}

TEST(BoardViewOverlay, NextLetterFollowsTheFurthestOneCharacterLabel) {
    BoardViewState view;
    EXPECT_TRUE(view.addLabel(1, 0, "a"));
    EXPECT_TRUE(view.addLabel(2, 0, "b"));
    EXPECT_TRUE(view.addLabel(3, 0, "A1"));
    EXPECT_TRUE(view.addNextLetter(10));
    EXPECT_EQ(view.labels().back(), (Label{10, kLabelBlue, "c"}));
    // On a point that carries a label it only removes it.
    EXPECT_FALSE(view.addNextLetter(2));
    EXPECT_EQ(view.labels().size(), 3u);
    // Past the end of the sequence nothing is added.
    view.clearOverlay();
    view.addLabel(4, 0, "~");
    EXPECT_FALSE(view.addNextLetter(5));
    view.clearOverlay();
    EXPECT_TRUE(view.addNextLetter(5, 0x123456));
    EXPECT_EQ(view.labels().back().text, "a");
}

TEST(BoardViewOverlay, LabelsAreRefusedWhenEmptyOrLongerThanFourBytes) {
    BoardViewState view;
    EXPECT_FALSE(view.addLabel(0, 0, ""));
    EXPECT_FALSE(view.addLabel(0, 0, "abcde"));
    EXPECT_FALSE(view.addLabel(0, 0, "黑白棋"));  // 6 bytes in GB18030
    EXPECT_TRUE(view.addLabel(0, 0, "黑白"));
    EXPECT_TRUE(view.addLabel(0, 0, "1234"));
    EXPECT_FALSE(view.addHint(0, 0, true, ""));
    EXPECT_TRUE(view.addHint(0, 0, true, "55%"));
    EXPECT_TRUE(view.setLabel(0, 7, "x"));
    EXPECT_EQ(view.labels().size(), 1u);
    EXPECT_TRUE(view.hints().empty());
    view.setLabels({Label{1, 0, "toolong"}, Label{2, 0, "ok"}});
    EXPECT_EQ(view.labels().size(), 1u);
}

TEST(BoardViewOverlay, ToggleMarkClearsWhateverIsOnThePoint) {
    BoardViewState view;
    view.toggleMark(5, kViewCircle);
    EXPECT_TRUE(view.hasMark(5, kViewCircle));
    view.toggleMark(5, kViewTriangle);  // the circle goes, no triangle comes
    EXPECT_FALSE(view.hasMark(5, kViewCircle));
    EXPECT_FALSE(view.hasMark(5, kViewTriangle));
    view.addLabel(6, 0, "a");
    view.toggleMark(6, kViewCross);
    EXPECT_TRUE(view.labels().empty());
    EXPECT_TRUE(view.marks().empty());
    view.toggleMark(6, kViewRedSquare);  // only types 0-3 toggle
    EXPECT_TRUE(view.marks().empty());
    view.addMark(7, kViewCross);
    view.addMark(7, kViewCross);
    view.addMark(7, kViewSquare);
    EXPECT_TRUE(view.removeMark(7, kViewCross));
    EXPECT_FALSE(view.hasMark(7, kViewCross));
    EXPECT_TRUE(view.hasMark(7, kViewSquare));
}

TEST(BoardViewOverlay, GroupMarksToggleOnTheWholeGroup) {
    BoardViewState view;
    BoardGrid position(9, 9);
    for (int32_t p : {10, 11, 20})
        position.set(p, kBlack);
    position.set(12, kWhite);
    view.setPosition(position);
    view.toggleGroupMarks(11);
    for (int32_t p : {10, 11, 20})
        EXPECT_TRUE(view.hasMark(p, kViewRedSquare));
    EXPECT_FALSE(view.hasMark(12, kViewRedSquare));
    view.removeMark(10, kViewRedSquare);
    view.toggleGroupMarks(10);  // one stone still marked: all are cleared
    EXPECT_TRUE(view.marks().empty());
    view.toggleGroupMarks(0);  // empty point: nothing
    EXPECT_TRUE(view.marks().empty());
}

TEST(BoardViewOverlay, DrawRecordsRoundTripAsRegions) {
    BoardViewState view;
    const DrawRecord record{3, 40, 0x00FF00, 2, 1};
    view.setDrawRecords({record});
    ASSERT_EQ(view.regions().size(), 1u);
    EXPECT_EQ(view.regions()[0], (RegionRect{3, 40, 0x00FF00, 2, 1}));
    EXPECT_EQ(view.drawRecords(), std::vector<DrawRecord>{record});
}

TEST(BoardViewState, MaskFollowsThePositionSize) {
    BoardViewState view;
    BoardGrid mask(19, 19);
    mask.set(0, 0);
    EXPECT_TRUE(view.setMask(mask));
    EXPECT_EQ(view.mask().get(0), 0);
    view.setPosition(BoardGrid(19, 19));  // same size: the mask stays
    EXPECT_EQ(view.mask().get(0), 0);
    view.setPosition(BoardGrid(9, 9));
    EXPECT_EQ(view.mask().width(), 9);
    EXPECT_TRUE(view.mask().allMarked());
    EXPECT_FALSE(view.setMask(BoardGrid(19, 19)));
}

TEST(BoardViewInput, CursorKeysWrapEachCoordinate) {
    BoardViewState view;
    const BoardGeometry board(19, 19);
    view.setCursor(board.pointAt(1, 5));
    view.stepCursor(-3, 0);
    EXPECT_EQ(view.cursor(), board.pointAt(18, 5));
    view.stepCursor(-3, 0);
    EXPECT_EQ(view.cursor(), board.pointAt(15, 5));
    view.stepCursor(-3, 0);
    EXPECT_EQ(view.cursor(), board.pointAt(12, 5));
    view.setCursor(board.pointAt(17, 18));
    view.stepCursor(3, 1);
    EXPECT_EQ(view.cursor(), board.pointAt(0, 0));
    view.setCursorShown(false);
    EXPECT_FALSE(view.stepCursor(1, 0));
    EXPECT_EQ(view.cursor(), board.pointAt(0, 0));
}

TEST(BoardViewInput, RubberBandIsNormalisedAndSelectsIntersections) {
    BoardViewState view = viewOf(19, 19, kStyleSimple, false, 400);
    EXPECT_FALSE(view.beginRubberBand(100, 100));  // only in rectangle selection
    view.setRectSelect(true);
    EXPECT_TRUE(view.beginRubberBand(75, 65));
    EXPECT_TRUE(view.dragging());
    EXPECT_TRUE(view.extendRubberBand(50, 50));
    EXPECT_TRUE(view.endRubberBand(35, 25));
    EXPECT_FALSE(view.dragging());
    EXPECT_EQ(view.rubberBand(), (PixelRect{35, 25, 75, 65}));
    // Intersections at x 40, 60 and y 40, 60 lie inside.
    const BoardGeometry board(19, 19);
    EXPECT_EQ(view.pointsInside(view.rubberBand()),
              (PointList{board.pointAt(1, 1), board.pointAt(2, 1), board.pointAt(1, 2), board.pointAt(2, 2)}));
    EXPECT_FALSE(view.endRubberBand(0, 0));
}

}  // namespace
}  // namespace tessera
