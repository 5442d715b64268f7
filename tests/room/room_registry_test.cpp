// Numbering and closing go through the main window tests; here the refusals.
#include "room/room_registry.h"

#include <gtest/gtest.h>

namespace tessera {
namespace {

struct FakeRoom {};

TEST(RoomRegistry, RefusesTheEleventhRoomAndStrangers) {
    RoomRegistry<FakeRoom> registry;
    FakeRoom rooms[11];
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(registry.registerRoom(&rooms[i]), 100 + i);
    EXPECT_TRUE(registry.full());
    EXPECT_EQ(registry.registerRoom(&rooms[10]), -1);
    EXPECT_EQ(registry.size(), 10);
    EXPECT_EQ(registry.registerRoom(&rooms[0]), -1);  // no double registration
    EXPECT_EQ(registry.unregisterRoom(&rooms[10]), -1);
    EXPECT_EQ(registry.roomAt(10), nullptr);
    EXPECT_EQ(registry.numberAt(-1), -1);
    registry.unregisterRoom(&rooms[9]);
    EXPECT_EQ(registry.registerRoom(&rooms[10]), 109);
}

}  // namespace
}  // namespace tessera
