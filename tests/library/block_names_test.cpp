// Display names of the custom index blocks from block/translate.ini.

#include <gtest/gtest.h>

#include "library/block_names.h"
#include "support/test_support.h"

namespace tessera {
namespace {

constexpr const char* kIni =
    "[item0]\nkey=famous\nGB=名局\nEnglish=Famous games\n"
    "[item1]\nkey=openings\nGB=布局\n"  // no English name
    "[item2]\nkey=tesuji\nGB=手筋\nEnglish=Tesuji\n";

TEST(BlockNames, ReadsTheNameOfTheInterfaceLanguageBothWays) {
    test::ScratchFolder folder;
    const std::string ini = (folder / "translate.ini").string();
    ASSERT_TRUE(test::writeBytes(ini, kIni));

    const BlockNameMap english = LoadBlockNames(ini, kLanguageEnglish);
    EXPECT_EQ(english.size(), 2u);
    EXPECT_EQ(english.displayName("famous"), "Famous games");
    EXPECT_EQ(english.keyOf("Tesuji"), "tesuji");
    EXPECT_EQ(english.displayName("openings"), "");

    const BlockNameMap simplified = LoadBlockNames(ini, kLanguageSimplifiedChinese);
    EXPECT_EQ(simplified.size(), 3u);
    EXPECT_EQ(simplified.displayName("openings"), "布局");
    EXPECT_EQ(simplified.keyOf("名局"), "famous");

    const BlockNameMap traditional = LoadBlockNames(ini, kLanguageTraditionalChinese);
    EXPECT_EQ(traditional.displayName("tesuji"), "手筋");
    EXPECT_EQ(traditional.keyOf("名局"), "famous");
    EXPECT_EQ(traditional.displayName("openings"), "佈局");
}

TEST(BlockNames, StopsAtTheFirstMissingItemAndBoundsValues) {
    test::ScratchFolder folder;
    const std::string ini = (folder / "translate.ini").string();
    std::string longName;
    for (int i = 0; i < 100; ++i)
        longName += "名";  // 300 bytes
    ASSERT_TRUE(test::writeBytes(ini, "[item0]\nkey=a\nGB=" + longName + "\n[item2]\nkey=c\nGB=C\n"));
    const BlockNameMap map = LoadBlockNames(ini, kLanguageSimplifiedChinese);
    EXPECT_EQ(map.size(), 1u);
    EXPECT_EQ(map.displayName("c"), "");
    EXPECT_EQ(map.displayName("a").size(), 255u);  // 85 whole characters
    EXPECT_EQ(LoadBlockNames((folder / "missing.ini").string(), kLanguageEnglish).size(), 0u);
    ASSERT_TRUE(test::writeBytes(ini, std::string("\0\xff[item0\nkey", 12)));
    EXPECT_EQ(LoadBlockNames(ini, kLanguageEnglish).size(), 0u);
}

}  // namespace
}  // namespace tessera
