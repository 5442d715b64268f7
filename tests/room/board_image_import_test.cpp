// The position read from a board picture becomes a setup node of the room, and undoing it
// restores the room.
#include <gtest/gtest.h>

#include "go/move.h"
#include "recording_host.h"
#include "room/game_room.h"

namespace tessera {
namespace {

using test::lineRecord;
using test::pointOf;

// A host whose import dialog "reads" a fixed position.
struct ImportHost : test::RecordingHost {
    BoardGrid picture{19, 19};
    bool white = false;
    bool accepts = true;
    bool importBoardImage(BoardGrid& position, bool& whiteToPlay) override {
        position.copyFrom(picture);
        whiteToPlay = white;
        return accepts;
    }
};

TEST(BoardImageImport, AddsAFullSetupNodeThatUndoRemoves) {
    ImportHost host;
    GameRoom room{&host};
    room.openRecord(lineRecord({"D4", "Q16", "D16"}), kRoomStudy);
    room.goLast();
    const int32_t before = room.currentNode()->id;
    const size_t nodes = room.record().tree.size();
    host.picture.set(pointOf("K10"), kBlack);
    host.picture.set(pointOf("C3"), kWhite);
    host.white = true;

    room.importBoardImage();
    const GameNode* setup = room.currentNode();
    ASSERT_NE(setup, nullptr);
    EXPECT_EQ(setup->parentId, before);
    EXPECT_EQ(setup->fullSetup, 1u);
    EXPECT_EQ(setup->sideToMove, kWhite);
    EXPECT_TRUE(setup->position.equals(host.picture));  // the earlier stones are gone
    EXPECT_EQ(room.record().tree.size(), nodes + 1);

    room.undoLastMove();
    EXPECT_EQ(room.currentNode()->id, before);
    EXPECT_EQ(room.record().tree.size(), nodes);
    EXPECT_EQ(room.currentNode()->position.get(pointOf("D16")), kBlack);

    // Cancelled, or a picture of another board size: the room stays as it was, the latter with a word why.
    host.accepts = false;
    room.importBoardImage();
    EXPECT_EQ(room.record().tree.size(), nodes);
    host.accepts = true;
    host.picture = BoardGrid(13, 13);
    room.importBoardImage();
    EXPECT_EQ(room.record().tree.size(), nodes);
    EXPECT_EQ(room.currentNode()->id, before);
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_NE(host.messages[0].find("13"), std::string::npos);
}

}  // namespace
}  // namespace tessera
