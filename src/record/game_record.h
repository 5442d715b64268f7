#pragma once
// A whole game record as the room, the library and the statistics code pass it around:
// the game information, the tag list and the game tree.

#include <cstdint>
#include <string>
#include <vector>

#include "go/board_geometry.h"
#include "record/game_info.h"
#include "record/game_tree.h"

namespace tessera {

// Every node stores its whole position: a record may cost at most this many board bytes
// (nodes x board area). Readers refuse a record beyond it before allocating the positions.
constexpr size_t kMaxRecordPositionBytes = size_t(256) << 20;
// Point lists written as ranges ("aa:ss") may expand to at most this many points in one record.
constexpr size_t kMaxRecordExpandedPoints = 10'000'000;

// A tag of the record: an id, a type and the id of the node (scene) it belongs to.
// A new tag has id, type and scene -1 and an empty text.
struct RecordTag {
    int32_t id = -1;
    int32_t type = -1;
    int32_t scene = -1;
    std::string text;  // UTF-8
    bool operator==(const RecordTag&) const = default;
};

struct GameRecord {
    GameInfo info;
    std::vector<RecordTag> tags;
    GameTree tree;
    // What the reader mended while loading (one line each, for the program log).
    std::vector<std::string> repairs;

    // The board size of the record (from info; invalid sizes give 19).
    BoardGeometry geometry() const { return BoardGeometry(info.boardWidth, info.boardHeight); }
    // Recomputes every node's position, prisoners and side to move from the roots.
    void recomputePositions() { tree.recomputePositions(geometry()); }
    // Back to an empty record: default information, no tags, no nodes.
    void clear() {
        info.reset();
        tags.clear();
        tree.clear();
        repairs.clear();
    }
};

}  // namespace tessera
