// (Custom copies kept and nothing shipped: the start-up tests go through the whole program.)
#include "app/settings_files.h"

#include <gtest/gtest.h>

#include "app/settings_report.h"
#include "platform/program_folders.h"
#include "support/test_support.h"

namespace tessera {
namespace {

// An installation root with the shipped defaults of data/ and an empty program folder.
class Installation {
public:
    Installation() {
        for (const char* name : {"vantor.ini", "rule.ini", "lang.ini"})
            EXPECT_TRUE(test::writeBytes(scratch_ / name, test::readBytes(test::shippedData(name)))) << name;
        std::filesystem::create_directory(scratch_ / "bin");
    }
    std::string root() const { return scratch_.path().string() + "/"; }
    std::string programFolder() const { return root() + "bin/"; }

private:
    test::ScratchFolder scratch_;
};

TEST(SettingsFiles, FirstStartCopiesTheShippedDefaultsBeforeReading) {
    Installation install;
    const SettingsFiles files = settingsFilesFor(install.root());
    ASSERT_FALSE(FileExists(files.customFolder));

    const DefaultSettings settings = LoadDefaultSettings(files, 950);
    for (const auto& [custom, shipped] :
         {std::pair{files.customLang, files.shippedLang}, std::pair{files.customRule, files.shippedRule},
          std::pair{files.customVantor, files.shippedVantor}})
        EXPECT_EQ(test::readBytes(custom), test::readBytes(shipped)) << custom;
    // The shipped LANG=0 follows the system: Big5 here.
    EXPECT_EQ(settings.language, kLanguageTraditionalChinese);
    EXPECT_TRUE(settings.big5System);
    EXPECT_EQ(settings.ruleType, 2);
    EXPECT_DOUBLE_EQ(settings.komi, 6.5);
    EXPECT_EQ(settings.stoneDelay, 500);
    EXPECT_EQ(settings.randCoor, 1);
}

TEST(SettingsReport, ShowsTheEffectiveValuesWithoutWritingAnything) {
    Installation install;
    ASSERT_TRUE(test::writeBytes(install.root() + "rule.ini", "[SETTING]\nRULETYPE=1\nKOMI=7.75\n"));
    const std::string report = settingsReport(install.programFolder(), "zh_CN.UTF-8");
    EXPECT_FALSE(FileExists(install.root() + "custom"));
    for (const char* expected : {"root folder", "OEM code page         936", "1 Simplified Chinese",
                                 "KOMI                  7.75", "GraphBoardLight       0", "shipped default"})
        EXPECT_NE(report.find(expected), std::string::npos) << expected << " in\n" << report;
    EXPECT_NE(report.find(install.root() + "custom/"), std::string::npos);
}

}  // namespace
}  // namespace tessera
