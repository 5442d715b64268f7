#include "stats/indexed_search.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <span>
#include <thread>
#include <unordered_set>

#include "library/library_store.h"
#include "library/search_index.h"
#include "stats/search_results.h"

namespace tessera {
namespace {

// A hit candidate read from the position entries.
struct EntryHit {
    int32_t rank;  // the game's place in the search order
    uint8_t variant;
    uint32_t parentSeq;
    uint32_t childSeq;
    int16_t point;  // mapped back to the searched orientation
    int32_t game;
    int segment;
};

bool entryHitBefore(const EntryHit& a, const EntryHit& b) {
    if (a.rank != b.rank)
        return a.rank < b.rank;
    if (a.variant != b.variant)
        return a.variant < b.variant;
    if (a.parentSeq != b.parentSeq)
        return a.parentSeq < b.parentSeq;
    return a.childSeq < b.childSeq;
}

// The search order of every game id of the list (-1: not searched).
std::vector<int32_t> ranksOf(const std::vector<int32_t>& ids) {
    int32_t largest = -1;
    for (int32_t id : ids)
        largest = std::max(largest, id);
    std::vector<int32_t> rank(static_cast<size_t>(largest + 1), -1);
    for (size_t k = ids.size(); k-- > 0;)
        if (ids[k] >= 0)
            rank[static_cast<size_t>(ids[k])] = static_cast<int32_t>(k);
    return rank;
}

void scanOneGame(const LibraryStore& store, int32_t id, const SearchPattern& pattern,
                 const std::array<SearchVariant, kSearchVariants>& variants, GameHits& hits,
                 const std::function<bool()>& keepRunning) {
    GameRecord record;
    if (store.readGame(id, record))
        scanRecord(record, id, pattern, variants, hits, keepRunning);
}

void searchWholeBoard(const LibraryStore& store, const SearchIndex& index, const std::vector<int32_t>& ids,
                      const SearchPattern& pattern, const std::array<SearchVariant, kSearchVariants>& variants,
                      SearchResults& results, SearchProgress& progress, const std::function<bool()>& running) {
    const std::vector<int32_t> rank = ranksOf(ids);
    uint64_t hashes[kSearchVariants];
    for (int v = 0; v < kSearchVariants; ++v)
        hashes[v] = positionHash(variants[size_t(v)].grid);
    std::vector<EntryHit> found;
    for (int s = 0; s < index.segmentCount(); ++s)
        for (int v = 0; v < kSearchVariants; ++v) {
            // An orientation equal to an earlier one matches the same nodes; the earlier wins.
            if (std::find(hashes, hashes + v, hashes[v]) != hashes + v)
                continue;
            const auto [begin, end] = index.entriesOf(s, hashes[v]);
            for (const PositionEntry* e = begin; e != end; ++e) {
                if (e->game < 0 || size_t(e->game) >= rank.size() || rank[size_t(e->game)] < 0 ||
                    e->colour != pattern.colourToMove || (e->flags & kSamePosition))
                    continue;
                int segment = -1;
                if (!index.findGame(e->game, &segment) || segment != s)
                    continue;  // a newer segment holds the game
                const int32_t point = variants[size_t(v)].mapBack(e->point);
                if (point < 0 || point > INT16_MAX)
                    continue;
                found.push_back(
                    {rank[size_t(e->game)], uint8_t(v), e->parentSeq, e->childSeq, int16_t(point), e->game, s});
            }
        }
    std::sort(found.begin(), found.end(), entryHitBefore);

    GameHits hits;
    size_t at = 0;
    for (size_t k = 0; k < ids.size() && (k % 1024 != 0 || running()); ++k) {
        if (k % 1024 == 0)
            progress.currentIndex = static_cast<int>(k);
        hits.clear();
        while (at < found.size() && found[at].rank < static_cast<int32_t>(k))
            ++at;
        int segment = -1;
        const IndexedGame* game = index.findGame(ids[k], &segment);
        if (!game || (game->flags & kScanInstead)) {
            scanOneGame(store, ids[k], pattern, variants, hits, running);
        } else if (at < found.size() && found[at].rank == static_cast<int32_t>(k)) {
            // The first orientation with a hit is the only one counted.
            const uint8_t variant = found[at].variant;
            std::optional<CompactTreeReader> tree;
            if (!(game->flags & kIdsInTreeOrder))
                tree.emplace(index.treeOf(*game, segment));
            for (; at < found.size() && found[at].rank == static_cast<int32_t>(k) && found[at].variant == variant;
                 ++at) {
                const int32_t node = tree ? tree->nodeId(found[at].childSeq) : static_cast<int32_t>(found[at].childSeq);
                if (node >= 0)
                    hits.emplace_back(found[at].point, GameRef{ids[k], node, 0});
            }
        }
        if (!hits.empty())
            results.addHits(hits);
    }
}

// Region mode: what one orientation needs of a game.
struct RegionVariant {
    bool usable = false;  // a region of at least one point
    int width = 0, height = 0;
    PointList black, white;         // points the pattern holds black / white
    PointList empty;                // region points the pattern leaves empty
    std::vector<uint8_t> expected;  // per point: the pattern's value, kOutside outside the region
    int startMismatch = 0;          // region points that differ on an empty board
    // The words of a game's packed bit sets (everBlack then everWhite) with the bits the
    // pattern's stones need set.
    std::vector<std::pair<uint32_t, uint64_t>> needs;
    bool sameNeedsAsEarlier = false;
};
constexpr uint8_t kOutside = 0xFF;

// What one thread reuses from game to game.
struct ReplayScratch {
    std::vector<uint8_t> cells, watchers, matchMask, colour;
    std::vector<int32_t> point, firstChild, nextSibling, lastChild;
    std::vector<bool> plain;
    std::vector<std::pair<int32_t, uint8_t>> undo;  // (point, old value)
    std::vector<std::pair<uint32_t, size_t>> path;  // (node, undo mark)
    std::unordered_set<uint64_t> recorded;
    CompactNode node;
};

struct RegionSearch {
    const SearchPattern& pattern;
    const std::array<SearchVariant, kSearchVariants>& variants;
    std::array<RegionVariant, kSearchVariants> regions;

