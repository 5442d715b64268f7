#include "record/derive_position.h"

#include "go/play_move.h"

namespace tessera {

void derivePosition(const BoardGeometry& geometry, const GameNode* parent, GameNode& node) {
    BoardGrid position(geometry.width(), geometry.height());
    uint32_t blackCaptured = 0;
    uint32_t whiteCaptured = 0;
    if (parent && parent->position.isUsable() && parent->position.sameSize(geometry)) {
        position.copyFrom(parent->position);
        blackCaptured = parent->blackCaptured;
        whiteCaptured = parent->whiteCaptured;
    } else if (parent) {
        blackCaptured = parent->blackCaptured;
        whiteCaptured = parent->whiteCaptured;
    }
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
    node.position = std::move(position);
    node.blackCaptured = blackCaptured;
    node.whiteCaptured = whiteCaptured;
}

}  // namespace tessera
