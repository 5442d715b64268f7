// SGF files as game records: which properties fill which fields, and writing them back.

#include <gtest/gtest.h>

#include "record/record_file.h"
#include "record/sgf_file.h"
#include "support/test_support.h"

namespace tessera {
namespace {

GameRecord read(const std::string& text) {
    GameRecord record;
    std::string error;
    EXPECT_TRUE(readSgfBytes(text, record, error)) << error;
    return record;
}

std::string write(const GameRecord& record) {
    std::string text;
    std::string error;
    EXPECT_TRUE(writeSgfBytes(record, text, error)) << error;
    return text;
}

TEST(SgfFile, BuildsNodesInPreOrderAndCompletesTheGameInformation) {
    GameRecord record = read("(;SZ[9]KM[5.5]PB[Black]PW[White]RE[W+R];B[ee](;W[cc])(;W[gg]))");
    ASSERT_EQ(record.tree.size(), 4u);
    const GameNode* move = record.tree.find(1);
    ASSERT_TRUE(move);
    EXPECT_EQ(move->parentId, 0);
    EXPECT_EQ(move->move, (Move{kBlack, 4 * 9 + 4}));
    EXPECT_EQ(move->childIds, (std::vector<int32_t>{2, 3}));
    EXPECT_EQ(record.tree.find(3)->move, (Move{kWhite, 6 * 9 + 6}));
    EXPECT_EQ(record.tree.find(3)->position.get(4 * 9 + 4), int(kBlack));
    const GameInfo& info = record.info;
    EXPECT_EQ(info.boardWidth, 9);
    EXPECT_EQ(info.ruleType, kRulesJapanese);
    EXPECT_EQ(info.rulesText, "日本规则");
    EXPECT_EQ(info.resultType, kResultWhiteWins);
    EXPECT_EQ(info.appType, 1);
    EXPECT_EQ(info.totalMoves, 2);
    EXPECT_EQ(info.langType, 1);
}

TEST(SgfFile, SkipsUnusableValuesOneByOne) {
    EXPECT_FALSE(read("(;B[tt])").tree.root()->move.isStoneMove());
    EXPECT_FALSE(read("(;B[])").tree.root()->move.isStoneMove());
    EXPECT_EQ(read("(B[aa])").tree.root()->move, (Move{kBlack, 0}));
    EXPECT_EQ(read("(;B[aa]W[bb])").tree.root()->move.colour, kBlack);
    const GameRecord record = read("(;LB[aa:ABCDE][bb:x][cc]TR[dd][zz])");
    const GameNode& labelled = *record.tree.root();
    ASSERT_EQ(labelled.labels.size(), 1u);
    EXPECT_EQ(labelled.labels[0], (Label{20, 0x00FF0000u, "x"}));
    ASSERT_EQ(labelled.marks.size(), 1u);
    EXPECT_EQ(labelled.marks[0], (Mark{kMarkTriangle, 3 * 19 + 3}));
}

TEST(SgfFile, ExpandsCompressedPointLists) {
    const GameRecord record = read("(;AB[aa:cb]AW[dd])");
    const GameNode& root = *record.tree.root();
    EXPECT_EQ(root.addBlack, (PointList{0, 1, 2, 19, 20, 21}));
    EXPECT_EQ(root.position.countValue(kBlack), 6);
}

TEST(SgfFile, RefusesPointRangesThatExpandBeyondTheBudget) {
    // 4,000 nodes with a whole-board range on 52 x 52: 10.8 million points from 40 KB of text.
    std::string text = "(;SZ[52]";
    for (int i = 0; i < 4000; ++i)
        text += ";AB[aa:ZZ]";
    GameRecord record;
    std::string error;
    EXPECT_FALSE(readSgfBytes(text + ")", record, error));
    EXPECT_NE(error.find("points"), std::string::npos) << error;
    EXPECT_TRUE(record.tree.empty());
    // The same ranges spread over a few nodes within the budget still read.
    EXPECT_TRUE(readSgfBytes("(;SZ[52]AB[aa:ZZ];AW[aa:ZZ])", record, error)) << error;
    EXPECT_EQ(record.tree.root()->addBlack.size(), 52u * 52u);
}

TEST(SgfFile, ReadsBoardSizesAndRefusesHugeBoards) {
    EXPECT_EQ(read("(;SZ[19:13])").info.boardHeight, 13);
    EXPECT_EQ(read("(;SZ[0])").info.boardWidth, 19);
    EXPECT_EQ(read("(;SZ[1:2:3])").info.boardWidth, 19);
    EXPECT_EQ(read("(;SZ[52:19];B[ZZ])").info.boardWidth, 52);
    EXPECT_EQ(read("(;KM[1e999])").info.komi, 0.0);
    GameRecord record;
    std::string error;
    EXPECT_FALSE(readSgfBytes("(;SZ[200];B[aa])", record, error));
    EXPECT_NE(error.find("200"), std::string::npos);
}

TEST(SgfFile, WritesUtf8WithItsDeclarationAndTheGameInformation) {
    GameRecord record = read("(;SZ[19:13]PB[]PW[柯洁]KM[0])");
    const std::string text = write(record);
    EXPECT_EQ(text.rfind("(;GM[1]FF[4]CA[UTF-8]", 0), 0u) << text;
    EXPECT_NE(text.find("SZ[19:13]"), std::string::npos);
    EXPECT_NE(text.find("KM[0.00]"), std::string::npos);
    EXPECT_NE(text.find("PW[柯洁]"), std::string::npos);
    EXPECT_EQ(text.find("PB["), std::string::npos);
}

TEST(SgfFile, EscapesTextSoItSurvivesARoundTrip) {
    GameRecord record = read("(;C[a\\]b\\\\c];B[aa]LB[bb:x\\]])");
    EXPECT_EQ(record.tree.root()->comment(), "a]b\\c");
    const std::string text = write(record);
    EXPECT_NE(text.find("C[a\\]b\\\\c]"), std::string::npos) << text;
    GameRecord again = read(text);
    EXPECT_EQ(again.tree.root()->comment(), "a]b\\c");
    EXPECT_EQ(again.tree.find(1)->labels.at(0).text, "x]");
}

TEST(SgfFile, RoundTripKeepsTreeMarkupAndInformation) {
    const std::string original =
        "(;SZ[13]PB[甲]BR[9p]PW[乙]WR[8p]RE[B+R]RU[Chinese]KM[7.5]HA[2]EV[Cup]GN[Final]DT[2024-01-02]PC[Tokyo]US[me]"
        "SO[src]AB[aa]AW[bb]C[root];B[cc]N[start](;W[dd]TR[ee]CR[ff]SQ[gg]MA[hh]LB[ii:A];B[jj]AE[aa])(;W[kk]C[var]))";
    GameRecord record = read(original);
    GameRecord again = read(write(record));
    ASSERT_EQ(again.tree.size(), record.tree.size());
    for (const auto& node : record.tree.nodes()) {
        const GameNode* other = again.tree.find(node->id);
        ASSERT_TRUE(other);
        EXPECT_EQ(other->move, node->move);
        EXPECT_EQ(other->childIds, node->childIds);
        EXPECT_EQ(other->addBlack, node->addBlack);
        EXPECT_EQ(other->clearPoints, node->clearPoints);
        EXPECT_EQ(other->marks, node->marks);
        EXPECT_EQ(other->labels, node->labels);
        EXPECT_EQ(other->comments, node->comments);
        EXPECT_EQ(other->name, node->name);
        EXPECT_TRUE(other->position == node->position);
    }
    EXPECT_EQ(record.info.handicap, 2);
    EXPECT_EQ(again.info, record.info);
}

TEST(SgfFile, EveryMoveTagAndEvaluationSurvivesARoundTrip) {
    // One move per tag, then one per evaluation entry and two values between entries; the root
    // (no move) carries a tag and an evaluation too.
    std::string text = "(;SZ[9]";
    for (int i = 0; i < int(kMoveTagCount) + 13; ++i)
        text += std::string(i % 2 ? ";W[" : ";B[") + char('a' + i % 9) + char('a' + i / 9) + "]";
    GameRecord record = read(text + ")");
    std::vector<GameNode*> line;
    for (GameNode* node = record.tree.root(); node;
         node = node->childIds.empty() ? nullptr : record.tree.find(node->childIds[0]))
        line.push_back(node);
    ASSERT_EQ(line.size(), kMoveTagCount + 14);
    line[0]->moveTag = kMoveTagWrong;
    line[0]->evaluation = 0.1;
    for (uint32_t tag = 0; tag < kMoveTagCount; ++tag)
        line[1 + tag]->moveTag = tag;
    const double values[13] = {0.0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 0.73, 0.55};
    for (int i = 0; i < 13; ++i)
        line[1 + kMoveTagCount + i]->evaluation = values[i];
    const std::string written = write(record);
    EXPECT_NE(written.find("W[ba]TE[2]TSTAG[1]"), std::string::npos) << written;
    EXPECT_NE(written.find("TE[1]"), std::string::npos) << "手筋 is written the standard way";
    EXPECT_NE(written.find("GB[1]TSEVAL[0.73]"), std::string::npos);
    const GameRecord again = read(written);
    for (const GameNode* node : line) {
        const GameNode* other = again.tree.find(node->id);
        ASSERT_TRUE(other);
        EXPECT_EQ(other->moveTag, node->moveTag) << "node " << node->id;
        EXPECT_EQ(other->evaluation, node->evaluation) << "node " << node->id;
    }
}

TEST(SgfFile, ReadsTheStandardAnnotationOfOtherPrograms) {
    const GameRecord record = read(
        "(;SZ[9]GB[1]TE[1];B[aa]TE[1]GB[2];W[bb]BM[2]GW[1];B[cc]DO[]DM[1];W[dd]IT[]UC[1];B[ee]TE[2]GW[2]"
        ";W[ff]BM[1]HO[2];B[gg]BM[1]TSTAG[99]GB[1]TSEVAL[x];W[hh]TSTAG[3]GW[1]TSEVAL[0.35])");
    const std::pair<uint32_t, double> expected[] = {{0, 0.7},
                                                    {kMoveTagTesuji, 0.8},
                                                    {kMoveTagBadMove, 0.3},
                                                    {kMoveTagDoubtful, 0.5},
                                                    {4, 0.5},
                                                    {2, 0.2},
                                                    {kMoveTagBadMove, 0.5},
                                                    {kMoveTagBadMove, 0.7},
                                                    {3, 0.35}};
    ASSERT_EQ(record.tree.size(), std::size(expected));
    for (int id = 0; id < int(std::size(expected)); ++id) {
        EXPECT_EQ(record.tree.find(id)->moveTag, expected[id].first) << "node " << id;
        EXPECT_EQ(record.tree.find(id)->evaluation, expected[id].second) << "node " << id;
    }
}

TEST(SgfFile, RefusesWhatItCannotWrite) {
    GameRecord empty;
    std::string text;
    std::string error;
    EXPECT_FALSE(writeSgfBytes(empty, text, error));
    GameRecord wide = read("(;SZ[27];B[aa])");
    EXPECT_FALSE(writeSgfBytes(wide, text, error));
    EXPECT_NE(error.find("26"), std::string::npos);
}

TEST(SgfFile, SavesAndLoadsThroughFiles) {
    test::ScratchFolder folder;
    GameRecord record = read("(;PB[黑];B[pd];W[dd])");
    std::string error;
    ASSERT_TRUE(saveRecordFile(folder / "game.SGF", record, error)) << error;
    GameRecord loaded;
    ASSERT_TRUE(loadRecordFile(folder / "game.SGF", loaded, error)) << error;
    EXPECT_EQ(loaded.info.blackName, "黑");
    EXPECT_EQ(loaded.tree.size(), 3u);
    EXPECT_FALSE(saveSgfFile(folder / "missing" / "game.sgf", record, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(loadSgfFile(folder / "absent.sgf", loaded, error));
    EXPECT_TRUE(loaded.tree.empty());
    EXPECT_FALSE(loadSgfFile(folder.path(), loaded, error));
}

}  // namespace
}  // namespace tessera
