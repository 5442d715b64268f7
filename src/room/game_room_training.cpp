// GameRoom: training on problem books (answers judged, hints, branches, step back, the answer).
#include "platform/format_text.h"
#include "platform/ui_text.h"
#include "room/game_room.h"

namespace tessera {

namespace {

std::string tr(const char* source) { return uiText("GameRoom", source); }

}  // namespace

bool GameRoom::startTraining(std::shared_ptr<RoomLibraryList> list, bool singlePlay, std::string& error) {
    if (roomKind_ == kRoomEngineGame)
        stopEngineGame();
    roomKind_ = kRoomTraining;
    infoPanels_ = (infoPanels_ | kPanelComments) & ~(kPanelKnowledge | kPanelGlobalStats | kPanelLocalStats);
    trainer_.restartSession();
    libraryList_ = std::move(list);
    libraryIndex_ = -1;
    if (!libraryList_ || libraryList_->size() == 0) {
        refreshCurrent();
        return true;
    }
    settings_.oneUserStudy = singlePlay;
    return openFromLibrary(libraryList_, 0, kRoomTraining, error);
}

void GameRoom::stopTrainingTimers() {
    if (host_ && pendingReplyFrom_ >= 0)
        host_->stopTimer(kProblemReplyTimer);
    pendingReplyFrom_ = -1;
    if (host_ && answerWalk_)
        host_->stopTimer(kAnswerWalkTimer);
    answerWalk_ = false;
}

void GameRoom::announce(AnswerVerdict verdict) {
    if (verdict == AnswerVerdict::Open)
        return;
    const bool right = verdict == AnswerVerdict::Right;
    updateTitle();  // the score
    if (!host_)
        return;
    if (settings_.preferences.promptSound && host_->isActiveRoom())
        host_->playSound(right ? kSoundAnswerRight : kSoundAnswerWrong, false);
    host_->announceAnswer(right, right ? tr("答对了!") : tr("答错了, 再试一次"));
}

void GameRoom::stepBack() {
    if (!isProblemRecord())
        return;
    const int32_t target =
        stepBackTarget(record_.tree, currentNodeId_, settings_.oneUserStudy, trainer_.answers().answeringColour());
    if (target < 0)
        return;
    stopTrainingTimers();
    goToNode(target);
}

void GameRoom::restartProblem() {
    if (!isProblemRecord())
        return;
    stopTrainingTimers();
    if (const GameNode* root = record_.tree.root())
        goToNode(root->id);
}

void GameRoom::showAnswer() {
    if (!isProblemRecord())
        return;
    const GameNode* root = record_.tree.root();
    if (!root)
        return;
    stopTrainingTimers();
    trainer_.answerShown();
    goToNode(root->id);
    updateTitle();
    answerWalk_ = true;
    if (host_)
        host_->startTimer(kAnswerWalkTimer, stoneDelay());
}

void GameRoom::answerWalkTick() {
    if (!answerWalk_)
        return;
    const int32_t next = answerChild(record_.tree, trainer_.answers(), currentNodeId_);
    if (next < 0) {
        stopTrainingTimers();
        return;
    }
    // Stone sounds wait for their end while the answer is walked.
    replayingAnswer_ = true;
    goToNode(next);
    replayingAnswer_ = false;
}

void GameRoom::toggleHint() {
    settings_.preferences.showCue = !settings_.preferences.showCue;
    refreshCurrent();
}

void GameRoom::toggleBranches() {
    settings_.preferences.showBranch = !settings_.preferences.showBranch;
    refreshCurrent();
}

void GameRoom::toggleOneUserStudy() {
    if (!isProblemRecord())
        return;
    settings_.oneUserStudy = !settings_.oneUserStudy;
    refreshCurrent();
}

void GameRoom::toggleRandomOrientation() {
    if (!isProblemRecord())
        return;
    settings_.preferences.randomOrientation = !settings_.preferences.randomOrientation;
    // The switch shows at once on the problem in the room, not only on the next one.
    if (settings_.preferences.randomOrientation)
        applyRandomOrientation();
    else
        display_.flipX = display_.flipY = display_.transpose = false;
    refreshCurrent();
}

void GameRoom::putTrainingMarks() {
    if (settings_.preferences.showCue)
        if (const int32_t p = hintPoint(record_.tree, currentNodeId_); p >= 0)
            display_.marks.push_back(Mark{kMarkCircle, p});
    if (settings_.preferences.showBranch)
        for (Label& label : branchLabels(record_.tree, currentNodeId_))
            display_.labels.push_back(std::move(label));
}

}  // namespace tessera