    RegionSearch(const SearchPattern& p, const std::array<SearchVariant, kSearchVariants>& v)
        : pattern(p), variants(v) {
        for (int k = 0; k < kSearchVariants; ++k) {
            const SearchVariant& variant = variants[size_t(k)];
            RegionVariant& r = regions[size_t(k)];
            r.usable = !variant.regionPoints.empty();
            r.width = variant.grid.width();
            r.height = variant.grid.height();
            r.expected.assign(static_cast<size_t>(variant.grid.area()), kOutside);
            for (int32_t p : variant.regionPoints) {
                const int value = variant.grid.get(p);
                r.expected[size_t(p)] = static_cast<uint8_t>(value);
                if (value == 1)
                    r.black.push_back(p);
                if (value == 2)
                    r.white.push_back(p);
                if (value == 0)
                    r.empty.push_back(p);
                if (value != 0)
                    ++r.startMismatch;
            }
            const size_t words = bitSetWords(r.width * r.height);
            for (const PointList* stones : {&r.black, &r.white})
                for (int32_t p : *stones) {
                    const uint32_t word = uint32_t((stones == &r.white ? words : 0) + size_t(p) / 64);
                    auto same = std::find_if(r.needs.begin(), r.needs.end(),
                                             [word](const auto& need) { return need.first == word; });
                    if (same == r.needs.end())
                        same = r.needs.insert(r.needs.end(), {word, 0});
                    same->second |= uint64_t(1) << (p % 64);
                }
            // One orientation equal to an earlier one needs the same of a game.
            if (r.usable)
                for (int e = 0; e < k; ++e)
                    if (regions[size_t(e)].usable && regions[size_t(e)].width == r.width &&
                        regions[size_t(e)].height == r.height && regions[size_t(e)].needs == r.needs) {
                        r.sameNeedsAsEarlier = true;
                        break;
                    }
        }
    }

    static bool allSet(const uint64_t* bits, const PointList& points) {
        for (int32_t p : points)
            if (!(bits[size_t(p) / 64] >> (p % 64) & 1))
                return false;
        return true;
    }

