// Pattern search over a small real library (SQLite through ODBC, SGG files, the search index
// on disk): the counting rules, and an index that stays right as games are added, replaced
// and damaged. Every search runs twice, by the plain scan and through the index.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <ranges>
#include <thread>
#include <utility>

#include "library/library_catalogue.h"
#include "library/library_import.h"
#include "library/library_store.h"
#include "library/search_index.h"
#include "library/search_index_merge.h"
#include "record/record_file.h"
#include "stats/pattern_search.h"
#include "support/test_support.h"

namespace tessera {
namespace {

class PatternSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(store_.open(LibraryAccess::readWrite, error)) << error;
    }
    // Imports SGF texts as games of one application type; their ids in order.
    std::vector<int32_t> importTexts(const std::vector<std::string>& texts, int appType = kAppGameRecord) {
        std::vector<std::string> files;
        for (const auto& text : texts) {
            files.push_back((folder_ / ("in" + std::to_string(fileCount_++) + ".sgf")).string());
            EXPECT_TRUE(test::writeBytes(files.back(), text));
        }
        ImportOptions options;
        options.appType = appType;
        ImportSummary summary;
        EXPECT_TRUE(importRecords(store_, files, options, summary)) << summary.error;
        EXPECT_TRUE(summary.indexError.empty()) << summary.indexError;
        return summary.importedIds;
    }
    // The position before the given move of the main line of an SGF text.
    static SearchPattern positionOf(const std::string& text, int moves) {
        GameRecord record;
        std::string error;
        const std::string file = (std::filesystem::temp_directory_path() / "tessera-pattern.sgf").string();
        test::writeBytes(file, text);
        EXPECT_TRUE(loadRecordFile(file, record, error)) << error;
        std::filesystem::remove(file);
        const auto line = record.tree.mainLine();
        SearchPattern pattern;
        pattern.position.copyFrom(line[static_cast<size_t>(moves)]->position);
        pattern.colourToMove = line[static_cast<size_t>(moves)]->sideToMove == 2 ? 2 : 1;
        return pattern;
    }
    // The ranked candidates by the plain scan; the indexed search must find exactly the same.
    std::vector<SearchCandidate> search(const SearchPattern& pattern, int scope = kScopeAllGames) {
        LibraryCatalogue catalogue;
        store_.loadCatalogue(catalogue);
        const std::vector<int32_t> ids = searchScopeIds(store_, scope);
        SearchResults scanned, indexed;
        SearchProgress progress;
        runPatternSearch(store_, nullptr, ids, pattern, scanned, progress);
        SearchIndex index;
        const bool open = index.open(store_.programFolder());
        runPatternSearch(store_, open ? &index : nullptr, ids, pattern, indexed, progress);
        const auto a = scanned.snapshot(), b = indexed.snapshot();
        EXPECT_EQ(a.size(), b.size());
        for (size_t k = 0; k < std::min(a.size(), b.size()); ++k) {
            EXPECT_EQ(a[k].point, b[k].point);
            EXPECT_EQ(a[k].games, b[k].games) << "point " << a[k].point;
        }
        return rankCandidates(a, catalogue, pattern.colourToMove);
    }

    test::ScratchFolder folder_;
    LibraryStore store_{folder_.path().string() + "/"};
    int fileCount_ = 0;
};

// Q16 then D4, and the same in the mirror image (D16 then Q4) as a variation.
const char* kMirrored = "(;SZ[19]PB[A]PW[B]RE[B+R](;B[pd];W[dp];B[pp])(;B[dd];W[pp];B[dp]))";

