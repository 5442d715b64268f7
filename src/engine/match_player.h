#pragma once
// The two sides of a match and the listeners of its referee.
//
// A MatchReferee calls its players and observers while it holds its lock, so their
// operations must only record or queue what they are told and return at once: they never
// wait for anything and never call back into the referee on the same thread.

#include <string>

#include "go/board_grid.h"
#include "go/move.h"

namespace tessera {

class MatchReferee;

// The six words of a match start: rule, komi, handicap, board size, blind.
struct MatchParams {
    int rule = 1;
    double komi = 0.0;
    int handicap = 0;
    int boardSize = 19;
    int blind = 0;
};

class MatchPlayer {
public:
    virtual ~MatchPlayer() = default;
    // Stops whatever the player runs (engine, thread); bounded. Never called with the
    // referee's lock held.
    virtual void stop() {}
    // A move of either side was accepted (a pass has point -1).
    virtual void movePlayed(const Move& move) { (void)move; }
    // The start position of a handicap game.
    virtual void setPosition(const BoardGrid& position, int colourToMove) {
        (void)position;
        (void)colourToMove;
    }
    // The player's colour for this match (called once per match before anything else).
    virtual void setColour(int colour) { colour_ = colour; }
    // It is this player's turn: the answer comes later through the referee.
    virtual void requestMove() = 0;
    // Two passes ended the game: asks for the result ("B+3.5"), which comes later through
    // MatchReferee::reportScore. False when this player cannot count.
    virtual bool requestScore() { return false; }
    // True for a person at the board.
    virtual bool isHuman() const { return false; }

    int colour() const { return colour_; }
    MatchReferee* referee() const { return referee_; }
    void setReferee(MatchReferee* referee) { referee_ = referee; }

private:
    int colour_ = 0;
    MatchReferee* referee_ = nullptr;
};

class MatchObserver {
public:
    virtual ~MatchObserver() = default;
    virtual void gameStarted(const MatchParams& params) { (void)params; }
    // The match ended: the referee's result, winner and error tell how.
    virtual void gameEnded() {}
    virtual void movePlayed(const Move& move) { (void)move; }
    virtual void positionSet(const BoardGrid& position, int colourToMove) {
        (void)position;
        (void)colourToMove;
    }
};

}  // namespace tessera
