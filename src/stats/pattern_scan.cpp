#include "stats/pattern_scan.h"

#include <algorithm>
#include <unordered_set>

#include "library/library_store.h"
#include "stats/search_results.h"

namespace tessera {
namespace {

bool regionMatches(const BoardGrid& position, const SearchVariant& variant) {
    if (position.width() != variant.grid.width() || position.height() != variant.grid.height())
        return false;
    const auto& have = position.bytes();
    const auto& want = variant.grid.bytes();
    for (int32_t p : variant.regionPoints)
        if (have[size_t(p)] != want[size_t(p)])
            return false;
    return true;
}

}  // namespace

void scanRecord(const GameRecord& record, int32_t gameId, const SearchPattern& pattern,
                const std::array<SearchVariant, kSearchVariants>& variants, GameHits& hits,
                const std::function<bool()>& keepRunning) {
    const auto running = [&] { return !keepRunning || keepRunning(); };
    const std::vector<const GameNode*> nodes = nodesInTreeOrder(record.tree);
    std::unordered_set<uint64_t> recorded;  // (point, node) of this game's hits
    bool found = false;
    for (const SearchVariant& variant : variants) {
        if (!running())
            return;
        std::vector<const GameNode*> matching;
        std::unordered_set<int32_t> matchingIds;
        for (const GameNode* node : nodes) {
            const bool match =
                pattern.regionMode ? regionMatches(node->position, variant) : node->position.equals(variant.grid);
            if (match) {
                matching.push_back(node);
                matchingIds.insert(node->id);
            }
        }
        for (const GameNode* node : matching) {
            if (!running())
                return;
            for (int32_t childId : node->childIds) {
                if (!running())
                    return;
                const GameNode* child = record.tree.find(childId);
                if (!child || matchingIds.count(childId) || !child->isPlainMove() ||
                    static_cast<int>(child->move.colour) != pattern.colourToMove)
                    continue;
                const int32_t point = variant.mapBack(child->move.point);
                if (point < 0 || point > INT16_MAX)
                    continue;
                if (recorded.insert((uint64_t(point) << 32) | uint32_t(child->id)).second) {
                    hits.emplace_back(static_cast<int16_t>(point), GameRef{gameId, child->id, 0});
                    found = true;
                }
            }
        }
        if (found && !pattern.regionMode)
            return;
    }
}

void runPatternScan(const LibraryStore& store, const std::vector<int32_t>& ids, const SearchPattern& pattern,
                    SearchResults& results, SearchProgress& progress, const std::function<bool()>& keepRunning) {
    const auto running = [&] { return !keepRunning || keepRunning(); };
    progress.totalGames = static_cast<int>(ids.size());
    if (!isSearchable(pattern))
        return;
    const auto variants = searchVariants(pattern);
    GameRecord record;
    GameHits hits;
    for (size_t k = 0; k < ids.size() && running(); ++k) {
        progress.currentIndex = static_cast<int>(k);
        if (!store.readGame(ids[k], record))
            continue;
        hits.clear();
        scanRecord(record, ids[k], pattern, variants, hits, keepRunning);
        results.addHits(hits);
    }
    if (running())
        progress.currentIndex = static_cast<int>(ids.size());
}

}  // namespace tessera
