#pragma once
// A pattern search over the library as the window and tessera-cli run it: which games a scope
// covers, the search itself (through the search index where it covers a game, by the plain
// scan otherwise) and the library rows behind a candidate.

#include <cstdint>
#include <functional>
#include <vector>

#include "library/library_record.h"
#include "stats/pattern_scan.h"
#include "stats/search_results.h"

namespace tessera {

class LibraryCatalogue;
class LibraryStore;
class SearchIndex;

// Search scopes: every game, game records (AppType 1), tutorials then exercises (AppType 2, 3).
enum SearchScope : int { kScopeAllGames = 0, kScopeGameRecords = 1, kScopeLessons = 2 };

// The ids a scope covers, in search order (ascending within each application type); any
// other scope covers none.
std::vector<int32_t> searchScopeIds(LibraryStore& store, int scope);

// Searches the games of ids in order into results. With an open index (may be null) the games
// it holds are searched through it and the others by the plain scan; the hits are the same as
// the plain scan's. Returns when done or when keepRunning (may be empty) turns false.
void runPatternSearch(const LibraryStore& store, const SearchIndex* index, const std::vector<int32_t>& ids,
                      const SearchPattern& pattern, SearchResults& results, SearchProgress& progress,
                      const std::function<bool()>& keepRunning = {});

// One row of a candidate's game list: the game's library row and the node of the hit.
struct CandidateGame {
    LibraryRecord record;
    int32_t nodeId = -1;
};
// The rows behind a candidate's hits, in hit order: from the catalogue, or read from the
// database when the catalogue keeps none of the row's texts. Hits without a row are left out.
std::vector<CandidateGame> candidateGames(LibraryStore& store, const LibraryCatalogue& catalogue,
                                          const SearchCandidate& candidate);

}  // namespace tessera
