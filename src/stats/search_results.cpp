#include "stats/search_results.h"

#include <algorithm>

#include "library/library_catalogue.h"
#include "platform/format_text.h"
#include "platform/ui_text.h"

namespace tessera {
namespace {

uint64_t gameNodeKey(const GameRef& hit) { return (uint64_t(uint32_t(hit.gameId)) << 32) | uint32_t(hit.nodeId); }

}  // namespace

bool SearchResults::addLocked(int16_t point, const GameRef& hit) {
    if (point < 0)
        return false;
    const auto index = static_cast<size_t>(point);
    if (index >= slotOfPoint_.size())
        slotOfPoint_.resize(index + 1, -1);
    int slot = slotOfPoint_[index];
    if (slot >= 0) {
        if (!seen_[static_cast<size_t>(slot)].insert(gameNodeKey(hit)).second)
            return false;
    } else {
        slot = static_cast<int>(points_.size());
        slotOfPoint_[index] = slot;
        points_.push_back(MoveStats{point, {}});
        seen_.emplace_back().insert(gameNodeKey(hit));
    }
    MoveStats& entry = points_[static_cast<size_t>(slot)];
    if (entry.games.capacity() == entry.games.size())
        entry.games.reserve(entry.games.size() + std::clamp<size_t>(entry.games.size() / 8, 4, 1024));
    entry.games.push_back(hit);
    newResults_.store(true, std::memory_order_release);
    return true;
}

bool SearchResults::addHit(int16_t point, const GameRef& hit) {
    std::lock_guard lock(mutex_);
    return addLocked(point, hit);
}

int SearchResults::addHits(const std::vector<std::pair<int16_t, GameRef>>& hits) {
    std::lock_guard lock(mutex_);
    int added = 0;
    for (const auto& [point, hit] : hits)
        added += addLocked(point, hit) ? 1 : 0;
    return added;
}

std::vector<MoveStats> SearchResults::snapshot() {
    std::lock_guard lock(mutex_);
    newResults_.store(false, std::memory_order_release);
    return points_;
}

void SearchResults::clear() {
    std::lock_guard lock(mutex_);
    points_.clear();
    slotOfPoint_.clear();
    seen_.clear();
    newResults_.store(false, std::memory_order_release);
}

size_t SearchResults::pointCount() const {
    std::lock_guard lock(mutex_);
    return points_.size();
}

std::string candidateLabel(size_t rank) {
    const size_t k = rank % 52;
    return std::string(1, k < 26 ? char('A' + k) : char('a' + (k - 26)));
}

std::vector<SearchCandidate> rankCandidates(std::vector<MoveStats> points, const LibraryCatalogue& catalogue,
                                            int colourToMove) {
    std::vector<SearchCandidate> candidates;
    candidates.reserve(points.size());
    for (MoveStats& point : points) {
        SearchCandidate candidate;
        candidate.count = countResults(point, catalogue, colourToMove);
        candidate.move = std::move(point);
        candidates.push_back(std::move(candidate));
    }
    std::sort(candidates.begin(), candidates.end(), [](const SearchCandidate& a, const SearchCandidate& b) {
        if (a.count.total != b.count.total)
            return a.count.total > b.count.total;
        return a.move.point > b.move.point;
    });
    for (size_t k = 0; k < candidates.size(); ++k)
        candidates[k].label = candidateLabel(k);
    return candidates;
}

std::string candidateLine(const SearchCandidate& candidate, const BoardGeometry& board) {
    const ResultCount& c = candidate.count;
    const double percent = c.total > 0 ? c.wins * 100.0 / c.total : 0.0;
    return formatText("%s(%s),%s:%04d,%s:%04d(%02.0f%%)", candidate.label.c_str(),
                      board.pointText(candidate.move.point).c_str(), uiText("PatternSearch", "总").c_str(), c.total,
                      uiText("PatternSearch", "赢").c_str(), c.wins, percent);
}

std::vector<int32_t> candidateGameIds(const std::vector<SearchCandidate>& candidates) {
    std::vector<int32_t> ids;
    std::unordered_set<int32_t> seen;
    for (const SearchCandidate& candidate : candidates)
        for (const GameRef& hit : candidate.move.games)
            if (seen.insert(hit.gameId).second)
                ids.push_back(hit.gameId);
    return ids;
}

}  // namespace tessera
