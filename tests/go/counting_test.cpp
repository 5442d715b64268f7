// Counting: region assignment and the area and territory formulas (the room words the report).
#include "go/counting.h"

#include <gtest/gtest.h>

#include "text_grid.h"

namespace tessera {
namespace {

// Black walls off 35 empty points with 9 stones (44); white holds 10 stones and 27 points (37).
BoardGrid workedExample() {
    return test::gridFrom({
        "....XO...",
        "....XO...",
        "....XO...",
        "....XO...",
        "....XO...",
        "....XO...",
        "....XO...",
        "....XO...",
        "...XOO...",
    });
}

TEST(Counting, AreaCountOfTheWorkedExample) {
    const CountResult result = countArea(workedExample(), {}, 3.75);
    ASSERT_TRUE(result.counted);
    EXPECT_EQ(result.blackPoints, 44);
    EXPECT_EQ(result.whitePoints, 37);
    EXPECT_DOUBLE_EQ(result.blackScore, 40.25);
    EXPECT_DOUBLE_EQ(result.whiteScore, 40.75);
    EXPECT_EQ(result.winner(), kWhite);
    EXPECT_DOUBLE_EQ(result.margin(), 0.25);   // in stones
    EXPECT_EQ(result.blackOwned.size(), 44u);  // stones and territory alike
    EXPECT_EQ(result.whiteOwned.size(), 37u);
}

TEST(Counting, TerritoryCountWithAGroupMarkedDead) {
    // A black group of four stones inside white's area, marked dead.
    BoardGrid position = test::gridFrom({
        "....XO...",
        "....XO.X.",
        "....XO.X.",
        "....XO.XX",
        "....XO...",
        "....XO...",
        "....XO...",
        "....XO...",
        "...XOO...",
    });
    const PointList dead = {position.pointAt(7, 1), position.pointAt(7, 2), position.pointAt(7, 3),
                            position.pointAt(8, 3)};
    const CountResult alive = countTerritory(position, {}, 6.5, 2, 3);
    EXPECT_EQ(alive.whitePoints, 0);  // unmarked, the black stones make white's side neutral
    const CountResult result = countTerritory(position, dead, 6.5, 2, 3);
    ASSERT_TRUE(result.counted);
    EXPECT_EQ(result.blackPrisoners, 2 + 4);
    EXPECT_EQ(result.whitePrisoners, 3);
    EXPECT_EQ(result.blackPoints, 35);
    EXPECT_EQ(result.whitePoints, 27);  // 23 empty points and the 4 emptied dead stones
    EXPECT_DOUBLE_EQ(result.blackScore, 38.0);
    EXPECT_DOUBLE_EQ(result.whiteScore, 39.5);
    EXPECT_DOUBLE_EQ(result.margin(), 1.5);    // in points
    EXPECT_EQ(result.whiteOwned.size(), 27u);  // territory only, no stones
}

TEST(Counting, NeutralRegionsAndEmptyBoards) {
    const CountResult empty = countArea(BoardGrid(9, 9), {}, 6.5);
    EXPECT_EQ(empty.blackPoints + empty.whitePoints, 0);
    EXPECT_EQ(empty.winner(), kWhite);
    // A region touching both colours counts for nobody under both rules.
    BoardGrid seki = test::gridFrom({"X.O", "X.O", "X.O"});
    const CountResult area = countArea(seki, {}, 0);
    EXPECT_EQ(area.blackPoints, 3);
    EXPECT_EQ(area.whitePoints, 3);
    EXPECT_EQ(area.winner(), kEmpty);
    EXPECT_EQ(area.margin(), 0.0);
    const CountResult territory = countTerritory(seki, {}, 0, 0, 0);
    EXPECT_EQ(territory.blackPoints + territory.whitePoints, 0);
}

}  // namespace
}  // namespace tessera
