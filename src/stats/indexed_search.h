#pragma once
// The pattern search through the search index. Whole-board mode looks the hash of each
// orientation up among the position entries (one binary search per segment and orientation)
// and reads the hits from them. Region mode first streams through every segment's games table
// with its packed bit sets (both cores, no lookup per game) and keeps only the games that had
// a black stone on each of the pattern's black points and a white stone on each of its white
// points (in some orientation); of those, the depth bounds reject every game where no node can
// hold all the pattern's stones while its empty points are still empty (a corner's points fill
// early); the rest are replayed from their compact trees on both cores down to the deepest
// node that can match, keeping per orientation the count of region points that differ from
// the pattern. Games the index does not hold are read and scanned. The hits, and their order,
// are those of the plain scan.

#include <functional>
#include <vector>

#include "stats/pattern_scan.h"

namespace tessera {

class LibraryStore;
class SearchIndex;

void runIndexedSearch(const LibraryStore& store, const SearchIndex& index, const std::vector<int32_t>& ids,
                      const SearchPattern& pattern, SearchResults& results, SearchProgress& progress,
                      const std::function<bool()>& keepRunning = {});

}  // namespace tessera
