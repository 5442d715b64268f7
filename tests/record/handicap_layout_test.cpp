// Handicap stones of GIB records by the writing server, and the check that no move lands on a
// stone.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <set>

#include "record/gib_reader.h"
#include "record/handicap_layout.h"
#include "record/occupied_point_check.h"
#include "record/sgf_file.h"

namespace tessera {
namespace {

int32_t at(const char* text) {  // "Q16": column letter (no I), row from the bottom
    int column = text[0] - 'A';
    if (text[0] > 'I')
        --column;
    return BoardGeometry().pointAt(column, 19 - std::atoi(text + 1));
}

std::set<int32_t> points(std::initializer_list<const char*> texts) {
    std::set<int32_t> set;
    for (const char* text : texts)
        set.insert(at(text));
    return set;
}

GameRecord importGib(const std::string& text) {
    GibReader reader;
    std::string error;
    EXPECT_TRUE(reader.readBytes(text, error)) << error;
    GameRecord record;
    gibToRecord(reader, record);
    return record;
}

TEST(HandicapLayout, EveryCountFromTwoToNineStandsOnItsStarPoints) {
    const std::set<int32_t> corners = points({"Q16", "D4", "Q4", "D16"});
    const std::set<int32_t> sides = points({"D10", "Q10"});
    const std::set<int32_t> topBottom = points({"K16", "K4"});
    for (const HandicapLayout layout : {HandicapLayout::kCommon, HandicapLayout::kTygem}) {
        for (int count = 2; count <= 9; ++count) {
            const PointList list = handicapPoints(count, layout);
            const std::set<int32_t> set(list.begin(), list.end());
            ASSERT_EQ(list.size(), size_t(count)) << count;
            ASSERT_EQ(set.size(), size_t(count)) << "no point twice, " << count;
            std::set<int32_t> expected = count >= 4 ? corners : points({"Q16", "D4"});
            if (count >= 6)
                expected.insert(sides.begin(), sides.end());
            if (count >= 8)
                expected.insert(topBottom.begin(), topBottom.end());
            if (count % 2 == 1 && count >= 5)
                expected.insert(at("K10"));
            if (count == 3)
                expected.insert(at(layout == HandicapLayout::kTygem ? "D16" : "Q4"));
            EXPECT_EQ(set, expected) << count;
        }
        EXPECT_TRUE(handicapPoints(1, layout).empty());
        EXPECT_TRUE(handicapPoints(10, layout).empty());
    }
}

TEST(HandicapLayout, ARecordWhoseMovesShowTheOtherLayoutGetsIt) {
    // A file passed through another program: White's first move is D16, free only in the
    // common layout. (A Tygem record keeping its own layout is the command-line convert test.)
    const GameRecord record = importGib("\\HE\nINI 0 1 3 &4\nSTO 0 2 2 3 3\n");
    const GameNode& setup = *record.tree.root();
    EXPECT_EQ(std::set<int32_t>(setup.addBlack.begin(), setup.addBlack.end()), points({"Q16", "D4", "Q4"}));
    EXPECT_FALSE(findMoveOnOccupiedPoint(record));
}

TEST(OccupiedPointCheck, NamesTheFirstMoveOnAStoneAndNothingElse) {
    GameRecord record;
    std::string error;
    // A handicap stone under White's second move.
    ASSERT_TRUE(readSgfBytes("(;HA[2]AB[pd][dp];W[dd];B[qf];W[pd])", record, error)) << error;
    const auto clash = findMoveOnOccupiedPoint(record);
    ASSERT_TRUE(clash);
    EXPECT_EQ(clash->moveNumber, 3);
    EXPECT_EQ(clash->pointText, "Q16");
    EXPECT_EQ(occupiedPointWarning(record), "move 3 (Q16) lands on an occupied point");
    // A capture and a stone played on the emptied point is sound; so is a pass.
    ASSERT_TRUE(readSgfBytes("(;SZ[5];B[ba];W[aa];B[ab];W[];B[cc];W[aa])", record, error)) << error;
    EXPECT_FALSE(findMoveOnOccupiedPoint(record)) << occupiedPointWarning(record);
    // Variations count too, after the main line.
    ASSERT_TRUE(readSgfBytes("(;SZ[5];B[aa](;W[bb])(;W[aa]))", record, error)) << error;
    ASSERT_TRUE(findMoveOnOccupiedPoint(record));
    EXPECT_EQ(findMoveOnOccupiedPoint(record)->moveNumber, 2);
}

}  // namespace
}  // namespace tessera
