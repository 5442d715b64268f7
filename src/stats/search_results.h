#pragma once
// The hits of a pattern search, collected by the worker and read by the window.
//
// SearchResults keeps one entry per candidate point in the order the points were first hit;
// a point's hits are unique per (game, node). Every call locks the one mutex, so the worker
// may add while the window takes snapshots. The candidates a window shows come from a
// snapshot: counted against the catalogue, sorted by total (larger first, then the larger
// point) and labelled A..Z, a..z, then A again.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <unordered_set>
#include <vector>

#include "go/board_geometry.h"
#include "stats/position_stats.h"

namespace tessera {

class LibraryCatalogue;

struct SearchCandidate {
    MoveStats move;     // the point (searched orientation) and its hits in the order found
    std::string label;  // one character
    ResultCount count;  // filled by countCandidates
};

class SearchResults {
public:
    // Adds a hit under point; false when (game, node) is already recorded there.
    bool addHit(int16_t point, const GameRef& hit);
    // Adds the hits of one game in order (one lock); the number that were new.
    int addHits(const std::vector<std::pair<int16_t, GameRef>>& hits);
    // The points and their hits so far, in first-hit order; clears the "new results" flag.
    std::vector<MoveStats> snapshot();
    // True when hits were added since the last snapshot.
    bool hasNewResults() const { return newResults_.load(std::memory_order_acquire); }
    // Forgets everything.
    void clear();
    // Number of candidate points so far.
    size_t pointCount() const;

private:
    bool addLocked(int16_t point, const GameRef& hit);

    mutable std::mutex mutex_;
    std::vector<MoveStats> points_;
    std::vector<int> slotOfPoint_;                    // point -> index in points_, -1 for none
    std::vector<std::unordered_set<uint64_t>> seen_;  // per entry of points_: (game, node) recorded
    std::atomic<bool> newResults_{false};
};

// Counts, sorts and labels the points of a snapshot (see the header comment).
std::vector<SearchCandidate> rankCandidates(std::vector<MoveStats> points, const LibraryCatalogue& catalogue,
                                            int colourToMove);
// The label of the candidate at rank k: A..Z, a..z, then again from A.
std::string candidateLabel(size_t rank);
// The candidate list's line: "A(Q16),总:0012,赢:0007(58%)" (the texts translated).
std::string candidateLine(const SearchCandidate& candidate, const BoardGeometry& board);
// Every game id of the candidates' hits once, in the order the candidates list them.
std::vector<int32_t> candidateGameIds(const std::vector<SearchCandidate>& candidates);

}  // namespace tessera
