#include "app/language_choice.h"

#include <gtest/gtest.h>
#include <map>

#include "support/test_support.h"

namespace tessera {
namespace {

TEST(LanguageRules, StoredValuesMapToLanguages) {
    // 0 follows the system's code page.
    EXPECT_EQ(chooseLanguage(0, 936), kLanguageSimplifiedChinese);
    EXPECT_EQ(chooseLanguage(0, 950), kLanguageTraditionalChinese);
    EXPECT_EQ(chooseLanguage(0, 0), kLanguageEnglish);
    EXPECT_EQ(chooseLanguage(0, 1252), kLanguageEnglish);
    // 10000 + index is an explicit choice; an index of 3 or more means English.
    EXPECT_EQ(chooseLanguage(10000, 936), kLanguageEnglish);
    EXPECT_EQ(chooseLanguage(10001, 950), kLanguageSimplifiedChinese);
    EXPECT_EQ(chooseLanguage(10002, 0), kLanguageTraditionalChinese);
    EXPECT_EQ(chooseLanguage(10003, 936), kLanguageEnglish);
    EXPECT_EQ(chooseLanguage(10005, 936), kLanguageEnglish);
    EXPECT_EQ(chooseLanguage(2147483647, 936), kLanguageEnglish);
    // Everything else, the missing key's 1 and the English menu item's 1 included, is English.
    for (int value : {1, 2, 9999, -1, -10002, -2147483647 - 1})
        EXPECT_EQ(chooseLanguage(value, 936), kLanguageEnglish) << value;
    EXPECT_EQ(chooseLanguage(languageChoiceValue(kLanguageTraditionalChinese), 0), kLanguageTraditionalChinese);
}

TEST(LanguageRules, LocalesMapToCodePages) {
    const std::map<std::string, int> expected = {
        {"zh_CN", 936},
        {"zh_CN.UTF-8", 936},
        {"zh_CN.GB18030", 936},
        {"zh_SG.GBK", 936},
        {"zh_cn.utf8", 936},
        {"zh-CN", 936},
        {"zh_TW", 950},
        {"zh_TW.Big5", 950},
        {"zh_HK.UTF-8", 950},
        {"zh_TW@radical", 950},
        {"zh_MO.UTF-8", 0},
        {"zh", 0},
        {"zh_CNX", 0},
        {"en_US.UTF-8", 0},
        {"ja_JP.UTF-8", 0},
        {"C", 0},
        {"POSIX", 0},
        {"", 0},
        {"_CN", 0},
    };
    for (const auto& [locale, codePage] : expected)
        EXPECT_EQ(codePageForLocale(locale), codePage) << locale;
}

TEST(LanguageRules, LcAllThenLcMessagesThenLangNameTheLocale) {
    test::ScopedVariable all("LC_ALL", nullptr), messages("LC_MESSAGES", nullptr), lang("LANG", "zh_TW.UTF-8");
    EXPECT_EQ(systemOemCodePage(), 950);
    messages.set("zh_CN.UTF-8");
    EXPECT_EQ(systemOemCodePage(), 936);
    all.set("");  // empty counts as unset
    EXPECT_EQ(systemLocaleName(), "zh_CN.UTF-8");
    all.set("en_GB.UTF-8");
    EXPECT_EQ(systemOemCodePage(), 0);
    all.set(nullptr);
    messages.set(nullptr);
    lang.set(nullptr);
    EXPECT_EQ(systemLocaleName(), "");
    EXPECT_EQ(systemOemCodePage(), 0);
}

}  // namespace
}  // namespace tessera
