// Records survive SGG files and the node form whole: every stored node field, every game
// information field, tags, Chinese texts; a file read and written again is the same file.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <iterator>

#include "platform/text_codec.h"
#include "record/sgg_file.h"
#include "record/sgg_node.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::readBytes;
using test::ScratchFolder;
using test::writeBytes;

// A node with every stored field away from its default.
GameNode fullNode(int32_t id, int32_t parentId) {
    GameNode node;
    node.id = id;
    node.parentId = parentId;
    node.name = "变化图 A";
    node.fullSetup = 1;
    node.move = {kWhite, 72};
    node.moveTag = 16;
    node.evaluation = 0.7;
    node.addBlack = {0, 20, 360};
    node.addWhite = {1, 40};
    node.clearPoints = {72};
    node.hasMask = 1;
    node.maskPoints = {3, 4, 5};
    node.sideToMove = kBlack;
    node.marks = {{kMarkCircle, 10}, {kMarkTriangle, 11}, {kMarkDead, 12}};
    EXPECT_TRUE(node.addLabel({30, 0x0000FF, "甲乙"}));  // four GB18030 bytes
    EXPECT_TRUE(node.addLabel({31, 0, "A"}));
    node.drawRecords = {{1, -2, 3, 0x7FFFFFFF, -2147483647 - 1}};
    node.comments = {{"", "黑棋好手。Comment with ] and \\ inside"}, {"参考", "第二段"}};
    return node;
}

GameInfo fullInfo() {
    GameInfo info;
    info.libraryId = 123456;
    info.langType = 1;
    info.appType = 1;
    info.boardWidth = 13;
    info.boardHeight = 9;
    info.event = "第一届应氏杯世界职业围棋锦标赛";
    info.eventLevel = 2;
    info.gameName = "决赛第五局";
    info.date = "1989-09-05";
    info.place = "新加坡";
    info.mediaType = 1;
    info.timeLimit = "各3小时";
    info.rulesText = "应氏规则";
    info.ruleType = kRulesIng;
    info.komi = 7.5;
    info.handicap = 2;
    info.blackName = "聂卫平";
    info.blackRank = "九段";
    info.blackKind = 2;
    info.whiteName = "曹薰铉";
    info.whiteRank = "九段";
    info.whiteKind = 1;
    info.resultText = "白胜 2 目";
    info.resultType = kResultWhiteWins;
    info.totalMoves = 250;
    info.writer = "记录员";
    info.source = "围棋天地";
    return info;
}

void expectStoredFieldsEqual(const GameNode& a, const GameNode& b) {
    EXPECT_EQ(a.id, b.id);
    EXPECT_EQ(a.parentId, b.parentId);
    EXPECT_EQ(a.childIds, b.childIds);
    EXPECT_EQ(a.name, b.name);
    EXPECT_EQ(a.fullSetup, b.fullSetup);
    EXPECT_EQ(a.move, b.move);
    EXPECT_EQ(a.moveTag, b.moveTag);
    EXPECT_EQ(a.evaluation, b.evaluation);
    EXPECT_EQ(a.addBlack, b.addBlack);
    EXPECT_EQ(a.addWhite, b.addWhite);
    EXPECT_EQ(a.clearPoints, b.clearPoints);
    EXPECT_EQ(a.hasMask, b.hasMask);
    EXPECT_EQ(a.maskPoints, b.maskPoints);
    EXPECT_EQ(a.sideToMove, b.sideToMove);
    EXPECT_EQ(a.marks, b.marks);
    EXPECT_EQ(a.labels, b.labels);
    EXPECT_EQ(a.drawRecords, b.drawRecords);
    EXPECT_EQ(a.comments, b.comments);
}

GameRecord fullRecord() {
    GameRecord record;
    record.info = fullInfo();
    record.info.boardWidth = record.info.boardHeight = 19;
    record.tags = {{1, 2, 0, "开局"}, {-1, -1, -1, ""}, {7, 0, 3, "中盘战斗"}};
    GameNode root;
    root.id = 0;
    record.tree.addNode(root);
    record.tree.addNode(fullNode(1, 0));
    GameNode variation;
    variation.parentId = 0;
    variation.move = {kBlack, 60};
    record.tree.addNode(variation);  // id 2, second child of the root
    GameNode pass;
    pass.parentId = 1;
    pass.move = {kBlack, -1};
    record.tree.addNode(pass);  // id 3
    record.recomputePositions();
    return record;
}

