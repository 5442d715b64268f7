#include "room/room_commands.h"

#include "room/game_room.h"

namespace tessera {

namespace {

using Id = RoomCommandId;
using Icon = CommandIcon;
using Run = std::function<void(GameRoom&)>;
using Test = std::function<bool(const GameRoom&)>;

bool always(const GameRoom&) { return true; }
bool hasNode(const GameRoom& room) { return room.currentNode() != nullptr; }
bool listRoom(const GameRoom& room) { return room.canOpenFirstRecord(); }

RoomCommand command(Id id, const char* source, const char* shortcut, Icon icon, Run run, Test enabled,
                    Test checked = nullptr) {
    RoomCommand entry;
    entry.id = id;
    entry.source = source;
    entry.shortcut = shortcut;
    entry.icon = icon;
    entry.run = std::move(run);
    entry.enabled = std::move(enabled);
    entry.checked = std::move(checked);
    return entry;
}

std::vector<RoomCommand> buildTable() {
    std::vector<RoomCommand> t;
    // Navigation.
    t.push_back(command(Id::FirstMove, "第一手", "Home", Icon::SkipBackward, &GameRoom::goFirst,
                        [](const GameRoom& r) { return r.canGoFirst(); }));
    t.push_back(command(Id::Back5, "快退(前5手)", "PgUp", Icon::SeekBackward, &GameRoom::goBack5,
                        [](const GameRoom& r) { return r.canGoBack(); }));
    t.push_back(command(Id::PreviousMove, "前一手", "Left", Icon::ArrowLeft, &GameRoom::goPrev,
                        [](const GameRoom& r) { return r.canGoBack(); }));
    t.push_back(command(Id::NextMove, "下一手", "Right", Icon::ArrowRight, &GameRoom::goNext,
                        [](const GameRoom& r) { return r.canGoForward(); }));
    t.push_back(command(Id::Forward5, "快进(后5手)", "PgDown", Icon::SeekForward, &GameRoom::goForward5,
                        [](const GameRoom& r) { return r.canGoForward(); }));
    t.push_back(command(Id::LastMove, "最后一手", "End", Icon::SkipForward, &GameRoom::goLast,
                        [](const GameRoom& r) { return r.canGoForward(); }));
    t.push_back(command(Id::GoToMoveNumber, "跳到第N手", "Ctrl+G", Icon::None, &GameRoom::askMoveNumber,
                        [](const GameRoom& r) { return r.canGoToMoveNumber(); }));
    t.push_back(command(Id::PreviousComment, "前一解说", "Ctrl+Up", Icon::None, &GameRoom::goPrevComment,
                        [](const GameRoom& r) { return r.canGoComment(); }));
    t.push_back(command(Id::NextComment, "下一解说", "Ctrl+Down", Icon::None, &GameRoom::goNextComment,
                        [](const GameRoom& r) { return r.canGoComment(); }));
    t.push_back(command(
        Id::AutoReplay, "自动打谱", "Ctrl+P", Icon::Play, &GameRoom::startAutoReplay,
        [](const GameRoom& r) { return r.autoReplay() || r.canStartAutoReplay(); },
        [](const GameRoom& r) { return r.autoReplay(); }));
    t.push_back(command(Id::StopAutoReplay, "停止自动打谱", "Ctrl+Shift+P", Icon::Stop, &GameRoom::stopAutoReplay,
                        [](const GameRoom& r) { return r.autoReplay(); }));
    // Trial play, undo, side to move.
    t.push_back(command(
        Id::Trial, "试下", "Ctrl+T", Icon::Trial, &GameRoom::toggleTrial,
        [](const GameRoom& r) { return r.canToggleTrial(); }, [](const GameRoom& r) { return r.trialActive(); }));
    t.push_back(command(Id::RestartTrial, "重新研究", "Ctrl+R", Icon::Restart, &GameRoom::restartTrial,
                        [](const GameRoom& r) { return r.canRestartTrial(); }));
    t.push_back(command(Id::EndTrial, "研讨结束", "Ctrl+E", Icon::EndTrial, &GameRoom::endTrial,
                        [](const GameRoom& r) { return r.canEndTrial(); }));
    t.push_back(command(Id::Undo, "悔棋", "Ctrl+Z", Icon::Undo, &GameRoom::undoLastMove,
                        [](const GameRoom& r) { return r.canUndoLastMove(); }));
    t.push_back(command(Id::UndoToCurrent, "悔到当前位置", "Ctrl+Shift+Z", Icon::None, &GameRoom::undoToCurrent,
                        [](const GameRoom& r) { return r.canUndoToCurrent(); }));
    t.push_back(command(
        Id::BlackToPlay, "设置当前状态为黑下", "", Icon::None, [](GameRoom& r) { r.setSideToMove(1); },
        [](const GameRoom& r) { return r.canSetSideToMove(); },
        [](const GameRoom& r) { return r.currentNode() && r.sideToMove() == 1; }));
    t.push_back(command(
        Id::WhiteToPlay, "设置当前状态为白下", "", Icon::None, [](GameRoom& r) { r.setSideToMove(2); },
        [](const GameRoom& r) { return r.canSetSideToMove(); },
        [](const GameRoom& r) { return r.currentNode() && r.sideToMove() == 2; }));
    // Click modes, in mode order.
    struct ModeEntry {
        Id id;
        const char* text;
        const char* shortcut;
        Icon icon;
    };
    static const ModeEntry modes[] = {
        {Id::ModePlay, "交替走子", "F2", Icon::AlternatePlay},
        {Id::ModeAddBlack, "添加黑子", "", Icon::AddBlack},
        {Id::ModeAddWhite, "添加白子", "", Icon::AddWhite},
        {Id::ModeMask, "掩码操作", "", Icon::Mask},
        {Id::ModeDeadStones, "标记死子", "", Icon::DeadStones},
        {Id::ModeNextLetter, "添加文字", "", Icon::Letter},
        {Id::ModeCircle, "添加圆圈", "", Icon::Circle},
        {Id::ModeCross, "添加叉", "", Icon::Cross},
        {Id::ModeSquare, "添加方块", "", Icon::Square},
        {Id::ModeTriangle, "添加三角", "", Icon::Triangle},
        {Id::ModeRemoveMark, "删除标记", "", Icon::Eraser},
        {Id::ModeFreeLabel, "添加自由文字", "", Icon::FreeLabel},
    };
    for (uint32_t mode = 0; mode < 12; ++mode)
        t.push_back(command(
            modes[mode].id, modes[mode].text, modes[mode].shortcut, modes[mode].icon,
            [mode](GameRoom& r) { r.setClickMode(static_cast<ClickMode>(mode)); }, always,
            [mode](const GameRoom& r) { return r.clickMode() == static_cast<ClickMode>(mode); }));
    // Markup and masks.
    t.push_back(command(Id::ClearMarks, "删除所有标记", "", Icon::None, &GameRoom::clearAllMarks, hasNode));
    t.push_back(command(Id::MaskAll, "全部掩盖", "", Icon::None, &GameRoom::maskAll, hasNode));
    t.push_back(command(Id::UnmaskAll, "全部显示", "", Icon::None, &GameRoom::unmaskAll, hasNode));
    t.push_back(command(Id::InvertMask, "反转掩码", "", Icon::None, &GameRoom::invertMask, hasNode));
    t.push_back(command(
        Id::RectangleSelect, "选者矩形区域", "", Icon::None, &GameRoom::toggleRectSelect,
        [](const GameRoom& r) { return r.canToggleRectSelect(); }, [](const GameRoom& r) { return r.rectSelect(); }));
    t.push_back(command(Id::ImportBoardImage, "导入棋盘图象", "", Icon::None, &GameRoom::importBoardImage,
                        [](const GameRoom& r) { return r.canImportBoardImage(); }));
    t.push_back(command(Id::GameInfo, "编辑棋谱描述信息", "Ctrl+I", Icon::None, nullptr, always));
    t.push_back(command(Id::NodeProperties, "节点属性...", "Ctrl+K", Icon::None, nullptr, hasNode));
    t.push_back(command(Id::CopyBoardPicture, "复制棋盘图片", "Ctrl+Shift+C", Icon::None, nullptr, always));
    t.push_back(command(Id::ExportBoardPicture, "导出棋盘图片...", "", Icon::None, nullptr, always));
    // Move numbers, in mode order.
    static const Id numberIds[] = {Id::NumbersNone, Id::NumbersLast, Id::NumbersLast5, Id::NumbersLast50,
                                   Id::NumbersAll};
    static const char* numberTexts[] = {"不显示手数", "显示最后一手", "显示最后5手", "显示最后50手", "显示所有手数"};
    for (uint32_t mode = 0; mode < 5; ++mode)
        t.push_back(command(
            numberIds[mode], numberTexts[mode], "", Icon::None, [mode](GameRoom& r) { r.setMoveNumberMode(mode); },
            always, [mode](const GameRoom& r) { return r.moveNumberMode() == mode; }));
    t.push_back(command(Id::CycleNumbers, "调整显示手数", "F3", Icon::None, &GameRoom::cycleMoveNumberMode, always));
    // Display transforms.
    t.push_back(command(Id::FlipX, "水平翻转", "", Icon::None, &GameRoom::toggleFlipX, always,
                        [](const GameRoom& r) { return r.display().flipX; }));
    t.push_back(command(Id::FlipY, "垂直翻转", "", Icon::None, &GameRoom::toggleFlipY, always,
                        [](const GameRoom& r) { return r.display().flipY; }));
    t.push_back(command(Id::Transpose, "交换XY", "", Icon::None, &GameRoom::toggleTranspose, always,
                        [](const GameRoom& r) { return r.display().transpose; }));
    t.push_back(command(Id::RotateClockwise, "顺时针旋转90度", "", Icon::None, &GameRoom::rotateClockwise, always));
    t.push_back(command(Id::RotateCounterClockwise, "逆时针旋转90度", "", Icon::None, &GameRoom::rotateCounterClockwise,
                        always));
    t.push_back(command(Id::ResetTransform, "恢复原始坐标", "", Icon::None, &GameRoom::resetTransform,
                        [](const GameRoom& r) { return r.canResetTransform(); }));
    // Information panels, in bit order.
    static const Id panelIds[] = {Id::PanelComments, Id::PanelKnowledge, Id::PanelGlobalStats, Id::PanelLocalStats};
    static const char* panelTexts[] = {"显示解说信息", "显示全局知识库信息", "显示全局统计分析信息",
                                       "显示局部统计分析信息"};
    for (int bit = 0; bit < 4; ++bit)
        t.push_back(command(
            panelIds[bit], panelTexts[bit], "", Icon::None, [bit](GameRoom& r) { r.toggleInfoPanel(bit); }, always,
            [bit](const GameRoom& r) { return (r.infoPanels() >> bit) & 1u; }));
    // Game: new game, the record list, rules, counting, custom status.
    t.push_back(command(Id::NewGame, "开始新局(独自摆棋)", "", Icon::NewFile, &GameRoom::newGame, always));
    t.push_back(command(Id::FirstRecord, "第一个棋谱", "", Icon::None, &GameRoom::openFirstRecord, listRoom));
    t.push_back(command(Id::PreviousRecord, "上一个棋谱", "F5", Icon::None, &GameRoom::openPreviousRecord,
                        [](const GameRoom& r) { return r.canOpenPreviousRecord(); }));
    t.push_back(command(Id::NextRecord, "下一个棋谱", "F6", Icon::None, &GameRoom::openNextRecord,
                        [](const GameRoom& r) { return r.canOpenNextRecord(); }));
    t.push_back(command(Id::LastRecord, "最后一个棋谱", "", Icon::None, &GameRoom::openLastRecord, listRoom));
    t.push_back(command(Id::RandomRecord, "随机选择棋谱", "", Icon::None, &GameRoom::openRandomRecord,
                        [](const GameRoom& r) { return r.canOpenRandomRecord(); }));
    t.push_back(command(Id::Match, "对弈", "Ctrl+F8", Icon::None, nullptr, always));
    t.push_back(command(Id::Pass, "停一手", "", Icon::None, &GameRoom::passInGame,
                        [](const GameRoom& r) { return r.canPassInGame(); }));
    t.push_back(command(Id::Resign, "认输", "", Icon::None, &GameRoom::resignGame,
                        [](const GameRoom& r) { return r.canResignGame(); }));
    t.push_back(command(Id::Rules, "规则", "", Icon::None, nullptr, always));
    t.push_back(command(
        Id::Count, "点算胜负", "", Icon::Count, [](GameRoom& r) { r.count(); },
        [](const GameRoom& r) { return r.canCount(); }));
    // Training on problems.
    const Test problem = [](const GameRoom& r) { return r.isProblemRecord(); };
    t.push_back(command(Id::StepBack, "后退", "Backspace", Icon::None, &GameRoom::stepBack, problem));
    t.push_back(command(Id::ShowAnswer, "正解", "F11", Icon::None, &GameRoom::showAnswer, problem));
    t.push_back(command(Id::RestartProblem, "重做", "", Icon::Restart, &GameRoom::restartProblem, problem));
    t.push_back(command(Id::Hint, "提示", "F12", Icon::None, &GameRoom::toggleHint, always,
                        [](const GameRoom& r) { return r.settings().preferences.showCue; }));
    t.push_back(command(Id::OneUserStudy, "一人研究", "", Icon::None, &GameRoom::toggleOneUserStudy, problem,
                        [](const GameRoom& r) { return r.oneUserStudy(); }));
    t.push_back(command(Id::ShowBranches, "显示分枝", "", Icon::None, &GameRoom::toggleBranches, always,
                        [](const GameRoom& r) { return r.settings().preferences.showBranch; }));
    t.push_back(command(Id::RandomOrientation, "随机坐标变换", "", Icon::None, &GameRoom::toggleRandomOrientation,
                        problem, [](const GameRoom& r) { return r.settings().preferences.randomOrientation; }));
    static const Id statusIds[] = {Id::MarkUnread, Id::MarkRead, Id::MarkPopular};
    static const char* statusTexts[] = {"标记为未读棋谱", "标记为已读棋谱", "标记为热门棋谱"};
    for (int status = 0; status < 3; ++status)
        t.push_back(command(
            statusIds[status], statusTexts[status], "", Icon::None,
            [status](GameRoom& r) { r.setCustomStatus(status); },
            [](const GameRoom& r) { return r.canSetCustomStatus(); },
            [status](const GameRoom& r) { return r.customStatus() == status; }));
    return t;
}

}  // namespace

const std::vector<RoomCommand>& roomCommands() {
    static const std::vector<RoomCommand> table = buildTable();
    return table;
}

const RoomCommand* findRoomCommand(RoomCommandId id) {
    for (const RoomCommand& entry : roomCommands())
        if (entry.id == id)
            return &entry;
    return nullptr;
}

bool runRoomCommand(GameRoom& room, RoomCommandId id) {
    const RoomCommand* entry = findRoomCommand(id);
    if (!entry || !entry->run || !entry->enabled(room))
        return false;
    entry->run(room);
    return true;
}

const std::vector<RoomCommandId>& commandList(CommandList list) {
    using enum RoomCommandId;
    static const std::vector<RoomCommandId> lists[] = {
        // EditMenu
        {Trial, RestartTrial, EndTrial, Separator, Undo, UndoToCurrent, Separator, BlackToPlay, WhiteToPlay, Separator},
        // ToolsMenu
        {ModePlay, ModeAddBlack, ModeAddWhite, ModeMask, ModeDeadStones, ModeNextLetter, ModeCircle, ModeCross,
         ModeSquare, ModeTriangle, ModeRemoveMark, ModeFreeLabel},
        // EditMenuEnd
        {Separator, ClearMarks, Separator, MaskAll, UnmaskAll, InvertMask, RectangleSelect, Separator, ImportBoardImage,
         CopyBoardPicture, ExportBoardPicture, Separator, NodeProperties, GameInfo},
        // MoveMenu
        {FirstMove, Back5, PreviousMove, NextMove, Forward5, LastMove, Separator, GoToMoveNumber, Separator,
         PreviousComment, NextComment, Separator, AutoReplay, StopAutoReplay},
        // GameMenu
        {NewGame, Match, Pass, Resign, Separator, FirstRecord, PreviousRecord, NextRecord, LastRecord, RandomRecord,
         Separator, Rules, ModeDeadStones, Count, Separator, MarkUnread, MarkRead, MarkPopular},
        // NumbersMenu
        {NumbersNone, NumbersLast, NumbersLast5, NumbersLast50, NumbersAll, Separator, CycleNumbers},
        // TransformMenu
        {FlipX, FlipY, Transpose, Separator, RotateClockwise, RotateCounterClockwise, Separator, ResetTransform},
        // PanelsMenu
        {Separator, PanelComments, PanelKnowledge, PanelGlobalStats, PanelLocalStats},
        // ReplayToolBar
        {FirstMove, Back5, PreviousMove, NextMove, Forward5, LastMove, Separator, AutoReplay, StopAutoReplay},
        // PracticeToolBar
        {Trial, RestartTrial, EndTrial, Separator, Undo},
        // PlayToolBar
        {NewGame, Match, Pass, Resign, Count},
        // EditToolBar
        {ModePlay, ModeAddBlack, ModeAddWhite, Separator, ModeCircle, ModeCross, ModeSquare, ModeTriangle,
         ModeNextLetter, ModeFreeLabel, ModeRemoveMark, Separator, ModeMask, ModeDeadStones},
        // ContextMenu
        {PanelComments, PanelKnowledge, PanelGlobalStats, PanelLocalStats, Separator, CopyBoardPicture,
         ExportBoardPicture, Separator, NodeProperties},
        // TrainingMenu
        {StepBack, ShowAnswer, RestartProblem, Separator, Hint, OneUserStudy, ShowBranches, RandomOrientation,
         Separator, FirstRecord, PreviousRecord, NextRecord, LastRecord, RandomRecord},
        // TrainingToolBar
        {StepBack, ShowAnswer, RestartProblem, Separator, Hint, OneUserStudy, ShowBranches, RandomOrientation},
    };
    return lists[static_cast<int>(list)];
}

}  // namespace tessera
