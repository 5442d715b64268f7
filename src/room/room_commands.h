#pragma once
// The command table of a game room: one entry per command (id, text, shortcut, icon,
// operation, enabled and checked tests), and the lists of ids from which the window builds its
// menus, tool bars and context menu. An entry's enabled test is the same test that guards the
// operation, so a disabled menu item and a refused command always agree.

#include <functional>
#include <string>
#include <vector>

namespace tessera {

class GameRoom;

// Every command of a room window. The numbers are the commands' stable resource numbers;
// Separator (0) stands between groups in the menu and tool bar lists.
enum class RoomCommandId : int {
    Separator = 0,
    // Moving through the record.
    FirstMove = 32849,
    Back5 = 32850,
    PreviousMove = 32851,
    NextMove = 32852,
    Forward5 = 32853,
    LastMove = 32854,
    GoToMoveNumber = 32926,
    PreviousComment = 32855,
    NextComment = 32856,
    AutoReplay = 32868,
    StopAutoReplay = 32869,
    // Trial play, undo, side to move.
    Trial = 32865,
    RestartTrial = 32866,
    EndTrial = 32867,
    Undo = 32786,
    UndoToCurrent = 32787,
    BlackToPlay = 33010,
    WhiteToPlay = 33011,
    // Click modes, in ClickMode order.
    ModePlay = 32824,
    ModeAddBlack = 32821,
    ModeAddWhite = 32823,
    ModeMask = 33013,
    ModeDeadStones = 32817,
    ModeNextLetter = 32827,
    ModeCircle = 32828,
    ModeCross = 32829,
    ModeSquare = 32830,
    ModeTriangle = 32831,
    ModeRemoveMark = 32832,
    ModeFreeLabel = 32834,
    // Markup and masks.
    ClearMarks = 32833,
    MaskAll = 32788,
    UnmaskAll = 32789,
    InvertMask = 32794,
    RectangleSelect = 32790,
    ImportBoardImage = 32814,
    // Move numbers, in mode order.
    NumbersNone = 33017,
    NumbersLast = 33018,
    NumbersLast5 = 33019,
    NumbersLast50 = 33020,
    NumbersAll = 33021,
    CycleNumbers = 32781,
    // Display transforms.
    FlipX = 33005,
    FlipY = 32777,
    Transpose = 32775,
    RotateClockwise = 33009,
    RotateCounterClockwise = 32779,
    ResetTransform = 33006,
    // Information panels, in bit order.
    PanelComments = 32870,
    PanelKnowledge = 32871,
    PanelGlobalStats = 32872,
    PanelLocalStats = 32873,
    // The game and the record list.
    NewGame = 32815,
    FirstRecord = 32803,
    PreviousRecord = 32804,
    NextRecord = 32805,
    LastRecord = 32806,
    RandomRecord = 32808,
    Count = 33102,
    MarkUnread = 32940,
    MarkRead = 32941,
    MarkPopular = 32942,
    // Training on problems.
    StepBack = 32929,
    ShowAnswer = 32930,
    RestartProblem = 32931,
    Hint = 32932,
    OneUserStudy = 32933,
    ShowBranches = 32934,
    RandomOrientation = 32935,
    Pass = 33120,    // "停一手" in a game against the computer
    Resign = 33121,  // "认输" in a game against the computer
    // Run by the window itself (its dialogs), not by the room.
    Match = 32816,  // "对弈": the game settings dialog, then a match in the room
    Rules = 33101,
    GameInfo = 33110,
    NodeProperties = 33111,      // "节点属性": the current node's name, move tag and evaluation
    ExportBoardPicture = 33130,  // "导出棋盘图片": the board as a PNG or SVG file
    CopyBoardPicture = 33131,    // "复制棋盘图片": the board as shown, to the clipboard
};

// The picture of a command's tool bar button (drawn by the window; None: text only).
enum class CommandIcon {
    None,
    SkipBackward,
    SeekBackward,
    ArrowLeft,
    ArrowRight,
    SeekForward,
    SkipForward,
    Play,
    Stop,
    NewFile,
    AlternatePlay,
    AddBlack,
    AddWhite,
    Mask,
    DeadStones,
    Letter,
    Circle,
    Cross,
    Square,
    Triangle,
    Eraser,
    FreeLabel,
    Trial,
    Restart,
    EndTrial,
    Undo,
    Count,
};

struct RoomCommand {
    RoomCommandId id = RoomCommandId::Separator;
    const char* source = "";    // source text (Simplified Chinese); translate with uiText("GameRoom", ...)
    const char* shortcut = "";  // key sequence text ("Ctrl+Left"), empty when none
    CommandIcon icon = CommandIcon::None;
    std::function<void(GameRoom&)> run;            // the operation; null for the window's own commands
    std::function<bool(const GameRoom&)> enabled;  // never null
    std::function<bool(const GameRoom&)> checked;  // null for commands that are not checkable
};

// Every command, in menu order.
const std::vector<RoomCommand>& roomCommands();

// The entry of the id, or nullptr.
const RoomCommand* findRoomCommand(RoomCommandId id);

// Runs the command when it is enabled and the room runs it; false when unknown, disabled or
// one of the window's own commands.
bool runRoomCommand(GameRoom& room, RoomCommandId id);

// The menus, tool bars and context menu of a room window.
enum class CommandList {
    EditMenu,         // "编辑": trial play, undo, side to move
    ToolsMenu,        // "棋盘工具" under "编辑": the click modes
    EditMenuEnd,      // the rest of "编辑": markup, masks, picture import, game information
    MoveMenu,         // "移动"
    GameMenu,         // "游戏"
    NumbersMenu,      // "手数显示" under "查看"
    TransformMenu,    // "坐标变换" under "查看"
    PanelsMenu,       // the information switches at the end of "查看"
    ReplayToolBar,    // "工具栏--打谱"
    PracticeToolBar,  // "工具栏--练习"
    PlayToolBar,      // "工具栏--对弈"
    EditToolBar,      // "工具栏--编辑"
    ContextMenu,      // the board's context menu
    TrainingMenu,     // "死活和官子训练"
    TrainingToolBar,  // "工具栏--训练"
};

// The ids of one menu or tool bar in order, Separator between groups.
const std::vector<RoomCommandId>& commandList(CommandList list);

}  // namespace tessera