// The record saved as an SGG file and read back.
GameRecord throughFile(const GameRecord& record) {
    ScratchFolder folder;
    std::string error;
    GameRecord back;
    EXPECT_TRUE(saveSggFile(folder / "game.sgg", record, error)) << error;
    EXPECT_TRUE(loadSggFile(folder / "game.sgg", back, error)) << error;
    return back;
}

TEST(SggRoundTrip, EveryFieldSurvivesAFile) {
    const GameRecord record = fullRecord();
    const GameRecord back = throughFile(record);

    EXPECT_EQ(back.info, record.info);
    EXPECT_EQ(back.tags, record.tags);
    ASSERT_EQ(back.tree.size(), record.tree.size());
    for (const auto& node : record.tree.nodes()) {
        const GameNode* read = back.tree.find(node->id);
        ASSERT_NE(read, nullptr) << node->id;
        expectStoredFieldsEqual(*node, *read);
        // Derived fields come back by recomputation.
        EXPECT_EQ(read->position, node->position) << node->id;
        EXPECT_EQ(read->blackCaptured, node->blackCaptured);
        EXPECT_EQ(read->whiteCaptured, node->whiteCaptured);
    }
    EXPECT_EQ(back.tree.find(1)->position.get(72), kEmpty);  // cleared after the move
    EXPECT_EQ(back.tree.find(2)->position.get(60), kBlack);
}

TEST(SggRoundTrip, EveryInformationFieldSurvivesAlone) {
    // Each field alone away from its default, so that a field written under the wrong chunk
    // number or encoding cannot hide behind another.
    const GameInfo full = fullInfo();
    const GameInfo defaults;
    ScratchFolder folder;
    // One copier per field, in field-number order.
#define FIELD(name) [](GameInfo& to, const GameInfo& from) { to.name = from.name; }
    void (*const copy[])(GameInfo&, const GameInfo&) = {
        FIELD(libraryId),  FIELD(langType),  FIELD(appType),   FIELD(boardWidth), FIELD(boardHeight), FIELD(event),
        FIELD(eventLevel), FIELD(gameName),  FIELD(date),      FIELD(place),      FIELD(mediaType),   FIELD(timeLimit),
        FIELD(rulesText),  FIELD(ruleType),  FIELD(komi),      FIELD(handicap),   FIELD(blackName),   FIELD(blackRank),
        FIELD(blackKind),  FIELD(whiteName), FIELD(whiteRank), FIELD(whiteKind),  FIELD(resultText),  FIELD(resultType),
        FIELD(totalMoves), FIELD(writer),    FIELD(source)};
#undef FIELD
    static_assert(std::size(copy) == GameInfo::kFieldCount);
    for (int field = 0; field < GameInfo::kFieldCount; ++field) {
        GameRecord record;
        record.tree.addNode(GameNode());
        GameInfo& info = record.info;
        copy[field](info, full);
        ASSERT_NE(info, defaults) << "field " << field;
        std::string error;
        const auto file = folder / ("field" + std::to_string(field) + ".sgg");
        ASSERT_TRUE(saveSggFile(file, record, error)) << error;
        // The information directory lists exactly this field, as chunk `field`.
        const std::string bytes = readBytes(file);
        EXPECT_EQ(static_cast<unsigned char>(bytes[61]), 1) << "field " << field;  // entry count
        EXPECT_EQ(static_cast<unsigned char>(bytes[65]), field);                   // entry type
        GameRecord back;
        ASSERT_TRUE(loadSggFile(file, back, error)) << error;
        EXPECT_EQ(back.info, info) << "field " << field;
    }
}

TEST(SggRoundTrip, NegativeSixteenBitFieldsReadBackSigned) {
    GameRecord record;
    record.tree.addNode(GameNode());
    record.info.langType = 2;
    record.info.resultType = kResultUnknown;  // default, not stored
    record.info.blackKind = -3;
    record.info.handicap = -1;
    EXPECT_EQ(throughFile(record).info, record.info);
}

