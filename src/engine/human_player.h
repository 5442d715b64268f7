#pragma once
// A person at the board: told that it is their turn, and answering through the referee's
// submitHumanMove (a click, or a line typed at the command line).

#include <functional>

#include "engine/match_player.h"

namespace tessera {

class HumanPlayer : public MatchPlayer {
public:
    // Called (under the referee's lock: only queue something) when it is this side's turn.
    using TurnNotice = std::function<void(int colour)>;

    explicit HumanPlayer(TurnNotice onTurn = {}) : onTurn_(std::move(onTurn)) {}
    void setTurnNotice(TurnNotice onTurn) { onTurn_ = std::move(onTurn); }
    void requestMove() override {
        if (onTurn_)
            onTurn_(colour());
    }
    bool isHuman() const override { return true; }

private:
    TurnNotice onTurn_;
};

}  // namespace tessera
