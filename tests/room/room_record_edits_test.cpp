// A node's name, move tag and evaluation written from the room, and the rules a record is
// counted under. (The window's side of both: room_window_guitest.)
#include <gtest/gtest.h>

#include "record/sgf_file.h"
#include "recording_host.h"
#include "room/game_room.h"
#include "room/record_rules.h"

namespace tessera {
namespace {

using test::lineRecord;
using test::RecordingHost;

TEST(RoomRecordEdits, AnAnnotationKeepsAnUnchangedEvaluationAndRefusesValuesOutOfRange) {
    RecordingHost host;
    GameRoom room(&host);
    GameRecord record = lineRecord({"D4"});
    record.tree.find(1)->evaluation = 0.73;  // as a file may hold it, between two entries
    room.openRecord(std::move(record), kRoomStudy);
    room.goLast();
    EXPECT_EQ(room.currentAnnotation(), (NodeAnnotation{"", 0, 7}));
    // Confirming what is shown changes nothing, so there is nothing to save.
    EXPECT_TRUE(room.annotateCurrentNode(room.currentAnnotation()));
    EXPECT_DOUBLE_EQ(room.currentNode()->evaluation, 0.73);
    EXPECT_FALSE(room.isModified());
    EXPECT_FALSE(room.annotateCurrentNode(NodeAnnotation{"x", kMoveTagCount, 5}));
    EXPECT_FALSE(room.annotateCurrentNode(NodeAnnotation{"x", 0, 11}));
    EXPECT_EQ(room.currentNode()->name, "");
    EXPECT_FALSE(GameRoom(&host).annotateCurrentNode(NodeAnnotation{}));  // no node
}

TEST(RoomRecordEdits, TheRecordIsModifiedUntilItIsAsSavedAgain) {
    RecordingHost host;
    GameRoom room(&host);
    GameRecord record = lineRecord({"D4", "Q16"});
    record.tree.find(1)->setComment("opening");
    room.openRecord(std::move(record), kRoomStudy);
    room.goToNode(1);
    EXPECT_FALSE(room.isModified());
    // Typing, then typing back, as the comment pane does it one key at a time.
    room.setCurrentComment("opening!");
    EXPECT_TRUE(room.isModified());
    room.setCurrentComment("opening");
    EXPECT_FALSE(room.isModified());
    // A move played and taken back.
    room.goLast();
    room.clickPoint(10 * 19 + 10);
    EXPECT_TRUE(room.isModified());
    room.undoLastMove();
    EXPECT_FALSE(room.isModified());
    // A typed comment that outlives a move played and taken back, then typed back.
    room.goToNode(1);
    room.setCurrentComment("");
    room.goLast();
    room.clickPoint(10 * 19 + 10);
    room.undoLastMove();
    room.goToNode(1);
    EXPECT_TRUE(room.isModified());
    room.setCurrentComment("opening");
    EXPECT_FALSE(room.isModified());
    // A header edited beside the tree, and a save that makes the record as it stands the saved one.
    room.mutableRecord().info.event = "Meijin";
    EXPECT_TRUE(room.isModified());
    room.markSaved();
    EXPECT_FALSE(room.isModified());
    room.setCurrentComment("");
    EXPECT_TRUE(room.isModified());
}

TEST(RoomRecordEdits, RulesAndKomiComeFromTheRecordWhereItStatesThem) {
    const RuleSettings japanese{kRulesJapanese, 6.5}, chinese{kRulesChinese, 3.75};
    auto rules = [](const char* ru, double km, int handicap, const RuleSettings& fallback) {
        GameInfo info;
        info.rulesText = ru;
        info.komi = km;
        info.handicap = static_cast<int16_t>(handicap);
        return recordRules(info, fallback);
    };
    // KM is in points; Chinese rules count the komi in stones, and a quarter value is stones already.
    EXPECT_EQ(rules("Chinese", 7.5, 0, japanese), (RuleSettings{kRulesChinese, 3.75}));
    EXPECT_EQ(rules("chinese", 3.75, 0, japanese), (RuleSettings{kRulesChinese, 3.75}));
    EXPECT_EQ(rules("Japanese", 3.75, 0, chinese), (RuleSettings{kRulesJapanese, 7.5}));
    EXPECT_EQ(rules("", 7.5, 0, chinese), (RuleSettings{kRulesChinese, 3.75}));
    EXPECT_EQ(rules("Ing", 8, 0, japanese).ruleType, kRulesIng);
    // Unsaid: the room's rules. A komi of 0 is said by a handicap game or stated rules only.
    EXPECT_EQ(rules("", 0, 0, japanese), japanese);
    EXPECT_EQ(rules("Counting", 0, 0, chinese), chinese);  // "ing" inside a word names no rule
    EXPECT_EQ(rules("", 0, 2, japanese), (RuleSettings{kRulesJapanese, 0}));
    GameInfo stated;
    stated.ruleType = kRulesKorean;
    EXPECT_EQ(recordRules(stated, chinese), (RuleSettings{kRulesKorean, 0}));
    // A game against the computer saved from a room: its Chinese komi is in stones, even 3.5.
    GameInfo played;
    played.ruleType = kRulesChinese;
    played.komi = 3.5;
    played.blackKind = 2;
    played.whiteKind = 1;
    EXPECT_EQ(recordRules(played, japanese), (RuleSettings{kRulesChinese, 3.5}));
    // Saved as SGF (KM in points, the rules named) and read back, it is counted the same.
    GameRecord saved;
    saved.info = played;
    saved.tree.addNode(GameNode());
    std::string bytes, error;
    ASSERT_TRUE(writeSgfBytes(saved, bytes, error)) << error;
    ASSERT_TRUE(readSgfBytes(bytes, saved, error)) << error;
    EXPECT_EQ(recordRules(saved.info, japanese), (RuleSettings{kRulesChinese, 3.5}));
    played.whiteKind = 2;  // as readers of other programs' files mark the players: KM in points
    EXPECT_EQ(recordRules(played, japanese), (RuleSettings{kRulesChinese, 1.75}));

    // The room counts an opened record under them; the dialog's choice wins; a new game goes
    // back to the room's own rules.
    RecordingHost host;
    RoomSettings settings;
    settings.rules = japanese;
    GameRoom room(&host, settings);
    GameRecord record = lineRecord({"C3", "G7"}, 9);
    record.info.rulesText = "Chinese";
    record.info.komi = 7.5;
    room.openRecord(std::move(record), kRoomStudy);
    EXPECT_EQ(room.rules(), (RuleSettings{kRulesChinese, 3.75}));
    const CountResult area = room.count();
    ASSERT_TRUE(area.counted);
    EXPECT_DOUBLE_EQ(area.komi, 3.75);
    EXPECT_DOUBLE_EQ(area.whiteScore - area.blackScore, 7.5);  // 1 point each, 2 x 3.75 stones
    room.setRules(RuleSettings{kRulesJapanese, 0.5});
    EXPECT_DOUBLE_EQ(room.count().komi, 0.5);
    room.newGame();
    EXPECT_EQ(room.rules(), japanese);
}

}  // namespace
}  // namespace tessera
