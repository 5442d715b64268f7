#pragma once
// The knowledge notes (GFPKnow.dat): slot i holds one game-tree node in node form, the note
// of the position with id i in GFP2.dat (its comment, markup and labels).

#include <cstdint>
#include <optional>
#include <string>

#include "record/game_node.h"
#include "stats/slot_file.h"

namespace tessera {

class KnowledgeStore {
public:
    bool open(const std::string& path, int mode = 0) { return file_.open(path, mode); }
    bool openBytes(std::string bytes) { return file_.openBytes(std::move(bytes)); }
    void close() { file_.close(); }
    bool isOpen() const { return file_.isOpen(); }
    // The note of id; nullopt outside 0 .. 999 999, for an empty slot or a node that does not decode.
    std::optional<GameNode> readNote(int32_t id) const;

private:
    SlotFile file_;
};

}  // namespace tessera
