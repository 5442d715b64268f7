#pragma once
// The command table of a game room: one entry per command, from which the window builds its
// menus, toolbars and context menu. An entry's enabled test is the same test that guards the
// operation, so a disabled menu item and a refused command always agree.

#include <functional>
#include <string>
#include <vector>

namespace tessera {

class GameRoom;

// Menu groups, for the window's menu layout.
enum RoomCommandGroup : int {
    kGroupMove = 0,     // "移动": navigation and replay
    kGroupEdit = 1,     // "编辑": trial play, undo, tools, masks, markup
    kGroupView = 2,     // display: move numbers, transforms, information panels
    kGroupGame = 3,     // "游戏": new game, records of the list, counting, custom status
};

struct RoomCommand {
    int id = 0;                 // command id
    int alternateId = 0;        // a second id for the same command (toolbar), 0 when none
    const char* source = "";    // source text (Simplified Chinese); translate with uiText("GameRoom", ...)
    const char* shortcut = "";  // key sequence text ("Ctrl+Left"), empty when none
    RoomCommandGroup group = kGroupEdit;
    std::function<void(GameRoom&)> run;            // the operation
    std::function<bool(const GameRoom&)> enabled;  // never null
    std::function<bool(const GameRoom&)> checked;  // null for commands that are not checkable
};

// Every room command, in menu order.
const std::vector<RoomCommand>& roomCommands();

// The entry whose id or alternate id is `id`, or nullptr.
const RoomCommand* findRoomCommand(int id);

// Runs the command when it is enabled; false when unknown or disabled.
bool runRoomCommand(GameRoom& room, int id);

// Command ids without a fixed number elsewhere.
constexpr int kCommandRules = 33101;  // "规则": the window opens the rules dialog, then GameRoom::setRules
constexpr int kCommandCount = 33102;  // "点算胜负"

}  // namespace tessera
