// Statistics built from real professional games: every position the builder kept answers a
// lookup with exactly the next moves and game counts that a separate count finds by replaying
// the games and comparing their positions under the eight symmetries; and a kept position is
// found from each of its eight orientations with its moves mapped back onto that board. A
// rebuild takes unchanged games from the cache of main lines and writes the same bases.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "go/board_transform.h"
#include "stats/compact_game.h"
#include "stats/pattern_bases.h"
#include "stats/stats_builder.h"
#include "support/corpus_library.h"

namespace tessera {
namespace {

constexpr int kMaxMove = 24;
constexpr int kMinGames = 2;

std::string gridKey(const BoardGrid& grid, int colour) {
    const auto bytes = grid.bytes();
    return std::string(bytes.begin(), bytes.end()) + static_cast<char>(colour);
}

// The orientation-free name of a position (the smallest of its eight images) and, for a point,
// the smallest of its images under every symmetry that gives that name.
struct Canonical {
    std::string key;
    std::vector<BoardTransform> symmetries;

    Canonical(const BoardGrid& grid, int colour) {
        for (int code = -1; code < 7; ++code) {
            const BoardTransform t(code, grid);
            const std::string image = gridKey(code < 0 ? grid : t.mapGrid(grid), colour);
            if (key.empty() || image < key) {
                key = image;
                symmetries.clear();
            }
            if (image == key)
                symmetries.push_back(t);
        }
    }
    int32_t pointName(int32_t p) const {
        int32_t best = INT32_MAX;
        for (const BoardTransform& t : symmetries)
            best = std::min(best, t.isIdentity() ? p : t.mapPoint(p));
        return best;
    }
};

struct Expected {
    BoardGrid grid;  // one orientation as met in a game
    int colour = 1;
    std::map<int32_t, int> moves;  // point name -> occurrences
    std::set<int32_t> games;
};

class StatsBuilderCorpusTest : public test::CorpusLibraryTest {
protected:
    static void SetUpTestSuite() {
        if (!makeLibrary())
            return;
        // Every sixteenth record of the professional collection: enough shared openings to keep.
        ASSERT_NO_FATAL_FAILURE(importCorpus(test::sampledCorpusRecords("pro", 16)));
        std::string error;
        StatsBuildOptions options;
        options.maxMove = kMaxMove;
        options.minGames = kMinGames;
        summary_ = new StatsBuildSummary();
        ASSERT_TRUE(buildStatistics(*store_, store_->programFolder(), options, *summary_, error)) << error;
        bases_ = new PatternBases();
        bases_->open(store_->programFolder());
    }
    static void TearDownTestSuite() {
        delete bases_;
        delete summary_;
        CorpusLibraryTest::TearDownTestSuite();
    }

    // The separate count: every main-line position before one of the first kMaxMove plain moves.
    static const std::map<std::string, Expected>& countPositions() {
        static std::map<std::string, Expected> positions;
        if (!positions.empty())
            return positions;
        std::vector<int32_t> ids;
        store_->allIds(1, ids);
        for (int32_t id : ids) {
            GameRecord record;
            if (!store_->readGame(id, record) || record.info.boardWidth != 19 || record.info.boardHeight != 19)
                continue;
            const auto line = record.tree.mainLine();
            for (size_t k = 1; k < line.size() && k <= static_cast<size_t>(kMaxMove); ++k) {
                if (!line[k]->isPlainMove())
                    break;
                const BoardGrid& before = line[k - 1]->position;
                const int colour = static_cast<int>(line[k]->move.colour);
                const Canonical canonical(before, colour);
                Expected& expected = positions[canonical.key];
                if (expected.moves.empty()) {
                    expected.grid = before;
                    expected.colour = colour;
                }
                expected.moves[canonical.pointName(line[k]->move.point)]++;
                expected.games.insert(id);
            }
        }
        return positions;
    }

