#include <gtest/gtest.h>

#include "go/play_move.h"
#include "go/regions.h"
#include "text_grid.h"

namespace tessera {
namespace {

using test::gridFrom;

Move at(const BoardGrid& g, uint32_t colour, int x, int y) { return Move{colour, g.pointAt(x, y)}; }

TEST(PlayMoveTest, RefusedMovesChangeNothing) {
    BoardGrid g = gridFrom({"X..", "...", "..."});
    const BoardGrid before = g;
    PointList captured{99};
    EXPECT_FALSE(playMove(g, at(g, kWhite, 0, 0), captured));  // occupied
    EXPECT_TRUE(captured.empty());
    EXPECT_FALSE(playMove(g, Move{kWhite, -1}, captured));  // pass
    EXPECT_FALSE(playMove(g, Move{0, 4}, captured));        // no colour
    EXPECT_FALSE(playMove(g, Move{kBlack, 9}, captured));   // off the board
    EXPECT_EQ(g, before);
}

TEST(PlayMoveTest, OneMoveCapturesTwoGroupsListedAscending) {
    // Two separate black stones share their last liberty at (1,1).
    BoardGrid g = gridFrom({
        "OXO..",
        "X....",
        "O....",
    });
    PointList captured;
    ASSERT_TRUE(playMove(g, at(g, kWhite, 1, 1), captured));
    EXPECT_EQ(captured, (PointList{g.pointAt(1, 0), g.pointAt(0, 1)}));
    EXPECT_EQ(g, gridFrom({"O.O..", ".O...", "O...."}));
}

TEST(PlayMoveTest, SuicideIsRefused) {
    // Black plays into white's one-point eye: suicide, refused.
    BoardGrid eye = gridFrom({".O.", "O.O", ".O."});
    const BoardGrid before = eye;
    PointList captured;
    EXPECT_FALSE(playMove(eye, at(eye, kBlack, 1, 1), captured));
    EXPECT_EQ(eye, before);
    // Multi-stone suicide is refused too.
    BoardGrid corner = gridFrom({"X.O", "OO.", "..."});
    EXPECT_FALSE(playMove(corner, at(corner, kBlack, 1, 0), captured));
}

TEST(PlayMoveTest, ImmediateKoRecaptureIsAccepted) {
    BoardGrid g = gridFrom({".XO.", "XO.O", ".XO."});
    PointList captured;
    // Black's stone has no liberty until its capture frees one: a capture, not a suicide.
    ASSERT_TRUE(playMove(g, at(g, kBlack, 2, 1), captured));  // black takes the ko
    EXPECT_EQ(captured, (PointList{g.pointAt(1, 1)}));
    ASSERT_TRUE(playMove(g, at(g, kWhite, 1, 1), captured));  // white takes it straight back
    EXPECT_EQ(captured, (PointList{g.pointAt(2, 1)}));
    EXPECT_EQ(g, gridFrom({".XO.", "XO.O", ".XO."}));
}

TEST(PlayMoveTest, CapturingAGroupOnTheEdgeRemovesEveryStone) {
    BoardGrid g = gridFrom({
        "OOO..",
        "XXXO.",
        ".....",
    });
    PointList captured;
    ASSERT_TRUE(playMove(g, at(g, kBlack, 3, 0), captured));
    EXPECT_EQ(captured, (PointList{0, 1, 2}));
    EXPECT_EQ(g, gridFrom({"...X.", "XXXO.", "....."}));
}

TEST(RegionsTest, FloodAndLiberties) {
    BoardGrid g = gridFrom({
        "XX.O",
        ".X.O",
        "..OO",
    });
    PointList group;
    EXPECT_EQ(floodRegion(g, 0, group), 3);
    EXPECT_EQ(group, (PointList{0, 1, 5}));
    PointList liberties;
    EXPECT_EQ(libertiesOf(g, group, liberties), 4);
    EXPECT_EQ(liberties, (PointList{2, 4, 6, 9}));
    EXPECT_EQ(floodRegion(g, 12, group), 0);
    EXPECT_EQ(floodRegion(BoardGrid(), 0, group), 0);
    PointList around;
    EXPECT_EQ(neighboursWithValue(g, 6, kWhite, around), 2);
    EXPECT_EQ(around, (PointList{10, 7}));  // down before right
    EXPECT_EQ(neighboursWithValue(g, 6, kEmpty, around), 1);
    EXPECT_EQ(around, (PointList{2}));
}

TEST(RegionsTest, EnumerationOrderAndScratchValue) {
    BoardGrid empty(9, 9);
    auto regions = enumerateRegions(empty, kEmpty);
    ASSERT_EQ(regions.size(), 1u);
    EXPECT_EQ(regions[0].size(), 81u);

    BoardGrid split = gridFrom({"..X..", "..X..", "..X.."});
    regions = enumerateRegions(split, kEmpty);
    ASSERT_EQ(regions.size(), 2u);
    EXPECT_EQ(regions[0].front(), 0);
    EXPECT_EQ(regions[0], (PointList{0, 1, 5, 6, 10, 11}));
    EXPECT_EQ(regions[1].front(), 3);

    BoardGrid groups = gridFrom({"O.O", ".O.", "O#O"});
    regions = enumerateRegions(groups, kWhite);
    ASSERT_EQ(regions.size(), 5u);
    EXPECT_EQ(regions[4], (PointList{8}));
    EXPECT_EQ(groups.get(7), 3);  // the input grid is untouched
    EXPECT_EQ(enumerateRegions(groups, 3).size(), 1u);
}

}  // namespace
}  // namespace tessera
