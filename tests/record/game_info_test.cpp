#include <gtest/gtest.h>

#include <limits>

#include "record/game_info.h"
#include "record/game_node.h"

namespace tessera {
namespace {

TEST(ResultParserTest, PrefixesDecideFirst) {
    EXPECT_EQ(parseResultType("W+R"), kResultWhiteWins);
    EXPECT_EQ(parseResultType("  w+3.5 "), kResultWhiteWins);
    EXPECT_EQ(parseResultType("白胜2目半"), kResultWhiteWins);
    EXPECT_EQ(parseResultType("B+Resign"), kResultBlackWins);
    EXPECT_EQ(parseResultType("b+T"), kResultBlackWins);
    EXPECT_EQ(parseResultType("黑胜 白负"), kResultBlackWins);  // the prefix wins over the words
    EXPECT_EQ(parseResultType("0"), kResultDraw);
    EXPECT_EQ(parseResultType("Draw"), kResultDraw);
    EXPECT_EQ(parseResultType("DRAW"), kResultDraw);
    EXPECT_EQ(parseResultType("和棋"), kResultDraw);
    EXPECT_EQ(parseResultType("本局和棋"), kResultDraw);
}

TEST(ResultParserTest, WordsAnywhereInTheText) {
    EXPECT_EQ(parseResultType("执白中盘胜"), kResultWhiteWins);
    EXPECT_EQ(parseResultType("执黑负"), kResultWhiteWins);
    EXPECT_EQ(parseResultType("执白负"), kResultBlackWins);
    EXPECT_EQ(parseResultType("执黑3/4子胜"), kResultBlackWins);
    EXPECT_EQ(parseResultType("黑白"), kResultUnknown);
    EXPECT_EQ(parseResultType("黑胜负"), kResultBlackWins);  // begins with 黑胜
    EXPECT_EQ(parseResultType("执黑胜负未定"), kResultUnknown);
    EXPECT_EQ(parseResultType(""), kResultUnknown);
    EXPECT_EQ(parseResultType("?"), kResultUnknown);
    EXPECT_EQ(parseResultType("00"), kResultUnknown);
}

TEST(RuleParserTest, FirstRuleNameInTableOrderDecides) {
    EXPECT_EQ(parseRuleType("中国规则"), kRulesChinese);
    EXPECT_EQ(parseRuleType("日本规则, 中国"), kRulesChinese);
    EXPECT_EQ(parseRuleType("韩国"), kRulesKorean);
    EXPECT_EQ(parseRuleType("应氏规则"), kRulesIng);
    EXPECT_EQ(parseRuleType("Japanese"), -1);
    EXPECT_EQ(parseRuleType(""), -1);
}

TEST(GameInfoTest, KomiTextAndTitle) {
    EXPECT_DOUBLE_EQ(parseKomi("6.5"), 6.5);
    // Hundredths, as some servers write komi: from 100 up and a whole multiple of 25.
    EXPECT_DOUBLE_EQ(parseKomi(" 375 "), 3.75);
    EXPECT_DOUBLE_EQ(parseKomi("750"), 7.5);
    EXPECT_DOUBLE_EQ(parseKomi("650"), 6.5);
    EXPECT_DOUBLE_EQ(parseKomi("-650"), -6.5);
    EXPECT_DOUBLE_EQ(parseKomi("100"), 1.0);
    EXPECT_DOUBLE_EQ(parseKomi("110"), 110.0);
    EXPECT_DOUBLE_EQ(parseKomi("75"), 75.0);
    EXPECT_DOUBLE_EQ(parseKomi("750.5"), 750.5);
    EXPECT_DOUBLE_EQ(parseKomi("-0.5"), -0.5);
    EXPECT_DOUBLE_EQ(parseKomi("six"), 0.0);
    EXPECT_DOUBLE_EQ(parseKomi(""), 0.0);

    GameInfo info;
    EXPECT_EQ(info.title(), "无比赛信息");
    info.blackName = "古力";
    info.blackRank = "九段";
    info.whiteName = "李世石";
    info.resultText = "W+R";
    EXPECT_EQ(info.title(), "黑 古力(九段) VS 白 李世石(结果: W+R)");
    info.resultText.clear();
    info.whiteRank = "九段";
    EXPECT_EQ(info.title(), "黑 古力(九段) VS 白 李世石(九段)");
    info.blackRank.clear();
    EXPECT_EQ(info.title(), "黑 古力 VS 白 李世石(九段)");
}

TEST(GameInfoTest, DisplayTextsCoverEveryValueAndFallBack) {
    EXPECT_EQ(resultTypeText(-1), "结果不详");
    EXPECT_EQ(resultTypeText(2), "白赢");
    EXPECT_EQ(resultTypeText(9), "结果不详");
    EXPECT_EQ(ruleTypeText(4), "应氏规则");
    EXPECT_EQ(langTypeText(2), "繁体中文(BIG5)");
    EXPECT_EQ(mediaTypeText(5), "连棋");
    EXPECT_EQ(playerKindText(1), "电脑");
    EXPECT_EQ(moveTagText(16), "手筋");
    EXPECT_EQ(moveTagText(99), "未知标签类型");
    EXPECT_EQ(evaluationIndex(0.7), 7);
    EXPECT_EQ(evaluationIndex(0.5), 5);
    EXPECT_EQ(evaluationIndex(1.0), 10);
    // A file may hold any double: clamped before it becomes an int.
    EXPECT_EQ(evaluationIndex(1e300), 10);
    EXPECT_EQ(evaluationIndex(std::numeric_limits<double>::infinity()), 10);
    EXPECT_EQ(evaluationIndex(-std::numeric_limits<double>::infinity()), 0);
    EXPECT_EQ(evaluationIndex(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(evaluationText(evaluationIndex(0.5)), "形势两分");
}

}  // namespace
}  // namespace tessera