TEST_F(PatternSearchTest, CandidatesCountEachGameOnceOnTheWholeBoardAndEveryOrientationInARegion) {
    const auto ids = importTexts({kMirrored, "(;SZ[19]PB[C]PW[D]RE[W+2.5];B[pd];W[dp])",
                                  "(;SZ[19]PB[E]PW[F]RE[Draw];B[pd];W[pp])", "(;SZ[9]PB[G]PW[H]RE[B+1];B[cc];W[gg])"});
    ASSERT_EQ(ids.size(), 4u);
    SearchPattern pattern = positionOf(kMirrored, 1);  // after Q16, white to move
    ASSERT_EQ(pattern.colourToMove, 2);

    auto candidates = search(pattern);
    ASSERT_EQ(candidates.size(), 2u);
    // D4: the mirrored game counts once (its first orientation), won by black; the second
    // game won by white. Q4: a draw counts in the total only.
    EXPECT_EQ(candidates[0].label, "A");
    EXPECT_EQ(candidates[0].move.point, BoardGeometry(19, 19).pointAt(3, 15));
    EXPECT_EQ(candidates[0].move.games, (std::vector<GameRef>{{ids[0], 2, 0}, {ids[1], 2, 0}}));
    EXPECT_EQ(candidates[0].count, (ResultCount{2, 1, 1}));
    EXPECT_EQ(candidateLine(candidates[0], BoardGeometry(19, 19)), "A(D04),总:0002,赢:0001(50%)");
    EXPECT_EQ(candidates[1].label, "B");
    EXPECT_EQ(candidates[1].count, (ResultCount{1, 0, 0}));

    // A region over the whole board tries every orientation: the variation's mirrored move
    // is a second hit at D4 (another node), and the stones outside a corner region do not count.
    pattern.regionMode = true;
    pattern.region = BoardGrid(19, 19);
    pattern.region.fill(1);
    candidates = search(pattern);
    // Q16 lies on a diagonal: the orientation that keeps it in place also sees the draw's Q4 as D16.
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_EQ(candidates[0].move.games, (std::vector<GameRef>{{ids[0], 2, 0}, {ids[0], 5, 0}, {ids[1], 2, 0}}));
    EXPECT_EQ(candidates[2].move.point, BoardGeometry(19, 19).pointAt(3, 3));
    pattern.region.clearAll();
    for (int y = 0; y < 7; ++y)
        for (int x = 12; x < 19; ++x)
            pattern.region.set(y * 19 + x, 1);
    pattern.position.set(BoardGeometry(19, 19).pointAt(3, 3), 2);  // outside: ignored
    // Every reply lies outside the corner: it leaves the region as it was and is no candidate.
    EXPECT_TRUE(search(pattern).empty());
}

// A region is found again after its stones were captured, in the main line and in a variation
// that leaves the captured point empty to its end: the index's depth bounds must not reject it.
TEST_F(PatternSearchTest, ARegionEmptiedByACaptureIsFound) {
    const char* capture = "(;SZ[9]PB[A]PW[B];B[aa];W[ba];B[ee];W[ab](;B[cc];W[gg])(;B[gc]))";
    importTexts({capture, "(;SZ[9]PB[C]PW[D];B[ab];W[ba];B[cc])"});
    SearchPattern pattern = positionOf(capture, 4);  // A9 taken, black to move
    pattern.regionMode = true;
    pattern.region = BoardGrid(9, 9);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 3; ++x)
            pattern.region.set(y * 9 + x, 1);
    const auto candidates = search(pattern);
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_EQ(candidates[0].move.point, BoardGeometry(9, 9).pointAt(2, 2));
    pattern.region.set(BoardGeometry(9, 9).pointAt(6, 2), 1);  // G7 joins: the variation's reply counts
    EXPECT_EQ(search(pattern).size(), 2u);
}

