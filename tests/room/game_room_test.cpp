// The room's cursor, trial play, undo, side to move, replay, problems and titles.
#include "room/game_room.h"

#include <gtest/gtest.h>

#include "recording_host.h"
#include "room/variation_tree.h"

namespace tessera {
namespace {

using test::lineRecord;
using test::pointOf;
using test::RecordingHost;

struct RoomFixture : ::testing::Test {
    RecordingHost host;
    RoomSettings settings;
    std::unique_ptr<GameRoom> room;

    void open(GameRecord record, RoomKind kind = kRoomStudy, int32_t start = 0) {
        room = std::make_unique<GameRoom>(&host, settings);
        room->openRecord(std::move(record), kind, "games/demo.sgf", start);
    }
    // Ids of every node in the tree, ascending.
    std::vector<int32_t> ids() const {
        std::vector<int32_t> out;
        for (const auto& node : room->record().tree.nodes())
            out.push_back(node->id);
        std::sort(out.begin(), out.end());
        return out;
    }
};

TEST_F(RoomFixture, NavigationFollowsTheMainLineAndStopsAtItsEnds) {
    open(lineRecord({"D4", "Q16", "D16", "Q4", "C3", "R17", "K10"}));
    EXPECT_EQ(room->currentNodeId(), 0);
    room->goPrev();  // at the root: nothing
    EXPECT_EQ(room->currentNodeId(), 0);
    room->goNext();
    room->goNext();
    room->goNext();
    EXPECT_EQ(room->currentNodeId(), 3);
    room->goBack5();  // fewer than five ancestors: the root
    EXPECT_EQ(room->currentNodeId(), 0);
    room->goForward5();
    EXPECT_EQ(room->currentNodeId(), 5);
    room->goForward5();  // the line is shorter: its last node
    EXPECT_EQ(room->currentNodeId(), 7);
    EXPECT_FALSE(room->canGoForward());
    room->goFirst();
    EXPECT_EQ(room->currentNodeId(), 0);
    room->goLast();
    EXPECT_EQ(room->currentNodeId(), 7);
    EXPECT_EQ(room->previousNodeId(), 0);
    EXPECT_EQ(room->display().cursor, pointOf("K10"));
    EXPECT_EQ(host.selected.back(), 7);
}

TEST_F(RoomFixture, ClickAtANodeWithChildrenStartsTrialPlayAndEndingItRemovesExactlyTheTrialNodes) {
    open(lineRecord({"D4", "Q16", "D16", "Q4"}));
    room->goToNode(2);
    const auto before = ids();
    host.sounds.clear();
    room->clickPoint(pointOf("K10"));
    ASSERT_TRUE(room->trialActive());
    EXPECT_EQ(room->trialBaseId(), 2);
    const int32_t first = room->trialFirstId();
    EXPECT_EQ(room->currentNodeId(), first);
    EXPECT_EQ(room->record().tree.find(2)->childIds.back(), first);  // created as the last child
    ASSERT_FALSE(host.sounds.empty());
    EXPECT_EQ(host.sounds.front(), std::make_pair(kSoundTrialStart, true));  // played to the end first

    EXPECT_FALSE(room->goToNode(2));  // the base is refused while the trial line exists
    EXPECT_FALSE(room->goToNode(3));  // so is the main line
    room->clickPoint(pointOf("K12"));
    room->clickPoint(pointOf("K14"));
    EXPECT_EQ(ids().size(), before.size() + 3);
    EXPECT_FALSE(findVariationItem(room->variationTree(), room->currentNodeId()).empty());  // shown in the tree
    room->goPrev();
    room->clickPoint(pointOf("A1"));  // a trial node that already has a child: refused
    EXPECT_EQ(ids().size(), before.size() + 3);
    room->goPrev();
    room->goPrev();  // from the first trial node: stays on the trial line
    EXPECT_EQ(room->currentNodeId(), first);

    room->endTrial();
    EXPECT_FALSE(room->trialActive());
    EXPECT_EQ(room->currentNodeId(), 2);
    EXPECT_EQ(ids(), before);
    EXPECT_EQ(host.sounds.back(), std::make_pair(kSoundTrialEnd, false));
}

TEST_F(RoomFixture, RestartTrialAndUndoOfTheFirstTrialMoveReturnToTheBaseWithNoLine) {
    open(lineRecord({"D4", "Q16"}));
    room->goToNode(1);
    room->toggleTrial();
    EXPECT_TRUE(room->trialActive());
    EXPECT_FALSE(room->canUndoLastMove());  // no trial line yet
    room->clickPoint(pointOf("C3"));
    room->clickPoint(pointOf("C5"));
    room->restartTrial();
    EXPECT_EQ(room->trialFirstId(), -1);
    EXPECT_EQ(room->currentNodeId(), 1);
    EXPECT_EQ(room->record().tree.size(), 3u);

    room->clickPoint(pointOf("C3"));
    room->undoLastMove();  // removes trialFirstId itself
    EXPECT_EQ(room->trialFirstId(), -1);
    EXPECT_TRUE(room->trialActive());
    EXPECT_EQ(room->currentNodeId(), 1);
    EXPECT_EQ(room->record().tree.size(), 3u);
    room->toggleTrial();
    EXPECT_FALSE(room->trialActive());
    EXPECT_EQ(room->record().tree.size(), 3u);
}

TEST_F(RoomFixture, UndoInTheMiddleOfTheMainLineRemovesTheLastNodeAndKeepsTheCursor) {
    open(lineRecord({"D4", "Q16", "D16", "Q4", "C3"}));
    room->goToNode(2);
    room->undoLastMove();
    EXPECT_EQ(room->currentNodeId(), 2);
    EXPECT_EQ(room->record().tree.find(5), nullptr);
    EXPECT_EQ(room->record().tree.size(), 5u);
    room->goLast();
    room->undoLastMove();  // at the end of the line: the cursor goes to the parent
    EXPECT_EQ(room->currentNodeId(), 3);
    EXPECT_EQ(room->record().tree.find(4), nullptr);
    room->undoToCurrent();
    room->goFirst();
    room->undoToCurrent();
    EXPECT_EQ(room->record().tree.size(), 1u);
    room->undoLastMove();  // at the root: nothing
    EXPECT_EQ(room->record().tree.size(), 1u);
}

TEST_F(RoomFixture, SetSideToMoveAddsAPassOrEditsASetupNode) {
    open(lineRecord({"D4", "Q16"}));
    room->goToNode(2);  // white played last: black to move
    ASSERT_EQ(room->sideToMove(), 1);
    room->setSideToMove(1);
    EXPECT_EQ(room->record().tree.size(), 3u);
    room->setSideToMove(2);
    const GameNode* pass = room->currentNode();
    ASSERT_NE(pass, nullptr);
    EXPECT_EQ(pass->parentId, 2);
    EXPECT_EQ(pass->move, (Move{1, -1}));
    EXPECT_EQ(pass->sideToMove, 2);
    EXPECT_TRUE(pass->position.equals(room->record().tree.find(2)->position));

    room->newGame();
    room->setSideToMove(2);  // the new game's root is a setup node: edited in place
    EXPECT_EQ(room->record().tree.size(), 1u);
    EXPECT_EQ(room->sideToMove(), 2);
}

TEST_F(RoomFixture, NewGameResetsTheRoomToAnEmptyStudyBoard) {
    settings.boardSize = 13;
    open(lineRecord({"D4"}), kRoomLibrary);
    room->toggleTrial();
    room->newGame();
    EXPECT_EQ(room->roomKind(), kRoomStudy);
    EXPECT_FALSE(room->trialActive());
    EXPECT_TRUE(room->filePath().empty());
    EXPECT_EQ(room->record().tree.size(), 1u);
    EXPECT_EQ(room->infoPanels(), kPanelGlobalStats | kPanelLocalStats);
    EXPECT_EQ(room->display().position.width(), 13);
    EXPECT_EQ(room->currentNode()->fullSetup, 1u);
    room->clickPoint(pointOf("D4", 13));
    EXPECT_EQ(room->currentNodeId(), 1);
    EXPECT_FALSE(room->trialActive());  // a node without children takes the stone directly
}

TEST_F(RoomFixture, AutoReplayTicksThroughTheRecordWithWaitingStoneSounds) {
    settings.preferences.stoneDelay = 3;
    open(lineRecord({"D4", "Q16"}));
    room->startAutoReplay();
    EXPECT_TRUE(room->autoReplay());
    EXPECT_EQ(host.timers.at(kAutoReplayTimer), 10);  // at least 10 ms
    host.sounds.clear();
    room->onTimer(kAutoReplayTimer);
    room->onTimer(kAutoReplayTimer);
    room->onTimer(kAutoReplayTimer);  // at the end: nothing, the timer keeps running
    EXPECT_EQ(room->currentNodeId(), 2);
    EXPECT_TRUE(room->autoReplay());
    ASSERT_EQ(host.sounds.size(), 2u);
    EXPECT_EQ(host.sounds[0], std::make_pair(kSoundStone, true));
    room->startAutoReplay();  // the same command again stops it
    EXPECT_FALSE(room->autoReplay());
    EXPECT_EQ(host.timers.count(kAutoReplayTimer), 0u);
}

TEST_F(RoomFixture, AutoReplayHoldsWhileADialogOfTheRoomIsOpen) {
    GameRecord record = lineRecord({"D4", "Q16", "C3", "R4"});
    record.tree.find(1)->marks.push_back(Mark{kMarkCircle, pointOf("K10")});
    open(std::move(record), kRoomStudy, 1);
    room->startAutoReplay();
    host.onMessage = [this] { room->onTimer(kAutoReplayTimer); };  // the timer fires under the dialog

    // The count report: the node's markup comes back onto the same node.
    room->count();
    EXPECT_EQ(room->currentNodeId(), 1);
    ASSERT_EQ(room->display().marks.size(), 1u);
    EXPECT_EQ(room->display().marks[0].point, pointOf("K10"));

    // The free label prompt: the label lands on the node it was asked for.
    room->setClickMode(kClickFreeLabel);
    host.answers = {"甲"};
    room->clickPoint(pointOf("E5"));
    EXPECT_EQ(room->currentNodeId(), 1);
    ASSERT_EQ(room->record().tree.find(1)->labels.size(), 1u);
    EXPECT_EQ(room->record().tree.find(1)->labels[0].text, "甲");
    EXPECT_TRUE(room->record().tree.find(2)->labels.empty());

    // With the dialogs closed the replay moves on.
    host.onMessage = nullptr;
    room->onTimer(kAutoReplayTimer);
    EXPECT_EQ(room->currentNodeId(), 2);
}

TEST_F(RoomFixture, StoneSoundsFollowTheNumberOfCapturedStones) {
    // White's A1 stone is captured by black's B1 after A2.
    open(lineRecord({"A2", "A1", "B1"}));
    host.sounds.clear();
    room->goNext();
    room->goNext();
    room->goNext();
    ASSERT_EQ(host.sounds.size(), 3u);
    EXPECT_EQ(host.sounds[2], std::make_pair(kSoundCaptureOne, false));
    room->goFirst();  // not a step forward: silent
    EXPECT_EQ(host.sounds.size(), 3u);
    host.active = false;
    room->goNext();  // not the active room: silent
    EXPECT_EQ(host.sounds.size(), 3u);
}

TEST_F(RoomFixture, RandomOrientationOfProblemsSetsEachFlagFromOneRandomBit) {
    settings.preferences.randomOrientation = true;
    GameRecord record = lineRecord({"C3"});
    record.info.appType = 2;
    room = std::make_unique<GameRoom>(&host, settings);
    uint32_t values[] = {1, 0, 1};
    int next = 0;
    room->setRandomSource([&] { return values[next++ % 3]; });
    room->openRecord(std::move(record), kRoomStudy);
    EXPECT_TRUE(room->display().flipX);
    EXPECT_FALSE(room->display().flipY);
    EXPECT_TRUE(room->display().transpose);
}

TEST_F(RoomFixture, OpenedRecordsGoThroughTheTranslatorBeforeTheyAreShown) {
    room = std::make_unique<GameRoom>(&host, settings);
    std::vector<int> languages;
    room->setRecordTranslator([&](GameRecord& record) {
        languages.push_back(record.info.langType);
        record.info.blackName = "Black";
        record.tree.find(1)->setComment("translated");
    });
    GameRecord record = lineRecord({"D4"});
    record.info.langType = 2;
    room->openRecord(std::move(record), kRoomLibrary);
    EXPECT_EQ(languages, std::vector<int>{2});
    EXPECT_EQ(room->record().info.blackName, "Black");
    room->goNext();
    EXPECT_EQ(host.comment, "translated");
}

TEST_F(RoomFixture, TitlesOfEachRoomKind) {
    GameRecord record = lineRecord({"D4"});
    record.info.blackName = "甲";
    record.info.whiteName = "乙";
    record.info.resultText = "B+R";
    const std::string gameTitle = record.info.title();
    open(record);
    room->goNext();
    EXPECT_EQ(room->title(), "demo.sgf -- " + gameTitle + " -- 场景:1");
    EXPECT_EQ(host.titles.back(), room->title());
    EXPECT_EQ(room->frameTitle(100), "棋室 100( " + room->title() + " )");

    room->newGame();
    EXPECT_EQ(room->title(), "无名文件 -- 无比赛信息 -- 场景:0");

    struct Engine : RoomEngineGame {
        void boardClicked(int32_t p) override { clicks.push_back(p); }
        void stop() override { ++stops; }
        std::string title() const override { return "GNU Go 对局"; }
        std::vector<int32_t> clicks;
        int stops = 0;
    };
    auto engine = std::make_shared<Engine>();
    room->beginEngineGame(engine);
    EXPECT_EQ(room->title(), "GNU Go 对局");
    EXPECT_EQ(host.timers.at(kEventDrainTimer), 100);
    room->clickPoint(pointOf("Q16"));  // handed to the engine game, no node created
    EXPECT_EQ(engine->clicks, std::vector<int32_t>{pointOf("Q16")});
    EXPECT_EQ(room->record().tree.size(), 1u);
    EXPECT_FALSE(room->canGoBack());
    EXPECT_FALSE(room->canUndoLastMove());
    room->newGame();  // stops the engine game first
    EXPECT_EQ(engine->stops, 1);
    EXPECT_EQ(host.timers.count(kEventDrainTimer), 0u);
    EXPECT_EQ(room->roomKind(), kRoomStudy);
}

TEST_F(RoomFixture, GoToNodeShowsPrisonersCommentAndNodeMarkup) {
    GameRecord record = lineRecord({"A2", "A1", "B1"});
    GameNode* last = record.tree.find(3);
    last->setComment("吃掉一子");
    last->marks.push_back(Mark{kMarkTriangle, pointOf("B1")});
    open(std::move(record));
    room->goLast();
    EXPECT_EQ(host.status, "黑死子个数: 0\r\n白死子个数: 1\r\n");
    EXPECT_EQ(host.comment, "吃掉一子");
    ASSERT_EQ(room->display().marks.size(), 1u);
    room->toggleInfoPanel(0);  // markup hidden with the comments panel
    EXPECT_TRUE(room->display().marks.empty());
}

TEST_F(RoomFixture, CommentNavigationWhereverTheRecordHasComments) {
    GameRecord record = lineRecord({"D4", "Q16", "D16", "Q4"});
    open(record, kRoomStudy);
    EXPECT_FALSE(room->canGoComment());  // nothing to step to
    record.tree.find(3)->setComment("好棋");
    open(record, kRoomStudy);  // a commented game opened from a file
    EXPECT_TRUE(room->canGoComment());
    room->goNextComment();
    EXPECT_EQ(room->currentNodeId(), 3);
    room->toggleTrial();
    EXPECT_FALSE(room->canGoComment());  // trial play has its own line
    room->toggleTrial();
    open(record, kRoomLibrary);
    room->goNextComment();
    EXPECT_EQ(room->currentNodeId(), 3);
    room->goLast();
    room->goPrevComment();
    EXPECT_EQ(room->currentNodeId(), 3);
    room->goPrevComment();  // none above: stays
    EXPECT_EQ(room->currentNodeId(), 3);
}

}  // namespace
}  // namespace tessera
