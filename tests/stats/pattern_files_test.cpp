// The pattern files as bytes on disk: header checks, damaged slots and records, the lookup
// keys, local groups, the highlight handed to an opened game, the book's weighted pick, and
// the hint display rules on small bases written through the real slot-file writer.

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "go/board_transform.h"
#include "library/library_catalogue.h"
#include "stats/book_move.h"
#include "stats/hint_report.h"
#include "stats/local_groups.h"
#include "stats/pattern_bases.h"
#include "stats/pattern_highlight.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::ScratchFolder;

std::string header(double value, int32_t count) {
    std::string bytes("SIF\0\0\0", 6);
    uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    for (int k = 0; k < 8; ++k)
        bytes.push_back(static_cast<char>((bits >> (8 * k)) & 0xFF));
    bytes.append(4, '\0');
    appendI32(bytes, count);
    return bytes;
}

TEST(SlotFileTest, RefusesBadHeadersAndReadsOnlyWhatTheFileHolds) {
    SlotFile file;
    EXPECT_FALSE(file.openBytes(header(0.5, 3)));
    EXPECT_FALSE(file.openBytes(header(0.0, 0)));
    EXPECT_FALSE(file.openBytes("SIX" + header(0.0, 3).substr(3)));
    EXPECT_FALSE(file.openBytes(header(0.0, 3).substr(0, 21)));
    EXPECT_FALSE(file.isOpen());
    EXPECT_FALSE(file.open("/nonexistent/GFP.dat"));

    // Three slots: a good record, capacity below length, a record reaching past the end.
    std::string bytes = header(0.0, 3);
    const int32_t heap = 22 + 36;
    for (int32_t v : {heap, 4, 4, heap, 2, 4, heap, 100, 100})
        appendI32(bytes, v);
    bytes += "abcd";
    ASSERT_TRUE(file.openBytes(bytes));
    EXPECT_EQ(file.slotCount(), 3);
    EXPECT_EQ(file.readSlotRecord(0), std::optional<std::string>("abcd"));
    EXPECT_FALSE(file.readSlotRecord(1));
    EXPECT_FALSE(file.readSlotRecord(2));
    EXPECT_FALSE(file.readSlot(3));
    EXPECT_FALSE(file.readSlot(-1));
    EXPECT_EQ(file.readRecord(SlotRef{heap, 0, 0}), std::optional<std::string>(""));
    file.close();
    EXPECT_FALSE(file.readSlot(0));
}

TEST(PatternPositionTest, EmptyBoardBucketsAndQuickKeys) {
    PatternPosition position;
    EXPECT_EQ(bucketOf(position), 0);
    EXPECT_EQ(quickKeyOf(position.grid), (QuickKey{0, 0xFFFF, 0xFFFF, 0xFFFF}));
    position.colour = 2;
    EXPECT_EQ(bucketOf(position), 1);
    position.colour = 3;
    EXPECT_EQ(bucketOf(position), -1);
    position.colour = 1;
    for (int32_t p : {3, 40, 100})
        position.grid.set(p, 1);
    position.grid.set(200, 2);
    EXPECT_EQ(bucketOf(position), 1 + 2 * 4 - 1);
    EXPECT_EQ(quickKeyOf(position.grid), (QuickKey{3, 3, 100, 200}));
    position.id = 77;
    const auto back = parsePosition(serializePosition(position));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->sameAs(position));
    EXPECT_EQ(back->id, 77);
    std::string bad = serializePosition(position);
    bad[0] = 1;
    EXPECT_FALSE(parsePosition(bad));
    EXPECT_FALSE(parsePosition(serializePosition(position).substr(0, 366)));
}

TEST(LocalGroupsTest, StonesJoinWithinFivePointsAndChainsReachFurther) {
    BoardGrid grid(19, 19);
    grid.set(0, 1);
    grid.set(5, 2);  // distance 5: one group
    grid.set(19 * 18 + 18, 1);
    grid.set(19 * 18 + 12, 1);  // distance 6: two groups
    auto groups = groupsOf(grid, 5);
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].get(5), 2);
    EXPECT_EQ(groups[1].get(19 * 18 + 12), 1);
    EXPECT_EQ(groups[1].get(19 * 18 + 18), 0);

    BoardGrid chain(19, 19);
    for (int32_t p : {19 * 9, 19 * 9 + 5, 19 * 9 + 10})  // A-B-C with steps of 5, A and C 10 apart
        chain.set(p, 1);
    EXPECT_EQ(groupsOf(chain, 5).size(), 1u);
    EXPECT_EQ(groupAround(chain, 19 * 9 + 1, 5).countValue(1), 0);  // no stone at the start
}

