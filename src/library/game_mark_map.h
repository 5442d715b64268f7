#pragma once
// The user's marks on library games (read, hot), kept apart from the library in
// custom/GoCustom.dat under the root folder: read once at start-up, written back atomically at
// shutdown when a mark changed.
//
// File: 32-byte header ("GFPCH\0", 14 zero bytes, f64 0.0, i32 pair count), then the pairs
// (i32 game id, i32 mark) ascending by id; little-endian. Unread games have no pair.
// The map takes its own lock, so worker threads may read marks while the window sets them.

#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace tessera {

// The marks file of a root folder: <root>custom/GoCustom.dat.
std::string markFilePath(const std::string& rootFolder);

class GameMarkMap {
public:
    // Empties the map, remembers path and reads it. False (map empty) when the file is missing,
    // its header is short or wrong, or the pairs are cut short; a count below 1 is an empty map.
    // Pairs out of order or repeated in a damaged file are sorted and made unique.
    bool load(const std::string& path);
    // Index of the game's pair, or -1.
    int find(int32_t id) const;
    // The game's mark, 0 when it has none.
    int mark(int32_t id) const;
    // Stores mark for the game; a mark below 1 removes its pair. Sets the changed flag on a change.
    void set(int32_t id, int mark);
    // Writes the file when a path is remembered and a mark changed (making its folder). False
    // when that write failed (the old file is kept and the flag stays set).
    bool saveIfChanged();
    // Writes the map to path atomically. False when it cannot be written.
    bool save(const std::string& path) const;

    bool changed() const;
    size_t size() const;
    std::string path() const;
    // The pairs in ascending id order.
    std::vector<std::pair<int32_t, int32_t>> pairs() const;

private:
    int findLocked(int32_t id) const;
    mutable std::mutex mutex_;
    std::vector<std::pair<int32_t, int32_t>> pairs_;
    bool changed_ = false;
    std::string path_;
};

}  // namespace tessera