TEST_F(PatternSearchTest, TheIndexFollowsImportsReplacementsRebuildsAndDamage) {
    const auto first = importTexts({kMirrored});
    const auto lessons = importTexts({"(;SZ[19]PB[C]PW[D];B[pd];W[dp])"}, kAppProblem);
    const auto tutorials = importTexts({"(;SZ[19]PB[E]PW[F];B[pd];W[dq])"}, kAppTutorial);
    EXPECT_EQ(searchScopeIds(store_, kScopeLessons), (std::vector<int32_t>{tutorials[0], lessons[0]}));
    const SearchPattern pattern = positionOf(kMirrored, 1);
    // Each state of the index is searched as a whole board and as a corner region (whose
    // filter reads the segments' tables in their own order): both must equal the scan.
    SearchPattern corner = pattern;
    corner.regionMode = true;
    corner.region = BoardGrid(19, 19);
    for (int y = 12; y < 19; ++y)
        for (int x = 0; x < 7; ++x)
            corner.region.set(y * 19 + x, 1);
    const auto searchBoth = [&] {
        EXPECT_FALSE(search(corner).empty());
        return search(pattern);
    };
    SearchIndex index;
    ASSERT_TRUE(index.open(store_.programFolder()));
    EXPECT_EQ(index.gameCount(), 3u);
    EXPECT_LT(index.segmentCount(), 3);  // the small segments were merged
    EXPECT_EQ(searchBoth().size(), 2u);  // D4 (two games) and D3

    // A game file replaced (as an update does) and indexed again: the newer segment wins.
    GameRecord replaced;
    ASSERT_TRUE(store_.readGame(lessons[0], replaced));
    replaced.tree.find(2)->move.point = BoardGeometry(19, 19).pointAt(2, 16);  // C3
    replaced.recomputePositions();
    std::string error;
    ASSERT_TRUE(saveRecordFile(store_.gamePath(lessons[0]), replaced, error)) << error;
    ASSERT_TRUE(indexLibraryGames(store_, {lessons[0]}, error)) << error;
    auto candidates = searchBoth();
    ASSERT_EQ(candidates.size(), 3u);
    EXPECT_EQ(candidates[0].move.games.size(), 1u);

    // A game file gone: indexed again, the game is read (and passed over) like the scan does.
    std::filesystem::copy_file(store_.gamePath(first[0]), folder_ / "kept.sgg");
    std::filesystem::remove(store_.gamePath(first[0]));
    ASSERT_TRUE(indexLibraryGames(store_, {first[0]}, error)) << error;
    EXPECT_EQ(searchBoth().size(), 2u);
    std::filesystem::copy_file(folder_ / "kept.sgg", store_.gamePath(first[0]));
    EXPECT_EQ(searchBoth().size(), 3u);

    // A rebuild leaves one segment with every game, and after it the segment of an update made
    // while it ran (after it read the game: its copy is the older one).
    ASSERT_TRUE(rebuildSearchIndex(store_, searchScopeIds(store_, kScopeAllGames), 1, {}, error)) << error;
    ASSERT_TRUE(index.open(store_.programFolder()));
    EXPECT_EQ(index.segmentCount(), 1);
    EXPECT_EQ(searchBoth().size(), 3u);
    bool updated = false;
    const auto updateMeanwhile = [&](size_t, size_t) {
        if (std::exchange(updated, true))
            return true;
        replaced.tree.find(2)->move.point = BoardGeometry(19, 19).pointAt(3, 15);  // D4 again
        replaced.recomputePositions();
        return saveRecordFile(store_.gamePath(lessons[0]), replaced, error) &&
               indexLibraryGames(store_, {lessons[0]}, error);
    };
    ASSERT_TRUE(rebuildSearchIndex(store_, searchScopeIds(store_, kScopeAllGames), 1, updateMeanwhile, error)) << error;
    ASSERT_TRUE(index.open(store_.programFolder()));
    EXPECT_EQ(index.segmentCount(), 2);
    EXPECT_EQ(index.gameCount(), 3u);
    EXPECT_EQ(searchBoth().size(), 2u);

    // Games imported while there was no index are scanned beside the indexed ones.
    std::filesystem::remove_all(searchIndexFolder(store_.programFolder()));
    importTexts({"(;SZ[19]PB[G]PW[H];B[pd];W[cp])"});
    ASSERT_TRUE(index.open(store_.programFolder()));
    EXPECT_EQ(index.gameCount(), 1u);
    EXPECT_EQ(searchBoth().size(), 3u);

    // A damaged segment is refused whole: the search falls back to the scan.
    for (const auto& entry : std::filesystem::directory_iterator(searchIndexFolder(store_.programFolder())))
        if (entry.path().extension() == ".keys")
            std::filesystem::resize_file(entry.path(), std::filesystem::file_size(entry.path()) - 5);
    EXPECT_FALSE(index.open(store_.programFolder()));
    EXPECT_EQ(searchBoth().size(), 3u);
}

