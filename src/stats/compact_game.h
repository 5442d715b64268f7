#pragma once
// A game's main line reduced to what the statistics count: the root position's stones and the
// plain moves that follow, up to a move limit.
//
// The statistics build keeps these lines in a cache file beside the bases, each stamped with
// the size and modification time of the game file it came from, so that a later build reads
// only the games that are new or changed since (for a server library: only those it must fetch).

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tessera {

struct GameRecord;

struct CompactStep {
    int16_t point = -1;
    uint8_t colour = 0;
    int32_t nodeId = -1;
};

struct CompactGame {
    int32_t gameId = -1;
    std::vector<int16_t> black, white;
    std::vector<CompactStep> steps;
};

// Fills game from a 19 x 19 record's main line, stopping at maxMove moves or at the first pass,
// setup or odd node. False for other board sizes or a record without a usable root position.
bool compactGame(const GameRecord& record, int maxMove, CompactGame& game);

// Size and modification time of a game file; equal stamps mean an unchanged file.
struct FileStamp {
    int64_t size = -1;
    int64_t modified = 0;  // nanoseconds of the file clock
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(const std::string& path);

struct CachedGame {
    FileStamp stamp;
    bool usable = false;  // false: the file was read but holds nothing the statistics count
    CompactGame game;
};
using CompactGameCache = std::unordered_map<int32_t, CachedGame>;

// The cache file of the bases in outputFolder: "<outputFolder>cache/stats-games.dat".
std::string compactGameCachePath(const std::string& outputFolder);
// Reads the cache written for this maxMove; an absent, damaged or other-limit file gives an
// empty cache (the build then reads every game).
CompactGameCache readCompactGameCache(const std::string& path, int maxMove);
// Writes the entries atomically; false when the file cannot be written.
bool writeCompactGameCache(const std::string& path, int maxMove, const std::vector<const CachedGame*>& games);

}  // namespace tessera
