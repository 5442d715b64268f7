#include "stats/stats_builder.h"

#include <algorithm>
#include <cstdlib>
#include <thread>
#include <vector>

#include "go/play_move.h"
#include "library/library_store.h"
#include "record/sgg_file.h"
#include "stats/compact_game.h"
#include "stats/local_groups.h"
#include "stats/pattern_bases.h"
#include "stats/symmetry_key.h"

namespace tessera {
namespace {

constexpr uint16_t kNoAnchor = 0xFFFF;

using Step = CompactStep;

struct Occurrence {
    uint64_t key;
    uint32_t game;    // index into the compact games
    int32_t nodeId;   // the node holding the move
    uint16_t step;    // moves before the position
    int16_t point;    // the move in the stored orientation
    uint16_t anchor;  // a stone of the local group (kNoAnchor for the whole board)
    uint8_t symmetry;
    uint8_t spare;
};
static_assert(sizeof(Occurrence) == 24);

// A kept position rebuilt when the index is written.
struct Representative {
    uint32_t game;
    uint16_t step;
    uint16_t anchor;
    uint8_t symmetry;
    bool local;
    int32_t id;
};

// Replays a compact game; visit(step index, grid, key) runs before each move. Stops early when
// visit returns false or a move is refused.
template <typename Visit>
void replay(const CompactGame& game, Visit&& visit) {
    BoardGrid grid(19, 19);
    SymmetryKey key;
    for (int16_t p : game.black) {
        grid.set(p, 1);
        key.toggle(p, 1);
    }
    for (int16_t p : game.white) {
        grid.set(p, 2);
        key.toggle(p, 2);
    }
    PointList captured;
    for (size_t k = 0; k < game.steps.size(); ++k) {
        const Step& step = game.steps[k];
        if (!visit(k, grid, key))
            return;
        captured.clear();
        if (!playMove(grid, Move{step.colour, step.point}, captured))
            return;
        key.toggle(step.point, step.colour);
        for (int32_t p : captured)
            key.toggle(p, static_cast<int>(opponentOf(step.colour)));
    }
}

// The stones within kLocalDistance of p, nearest rows first.
void stonesNear(const BoardGrid& grid, int32_t p, PointList& out) {
    out.clear();
    const int x = p % 19, y = p / 19;
    for (int dx = -kLocalDistance; dx <= kLocalDistance; ++dx) {
        const int reach = kLocalDistance - std::abs(dx);
        for (int dy = -reach; dy <= reach; ++dy) {
            if (x + dx < 0 || x + dx >= 19 || y + dy < 0 || y + dy >= 19)
                continue;
            const int32_t q = (y + dy) * 19 + x + dx;
            const int v = grid.get(q);
            if (v == 1 || v == 2)
                out.push_back(q);
        }
    }
}

void collectOccurrences(const std::vector<CompactGame>& games, std::vector<Occurrence>& global,
                        std::vector<Occurrence>& local) {
    PointList near;
    std::vector<BoardGrid> groups;
    for (uint32_t g = 0; g < games.size(); ++g) {
        const CompactGame& game = games[g];
        replay(game, [&](size_t k, const BoardGrid& grid, const SymmetryKey& key) {
            const Step& step = game.steps[k];
            int symmetry = 0;
            const uint64_t whole = key.canonical(step.colour, symmetry);
            global.push_back(Occurrence{whole, g, step.nodeId, static_cast<uint16_t>(k),
                                        static_cast<int16_t>(mapBySymmetry(step.point, symmetry)), kNoAnchor,
                                        static_cast<uint8_t>(symmetry), 0});
            stonesNear(grid, step.point, near);
            groups.clear();
            for (int32_t stone : near) {
                bool known = false;
                for (const BoardGrid& group : groups)
                    known = known || group.get(stone) != 0;
                if (known)
                    continue;
                groups.push_back(groupAround(grid, stone, kLocalDistance));
                const uint64_t part = SymmetryKey(groups.back()).canonical(step.colour, symmetry);
                local.push_back(Occurrence{part, g, step.nodeId, static_cast<uint16_t>(k),
                                           static_cast<int16_t>(mapBySymmetry(step.point, symmetry)),
                                           static_cast<uint16_t>(stone), static_cast<uint8_t>(symmetry), 0});
            }
            return true;
        });
    }
}

// Sorts the occurrences, keeps the keys played in at least minGames games, writes their
// statistics and returns the representatives of the kept positions (ids in key order).
bool writeStatistics(std::vector<Occurrence>& occurrences, const std::vector<CompactGame>& games, bool local,
                     int minGames, SlotFileWriter& writer, std::vector<Representative>& representatives, int& positions,
                     bool& truncated) {
    std::sort(occurrences.begin(), occurrences.end(), [](const Occurrence& a, const Occurrence& b) {
        if (a.key != b.key)
            return a.key < b.key;
        if (a.game != b.game)
            return a.game < b.game;
        return a.step < b.step;
    });
    struct Kept {
        size_t first, end;
        int games;
    };
    std::vector<Kept> kept;
    for (size_t begin = 0; begin < occurrences.size();) {
        size_t end = begin;
        int distinct = 0;
        uint32_t lastGame = UINT32_MAX;
        while (end < occurrences.size() && occurrences[end].key == occurrences[begin].key) {
            if (occurrences[end].game != lastGame) {
                ++distinct;
                lastGame = occurrences[end].game;
            }
            ++end;
        }
        if (distinct >= minGames)
            kept.push_back(Kept{begin, end, distinct});
        begin = end;
    }
    if (kept.size() > static_cast<size_t>(kMaxPositionIds)) {
        truncated = true;
        std::stable_sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) { return a.games > b.games; });
        kept.resize(static_cast<size_t>(kMaxPositionIds));
        std::sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) { return a.first < b.first; });
    }
    std::vector<std::pair<int16_t, GameRef>> refs;
    for (size_t id = 0; id < kept.size(); ++id) {
        const Kept& position = kept[id];
        refs.clear();
        for (size_t k = position.first; k < position.end; ++k) {
            const Occurrence& o = occurrences[k];
            refs.emplace_back(o.point, GameRef{games[o.game].gameId, o.nodeId, static_cast<uint8_t>(local ? 1 : 0)});
        }
        std::stable_sort(refs.begin(), refs.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        PositionStats stats;
        stats.id = static_cast<int32_t>(id);
        for (const auto& [point, ref] : refs) {
            if (stats.moves.empty() || stats.moves.back().point != point)
                stats.moves.push_back(MoveStats{point, {}});
            stats.moves.back().games.push_back(ref);
        }
        sortMoves(stats);
        if (!writer.put(static_cast<int32_t>(id), serializeStats(stats)))
            return false;
        const Occurrence& first = occurrences[position.first];
        representatives.push_back(
            Representative{first.game, first.step, first.anchor, first.symmetry, local, static_cast<int32_t>(id)});
    }
    positions = static_cast<int>(kept.size());
    occurrences.clear();
    occurrences.shrink_to_fit();
    return true;
}

