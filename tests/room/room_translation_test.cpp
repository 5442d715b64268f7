// Records opened under another interface language are converted by their text language.
#include "room/room_translation.h"

#include <gtest/gtest.h>

#include "recording_host.h"
#include "room/game_room.h"

namespace tessera {
namespace {

TEST(RoomTranslation, TraditionalRecordsBecomeSimplifiedUnderTheSimplifiedInterface) {
    test::RecordingHost host;
    GameRoom room(&host);
    TextDictionary dictionary(TextDictionary::kToTraditional);
    room.setRecordTranslator(interfaceRecordTranslator(1, dictionary));
    GameRecord record = test::lineRecord({"D4"});
    record.info.langType = 2;
    record.info.event = "名人戰";
    room.openRecord(record, kRoomStudy);
    EXPECT_EQ(room.record().info.event, "名人战");

    record.info.langType = 1;  // already Simplified: unchanged
    record.info.event = "名人戰";
    room.openRecord(record, kRoomStudy);
    EXPECT_EQ(room.record().info.event, "名人戰");
}

TEST(RoomTranslation, SimplifiedRecordsBecomeTraditionalUnderTheTraditionalInterface) {
    GameRoom room;
    TextDictionary dictionary(TextDictionary::kToTraditional);
    room.setRecordTranslator(interfaceRecordTranslator(2, dictionary));
    GameRecord record = test::lineRecord({"D4"});
    record.info.event = "名人战";  // langType unknown: taken as Simplified
    room.openRecord(record, kRoomStudy);
    EXPECT_EQ(room.record().info.event, "名人戰");
}

}  // namespace
}  // namespace tessera
