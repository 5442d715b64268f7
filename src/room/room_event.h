#pragma once
// Events that other threads post into a game room. Workers (the engine game, background
// tasks) never touch a room's record: they post a RoomEvent, and the room applies the queued
// events on the user-interface thread when its drain timer fires (every 100 ms while a game
// against the computer runs). One lock guards the queue only: posting takes it to append one
// event. Draining takes it, moves every queued event out and releases it, then applies them in
// posting order; events posted meanwhile stay queued for the next drain, so none is lost and
// order is kept. Applying outside the lock lets an applied event post or clear without a
// deadlock; clear() during a drain also drops the rest of the batch being applied.

#include <array>
#include <bit>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>

#include "go/board_grid.h"
#include "go/move.h"

namespace tessera {

// Kinds of room events.
enum RoomEventKind : int32_t {
    kRoomEventNone = -1,
    kRoomEventMove = 0,        // play `move.point` for the side to move
    kRoomEventPosition = 1,    // add a full-setup child holding `position`, `value` to move
    kRoomEventSideToMove = 2,  // make `value` the side to move
    kRoomEventGameOver = 3,    // the engine game ended
    kRoomEventNewBoard = 4,    // clear the record; words as the match parameters below
};

// The words of a match-started event: rule, komi (two words), handicap, board size, blind, and
// the kinds of the players (GameInfo's: 1 computer, 2 human).
constexpr int kEventWordRule = 0;
constexpr int kEventWordKomiHigh = 1;
constexpr int kEventWordKomiLow = 2;
constexpr int kEventWordHandicap = 3;
constexpr int kEventWordBoardSize = 4;
constexpr int kEventWordBlind = 5;
constexpr int kEventWordBlackKind = 6;
constexpr int kEventWordWhiteKind = 7;

struct RoomEvent {
    int32_t kind = kRoomEventNone;
    Move move;
    BoardGrid position;
    int32_t value = 0;
    std::array<int32_t, 8> words{};

    // The komi of a match-started event, its bits split over the two komi words (exact).
    void setKomi(double komi);
    double komi() const;
};

class RoomEventQueue {
public:
    // Appends one event under the lock; safe from any thread.
    void post(RoomEvent event);
    // Applies every event queued so far in posting order and deletes them; events posted
    // meanwhile are kept for the next drain. Returns the number applied. Call on the UI thread.
    int drain(const std::function<void(const RoomEvent&)>& apply);
    // Deletes every pending event (stopping an engine game).
    void clear();
    // Number of pending events.
    size_t size() const;

private:
    mutable std::mutex lock_;       // guards events_ and generation_
    std::deque<RoomEvent> events_;  // in posting order
    uint64_t generation_ = 0;       // bumped by clear(): a running drain stops applying
};

}  // namespace tessera
