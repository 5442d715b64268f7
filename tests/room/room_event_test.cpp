// The room's event queue: posting from worker threads, draining on the UI thread, and the
// effect of each event kind.
#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "recording_host.h"
#include "room/game_room.h"
#include "room/record_rules.h"
#include "room/room_event.h"

namespace tessera {
namespace {

using test::pointOf;
using test::RecordingHost;

RoomEvent numbered(int thread, int sequence) {
    RoomEvent event;
    event.kind = kRoomEventGameOver;
    event.words[0] = thread;
    event.words[1] = sequence;
    return event;
}

TEST(RoomEventQueue, EventsPostedFromSeveralThreadsDuringDrainsArriveInOrderAndNoneIsLost) {
    constexpr int kThreads = 4;
    constexpr int kPerThread = 5000;
    RoomEventQueue queue;
    std::atomic<bool> done{false};
    std::vector<std::pair<int, int>> applied;
    std::vector<std::thread> posters;
    std::atomic<int> finished{0};
    for (int t = 0; t < kThreads; ++t)
        posters.emplace_back([&, t] {
            for (int i = 0; i < kPerThread; ++i)
                queue.post(numbered(t, i));
            ++finished;
        });
    // The drain runs concurrently with the posters, as the room's timer would.
    while (!done) {
        done = finished == kThreads;
        queue.drain([&](const RoomEvent& e) { applied.emplace_back(e.words[0], e.words[1]); });
    }
    for (auto& poster : posters)
        poster.join();
    queue.drain([&](const RoomEvent& e) { applied.emplace_back(e.words[0], e.words[1]); });
    ASSERT_EQ(applied.size(), static_cast<size_t>(kThreads * kPerThread));
    std::vector<int> next(kThreads, 0);
    for (const auto& [thread, sequence] : applied) {
        ASSERT_EQ(sequence, next[static_cast<size_t>(thread)]) << "thread " << thread;
        ++next[static_cast<size_t>(thread)];
    }
    EXPECT_EQ(queue.size(), 0u);
}

TEST(RoomEventQueue, AnEventPostedWhileApplyingWaitsForTheNextDrainAndClearStopsTheBatch) {
    RoomEventQueue queue;
    queue.post(numbered(0, 0));
    queue.post(numbered(0, 1));
    std::vector<int> seen;
    queue.drain([&](const RoomEvent& e) {
        seen.push_back(e.words[1]);
        if (e.words[1] == 0)
            queue.post(numbered(0, 2));  // no deadlock: kept for the next drain
    });
    EXPECT_EQ(seen, (std::vector<int>{0, 1}));
    EXPECT_EQ(queue.size(), 1u);
    queue.post(numbered(0, 3));
    seen.clear();
    queue.drain([&](const RoomEvent& e) {
        seen.push_back(e.words[1]);
        queue.clear();  // the engine game stopped: pending events are deleted
    });
    EXPECT_EQ(seen, (std::vector<int>{2}));
    EXPECT_EQ(queue.size(), 0u);
}

TEST(RoomEvents, AnEngineGameIsBuiltFromItsEvents) {
    RecordingHost host;
    GameRoom room(&host);
    room.newGame();
    struct Engine : RoomEngineGame {
        void boardClicked(int32_t) override {}
        void stop() override {}
        std::string title() const override { return "对局"; }
        // The finished header states the komi in stones, as the game has it.
        bool finishedRecord(GameRecord& record) const override {
            if (!finished)
                return false;
            record.info.boardWidth = record.info.boardHeight = 9;
            record.info.ruleType = kRulesChinese;
            record.info.komi = 3.5;
            GameNode root;
            root.id = 0;
            record.tree.addNode(std::move(root));
            return true;
        }
        bool finished = false;
    };
    ASSERT_EQ(room.rules(), (RuleSettings{kRulesJapanese, 6.5}));  // the room's own
    auto engine = std::make_shared<Engine>();
    room.beginEngineGame(engine);

    RoomEvent start;
    start.kind = kRoomEventNewBoard;
    start.words[kEventWordRule] = kRulesChinese;
    start.setKomi(3.5);
    start.words[kEventWordHandicap] = 2;
    start.words[kEventWordBoardSize] = 9;
    start.words[kEventWordWhiteKind] = 1;  // the computer
    room.postEvent(start);
    RoomEvent handicap;
    handicap.kind = kRoomEventPosition;
    handicap.position = BoardGrid(9, 9);
    handicap.position.set(pointOf("C3", 9), kBlack);
    handicap.position.set(pointOf("G7", 9), kBlack);
    handicap.value = kWhite;
    room.postEvent(handicap);
    RoomEvent move;
    move.kind = kRoomEventMove;
    move.move = Move{kWhite, pointOf("E5", 9)};
    room.postEvent(move);
    RoomEvent turn;
    turn.kind = kRoomEventSideToMove;
    turn.value = kWhite;  // black is to move: a black pass makes it white's turn
    room.postEvent(turn);
    RoomEvent over;
    over.kind = kRoomEventGameOver;
    room.postEvent(over);
    EXPECT_EQ(room.record().tree.size(), 1u);  // nothing happens before the drain

    room.onTimer(kEventDrainTimer);
    EXPECT_EQ(room.display().position.width(), 9);
    ASSERT_EQ(room.record().tree.size(), 3u);  // handicap setup, E5, the pass
    const GameNode* root = room.record().tree.root();
    EXPECT_EQ(root->fullSetup, 1u);
    EXPECT_EQ(root->addBlack.size(), 2u);
    const GameNode* current = room.currentNode();
    EXPECT_EQ(current->move, (Move{kBlack, -1}));
    EXPECT_EQ(room.sideToMove(), kWhite);
    EXPECT_EQ(room.display().position.get(pointOf("E5", 9)), kWhite);
    EXPECT_EQ(host.gameOvers, 1);
    // Counted under the game's rules from its start through its end, when its own record
    // (komi in stones) replaces the mirror.
    EXPECT_EQ(room.rules(), (RuleSettings{kRulesChinese, 3.5}));
    // A save now keeps a header that reads back as 3.5 stones.
    EXPECT_EQ(recordRules(room.record().info, RuleSettings{}), (RuleSettings{kRulesChinese, 3.5}));
    engine->finished = true;
    room.postEvent(over);
    room.drainEvents();
    EXPECT_EQ(room.record().info.komi, 3.5);
    EXPECT_EQ(room.rules(), (RuleSettings{kRulesChinese, 3.5}));

    room.postEvent(move);
    room.stopEngineGame();  // pending events are deleted
    EXPECT_EQ(room.drainEvents(), 0);
}

}  // namespace
}  // namespace tessera
