#pragma once
// The plain pattern search: every game of the list is read from the library store and each of
// its nodes compared with the eight orientations of the pattern. Slow on a large library, but
// simple enough to trust: the indexed search is checked against it.
//
// Per game, orientations are tried in variant order; the nodes that match an orientation are
// taken in tree order (roots in order, each node before its children, children in their
// order), and each of their children that is a plain move of the colour to move, and does not
// itself match that orientation, gives a hit at its point mapped back to the searched
// orientation. In whole-board mode a game stops after the first orientation that gave a hit.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "library/search_index_format.h"
#include "record/game_record.h"
#include "stats/position_stats.h"
#include "stats/search_pattern.h"

namespace tessera {

class LibraryStore;
class SearchResults;

// The hits of one game in the order they are found: (point, hit), unique per point and node.
using GameHits = std::vector<std::pair<int16_t, GameRef>>;

// Appends the hits of one record (as library game gameId) to hits; keepRunning (may be empty)
// is asked before each orientation, node and child, and a false answer ends the game early.
void scanRecord(const GameRecord& record, int32_t gameId, const SearchPattern& pattern,
                const std::array<SearchVariant, kSearchVariants>& variants, GameHits& hits,
                const std::function<bool()>& keepRunning = {});

// Where a running search stands: the games to search and the index of the current one.
struct SearchProgress {
    std::atomic<int> totalGames{0};
    std::atomic<int> currentIndex{0};
};

// Scans the games of ids in order into results; a game that cannot be read is passed over.
// Returns when every game is done or keepRunning (may be empty) turns false.
void runPatternScan(const LibraryStore& store, const std::vector<int32_t>& ids, const SearchPattern& pattern,
                    SearchResults& results, SearchProgress& progress, const std::function<bool()>& keepRunning = {});

}  // namespace tessera
