#pragma once
// The six pattern files of the program folder, opened together at start-up and closed at
// shutdown: the whole-board statistics (GFP.dat, GFPStat.dat), the local statistics (GLP.dat,
// GLPStat.dat) and the knowledge base (GFP2.dat, GFPKnow.dat). A file that is missing or
// refused stays closed and simply answers nothing. Every file has its own lock, so the
// engine's book move may read while a room refreshes its hints.

#include <string>

#include "stats/knowledge_store.h"
#include "stats/position_index.h"
#include "stats/position_stats.h"

namespace tessera {

inline constexpr const char* kGlobalIndexFile = "GFP.dat";
inline constexpr const char* kGlobalStatsFile = "GFPStat.dat";
inline constexpr const char* kLocalIndexFile = "GLP.dat";
inline constexpr const char* kLocalStatsFile = "GLPStat.dat";
inline constexpr const char* kKnowledgeIndexFile = "GFP2.dat";
inline constexpr const char* kKnowledgeNotesFile = "GFPKnow.dat";

struct PatternBases {
    PositionIndex globalIndex;
    PositionStatsStore globalStats;
    PositionIndex localIndex;
    PositionStatsStore localStats;
    PositionIndex knowledgeIndex;
    KnowledgeStore knowledgeNotes;

    // (Re)opens every file of the folder (ending with '/'); returns how many opened.
    int open(const std::string& programFolder);
    void close();
};

// A position found in a pair of files: its statistics and the transform under which it
// matched (-1 as it stands).
struct FoundStats {
    PositionStats stats;
    int transform = -1;
};

// Looks grid (19 x 19) with the colour to move up under symmetry and reads its statistics.
std::optional<FoundStats> lookUpStats(const PositionIndex& index, const PositionStatsStore& store,
                                      const BoardGrid& grid, int colourToMove);
// A stored point mapped back onto the board the lookup was made on (-1 stays -1).
int32_t displayedPoint(int32_t storedPoint, int transform);

}  // namespace tessera
