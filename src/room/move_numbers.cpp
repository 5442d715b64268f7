#include "room/move_numbers.h"

#include <string>
#include <unordered_set>

namespace tessera {

namespace {

// Walks from `current` towards the root, stopping after `stopId` (or at the root), labelling as
// described in the header; `number` is the move number of the latest stone move on the walk.
std::vector<Label> numberWalk(const GameTree& tree, const GameNode* node, int32_t stopId, const BoardGrid& shown,
                              int number, int limit, uint32_t onBlack, uint32_t onWhite) {
    std::vector<Label> labels;
    std::unordered_set<int32_t> numbered;
    int counted = 0;
    while (node && (limit < 0 || counted < limit)) {
        if (node->move.isStoneMove()) {
            const int32_t p = node->move.point;
            const int stone = shown.get(p);
            if ((stone == kBlack || stone == kWhite) && numbered.insert(p).second) {
                Label label;
                label.point = p;
                label.colour = stone == kBlack ? onBlack : onWhite;
                label.text = std::to_string(number);
                labels.push_back(std::move(label));
            }
            ++counted;
            --number;
        }
        if (node->id == stopId)
            break;
        node = tree.find(node->parentId);
    }
    return labels;
}

}  // namespace

std::vector<Label> moveNumberLabels(const GameTree& tree, int32_t currentId, const BoardGrid& shown, unsigned mode) {
    static const int kLimits[] = {0, 1, 5, 50, -1};
    if (mode == 0 || mode > 4)
        return {};
    const GameNode* current = tree.find(currentId);
    if (!current)
        return {};
    int moves = 0;
    for (const GameNode* node = current; node; node = tree.find(node->parentId))
        moves += node->move.isStoneMove() ? 1 : 0;
    return numberWalk(tree, current, -1, shown, moves, kLimits[mode], 0xFFFFFF, 0);
}

std::vector<Label> trialMoveNumberLabels(const GameTree& tree, int32_t currentId, int32_t trialFirstId,
                                         const BoardGrid& shown) {
    const GameNode* current = tree.find(currentId);
    if (!current || trialFirstId < 0)
        return {};
    int moves = 0;
    bool reached = false;
    for (const GameNode* node = current; node; node = tree.find(node->parentId)) {
        moves += node->move.isStoneMove() ? 1 : 0;
        if (node->id == trialFirstId) {
            reached = true;
            break;
        }
    }
    if (!reached)
        return {};
    return numberWalk(tree, current, trialFirstId, shown, moves, -1, 0xC0C0C0, 0x808080);
}

}  // namespace tessera
