#include "training/problem_answers.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace tessera {

namespace {

std::string lowerAscii(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c); });
    return lower;
}

bool endsWith(std::string_view text, size_t end, std::string_view suffix) {
    return end >= suffix.size() && text.substr(end - suffix.size(), suffix.size()) == suffix;
}

// "Correct", "Also correct.", "RIGHT", "正解"; not "Incorrect", "not correct", "不正确".
bool saysRight(const std::string& comment) {
    if (comment.find("RIGHT") != std::string::npos)
        return true;
    const std::string lower = lowerAscii(comment);
    for (size_t at = lower.find("correct"); at != std::string::npos; at = lower.find("correct", at + 1))
        if (!endsWith(lower, at, "in") && !endsWith(lower, at, "not ") && !endsWith(lower, at, "n't "))
            return true;
    for (const char* word : {"正解", "正确", "正確"})
        for (size_t at = comment.find(word); at != std::string::npos; at = comment.find(word, at + 1))
            if (!endsWith(comment, at, "不"))
                return true;
    return false;
}

bool saysWrong(const std::string& comment) {
    const std::string lower = lowerAscii(comment);
    const size_t start = lower.find_first_not_of(" \t\r\n");
    if (start == std::string::npos)
        return false;
    const std::string_view head = std::string_view(lower).substr(start);
    if (head.starts_with("wrong") || head.starts_with("incorrect") || comment.find("WRONG") != std::string::npos)
        return true;
    for (const char* word : {"失败", "失敗", "错解", "錯解", "不正确", "不正確"})
        if (comment.find(word) != std::string::npos)
            return true;
    return false;
}

}  // namespace

AnswerVerdict markedVerdict(const GameNode& node, int answeringColour) {
    if (node.moveTag == kMoveTagCorrect)
        return AnswerVerdict::Right;
    if (node.moveTag == kMoveTagWrong || (node.moveTag == kMoveTagBadMove && node.move.isStoneMove() &&
                                          node.move.colour == static_cast<uint32_t>(answeringColour)))
        return AnswerVerdict::Wrong;
    for (const Comment& comment : node.comments) {
        if (saysWrong(comment.body))
            return AnswerVerdict::Wrong;
        if (saysRight(comment.body))
            return AnswerVerdict::Right;
    }
    return AnswerVerdict::Open;
}

ProblemAnswers::ProblemAnswers(const GameTree& tree) {
    const GameNode* root = tree.root();
    if (!root)
        return;
    answering_ = root->sideToMove == kWhite ? kWhite : kBlack;
    // Parents before children; walked backwards, every child is judged before its parent.
    const std::vector<const GameNode*> order = [&] {
        std::vector<const GameNode*> list;
        std::vector<const GameNode*> pending{root};
        while (!pending.empty()) {
            const GameNode* node = pending.back();
            pending.pop_back();
            list.push_back(node);
            for (auto it = node->childIds.rbegin(); it != node->childIds.rend(); ++it)
                if (const GameNode* child = tree.find(*it); child && child->parentId == node->id)
                    pending.push_back(child);
        }
        return list;
    }();
    std::unordered_map<int32_t, AnswerVerdict> marks;
    for (const GameNode* node : order) {
        // The root states the problem; what its comment says is no answer.
        const AnswerVerdict mark = node == root ? AnswerVerdict::Open : markedVerdict(*node, answering_);
        marks[node->id] = mark;
        hasRightMarks_ = hasRightMarks_ || mark == AnswerVerdict::Right;
    }
    if (!hasRightMarks_) {
        // The answer is the main line: its end is the one right end.
        const GameNode* end = root;
        while (!end->childIds.empty()) {
            const GameNode* next = tree.find(end->childIds.front());
            if (!next || next->parentId != end->id)
                break;
            end = next;
        }
        if (end != root)
            marks[end->id] = AnswerVerdict::Right;
    }
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const GameNode* node = *it;
        AnswerVerdict verdict = marks[node->id];
        if (verdict == AnswerVerdict::Open) {
            verdict = AnswerVerdict::Wrong;
            for (int32_t childId : node->childIds) {
                auto found = verdicts_.find(childId);
                if (found != verdicts_.end() && found->second != AnswerVerdict::Wrong)
                    verdict = AnswerVerdict::Open;
            }
        }
        verdicts_[node->id] = verdict;
    }
}

AnswerVerdict ProblemAnswers::verdictAt(int32_t id) const {
    auto found = verdicts_.find(id);
    return found == verdicts_.end() ? AnswerVerdict::Wrong : found->second;
}

int markProblemAnswers(GameRecord& record) {
    const ProblemAnswers answers(record.tree);
    int rightEnds = 0;
    for (const auto& owned : record.tree.nodes()) {
        GameNode& node = *owned;
        const AnswerVerdict verdict = answers.verdictAt(node.id);
        if (verdict == AnswerVerdict::Right) {
            node.moveTag = kMoveTagCorrect;
            ++rightEnds;
        } else if (node.childIds.empty() && node.parentId >= 0 && node.moveTag == 0) {
            node.moveTag = kMoveTagWrong;
        }
    }
    return rightEnds;
}

}  // namespace tessera
