// GameRoom: counting, the rules, the engine game and the event queue.
#include <algorithm>
#include <cmath>
#include <utility>

#include "platform/ui_text.h"
#include "room/count_report.h"
#include "room/game_room.h"

namespace tessera {

// ---- counting ------------------------------------------------------------------------------

PointList GameRoom::deadPoints() const {
    PointList dead;
    for (const Mark& mark : display_.marks)
        if (mark.kind == kMarkDead)
            dead.push_back(mark.point);
    return dead;
}

CountResult GameRoom::count() {
    const GameNode* node = currentNode();
    if (!node)
        return CountResult();
    CountResult result;
    switch (rules_.ruleType) {
        case kRulesChinese:
            result = countArea(display_.position, deadPoints(), rules_.komi);
            break;
        case kRulesJapanese:
        case kRulesKorean:
            result = countTerritory(display_.position, deadPoints(), rules_.komi, static_cast<int>(node->blackCaptured),
                                    static_cast<int>(node->whiteCaptured));
            break;
        default:
            break;  // Ing rules and unknown rules are not counted
    }
    const ReplayHold hold(*this);
    if (!result.counted) {
        if (host_)
            host_->showMessage(countRefusal());
        return result;
    }
    countSummary_ = tessera::countSummary(result);
    updateTitle();
    // The ownership marks replace the overlay only while the report is shown.
    auto savedMarks = std::move(display_.marks);
    auto savedLabels = std::move(display_.labels);
    auto savedRegions = std::move(display_.regions);
    auto savedNumbers = std::move(display_.moveNumbers);
    display_.marks.clear();
    display_.labels.clear();
    display_.regions.clear();
    display_.moveNumbers.clear();
    for (int32_t p : result.blackOwned)
        display_.marks.push_back(Mark{kMarkBlackArea, p});
    for (int32_t p : result.whiteOwned)
        display_.marks.push_back(Mark{kMarkWhiteArea, p});
    redraw();
    const int32_t countedId = currentNodeId_;
    if (host_)
        host_->showMessage(countReport(result));
    if (currentNodeId_ != countedId) {
        // The cursor moved under the report after all: the saved overlay belongs elsewhere.
        refreshCurrent();
        return result;
    }
    display_.marks = std::move(savedMarks);
    display_.labels = std::move(savedLabels);
    display_.regions = std::move(savedRegions);
    display_.moveNumbers = std::move(savedNumbers);
    redraw();
    return result;
}

// ---- engine game and events ----------------------------------------------------------------

GameRoom::~GameRoom() {
    if (engineGame_)
        engineGame_->stop();
}

void GameRoom::beginEngineGame(std::shared_ptr<RoomEngineGame> engineGame) {
    if (autoReplay_)
        stopAutoReplay();
    if (trialActive_)
        endTrial();
    if (roomKind_ == kRoomEngineGame)
        stopEngineGame();
    engineGame_ = std::move(engineGame);
    roomKind_ = kRoomEngineGame;
    libraryList_.reset();
    libraryIndex_ = -1;
    if (host_)
        host_->startTimer(kEventDrainTimer, 100);
    updateTitle();
}

void GameRoom::stopEngineGame() {
    if (engineGame_)
        engineGame_->stop();
    events_.clear();
    if (host_)
        host_->stopTimer(kEventDrainTimer);
}

int GameRoom::drainEvents() {
    return events_.drain([this](const RoomEvent& event) { applyEvent(event); });
}

void GameRoom::applyEvent(const RoomEvent& event) {
    switch (event.kind) {
        case kRoomEventMove:
            playStone(event.move.point);
            break;
        case kRoomEventPosition: {
            const GameNode* current = currentNode();
            if (trialActive_ || (current && !current->childIds.empty()) || !event.position.isUsable())
                break;
            if (current && !event.position.sameSize(record_.geometry()))
                break;
            GameNode setup = fullSetupNode(event.position, event.value == kWhite ? kWhite : kBlack);
            if (current) {
                setup.parentId = current->id;
                setup.blackCaptured = current->blackCaptured;
                setup.whiteCaptured = current->whiteCaptured;
            } else {
                record_.info.boardWidth = static_cast<int16_t>(event.position.width());
                record_.info.boardHeight = static_cast<int16_t>(event.position.height());
            }
            GameNode* added = record_.tree.addNode(std::move(setup));
            if (!added)
                break;
            const int32_t id = added->id;
            rebuildTree();
            goToNode(id);
            break;
        }
        case kRoomEventSideToMove:
            if (sideToMove() != event.value)
                setSideToMove(event.value);
            break;
        case kRoomEventGameOver: {
            // The game's own record replaces the mirror built from the events: it holds every
            // move that was played and the result in the game information.
            std::string message;
            if (engineGame_) {
                GameRecord finished;
                if (engineGame_->finishedRecord(finished)) {
                    // rules_ stays as the game started (or as the player set it since): the header
                    // holds the same komi, but in stones under Chinese rules, which a record's KM is not.
                    record_ = std::move(finished);
                    record_.recomputePositions();
                    rebuildTree();
                    const auto line = record_.tree.mainLine();
                    goToNode(line.empty() ? 0 : line.back()->id);
                }
                engineGame_->stop();
                message = engineGame_->endMessage();
                updateTitle();
            }
            if (host_) {
                host_->stopTimer(kEventDrainTimer);
                host_->engineGameOver();
                host_->showMessage(message.empty() ? uiText("GameRoom", "游戏结束") : message);
            }
            break;
        }
        case kRoomEventNewBoard: {
            int size = event.words[kEventWordBoardSize];
            if (size < 2 || size > 25)
                size = 19;
            record_.clear();
            resetRoomState();
            record_.info.boardWidth = static_cast<int16_t>(size);
            record_.info.boardHeight = static_cast<int16_t>(size);
            // The game is counted under its own rules and komi from its first move to its end.
            const int rule = event.words[kEventWordRule];
            rules_ = settings_.rules;
            if (rule >= kRulesChinese && rule <= kRulesIng)
                rules_.ruleType = static_cast<RuleType>(rule);
            if (std::isfinite(event.komi()))
                rules_.komi = event.komi();
            record_.info.ruleType = static_cast<int16_t>(rules_.ruleType);
            record_.info.komi = rules_.komi;
            record_.info.handicap = static_cast<int16_t>(std::clamp(event.words[kEventWordHandicap], 0, 400));
            // A computer player marks the header as one whose komi is as played (recordRules).
            record_.info.blackKind = static_cast<int16_t>(std::clamp(event.words[kEventWordBlackKind], 0, 2));
            record_.info.whiteKind = static_cast<int16_t>(std::clamp(event.words[kEventWordWhiteKind], 0, 2));
            display_.showEmptyBoard(size, size);
            if (event.words[kEventWordHandicap] < 1)
                record_.tree.addNode(fullSetupNode(BoardGrid(size, size), kBlack));
            rebuildTree();
            if (!goToNode(0)) {
                redraw();
                updateTitle();
            }
            break;
        }
        default:
            break;
    }
}

}  // namespace tessera
