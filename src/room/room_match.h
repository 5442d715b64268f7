#pragma once
// A game against the computer inside a game room: the referee, both sides' players, and the
// observer that turns what the referee says into room events.
//
// The referee talks from engine threads; the observer only posts events into the room's
// queue (under its lock), and the room applies them on its own thread when its drain timer
// fires. When the match ends the room takes the referee's record (every move played, the
// result in the game information) and shows one message saying how it ended.

#include <memory>
#include <string>

#include "engine/engine_player.h"
#include "engine/human_player.h"
#include "engine/match_referee.h"
#include "room/room_settings.h"

namespace tessera {

class GameRoom;
class ProgramLog;
struct PatternBases;

class RoomMatch : public RoomEngineGame, public MatchObserver {
public:
    // A match for room (which owns it); log and book may be null. An engine set to use the
    // book draws its move from the whole-board statistics while the position is in them.
    RoomMatch(GameRoom& room, ProgramLog* log, const PatternBases* book = nullptr);
    // Stops both players.
    ~RoomMatch() override;

    // Sets the players up from setup and starts the match (call after room.beginEngineGame).
    void start(const MatchSetup& setup);
    MatchReferee& referee() { return referee_; }
    const MatchReferee& referee() const { return referee_; }

    // ---- RoomEngineGame (the room's thread) ----
    void boardClicked(int32_t point) override;
    void stop() override;
    std::string title() const override;
    bool canPass() const override;
    void pass() override;
    bool canResign() const override;
    void resign() override;
    bool finishedRecord(GameRecord& record) const override;
    std::string endMessage() const override;

    // ---- MatchObserver (any thread: posts events) ----
    void gameStarted(const MatchParams& params) override;
    void gameEnded() override;
    void movePlayed(const Move& move) override;
    void positionSet(const BoardGrid& position, int colourToMove) override;

    // "黑胜 3.5", "白中盘胜", "和棋" for a result such as "B+3.5", "W+R", "0" (empty: "").
    static std::string resultWords(const std::string& result);

private:
    // The colour of the person to move or, between two people, of the side to move; 0 when
    // no person may act now.
    int humanColourToAct() const;

    GameRoom& room_;
    const PatternBases* book_;
    HumanPlayer blackHuman_;
    HumanPlayer whiteHuman_;
    EnginePlayer blackEngine_;
    EnginePlayer whiteEngine_;
    MatchReferee referee_;
    int blackKind_ = 0, whiteKind_ = 0;  // the setup's, for the room's header
};

}  // namespace tessera
