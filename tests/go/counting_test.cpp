// Counting: region assignment, the area and territory formulas and their report texts.
#include "go/counting.h"

#include <gtest/gtest.h>

namespace tessera {
namespace {

// A 9 x 9 position from rows of '.', 'X' (black) and 'O' (white), top row first.
BoardGrid board(const std::vector<std::string>& rows) {
    BoardGrid grid(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
    for (size_t y = 0; y < rows.size(); ++y)
        for (size_t x = 0; x < rows[y].size(); ++x)
            grid.set(grid.pointAt(static_cast<int>(x), static_cast<int>(y)),
                     rows[y][x] == 'X' ? kBlack : rows[y][x] == 'O' ? kWhite : kEmpty);
    return grid;
}

// Black walls off 35 empty points with 9 stones (44); white holds 10 stones and 27 points (37).
BoardGrid workedExample() {
    return board({
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
    EXPECT_EQ(result.resultWord, "白胜");
    EXPECT_EQ(result.marginText, "0.25 子");
    EXPECT_EQ(result.summary, "白胜  0.25 子");
    EXPECT_EQ(result.report,
              "结果:\r\n黑: 44-3.75(贴子)=40.25\r\n白: 37+3.75(贴子)=40.75\r\n白胜  0.25 子");
    EXPECT_EQ(result.blackOwned.size(), 44u);  // stones and territory alike
    EXPECT_EQ(result.whiteOwned.size(), 37u);
}

TEST(Counting, TerritoryCountWithAGroupMarkedDead) {
    // A black group of four stones inside white's area, marked dead.
    BoardGrid position = board({
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
    EXPECT_EQ(result.marginText, "1.5目");
    EXPECT_EQ(result.report,
              "结果:\r\n黑方: 35(空)+3(白子)=38\r\n白方: 27(空)+6(黑子)+6.5(贴目)=39.5\r\n白胜  1.5目");
    EXPECT_EQ(result.whiteOwned.size(), 27u);  // territory only, no stones
}

TEST(Counting, NeutralRegionsAndEmptyBoards) {
    const CountResult empty = countArea(BoardGrid(9, 9), {}, 6.5);
    EXPECT_EQ(empty.blackPoints + empty.whitePoints, 0);
    EXPECT_EQ(empty.resultWord, "白胜");
    // A region touching both colours counts for nobody under both rules.
    BoardGrid seki = board({"X.O", "X.O", "X.O"});
    const CountResult area = countArea(seki, {}, 0);
    EXPECT_EQ(area.blackPoints, 3);
    EXPECT_EQ(area.whitePoints, 3);
    EXPECT_EQ(area.resultWord, "平局");
    EXPECT_EQ(area.marginText, "");
    EXPECT_EQ(area.summary, "平局  ");
    const CountResult territory = countTerritory(seki, {}, 0, 0, 0);
    EXPECT_EQ(territory.blackPoints + territory.whitePoints, 0);
}

TEST(Counting, RulesChooseTheCount) {
    const BoardGrid position = workedExample();
    EXPECT_TRUE(countByRules(1, position, {}, 3.75, 0, 0).areaCount);
    EXPECT_FALSE(countByRules(3, position, {}, 6.5, 0, 0).areaCount);
    const CountResult ing = countByRules(4, position, {}, 8, 0, 0);
    EXPECT_FALSE(ing.counted);
    EXPECT_EQ(ing.report, "只有中国规则, 韩国规则, 日本规则 才支持点算胜负! 请先修改规则类型.");
}

}  // namespace
}  // namespace tessera
