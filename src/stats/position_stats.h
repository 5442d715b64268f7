#pragma once
// The statistics files (GFPStat.dat, GLPStat.dat): slot i holds the next moves played from
// the position with id i of the matching position file, each with the games behind it.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "stats/slot_file.h"

namespace tessera {

class LibraryCatalogue;

// One game behind a move: the library's game id, the node at which the move was played,
// and a flag byte (the builder stores 0 for whole-board and 1 for local patterns).
struct GameRef {
    int32_t gameId = -1;
    int32_t nodeId = -1;
    uint8_t flag = 0;
    bool operator==(const GameRef&) const = default;
};
constexpr size_t kGameRefBytes = 9;

struct MoveStats {
    int16_t point = -1;  // in the stored orientation; negative: no board point
    std::vector<GameRef> games;
};

struct PositionStats {
    int32_t id = -1;
    std::vector<MoveStats> moves;
};

struct ResultCount {
    int total = 0;
    int wins = 0;
    int losses = 0;
    bool operator==(const ResultCount&) const = default;
};

// Record form: i32 id, i32 move count, per move i16 point, i32 game count, 9 bytes per game.
std::string serializeStats(const PositionStats& stats);
void appendGameRef(std::string& out, const GameRef& ref);
// nullopt when a count runs past the record; the moves come back in stored order.
std::optional<PositionStats> parseStats(const std::string& bytes);
// Most games first; among equal counts the higher point first.
void sortMoves(PositionStats& stats);

// The move's game count, and its wins and losses for the colour to move from the results of
// the catalogue (unknown games and draws count in the total only).
ResultCount countResults(const MoveStats& move, const LibraryCatalogue& catalogue, int colourToMove);
ResultCount countAllResults(const PositionStats& stats, const LibraryCatalogue& catalogue, int colourToMove);
// The sum of the game counts of every move.
int totalGames(const PositionStats& stats);

class PositionStatsStore {
public:
    bool open(const std::string& path, int mode = 0) { return file_.open(path, mode); }
    bool openBytes(std::string bytes) { return file_.openBytes(std::move(bytes)); }
    void close() { file_.close(); }
    bool isOpen() const { return file_.isOpen(); }
    // The statistics of id with the moves sorted; nullopt outside 0 .. 999 999, empty or corrupt.
    std::optional<PositionStats> readStats(int32_t id) const;

private:
    SlotFile file_;
};

}  // namespace tessera