// The segment sizes of the index, oldest first.
std::vector<uint64_t> segmentSizes(const std::string& programFolder) {
    const std::string folder = searchIndexFolder(programFolder);
    std::vector<uint64_t> sizes;
    for (const auto& name : test::readBytes(folder + "segments") | std::views::split('\n')) {
        const std::string segment(name.begin(), name.end());
        uint64_t bytes = 0;
        for (const char* extension : {".games", ".trees", ".keys", ".bits"})
            if (std::filesystem::exists(folder + segment + extension))
                bytes += std::filesystem::file_size(folder + segment + extension);
        if (!segment.empty())
            sizes.push_back(bytes);
    }
    return sizes;
}

// One game per import: the segments are merged as they come, a game indexed again is found once
// with its new tree, and a reader opened before a merge keeps its answers after the merged
// segments' files are gone.
TEST_F(PatternSearchTest, SegmentsOfSmallImportsAreMergedWithoutChangingResults) {
    std::vector<int32_t> ids;
    const char* replies[] = {"dp", "dd", "pp", "qq", "cd", "dp", "dc", "jj", "pq"};
    for (int k = 0; k < 6; ++k)
        ids.push_back(
            importTexts({"(;SZ[19]PB[P" + std::to_string(k) + "]PW[Q];B[pd];W[" + replies[k] + "];B[cc])"}).at(0));
    SearchIndex before;
    ASSERT_TRUE(before.open(store_.programFolder()));
    EXPECT_EQ(before.gameCount(), 6u);
    EXPECT_LE(before.segmentCount(), 3);
    const std::vector<uint64_t> sizes = segmentSizes(store_.programFolder());
    EXPECT_EQ(firstSegmentToMerge(sizes), sizes.size());     // no segment left as small as the newer ones together
    const SearchPattern pattern = positionOf(kMirrored, 1);  // after Q16
    auto candidates = search(pattern);
    ASSERT_EQ(candidates.size(), 5u);
    EXPECT_EQ(candidates[0].move.games.size(), 2u);  // D4

    auto searchWith = [&](const SearchIndex& index) {
        SearchResults results;
        SearchProgress progress;
        runPatternSearch(store_, &index, ids, pattern, results, progress);
        std::vector<std::pair<int16_t, std::vector<GameRef>>> hits;
        for (const MoveStats& move : results.snapshot())
            hits.emplace_back(move.point, move.games);
        return hits;
    };
    const auto earlier = searchWith(before);
    // The third game's reply becomes D4 and it is indexed again (as an update does).
    GameRecord replaced;
    ASSERT_TRUE(store_.readGame(ids[2], replaced));
    replaced.tree.find(2)->move.point = BoardGeometry(19, 19).pointAt(3, 15);
    replaced.recomputePositions();
    std::string error;
    ASSERT_TRUE(saveRecordFile(store_.gamePath(ids[2]), replaced, error)) << error;
    ASSERT_TRUE(indexLibraryGames(store_, {ids[2]}, error)) << error;
    for (int k = 6; k < 9; ++k)  // more small imports: the re-indexed game's segment is merged
        importTexts({"(;SZ[19]PB[R" + std::to_string(k) + "]PW[Q];B[pd];W[" + replies[k] + "];B[dd])"});
    SearchIndex after;
    ASSERT_TRUE(after.open(store_.programFolder()));
    EXPECT_EQ(after.gameCount(), 9u);
    EXPECT_LE(after.segmentCount(), 3);
    int copies = 0;  // the old copy went in a merge with the new one
    for (int segment = 0; segment < after.segmentCount(); ++segment) {
        const auto table = after.gamesOf(segment);
        copies +=
            int(std::count_if(table.begin(), table.end(), [&](const IndexedGame& game) { return game.id == ids[2]; }));
    }
    EXPECT_EQ(copies, 1);
    candidates = search(pattern);
    ASSERT_EQ(candidates.size(), 7u);  // Q4 is gone, three new replies
    EXPECT_EQ(candidates[0].move.point, BoardGeometry(19, 19).pointAt(3, 15));
    EXPECT_EQ(std::count(candidates[0].move.games.begin(), candidates[0].move.games.end(), GameRef{ids[2], 2, 0}), 1);
    EXPECT_EQ(searchWith(before), earlier);
}

