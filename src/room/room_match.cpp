#include "room/room_match.h"

#include "platform/format_text.h"
#include "platform/ui_text.h"
#include "room/game_room.h"
#include "stats/book_move.h"

namespace tessera {

namespace {

std::string tr(const char* source) { return uiText("RoomMatch", source); }

}  // namespace

RoomMatch::RoomMatch(GameRoom& room, ProgramLog* log, const PatternBases* book)
    : room_(room), book_(book), blackEngine_(log), whiteEngine_(log) {
    if (book_) {
        // Runs on the engine's worker thread; every pattern file has its own lock.
        const auto bookMove = [book](const BoardGrid& position, int colour) {
            return pickBookMove(*book, position, colour);
        };
        blackEngine_.setBookMove(bookMove);
        whiteEngine_.setBookMove(bookMove);
    }
}

RoomMatch::~RoomMatch() { referee_.stopPlayers(); }

void RoomMatch::start(const MatchSetup& setup) {
    blackEngine_.configure(setup.blackEngine);
    whiteEngine_.configure(setup.whiteEngine);
    MatchPlayer* black = setup.blackKind == kPlayerComputer ? static_cast<MatchPlayer*>(&blackEngine_) : &blackHuman_;
    MatchPlayer* white = setup.whiteKind == kPlayerComputer ? static_cast<MatchPlayer*>(&whiteEngine_) : &whiteHuman_;
    blackKind_ = setup.blackKind;
    whiteKind_ = setup.whiteKind;
    referee_.addObserver(this);
    if (referee_.setPlayers(setup, black, white))
        referee_.start();
}

void RoomMatch::boardClicked(int32_t point) {
    // Refused under the referee's lock unless a person is to move: a click while the engine
    // thinks, a second quick click, or a click on an occupied point does nothing.
    if (point >= 0)
        referee_.submitHumanMove(point);
}

void RoomMatch::stop() { referee_.stopPlayers(); }

int RoomMatch::humanColourToAct() const {
    if (referee_.state() != kMatchPlaying)
        return 0;
    const MatchPlayer* player = referee_.playerToMove();
    return player && player->isHuman() ? player->colour() : 0;
}

bool RoomMatch::canPass() const { return humanColourToAct() != 0; }

void RoomMatch::pass() { referee_.submitHumanMove(-1); }

bool RoomMatch::canResign() const {
    if (referee_.state() != kMatchPlaying)
        return false;
    const MatchSetup setup = referee_.setup();
    return setup.blackKind == kPlayerHuman || setup.whiteKind == kPlayerHuman;
}

void RoomMatch::resign() {
    // Against the computer the person resigns whoever is to move; between two people the
    // side to move resigns.
    const MatchSetup setup = referee_.setup();
    int colour = humanColourToAct();
    if (colour == 0)
        colour = setup.blackKind == kPlayerHuman ? kBlack : kWhite;
    if (setup.blackKind == kPlayerHuman && setup.whiteKind != kPlayerHuman)
        colour = kBlack;
    else if (setup.whiteKind == kPlayerHuman && setup.blackKind != kPlayerHuman)
        colour = kWhite;
    referee_.resign(colour);
}

bool RoomMatch::finishedRecord(GameRecord& record) const {
    if (referee_.state() != kMatchEnded)
        return false;
    record = referee_.record();
    return !record.tree.empty();
}

std::string RoomMatch::resultWords(const std::string& result) {
    if (result == "0")
        return tr("和棋");
    if (result.size() < 3 || result[1] != '+')
        return {};
    const bool black = result[0] == 'B';
    const std::string margin = result.substr(2);
    if (margin == "R" || margin == "Resign")
        return black ? tr("黑中盘胜") : tr("白中盘胜");
    return (black ? tr("黑胜") : tr("白胜")) + " " + margin;
}

std::string RoomMatch::endMessage() const {
    const std::string error = referee_.error();
    if (!error.empty())
        return tr("游戏结束") + "\n" + error;
    const std::string words = resultWords(referee_.result());
    return words.empty() ? tr("游戏结束") : tr("游戏结束") + "\n" + words;
}

std::string RoomMatch::title() const {
    const MatchSetup setup = referee_.setup();
    std::string text;
    if (referee_.state() == kMatchEnded) {
        const std::string how = referee_.error().empty() ? resultWords(referee_.result()) : tr("中断");
        text = formatText("%s(%s) %s(%s) VS %s(%s)", tr("对局结束").c_str(), how.c_str(), setup.whiteName.c_str(),
                          tr("白").c_str(), setup.blackName.c_str(), tr("黑").c_str());
    } else {
        text = formatText("%s %s(%s) VS %s(%s)", tr("对局进行中").c_str(), setup.whiteName.c_str(), tr("白").c_str(),
                          setup.blackName.c_str(), tr("黑").c_str());
    }
    return formatText("%s -- %s:%d", text.c_str(), uiText("GameRoom", "场景").c_str(), room_.currentNodeId());
}

void RoomMatch::gameStarted(const MatchParams& params) {
    RoomEvent event;
    event.kind = kRoomEventNewBoard;
    event.words[kEventWordRule] = params.rule;
    event.setKomi(params.komi);
    event.words[kEventWordHandicap] = params.handicap;
    event.words[kEventWordBoardSize] = params.boardSize;
    event.words[kEventWordBlind] = params.blind;
    event.words[kEventWordBlackKind] = blackKind_;
    event.words[kEventWordWhiteKind] = whiteKind_;
    room_.postEvent(std::move(event));
}

void RoomMatch::gameEnded() {
    RoomEvent event;
    event.kind = kRoomEventGameOver;
    room_.postEvent(std::move(event));
}

void RoomMatch::movePlayed(const Move& move) {
    RoomEvent event;
    if (move.point >= 0) {
        event.kind = kRoomEventMove;
        event.move = move;
    } else {
        event.kind = kRoomEventSideToMove;  // a pass: the other side is to move
        event.value = static_cast<int32_t>(opponentOf(move.colour));
    }
    room_.postEvent(std::move(event));
}

void RoomMatch::positionSet(const BoardGrid& position, int colourToMove) {
    RoomEvent event;
    event.kind = kRoomEventPosition;
    event.position.copyFrom(position);
    event.value = colourToMove;
    room_.postEvent(std::move(event));
}

}  // namespace tessera
