// GameRoom: clicks on the board, stones, setup, markup, masks and display commands.
#include <algorithm>

#include "go/play_move.h"
#include "go/regions.h"
#include "platform/format_text.h"
#include "platform/ui_text.h"
#include "room/game_room.h"
#include "stats/pattern_highlight.h"

namespace tessera {

namespace {

constexpr uint32_t kLabelRed = 0x0000FF;

// The colour of a free label by its last character.
// Removes every mark and label at p; true when anything was removed.
bool clearPoint(BoardDisplay& display, int32_t p) {
    const size_t before = display.marks.size() + display.labels.size();
    std::erase_if(display.marks, [p](const Mark& m) { return m.point == p; });
    std::erase_if(display.labels, [p](const Label& l) { return l.point == p; });
    return display.marks.size() + display.labels.size() != before;
}

uint32_t freeLabelColour(const std::string& text) {
    const char last = text.empty() ? '\0' : text.back();
    if (last == '!' || last == '+' || last == '#' || last == '@')
        return kLabelRed;
    if (last == '*' || last == '?' || last == '-')
        return kLabelBlue;
    return 0;
}

// The longest leading part of text, whole characters only, that fits a label.
std::string labelPrefix(const std::string& text) {
    std::string fitting;
    size_t at = 0;
    while (at < text.size()) {
        size_t next = at + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80)
            ++next;
        const std::string longer = text.substr(0, next);
        if (gbByteLength(longer) > Label::kMaxLabelBytes)
            break;
        fitting = longer;
        at = next;
    }
    return fitting;
}

}  // namespace

// ---- clicks --------------------------------------------------------------------------------

void GameRoom::clickPoint(int32_t p) {
    if (!display_.position.isValidPoint(p))
        return;
    switch (clickMode_) {
        case kClickPlay:
            if (roomKind_ == kRoomEngineGame) {
                if (engineGame_)
                    engineGame_->boardClicked(p);
            } else if (isProblemRecord() && !trialActive_) {
                answerProblem(p);
            } else {
                playStone(p);
            }
            break;
        case kClickAddBlack:
        case kClickAddWhite: {
            const GameNode* node = currentNode();
            if (node && node->fullSetup ? !mayEditSetupNode(*node) : !mayAddChild())
                return;
            const size_t before = record_.tree.size();
            GameNode* edited = addSetupStone(record_.tree, record_.geometry(), currentNodeId_, p,
                                             clickMode_ == kClickAddBlack ? kBlack : kWhite);
            if (!edited)
                return;
            if (record_.tree.size() != before) {
                adoptTrialNode(edited->id);
                rebuildTree();
            } else {
                // The node's text may change between "添加黑子", "添加白子" and "添加棋子".
                rebuildTree();
            }
            if (edited->id == currentNodeId_)
                refreshCurrent();
            else
                goToNode(edited->id);
            break;
        }
        case kClickMask:
            if (!currentNode())
                return;
            display_.mask.set(p, display_.mask.get(p) == 0 ? 1 : 0);
            storeMask();
            redraw();
            break;
        default:
            clickMarkup(p);
            break;
    }
}

bool GameRoom::playStone(int32_t p) {
    const GameNode* current = currentNode();
    const int colour = sideToMove();
    if (current && !current->childIds.empty()) {
        if (trialActive_ && trialFirstId_ >= 0)
            return false;
        // Test the move before trial play starts, so that a click on an occupied point stays
        // silent instead of starting trial play for nothing.
        BoardGrid trialPosition;
        trialPosition.copyFrom(current->position);
        PointList captured;
        if (!playMove(trialPosition, Move{static_cast<uint32_t>(colour), p}, captured))
            return false;
        if (!trialActive_ && canToggleTrial() && roomKind_ != kRoomEngineGame)
            startTrial(true);
    }
    GameNode* added = playMoveAtNode(record_.tree, record_.geometry(), current ? currentNodeId_ : -1,
                                     Move{static_cast<uint32_t>(colour), p});
    if (!added)
        return false;
    adoptTrialNode(added->id);
    const int32_t id = added->id;
    rebuildTree();
    goToNode(id);
    return true;
}

