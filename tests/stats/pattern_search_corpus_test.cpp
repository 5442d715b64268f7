// The indexed pattern search against the plain scan on real records: hundreds of whole-board
// positions and regions taken from the imported games (main lines and variations, handicap
// games, 9 x 9 and 13 x 13 boards, problems), searched as they stand and in other
// orientations, must give the same candidates with the same hits in the same order.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>

#include "library/search_index.h"
#include "stats/indexed_search.h"
#include "stats/pattern_search.h"
#include "support/corpus_library.h"

namespace tessera {
namespace {

class PatternSearchCorpusTest : public test::CorpusLibraryTest {
protected:
    static void SetUpTestSuite() {
        if (!makeLibrary())
            return;
        // Imports of uneven size, as a user brings games in, the lessons last: their segments
        // are merged as they come.
        std::vector<std::string> games = test::sampledCorpusRecords("pro", 60);
        for (const auto& [folder, step] : {std::pair{"annotated", 10}, {"sgf-edge/gnugo", 3}, {"pro-fox", 30}})
            for (const auto& file : test::sampledCorpusRecords(folder, step))
                games.push_back(file);
        int imports = 0;
        for (size_t start = 0, size = games.size() / 3; start < games.size();
             start += size, size = std::max<size_t>(size / 2, 8)) {
            const size_t end = std::min(games.size(), start + size);
            ASSERT_NO_FATAL_FAILURE(importCorpus({games.begin() + ptrdiff_t(start), games.begin() + ptrdiff_t(end)}));
            ++imports;
        }
        ImportOptions lessons;
        lessons.appType = kAppProblem;
        ASSERT_NO_FATAL_FAILURE(importCorpus(test::sampledCorpusRecords("problems", 25), lessons));
        ids_ = searchScopeIds(*store_, kScopeAllGames);
        // Every seventh game indexed again (as an update does): the newer copy must win, once.
        std::vector<int32_t> again;
        for (size_t k = 0; k < ids_.size(); k += 7)
            again.push_back(ids_[k]);
        std::string error;
        ASSERT_TRUE(indexLibraryGames(*store_, again, error)) << error;
        ASSERT_TRUE(index_.open(store_->programFolder()));
        std::printf("%zu games in %d imports\n", games.size(), imports);
        EXPECT_GT(imports, 5);
        EXPECT_LE(index_.segmentCount(), 4);
        for (int32_t id : ids_) {
            GameRecord& record = records_.emplace_back();
            record.info.libraryId = -1;
            if (!store_->readGame(id, record))
                records_.pop_back();
            else
                record.info.libraryId = id;
        }
    }
    static void TearDownTestSuite() {
        index_.close();
        records_.clear();
        CorpusLibraryTest::TearDownTestSuite();
    }

    // The plain scan over the records read once (the same per-game scan runPatternScan does).
    static std::vector<MoveStats> scanned(const SearchPattern& pattern) {
        SearchResults results;
        const auto variants = searchVariants(pattern);
        GameHits hits;
        for (const GameRecord& record : records_) {
            hits.clear();
            scanRecord(record, record.info.libraryId, pattern, variants, hits);
            results.addHits(hits);
        }
        return results.snapshot();
    }
    static std::vector<MoveStats> indexed(const SearchPattern& pattern) {
        SearchResults results;
        SearchProgress progress;
        runIndexedSearch(*store_, index_, ids_, pattern, results, progress);
        EXPECT_EQ(progress.currentIndex.load(), static_cast<int>(ids_.size()));
        return results.snapshot();
    }

