#pragma once
// A RoomHost that records what the room asked for, and helpers that build small records.

#include <map>
#include <string>
#include <vector>

#include "go/board_geometry.h"
#include "record/game_record.h"
#include "room/room_host.h"

namespace tessera::test {

struct RecordingHost : RoomHost {
    int redraws = 0;
    std::vector<std::string> titles;
    std::vector<std::string> messages;
    std::vector<std::string> answers;  // handed out by askText in order
    std::vector<std::pair<int, bool>> sounds;
    std::vector<int32_t> selected;
    int treeRebuilds = 0;
    std::string status;
    std::string comment;
    std::map<int, int> timers;  // running timers and their periods
    int gameOvers = 0;
    bool active = true;

    void redraw() override { ++redraws; }
    void titleChanged(const std::string& title) override { titles.push_back(title); }
    void showMessage(const std::string& text) override {
        messages.push_back(text);
        if (onMessage)
            onMessage();
    }
    bool askText(const std::string&, std::string& text) override {
        if (onMessage)
            onMessage();
        if (answers.empty())
            return false;
        text = answers.front();
        answers.erase(answers.begin());
        return true;
    }
    void playSound(int soundId, bool wait) override { sounds.emplace_back(soundId, wait); }
    void variationTreeChanged() override { ++treeRebuilds; }
    void selectTreeItem(int32_t nodeId) override { selected.push_back(nodeId); }
    void setStatusText(const std::string& text) override { status = text; }
    void setCommentText(const std::string& text) override { comment = text; }
    void startTimer(int timerId, int periodMs) override { timers[timerId] = periodMs; }
    void stopTimer(int timerId) override { timers.erase(timerId); }
    bool isActiveRoom() const override { return active; }
    void engineGameOver() override { ++gameOvers; }

    std::function<void()> onMessage;  // runs while a message box or prompt would be open
};

// The point of a player's coordinate on a board of the given size ("D4": column D, row 4 from the bottom).
inline int32_t pointOf(const char* text, int size = 19) {
    const char letter = text[0];
    const int x = letter - 'A' - (letter > 'I' ? 1 : 0);
    const int row = std::atoi(text + 1);
    return BoardGeometry(size, size).pointAt(x, size - row);
}

// A record whose main line is an empty root (id 0) followed by the moves, colours alternating
// from black; positions recomputed.
inline GameRecord lineRecord(const std::vector<const char*>& moves, int size = 19) {
    GameRecord record;
    record.info.boardWidth = record.info.boardHeight = static_cast<int16_t>(size);
    GameNode root;
    root.id = 0;
    record.tree.addNode(root);
    int32_t parent = 0;
    uint32_t colour = 1;
    for (const char* move : moves) {
        GameNode node;
        node.parentId = parent;
        node.move = Move{colour, pointOf(move, size)};
        parent = record.tree.addNode(node)->id;
        colour = 3 - colour;
    }
    record.recomputePositions();
    return record;
}

}  // namespace tessera::test
