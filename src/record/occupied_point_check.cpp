#include "record/occupied_point_check.h"

#include <vector>

namespace tessera {
namespace {

bool landsOnStone(const GameTree& tree, const GameNode& node) {
    if (!node.move.isStoneMove())
        return false;
    const GameNode* parent = tree.find(node.parentId);
    if (parent == nullptr)
        return false;
    const int held = parent->position.get(node.move.point);
    return held == kBlack || held == kWhite;
}

int stoneMovesUpTo(const GameTree& tree, const GameNode* node) {
    int count = 0;
    // Bounded by the tree's size, so a damaged parent chain cannot loop.
    for (size_t steps = 0; node != nullptr && steps <= tree.size(); ++steps, node = tree.find(node->parentId))
        count += node->move.isStoneMove() ? 1 : 0;
    return count;
}

}  // namespace

std::optional<OccupiedPointMove> findMoveOnOccupiedPoint(const GameRecord& record) {
    const GameTree& tree = record.tree;
    const GameNode* found = nullptr;
    for (const GameNode* node : tree.mainLine())
        if (landsOnStone(tree, *node)) {
            found = node;
            break;
        }
    if (found == nullptr)
        for (const auto& node : tree.nodes())
            if (landsOnStone(tree, *node)) {
                found = node.get();
                break;
            }
    if (found == nullptr)
        return std::nullopt;
    OccupiedPointMove move;
    move.nodeId = found->id;
    move.moveNumber = stoneMovesUpTo(tree, found);
    move.point = found->move.point;
    move.pointText = record.geometry().pointText(found->move.point);
    return move;
}

std::string occupiedPointWarning(const GameRecord& record) {
    const auto move = findMoveOnOccupiedPoint(record);
    if (!move)
        return {};
    return "move " + std::to_string(move->moveNumber) + " (" + move->pointText + ") lands on an occupied point";
}

}  // namespace tessera
