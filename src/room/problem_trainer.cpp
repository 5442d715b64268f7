#include "room/problem_trainer.h"

#include <algorithm>

namespace tessera {

namespace {

constexpr uint32_t kBranchLabelRed = 0x0000FF;

}  // namespace

void ProblemTrainer::problemOpened(const GameTree& tree, int32_t problemId) {
    active_ = true;
    answers_ = ProblemAnswers(tree);
    problemId_ = problemId;
    decided_ = problemId >= 0 && decidedIds_.count(problemId) != 0;
}

void ProblemTrainer::restartSession() {
    decidedIds_.clear();
    solved_ = failed_ = 0;
    decided_ = false;
}

void ProblemTrainer::score(AnswerVerdict verdict) {
    if (decided_ || verdict == AnswerVerdict::Open)
        return;
    decided_ = true;
    if (problemId_ >= 0)
        decidedIds_.insert(problemId_);
    (verdict == AnswerVerdict::Right ? solved_ : failed_) += 1;
}

AnswerVerdict ProblemTrainer::reached(const GameTree& tree, int32_t id) {
    if (!active_)
        return AnswerVerdict::Open;
    const AnswerVerdict verdict = answers_.verdictAt(id);
    const GameNode* node = tree.find(id);
    // Announced once, where the line turns right or wrong, not again on every later node.
    const AnswerVerdict before = node && node->parentId >= 0 ? answers_.verdictAt(node->parentId) : AnswerVerdict::Open;
    if (verdict == AnswerVerdict::Open || verdict == before)
        return AnswerVerdict::Open;
    score(verdict);
    return verdict;
}

AnswerVerdict ProblemTrainer::strayed() {
    if (!active_)
        return AnswerVerdict::Open;
    score(AnswerVerdict::Wrong);
    return AnswerVerdict::Wrong;
}

void ProblemTrainer::answerShown() {
    if (active_)
        score(AnswerVerdict::Wrong);
}

int32_t hintPoint(const GameTree& tree, int32_t nodeId) {
    const GameNode* node = tree.find(nodeId);
    if (!node || node->childIds.empty())
        return -1;
    const GameNode* child = tree.find(node->childIds.front());
    return child && child->move.isStoneMove() ? child->move.point : -1;
}

std::vector<Label> branchLabels(const GameTree& tree, int32_t nodeId) {
    std::vector<Label> labels;
    const GameNode* node = tree.find(nodeId);
    if (!node)
        return labels;
    for (int32_t childId : node->childIds) {
        const GameNode* child = tree.find(childId);
        if (!child || !child->move.isStoneMove())
            continue;
        const int32_t p = child->move.point;
        if (std::any_of(labels.begin(), labels.end(), [p](const Label& l) { return l.point == p; }))
            continue;
        labels.push_back(Label{p, kBranchLabelRed, std::string(1, static_cast<char>('a' + labels.size() % 26))});
    }
    return labels;
}

int32_t stepBackTarget(const GameTree& tree, int32_t nodeId, bool oneUserStudy, int answeringColour) {
    const GameNode* node = tree.find(nodeId);
    if (!node || node->parentId < 0)
        return -1;
    if (oneUserStudy)
        return node->parentId;
    for (const GameNode* at = tree.find(node->parentId); at; at = tree.find(at->parentId))
        if (at->parentId < 0 || at->sideToMove == answeringColour)
            return at->id;
    return -1;
}

int32_t answerChild(const GameTree& tree, const ProblemAnswers& answers, int32_t nodeId) {
    const GameNode* node = tree.find(nodeId);
    if (!node || node->childIds.empty())
        return -1;
    for (int32_t childId : node->childIds)
        if (answers.verdictAt(childId) != AnswerVerdict::Wrong && tree.find(childId))
            return childId;
    return node->childIds.front();
}

}  // namespace tessera
