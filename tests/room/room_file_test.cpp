// Rooms over records read from real files (tests/data/room).
#include <gtest/gtest.h>

#include "record/record_file.h"
#include "recording_host.h"
#include "room/game_room.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::pointOf;
using test::RecordingHost;

#define OPEN_OR_FAIL(room, name)                                            \
    do {                                                                    \
        std::string error;                                                  \
        ASSERT_TRUE((room).openFile(test::testData(name), error)) << error; \
    } while (0)

TEST(RoomFile, GoToMoveNumberOverSetupAndPassNodes) {
    RecordingHost host;
    GameRoom room(&host);
    OPEN_OR_FAIL(room, "room/setup_and_pass.sgf");
    EXPECT_EQ(room.roomKind(), kRoomStudy);
    EXPECT_EQ(room.infoPanels(), kPanelComments);
    EXPECT_EQ(room.display().position.width(), 9);
    EXPECT_EQ(room.display().position.countValue(kBlack), 2);  // the setup stones
    room.goToMoveNumber(1);
    EXPECT_EQ(room.currentNode()->move, (Move{kWhite, pointOf("E5", 9)}));
    EXPECT_EQ(host.comment, "中央");
    room.goToMoveNumber(2);  // the pass between is not a move
    EXPECT_EQ(room.currentNode()->move, (Move{kWhite, pointOf("C3", 9)}));
    room.goToMoveNumber(4);
    EXPECT_EQ(room.currentNode()->move, (Move{kWhite, pointOf("D6", 9)}));
    room.goToMoveNumber(40);
    EXPECT_EQ(room.currentNode()->move, (Move{kWhite, pointOf("D6", 9)}));
    EXPECT_EQ(room.title().rfind("setup_and_pass.sgf -- ", 0), 0u);
    room.goToMoveNumber(0);
    EXPECT_EQ(room.currentNodeId(), 0);
    host.answers = {"2"};
    room.askMoveNumber();
    EXPECT_EQ(room.currentNode()->move, (Move{kWhite, pointOf("C3", 9)}));
}

// A problem record with setup stones, a pass and two answers, saved as a real .sgg file.
GameRecord problemRecord() {
    GameRecord record;
    record.info.boardWidth = record.info.boardHeight = 9;
    record.info.appType = 3;
    record.info.gameName = "死活题";
    GameNode root;
    root.id = 0;
    root.addBlack = {pointOf("A9", 9), pointOf("B9", 9)};
    root.addWhite = {pointOf("A8", 9), pointOf("B8", 9)};
    root.sideToMove = kBlack;
    record.tree.addNode(root);
    auto add = [&](int32_t parent, uint32_t colour, const char* point) {
        GameNode node;
        node.parentId = parent;
        node.move = Move{colour, point ? pointOf(point, 9) : -1};
        return record.tree.addNode(node)->id;
    };
    const int32_t answer = add(0, kBlack, "C9");
    add(answer, kWhite, "C8");
    const int32_t wrong = add(0, kBlack, "A7");
    const int32_t pass = add(wrong, kWhite, nullptr);
    add(pass, kBlack, "J1");
    record.recomputePositions();
    return record;
}

TEST(RoomFile, AProblemFromAnSggFileIsAnsweredAndCountedInMoves) {
    test::ScratchFolder folder;
    const auto file = folder / "problem.sgg";
    std::string error;
    ASSERT_TRUE(saveRecordFile(file, problemRecord(), error)) << error;
    RecordingHost host;
    RoomSettings settings;
    settings.preferences.randomOrientation = true;
    GameRoom room(&host, settings);
    room.setRandomSource([] { return 1u; });
    ASSERT_TRUE(room.openFile(file, error)) << error;
    EXPECT_TRUE(room.isProblemRecord());
    EXPECT_EQ(room.display().transformCode(), 6);  // every flag from a random 1 bit
    EXPECT_EQ(room.title(), "problem.sgg(练习) -- 死活题 -- 场景:0");
    room.clickPoint(pointOf("J5", 9));  // no such answer: nothing
    EXPECT_EQ(room.currentNodeId(), 0);
    room.clickPoint(pointOf("C9", 9));
    EXPECT_EQ(room.currentNode()->move, (Move{kBlack, pointOf("C9", 9)}));
    ASSERT_EQ(host.timers.count(kProblemReplyTimer), 1u);
    room.onTimer(kProblemReplyTimer);
    EXPECT_EQ(room.currentNode()->move, (Move{kWhite, pointOf("C8", 9)}));  // the reply after the delay
    EXPECT_EQ(host.timers.count(kProblemReplyTimer), 0u);
    EXPECT_EQ(room.record().tree.size(), 6u);  // answering never adds nodes

    // The wrong line: A7, a pass, J1. Move 2 on the second variation skips the pass.
    room.goFirst();
    room.clickPoint(pointOf("A7", 9));
    room.onTimer(kProblemReplyTimer);
    EXPECT_TRUE(room.currentNode()->move.point < 0);
    room.toggleTrial();
    room.goNext();
    room.goNext();                      // at the end of the line
    room.clickPoint(pointOf("E5", 9));  // trial play: a stone of white
    EXPECT_EQ(room.currentNode()->move, (Move{kWhite, pointOf("E5", 9)}));
    room.endTrial();
    EXPECT_EQ(room.record().tree.size(), 6u);
}

TEST(RoomFile, EveryNavigationCommandIsSafeOnATreeWithDanglingParents) {
    // Node 0 names a parent that does not exist, and so does node 9: the reader hangs them
    // below a root, and no command indexes an empty list.
    GameRecord record;
    record.info.boardWidth = record.info.boardHeight = 9;
    for (int32_t id = 0; id < 8; ++id) {
        GameNode node;
        node.id = id;
        node.parentId = id == 0 ? 100 : id - 1;
        if (id > 0)
            node.move = Move{static_cast<uint32_t>(2 - id % 2), id};
        record.tree.addNode(node);
    }
    GameNode stray;
    stray.id = 9;
    stray.parentId = 42;
    record.tree.addNode(stray);
    test::ScratchFolder folder;
    std::string error;
    ASSERT_TRUE(saveRecordFile(folder / "dangling.sgg", record, error)) << error;
    RecordingHost host;
    GameRoom room(&host);
    ASSERT_TRUE(room.openFile(folder / "dangling.sgg", error)) << error;
    EXPECT_FALSE(room.record().repairs.empty());
    for (int32_t start : {0, 3, 7, 9}) {
        ASSERT_TRUE(room.goToNode(start));
        room.goBack5();
        room.goPrev();
        room.goForward5();
        room.goNext();
        room.goLast();
        room.goFirst();
        room.goToMoveNumber(3);
    }
    ASSERT_TRUE(room.goToNode(9));
    room.goBack5();
    EXPECT_EQ(room.currentNodeId(), 0);
}

TEST(RoomFile, AnUnreadableFileLeavesTheRoomAsItWas) {
    RecordingHost host;
    GameRoom room(&host);
    room.newGame();
    room.clickPoint(pointOf("D4"));
    std::string error;
    EXPECT_FALSE(room.openFile(test::testData("room/missing.sgf"), error));
    EXPECT_FALSE(room.openFile(test::testData("room/setup_and_pass.txt"), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(room.record().tree.size(), 2u);
    EXPECT_EQ(room.currentNodeId(), 1);
}

}  // namespace
}  // namespace tessera