void GameRoom::answerProblem(int32_t p) {
    const GameNode* current = currentNode();
    if (!current)
        return;
    const int colour = sideToMove();
    for (int32_t childId : current->childIds) {
        const GameNode* child = record_.tree.find(childId);
        if (!child || !child->isPlainMove() || child->move.colour != static_cast<uint32_t>(colour) ||
            child->move.point != p)
            continue;
        const bool reply = !settings_.oneUserStudy && !child->childIds.empty();
        stopTrainingTimers();
        goToNode(childId);
        announce(trainer_.reached(record_.tree, childId));
        if (reply) {
            pendingReplyFrom_ = childId;
            if (host_)
                host_->startTimer(kProblemReplyTimer, stoneDelay());
        }
        return;
    }
    // A legal move that no branch holds is a wrong answer; an occupied point stays silent.
    BoardGrid position;
    position.copyFrom(current->position);
    PointList captured;
    const bool awaitsAnswer = pendingReplyFrom_ < 0 && !current->childIds.empty() &&
                              trainer_.answers().verdictAt(currentNodeId_) == AnswerVerdict::Open;
    if (awaitsAnswer && playMove(position, Move{static_cast<uint32_t>(colour), p}, captured))
        announce(trainer_.strayed());
}

void GameRoom::setClickMode(ClickMode mode) {
    if (mode > kClickFreeLabel)
        return;
    clickMode_ = mode;
    if (mode != kClickMask && mode != kClickDeadStones && display_.rectSelect) {
        display_.rectSelect = false;
        redraw();
    }
}

void GameRoom::toggleRectSelect() {
    if (!canToggleRectSelect())
        return;
    display_.rectSelect = !display_.rectSelect;
    redraw();
}

void GameRoom::moveCursor(int columns, int rows) {
    if (stepDisplayCursor(display_, columns, rows))
        redraw();
}

void GameRoom::setHints(std::vector<HintMark> hints) {
    display_.hints = std::move(hints);
    patternHintsShown_ = false;
    searchHintsPlaced_ = 0;
    placeSearchHints();
    redraw();
}

void GameRoom::setSearchHints(const BoardGrid& position, std::vector<HintMark> hints) {
    searchPosition_.copyFrom(position);
    searchHints_ = std::move(hints);
    placeSearchHints();
    redraw();
}

void GameRoom::placeSearchHints() {
    std::vector<HintMark>& hints = display_.hints;
    hints.resize(hints.size() - std::min(searchHintsPlaced_, hints.size()));
    searchHintsPlaced_ = 0;
    if (searchHints_.empty() || !(display_.position == searchPosition_))
        return;
    std::erase_if(hints, [this](const HintMark& hint) {
        return std::any_of(searchHints_.begin(), searchHints_.end(),
                           [&](const HintMark& letter) { return letter.point == hint.point; });
    });
    hints.insert(hints.end(), searchHints_.begin(), searchHints_.end());
    searchHintsPlaced_ = searchHints_.size();
}

void GameRoom::showPatternHints(const HintResult& result) {
    hintDetails_ = result.details;
    display_.hints.clear();
    for (const BoardHint& hint : result.hints)
        display_.hints.push_back(HintMark{hint.point, hint.colour, hint.text, hint.fewGames});
    for (const Label& label : result.labels)
        display_.hints.push_back(HintMark{label.point, label.colour, label.text, false});
    display_.noteMarks = result.marks;
    patternHintsShown_ = !display_.hints.empty() || !display_.noteMarks.empty() || !hintDetails_.empty();
    searchHintsPlaced_ = 0;
    placeSearchHints();
    redraw();
}

void GameRoom::setHighlight(const BoardGrid& pattern) {
    display_.highlight = fitHighlight(pattern, display_.position);
    redraw();
}

int GameRoom::boardCursorIndex(bool overPoint) const {
    if (display_.rectSelect)
        return 4;
    switch (clickMode_) {
        case kClickPlay:
            return overPoint ? (sideToMove() == kWhite ? 1 : 0) : -1;
        case kClickAddBlack:
            return 0;
        case kClickAddWhite:
            return 1;
        case kClickMask:
            return 3;
        case kClickDeadStones:
            return 2;
        case kClickCross:
            return 8;
        case kClickSquare:
            return 7;
        default:
            return static_cast<int>(clickMode_);
    }
}