    static SearchIndex index_;
    static std::vector<int32_t> ids_;
    static std::vector<GameRecord> records_;
};

SearchIndex PatternSearchCorpusTest::index_;
std::vector<int32_t> PatternSearchCorpusTest::ids_;
std::vector<GameRecord> PatternSearchCorpusTest::records_;

size_t hitCount(const std::vector<MoveStats>& points) {
    size_t total = 0;
    for (const auto& point : points)
        total += point.games.size();
    return total;
}

TEST_F(PatternSearchCorpusTest, IndexedSearchEqualsThePlainScan) {
    ASSERT_GT(records_.size(), 100u);
    EXPECT_EQ(index_.gameCount(), records_.size());
    std::mt19937 random(15);
    int queries = 0, regionQueries = 0, withHits = 0, symmetric = 0, variationPositions = 0;
    size_t hits = 0;
    auto check = [&](const SearchPattern& pattern, const std::string& what) {
        const auto expected = scanned(pattern);
        const auto actual = indexed(pattern);
        ++queries;
        regionQueries += pattern.regionMode;
        withHits += !expected.empty();
        hits += hitCount(expected);
        ASSERT_EQ(actual.size(), expected.size()) << what;
        for (size_t k = 0; k < expected.size(); ++k) {
            EXPECT_EQ(actual[k].point, expected[k].point) << what;
            EXPECT_EQ(actual[k].games, expected[k].games) << what << " point " << expected[k].point;
        }
    };
    for (size_t g = 0; g < records_.size(); g += 4) {
        const GameRecord& record = records_[g];
        const std::vector<const GameNode*> nodes = nodesInTreeOrder(record.tree);
        const auto line = record.tree.mainLine();
        std::vector<const GameNode*> picks = {line.front(), line[std::min<size_t>(2, line.size() - 1)],
                                              line[line.size() / 3], line[line.size() - 1]};
        int offLine = 0;  // up to three nodes off the main line
        for (size_t k = 0; k < nodes.size() && offLine < 3; ++k)
            if (nodes[k]->parentId >= 0 && record.tree.find(nodes[k]->parentId)->childIds.front() != nodes[k]->id) {
                picks.push_back(nodes[k]);
                ++offLine;
            }
        variationPositions += offLine;
        for (const GameNode* node : picks) {
            SearchPattern pattern;
            pattern.position.copyFrom(node->position);
            pattern.colourToMove = node->sideToMove == 2 ? 2 : 1;
            const int code = static_cast<int>(random() % 8) - 1;  // -1: as it stands
            if (code >= 0)
                pattern.position = BoardTransform(code, node->position).mapGrid(node->position);
            symmetric += pattern.position.equals(BoardTransform(0, pattern.position).mapGrid(pattern.position));
            const std::string what = "game " + std::to_string(record.info.libraryId) + " node " +
                                     std::to_string(node->id) + " transform " + std::to_string(code);
            check(pattern, what + " whole board");
            // A region around a stone (or a corner of an empty board), from 3 x 3 to 9 x 7.
            const BoardGeometry board(pattern.position.width(), pattern.position.height());
            const int32_t stone = std::max(0, pattern.position.firstStone());
            int cx = 0, cy = 0;
            board.coordsOf(stone, cx, cy);
            const int w = 3 + int(random() % 7), h = 3 + int(random() % 5);
            pattern.regionMode = true;
            pattern.region = BoardGrid(board.width(), board.height());
            for (int y = std::max(0, cy - h / 2); y <= std::min(board.height() - 1, cy + h / 2); ++y)
                for (int x = std::max(0, cx - w / 2); x <= std::min(board.width() - 1, cx + w / 2); ++x)
                    pattern.region.set(board.pointAt(x, y), 1);
            check(pattern, what + " region " + std::to_string(w) + "x" + std::to_string(h));
        }
    }
    // The corpus gave the search real work: many positions found, symmetric ones among them.
    EXPECT_GT(queries, 200);
    EXPECT_GT(regionQueries, 100);
    EXPECT_GT(withHits, queries / 2);
    EXPECT_GT(symmetric, 10);
    EXPECT_GT(variationPositions, 10);
    std::printf("%d queries (%d regions), %d with hits, %d symmetric, %d off the main line, %zu hits, %d segments\n",
                queries, regionQueries, withHits, symmetric, variationPositions, hits, index_.segmentCount());
    EXPECT_GT(hits, 1000u);
}

}  // namespace
}  // namespace tessera
