#include "engine/match_referee.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "go/counting.h"
#include "go/play_move.h"

namespace tessera {

namespace {

// Placement order of the handicap table: (x, y) in units of the edge, centre and far lines.
enum Line { E, C, F };
struct Stone {
    Line x, y;
};

const std::vector<Stone>& handicapTable(int stones) {
    static const std::vector<Stone> tables[10] = {
        {},
        {},
        {{E, E}, {F, F}},
        {{E, E}, {C, C}, {F, F}},
        {{E, E}, {E, F}, {F, E}, {F, F}},
        {{E, E}, {E, F}, {C, C}, {F, E}, {F, F}},
        {{E, E}, {E, F}, {C, E}, {C, F}, {F, E}, {F, F}},
        {{E, E}, {E, F}, {C, E}, {C, C}, {C, F}, {F, E}, {F, F}},
        {{E, E}, {E, C}, {E, F}, {C, E}, {C, F}, {F, E}, {F, C}, {F, F}},
        {{E, E}, {E, C}, {E, F}, {C, E}, {C, C}, {C, F}, {F, E}, {F, C}, {F, F}},
    };
    return tables[std::clamp(stones, 0, 9)];
}

std::string scoreText(char colour, double margin) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%c+%g", colour, margin);
    return buffer;
}

}  // namespace

PointList handicapPoints(int boardSize, int stones) {
    PointList points;
    if (!handicapAllowed(boardSize) || stones < 2 || stones > 9)
        return points;
    const int e = boardSize < 12 ? 2 : 3;
    const int c = boardSize / 2;
    const int f = boardSize - e - 1;
    const int lines[3] = {e, c, f};
    for (const Stone& stone : handicapTable(stones))
        points.push_back(lines[stone.y] * boardSize + lines[stone.x]);
    return points;
}

bool MatchReferee::setPlayers(const MatchSetup& setup, MatchPlayer* black, MatchPlayer* white) {
    stopPlayers();
    if (!black || !white)
        return false;
    {
        std::lock_guard lock(mutex_);
        state_ = kMatchPlaying;
        setup_ = setup;
        if (setup_.handicap < 2 || setup_.handicap > 9)
            setup_.handicap = 0;
        setup_.boardSize = std::clamp(setup_.boardSize, 2, 25);
        black_ = black;
        white_ = white;
        record_.clear();
        currentId_ = -1;
        consecutivePasses_ = 0;
        moves_ = 0;
        result_.clear();
        error_.clear();
        pendingError_.clear();
        black_->setReferee(this);
        white_->setReferee(this);
    }
    // Outside the lock: an engine player restarts its engine here.
    black->setColour(kBlack);
    white->setColour(kWhite);
    return true;
}

bool MatchReferee::addObserver(MatchObserver* observer) {
    std::lock_guard lock(mutex_);
    if (!observer || std::find(observers_.begin(), observers_.end(), observer) != observers_.end())
        return false;
    observers_.push_back(observer);
    return true;
}

void MatchReferee::start() {
    std::lock_guard lock(mutex_);
    if (state_ != kMatchPlaying || !black_ || !white_)
        return;
    const int size = setup_.boardSize;
    BoardGrid position(size, size);
    if (!handicapAllowed(size))
        setup_.handicap = 0;
    if (setup_.handicap > 0)
        position.setAll(handicapPoints(size, setup_.handicap), kBlack);
    record_.info = infoLocked();
    record_.info.resultText.clear();
    if (GameNode* added = record_.tree.addNode(fullSetupNode(position, setup_.handicap > 0 ? kWhite : kBlack)))
        currentId_ = added->id;
    const MatchParams params{setup_.rule, setup_.komi, setup_.handicap, size, setup_.blind};
    for (MatchObserver* observer : observers_)
        observer->gameStarted(params);
    if (setup_.handicap > 0) {
        black_->setPosition(position, kWhite);
        white_->setPosition(position, kWhite);
        for (MatchObserver* observer : observers_)
            observer->positionSet(position, kWhite);
    }
    if (!pendingError_.empty()) {
        endLocked({}, pendingError_);
        return;
    }
    askNextLocked();
}

void MatchReferee::askNextLocked() {
    if (state_ != kMatchPlaying)
        return;
    const GameNode* current = record_.tree.find(currentId_);
    if (MatchPlayer* player = current ? playerOf(current->sideToMove) : nullptr)
        player->requestMove();
}

bool MatchReferee::submitMove(const Move& move) {
    std::lock_guard lock(mutex_);
    return submitLocked(move);
}

bool MatchReferee::submitLocked(const Move& move) {
    const GameNode* current = record_.tree.find(currentId_);
    if (state_ != kMatchPlaying || !current || move.colour != current->sideToMove)
        return false;
    GameNode node;
    node.move = move;
    node.position.copyFrom(current->position);
    node.blackCaptured = current->blackCaptured;
    node.whiteCaptured = current->whiteCaptured;
    if (move.point >= 0) {
        if (!playMove(node.position, move, node.captured))
            return false;
        const auto removed = static_cast<uint32_t>(node.captured.size());
        if (move.colour == kWhite)
            node.blackCaptured += removed;
        else
            node.whiteCaptured += removed;
        consecutivePasses_ = 0;
    } else {
        node.move.point = -1;
        ++consecutivePasses_;
    }
    node.parentId = current->id;
    node.sideToMove = static_cast<uint8_t>(opponentOf(move.colour));
    GameNode* added = record_.tree.addNode(std::move(node));
    if (!added)
        return false;
    currentId_ = added->id;
    ++moves_;
    for (MatchObserver* observer : observers_)
        observer->movePlayed(added->move);
    black_->movePlayed(added->move);
    white_->movePlayed(added->move);
    if (consecutivePasses_ >= 2) {
        // Two passes: the game is over; a player that can count gives the result.
        state_ = kMatchCounting;
        if (!black_->requestScore() && !white_->requestScore())
            reportScoreLocked();
        return true;
    }
    askNextLocked();
    return true;
}