// ---- markup --------------------------------------------------------------------------------

void GameRoom::clickMarkup(int32_t p) {
    if (!currentNode())
        return;
    // Markup is edited where it is seen: with the markup panel off the node's marks are not
    // shown, and storing the view's marks would silently drop them. Show them first.
    if (!(infoPanels_ & kPanelComments)) {
        infoPanels_ |= kPanelComments;
        refreshCurrent();
    }
    switch (clickMode_) {
        case kClickDeadStones: {
            const int stone = display_.position.get(p);
            if (stone != kBlack && stone != kWhite)
                return;
            PointList group;
            floodRegion(display_.position, p, group);
            if (display_.hasMark(p, kMarkDead)) {
                std::erase_if(display_.marks, [&](const Mark& m) {
                    return m.kind == kMarkDead && std::find(group.begin(), group.end(), m.point) != group.end();
                });
            } else {
                for (int32_t q : group)
                    if (!display_.hasMark(q, kMarkDead))
                        display_.marks.push_back(Mark{kMarkDead, q});
            }
            break;
        }
        case kClickCircle:
        case kClickCross:
        case kClickSquare:
        case kClickTriangle:
            if (!clearPoint(display_, p))
                display_.marks.push_back(Mark{static_cast<int16_t>(clickMode_ - kClickCircle), p});
            break;
        case kClickRemoveMark:
            if (!clearPoint(display_, p))
                return;
            break;
        case kClickNextLetter: {
            if (clearPoint(display_, p))
                break;
            const std::string sequence(kNextLetterSequence);
            int furthest = -1;
            for (const Label& label : display_.labels)
                if (label.text.size() == 1) {
                    const size_t at = sequence.find(label.text[0]);
                    if (at != std::string::npos)
                        furthest = std::max(furthest, static_cast<int>(at));
                }
            if (furthest + 1 >= static_cast<int>(sequence.size()))
                return;
            display_.labels.push_back(
                Label{p, kLabelBlue, std::string(1, sequence[static_cast<size_t>(furthest + 1)])});
            break;
        }
        case kClickFreeLabel: {
            // The label belongs to the node clicked on, whatever happens while the prompt is open.
            const int32_t labelledId = currentNodeId_;
            std::string text;
            {
                const ReplayHold hold(*this);
                if (!host_ || !host_->askText(uiText("GameRoom", "添加自由文字 (最多两个汉字或四个字母)"), text))
                    return;
                if (gbByteLength(text) > Label::kMaxLabelBytes) {
                    // Cut where the label's room ends, and say so: a label that silently vanished
                    // or changed would look like a fault of the board.
                    const std::string cut = labelPrefix(text);
                    host_->showMessage(formatText(
                        uiText("GameRoom", "文字“%s”太长: 自由文字最多两个汉字或四个字母, 只放上了“%s”.").c_str(),
                        text.c_str(), cut.c_str()));
                    text = cut;
                }
            }
            if (text.empty() || currentNodeId_ != labelledId)
                return;
            clearPoint(display_, p);
            display_.labels.push_back(Label{p, freeLabelColour(text), text});
            break;
        }
        default:
            return;
    }
    redraw();
    storeMarkup();
}

void GameRoom::storeMarkup() {
    GameNode* node = record_.tree.find(currentNodeId_);
    if (!node)
        return;
    display_.regions.clear();
    node->marks.clear();
    for (const Mark& mark : display_.marks)
        if (mark.kind <= kMarkDead)  // ownership marks of a count never reach the record
            node->marks.push_back(mark);
    node->labels = display_.labels;
    node->drawRecords.clear();
}

void GameRoom::clearAllMarks() {
    if (!currentNode())
        return;
    display_.marks.clear();
    display_.labels.clear();
    display_.regions.clear();
    redraw();
    storeMarkup();
}

// ---- masks ---------------------------------------------------------------------------------

void GameRoom::storeMask() {
    GameNode* node = record_.tree.find(currentNodeId_);
    if (!node)
        return;
    if (display_.mask.allMarked()) {
        node->hasMask = 0;
        node->maskPoints.clear();
    } else {
        node->hasMask = 1;
        display_.mask.pointsWithValue(1, node->maskPoints);
    }
}

