#pragma once
// Right and wrong answers of a problem record (a tutorial or problem-set record whose
// variations hold the answers). A line is right when it reaches a node marked right: a move
// tag "正解", or a comment that says so in the usual ways of problem files ("RIGHT",
// "Correct", "正解", "正确"). A node marked wrong (tag "错解", the answering side's bad-move
// tag, a comment starting "Wrong" or "失败") and every node below which no right mark lies
// lose. A record without any right mark is taken to hold its answer on the main line.

#include <cstdint>
#include <unordered_map>

#include "record/game_record.h"

namespace tessera {

enum class AnswerVerdict : uint8_t { Open, Right, Wrong };

// What the node's own tag and comment say (Open when they say nothing). answeringColour: the
// colour of the side that answers; a bad-move tag counts against that side only.
AnswerVerdict markedVerdict(const GameNode& node, int answeringColour);

class ProblemAnswers {
public:
    ProblemAnswers() = default;
    // Analyses the tree (iteratively: deep lines are fine).
    explicit ProblemAnswers(const GameTree& tree);

    // The colour that answers: the root's side to move (1 black, 2 white).
    int answeringColour() const { return answering_; }
    // True when some node carries a right mark (false: the main line's end is the answer).
    bool hasRightMarks() const { return hasRightMarks_; }
    // Right: the node is a right end. Wrong: it is marked wrong or no right end lies at or
    // below it. Open: the answer goes on. Unknown ids are Wrong.
    AnswerVerdict verdictAt(int32_t id) const;

private:
    int answering_ = 1;
    bool hasRightMarks_ = false;
    std::unordered_map<int32_t, AnswerVerdict> verdicts_;
};

// Writes the answers into the record's move tags so that they survive any format: every right
// end gets "正解" and every other end of a line "错解" (a leaf that already carries a tag keeps
// it). Returns the number of right ends.
int markProblemAnswers(GameRecord& record);

}  // namespace tessera
