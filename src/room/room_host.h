#pragma once
// What a game room asks of the window that shows it. The room is plain logic; its window (or
// a test host that records the calls) implements this interface. Every call happens on the
// user-interface thread. The defaults do nothing, so a host implements only what it shows.

#include <cstdint>
#include <string>

#include "go/board_grid.h"
#include "view/sound_numbers.h"

namespace tessera {

// Timer numbers of a room window.
constexpr int kAutoReplayTimer = 1;    // period StoneDelay: autoReplayTick()
constexpr int kEventDrainTimer = 2;    // every 100 ms during a game against the computer: drainEvents()
constexpr int kProblemReplyTimer = 3;  // single shot after StoneDelay: the opponent's reply in a problem
constexpr int kAnswerWalkTimer = 4;    // period StoneDelay while "正解" walks the answer

class RoomHost {
public:
    virtual ~RoomHost() = default;

    // The board (position, overlay, mask, transform) changed: repaint from GameRoom::display().
    virtual void redraw() {}
    // The room title changed; frameTitle is the text for the room's frame window.
    virtual void titleChanged(const std::string& roomTitle) { (void)roomTitle; }
    // Shows a message box captioned with the application title; returns once confirmed.
    virtual void showMessage(const std::string& text) { (void)text; }
    // Asks the user for a text; false when cancelled. text holds the initial value.
    virtual bool askText(const std::string& prompt, std::string& text) {
        (void)prompt;
        (void)text;
        return false;
    }
    // Plays a sound by its number; with wait the call returns when the sound has finished.
    virtual void playSound(int soundId, bool wait) {
        (void)soundId;
        (void)wait;
    }
    // The variation tree model was rebuilt (GameRoom::variationTree()).
    virtual void variationTreeChanged() {}
    // Select the variation-tree item whose item data is nodeId.
    virtual void selectTreeItem(int32_t nodeId) { (void)nodeId; }
    // The status pane text (prisoner counts).
    virtual void setStatusText(const std::string& text) { (void)text; }
    // The comment window's text (the current node's comment).
    virtual void setCommentText(const std::string& text) { (void)text; }
    // Starts (or restarts) timer `timerId` with the period in milliseconds.
    virtual void startTimer(int timerId, int periodMs) {
        (void)timerId;
        (void)periodMs;
    }
    // Stops timer `timerId` (nothing when it is not running).
    virtual void stopTimer(int timerId) { (void)timerId; }
    // True when this room is the active room of the main window.
    virtual bool isActiveRoom() const { return true; }
    // True when the comment panel is shown.
    virtual bool commentPanelShown() const { return true; }
    // The statistics panels should look the new position up (infoPanels bits 1-3).
    virtual void refreshStatistics(uint32_t infoPanels) { (void)infoPanels; }
    // The engine game ended (message 3011 to the room window).
    virtual void engineGameOver() {}
    // A problem answer was judged: right or wrong, with the text to show (the room has
    // already played the sound).
    virtual void announceAnswer(bool right, const std::string& text) {
        (void)right;
        (void)text;
    }
    // The room's modified record is about to be replaced by another (the record-list
    // commands): true when it may go (saved or discarded), false keeps it (cancelled).
    virtual bool mayReplaceRecord() { return true; }
    // Runs the board image import dialog; true with the position and whether white is to play.
    virtual bool importBoardImage(BoardGrid& position, bool& whiteToPlay) {
        (void)position;
        (void)whiteToPlay;
        return false;
    }
};

}  // namespace tessera
