#pragma once
// Opens a record that a reader accepted in a room without a window and runs every navigation
// command from a few nodes: any tree a reader accepts must be safe to walk.
#include "room/game_room.h"

namespace tessera::fuzz {

inline void exerciseRoom(const GameRecord& record) {
    GameRoom room;
    room.openRecord(record, kRoomStudy);
    const auto& nodes = room.record().tree.nodes();
    for (size_t i = 0; i < nodes.size() && i < 8; ++i) {
        room.goToNode(nodes[nodes.size() - 1 - i]->id);
        room.goBack5();
        room.goPrev();
        room.goForward5();
        room.goNext();
        room.goLast();
        room.goFirst();
        room.goToMoveNumber(static_cast<int>(i) + 1);
    }
}

}  // namespace tessera::fuzz