// A merge killed midway leaves files the segments list does not name: the index reads as
// before, and a later merge removes them once their process is gone for an hour.
TEST_F(PatternSearchTest, FilesOfAnUnfinishedMergeLeaveTheIndexReadable) {
    importTexts({kMirrored});
    const std::string folder = searchIndexFolder(store_.programFolder());
    const std::string listed =
        test::readBytes(folder + "segments").substr(0, test::readBytes(folder + "segments").find('\n'));
    // pid 2147483646 is beyond any process id.
    const std::string stale = folder + "segment-1-2147483646-0", fresh = folder + "segment-2-2147483646-0";
    ASSERT_TRUE(test::writeBytes(stale + ".trees", test::readBytes(folder + listed + ".trees").substr(0, 40)));
    std::filesystem::copy_file(folder + listed + ".keys", stale + ".keys");
    ASSERT_TRUE(test::writeBytes(folder + ".segment-1-2147483646-0.games.tmp-x1", "TSGAME01"));
    ASSERT_TRUE(test::writeBytes(fresh + ".keys", "TSKEYS01"));
    const auto hoursAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(2);
    for (const char* file :
         {"segment-1-2147483646-0.trees", "segment-1-2147483646-0.keys", ".segment-1-2147483646-0.games.tmp-x1"})
        std::filesystem::last_write_time(folder + file, hoursAgo);
    SearchIndex index;
    ASSERT_TRUE(index.open(store_.programFolder()));
    EXPECT_EQ(index.segmentCount(), 1);
    EXPECT_EQ(search(positionOf(kMirrored, 1)).size(), 1u);

    importTexts({"(;SZ[19]PB[C]PW[D];B[pd];W[dp])"});
    EXPECT_FALSE(std::filesystem::exists(stale + ".trees"));
    EXPECT_FALSE(std::filesystem::exists(stale + ".keys"));
    EXPECT_FALSE(std::filesystem::exists(folder + ".segment-1-2147483646-0.games.tmp-x1"));
    EXPECT_TRUE(std::filesystem::exists(fresh + ".keys"));  // its writer may still be at work
    EXPECT_TRUE(std::filesystem::exists(folder + listed + ".trees") ||
                test::readBytes(folder + "segments").find(listed) == std::string::npos);
    ASSERT_TRUE(index.open(store_.programFolder()));
    EXPECT_EQ(index.gameCount(), 2u);
    EXPECT_EQ(search(positionOf(kMirrored, 1)).size(), 1u);
}

// The merge policy on sizes alone: equal segments fold like a binary counter, and importing
// 70,000 games one at a time into a library of 66,000 keeps few segments and rewrites each
// game a logarithmic number of times, not the whole index per import.
TEST(SegmentMergePolicyTest, FewSegmentsAndLogarithmicRewriting) {
    EXPECT_EQ(firstSegmentToMerge({}), 0u);
    EXPECT_EQ(firstSegmentToMerge({100}), 1u);
    EXPECT_EQ(firstSegmentToMerge({100, 60}), 2u);
    EXPECT_EQ(firstSegmentToMerge({100, 100}), 0u);
    EXPECT_EQ(firstSegmentToMerge({1000, 300, 150, 160}), 1u);
    EXPECT_EQ(firstSegmentToMerge(std::vector<uint64_t>(40, 1)), 40u - kMaxMergedSegments);
    std::vector<uint64_t> sizes = {66000};
    uint64_t rewritten = 0;
    size_t most = 0;
    for (int k = 0; k < 70000; ++k) {
        sizes.push_back(1);
        for (size_t first; (first = firstSegmentToMerge(sizes)) < sizes.size();) {
            uint64_t merged = 0;
            for (size_t s = first; s < sizes.size(); ++s)
                merged += sizes[s];
            rewritten += merged;
            sizes.resize(first);
            sizes.push_back(merged);
        }
        most = std::max(most, sizes.size());
    }
    EXPECT_LE(most, 18u);
    EXPECT_LE(rewritten, 18u * (66000 + 70000));
}

