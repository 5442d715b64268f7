#include "view/record_node_view.h"

namespace tessera {

const GameNode* mainLineNodeAtMove(const GameRecord& record, int moveNumber) {
    const std::vector<const GameNode*> line = record.tree.mainLine();
    if (line.empty())
        return nullptr;
    if (moveNumber < 0)
        return line.back();
    int played = 0;
    for (const GameNode* node : line) {
        if (node->move.isStoneMove())
            ++played;
        if (played == moveNumber)
            return node;
    }
    return nullptr;
}

void showNode(const GameNode& node, BoardViewState& view) {
    view.setPosition(node.position);
    BoardGrid mask(node.position.width(), node.position.height());
    if (node.hasMask) {
        for (int32_t p : node.maskPoints)
            mask.set(p, 1);
    } else {
        mask.fill(1);
    }
    view.setMask(mask);
    view.clearOverlay();
    view.setMarks(node.marks);
    view.setLabels(node.labels);
    view.setDrawRecords(node.drawRecords);
    view.setCursor(node.move.isStoneMove() ? node.move.point : -1);
}

}  // namespace tessera