// Rebuilds every kept position from its representative game and writes the two indexes.
bool writeIndexes(std::vector<Representative>& representatives, const std::vector<CompactGame>& games,
                  SlotFileWriter& globalIndex, SlotFileWriter& localIndex) {
    std::sort(representatives.begin(), representatives.end(), [](const Representative& a, const Representative& b) {
        return a.game != b.game ? a.game < b.game : a.step < b.step;
    });
    PositionBucket globalBuckets[kBucketCount];
    PositionBucket localBuckets[kBucketCount];
    bool ok = true;
    for (size_t r = 0; r < representatives.size() && ok;) {
        const uint32_t g = representatives[r].game;
        const CompactGame& game = games[g];
        replay(game, [&](size_t k, const BoardGrid& grid, const SymmetryKey&) {
            while (r < representatives.size() && representatives[r].game == g && representatives[r].step == k) {
                const Representative& rep = representatives[r++];
                PatternPosition position;
                const BoardGrid source = rep.local ? groupAround(grid, rep.anchor, kLocalDistance) : grid;
                position.grid = mapGridBySymmetry(source, rep.symmetry);
                position.colour = game.steps[k].colour;
                position.id = rep.id;
                SlotRef ref;
                SlotFileWriter& writer = rep.local ? localIndex : globalIndex;
                if (!writer.put(rep.id, serializePosition(position), &ref)) {
                    ok = false;
                    return false;
                }
                const int b = bucketOf(position);
                if (b >= 0 && b < kBucketCount)
                    (rep.local ? localBuckets : globalBuckets)[b].entries.push_back(
                        BucketEntry{quickKeyOf(position.grid), rep.id, ref});
            }
            return r < representatives.size() && representatives[r].game == g;
        });
        // A representative the replay never reached (a refused move) is skipped.
        while (r < representatives.size() && representatives[r].game == g)
            ++r;
    }
    for (int b = 0; b < kBucketCount && ok; ++b) {
        for (auto* buckets : {globalBuckets, localBuckets}) {
            PositionBucket& bucket = buckets[b];
            if (bucket.entries.empty())
                continue;
            bucket.number = b;
            SlotFileWriter& writer = buckets == globalBuckets ? globalIndex : localIndex;
            ok = ok && writer.put(kMaxPositionIds + b, serializeBucket(bucket));
        }
    }
    return ok;
}

}  // namespace

