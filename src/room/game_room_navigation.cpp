// GameRoom: the cursor, trial play, undo, the side to move and auto replay.
#include <algorithm>
#include <cstdlib>
#include <utility>

#include "platform/ui_text.h"
#include "room/game_room.h"

namespace tessera {

// ---- goToNode ------------------------------------------------------------------------------

bool GameRoom::onTrialLine(int32_t id) const {
    if (trialFirstId_ < 0)
        return false;
    const GameNode* node = record_.tree.find(trialFirstId_);
    while (node) {
        if (node->id == id)
            return true;
        node = node->childIds.empty() ? nullptr : record_.tree.find(node->childIds.front());
    }
    return false;
}

bool GameRoom::goToNode(int32_t id) {
    // Read only: moving the cursor leaves the tree's revision (isModified) as it is.
    const GameNode* node = std::as_const(record_.tree).find(id);
    if (!node)
        return false;
    if (trialActive_ && trialFirstId_ >= 0 && (id == trialBaseId_ || !onTrialLine(id)))
        return false;
    if (host_)
        host_->selectTreeItem(id);
    previousNodeId_ = currentNodeId_;
    currentNodeId_ = id;
    showNode(*node);
    stoneSound(*node);
    updateTitle();
    return true;
}

// ---- navigation ----------------------------------------------------------------------------

bool GameRoom::canGoFirst() const { return !record_.tree.empty(); }

bool GameRoom::canGoBack() const {
    if (roomKind_ == kRoomEngineGame)
        return false;
    const GameNode* node = currentNode();
    if (!node || !record_.tree.find(node->parentId))
        return false;
    return !trialActive_ || currentNodeId_ == trialBaseId_ || onTrialLine(currentNodeId_);
}

bool GameRoom::canGoForward() const {
    if (roomKind_ == kRoomEngineGame)
        return false;
    const GameNode* node = currentNode();
    return node && !node->childIds.empty() && record_.tree.find(node->childIds.front());
}

bool GameRoom::canGoComment() const {
    if (trialActive_ || currentNode() == nullptr)
        return false;
    // Any room whose record carries comments: a commented game opened from a file is where
    // players step from comment to comment most. The scan stops at the first comment.
    for (const auto& node : record_.tree.nodes())
        if (!node->comments.empty())
            return true;
    return false;
}

bool GameRoom::canGoToMoveNumber() const { return roomKind_ != kRoomEngineGame && currentNode() != nullptr; }

void GameRoom::goFirst() {
    if (!trialActive_) {
        if (const GameNode* root = record_.tree.root())
            goToNode(root->id);
        return;
    }
    // With no trial line yet, the first node of the trial is its base.
    goToNode(trialFirstId_ >= 0 ? trialFirstId_ : trialBaseId_);
}

void GameRoom::goPrev() {
    if (!canGoBack())
        return;
    int32_t target = currentNode()->parentId;
    if (trialActive_ && trialFirstId_ >= 0 && !onTrialLine(target))
        target = trialFirstId_;
    goToNode(target);
}

void GameRoom::goBack5() {
    if (!canGoBack())
        return;
    auto ancestors = record_.tree.ancestors(*currentNode());
    if (ancestors.empty())
        return;
    const size_t steps = std::min<size_t>(5, ancestors.size());
    int32_t target = ancestors[steps - 1]->id;
    if (trialActive_ && trialFirstId_ >= 0 && !onTrialLine(target))
        target = trialFirstId_;
    goToNode(target);
}

void GameRoom::goNext() {
    if (canGoForward())
        goToNode(currentNode()->childIds.front());
}

void GameRoom::goForward5() {
    if (!canGoForward())
        return;
    auto line = record_.tree.lineBelow(*currentNode());
    if (!line.empty())
        goToNode(line[std::min<size_t>(5, line.size()) - 1]->id);
}

void GameRoom::goLast() {
    if (!canGoForward())
        return;
    const auto line = record_.tree.lineBelow(*currentNode());
    if (!line.empty())
        goToNode(line.back()->id);
}

void GameRoom::goToMoveNumber(int n) {
    if (!canGoToMoveNumber())
        return;
    if (n <= 0) {
        goFirst();
        return;
    }
    const GameNode* node = nullptr;
    if (trialActive_)
        node = record_.tree.find(trialFirstId_);
    else
        node = record_.tree.find(0) ? record_.tree.find(0) : record_.tree.root();
    if (!node)
        return;
    int count = 0;
    const GameNode* last = node;
    while (node) {
        last = node;
        if (node->move.isStoneMove() && ++count == n) {
            goToNode(node->id);
            return;
        }
        node = node->childIds.empty() ? nullptr : record_.tree.find(node->childIds.front());
    }
    // The line ends before move n: its last node (the end of the game).
    goToNode(last->id);
}

void GameRoom::askMoveNumber() {
    if (!canGoToMoveNumber() || !host_)
        return;
    std::string text;
    const ReplayHold hold(*this);
    if (!host_->askText(uiText("GameRoom", "跳到第N手"), text))
        return;
    char* end = nullptr;
    const long n = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str())
        return;
    goToMoveNumber(static_cast<int>(std::clamp<long>(n, -1, 1000000)));
}

