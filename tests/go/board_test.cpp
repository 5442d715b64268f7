#include <gtest/gtest.h>

#include "go/board_grid.h"
#include "go/board_transform.h"

namespace tessera {
namespace {

TEST(BoardGeometryTest, SizeRulesAndPointArithmetic) {
    BoardGeometry g;
    g.setSize(0, 7);
    EXPECT_EQ(g.width(), 19);
    EXPECT_EQ(g.height(), 7);
    g.setSize(19, 19);
    EXPECT_EQ(g.pointAt(19, 0), -1);
    EXPECT_EQ(g.pointAt(0, 0), 0);
    EXPECT_EQ(g.pointAt(18, 18), 360);
    EXPECT_EQ(g.pointAt(-1, 3), -1);
    int x = 0, y = 0;
    EXPECT_FALSE(g.coordsOf(361, x, y));
    EXPECT_EQ(x, -1);
    EXPECT_TRUE(g.coordsOf(40, x, y));
    EXPECT_EQ(x, 2);
    EXPECT_EQ(y, 2);
}

TEST(BoardGeometryTest, NeighboursStopAtEveryEdge) {
    BoardGeometry g(19, 19);
    EXPECT_EQ(g.neighbour(2, 19), -1);  // left edge of row 1
    EXPECT_EQ(g.neighbour(0, 5), -1);   // top row
    EXPECT_EQ(g.neighbour(1, 360), -1);
    EXPECT_EQ(g.neighbour(3, 18), -1);  // right edge
    EXPECT_EQ(g.neighbour(3, 17), 18);
    EXPECT_EQ(g.neighbour(1, 5), 24);
    EXPECT_EQ(g.neighbour(4, 5), -1);
    BoardGeometry narrow(1, 3);
    EXPECT_EQ(narrow.neighbour(2, 1), -1);
    EXPECT_EQ(narrow.neighbour(3, 1), -1);
    EXPECT_EQ(narrow.neighbour(1, 1), 2);
}

TEST(BoardGeometryTest, PointTextSkipsTheLetterI) {
    BoardGeometry g(19, 19);
    EXPECT_EQ(g.pointText(g.pointAt(8, 3)), "J16");
    EXPECT_EQ(g.pointText(g.pointAt(7, 0))[0], 'H');
    EXPECT_EQ(g.pointText(g.pointAt(18, 0))[0], 'T');
    EXPECT_EQ(g.pointText(0), "A19");
    EXPECT_EQ(g.pointText(g.pointAt(0, 18)), "A01");
    EXPECT_EQ(g.pointText(-1), "");
}

TEST(BoardGridTest, ResizeKeepsMarksOnlyForTheSameSize) {
    BoardGrid grid(9, 9);
    grid.set(0, 3);
    grid.set(1, kBlack);
    grid.set(2, kWhite);
    grid.resize(9, 9);
    EXPECT_EQ(grid.get(0), 3);
    EXPECT_EQ(grid.get(1), 0);
    EXPECT_EQ(grid.get(2), 0);
    grid.resize(13, 13);
    EXPECT_EQ(grid.get(0), 0);
    EXPECT_EQ(grid.area(), 169);
}

TEST(BoardGridTest, RefusalsLeaveTheGridUnchanged) {
    BoardGrid unallocated;
    EXPECT_FALSE(unallocated.isUsable());
    EXPECT_EQ(unallocated.get(0), -1);
    EXPECT_FALSE(unallocated.set(0, 1));
    EXPECT_EQ(unallocated.findValue(0), -1);

    BoardGrid grid(5, 5);
    grid.set(3, kBlack);
    EXPECT_FALSE(grid.set(3, -1));
    EXPECT_EQ(grid.get(3), kBlack);
    EXPECT_FALSE(grid.set(25, 1));
    EXPECT_FALSE(grid.equals(unallocated));
    BoardGrid other(5, 5);
    EXPECT_FALSE(grid.equals(other));
    other.set(3, kBlack);
    EXPECT_TRUE(grid.equals(other));
    EXPECT_FALSE(grid.equals(BoardGrid(25, 1)));
}

TEST(BoardGridTest, QueriesAndMaskOperations) {
    BoardGrid grid(3, 3);
    grid.set(4, kWhite);
    grid.set(7, kBlack);
    grid.set(8, 3);
    EXPECT_EQ(grid.firstStone(), 4);
    EXPECT_EQ(grid.findValue(3, 0), 8);
    EXPECT_EQ(grid.findValue(kBlack, 8), -1);
    PointList stones;
    EXPECT_EQ(grid.stones(stones), 2);
    EXPECT_EQ(stones, (PointList{4, 7}));

    BoardGrid mask(3, 3);
    mask.set(4, 1);
    BoardGrid shown;
    ASSERT_TRUE(grid.maskedCopy(mask, shown));
    EXPECT_EQ(shown.get(4), kWhite);
    EXPECT_EQ(shown.get(7), 0);
    EXPECT_FALSE(grid.maskedCopy(BoardGrid(4, 4), shown));

    mask.invertMarks();
    EXPECT_EQ(mask.get(4), 0);
    EXPECT_EQ(mask.get(0), 1);
    EXPECT_FALSE(mask.allMarked());
    mask.fill(1);
    EXPECT_TRUE(mask.allMarked());

    BoardGrid copy;
    copy.copyFrom(grid);
    copy.removeStonesOf(grid);
    EXPECT_EQ(copy.get(8), 3);
    EXPECT_EQ(copy.firstStone(), -1);
}

// Every code maps each point of a w x h board to a distinct point of the result board, and
// the inverse transform brings it back.
class TransformCodeTest : public ::testing::TestWithParam<std::tuple<int, int, int>> {};

TEST_P(TransformCodeTest, ForwardThenInverseIsTheIdentity) {
    const auto [code, width, height] = GetParam();
    BoardGeometry board(width, height);
    BoardTransform forward(code, board);
    BoardTransform backward = forward;
    backward.inverse = true;
    const BoardGeometry result = forward.resultGeometry();
    std::vector<int> hits(static_cast<size_t>(result.area()), 0);
    for (int32_t p = 0; p < board.area(); ++p) {
        const int32_t q = forward.mapPoint(p);
        ASSERT_TRUE(result.isValidPoint(q)) << "code " << code << " point " << p;
        ++hits[static_cast<size_t>(q)];
        EXPECT_EQ(backward.mapPoint(q), p) << "code " << code << " point " << p;
    }
    for (int h : hits)
        EXPECT_EQ(h, 1);
}

INSTANTIATE_TEST_SUITE_P(AllCodes, TransformCodeTest,
                         ::testing::Combine(::testing::Range(0, 8), ::testing::Values(19, 9),
                                            ::testing::Values(19, 13)));

TEST(BoardTransformTest, CodesMeanWhatTheirNamesSay) {
    BoardGeometry board(9, 13);
    const int32_t p = board.pointAt(1, 2);
    auto mapped = [&](int code) {
        BoardTransform t(code, board);
        return t.resultGeometry().coordOf(t.mapPoint(p));
    };
    EXPECT_EQ(mapped(0), (Coord{7, 2}));   // flipX
    EXPECT_EQ(mapped(1), (Coord{1, 10}));  // flipY
    EXPECT_EQ(mapped(2), (Coord{2, 1}));   // transpose, result is 13 wide
    EXPECT_EQ(mapped(3), (Coord{7, 10}));  // half turn
    EXPECT_EQ(mapped(4), (Coord{10, 1}));  // transpose then flipX
    EXPECT_EQ(mapped(7), (Coord{1, 2}));   // unknown code: identity
    EXPECT_EQ(BoardTransform(4, board).resultGeometry().width(), 13);
}

TEST(BoardTransformTest, ListWithAnInvalidPointIsLeftAsItWas) {
    BoardTransform t(3, BoardGeometry(9, 9));
    PointList points{0, 5, 81};
    EXPECT_FALSE(t.mapPoints(points));
    EXPECT_EQ(points, (PointList{0, 5, 81}));
    points = {0, 80};
    EXPECT_TRUE(t.mapPoints(points));
    EXPECT_EQ(points, (PointList{80, 0}));
}

}  // namespace
}  // namespace tessera