void GameRoom::toggleMaskPoints(const PointList& points) {
    if (!currentNode())
        return;
    for (int32_t p : points)
        if (display_.mask.isValidPoint(p))
            display_.mask.set(p, display_.mask.get(p) == 0 ? 1 : 0);
    storeMask();
    redraw();
}

void GameRoom::maskAll() {
    if (!currentNode())
        return;
    display_.mask.fill(0);
    storeMask();
    redraw();
}

void GameRoom::unmaskAll() {
    if (!currentNode())
        return;
    display_.mask.fill(1);
    storeMask();
    redraw();
}

void GameRoom::invertMask() {
    if (!currentNode())
        return;
    display_.mask.invertMarks();
    storeMask();
    redraw();
}

// ---- move numbers, transforms, panels ------------------------------------------------------

void GameRoom::setMoveNumberMode(uint32_t mode) {
    if (mode > 4)
        return;
    moveNumberMode_ = mode;
    putMoveNumbers();
    redraw();
}

void GameRoom::cycleMoveNumberMode() { setMoveNumberMode(moveNumberMode_ >= 4 ? 0 : moveNumberMode_ + 1); }

void GameRoom::toggleFlipX() {
    display_.flipX = !display_.flipX;
    redraw();
}

void GameRoom::toggleFlipY() {
    display_.flipY = !display_.flipY;
    redraw();
}

void GameRoom::toggleTranspose() {
    display_.transpose = !display_.transpose;
    redraw();
}

void GameRoom::rotateClockwise() {
    rotateDisplayClockwise(display_);
    redraw();
}

void GameRoom::rotateCounterClockwise() {
    rotateDisplayCounterClockwise(display_);
    redraw();
}

void GameRoom::resetTransform() {
    if (!canResetTransform())
        return;
    display_.setTransformCode(-1);
    redraw();
}

void GameRoom::toggleInfoPanel(int bit) {
    if (bit < 0 || bit > 3)
        return;
    infoPanels_ ^= 1u << bit;
    refreshCurrent();
}

// ---- custom status, image import -----------------------------------------------------------

bool GameRoom::canSetCustomStatus() const {
    return (roomKind_ == kRoomLibrary || roomKind_ == kRoomTraining) && record_.info.libraryId >= 0 && libraryList_ &&
           libraryIndex_ >= 0 && libraryIndex_ < libraryList_->size();
}

int GameRoom::customStatus() const { return canSetCustomStatus() ? libraryList_->customStatus(libraryIndex_) : -1; }

void GameRoom::setCustomStatus(int status) {
    if (canSetCustomStatus() && status >= 0 && status <= 2)
        libraryList_->setCustomStatus(libraryIndex_, record_.info.libraryId, status);
}

void GameRoom::importBoardImage() {
    if (!canImportBoardImage() || !host_ || !mayAddChild())
        return;
    BoardGrid position;
    bool whiteToPlay = false;
    if (!host_->importBoardImage(position, whiteToPlay) || !position.isUsable())
        return;
    const GameNode* current = currentNode();
    if (current && !position.sameSize(record_.geometry())) {
        // A position of another size cannot continue this record.
        host_->showMessage(formatText(uiText("GameRoom", "图象中是 %d 路棋盘, 与本棋谱的 %d 路不同, 无法导入.").c_str(),
                                      position.width(), record_.geometry().width()));
        return;
    }
    GameNode setup;
    setup.fullSetup = 1;
    setup.sideToMove = whiteToPlay ? kWhite : kBlack;
    position.pointsWithValue(kBlack, setup.addBlack);
    position.pointsWithValue(kWhite, setup.addWhite);
    setup.position.copyFrom(position);
    if (current) {
        setup.parentId = current->id;
        setup.blackCaptured = current->blackCaptured;
        setup.whiteCaptured = current->whiteCaptured;
    } else {
        record_.info.boardWidth = static_cast<int16_t>(position.width());
        record_.info.boardHeight = static_cast<int16_t>(position.height());
    }
    GameNode* added = record_.tree.addNode(std::move(setup));
    if (!added)
        return;
    adoptTrialNode(added->id);
    const int32_t id = added->id;
    rebuildTree();
    goToNode(id);
}

}  // namespace tessera
