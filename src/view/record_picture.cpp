#include "view/record_picture.h"

#include "view/record_node_view.h"

namespace tessera {

bool renderRecordPicture(const GameRecord& record, const RecordPictureOptions& options, BoardPainter& painter,
                         QImage& picture, std::string& error) {
    const GameNode* node = mainLineNodeAtMove(record, options.move);
    if (!node) {
        error = record.tree.empty()
                    ? "the record has no nodes"
                    : "the main line has only " + std::to_string(record.tree.countMainLineMoves()) + " moves";
        return false;
    }
    BoardViewport viewport;
    BoardViewSettings settings;
    settings.style = options.style;
    settings.showScale = options.coords;
    viewport.applySettings(settings);
    viewport.setClientSize(options.size, options.size);
    BoardDisplay display;
    display.setTransformCode(options.transform);
    showNode(*node, record.geometry(), display);
    painter.paint(display, viewport, picture);
    return true;
}

}  // namespace tessera
