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

TEST(RoomCommands, IdsAreUniqueEntriesCompleteAndEveryListedIdHasAnEntry) {
    std::set<RoomCommandId> ids;
    for (const RoomCommand& entry : roomCommands()) {
        const int number = static_cast<int>(entry.id);
        EXPECT_TRUE(ids.insert(entry.id).second) << number;
        static const std::set<RoomCommandId> windowsOwn = {RoomCommandId::Rules,
                                                           RoomCommandId::GameInfo,
                                                           RoomCommandId::Match,
                                                           RoomCommandId::ExportBoardPicture,
                                                           RoomCommandId::CopyBoardPicture,
                                                           RoomCommandId::NodeProperties};
        EXPECT_TRUE(entry.run || windowsOwn.count(entry.id)) << number;
        EXPECT_TRUE(entry.enabled) << number;
        EXPECT_NE(std::string(entry.source), "") << number;
    }
    for (int list = 0; list <= static_cast<int>(CommandList::ContextMenu); ++list)
        for (RoomCommandId id : commandList(static_cast<CommandList>(list)))
            EXPECT_TRUE(id == RoomCommandId::Separator || ids.count(id))
                << "list " << list << " id " << static_cast<int>(id);
    EXPECT_EQ(findRoomCommand(RoomCommandId::Separator), nullptr);
}

TEST(RoomCommands, DisabledCommandsDoNothing) {
    RecordingHost host;
    GameRoom room(&host);
    // An empty room: no node, nothing to navigate or edit; running every command is harmless.
    for (const RoomCommand& entry : roomCommands())
        if (entry.id != RoomCommandId::NewGame)  // leave "开始新局" out: it would give the room a node
            runRoomCommand(room, entry.id);
    room.openRecord(lineRecord({"D4", "Q16"}), kRoomStudy);
    EXPECT_FALSE(runRoomCommand(room, RoomCommandId::PreviousMove));  // at the root
    EXPECT_FALSE(runRoomCommand(room, RoomCommandId::Rules));         // the window's own
    EXPECT_TRUE(runRoomCommand(room, RoomCommandId::LastMove));
    EXPECT_EQ(room.currentNodeId(), 2);
    EXPECT_FALSE(runRoomCommand(room, RoomCommandId::RestartTrial));     // outside trial play
    EXPECT_FALSE(runRoomCommand(room, RoomCommandId::RectangleSelect));  // outside mask mode
    EXPECT_TRUE(runRoomCommand(room, RoomCommandId::ModeMask));
    EXPECT_TRUE(runRoomCommand(room, RoomCommandId::RectangleSelect));
    EXPECT_TRUE(findRoomCommand(RoomCommandId::RectangleSelect)->checked(room));
    EXPECT_FALSE(runRoomCommand(room, RoomCommandId::FirstRecord));  // needs a library list
    EXPECT_FALSE(runRoomCommand(room, RoomCommandId::MarkUnread));   // needs a library record
    EXPECT_TRUE(runRoomCommand(room, RoomCommandId::NumbersLast50));
    EXPECT_TRUE(findRoomCommand(RoomCommandId::NumbersLast50)->checked(room));
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
    EXPECT_FALSE(runRoomCommand(room, RoomCommandId::PreviousRecord));  // no previous record
    EXPECT_TRUE(runRoomCommand(room, RoomCommandId::MarkPopular));
    EXPECT_EQ(list->statuses[0], 2);
    EXPECT_TRUE(findRoomCommand(RoomCommandId::MarkPopular)->checked(room));
    room.startAutoReplay();
    room.onTimer(kAutoReplayTimer);  // D4
    room.onTimer(kAutoReplayTimer);  // end of record 0: the next record of the list
    EXPECT_EQ(room.libraryIndex(), 1);
    EXPECT_EQ(room.currentNodeId(), 0);
    EXPECT_TRUE(room.autoReplay());
    EXPECT_TRUE(runRoomCommand(room, RoomCommandId::LastRecord));
    EXPECT_EQ(room.libraryIndex(), 2);
    EXPECT_FALSE(runRoomCommand(room, RoomCommandId::NextRecord));
    room.setRandomSource([] { return 4u; });
    EXPECT_TRUE(runRoomCommand(room, RoomCommandId::RandomRecord));
    EXPECT_EQ(room.libraryIndex(), 1);
}

}  // namespace
}  // namespace tessera
