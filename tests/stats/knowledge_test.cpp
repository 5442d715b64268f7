// The knowledge base built from an annotated record: a note is found from any orientation of
// its position and its labels and markup come back on the board as displayed; with a note
// present the statistics are not shown; a cancelled build leaves the files as they were.

#include <gtest/gtest.h>

#include "go/board_transform.h"
#include "library/library_catalogue.h"
#include "stats/hint_report.h"
#include "stats/knowledge_builder.h"
#include "stats/pattern_bases.h"
#include "support/test_support.h"

namespace tessera {
namespace {

TEST(KnowledgeTest, NoteFoundRotatedWithItsLabelsOnTheDisplayedStones) {
    test::ScratchFolder scratch;
    // After B[pd] W[dp] B[pp]: a note with a label on the 3-3 point and a triangle on the last stone.
    const auto record = scratch / "joseki.sgf";
    ASSERT_TRUE(test::writeBytes(record,
                                 "(;GM[1]FF[4]SZ[19];B[pd];W[dp];B[pp]C[Approach now.]LB[qc:A]TR[pp]"
                                 ";W[qc]C[Second note.])"));
    ASSERT_TRUE(test::writeBytes(scratch / "broken.sgf", "(;GM[1]SZ[19];B[pd"));
    KnowledgeBuildSummary summary;
    std::string error;
    const std::string folder = scratch.path().string() + "/";
    ASSERT_TRUE(buildKnowledge({record.string(), (scratch / "broken.sgf").string(), (scratch / "none.sgf").string()},
                               folder, summary, error))
        << error;
    EXPECT_EQ(summary.notes, 2);
    EXPECT_GE(summary.refusedFiles, 1);
    PatternBases bases;
    EXPECT_EQ(bases.open(folder), 2);

    BoardGrid position(19, 19);
    const BoardGeometry board(19, 19);
    for (auto [x, y, colour] : {std::tuple{15, 3, 1}, {3, 15, 2}, {15, 15, 1}})
        position.set(y * 19 + x, colour);
    for (int code : {-1, 4, 5}) {  // as stored and the two quarter turns
        const BoardTransform turn(code, position);
        HintRequest request;
        request.position = code < 0 ? position : turn.mapGrid(position);
        request.colourToMove = 2;
        request.showKnowledge = request.showGlobal = request.showLocal = true;
        const HintResult result = computeHints(bases, LibraryCatalogue(), request);
        ASSERT_TRUE(result.knowledgeShown) << code;
        EXPECT_EQ(result.report, "Approach now.");
        const auto shown = [&](int32_t p) { return code < 0 ? p : turn.mapPoint(p); };
        ASSERT_EQ(result.labels.size(), 1u);
        EXPECT_EQ(result.labels[0].point, shown(2 * 19 + 16));
        EXPECT_EQ(result.labels[0].text, "A");
        ASSERT_EQ(result.marks.size(), 1u);
        EXPECT_EQ(result.marks[0].point, shown(15 * 19 + 15));
        EXPECT_EQ(request.position.get(result.marks[0].point), 1);  // the triangle sits on the black stone
        EXPECT_TRUE(result.hints.empty());
    }

    bases.close();
    ASSERT_TRUE(test::writeBytes(record, "(;GM[1]FF[4]SZ[19];B[pd];W[dp];B[pp]C[Replaced.])"));
    EXPECT_FALSE(buildKnowledge({record.string(), record.string()}, folder, summary, error,
                                [](size_t done, size_t) { return done < 1; }));
    EXPECT_EQ(error, "cancelled");
    EXPECT_EQ(bases.open(folder), 2);
    HintRequest request;
    request.position = position;
    request.colourToMove = 2;
    request.showKnowledge = true;
    EXPECT_EQ(computeHints(bases, LibraryCatalogue(), request).report, "Approach now.");
}

}  // namespace
}  // namespace tessera
