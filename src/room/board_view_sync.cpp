#include "room/board_view_sync.h"

namespace tessera {

void syncBoardView(const RoomDisplay& display, BoardViewState& view, bool moveCursor) {
    if (display.position.isUsable())
        view.setPosition(display.position);
    view.setMask(display.mask);
    BoardTransform flags;
    flags.flipX = display.flipX;
    flags.flipY = display.flipY;
    flags.transpose = display.transpose;
    view.setTransformCode(flags.code());
    view.setMarks(display.marks);
    std::vector<Label> labels = display.labels;
    labels.insert(labels.end(), display.moveNumbers.begin(), display.moveNumbers.end());
    view.setLabels(std::move(labels));
    view.setDrawRecords(display.drawRecords);
    if (moveCursor)
        view.setCursor(display.lastMovePoint);
}

}  // namespace tessera
