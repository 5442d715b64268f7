// The dictionary of data texts over a real dic.db: building it, its three modes with their
// fallbacks, and the translation of whole records for the interface language.

#include <gtest/gtest.h>

#include "library/database.h"
#include "library/database_query.h"
#include "library/dictionary_builder.h"
#include "library/record_translation.h"
#include "library/text_dictionary.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::ScratchFolder;

constexpr const char* kTsv =
    "# players\n"
    "古力\tGu Li\n"
    "朴廷桓\tPark Junghwan\t朴廷桓\n"
    "三星杯\tSamsung Cup\n"
    "古力\tGu Li 9p\n"  // a later row for the same text wins
    "\n"
    "黑中盘胜\tB+R\n";

class DictionaryTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = (folder / "dic.db").string();
        const DictionaryBuildResult built = buildDictionary(kTsv, path);
        ASSERT_TRUE(built.ok) << built.message;
        ASSERT_EQ(built.rows, 5u);
        ASSERT_EQ(connect(database, path), 1) << database.lastError();
    }
    ScratchFolder folder;
    std::string path;
    Database database;
};

TEST_F(DictionaryTest, EnglishModeUsesTheLaterRowAndLeavesUnknownTextsAlone) {
    // A row with an empty English text is not loaded.
    ASSERT_EQ(execute(database, "INSERT INTO GB2Other VALUES (9, '柯洁', '', '')"), 1);
    TextDictionary dictionary;
    ASSERT_TRUE(dictionary.Load(database, TextDictionary::kToEnglish));
    EXPECT_EQ(dictionary.size(), 4u);
    EXPECT_EQ(dictionary.entries().size(), 5u);  // the earlier 古力 entry stays, unreached

    std::string out = "unchanged";
    EXPECT_TRUE(dictionary.Translate("古力", out));
    EXPECT_EQ(out, "Gu Li 9p");
    out = "unchanged";
    EXPECT_FALSE(dictionary.Translate("柯洁", out));
    EXPECT_EQ(out, "unchanged");
    EXPECT_FALSE(dictionary.Translate("", out));
    EXPECT_EQ(out, "");
    std::string field = "三星杯";
    EXPECT_TRUE(dictionary.TranslateInPlace(field));
    EXPECT_EQ(field, "Samsung Cup");
}

TEST_F(DictionaryTest, TraditionalModeTakesEntriesThenConverts) {
    TextDictionary dictionary;
    ASSERT_TRUE(dictionary.Load(database, TextDictionary::kToTraditional));
    EXPECT_EQ(dictionary.size(), 1u);  // only rows with a Traditional text
    std::string out;
    EXPECT_TRUE(dictionary.Translate("朴廷桓", out));
    EXPECT_EQ(out, "朴廷桓");                          // OpenCC alone would write 樸廷桓
    EXPECT_TRUE(dictionary.Translate("聂卫平", out));  // no entry: converted
    EXPECT_EQ(out, "聶衛平");
    EXPECT_TRUE(dictionary.Translate("Lee Sedol", out));
    EXPECT_EQ(out, "Lee Sedol");
    EXPECT_FALSE(dictionary.Translate("", out));
}

TEST_F(DictionaryTest, SimplifiedModeConvertsAndOtherModesOrABrokenDictionaryLoadNothing) {
    const TextDictionary toSimplified(TextDictionary::kToSimplified);
    std::string out;
    EXPECT_TRUE(toSimplified.Translate("聶衛平對趙治勳", out));
    EXPECT_EQ(out, "聂卫平对赵治勋");

    TextDictionary other;
    other.addEntry(1, "古力", "Gu Li");
    EXPECT_FALSE(other.Load(database, TextDictionary::kToSimplified));  // only modes 0 and 1 load
    EXPECT_FALSE(other.Load(database, 7));
    EXPECT_EQ(other.size(), 0u);
    out = "x";
    EXPECT_FALSE(other.Translate("古力", out));
    EXPECT_EQ(out, "x");
    ASSERT_EQ(execute(database, "DROP TABLE GB2Other"), 1);
    other.addEntry(1, "古力", "Gu Li");
    EXPECT_FALSE(other.Load(database, TextDictionary::kToEnglish));
    EXPECT_EQ(other.size(), 0u);
    database.close();
    EXPECT_FALSE(other.Load(database, TextDictionary::kToEnglish));
}

TEST_F(DictionaryTest, InterfaceDictionaryPerLanguage) {
    database.close();
    TextDictionary dictionary;
    std::string out;
    ASSERT_TRUE(prepareInterfaceDictionary(dictionary, kLanguageEnglish, path));
    EXPECT_EQ(dictionary.mode(), TextDictionary::kToEnglish);
    EXPECT_TRUE(dictionary.Translate("三星杯", out));

    ASSERT_TRUE(prepareInterfaceDictionary(dictionary, kLanguageTraditionalChinese, path));
    EXPECT_EQ(dictionary.mode(), TextDictionary::kToTraditional);
    EXPECT_TRUE(dictionary.Translate("朴廷桓", out));
    EXPECT_EQ(out, "朴廷桓");

    ASSERT_TRUE(prepareInterfaceDictionary(dictionary, kLanguageSimplifiedChinese, path));
    EXPECT_EQ(dictionary.size(), 0u);
    EXPECT_EQ(dictionary.mode(), TextDictionary::kToTraditional);

    // Without a dictionary file English texts stay Chinese.
    EXPECT_FALSE(prepareInterfaceDictionary(dictionary, kLanguageEnglish, (folder / "missing.db").string()));
    EXPECT_EQ(dictionary.size(), 0u);
    out = "";
    EXPECT_FALSE(dictionary.Translate("古力", out));
}

