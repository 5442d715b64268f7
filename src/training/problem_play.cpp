#include "training/problem_play.h"

#include <cctype>

namespace tessera {

ProblemRun playProblemAnswer(const GameRecord& record, const std::vector<int32_t>& points) {
    ProblemRun run;
    const ProblemAnswers answers(record.tree);
    const GameNode* node = record.tree.root();
    for (const int32_t p : points) {
        if (!node)
            break;
        ++run.played;
        const GameNode* answer = nullptr;
        for (int32_t childId : node->childIds) {
            const GameNode* child = record.tree.find(childId);
            // A pass (-1) answers too: some problems are solved by not playing. Records often
            // keep a pass without its colour.
            const bool pass = p < 0 && child && child->move.point < 0 && child->move.colour == 0;
            if (child && !child->fullSetup && !child->hasSetup() && child->move.point == (p >= 0 ? p : -1) &&
                (pass || child->move.colour == node->sideToMove)) {
                answer = child;
                break;
            }
        }
        if (!answer) {
            run.result = AnswerVerdict::Wrong;
            break;
        }
        if ((run.result = answers.verdictAt(answer->id)) != AnswerVerdict::Open)
            break;
        node = answer->childIds.empty() ? nullptr : record.tree.find(answer->childIds.front());
        if (!node)
            break;
        run.replies.push_back(node->move.point);
        if ((run.result = answers.verdictAt(node->id)) != AnswerVerdict::Open)
            break;
    }
    return run;
}

int32_t pointFromText(const std::string& text, const BoardGeometry& geometry) {
    if (text.size() < 2 || text.size() > 4 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return -1;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    if (letter == 'I')
        return -1;
    const int x = letter - 'A' - (letter > 'I' ? 1 : 0);
    int row = 0;
    for (size_t k = 1; k < text.size(); ++k) {
        if (!std::isdigit(static_cast<unsigned char>(text[k])))
            return -1;
        row = row * 10 + (text[k] - '0');
    }
    if (row < 1 || row > geometry.height())
        return -1;
    return geometry.pointAt(x, geometry.height() - row);
}

}  // namespace tessera
