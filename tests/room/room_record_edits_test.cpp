// What a player writes on a record besides moves and markup (a node's name, move tag and
// evaluation), the rules a record is counted under, and the question before a modified
// library record is replaced by the next one.
#include <gtest/gtest.h>

#include "recording_host.h"
#include "room/game_room.h"
#include "room/record_rules.h"

namespace tessera {
namespace {

using test::lineRecord;
using test::RecordingHost;

TEST(RoomRecordEdits, ANodesNameTagAndEvaluationAreWrittenShownAndMarkTheRecord) {
    RecordingHost host;
    GameRoom room(&host);
    GameRecord record = lineRecord({"D4", "Q16"});
    record.tree.find(2)->evaluation = 0.73;  // as a file may hold it, between two entries
    room.openRecord(std::move(record), kRoomStudy);
    room.goLast();
    EXPECT_EQ(room.currentAnnotation(), (NodeAnnotation{"", 0, 7}));
    // Writing back what is shown keeps the file's value: nothing changed.
    EXPECT_TRUE(room.annotateCurrentNode(room.currentAnnotation()));
    EXPECT_DOUBLE_EQ(room.currentNode()->evaluation, 0.73);
    EXPECT_FALSE(room.isModified());

    room.goPrev();
    EXPECT_TRUE(room.annotateCurrentNode(NodeAnnotation{"急所", 2, 8}));
    EXPECT_EQ(room.currentNode()->name, "急所");
    EXPECT_EQ(room.currentNode()->moveTag, 2u);
    EXPECT_DOUBLE_EQ(room.currentNode()->evaluation, 0.8);
    EXPECT_TRUE(room.isModified());
    EXPECT_EQ(room.variationTree()[1].text, "D4 急所( 1, 0.8, 2 )");  // the tree shows it at once
    EXPECT_EQ(host.selected.back(), 1);
    // Out of range: refused, the node unchanged.
    EXPECT_FALSE(room.annotateCurrentNode(NodeAnnotation{"x", kMoveTagCount, 5}));
    EXPECT_FALSE(room.annotateCurrentNode(NodeAnnotation{"x", 0, 11}));
    EXPECT_EQ(room.currentNode()->name, "急所");
    GameRoom empty(&host);
    EXPECT_FALSE(empty.annotateCurrentNode(NodeAnnotation{}));
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
    EXPECT_EQ(rules("Tang (Japanese + group tax)", 5.5, 0, chinese), (RuleSettings{kRulesJapanese, 5.5}));
    EXPECT_EQ(rules("", 7.5, 0, chinese), (RuleSettings{kRulesChinese, 3.75}));
    EXPECT_EQ(rules("Korean", 6.5, 0, chinese), (RuleSettings{kRulesKorean, 6.5}));
    EXPECT_EQ(rules("Ing", 8, 0, japanese).ruleType, kRulesIng);
    // Unsaid: the room's rules. A komi of 0 is said by a handicap game or stated rules only.
    EXPECT_EQ(rules("", 0, 0, japanese), japanese);
    EXPECT_EQ(rules("Counting", 0, 0, chinese), chinese);  // "ing" inside a word names no rule
    EXPECT_EQ(rules("", 0, 2, japanese), (RuleSettings{kRulesJapanese, 0}));
    EXPECT_EQ(rules("AGA", 7.5, 0, japanese), (RuleSettings{kRulesJapanese, 7.5}));
    GameInfo stated;
    stated.ruleType = kRulesKorean;
    EXPECT_EQ(recordRules(stated, chinese), (RuleSettings{kRulesKorean, 0}));

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

// Three one-move records.
struct ThreeRecords : RoomLibraryList {
    int size() const override { return 3; }
    bool load(int, GameRecord& record, std::string&) override {
        record = lineRecord({"D4"});
        return true;
    }
    int customStatus(int) const override { return -1; }
    bool setCustomStatus(int, int32_t, int) override { return false; }
};

struct AskingHost : RecordingHost {
    int asked = 0;
    bool answer = false;
    bool mayReplaceRecord() override {
        ++asked;
        return answer;
    }
};

TEST(RoomRecordEdits, AModifiedLibraryRecordIsReplacedOnlyWhenTheWindowAllowsIt) {
    AskingHost host;
    GameRoom room(&host);
    std::string error;
    ASSERT_TRUE(room.openFromLibrary(std::make_shared<ThreeRecords>(), 0, kRoomLibrary, error));
    room.openNextRecord();  // unmodified: no question
    EXPECT_EQ(host.asked, 0);
    EXPECT_EQ(room.libraryIndex(), 1);
    room.goLast();
    room.clickPoint(test::pointOf("Q16"));
    ASSERT_TRUE(room.isModified());
    // Cancelled: the record stays with its new move, and auto replay stops instead of asking
    // again on every tick.
    room.startAutoReplay();
    room.onTimer(kAutoReplayTimer);
    EXPECT_EQ(host.asked, 1);
    EXPECT_EQ(room.libraryIndex(), 1);
    EXPECT_EQ(room.record().tree.size(), 3u);
    EXPECT_FALSE(room.autoReplay());
    host.answer = true;  // saved or discarded
    room.openPreviousRecord();
    EXPECT_EQ(host.asked, 2);
    EXPECT_EQ(room.libraryIndex(), 0);
    EXPECT_EQ(room.record().tree.size(), 2u);
}

}  // namespace
}  // namespace tessera
