#include "app/settings.h"

#include <gtest/gtest.h>

#include "platform/ini_file.h"
#include "support/test_support.h"

namespace tessera {
namespace {

class SettingsTest : public ::testing::Test {
protected:
    std::string path(const std::string& name) const { return (scratch_ / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        EXPECT_TRUE(test::writeBytes(scratch_ / name, text));
        return path(name);
    }
    test::ScratchFolder scratch_;
};

TEST_F(SettingsTest, MissingFilesGiveTheDefaults) {
    DefaultSettings settings;
    settings.stoneDelay = 1;
    settings.boardStyle = 2;
    settings.komi = 0;
    LoadGeneralSettings(path("absent.ini"), settings);
    LoadBoardSettings(path("absent.ini"), settings);
    LoadRuleSettings(path("absent.ini"), settings);
    EXPECT_EQ(settings.stoneDelay, 500);
    EXPECT_EQ(settings.boardStyle, 0);
    EXPECT_EQ(settings.ruleType, 2);
    EXPECT_DOUBLE_EQ(settings.komi, 6.5);
    EXPECT_DOUBLE_EQ(settings.gfpPer, 0.98);
    const LanguageSetting language = LoadLanguage(path("absent.ini"), 936);
    EXPECT_EQ(language.storedValue, 1);
    EXPECT_EQ(language.language, kLanguageEnglish);
    EXPECT_EQ(LoadOnlineUpdateUrl(path("absent.ini")), "");  // no built-in server
}

TEST_F(SettingsTest, DisplayProportionsAreClampedEachByItself) {
    struct Case {
        const char* gfp;
        const char* glp;
        double gfpRead;
        double glpRead;
    };
    for (const Case& c : {Case{"0.3", "1.5", 0.5, 1.0}, Case{"abc", "0.5", 0.5, 0.5}, Case{"0.6", "0.9", 0.6, 0.9},
                          Case{"1.0", "-7", 1.0, 0.5}, Case{"nan", "inf", 0.5, 0.5}}) {
        const std::string file = write("v.ini", std::string("[VANTOR]\nGFPPer=") + c.gfp + "\nGLPPer=" + c.glp + "\n");
        DefaultSettings settings;
        LoadGeneralSettings(file, settings);
        EXPECT_DOUBLE_EQ(settings.gfpPer, c.gfpRead) << c.gfp;
        EXPECT_DOUBLE_EQ(settings.glpPer, c.glpRead) << c.glp;
    }
}

TEST_F(SettingsTest, KomiKeepsTwoDecimalsOnlyUnderChineseRules) {
    EXPECT_EQ(formatKomi(1, 7.75), "7.75");
    EXPECT_EQ(formatKomi(2, 7.75), "7.8");
    EXPECT_EQ(formatKomi(4, 8.0), "8.0");
    EXPECT_EQ(formatDisplayProportion(0.5), "0.50");

    const std::string file = path("rule.ini");
    ASSERT_TRUE(SaveRuleSettings(file, 1, 7.75));
    DefaultSettings settings;
    LoadRuleSettings(file, settings);
    EXPECT_EQ(settings.ruleType, 1);
    EXPECT_DOUBLE_EQ(settings.komi, 7.75);
    ASSERT_TRUE(SaveRuleSettings(file, 2, 7.75));
    EXPECT_EQ(readIniString(file, "SETTING", "KOMI", ""), "7.8");
}

TEST_F(SettingsTest, RoundTripKeepsForeignKeysAndComments) {
    const std::string original =
        "; my settings\r\n"
        "[SETTING]\r\n"
        "StoneSound=1\r\n"
        "OnLineUpdateURL=http://mirror.example/\r\n"
        "OtherTool=keep me\r\n"
        "[VANTOR]\r\n"
        "GFPPer=0.7\r\n"
        "[BOARD]\r\n"
        "GraphBoardLight=-20\r\n"
        "[FOREIGN]\r\n"
        "x=1\r\n";
    const std::string file = write("custom/vantor.ini", original);

    DefaultSettings settings;
    LoadGeneralSettings(file, settings);
    LoadBoardSettings(file, settings);
    EXPECT_DOUBLE_EQ(settings.gfpPer, 0.7);
    EXPECT_EQ(settings.graphBoardLight, -20);

    settings.stoneSound = 0;
    settings.glpPer = 0.55;
    settings.showCue = 1;
    settings.showMatrixPatterns = 1;
    settings.graphBoardLight = 35;
    settings.boardStyle = 1;
    ASSERT_TRUE(SaveGeneralSettings(file, settings));
    ASSERT_TRUE(SaveBoardSettings(file, settings));

    DefaultSettings reread;
    LoadGeneralSettings(file, reread);
    LoadBoardSettings(file, reread);
    EXPECT_EQ(reread.stoneSound, 0);
    EXPECT_DOUBLE_EQ(reread.gfpPer, 0.7);
    EXPECT_DOUBLE_EQ(reread.glpPer, 0.55);
    EXPECT_EQ(reread.showCue, 1);
    EXPECT_EQ(reread.showMatrixPatterns, 0);  // held only in memory
    EXPECT_EQ(reread.graphBoardLight, 35);
    EXPECT_EQ(reread.boardStyle, 1);

    const std::string saved = test::readBytes(file);
    EXPECT_EQ(saved.rfind("; my settings\r\n[SETTING]\r\nStoneSound=0\r\n", 0), 0u) << saved;
    for (const char* kept : {"OnLineUpdateURL=http://mirror.example/\r\n", "OtherTool=keep me\r\n",
                             "[FOREIGN]\r\nx=1\r\n", "GFPPer=0.70\r\n", "GLPPer=0.55\r\n"})
        EXPECT_NE(saved.find(kept), std::string::npos) << kept << " in\n" << saved;
    EXPECT_EQ(LoadOnlineUpdateUrl(file), "http://mirror.example/");
}

TEST_F(SettingsTest, SavingMakesTheFolderAndAnUnwritableFileIsReported) {
    EXPECT_TRUE(SaveLanguage(path("deep/custom/lang.ini"), 10002));
    EXPECT_EQ(LoadLanguage(path("deep/custom/lang.ini"), 0).language, kLanguageTraditionalChinese);

    write("blocker", "a file where a folder should be");
    EXPECT_FALSE(SaveRuleSettings(path("blocker/rule.ini"), 1, 7.5));
}

TEST_F(SettingsTest, LanguageFileFollowsTheRules) {
    const std::string file = path("lang.ini");
    struct Case {
        const char* text;
        int codePage;
        int language;
        bool big5;
    };
    for (const Case& c : {Case{"[SETTING]\nLANG=0\n", 936, kLanguageSimplifiedChinese, false},
                          Case{"[SETTING]\nLANG=0\n", 950, kLanguageTraditionalChinese, true},
                          Case{"[SETTING]\nLANG=10005\n", 950, kLanguageEnglish, true},
                          Case{"[setting]\nlang=10001\n", 0, kLanguageSimplifiedChinese, false},
                          Case{"[SETTING]\nLANG=\n", 936, kLanguageEnglish, false},
                          Case{"\xFF\x01[SETTING\nLANG=0", 936, kLanguageEnglish, false}}) {
        write("lang.ini", c.text);
        const LanguageSetting setting = LoadLanguage(file, c.codePage);
        EXPECT_EQ(setting.language, c.language) << c.text << " @" << c.codePage;
        EXPECT_EQ(setting.big5System, c.big5) << c.text << " @" << c.codePage;
    }
}

}  // namespace
}  // namespace tessera