void GameRoom::goNextComment() {
    if (!canGoComment())
        return;
    for (GameNode* node : record_.tree.lineBelow(*currentNode()))
        if (!node->comments.empty()) {
            goToNode(node->id);
            return;
        }
}

void GameRoom::goPrevComment() {
    if (!canGoComment())
        return;
    for (GameNode* node : record_.tree.ancestors(*currentNode()))
        if (!node->comments.empty()) {
            goToNode(node->id);
            return;
        }
}

// ---- trial play ----------------------------------------------------------------------------

bool GameRoom::canToggleTrial() const {
    if (trialActive_)
        return true;
    return (roomKind_ == kRoomLibrary || roomKind_ == kRoomStudy || roomKind_ == kRoomTraining) &&
           currentNode() != nullptr;
}

void GameRoom::startTrial(bool waitForSound) {
    if (host_ && settings_.preferences.promptSound)
        host_->playSound(kSoundTrialStart, waitForSound);
    trialActive_ = true;
    trialBaseId_ = currentNodeId_;
    trialFirstId_ = -1;
    refreshCurrent();
}

void GameRoom::toggleTrial() {
    if (trialActive_)
        endTrial();
    else if (canToggleTrial())
        startTrial(false);
}

void GameRoom::restartTrial() {
    if (!canRestartTrial())
        return;
    record_.tree.removeSubtree(trialFirstId_);
    trialFirstId_ = -1;
    rebuildTree();
    goToNode(trialBaseId_);
}

void GameRoom::endTrial() {
    if (!trialActive_)
        return;
    if (host_ && settings_.preferences.promptSound)
        host_->playSound(kSoundTrialEnd, false);
    const int32_t first = trialFirstId_;
    trialFirstId_ = -1;
    trialActive_ = false;
    if (first >= 0) {
        record_.tree.removeSubtree(first);
        rebuildTree();
        goToNode(trialBaseId_);
    } else {
        refreshCurrent();
    }
    trialBaseId_ = -1;
}

bool GameRoom::mayAddChild() const {
    const GameNode* node = currentNode();
    return !(trialActive_ && trialFirstId_ >= 0 && node && !node->childIds.empty());
}

bool GameRoom::mayEditSetupNode(const GameNode& node) const {
    // In trial play only nodes of the trial line may change: the rest of the record stays as it was.
    return !trialActive_ || onTrialLine(node.id);
}

void GameRoom::adoptTrialNode(int32_t id) {
    if (trialActive_ && trialFirstId_ < 0)
        trialFirstId_ = id;
}

// ---- undo ----------------------------------------------------------------------------------

bool GameRoom::canUndoLastMove() const {
    return roomKind_ != kRoomEngineGame && currentNode() != nullptr && (!trialActive_ || trialFirstId_ >= 0);
}