    // The greatest depth at which the game can hold the orientation's region, or -1 when it
    // never can: its stones are all down only from the deepest of their first depths on, and
    // each of its empty points is empty no deeper than its last empty depth.
    static int reachableDepth(const RegionVariant& r, const uint8_t* firstOccupied, const uint8_t* lastEmpty) {
        int from = 0;
        for (const PointList* stones : {&r.black, &r.white})
            for (int32_t p : *stones)
                from = std::max<int>(from, firstOccupied[size_t(p)]);
        int until = kDepthCap;
        for (int32_t p : r.empty) {
            until = std::min<int>(until, lastEmpty[size_t(p)]);
            if (until < from)
                return -1;
        }
        return until >= kDepthCap ? INT32_MAX : until;
    }

    // False when no orientation's stones were ever all down in the game (bits: its packed
    // everBlack then everWhite), so its tree need not be read.
    bool mayHold(const IndexedGame& game, const uint64_t* bits) const {
        for (const RegionVariant& r : regions) {
            if (!r.usable || r.sameNeedsAsEarlier || r.width != game.width || r.height != game.height)
                continue;
            bool all = true;
            for (const auto& [word, mask] : r.needs)
                all &= (bits[word] & mask) == mask;
            if (all)
                return true;
        }
        return false;
    }

