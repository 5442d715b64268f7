#pragma once
// Training on problem records: the verdict of each answer, the score of the session (a
// problem's first decided answer is what counts), and what the board shows for the hint and
// the answer branches. Plain logic; GameRoom drives it.

#include <cstdint>
#include <set>
#include <vector>

#include "record/game_tree.h"
#include "training/problem_answers.h"

namespace tessera {

class ProblemTrainer {
public:
    // A problem record was opened. problemId identifies it across reopenings (its library id;
    // -1 for a record from a file, which counts afresh each time it is opened).
    void problemOpened(const GameTree& tree, int32_t problemId);
    // The room holds no problem any more.
    void clear() { active_ = false; }
    // A new session: the score goes back to zero.
    void restartSession();

    bool active() const { return active_; }
    const ProblemAnswers& answers() const { return answers_; }

    // The player or the record's reply reached node id (a child of parentId). Returns the
    // verdict to announce: Right or Wrong when the line has just been decided there, else
    // Open. The problem's first decided verdict goes into the score.
    AnswerVerdict reached(const GameTree& tree, int32_t id);
    // The player played a move that no branch holds: Wrong (scored like any answer).
    AnswerVerdict strayed();
    // The answer was shown before the problem was decided: it counts as failed.
    void answerShown();

    int solved() const { return solved_; }
    int failed() const { return failed_; }

private:
    void score(AnswerVerdict verdict);

    bool active_ = false;
    ProblemAnswers answers_;
    int32_t problemId_ = -1;
    bool decided_ = false;
    std::set<int32_t> decidedIds_;  // problems of the session already scored
    int solved_ = 0;
    int failed_ = 0;
};

// The point of the first child's stone move (the hint), or -1.
int32_t hintPoint(const GameTree& tree, int32_t nodeId);

// The labels of the answer branches at a node: each child's stone move gets the next letter
// (a, b, ... by k mod 26), red; a point labelled for an earlier child is skipped.
std::vector<Label> branchLabels(const GameTree& tree, int32_t nodeId);

// Where "后退" goes from nodeId: the parent in one-person study; otherwise the nearest
// ancestor at which the answering side is to move (the root at the latest), so that the
// player's last answer and the reply to it are both taken back. -1 at a root.
int32_t stepBackTarget(const GameTree& tree, int32_t nodeId, bool oneUserStudy, int answeringColour);

// The node "正解" walks to from a node: the first child whose line is not lost, else the first
// child; -1 when there is none.
int32_t answerChild(const GameTree& tree, const ProblemAnswers& answers, int32_t nodeId);

}  // namespace tessera