bool GameRoom::canUndoToCurrent() const {
    return roomKind_ != kRoomEngineGame && currentNode() != nullptr && (!trialActive_ || onTrialLine(currentNodeId_));
}

void GameRoom::undoLastMove() {
    if (!canUndoLastMove())
        return;
    const GameNode* current = currentNode();
    if (current->parentId < 0)
        return;
    auto line = record_.tree.lineBelow(*current);
    const GameNode* last = line.empty() ? current : line.back();
    const int32_t lastId = last->id;
    const int32_t target = lastId != currentNodeId_ ? currentNodeId_ : last->parentId;
    record_.tree.removeNodeKeepChildren(lastId);
    if (trialActive_ && (target == trialBaseId_ || lastId == trialFirstId_))
        trialFirstId_ = -1;
    rebuildTree();
    if (target == currentNodeId_)
        refreshCurrent();  // the cursor stays where it was
    else
        goToNode(target);
}

void GameRoom::undoToCurrent() {
    if (!canUndoToCurrent())
        return;
    const std::vector<int32_t> children = currentNode()->childIds;
    for (int32_t child : children)
        record_.tree.removeSubtree(child);
    rebuildTree();
    refreshCurrent();
}

// ---- side to move --------------------------------------------------------------------------

void GameRoom::setSideToMove(int colour) {
    if ((colour != kBlack && colour != kWhite) || !canSetSideToMove() || sideToMove() == colour)
        return;
    GameNode* node = record_.tree.find(currentNodeId_);
    if (node->fullSetup) {
        if (!mayEditSetupNode(*node))
            return;
        node->sideToMove = static_cast<uint8_t>(colour);
        refreshCurrent();
        return;
    }
    if (!mayAddChild())
        return;
    GameNode pass;
    pass.move = Move{static_cast<uint32_t>(3 - colour), -1};
    pass.sideToMove = static_cast<uint8_t>(colour);
    pass.position.copyFrom(node->position);
    pass.blackCaptured = node->blackCaptured;
    pass.whiteCaptured = node->whiteCaptured;
    pass.parentId = node->id;
    GameNode* added = record_.tree.addNode(std::move(pass));
    if (!added)
        return;
    adoptTrialNode(added->id);
    rebuildTree();
    goToNode(added->id);
}

// ---- auto replay ---------------------------------------------------------------------------

void GameRoom::startAutoReplay() {
    if (autoReplay_) {
        stopAutoReplay();
        return;
    }
    if (!canStartAutoReplay())
        return;
    autoReplay_ = true;
    if (host_)
        host_->startTimer(kAutoReplayTimer, stoneDelay());
}

void GameRoom::stopAutoReplay() {
    if (host_)
        host_->stopTimer(kAutoReplayTimer);
    autoReplay_ = false;
}

void GameRoom::autoReplayTick() {
    if (!autoReplay_ || replayHolds_ > 0)
        return;
    const GameNode* node = currentNode();
    if (node && !node->childIds.empty())
        goToNode(node->childIds.front());
    else if ((roomKind_ == kRoomLibrary || roomKind_ == kRoomTraining) && canOpenNextRecord())
        openNextRecord();
}

void GameRoom::onTimer(int timerId) {
    if (timerId == kAutoReplayTimer) {
        autoReplayTick();
    } else if (timerId == kEventDrainTimer) {
        drainEvents();
    } else if (timerId == kProblemReplyTimer) {
        if (host_)
            host_->stopTimer(kProblemReplyTimer);
        const int32_t answered = pendingReplyFrom_;
        pendingReplyFrom_ = -1;
        const GameNode* node = currentNode();
        if (answered >= 0 && node && node->id == answered && !node->childIds.empty()) {
            const int32_t reply = node->childIds.front();
            replayingAnswer_ = true;
            goToNode(reply);
            replayingAnswer_ = false;
            announce(trainer_.reached(record_.tree, reply));
        }
    } else if (timerId == kAnswerWalkTimer) {
        answerWalkTick();
    }
}

}  // namespace tessera
