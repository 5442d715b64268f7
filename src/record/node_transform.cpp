#include "record/node_transform.h"

namespace tessera {

GameNode mapNode(const BoardTransform& transform, const GameNode& node) {
    GameNode result = node;
    if (node.position.isUsable())
        result.position = transform.mapGrid(node.position);
    transform.mapPoints(result.addBlack);
    transform.mapPoints(result.addWhite);
    transform.mapPoints(result.clearPoints);
    transform.mapPoints(result.captured);
    transform.mapPoints(result.maskPoints);
    if (result.move.point >= 0)
        result.move.point = transform.mapPoint(result.move.point);
    for (auto& mark : result.marks)
        mark.point = transform.mapPoint(mark.point);
    for (auto& label : result.labels)
        label.point = transform.mapPoint(label.point);
    return result;
}

}  // namespace tessera
