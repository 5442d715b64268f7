// Rooms over records read from real files (tests/data/room).
#include <gtest/gtest.h>

#include "recording_host.h"
#include "room/game_room.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::pointOf;
using test::RecordingHost;

// Opens a fixture; skips the test while the reader of its format is not built yet.
#define OPEN_OR_SKIP(room, name)                                                            \
    do {                                                                                    \
        std::string error;                                                                  \
        if (!(room).openFile(test::testData(name), error)) {                                \
            if (error.find("not available") != std::string::npos)                           \
                GTEST_SKIP() << error;                                                      \
            FAIL() << error;                                                                \
        }                                                                                   \
    } while (0)

TEST(RoomFile, GoToMoveNumberOverSetupAndPassNodes) {
    RecordingHost host;
    GameRoom room(&host);
    OPEN_OR_SKIP(room, "room/setup_and_pass.sgf");
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
}

TEST(RoomFile, TrialPlayOnARecordLeavesTheFileRecordIntact) {
    RecordingHost host;
    GameRoom room(&host);
    OPEN_OR_SKIP(room, "room/setup_and_pass.sgf");
    const size_t nodes = room.record().tree.size();
    room.goToMoveNumber(3);  // black G7... the node with the two variations below it
    const int32_t base = room.currentNodeId();
    ASSERT_EQ(room.currentNode()->childIds.size(), 2u);
    room.clickPoint(pointOf("J9", 9));
    EXPECT_TRUE(room.trialActive());
    room.clickPoint(pointOf("J8", 9));
    room.clickPoint(pointOf("H9", 9));  // captures nothing, still a legal trial move
    EXPECT_EQ(room.record().tree.size(), nodes + 3);
    EXPECT_EQ(room.variationTree().size(), room.variationTree().size());
    room.toggleTrial();
    EXPECT_EQ(room.currentNodeId(), base);
    EXPECT_EQ(room.record().tree.size(), nodes);
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
