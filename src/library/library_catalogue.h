#pragma once
// The catalogue of every library game, loaded once at start-up (LibraryStore::loadCatalogue)
// and read without a lock afterwards by the statistics display and the game lists.

#include <cstdint>
#include <vector>

#include "library/library_record.h"

namespace tessera {

class LibraryCatalogue {
public:
    // Number of slots: the largest id + 1 (0 for an empty library).
    size_t size() const { return slots_.size(); }
    // Number of games present.
    size_t count() const { return count_; }
    // The game with this id, or nullptr when the id is out of range or has no game.
    const LibraryRecord* find(int32_t id) const {
        if (id < 0 || static_cast<size_t>(id) >= slots_.size() || slots_[static_cast<size_t>(id)].id != id)
            return nullptr;
        return &slots_[static_cast<size_t>(id)];
    }
    // Replaces the contents: slots sized to the largest id + 1, each record at its id
    // (negative ids are dropped).
    void assign(std::vector<LibraryRecord> records);
    void clear() {
        slots_.clear();
        count_ = 0;
    }

private:
    std::vector<LibraryRecord> slots_;  // an empty slot has id -1
    size_t count_ = 0;
};

}  // namespace tessera