TEST(PatternHighlightTest, HandedOverMaskedAndAsDisplayedThenLaidOntoTheOpenedGame) {
    BoardGrid board(19, 19);
    board.set(3 * 19 + 15, 1);  // Q16
    board.set(2 * 19 + 13, 2);  // O17
    board.set(15 * 19 + 3, 1);  // D4, hidden by the mask
    BoardGrid mask(19, 19);
    mask.fill(1);
    mask.set(15 * 19 + 3, 0);
    const BoardGrid handed = handedOverHighlight(board, mask, 0);  // shown mirrored left-right
    EXPECT_EQ(handed.countValue(1) + handed.countValue(2), 2);
    EXPECT_EQ(handed.get(3 * 19 + 3), 1);  // Q16 as displayed: D16

    // A game that reached the pattern a quarter turn away, with a stone more.
    BoardGrid game = BoardTransform(5, board).mapGrid(board);
    game.set(9 * 19 + 9, 2);
    const BoardGrid fitted = fitHighlight(handed, game);
    int onStones = 0;
    for (int32_t p = 0; p < 361; ++p)
        if (fitted.get(p) != 0) {
            EXPECT_EQ(fitted.get(p), game.get(p)) << p;
            ++onStones;
        }
    EXPECT_EQ(onStones, 2);
    EXPECT_TRUE(fitHighlight(handed, BoardGrid(19, 19)).equals(handed));  // fits nowhere: as handed over
}

TEST(WeightedPickerTest, PicksByCumulativeWeightAndSkipsZeros) {
    WeightedPicker picker;
    EXPECT_EQ(picker.pick([] { return 5u; }), 0u);  // nothing to pick: out of range
    picker.add(3);
    picker.add(0);
    picker.add(-2);
    EXPECT_EQ(picker.pick([] { return 2u; }), 0u);
    EXPECT_EQ(picker.pick([] { return 3u; }), 2u);
    EXPECT_EQ(picker.pick([] { return 9u; }), 2u);  // 9 mod 5 = 4
    WeightedPicker zeros;
    zeros.add(0);
    EXPECT_EQ(zeros.pick([] { return 1u; }), 1u);
}

// A base with one whole-board position (or one local group) and moves of given counts,
// written through the builders' writer; catalogue games 0.. with the given results.
class HintDisplayTest : public ::testing::Test {
protected:
    struct PlannedMove {
        int16_t point;
        int games;
        int wins;  // for black to move; the rest are losses
    };

    void writeBase(const BoardGrid& grid, const std::vector<PlannedMove>& moves, bool local = false) {
        std::vector<LibraryRecord> records;
        PositionStats stats;
        stats.id = 0;
        int32_t next = 0;
        for (const PlannedMove& planned : moves) {
            MoveStats move{planned.point, {}};
            for (int g = 0; g < planned.games; ++g) {
                LibraryRecord record;
                record.id = next;
                record.resultType = g < planned.wins ? 1 : 2;
                records.push_back(record);
                move.games.push_back(GameRef{next++, 5, 0});
            }
            stats.moves.push_back(move);
        }
        catalogue_.assign(records);
        PatternPosition position;
        position.grid = grid;
        position.id = 0;
        std::string error;
        const std::string folder = scratch_.path().string() + "/";
        SlotFileWriter index, store;
        ASSERT_TRUE(index.create(folder + (local ? kLocalIndexFile : kGlobalIndexFile), kPositionIndexSlots, error));
        ASSERT_TRUE(store.create(folder + (local ? kLocalStatsFile : kGlobalStatsFile), kMaxPositionIds, error));
        SlotRef ref;
        ASSERT_TRUE(index.put(0, serializePosition(position), &ref));
        PositionBucket bucket{bucketOf(position), {BucketEntry{quickKeyOf(grid), 0, ref}}};
        ASSERT_TRUE(index.put(kMaxPositionIds + bucket.number, serializeBucket(bucket)));
        ASSERT_TRUE(store.put(0, serializeStats(stats)));
        ASSERT_TRUE(index.finish(error) && store.finish(error) && index.rename(error) && store.rename(error));
        bases_.open(folder);
    }

    HintResult show(const BoardGrid& grid, bool local = false) {
        HintRequest request;
        request.position = grid;
        request.showGlobal = !local;
        request.showLocal = local;
        request.lastWasStoneMove = true;
        return computeHints(bases_, catalogue_, request);
    }

    ScratchFolder scratch_;
    PatternBases bases_;
    LibraryCatalogue catalogue_;
};

TEST_F(HintDisplayTest, ProportionCutOffAndLabelsPastZ) {
    BoardGrid grid(19, 19);
    grid.set(60, 2);
    std::vector<PlannedMove> moves{{100, 3000, 1500}};
    for (int16_t k = 0; k < 52; ++k)
        moves.push_back({static_cast<int16_t>(200 + k), 1, 1});
    writeBase(grid, moves);
    const HintResult result = show(grid);
    ASSERT_EQ(result.details.size(), 53u);
    ASSERT_EQ(result.hints.size(), 1u);  // 3000 of 3052 games pass 0.98 after the first move
    EXPECT_EQ(result.hints[0].text, "A");
    EXPECT_EQ(result.details[26].label, "a");
    EXPECT_EQ(result.details[52].label, "A");
    EXPECT_EQ(result.report.substr(0, result.report.find("\r\n")), "总计,总:3052,赢:1552(50.9%), 负:1500(49.1%)");
    EXPECT_NE(result.report.find("A(F14),总:3000(98%),赢:1500(50%), 负:1500\r\n"), std::string::npos);
}

