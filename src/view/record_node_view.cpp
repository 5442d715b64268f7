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

void showNode(const GameNode& node, const BoardGeometry& size, BoardDisplay& display) {
    if (node.position.isUsable())
        display.position.copyFrom(node.position);
    else
        display.position = BoardGrid(size.width(), size.height());
    display.mask = BoardGrid(display.position.width(), display.position.height());
    if (node.hasMask) {
        display.mask.fill(0);
        display.mask.setAll(node.maskPoints, 1);
    } else {
        display.mask.fill(1);
    }
    display.marks = node.marks;
    display.labels = node.labels;
    display.regions.clear();
    for (const DrawRecord& record : node.drawRecords)
        display.regions.push_back(RegionRect::fromDrawRecord(record));
    display.cursor = node.move.isStoneMove() ? node.move.point : -1;
}

}  // namespace tessera