bool MatchReferee::submitHumanMove(int32_t point) {
    std::lock_guard lock(mutex_);
    const GameNode* current = record_.tree.find(currentId_);
    MatchPlayer* player = current ? playerOf(current->sideToMove) : nullptr;
    if (state_ != kMatchPlaying || !player || !player->isHuman())
        return false;
    return submitLocked(Move{current->sideToMove, point});
}

bool MatchReferee::resign(int colour) {
    std::lock_guard lock(mutex_);
    if (state_ != kMatchPlaying || (colour != kBlack && colour != kWhite))
        return false;
    endLocked(colour == kBlack ? "W+R" : "B+R", {});
    return true;
}

void MatchReferee::playerFailed(int colour, const std::string& message) {
    std::lock_guard lock(mutex_);
    if (state_ == kMatchCounting) {
        reportScoreLocked();  // the game itself is over: count it here instead
        return;
    }
    if (state_ != kMatchPlaying)
        return;
    (void)colour;
    if (currentId_ < 0) {
        pendingError_ = message;  // before start(): the match starts, then ends at once
        return;
    }
    endLocked({}, message);
}

void MatchReferee::reportScore(const std::string& result) {
    std::lock_guard lock(mutex_);
    if (state_ != kMatchCounting)
        return;
    if (result.empty())
        reportScoreLocked();
    else
        endLocked(result, {});
}

void MatchReferee::reportScoreLocked() {
    const GameNode* current = record_.tree.find(currentId_);
    if (!current) {
        endLocked({}, {});
        return;
    }
    // Every stone counts as alive: a count of our own when no engine can count.
    const CountResult count =
        setup_.rule == kMatchChineseRules
            ? countArea(current->position, {}, setup_.komi)
            : countTerritory(current->position, {}, setup_.komi, static_cast<int>(current->blackCaptured),
                             static_cast<int>(current->whiteCaptured));
    if (!count.counted) {
        endLocked({}, {});
        return;
    }
    const double margin = count.blackScore - count.whiteScore;
    endLocked(margin == 0 ? "0" : scoreText(margin > 0 ? 'B' : 'W', std::fabs(margin)), {});
}

void MatchReferee::endLocked(const std::string& result, const std::string& error) {
    state_ = kMatchEnded;
    result_ = result;
    error_ = error;
    record_.info.resultText = result_;
    record_.info.resultType = static_cast<int16_t>(winnerLocked() == 'B'   ? kResultBlackWins
                                                   : winnerLocked() == 'W' ? kResultWhiteWins
                                                   : result_ == "0"        ? kResultDraw
                                                                           : kResultUnknown);
    for (MatchObserver* observer : observers_)
        observer->gameEnded();
    ended_.notify_all();
}

void MatchReferee::stopPlayers() {
    MatchPlayer* black = nullptr;
    MatchPlayer* white = nullptr;
    {
        std::lock_guard lock(mutex_);
        black = black_;
        white = white_;
    }
    if (black)
        black->stop();
    if (white && white != black)
        white->stop();
}

bool MatchReferee::waitForEnd(int timeoutMs) {
    std::unique_lock lock(mutex_);
    return ended_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return state_ == kMatchEnded; });
}

int MatchReferee::state() const {
    std::lock_guard lock(mutex_);
    return state_;
}

int MatchReferee::sideToMove() const {
    std::lock_guard lock(mutex_);
    const GameNode* current = record_.tree.find(currentId_);
    return current ? current->sideToMove : 0;
}

MatchPlayer* MatchReferee::playerToMove() const {
    std::lock_guard lock(mutex_);
    const GameNode* current = record_.tree.find(currentId_);
    return current ? playerOf(current->sideToMove) : nullptr;
}

std::string MatchReferee::result() const {
    std::lock_guard lock(mutex_);
    return result_;
}

char MatchReferee::winnerLocked() const {
    if (result_.size() >= 2 && result_[1] == '+' && (result_[0] == 'B' || result_[0] == 'W'))
        return result_[0];
    return 0;
}

char MatchReferee::winner() const {
    std::lock_guard lock(mutex_);
    return winnerLocked();
}

std::string MatchReferee::error() const {
    std::lock_guard lock(mutex_);
    return error_;
}

int MatchReferee::moveCount() const {
    std::lock_guard lock(mutex_);
    return moves_;
}

MatchSetup MatchReferee::setup() const {
    std::lock_guard lock(mutex_);
    return setup_;
}

GameRecord MatchReferee::record() const {
    std::lock_guard lock(mutex_);
    GameRecord copy;
    copy.info = record_.info;
    copy.tags = record_.tags;
    copy.tree.copyFrom(record_.tree);
    return copy;
}

GameInfo MatchReferee::infoLocked() const {
    GameInfo info;
    info.appType = 1;
    info.boardWidth = static_cast<int16_t>(setup_.boardSize);
    info.boardHeight = static_cast<int16_t>(setup_.boardSize);
    info.ruleType = static_cast<int16_t>(setup_.rule);
    info.komi = setup_.komi;
    info.handicap = static_cast<int16_t>(setup_.handicap);
    info.blackName = setup_.blackName;
    info.blackKind = static_cast<int16_t>(setup_.blackKind);
    info.whiteName = setup_.whiteName;
    info.whiteKind = static_cast<int16_t>(setup_.whiteKind);
    info.resultText = result_;
    info.resultType = record_.info.resultType;
    return info;
}

}  // namespace tessera
