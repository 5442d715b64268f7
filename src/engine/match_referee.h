#pragma once
// The referee of a game against the computer: keeps the match's own record, takes moves only
// from the side to move, tells both players and every observer about each move, and ends the
// match on two passes, a resignation or a player's failure.
//
// One lock guards the referee's state. Moves arrive on the thread of whoever delivers them
// (the room's thread for a person, an engine player's worker thread for the computer), and
// each is checked against the side to move under the lock, so a move out of turn, a second
// click, or a click while the engine thinks is refused. Players and observers are called under
// the lock and only queue what they are told (match_player.h). stopPlayers() takes the lock
// only to read the players: stopping a player joins its thread, which may be waiting for it.

#include <condition_variable>
#include <mutex>
#include <string>
#include <vector>

#include "engine/match_player.h"
#include "engine/match_setup.h"
#include "record/game_record.h"

namespace tessera {

enum MatchState : int {
    kMatchIdle = 0,      // no match yet
    kMatchPlaying = 1,   // moves are taken
    kMatchEnded = 2,     // over: result, winner and error are final
    kMatchCounting = 3,  // two passes: waiting for a player's count
};

// The handicap stones of a square board (2 to 9 stones), points in placement order; empty
// when the count or the board does not allow handicap.
PointList handicapPoints(int boardSize, int stones);

class MatchReferee {
public:
    MatchReferee() = default;
    MatchReferee(const MatchReferee&) = delete;
    MatchReferee& operator=(const MatchReferee&) = delete;

    // Stops the previous players, then takes the setup and the two players (not owned) and
    // tells each its colour. False when either is missing.
    bool setPlayers(const MatchSetup& setup, MatchPlayer* black, MatchPlayer* white);
    // Adds a listener (not owned); false when null or already listed.
    bool addObserver(MatchObserver* observer);
    // Lays out the board (handicap stones), tells everyone, and asks the first player.
    void start();
    // A move of the side to move: a stone (point >= 0) or a pass (-1). False, and nothing
    // happens, when the match is not being played, the colour is not the side to move, or the
    // stone is illegal. The second pass in a row ends the game (counting).
    bool submitMove(const Move& move);
    // A person's move: taken only when the side to move is a human player.
    bool submitHumanMove(int32_t point);
    // The side `colour` gives up; false when no match is being played.
    bool resign(int colour);
    // A player could not go on (its engine failed): the match ends with that error.
    void playerFailed(int colour, const std::string& message);
    // The count asked for after two passes ("B+3.5", "W+0.5", "0"; empty when unknown).
    void reportScore(const std::string& result);
    // stop() on both players (outside the lock).
    void stopPlayers();
    // Waits up to timeoutMs for the match to end; true when it has.
    bool waitForEnd(int timeoutMs);

    // ---- what the match looks like now (copies, taken under the lock) -------------------
    int state() const;
    // The colour whose move is awaited (1 or 2; 0 before start).
    int sideToMove() const;
    // The player whose colour is to move, or null.
    MatchPlayer* playerToMove() const;
    // "B+3.5", "W+R" (resignation), "0" (draw); empty while playing, when no count was
    // possible, or when the match ended with an error.
    std::string result() const;
    // 'B', 'W' or 0 (unknown, draw or error).
    char winner() const;
    // Why the match ended early, empty otherwise.
    std::string error() const;
    // Stones and passes played (setup not counted).
    int moveCount() const;
    MatchSetup setup() const;
    // The match's record: game information (result included once known) and the moves.
    GameRecord record() const;
    // The game information filled from the setup and, once known, the result.
    GameInfo info() const {
        std::lock_guard lock(mutex_);
        return infoLocked();
    }

private:
    bool submitLocked(const Move& move);
    void reportScoreLocked();
    char winnerLocked() const;
    GameInfo infoLocked() const;
    void endLocked(const std::string& result, const std::string& error);
    void askNextLocked();
    MatchPlayer* playerOf(int colour) const { return colour == kBlack ? black_ : colour == kWhite ? white_ : nullptr; }

    mutable std::mutex mutex_;
    std::condition_variable ended_;
    MatchSetup setup_;
    MatchPlayer* black_ = nullptr;
    MatchPlayer* white_ = nullptr;
    std::vector<MatchObserver*> observers_;
    int state_ = kMatchIdle;
    GameRecord record_;
    int32_t currentId_ = -1;
    int consecutivePasses_ = 0;
    int moves_ = 0;
    std::string result_;
    std::string error_;
    std::string pendingError_;  // a player failed before start()
};

}  // namespace tessera