    static StatsBuildSummary* summary_;
    static PatternBases* bases_;
};

StatsBuildSummary* StatsBuilderCorpusTest::summary_ = nullptr;
PatternBases* StatsBuilderCorpusTest::bases_ = nullptr;

TEST_F(StatsBuilderCorpusTest, LookupsAgreeWithAnIndependentCountOfTheGames) {
    const auto& positions = countPositions();
    int kept = 0;
    for (const auto& [key, expected] : positions) {
        const auto found = lookUpStats(bases_->globalIndex, bases_->globalStats, expected.grid, expected.colour);
        if (static_cast<int>(expected.games.size()) < kMinGames) {
            EXPECT_FALSE(found) << "a position of one game was kept";
            continue;
        }
        ++kept;
        ASSERT_TRUE(found) << "a position of " << expected.games.size() << " games is missing";
        const Canonical canonical(expected.grid, expected.colour);
        std::map<int32_t, int> moves;
        std::set<int32_t> games;
        for (const MoveStats& move : found->stats.moves) {
            const int32_t shown = displayedPoint(move.point, found->transform);
            moves[canonical.pointName(shown)] += static_cast<int>(move.games.size());
            for (const GameRef& ref : move.games)
                games.insert(ref.gameId);
        }
        EXPECT_EQ(moves, expected.moves);
        EXPECT_EQ(games, expected.games);
    }
    EXPECT_EQ(kept, summary_->globalPositions);
    EXPECT_GT(kept, 20);
    std::printf("%d of %zu positions kept\n", kept, positions.size());
}

TEST_F(StatsBuilderCorpusTest, APositionIsFoundFromEachOfItsEightOrientations) {
    // A kept position past the opening's symmetric start: move 6 of the first game that has one.
    const auto& positions = countPositions();
    const Expected* chosen = nullptr;
    for (const auto& [key, expected] : positions)
        if (expected.games.size() >= 2 && expected.grid.countValue(1) + expected.grid.countValue(2) >= 5 &&
            Canonical(expected.grid, expected.colour).symmetries.size() == 1)
            chosen = &expected;
    ASSERT_NE(chosen, nullptr);
    const auto base = lookUpStats(bases_->globalIndex, bases_->globalStats, chosen->grid, chosen->colour);
    ASSERT_TRUE(base);
    std::set<int> transforms;
    for (int code = -1; code < 7; ++code) {
        const BoardTransform t(code, chosen->grid);
        const BoardGrid turned = code < 0 ? chosen->grid : t.mapGrid(chosen->grid);
        const auto found = lookUpStats(bases_->globalIndex, bases_->globalStats, turned, chosen->colour);
        ASSERT_TRUE(found) << "transform " << code;
        transforms.insert(found->transform);
        ASSERT_EQ(found->stats.moves.size(), base->stats.moves.size());
        for (size_t m = 0; m < base->stats.moves.size(); ++m) {
            const int32_t original = displayedPoint(base->stats.moves[m].point, base->transform);
            EXPECT_EQ(displayedPoint(found->stats.moves[m].point, found->transform),
                      code < 0 ? original : t.mapPoint(original));
        }
    }
    EXPECT_EQ(transforms.size(), 8u);  // each orientation matched under its own transform
}

TEST_F(StatsBuilderCorpusTest, ARebuildReadsOnlyChangedGamesAndWritesTheSameBases) {
    const std::string folder = store_->programFolder();
    const auto bases = [&] {
        std::string all;
        for (const char* name : {kGlobalIndexFile, kGlobalStatsFile, kLocalIndexFile, kLocalStatsFile})
            all += test::readBytes(folder + name);
        return all;
    };
    const std::string first = bases();
    std::vector<int32_t> ids;
    store_->allIds(1, ids);
    StatsBuildOptions options;
    options.maxMove = kMaxMove;
    options.minGames = kMinGames;
    const auto rebuild = [&] {
        StatsBuildSummary summary;
        std::string error;
        EXPECT_TRUE(buildStatistics(*store_, folder, options, summary, error)) << error;
        EXPECT_EQ(bases(), first);
        return summary.gamesFromCache;
    };
    EXPECT_EQ(rebuild(), static_cast<int>(ids.size()));

    // A game file written since (an update, another client's cache fill) is read again.
    const std::string changed = store_->gamePath(ids[3]);
    std::filesystem::last_write_time(changed, std::filesystem::last_write_time(changed) + std::chrono::seconds(1));
    EXPECT_EQ(rebuild(), static_cast<int>(ids.size()) - 1);

    // A damaged cache, or one kept for another move limit, is read past: every game is read.
    const std::string cache = compactGameCachePath(folder);
    std::string bytes = test::readBytes(cache);
    bytes.resize(bytes.size() - 3);
    ASSERT_TRUE(test::writeBytes(cache, bytes));
    EXPECT_EQ(rebuild(), 0);
    EXPECT_TRUE(readCompactGameCache(cache, kMaxMove + 1).empty());
}

}  // namespace
}  // namespace tessera