GameRecord sampleRecord() {
    GameRecord record;
    record.info.blackName = "古力";
    record.info.whiteName = "聂卫平";
    record.info.event = "三星杯";
    record.info.resultText = "黑中盘胜";
    record.info.date = "2009-11-11";
    record.tags.push_back({1, 0, 0, "三星杯"});
    GameNode root;
    root.name = "古力";
    root.comments.push_back({"三星杯", "黑中盘胜"});
    root.labels.push_back({3, 0, "古力"});  // "Gu Li 9p" would not fit a label
    root.labels.push_back({4, 0, "黑胜"});
    record.tree.addNode(root);
    return record;
}

TEST_F(DictionaryTest, TranslateRecordReachesEveryText) {
    TextDictionary english;
    ASSERT_TRUE(english.Load(database, TextDictionary::kToEnglish));
    english.addEntry(100, "黑胜", "B+");
    GameRecord record = sampleRecord();
    TranslateRecord(record, english);
    EXPECT_EQ(record.info.blackName, "Gu Li 9p");
    EXPECT_EQ(record.info.whiteName, "聂卫平");  // no entry
    EXPECT_EQ(record.info.event, "Samsung Cup");
    EXPECT_EQ(record.info.resultText, "B+R");
    EXPECT_EQ(record.info.date, "2009-11-11");
    EXPECT_EQ(record.tags[0].text, "Samsung Cup");
    const GameNode& root = *record.tree.root();
    EXPECT_EQ(root.name, "Gu Li 9p");
    EXPECT_EQ(root.comments[0].title, "Samsung Cup");
    EXPECT_EQ(root.comments[0].body, "B+R");
    EXPECT_EQ(root.labels[0].text, "古力");
    EXPECT_EQ(root.labels[1].text, "B+");
}

TEST_F(DictionaryTest, RecordsAreTranslatedOnlyForTheRightLanguagePairs) {
    TextDictionary traditional;
    ASSERT_TRUE(prepareInterfaceDictionary(traditional, kLanguageTraditionalChinese, path));

    GameRecord record = sampleRecord();
    EXPECT_TRUE(translateRecordForInterface(record, 1, kLanguageTraditionalChinese, traditional));
    EXPECT_EQ(record.info.whiteName, "聶衛平");
    EXPECT_EQ(record.info.resultText, "黑中盤勝");

    // Traditional texts under the Simplified interface come back through Big5ToGb.
    TextDictionary unused(TextDictionary::kToEnglish);
    EXPECT_TRUE(translateRecordForInterface(record, 2, kLanguageSimplifiedChinese, unused));
    EXPECT_EQ(record.info.whiteName, "聂卫平");
    EXPECT_EQ(record.info.resultText, "黑中盘胜");

    const GameRecord before = record;
    for (auto [text, ui] : {std::pair{1, 1}, {2, 2}, {2, 0}, {0, 0}, {-1, 2}}) {
        EXPECT_FALSE(translateRecordForInterface(record, text, interfaceLanguageFromIndex(ui), traditional));
        EXPECT_EQ(record.info, before.info);
    }
}

TEST(DictionaryBuilder, RejectsBadLinesAndKeepsTheOldFile) {
    ScratchFolder folder;
    const std::string path = (folder / "dic.db").string();
    ASSERT_TRUE(buildDictionary("古力\tGu Li\n", path).ok);
    for (const std::string bad : {"古力\n", "\tGu Li\n", "a\tb\tc\td\n", "ok\tfine\n\xff\xfe\tbad\n"}) {
        const DictionaryBuildResult result = buildDictionary(bad, path);
        EXPECT_FALSE(result.ok) << bad;
        EXPECT_NE(result.message.find("line"), std::string::npos);
    }
    EXPECT_NE(buildDictionary("ok\tfine\n\xff\tbad\n", path).message.find("line 2"), std::string::npos);
    Database database;
    ASSERT_EQ(connect(database, path), 1);
    EXPECT_EQ(lookupNumber(database, "GB2Other", "GB_TEXT", "古力", "ID"), 1);
    database.close();
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    // A byte order mark, CRLF lines and blanks around fields are fine.
    const DictionaryBuildResult result = buildDictionary("\xEF\xBB\xBF柯洁 \t Ke Jie\r\n\r\n", path);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_EQ(result.rows, 1u);
    TextDictionary dictionary;
    ASSERT_EQ(connect(database, path), 1);
    ASSERT_TRUE(dictionary.Load(database, TextDictionary::kToEnglish));
    std::string out;
    EXPECT_TRUE(dictionary.Translate("柯洁", out));
    EXPECT_EQ(out, "Ke Jie");
}

TEST(DictionaryBuilder, ShippedDictionaryBuildsAndTranslatesPlayersOfThreeCountries) {
    const std::string tsv = test::readBytes(test::shippedData("dictionary.tsv"));
    ASSERT_FALSE(tsv.empty());
    ScratchFolder folder;
    const std::string path = (folder / "dic.db").string();
    const DictionaryBuildResult result = buildDictionary(tsv, path);
    ASSERT_TRUE(result.ok) << result.message;
    EXPECT_GE(result.rows, 300u);
    TextDictionary dictionary;
    ASSERT_TRUE(prepareInterfaceDictionary(dictionary, kLanguageEnglish, path));
    EXPECT_EQ(dictionary.size(), result.rows);  // no text twice
    for (auto [chinese, english] : {std::pair{"柯洁", "Ke Jie"},
                                    {"井山裕太", "Iyama Yuta"},
                                    {"李昌镐", "Lee Changho"},
                                    {"本因坊战", "Honinbo"},
                                    {"应氏杯", "Ing Cup"}}) {
        std::string out;
        EXPECT_TRUE(dictionary.Translate(chinese, out));
        EXPECT_EQ(out, english);
    }
}

}  // namespace
}  // namespace tessera
