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

    // The board size of the record (from info; invalid sizes give 19).
    BoardGeometry geometry() const { return BoardGeometry(info.boardWidth, info.boardHeight); }
    // Recomputes every node's position, prisoners and side to move from the roots.
    void recomputePositions() { tree.recomputePositions(geometry()); }
    // Back to an empty record: default information, no tags, no nodes.
    void clear() {
        info.reset();
        tags.clear();
        tree.clear();
    }
};

}  // namespace tessera