bool buildStatistics(LibraryStore& store, const std::string& outputFolder, const StatsBuildOptions& options,
                     StatsBuildSummary& summary, std::string& error, const StatsBuildProgress& progress) {
    summary = StatsBuildSummary();
    const auto report = [&](const char* stage, size_t done, size_t total) {
        return !progress || progress(stage, done, total);
    };
    std::vector<int32_t> ids;
    if (store.allIds(options.appType, ids) < 0) {
        error = "cannot list the library's games";
        return false;
    }
    const int maxMove = std::clamp(options.maxMove, 1, 1000);
    const int minGames = std::max(1, options.minGames);

    // Read every game once into its compact main line, on a few threads. Lines kept by the last
    // build for an unchanged file are taken from its cache instead.
    const std::string cachePath = compactGameCachePath(outputFolder);
    CompactGameCache cache = readCompactGameCache(cachePath, maxMove);
    std::vector<CachedGame> slots(ids.size());
    std::vector<uint8_t> known(ids.size(), 0);
    std::atomic<size_t> next{0}, done{0}, fromCache{0};
    std::atomic<bool> cancel{false};
    const auto readOne = [&](size_t k) {
        GameRecord record;
        std::string reason;
        CachedGame& slot = slots[k];
        // A server library's games come from its local cache, which fetches only what it lacks.
        if (store.cacheGameFile(ids[k], reason)) {
            const std::string path = store.gamePath(ids[k]);
            slot.stamp = stampOf(path);
            const auto cached = cache.find(ids[k]);
            if (cached != cache.end() && slot.stamp.size >= 0 && cached->second.stamp == slot.stamp) {
                slot = std::move(cached->second);  // each id has one slot: threads never share an entry
                known[k] = 1;
                ++fromCache;
            } else if (loadSggFile(path, record, reason)) {
                slot.game.gameId = ids[k];
                slot.usable = compactGame(record, maxMove, slot.game);
                known[k] = slot.stamp.size >= 0 ? 1 : 0;
            }
        }
        ++done;
    };
    std::vector<std::thread> readers;
    for (int t = 1; t < std::clamp(options.threads, 1, 16); ++t)
        readers.emplace_back([&] {
            for (size_t k = next++; k < ids.size() && !cancel; k = next++)
                readOne(k);
        });
    // The calling thread reads too and reports the progress between its games.
    for (size_t k = next++; k < ids.size() && !cancel; k = next++) {
        readOne(k);
        if (k % 64 == 0 && !report("reading", done.load(), ids.size()))
            cancel = true;
    }
    for (std::thread& reader : readers)
        reader.join();
    if (cancel || !report("reading", ids.size(), ids.size())) {
        error = "cancelled";
        return false;
    }
    summary.gamesFromCache = static_cast<int>(fromCache.load());
    cache = {};
    std::vector<const CachedGame*> keep;
    for (size_t k = 0; k < ids.size(); ++k)
        if (known[k])
            keep.push_back(&slots[k]);
    // Without the cache the next build only reads every game again.
    summary.cacheWritten = writeCompactGameCache(cachePath, maxMove, keep);
    keep.clear();
    std::vector<CompactGame> games;
    games.reserve(ids.size());
    for (size_t k = 0; k < ids.size(); ++k) {
        if (slots[k].usable)
            games.push_back(std::move(slots[k].game));
        else
            ++summary.gamesSkipped;
    }
    slots.clear();
    slots.shrink_to_fit();
    summary.gamesRead = static_cast<int>(games.size());

    if (!report("counting", 0, 1)) {
        error = "cancelled";
        return false;
    }
    std::vector<Occurrence> global, local;
    collectOccurrences(games, global, local);
    summary.occurrences = global.size() + local.size();

    SlotFileWriter globalIndex, globalStats, localIndex, localStats;
    if (!globalIndex.create(outputFolder + kGlobalIndexFile, kPositionIndexSlots, error) ||
        !globalStats.create(outputFolder + kGlobalStatsFile, kMaxPositionIds, error) ||
        !localIndex.create(outputFolder + kLocalIndexFile, kPositionIndexSlots, error) ||
        !localStats.create(outputFolder + kLocalStatsFile, kMaxPositionIds, error))
        return false;
    std::vector<Representative> representatives;
    if (!writeStatistics(global, games, false, minGames, globalStats, representatives, summary.globalPositions,
                         summary.truncated)) {
        error = "cannot write " + globalStats.temporaryPath();
        return false;
    }
    if (!report("writing", 1, 3)) {
        error = "cancelled";
        return false;
    }
    if (!writeStatistics(local, games, true, minGames, localStats, representatives, summary.localPositions,
                         summary.truncated)) {
        error = "cannot write " + localStats.temporaryPath();
        return false;
    }
    if (!report("writing", 2, 3)) {
        error = "cancelled";
        return false;
    }
    if (!writeIndexes(representatives, games, globalIndex, localIndex)) {
        error = "cannot write " + globalIndex.temporaryPath();
        return false;
    }
    for (SlotFileWriter* writer : {&globalIndex, &globalStats, &localIndex, &localStats})
        if (!writer->finish(error))
            return false;
    for (SlotFileWriter* writer : {&globalIndex, &globalStats, &localIndex, &localStats})
        if (!writer->rename(error))
            return false;
    report("writing", 3, 3);
    return true;
}

}  // namespace tessera
