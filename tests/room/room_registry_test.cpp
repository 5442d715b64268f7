#include "room/room_registry.h"

#include <gtest/gtest.h>

namespace tessera {
namespace {

struct FakeRoom {};

TEST(RoomRegistry, NumbersStartAt100AndFollowTheLargestOpen) {
    RoomRegistry<FakeRoom> registry;
    FakeRoom a, b, c, d, e;
    EXPECT_EQ(registry.registerRoom(&a), 100);
    EXPECT_EQ(registry.registerRoom(&b), 101);
    EXPECT_EQ(registry.registerRoom(&c), 102);
    EXPECT_EQ(registry.unregisterRoom(&b), 1);  // the middle tab goes
    EXPECT_EQ(registry.registerRoom(&d), 103);  // 101 is not reused while 102 is open
    EXPECT_EQ(registry.indexOf(&c), 1);
    EXPECT_EQ(registry.indexOf(&d), 2);
    registry.unregisterRoom(&a);
    registry.unregisterRoom(&c);
    registry.unregisterRoom(&d);
    EXPECT_TRUE(registry.empty());
    EXPECT_EQ(registry.registerRoom(&e), 100);  // all closed: back to 100
}

TEST(RoomRegistry, RefusesTheEleventhRoomAndStrangers) {
    RoomRegistry<FakeRoom> registry;
    FakeRoom rooms[11];
    for (int i = 0; i < 10; ++i) EXPECT_EQ(registry.registerRoom(&rooms[i]), 100 + i);
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
