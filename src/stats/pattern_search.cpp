#include "stats/pattern_search.h"

#include "library/library_catalogue.h"
#include "library/library_store.h"
#include "library/search_index.h"
#include "stats/indexed_search.h"

namespace tessera {

std::vector<int32_t> searchScopeIds(LibraryStore& store, int scope) {
    std::vector<int32_t> ids;
    switch (scope) {
        case kScopeAllGames:
            store.allIds(-1, ids);
            break;
        case kScopeGameRecords:
            store.allIds(kAppGameRecord, ids);
            break;
        case kScopeLessons: {
            store.allIds(kAppTutorial, ids);
            std::vector<int32_t> exercises;
            store.allIds(kAppProblem, exercises);
            ids.insert(ids.end(), exercises.begin(), exercises.end());
            break;
        }
        default:
            break;
    }
    return ids;
}

void runPatternSearch(const LibraryStore& store, const SearchIndex* index, const std::vector<int32_t>& ids,
                      const SearchPattern& pattern, SearchResults& results, SearchProgress& progress,
                      const std::function<bool()>& keepRunning) {
    if (index && index->isOpen())
        runIndexedSearch(store, *index, ids, pattern, results, progress, keepRunning);
    else
        runPatternScan(store, ids, pattern, results, progress, keepRunning);
}

std::vector<CandidateGame> candidateGames(LibraryStore& store, const LibraryCatalogue& catalogue,
                                          const SearchCandidate& candidate) {
    std::vector<CandidateGame> rows;
    rows.reserve(candidate.move.games.size());
    for (const GameRef& hit : candidate.move.games) {
        CandidateGame row;
        row.nodeId = hit.nodeId;
        const LibraryRecord* known = catalogue.find(hit.gameId);
        const bool hasTexts = known && !(known->event.empty() && known->gameName.empty() && known->black.empty() &&
                                         known->white.empty() && known->date.empty());
        if (hasTexts)
            row.record = *known;
        else if (!store.loadRecord(hit.gameId, row.record))
            continue;
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace tessera
