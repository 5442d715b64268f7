// tessera-cli dict build and translate, run as a user runs them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "library/record_translation.h"
#include "support/cli_run.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::CliRun;
using test::runCli;

class TranslateCli : public ::testing::Test {
protected:
    void SetUp() override {
        dictionary = (folder / "dic.db").string();
        const CliRun built = runCli({"dict", "build", test::shippedData("dictionary.tsv").string(), "-o", dictionary});
        ASSERT_EQ(built.exitCode, 0) << built.output;
        ASSERT_NE(built.output.find("entries"), std::string::npos);
    }
    test::ScratchFolder folder;
    std::string dictionary;
};

TEST_F(TranslateCli, TranslatesIntoEachLanguage) {
    EXPECT_EQ(runCli({"translate", "--lang", "en", "--dict", dictionary, "李世石"}).output, "Lee Sedol\n");
    EXPECT_EQ(runCli({"translate", "--lang", "en", "--dict", dictionary, "三星杯"}).output, "Samsung Cup\n");
    // No entry: the text as it was.
    EXPECT_EQ(runCli({"translate", "--lang", "en", "--dict", dictionary, "无名棋手"}).output, "无名棋手\n");
    EXPECT_EQ(runCli({"translate", "--lang", "zh_TW", "--dict", dictionary, "朴廷桓"}).output, "朴廷桓\n");
    EXPECT_EQ(runCli({"translate", "--lang", "zh_TW", "--dict", dictionary, "聂卫平"}).output, "聶衛平\n");
    EXPECT_EQ(runCli({"translate", "--lang", "zh_CN", "聶衛平"}).output, "聂卫平\n");

    // The dictionary in the program folder is the default.
    const CliRun fromFolder =
        runCli({"--program-folder", folder.path().string(), "translate", "--lang", "en", "井山裕太"});
    EXPECT_EQ(fromFolder.exitCode, 0);
    EXPECT_EQ(fromFolder.output, "Iyama Yuta\n");
}

TEST_F(TranslateCli, TraditionalNamesAreThoseTheWindowShows) {
    // The window translates a record just opened through the interface dictionary.
    TextDictionary interface;
    ASSERT_TRUE(prepareInterfaceDictionary(interface, kLanguageTraditionalChinese, dictionary));
    const std::pair<const char*, const char*> names[] = {
        {"余炳葟", "余炳葟"}, {"游家宁", "游家寧"}, {"朴廷桓", "朴廷桓"}, {"聂卫平", "聶衛平"}};
    for (const auto& [name, shown] : names) {
        GameRecord record;
        record.info.blackName = name;
        translateRecordForInterface(record, 1, kLanguageTraditionalChinese, interface);
        EXPECT_EQ(record.info.blackName, shown);
        const CliRun run = runCli({"translate", "--lang", "zh_TW", "--dict", dictionary, name});
        EXPECT_EQ(run.output, record.info.blackName + "\n") << name;
    }
    // Other texts convert as text.
    EXPECT_EQ(runCli({"translate", "--lang", "zh_TW", "--as", "text", "--dict", dictionary, "游家宁"}).output,
              "遊家寧\n");
    EXPECT_EQ(runCli({"translate", "--lang", "zh_TW", "--as", "place", "--dict", dictionary, "x"}).exitCode, 1);
}

TEST_F(TranslateCli, RefusesWithOneLine) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"translate", "--lang", "fr", "古力"},
          {"translate", "古力"},
          {"translate", "--lang", "en"},
          {"translate", "--lang", "en", "--dict", dictionary + ".missing", "古力"},
          {"dict", "build", dictionary + ".missing.tsv", "-o", dictionary},
          {"dict", "rebuild"}}) {
        const CliRun run = runCli(args);
        EXPECT_NE(run.exitCode, 0) << args[0];
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    }
    // A source with a bad line names it, and leaves the old dictionary in place.
    const std::string bad = (folder / "bad.tsv").string();
    ASSERT_TRUE(test::writeBytes(bad, "古力\tGu Li\n柯洁\n"));
    const CliRun run = runCli({"dict", "build", bad, "-o", dictionary});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.output.find("line 2"), std::string::npos);
    EXPECT_EQ(runCli({"translate", "--lang", "en", "--dict", dictionary, "柯洁"}).output, "Ke Jie\n");
    EXPECT_EQ(runCli({"translate", "--help"}).exitCode, 0);
    EXPECT_EQ(runCli({"dict", "--help"}).exitCode, 0);
}

}  // namespace
}  // namespace tessera
