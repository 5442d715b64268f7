// GIB import: header entries, moves, handicap, encodings and hostile input.

#include <gtest/gtest.h>

#include <random>

#include "record/gib_reader.h"
#include "record/record_file.h"
#include "support/test_support.h"

namespace tessera {
namespace {

GibReader readGib(const std::string& bytes, bool expectOk = true) {
    GibReader reader;
    std::string error;
    EXPECT_EQ(reader.readBytes(bytes, error), expectOk) << error;
    if (!expectOk) {
        EXPECT_FALSE(error.empty());
    }
    return reader;
}

TEST(GibReader, ReadsHeaderEntriesUpToTheHeaderEnd) {
    const GibReader reader = readGib(
        "\\HS\r\n\\[GAMEBLACKNAME=abc (9p)\\]\r\n\\[GAMENAME=a=b]c\\]\n\\[GAMELECNAME=\\]\n"
        "STO 0 1 1 3 3\nnoise\n\\HE\n\\[LATE=x\\]\n");
    std::string value;
    ASSERT_TRUE(reader.headerValue("GAMEBLACKNAME", value));
    EXPECT_EQ(value, "abc (9p)");
    ASSERT_TRUE(reader.headerValue("GAMENAME", value));
    EXPECT_EQ(value, "a");
    EXPECT_FALSE(reader.headerValue("GAMELECNAME", value));
    EXPECT_FALSE(reader.headerValue("LATE", value));
    EXPECT_FALSE(reader.headerValue("gamename", value));
    EXPECT_TRUE(reader.moves().empty()) << "STO lines before \\HE are not moves";
    readGib("\\[GAMENAME=x\\]\nSTO 0 1 1 3 3\n", false);
}

TEST(GibReader, ReadsMovesAndSkipsMalformedLines) {
    const GibReader reader = readGib(
        "\\HE\nSTO 0 12 2 3 15\nSTO 0 13 1 19 0\nSTO 0 14 3 1 1\nSTO 0 15 1 4\nSTO\tx\n STO 0 1 1 1 1\n"
        "STO 0 16 0 5 5\nSTO 0 17 1 0 18\n");
    ASSERT_EQ(reader.moves().size(), 3u);
    EXPECT_EQ(reader.moves()[0], (Move{kWhite, 15 * 19 + 3}));
    EXPECT_EQ(reader.moves()[1].colour, 0u);
    EXPECT_EQ(reader.moves()[2], (Move{kBlack, 18 * 19}));
}

TEST(GibReader, ImportsTheGameInformationAndALineOfMoves) {
    std::string text =
        "\\[GAMERESULT=白11目胜\\]\n\\[GAMECONDITION=韩国规则 让先\\]\n\\[GAMEWHITENAME=乙\\]\n"
        "\\[GAMEBLACKNAME=甲\\]\n\\[GAMENAME=友谊赛\\]\n\\HE\n";
    for (int i = 0; i < 250; ++i)
        text += "STO 0 " + std::to_string(i + 1) + " " + std::to_string(i % 2 + 1) + " " + std::to_string(i % 19) +
                " " + std::to_string(i / 19) + "\n";
    GameRecord record;
    gibToRecord(readGib(text), record);
    EXPECT_EQ(record.info.resultType, kResultWhiteWins);
    EXPECT_EQ(record.info.ruleType, kRulesKorean);
    EXPECT_EQ(record.info.blackName, "甲");
    EXPECT_EQ(record.info.gameName, "友谊赛");
    EXPECT_EQ(record.info.mediaType, 2);
    EXPECT_EQ(record.tree.mainLine().size(), 250u);
    EXPECT_EQ(record.info.totalMoves, 250);
    EXPECT_EQ(record.tree.root()->move, (Move{kBlack, 0}));

    GameRecord blank;
    gibToRecord(readGib("\\[GAMERESULT= 白胜\\]\n\\HE\n"), blank);
    EXPECT_EQ(blank.info.resultType, kResultUnknown);
    GameRecord english;
    gibToRecord(readGib("\\[GAMERESULT=white wins by resignation\\]\n\\HE\n"), english);
    EXPECT_EQ(english.info.resultType, kResultWhiteWins);
}

TEST(GibReader, PlacesHandicapStonesBeforeTheFirstMove) {
    GameRecord record;
    gibToRecord(readGib("\\HE\nINI 0 1 3 &4 text\nSTO 0 2 2 15 15\n"), record);
    EXPECT_EQ(record.info.handicap, 3);
    ASSERT_EQ(record.tree.size(), 2u);
    const GameNode& setup = *record.tree.root();
    EXPECT_EQ(setup.addBlack.size(), 3u);
    EXPECT_EQ(setup.position.countValue(kBlack), 3);
    EXPECT_EQ(record.tree.find(setup.childIds.at(0))->move.colour, kWhite);
    EXPECT_EQ(record.info.totalMoves, 1);
}

TEST(GibReader, DecodesHeadersByTheirCodePage) {
    // GBK with a trail byte "]" (0x81 0x5D) must not end the entry.
    GibReader chinese = readGib("\\[GIBOKIND=China\\]\n\\[GAMEBLACKNAME=\xB9\xC5\xC1\xA6\x81\x5D\\]\n\\HE\n");
    std::string value;
    ASSERT_TRUE(chinese.headerValue("GAMEBLACKNAME", value));
    EXPECT_EQ(value.rfind("古力", 0), 0u);
    EXPECT_EQ(value.size(), std::string("古力").size() + 3);
    GibReader korean = readGib("\\[GIBOKIND=Korea\\]\n\\[GAMERESULT=\xC8\xE6 \xBD\xC3\xB0\xA3\xBD\xC2\\]\n\\HE\n");
    ASSERT_TRUE(korean.headerValue("GAMERESULT", value));
    EXPECT_EQ(value, "흑 시간승");
    GameRecord record;
    gibToRecord(korean, record);
    EXPECT_EQ(record.info.resultType, kResultBlackWins);
}

TEST(GibReader, SurvivesLongLinesAndJunk) {
    std::string text = "\\[GAMENAME=" + std::string(10000, 'x') + "\\]\n\\HE\n";
    text += "STO 0 1 1 3 3 " + std::string(10000, '9') + "\n";
    const GibReader reader = readGib(text);
    std::string value;
    ASSERT_TRUE(reader.headerValue("GAMENAME", value));
    EXPECT_EQ(value.size(), GibReader::kMaxLineBytes - 2 - std::string("GAMENAME=").size());
    EXPECT_EQ(reader.moves().size(), 1u);
    std::mt19937 random(7);
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = round % 3 ? "\\HE\n" : "";
        const size_t length = random() % 300;
        const std::string alphabet = "STO INI\\[]=HE0123456789 \n\r\x81\xB9";
        for (size_t i = 0; i < length; ++i)
            bytes += round % 2 ? static_cast<char>(random() & 0xFF) : alphabet[random() % alphabet.size()];
        GibReader junk;
        std::string error;
        if (junk.readBytes(bytes, error)) {
            GameRecord record;
            gibToRecord(junk, record);
        }
    }
}

TEST(GibReader, AFileWithoutLineBreaksIsScannedOnce) {
    // 32 MB with no "\n": once a search for the line end per 899-byte piece, about 10^12
    // bytes compared; now one pass.
    std::string bytes = "\\HE\n";
    bytes.resize(size_t(32) << 20, 'x');
    GibReader reader;
    std::string error;
    EXPECT_TRUE(reader.readBytes(bytes, error)) << error;
    EXPECT_TRUE(reader.moves().empty());
}

TEST(GibReader, OpensThroughTheRecordFileDispatch) {
    test::ScratchFolder folder;
    ASSERT_TRUE(test::writeBytes(folder / "game.GIB", "\\HE\nSTO 0 1 1 3 3\n"));
    GameRecord record;
    std::string error;
    ASSERT_TRUE(loadRecordFile(folder / "game.GIB", record, error)) << error;
    EXPECT_EQ(record.tree.size(), 1u);
    ASSERT_TRUE(test::writeBytes(folder / "bad.gib", "no header end"));
    EXPECT_FALSE(loadRecordFile(folder / "bad.gib", record, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace tessera
