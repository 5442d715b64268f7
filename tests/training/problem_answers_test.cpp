// Right and wrong answers read from the conventions of problem files, and the answers of
// every marked problem of the corpus played through to a right end.
#include "training/problem_answers.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "record/record_file.h"
#include "record/sgf_file.h"
#include "support/test_support.h"
#include "training/problem_play.h"

namespace tessera {
namespace {

GameRecord sgf(const std::string& text) {
    GameRecord record;
    std::string error;
    EXPECT_TRUE(readSgfBytes(text, record, error)) << error;
    return record;
}

// The verdicts of the nodes in pre-order (ids are pre-order positions), as R, W and o.
std::string verdicts(const GameRecord& record) {
    const ProblemAnswers answers(record.tree);
    std::string out;
    for (size_t id = 0; id < record.tree.size(); ++id) {
        const AnswerVerdict v = answers.verdictAt(static_cast<int32_t>(id));
        out += v == AnswerVerdict::Right ? 'R' : v == AnswerVerdict::Wrong ? 'W' : 'o';
    }
    return out;
}

TEST(ProblemAnswers, CommentConventionsDecideTheLines) {
    // root, a(o) b(R): "Also correct" is right, "Incorrect" and "不正确" are not.
    EXPECT_EQ(verdicts(sgf("(;C[Correct?]AB[aa];B[bb];W[cc](;B[dd]C[Also correct.])(;B[ee]C[Incorrect])"
                           "(;B[ff]C[不正确]))")),
              "oooRWW");
    EXPECT_EQ(verdicts(sgf("(;AB[aa](;B[bb]C[well done, RIGHT])(;B[cc];W[dd]C[正解])(;B[ee];W[ff]C[失败]))")),
              "oRoRWW");
    // Without any right mark the main line is the answer.
    EXPECT_EQ(verdicts(sgf("(;AB[aa](;B[bb];W[cc];B[dd])(;B[ee]))")), "oooRW");
    // A bad-move tag counts against the answering side only.
    EXPECT_EQ(verdicts(sgf("(;AB[aa];B[bb](;W[cc]BM[1];B[dd]C[RIGHT])(;W[ee];B[ff]BM[1];W[gg];B[hh]C[RIGHT]))")),
              "oooRWWoR");
}

TEST(ProblemAnswers, MarksAreWrittenIntoMoveTagsAndSurviveSgf) {
    GameRecord record = sgf("(;AB[aa](;B[bb]C[Correct])(;B[cc];W[dd])(;B[ee]TE[1];W[ff]))");
    EXPECT_EQ(markProblemAnswers(record), 1);
    EXPECT_EQ(record.tree.find(1)->moveTag, kMoveTagCorrect);
    EXPECT_EQ(record.tree.find(3)->moveTag, kMoveTagWrong);
    EXPECT_EQ(record.tree.find(4)->moveTag, kMoveTagTesuji);  // TE read as "手筋"
    std::string bytes, error;
    ASSERT_TRUE(writeSgfBytes(record, bytes, error));
    EXPECT_NE(bytes.find("TE[1]"), std::string::npos);
    // The tags alone now decide, whatever the comments say.
    record.tree.find(1)->setComment("");
    EXPECT_EQ(verdicts(record), "oRWWWW");
}

TEST(ProblemAnswers, EveryMarkedCorpusProblemIsSolvedAlongItsAnswer) {
    TESSERA_REQUIRE_SHARED();
    int solved = 0;
    for (const char* folder : {"gogameguru", "goproblems", "maxigos"}) {
        for (const auto& entry :
             std::filesystem::recursive_directory_iterator(test::sharedDir() / "corpus" / "problems" / folder)) {
            GameRecord record;
            std::string error;
            if (!entry.is_regular_file() || !loadRecordFile(entry.path(), record, error))
                continue;
            const ProblemAnswers answers(record.tree);
            if (!answers.hasRightMarks())
                continue;
            // The player's moves of the first line that is not lost, replies in between.
            std::vector<int32_t> moves;
            const GameNode* node = record.tree.root();
            while (node && !node->childIds.empty()) {
                const GameNode* next = nullptr;
                for (int32_t id : node->childIds)
                    if (answers.verdictAt(id) != AnswerVerdict::Wrong) {
                        next = record.tree.find(id);
                        break;
                    }
                if (!next)
                    break;
                if (next->move.colour != static_cast<uint32_t>(3 - answers.answeringColour()))
                    moves.push_back(next->move.point);
                node = next;
                if (answers.verdictAt(node->id) == AnswerVerdict::Right)
                    break;
            }
            const ProblemRun run = playProblemAnswer(record, moves);
            EXPECT_EQ(run.result, AnswerVerdict::Right) << entry.path();
            solved += run.result == AnswerVerdict::Right;
        }
    }
    EXPECT_GT(solved, 250);
}

TEST(ProblemPlay, CoordinatesAreReadAsPlayersWriteThem) {
    const BoardGeometry board(19, 19);
    EXPECT_EQ(pointFromText("D04", board), board.pointAt(3, 15));
    EXPECT_EQ(pointFromText("d4", board), board.pointAt(3, 15));
    EXPECT_EQ(pointFromText("J19", board), board.pointAt(8, 0));
    for (const char* bad : {"I5", "D0", "D20", "Z1", "4D", "D", "D4x"})
        EXPECT_EQ(pointFromText(bad, board), -1) << bad;
}

}  // namespace
}  // namespace tessera
