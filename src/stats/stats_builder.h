#pragma once
// Builds the whole-board (GFP.dat, GFPStat.dat) and local (GLP.dat, GLPStat.dat) statistics
// from the games of the library.
//
// Every 19 x 19 game's main line is replayed up to move maxMove. Each position before a move,
// with the mover as colour to move, is one whole-board occurrence; each local group (stones
// joined by steps of at most 5) that lies within 5 points of the move is one local
// occurrence. Positions equal under a symmetry are counted as one and stored in one
// orientation, the next moves mapped into it. A position kept by at least minGames games gets
// an id (at most a million per base, the most played first) and its moves with their
// GameRefs.
//
// Memory stays bounded by the games' main lines: each game is read once into a compact list
// of moves (kept in a cache file for the next build, which reads only new or changed game
// files), occurrences are 24-byte records sorted by key, and only the kept positions are
// rebuilt as grids when the files are written (about 0.5 GB for 100,000 games at 80 moves).
// The files are written under temporary names and renamed into place only when all four
// are complete; a cancelled or failed build leaves the old files as they were.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace tessera {

class LibraryStore;

struct StatsBuildOptions {
    int minGames = 2;  // positions played in fewer games are left out
    int maxMove = 80;  // positions after more moves of the main line are left out
    int threads = 2;   // game files read at once
    int appType = 1;   // library games of this application type (-1 every game)
};

struct StatsBuildSummary {
    int gamesRead = 0;          // 19 x 19 games replayed
    int gamesSkipped = 0;       // other sizes, unreadable files
    int globalPositions = 0;    // positions written to GFP.dat
    int localPositions = 0;     // positions written to GLP.dat
    uint64_t occurrences = 0;   // whole-board and local occurrences counted
    bool truncated = false;     // more positions qualified than a base can hold
    int gamesFromCache = 0;     // games whose lines came from the last build's cache, unread
    bool cacheWritten = false;  // false: the next build reads every game again
};

// Reports a stage ("reading", "counting", "writing") and its progress; false cancels.
using StatsBuildProgress = std::function<bool(const std::string& stage, size_t done, size_t total)>;

// Writes the four files into outputFolder (ending with '/'). False with a one-line reason in
// error on failure or cancellation ("cancelled").
bool buildStatistics(LibraryStore& store, const std::string& outputFolder, const StatsBuildOptions& options,
                     StatsBuildSummary& summary, std::string& error, const StatsBuildProgress& progress = {});

}  // namespace tessera
