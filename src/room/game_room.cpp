// GameRoom: construction, records, titles, the variation tree and redisplay.
#include "room/game_room.h"

#include "record/sgg_file.h"

#include "platform/format_text.h"

#include <cstdio>
#include <utility>

#include "platform/ui_text.h"
#include "record/record_file.h"
#include "record/sgg_file.h"
#include "room/move_numbers.h"
#include "room/record_rules.h"
#include "view/record_node_view.h"

namespace tessera {

namespace {

std::string tr(const char* source) { return uiText("GameRoom", source); }

}  // namespace

GameRoom::GameRoom(RoomHost* host, RoomSettings settings)
    : host_(host),
      settings_(settings),
      defaultRandom_(std::random_device{}()),
      display_(settings_.boardSize, settings_.boardSize),
      rules_(settings_.rules) {}

int GameRoom::sideToMove() const {
    const GameNode* node = currentNode();
    if (!node || (node->sideToMove != kBlack && node->sideToMove != kWhite))
        return kBlack;
    return node->sideToMove;
}

std::string GameRoom::title() const {
    if (roomKind_ == kRoomEngineGame)
        return engineGame_ ? engineGame_->title() : std::string();
    const std::string fileName = filePath_.empty() ? tr("无名文件") : filePath_.filename().string();
    if (roomKind_ == kRoomTraining && isProblemRecord() && libraryList_) {
        // The problem, its place in the book and the session's score.
        const std::string& name = record_.info.gameName.empty() ? record_.info.event : record_.info.gameName;
        return formatText("%s(%s %d/%d) -- %s:%d -- %s %d  %s %d", name.empty() ? tr("题目").c_str() : name.c_str(),
                          tr("练习").c_str(), libraryIndex_ + 1, libraryList_->size(), tr("场景").c_str(),
                          currentNodeId_, tr("答对").c_str(), trainer_.solved(), tr("答错").c_str(), trainer_.failed());
    }
    if (isProblemRecord())
        return formatText("%s(%s) -- %s -- %s:%d", fileName.c_str(), tr("练习").c_str(), record_.info.gameName.c_str(),
                          tr("场景").c_str(), currentNodeId_);
    return formatText("%s -- %s -- %s:%d", fileName.c_str(), record_.info.title().c_str(), tr("场景").c_str(),
                      currentNodeId_);
}

std::string GameRoom::frameTitle(int roomNumber) const {
    return formatText("%s %d( %s )", tr("棋室").c_str(), roomNumber, title().c_str());
}

// ---- records -------------------------------------------------------------------------------

void GameRoom::resetRoomState() {
    if (autoReplay_)
        stopAutoReplay();
    stopTrainingTimers();
    currentNodeId_ = 0;
    previousNodeId_ = -1;
    trialActive_ = false;
    trialBaseId_ = -1;
    trialFirstId_ = -1;
    display_.cursor = -1;
    display_.highlight = BoardGrid();
}

void GameRoom::newGame() {
    if (roomKind_ == kRoomEngineGame)
        stopEngineGame();
    resetRoomState();
    filePath_.clear();
    record_.clear();
    libraryList_.reset();
    libraryIndex_ = -1;
    roomKind_ = kRoomStudy;
    infoPanels_ = (infoPanels_ & ~kPanelComments) | kPanelGlobalStats | kPanelLocalStats;
    const int size = settings_.boardSize >= 2 && settings_.boardSize <= 25 ? settings_.boardSize : 19;
    record_.info.boardWidth = static_cast<int16_t>(size);
    record_.info.boardHeight = static_cast<int16_t>(size);
    record_.tree.addNode(fullSetupNode(BoardGrid(size, size), kBlack));
    rules_ = settings_.rules;
    rebuildTree();
    goToNode(0);
    markSaved();
}

namespace {

// A hash of everything a save writes: the record's SGG bytes.
uint64_t recordFingerprint(const GameRecord& record) {
    std::string bytes, error;
    if (!writeSggBytes(record, bytes, error))
        return 0;
    uint64_t hash = 1469598103934665603ull;
    for (const unsigned char byte : bytes) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    return hash;
}

}  // namespace

// The whole record is compared with the saved one (by fingerprint) only when the tree has a new
// revision; typed comments do not make one, so a key press in the comment pane compares only
// the comments typed since that comparison.
bool GameRoom::isModified() const {
    if (record_.tree.revision() != checked_.revision || headerEdits_ != checked_.headerEdits)
        checkWholeRecord();
    bool typedSinceCheck = false;
    bool typedBackToSaved = true;
    for (const auto& [id, before] : checked_.typedComments) {
        const GameNode* node = record_.tree.find(id);
        const std::vector<Comment>& now = node ? node->comments : before;
        typedSinceCheck = typedSinceCheck || now != before;
        const auto saved = savedComments_.find(id);
        typedBackToSaved =
            typedBackToSaved && now == (saved == savedComments_.end() ? std::vector<Comment>() : saved->second);
    }
    if (!typedSinceCheck)
        return checked_.modified;
    if (!checked_.modified)
        return true;  // the checked record was the saved one, and a comment differs from it now
    // Only comments typed back to their saved text can make a changed record the saved one again.
    if (!typedBackToSaved)
        return true;
    checkWholeRecord();
    return checked_.modified;
}

void GameRoom::checkWholeRecord() const {
    checked_ =
        CheckedRecord{record_.tree.revision(), headerEdits_, recordFingerprint(record_) != savedFingerprint_, {}};
}

void GameRoom::markSaved() {
    savedFingerprint_ = recordFingerprint(record_);
    savedComments_.clear();
    for (const auto& node : record_.tree.nodes())
        if (!node->comments.empty())
            savedComments_.emplace(node->id, node->comments);
    checked_ = CheckedRecord{record_.tree.revision(), headerEdits_, false, {}};
}

bool GameRoom::setCurrentComment(const std::string& text) {
    const GameNode* node = std::as_const(record_.tree).find(currentNodeId_);
    if (!node)
        return false;
    checked_.typedComments.try_emplace(node->id, node->comments);
    return record_.tree.setComment(currentNodeId_, text);
}

NodeAnnotation GameRoom::currentAnnotation() const {
    const GameNode* node = currentNode();
    if (!node)
        return {};
    return NodeAnnotation{node->name, node->moveTag < kMoveTagCount ? node->moveTag : 0,
                          evaluationIndex(node->evaluation)};
}

bool GameRoom::annotateCurrentNode(const NodeAnnotation& annotation) {
    GameNode* node = record_.tree.find(currentNodeId_);
    if (!node || annotation.moveTag >= kMoveTagCount || annotation.evaluationEntry < 0 ||
        annotation.evaluationEntry > 10)
        return false;
    node->name = annotation.name;
    node->moveTag = annotation.moveTag;
    if (annotation.evaluationEntry != evaluationIndex(node->evaluation))
        node->evaluation = annotation.evaluationEntry * 0.1;
    rebuildTree();
    if (host_)
        host_->selectTreeItem(currentNodeId_);
    updateTitle();
    return true;
}

bool GameRoom::openFile(const std::filesystem::path& file, std::string& error, int32_t startNode) {
    GameRecord record;
    if (!loadRecordFile(file, record, error))
        return false;
    openFileRecord(std::move(record), file, startNode);
    return true;
}

void GameRoom::openFileRecord(GameRecord record, const std::filesystem::path& file, int32_t startNode) {
    libraryList_.reset();
    libraryIndex_ = -1;
    openRecord(std::move(record), kRoomStudy, file, startNode);
}

void GameRoom::openRecord(GameRecord record, RoomKind kind, const std::filesystem::path& file, int32_t startNode) {
    if (roomKind_ == kRoomEngineGame)
        stopEngineGame();
    const bool keepReplay = autoReplay_;  // auto replay runs on through the records of a library list
    autoReplay_ = false;
    resetRoomState();
    autoReplay_ = keepReplay;
    if (translator_)
        translator_(record);
    record_ = std::move(record);
    record_.recomputePositions();
    filePath_ = file;
    roomKind_ = kind == kRoomLibrary || kind == kRoomTraining ? kind : kRoomStudy;
    infoPanels_ = kPanelComments;
    rules_ = recordRules(record_.info, settings_.rules);
    rebuildTree();
    if (isProblemRecord() && settings_.preferences.randomOrientation)
        applyRandomOrientation();
    if (isProblemRecord())
        trainer_.problemOpened(record_.tree, record_.info.libraryId);
    else
        trainer_.clear();
    if (!goToNode(startNode)) {
        const GameNode* root = record_.tree.root();
        if (!root || !goToNode(root->id)) {
            // An empty record: nothing to show but an empty board.
            display_.showEmptyBoard(record_.geometry().width(), record_.geometry().height());
            redraw();
            updateTitle();
        }
    }
    markSaved();
}

void GameRoom::applyRandomOrientation() {
    display_.flipX = (randomNumber() & 1) != 0;
    display_.flipY = (randomNumber() & 1) != 0;
    display_.transpose = (randomNumber() & 1) != 0;
}

uint32_t GameRoom::randomNumber() { return random_ ? random_() : static_cast<uint32_t>(defaultRandom_()); }

bool GameRoom::openFromLibrary(std::shared_ptr<RoomLibraryList> list, int index, RoomKind kind, std::string& error,
                               int32_t startNode) {
    if (!list || index < 0 || index >= list->size()) {
        error = "no such record in the list";
        return false;
    }
    GameRecord record;
    if (!list->load(index, record, error))
        return false;
    libraryList_ = std::move(list);
    libraryIndex_ = index;
    openRecord(std::move(record), kind == kRoomTraining ? kRoomTraining : kRoomLibrary, {}, startNode);
    return true;
}

void GameRoom::openLibraryIndex(int index) {
    if (host_ && isModified()) {
        // The question holds the replay, and a cancel stops it: it would only ask again.
        const ReplayHold hold(*this);
        if (!host_->mayReplaceRecord()) {
            if (autoReplay_)
                stopAutoReplay();
            return;
        }
    }
    std::string error;
    std::shared_ptr<RoomLibraryList> list = libraryList_;
    const RoomKind kind = roomKind_;
    if (!openFromLibrary(list, index, kind, error)) {
        if (autoReplay_)
            stopAutoReplay();  // a record that cannot be read would fail again on every tick
        if (host_)
            host_->showMessage(error);
    }
}

bool GameRoom::canOpenFirstRecord() const {
    return (roomKind_ == kRoomLibrary || roomKind_ == kRoomTraining) && libraryList_ && libraryList_->size() > 0;
}
bool GameRoom::canOpenPreviousRecord() const { return canOpenFirstRecord() && libraryIndex_ >= 1; }
bool GameRoom::canOpenNextRecord() const { return canOpenFirstRecord() && libraryIndex_ + 1 < libraryList_->size(); }
bool GameRoom::canOpenRandomRecord() const { return canOpenFirstRecord() && libraryList_->size() >= 2; }

void GameRoom::openFirstRecord() {
    if (canOpenFirstRecord())
        openLibraryIndex(0);
}
void GameRoom::openPreviousRecord() {
    if (canOpenPreviousRecord())
        openLibraryIndex(libraryIndex_ - 1);
}
void GameRoom::openNextRecord() {
    if (canOpenNextRecord())
        openLibraryIndex(libraryIndex_ + 1);
}
void GameRoom::openLastRecord() {
    if (canOpenLastRecord())
        openLibraryIndex(libraryList_->size() - 1);
}
void GameRoom::openRandomRecord() {
    if (canOpenRandomRecord())
        openLibraryIndex(static_cast<int>(randomNumber() % static_cast<uint32_t>(libraryList_->size())));
}

void GameRoom::recordChanged() {
    record_.recomputePositions();
    rebuildTree();
    if (!record_.tree.find(currentNodeId_)) {
        const GameNode* root = record_.tree.root();
        if (root)
            goToNode(root->id);
        return;
    }
    refreshCurrent();
}

// ---- display -------------------------------------------------------------------------------

void GameRoom::rebuildTree() {
    variationTree_ = buildVariationTree(record_.tree, record_.geometry());
    if (host_)
        host_->variationTreeChanged();
}

void GameRoom::updateTitle() {
    if (host_)
        host_->titleChanged(title());
}

void GameRoom::redraw() {
    if (host_)
        host_->redraw();
}

void GameRoom::showNode(const GameNode& node) {
    tessera::showNode(node, record_.geometry(), display_);
    if (!(infoPanels_ & kPanelComments)) {
        display_.marks.clear();
        display_.labels.clear();
        display_.regions.clear();
    }
    if (host_) {
        if (infoPanels_ & (kPanelKnowledge | kPanelGlobalStats | kPanelLocalStats))
            host_->refreshStatistics(infoPanels_);
        else if (patternHintsShown_)
            showPatternHints(HintResult());
        else
            placeSearchHints();
        if (host_->isActiveRoom())
            host_->setStatusText(formatText("%s: %d\r\n%s: %d\r\n", tr("黑死子个数").c_str(),
                                            static_cast<int>(node.blackCaptured), tr("白死子个数").c_str(),
                                            static_cast<int>(node.whiteCaptured)));
    }
    putMoveNumbers();
    putTrainingMarks();
    redraw();
    if (host_ && host_->isActiveRoom() && host_->commentPanelShown())
        host_->setCommentText(node.comment());
}

void GameRoom::refreshCurrent() {
    if (const GameNode* node = currentNode()) {
        showNode(*node);
        updateTitle();
    }
}

void GameRoom::putMoveNumbers() {
    if (trialActive_)
        display_.moveNumbers = trialMoveNumberLabels(record_.tree, currentNodeId_, trialFirstId_, display_.position);
    else
        display_.moveNumbers = moveNumberLabels(record_.tree, currentNodeId_, display_.position, moveNumberMode_);
}

void GameRoom::stoneSound(const GameNode& node) {
    if (!host_ || !settings_.stoneSound || !host_->isActiveRoom())
        return;
    if (node.parentId != previousNodeId_ || node.parentId < 0 || !node.isPlainMove())
        return;
    const size_t captured = node.captured.size();
    const int sound = captured == 0   ? kSoundStone
                      : captured == 1 ? kSoundCaptureOne
                      : captured < 10 ? kSoundCaptureSome
                                      : kSoundCaptureMany;
    const bool wait = autoReplay_ || roomKind_ == kRoomEngineGame || replayingAnswer_;
    host_->playSound(sound, wait);
}

int GameRoom::stoneDelay() const {
    return settings_.preferences.stoneDelay < 10 ? 10 : settings_.preferences.stoneDelay;
}

}  // namespace tessera