TEST_F(HintDisplayTest, ColoursAndTheFewGamesFlag) {
    BoardGrid grid(19, 19);
    grid.set(60, 2);
    // 9 games at 70 % wins would need fractions; 7 of 9 is 78 %: red with the flag.
    writeBase(grid, {{100, 9, 7}, {101, 25, 12}, {102, 25, 13}, {103, 50, 25}, {104, 20, 10}});
    HintResult result = show(grid);
    ASSERT_EQ(result.hints.size(), 5u);
    const auto hintAt = [&](int32_t p) {
        for (const BoardHint& hint : result.hints)
            if (hint.point == p)
                return hint;
        return BoardHint{};
    };
    EXPECT_EQ(hintAt(100).colour, 0x0000FFu);
    EXPECT_TRUE(hintAt(100).fewGames);
    EXPECT_EQ(hintAt(101).colour, 0xFF0000u);  // 48 %: stays blue
    EXPECT_EQ(hintAt(102).colour, 0x0000FFu);  // 52 %: stays red
    EXPECT_EQ(hintAt(103).colour, 0u);         // 50 %: black
    EXPECT_FALSE(hintAt(103).fewGames);
}

TEST_F(HintDisplayTest, LocalLabelsAreBlackForFewGamesAndNumberedByGroup) {
    BoardGrid grid(19, 19);
    grid.set(60, 2);
    writeBase(grid, {{100, 30, 20}, {101, 9, 7}}, true);
    const HintResult result = show(grid, true);
    ASSERT_EQ(result.labels.size(), 2u);
    EXPECT_EQ(result.labels[0].text, "A1");
    EXPECT_EQ(result.labels[0].colour, 0x0000FFu);
    EXPECT_EQ(result.labels[1].text, "B1");
    EXPECT_EQ(result.labels[1].colour, 0u);
    EXPECT_NE(result.report.find("---------------------------\r\n"), std::string::npos);
}

TEST_F(HintDisplayTest, MirroredPositionFindsTheMoveMappedBackAndTheBookPicksIt) {
    BoardGrid grid(19, 19);
    grid.set(60, 2);
    writeBase(grid, {{0, 12, 6}});
    const BoardGrid mirrored = BoardTransform(0, grid).mapGrid(grid);
    PatternPosition position;
    position.grid = mirrored;
    int transform = -2;
    ASSERT_TRUE(bases_.globalIndex.findPositionAnySymmetry(position, transform));
    EXPECT_EQ(transform, 0);
    EXPECT_TRUE(position.grid.equals(mirrored));  // the caller's grid comes back unchanged
    const HintResult result = show(mirrored);
    ASSERT_EQ(result.hints.size(), 1u);
    EXPECT_EQ(result.hints[0].point, 18);  // A19 stored, T19 shown
    EXPECT_EQ(pickBookMove(bases_, mirrored, 1, [] { return 7u; }), 18);
    EXPECT_EQ(pickBookMove(bases_, mirrored, 2, [] { return 7u; }), -1);  // other colour: not in the book
}

TEST_F(HintDisplayTest, DamagedFilesAnswerNothingAndNeverCrash) {
    BoardGrid grid(19, 19);
    grid.set(60, 2);
    writeBase(grid, {{100, 30, 20}, {101, 9, 7}});
    bases_.close();
    // Damage a few bytes of the header, the used table entries, the bucket or the records in
    // place, read, and put the bytes back.
    std::mt19937 random(14);
    for (const char* name : {kGlobalIndexFile, kGlobalStatsFile}) {
        const std::string path = (scratch_ / name).string();
        const std::string good = test::readBytes(path);
        std::FILE* file = std::fopen(path.c_str(), "r+b");
        ASSERT_NE(file, nullptr);
        for (int round = 0; round < 400; ++round) {
            std::vector<size_t> places;
            for (int k = 0; k < 4; ++k) {
                const size_t at = random() % 3 == 0 ? random() % 40 : good.size() - 1 - random() % 600;
                places.push_back(at);
                std::fseek(file, static_cast<long>(at), SEEK_SET);
                std::fputc(static_cast<int>(random() & 0xFF), file);
            }
            std::fflush(file);
            PatternBases bases;
            bases.open(scratch_.path().string() + "/");
            PatternPosition position;
            position.grid = grid;
            int transform = -1;
            if (bases.globalIndex.findPositionAnySymmetry(position, transform))
                bases.globalStats.readStats(position.id);
            for (size_t at : places) {
                std::fseek(file, static_cast<long>(at), SEEK_SET);
                std::fputc(static_cast<unsigned char>(good[at]), file);
            }
            std::fflush(file);
        }
        std::fclose(file);
    }
    const auto path = scratch_ / kGlobalStatsFile;
    const std::string good = test::readBytes(path);
    test::writeBytes(path, good.substr(0, good.size() - 3));  // truncated inside the record
    bases_.open(scratch_.path().string() + "/");
    EXPECT_TRUE(show(grid).details.empty());
}

}  // namespace
}  // namespace tessera
