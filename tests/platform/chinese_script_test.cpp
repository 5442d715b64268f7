// Simplified <-> Traditional conversion of UTF-8 texts through OpenCC.

#include <gtest/gtest.h>

#include "platform/chinese_script.h"

namespace tessera {
namespace {

TEST(ChineseScript, ConvertsBothWays) {
    ASSERT_TRUE(chineseConversionAvailable());
    EXPECT_EQ(GbToBig5("聂卫平"), "聶衛平");
    EXPECT_EQ(GbToBig5("应氏杯世界职业围棋锦标赛"), "應氏杯世界職業圍棋錦標賽");
    EXPECT_EQ(Big5ToGb("應氏杯世界職業圍棋錦標賽"), "应氏杯世界职业围棋锦标赛");
    EXPECT_EQ(Big5ToGb("聶衛平"), "聂卫平");
    // Taiwan phrases, not only characters.
    EXPECT_EQ(GbToBig5("软件"), "軟體");
}

TEST(ChineseScript, LeavesOtherTextAlone) {
    EXPECT_EQ(GbToBig5(""), "");
    EXPECT_EQ(Big5ToGb(""), "");
    EXPECT_EQ(GbToBig5("Lee Sedol 9p, B+R"), "Lee Sedol 9p, B+R");
    EXPECT_EQ(GbToBig5("이세돌 井山裕太"), "이세돌 井山裕太");
    // Bytes that are not UTF-8 (a GBK or Big5 string that slipped through) come back as they were.
    const std::string gbk = "\xb9\xc5\xc1\xa6";  // 古力 in GBK
    EXPECT_EQ(GbToBig5(gbk), gbk);
    EXPECT_EQ(Big5ToGb(gbk + "\xff"), gbk + "\xff");
}

}  // namespace
}  // namespace tessera
