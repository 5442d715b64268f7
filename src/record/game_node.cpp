#include "record/game_node.h"

#include <algorithm>

#include "platform/text_codec.h"
#include "platform/ui_text.h"

namespace tessera {

std::string moveTagText(uint32_t tag) {
    static const char* const texts[kMoveTagCount] = {"未知标签类型", "鬼手",   "妙手",   "好手", "胜负手", "疑问手",
                                                     "俗手",         "骗着",   "无理手", "坏手", "中计",   "昏着",
                                                     "超级勺子",     "求投手", "正解",   "错解", "手筋"};
    return uiText("GameNode", texts[tag < kMoveTagCount ? tag : 0]);
}

std::string evaluationText(int index) {
    static const char* const texts[11] = {"白赢",   "白巨优", "白优势明显", "白优势",     "白稍优", "形势两分",
                                          "黑稍优", "黑优势", "黑优势明显", "黑巨大优势", "黑赢"};
    return uiText("GameNode", texts[std::clamp(index, 0, 10)]);
}

int evaluationIndex(double evaluation) {
    // A small epsilon keeps 0.7 (stored as 0.6999...) on entry 7.
    // Clamped while still a double: a file may hold 1e300 or infinity, which no int can take.
    const double scaled = evaluation * 10.0 + 1e-9;
    if (!(scaled > 0))
        return 0;
    return static_cast<int>(std::min(scaled, 10.0));
}

void GameNode::reset() {
    BoardGrid keep;
    keep.copyFrom(position);
    *this = GameNode();
    position = std::move(keep);
    position.clearStones();
}

void GameNode::setComment(const std::string& body) {
    if (comments.empty()) {
        if (!body.empty())
            comments.push_back({std::string(), body});
        return;
    }
    comments.front().body = body;
    if (body.empty() && comments.size() == 1 && comments.front().title.empty())
        comments.clear();
}

bool GameNode::isPlainMove() const {
    return move.isStoneMove() && !fullSetup && addBlack.empty() && addWhite.empty() && clearPoints.empty();
}

bool GameNode::addLabel(const Label& label) {
    if (label.text.empty() || gbByteLength(label.text) > Label::kMaxLabelBytes)
        return false;
    labels.push_back(label);
    return true;
}

const Mark* GameNode::findMark(int32_t point, int kind) const {
    auto it =
        std::find_if(marks.begin(), marks.end(), [&](const Mark& m) { return m.point == point && m.kind == kind; });
    return it == marks.end() ? nullptr : &*it;
}

size_t gbByteLength(const std::string& utf8) { return utf8ToGb18030(utf8).size(); }

}  // namespace tessera
