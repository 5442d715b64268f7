// The words of a count, from the numbers the rules core returns.
#include "room/count_report.h"

#include <gtest/gtest.h>

namespace tessera {
namespace {

TEST(CountReport, AreaAndTerritoryReportsAndTheSummaryOfAnEvenGame) {
    CountResult area;
    area.counted = true;
    area.blackPoints = 44;
    area.whitePoints = 37;
    area.komi = 3.75;
    area.blackScore = 40.25;
    area.whiteScore = 40.75;
    EXPECT_EQ(countReport(area), "结果:\r\n黑: 44-3.75(贴子)=40.25\r\n白: 37+3.75(贴子)=40.75\r\n白胜  0.25 子");

    CountResult territory = area;
    territory.areaCount = false;
    territory.blackPoints = 35;
    territory.whitePoints = 27;
    territory.blackPrisoners = 6;
    territory.whitePrisoners = 3;
    territory.komi = 6.5;
    territory.blackScore = 38;
    territory.whiteScore = 39.5;
    EXPECT_EQ(countReport(territory),
              "结果:\r\n黑方: 35(空)+3(白子)=38\r\n白方: 27(空)+6(黑子)+6.5(贴目)=39.5\r\n白胜  1.5目");

    territory.whiteScore = 38;
    EXPECT_EQ(countSummary(territory), "平局  ");
    EXPECT_EQ(countRefusal(), "只有中国规则, 韩国规则, 日本规则 才支持点算胜负! 请先修改规则类型.");
}

}  // namespace
}  // namespace tessera
