// The command table: every command runs only when its enabled test allows it.
#include "room/room_commands.h"

#include <set>

#include <gtest/gtest.h>

#include "recording_host.h"
#include "room/game_room.h"

namespace tessera {
namespace {

using test::lineRecord;
using test::RecordingHost;

TEST(RoomCommands, IdsAreUniqueAndEveryEntryIsComplete) {
    std::set<int> ids;
    for (const RoomCommand& entry : roomCommands()) {
        EXPECT_TRUE(ids.insert(entry.id).second) << entry.id;
        if (entry.alternateId)
            EXPECT_TRUE(ids.insert(entry.alternateId).second) << entry.alternateId;
        EXPECT_TRUE(entry.run) << entry.id;
        EXPECT_TRUE(entry.enabled) << entry.id;
        EXPECT_NE(std::string(entry.source), "") << entry.id;
    }
    EXPECT_EQ(findRoomCommand(32785), findRoomCommand(32865));  // the toolbar's id for "试下"
    EXPECT_EQ(findRoomCommand(1), nullptr);
}

TEST(RoomCommands, DisabledCommandsDoNothing) {
    RecordingHost host;
    GameRoom room(&host);
    // An empty room: no node, nothing to navigate or edit; running every command is harmless.
    for (const RoomCommand& entry : roomCommands())
        if (entry.id != 32815)  // leave "开始新局" out: it would give the room a node
            runRoomCommand(room, entry.id);
    room.openRecord(lineRecord({"D4", "Q16"}), kRoomStudy);
    EXPECT_FALSE(runRoomCommand(room, 32851));  // "前一手" at the root
    EXPECT_TRUE(runRoomCommand(room, 32854));   // "最后一手"
    EXPECT_EQ(room.currentNodeId(), 2);
    EXPECT_FALSE(runRoomCommand(room, 32866));  // "重新研究" outside trial play
    EXPECT_FALSE(runRoomCommand(room, 32790));  // rectangle selection outside mask mode
    EXPECT_TRUE(runRoomCommand(room, 33013));   // "掩码操作"
    EXPECT_TRUE(runRoomCommand(room, 32790));
    EXPECT_TRUE(findRoomCommand(32790)->checked(room));
    EXPECT_FALSE(runRoomCommand(room, 32803));  // "第一个棋谱" needs a library list
    EXPECT_FALSE(runRoomCommand(room, 32940));  // custom status needs a library record
    EXPECT_TRUE(runRoomCommand(room, 33020));   // "显示最后50手"
    EXPECT_TRUE(findRoomCommand(33020)->checked(room));
    EXPECT_EQ(room.display().moveNumbers.size(), 2u);
}

// A library list of generated records with a status per entry.
struct FakeList : RoomLibraryList {
    std::vector<int> statuses = {0, 0, 0};
    int size() const override { return 3; }
    bool load(int index, GameRecord& record, std::string&) override {
        record = lineRecord(index == 0 ? std::vector<const char*>{"D4"} : std::vector<const char*>{"D4", "Q16"});
        record.info.libraryId = 100 + index;
        return true;
    }
    int customStatus(int index) const override { return statuses[static_cast<size_t>(index)]; }
    bool setCustomStatus(int index, int32_t libraryId, int status) override {
        EXPECT_EQ(libraryId, 100 + index);
        statuses[static_cast<size_t>(index)] = status;
        return true;
    }
};

TEST(RoomCommands, LibraryListCommandsCustomStatusAndAutoReplayAcrossRecords) {
    RecordingHost host;
    GameRoom room(&host);
    auto list = std::make_shared<FakeList>();
    std::string error;
    ASSERT_TRUE(room.openFromLibrary(list, 0, kRoomLibrary, error));
    EXPECT_FALSE(runRoomCommand(room, 32804));  // no previous record
    EXPECT_TRUE(runRoomCommand(room, 32942));   // "标记为热门棋谱"
    EXPECT_EQ(list->statuses[0], 2);
    EXPECT_TRUE(findRoomCommand(32942)->checked(room));
    room.startAutoReplay();
    room.onTimer(kAutoReplayTimer);  // D4
    room.onTimer(kAutoReplayTimer);  // end of record 0: the next record of the list
    EXPECT_EQ(room.libraryIndex(), 1);
    EXPECT_EQ(room.currentNodeId(), 0);
    EXPECT_TRUE(room.autoReplay());
    EXPECT_TRUE(runRoomCommand(room, 32806));  // "最后一个棋谱"
    EXPECT_EQ(room.libraryIndex(), 2);
    EXPECT_FALSE(runRoomCommand(room, 32805));
    room.setRandomSource([] { return 4u; });
    EXPECT_TRUE(runRoomCommand(room, 32808));
    EXPECT_EQ(room.libraryIndex(), 1);
}

}  // namespace
}  // namespace tessera
