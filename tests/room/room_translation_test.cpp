// Records opened under another interface language are converted by their text language.
#include "room/room_translation.h"

#include <gtest/gtest.h>

#include "recording_host.h"
#include "room/game_room.h"

namespace tessera {
namespace {

TEST(RoomTranslation, RecordsTakeTheInterfacesScriptByTheirTextLanguage) {
    const struct {
        InterfaceLanguage interfaceLanguage;
        int recordLanguage;
        const char *event, *shown;
    } cases[] = {
        {kLanguageSimplifiedChinese, 2, "名人戰", "名人战"},  // Traditional under the Simplified interface: converted
        {kLanguageSimplifiedChinese, 1, "名人戰", "名人戰"},  // already Simplified by its language: unchanged
        {kLanguageTraditionalChinese, -1, "名人战",
         "名人戰"},  // language unknown, taken as Simplified, under the Traditional one
    };
    TextDictionary dictionary(TextDictionary::kToTraditional);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.event);
        test::RecordingHost host;
        GameRoom room(&host);
        room.setRecordTranslator(interfaceRecordTranslator(c.interfaceLanguage, dictionary));
        GameRecord record = test::lineRecord({"D4"});
        record.info.langType = c.recordLanguage;
        record.info.event = c.event;
        room.openRecord(record, kRoomStudy);
        EXPECT_EQ(room.record().info.event, c.shown);
    }
}

}  // namespace
}  // namespace tessera