TEST(SggRoundTrip, ReadAndWrittenAgainIsByteIdentical) {
    ScratchFolder folder;
    std::string error;
    // A recomputed record, and one saved before recomputation (side to move 0 everywhere):
    // both files are fixed points of load and save.
    GameRecord raw = fullRecord();
    for (const auto& node : raw.tree.nodes())
        node->sideToMove = 0;
    GameRecord recomputed = fullRecord();
    for (const GameRecord* record : {&recomputed, &raw}) {
        ASSERT_TRUE(saveSggFile(folder / "first.sgg", *record, error)) << error;
        GameRecord back;
        ASSERT_TRUE(loadSggFile(folder / "first.sgg", back, error)) << error;
        ASSERT_TRUE(saveSggFile(folder / "second.sgg", back, error)) << error;
        EXPECT_EQ(readBytes(folder / "first.sgg"), readBytes(folder / "second.sgg"));
    }
}

TEST(SggRoundTrip, SideToMoveIsStoredOnlyWhereItCannotBeDerived) {
    GameRecord record;
    GameNode root;
    root.id = 0;
    record.tree.addNode(root);
    GameNode white;  // id 1: white plays first, so the root's side to move is white
    white.parentId = 0;
    white.move = {kWhite, 3};
    record.tree.addNode(white);
    GameNode setup;  // id 2: a setup node under the move, black to play against the flow
    setup.parentId = 1;
    setup.addBlack = {4};
    record.tree.addNode(setup);
    record.recomputePositions();
    record.tree.find(2)->sideToMove = kWhite;  // set by the user, not derivable
    const GameRecord back = throughFile(record);
    EXPECT_EQ(back.tree.find(0)->sideToMove, kWhite);
    EXPECT_EQ(back.tree.find(1)->sideToMove, kBlack);
    EXPECT_EQ(back.tree.find(2)->sideToMove, kWhite);
}

TEST(SggNodeForm, StandsAloneAndKeepsSideToMoveAsHeld) {
    GameNode node = fullNode(17, 4);
    node.childIds = {20, 18};
    node.sideToMove = 0;
    std::string bytes, error;
    ASSERT_TRUE(writeNodeForm(node, bytes, error)) << error;
    GameNode back;
    back.sideToMove = 2;  // reset by the reader
    ASSERT_TRUE(readNodeForm(bytes, back, error)) << error;
    expectStoredFieldsEqual(node, back);

    // A label of four GB18030 bytes keeps all four and a terminating zero in the form.
    const std::string gb = utf8ToGb18030("甲乙");
    ASSERT_EQ(gb.size(), 4u);
    const size_t at = bytes.find(gb);
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(bytes[at + 4], '\0');

    // Trailing bytes after the node are refused.
    EXPECT_FALSE(readNodeForm(bytes + "x", back, error));
}

TEST(SggWrite, RefusesWhatTheFormatCannotHold) {
    ScratchFolder folder;
    std::string error;
    GameRecord record;
    record.tree.addNode(GameNode());

    GameRecord longComment = record;
    longComment.tree.root()->comments = {{"", std::string(70000, 'x')}};
    EXPECT_FALSE(saveSggFile(folder / "long.sgg", longComment, error));
    EXPECT_NE(error.find("65535"), std::string::npos) << error;

    GameRecord longLabel = record;
    longLabel.tree.root()->labels = {{3, 0, "ABCDE"}};  // bypasses addLabel
    EXPECT_FALSE(saveSggFile(folder / "label.sgg", longLabel, error));

    GameRecord bigBoard = record;
    bigBoard.info.boardWidth = 53;
    EXPECT_FALSE(saveSggFile(folder / "big.sgg", bigBoard, error));

    // Nothing was left behind, not even a temporary file.
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

    std::string node;
    GameNode farMove;
    farMove.id = 0;
    farMove.move = {kBlack, 40000};
    EXPECT_FALSE(writeNodeForm(farMove, node, error));
}

TEST(SggWrite, ReplacesAnExistingFileAtomically) {
    ScratchFolder folder;
    const auto file = folder / "game.sgg";
    ASSERT_TRUE(writeBytes(file, "old contents"));
    ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
    std::string error;
    GameRecord record = fullRecord();
    ASSERT_TRUE(saveSggFile(file, record, error)) << error;
    EXPECT_EQ(
        std::filesystem::status(file).permissions() & std::filesystem::perms::all,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write | std::filesystem::perms::group_read);
    // A failing save leaves the previous file untouched.
    const std::string before = readBytes(file);
    record.tree.root()->comments = {{"", std::string(70000, 'x')}};
    EXPECT_FALSE(saveSggFile(file, record, error));
    EXPECT_EQ(readBytes(file), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
    // A folder that does not exist fails with a reason.
    EXPECT_FALSE(saveSggFile(folder / "missing" / "game.sgg", record, error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace tessera
