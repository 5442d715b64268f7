#include "record/derive_position.h"

#include "go/play_move.h"

namespace tessera {

void derivePosition(const BoardGeometry& geometry, const GameNode* parent, GameNode& node) {
    // The node's own grid is reused, so recomputing a tree allocates nothing once it has run.
    BoardGrid& position = node.position;
    uint32_t blackCaptured = parent ? parent->blackCaptured : 0;
    uint32_t whiteCaptured = parent ? parent->whiteCaptured : 0;
    if (parent && parent->position.isUsable() && parent->position.sameSize(geometry))
        position.copyFrom(parent->position);
    else if (position.isUsable() && position.sameSize(geometry))
        position.clearAll();
    else
        position = BoardGrid(geometry.width(), geometry.height());
    if (node.fullSetup)
        position.clearStones();
    node.captured.clear();
    if (node.move.isStoneMove()) {
        node.sideToMove = static_cast<uint8_t>(opponentOf(node.move.colour));
        if (playMove(position, node.move, node.captured)) {
            const auto removed = static_cast<uint32_t>(node.captured.size());
            if (node.move.colour == kBlack)
                whiteCaptured += removed;
            else
                blackCaptured += removed;
        }
    }
    position.setAll(node.addBlack, kBlack);
    position.setAll(node.addWhite, kWhite);
    position.setAll(node.clearPoints, kEmpty);
    node.blackCaptured = blackCaptured;
    node.whiteCaptured = whiteCaptured;
}

}  // namespace tessera