    // The hits of one indexed game, as the plain scan finds them.
    void searchGame(const IndexedGame& game, CompactTreeReader tree, ReplayScratch& s, GameHits& hits) const {
        if (!tree.valid())
            return;
        unsigned passing = 0;
        int deepest = -1;  // no node deeper than this can match any passing orientation
        for (int v = 0; v < kSearchVariants; ++v) {
            const RegionVariant& r = regions[size_t(v)];
            if (!r.usable || r.width != game.width || r.height != game.height || !allSet(tree.everBlack(), r.black) ||
                !allSet(tree.everWhite(), r.white))
                continue;
            const int reachable =
                tree.firstOccupied() ? reachableDepth(r, tree.firstOccupied(), tree.lastEmpty()) : INT32_MAX;
            if (reachable < 0)
                continue;
            passing |= 1u << v;
            deepest = std::max(deepest, reachable);
        }
        if (!passing)
            return;
        const size_t area = size_t(game.width) * game.height;
        const size_t nodes = game.nodeCount;
        // Per point, the orientations that look at it; per orientation, the points that differ.
        s.watchers.assign(area, 0);
        int mismatch[kSearchVariants] = {};
        for (int v = 0; v < kSearchVariants; ++v)
            if (passing >> v & 1) {
                const RegionVariant& r = regions[size_t(v)];
                for (size_t p = 0; p < area; ++p)
                    if (r.expected[p] != kOutside)
                        s.watchers[p] |= uint8_t(1u << v);
                mismatch[v] = r.startMismatch;
            }
        s.cells.assign(area, 0);
        s.matchMask.assign(nodes, 0);
        s.colour.assign(nodes, 0);
        s.point.assign(nodes, -1);
        s.firstChild.assign(nodes, -1);
        s.nextSibling.assign(nodes, -1);
        s.lastChild.assign(nodes, -1);
        s.plain.assign(nodes, false);
        s.undo.clear();
        s.path.clear();
        auto setCell = [&](int32_t p, uint8_t value) {
            const uint8_t old = s.cells[size_t(p)];
            if (old == value)
                return;
            for (unsigned w = s.watchers[size_t(p)]; w; w &= w - 1) {
                const int v = __builtin_ctz(w);
                const uint8_t expected = regions[size_t(v)].expected[size_t(p)];
                mismatch[v] += int(value != expected) - int(old != expected);
            }
            s.cells[size_t(p)] = value;
        };
        unsigned anyMatch = 0;
        CompactNode& node = s.node;
        for (uint32_t seq = 0; seq < nodes; ++seq) {
            if (!tree.next(node) || node.pop > s.path.size())
                return;  // damaged: nothing of this game counts
            for (uint32_t k = 0; k < node.pop; ++k) {
                const size_t mark = s.path.back().second;
                s.path.pop_back();
                while (s.undo.size() > mark) {
                    setCell(s.undo.back().first, s.undo.back().second);
                    s.undo.pop_back();
                }
            }
            if (!s.path.empty()) {
                const uint32_t parent = s.path.back().first;
                if (s.lastChild[parent] < 0)
                    s.firstChild[parent] = int32_t(seq);
                else
                    s.nextSibling[size_t(s.lastChild[parent])] = int32_t(seq);
                s.lastChild[parent] = int32_t(seq);
            }
            // Below the deepest possible match no position matters: its changes are skipped.
            const bool deep = s.path.size() > size_t(deepest);
            s.path.emplace_back(seq, s.undo.size());
            uint8_t mask = 0;
            if (!deep) {
                for (const auto& [p, value] : node.change) {
                    s.undo.emplace_back(p, s.cells[size_t(p)]);
                    setCell(p, value);
                }
                for (unsigned w = passing; w; w &= w - 1) {
                    const int v = __builtin_ctz(w);
                    if (mismatch[v] == 0)
                        mask |= uint8_t(1u << v);
                }
            }
            s.matchMask[seq] = mask;
            anyMatch |= mask;
            s.colour[seq] = node.colour;
            s.point[seq] = node.point;
            s.plain[seq] = node.plainMove;
        }
        s.recorded.clear();
        for (int v = 0; v < kSearchVariants; ++v) {
            if (!(anyMatch >> v & 1))
                continue;
            const uint8_t bit = uint8_t(1u << v);
            for (uint32_t m = 0; m < nodes; ++m) {
                if (!(s.matchMask[m] & bit))
                    continue;
                for (int32_t c = s.firstChild[m]; c >= 0; c = s.nextSibling[size_t(c)]) {
                    const size_t child = size_t(c);
                    if ((s.matchMask[child] & bit) || !s.plain[child] || s.colour[child] != pattern.colourToMove)
                        continue;
                    const int32_t mapped = variants[size_t(v)].mapBack(s.point[child]);
                    const int32_t id = tree.nodeId(uint32_t(c));
                    if (mapped < 0 || mapped > INT16_MAX || id < 0)
                        continue;
                    if (s.recorded.insert((uint64_t(mapped) << 32) | uint32_t(id)).second)
                        hits.emplace_back(int16_t(mapped), GameRef{game.id, id, 0});
                }
            }
        }
    }
};

// A game left for the replay: its place in the search order and its entry (nullptr: the index
// does not hold it, read and scan it).
struct RegionCandidate {
    int32_t rank;
    int32_t segment;
    const IndexedGame* game;
};

// The games of one segment's table in [from, to) that may hold the region, by their packed bit
// sets alone; held[rank] is set for every game the index holds (the others are read instead).
void filterSegment(const SearchIndex& index, const RegionSearch& search, const std::vector<int32_t>& rank, int segment,
                   size_t from, size_t to, std::vector<uint8_t>& held, std::vector<RegionCandidate>& out) {
    const std::span<const IndexedGame> table = index.gamesOf(segment);
    const bool newestAlways = index.segmentCount() == 1;
    for (size_t k = from; k < to; ++k) {
        const IndexedGame& game = table[k];
        if (size_t(game.id) >= rank.size() || rank[size_t(game.id)] < 0 || (game.flags & kScanInstead) ||
            (!newestAlways && index.findGame(game.id) != &game))
            continue;
        const int32_t at = rank[size_t(game.id)];
        held[size_t(at)] = 1;
        const uint64_t* bits = index.bitsOf(game, segment);
        if (!bits || search.mayHold(game, bits))
            out.push_back({at, segment, &game});
    }
}

void searchRegion(const LibraryStore& store, const SearchIndex& index, const std::vector<int32_t>& ids,
                  const SearchPattern& pattern, const std::array<SearchVariant, kSearchVariants>& variants,
                  SearchResults& results, SearchProgress& progress, const std::function<bool()>& running) {
    const RegionSearch search(pattern, variants);
    const std::vector<int32_t> rank = ranksOf(ids);
    const unsigned threads = ids.size() < 256 ? 1u : std::clamp(std::thread::hardware_concurrency(), 1u, 2u);

    // First every segment's table is read in its order with the packed bit sets beside it (a
    // stream through memory, no lookup per game), in slices the threads take in turn; then the
    // few games that pass are replayed, both threads taking them in search order. This thread
    // never waits for the other to start: what that one has not taken, this one does.
    struct Slice {
        int segment;
        size_t from, to;
    };
    std::vector<Slice> slices;
    constexpr size_t kSlice = 4096;
    for (int s = 0; s < index.segmentCount(); ++s)
        for (size_t from = 0, count = index.gamesOf(s).size(); from < count; from += kSlice)
            slices.push_back({s, from, std::min(count, from + kSlice)});
    std::vector<uint8_t> held(ids.size(), 0);
    std::vector<std::vector<RegionCandidate>> found(threads);
    std::atomic<size_t> nextSlice{0}, slicesDone{0};
    const auto filter = [&](unsigned part) {
        for (size_t k; (k = nextSlice.fetch_add(1)) < slices.size();) {
            filterSegment(index, search, rank, slices[k].segment, slices[k].from, slices[k].to, held, found[part]);
            slicesDone.fetch_add(1, std::memory_order_release);
        }
    };

    std::vector<RegionCandidate> candidates;
    std::vector<GameHits> hits;
    std::vector<std::atomic<bool>> done;
    std::atomic<bool> merged{false};
    std::atomic<size_t> next{0};
    constexpr size_t kRun = 8;
    // Replays the next run of candidates; false when none is left or the search was stopped (a
    // game cut short is not marked done, so it is never reported).
    const auto replay = [&](ReplayScratch& scratch) {
        const size_t first = next.fetch_add(kRun);
        if (first >= candidates.size() || !running())
            return false;
        for (size_t k = first; k < std::min(candidates.size(), first + kRun); ++k) {
            const RegionCandidate& c = candidates[k];
            if (c.game)
                search.searchGame(*c.game, index.treeOf(*c.game, c.segment), scratch, hits[k]);
            else
                scanOneGame(store, ids[size_t(c.rank)], pattern, variants, hits[k], running);
            if (!running())
                return false;
            done[k].store(true, std::memory_order_release);
        }
        return true;
    };

    std::vector<ReplayScratch> scratch(threads);
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back([&, t] {
            filter(t);
            merged.wait(false, std::memory_order_acquire);
            while (replay(scratch[t])) {
            }
        });
    filter(0);
    while (slicesDone.load(std::memory_order_acquire) < slices.size())
        std::this_thread::yield();  // the other thread is finishing its last slice
    for (auto& part : found)
        candidates.insert(candidates.end(), part.begin(), part.end());
    for (size_t k = 0; k < ids.size(); ++k)
        if (!held[k] && ids[k] >= 0 && rank[size_t(ids[k])] == int32_t(k))
            candidates.push_back({int32_t(k), -1, nullptr});
    std::sort(candidates.begin(), candidates.end(),
              [](const RegionCandidate& a, const RegionCandidate& b) { return a.rank < b.rank; });
    hits.resize(candidates.size());
    done = std::vector<std::atomic<bool>>(candidates.size());
    merged.store(true, std::memory_order_release);
    merged.notify_all();

    // This thread also reports, in search order, the games done so far: everything before the
    // first candidate not yet done is complete.
    size_t reported = 0;
    const auto report = [&] {
        for (; reported < candidates.size() && done[reported].load(std::memory_order_acquire); ++reported) {
            if (!hits[reported].empty())
                results.addHits(hits[reported]);
            GameHits().swap(hits[reported]);
        }
        progress.currentIndex = reported < candidates.size() ? int(candidates[reported].rank) : int(ids.size());
    };
    while (replay(scratch[0]))
        report();
    for (auto& thread : pool)
        thread.join();
    report();
}

}  // namespace

void runIndexedSearch(const LibraryStore& store, const SearchIndex& index, const std::vector<int32_t>& ids,
                      const SearchPattern& pattern, SearchResults& results, SearchProgress& progress,
                      const std::function<bool()>& keepRunning) {
    const auto running = [&] { return !keepRunning || keepRunning(); };
    progress.totalGames = static_cast<int>(ids.size());
    progress.currentIndex = 0;
    if (!isSearchable(pattern))
        return;
    const auto variants = searchVariants(pattern);
    if (pattern.regionMode)
        searchRegion(store, index, ids, pattern, variants, results, progress, running);
    else
        searchWholeBoard(store, index, ids, pattern, variants, results, progress, running);
    if (running())
        progress.currentIndex = static_cast<int>(ids.size());
}

}  // namespace tessera