// Writers on three threads (each lock on its own descriptor, as in separate processes) add and
// merge segments at the same time: no segment is lost, no file is left over.
TEST(SearchIndexWriterTest, WritersAndMergesAtTheSameTimeLoseNothing) {
    test::ScratchFolder folder;
    const std::string programFolder = folder.path().string() + "/";
    GameRecord game;
    std::string error;
    ASSERT_TRUE(test::writeBytes(folder / "game.sgf", kMirrored));
    ASSERT_TRUE(loadRecordFile((folder / "game.sgf").string(), game, error)) << error;
    std::vector<std::thread> writers;
    for (int32_t first = 1; first <= 12; first += 4)
        writers.emplace_back([&, first] {
            for (int32_t id = first; id < first + 4; ++id) {
                SearchIndexWriter writer(programFolder, false);
                EncodedGame encoded;
                EXPECT_TRUE(encodeGame(id, game, encoded) && writer.add(std::move(encoded)));
                EXPECT_TRUE(writer.finish()) << writer.error();
                std::string mergeError;
                EXPECT_TRUE(mergeSearchIndexSegments(programFolder, mergeError)) << mergeError;
            }
        });
    for (auto& writer : writers)
        writer.join();
    ASSERT_TRUE(mergeSearchIndexSegments(programFolder, error)) << error;  // what a busy merge left
    SearchIndex index;
    ASSERT_TRUE(index.open(programFolder));
    EXPECT_EQ(index.gameCount(), 12u);
    for (int32_t id = 1; id <= 12; ++id)
        EXPECT_NE(index.findGame(id), nullptr) << id;
    EXPECT_LE(index.segmentCount(), 4);
    const std::string list = test::readBytes(searchIndexFolder(programFolder) + "segments");
    for (const auto& entry : std::filesystem::directory_iterator(searchIndexFolder(programFolder))) {
        const std::string file = entry.path().filename().string();
        EXPECT_TRUE(file == "segments" || file.ends_with(".lock") ||
                    list.find(file.substr(0, file.find('.'))) != std::string::npos)
            << file;
    }
}

// The keys of a segment are the same whether its entries were sorted in memory or spilled as
// many small runs and merged, and no run file is left behind.
TEST(SearchIndexWriterTest, SpilledRunsMergeIntoTheSameKeys) {
    test::ScratchFolder folder;
    std::vector<GameRecord> games(3);
    const char* texts[] = {kMirrored, "(;SZ[19]PB[C]PW[D];B[pd];W[dp];B[pq](;W[qq])(;W[dd]))",
                           "(;SZ[9]PB[E]PW[F];B[ee];W[cc];B[gg])"};
    for (size_t k = 0; k < games.size(); ++k) {
        const std::string file = (folder / ("game" + std::to_string(k) + ".sgf")).string();
        std::string error;
        ASSERT_TRUE(test::writeBytes(file, texts[k]));
        ASSERT_TRUE(loadRecordFile(file, games[k], error)) << error;
    }
    auto keysWith = [&](const std::string& name, size_t runEntries) {
        const std::string programFolder = (folder / name).string() + "/";
        SearchIndexWriter writer(programFolder, true, runEntries);
        // Every game twice under other ids, out of order: many equal hashes.
        for (int32_t id : {5, 2, 6, 1, 4, 3}) {
            EncodedGame encoded;
            EXPECT_TRUE(encodeGame(id, games[size_t(id) % games.size()], encoded));
            EXPECT_TRUE(writer.add(std::move(encoded)));
        }
        EXPECT_TRUE(writer.finish()) << writer.error();
        std::string keys;
        for (const auto& entry : std::filesystem::directory_iterator(searchIndexFolder(programFolder))) {
            EXPECT_EQ(entry.path().string().find(".run"), std::string::npos) << entry.path();
            if (entry.path().extension() == ".keys")
                keys = test::readBytes(entry.path().string());
        }
        return keys;
    };
    const std::string inMemory = keysWith("one", SearchIndexWriter::kRunEntries);
    EXPECT_EQ(inMemory.size(), 16u + 24u * 2 * (6 + 5 + 3));  // one entry per move
    EXPECT_EQ(keysWith("spilled", 3), inMemory);
}

}  // namespace
}  // namespace tessera
