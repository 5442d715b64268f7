#include "room/room_commands.h"

#include "room/game_room.h"

namespace tessera {

namespace {

using Run = std::function<void(GameRoom&)>;
using Test = std::function<bool(const GameRoom&)>;

bool always(const GameRoom&) { return true; }
bool hasNode(const GameRoom& room) { return room.currentNode() != nullptr; }
bool listRoom(const GameRoom& room) { return room.canOpenFirstRecord(); }

RoomCommand command(int id, int alternateId, const char* source, const char* shortcut, RoomCommandGroup group, Run run,
                    Test enabled, Test checked = nullptr) {
    RoomCommand entry;
    entry.id = id;
    entry.alternateId = alternateId;
    entry.source = source;
    entry.shortcut = shortcut;
    entry.group = group;
    entry.run = std::move(run);
    entry.enabled = std::move(enabled);
    entry.checked = std::move(checked);
    return entry;
}

std::vector<RoomCommand> buildTable() {
    std::vector<RoomCommand> t;
    // Navigation.
    t.push_back(command(32849, 0, "第一手", "Home", kGroupMove, &GameRoom::goFirst,
                        [](const GameRoom& r) { return r.canGoFirst(); }));
    t.push_back(command(32850, 0, "快退(前5手)", "PgUp", kGroupMove, &GameRoom::goBack5,
                        [](const GameRoom& r) { return r.canGoBack(); }));
    t.push_back(command(32851, 0, "前一手", "Left", kGroupMove, &GameRoom::goPrev,
                        [](const GameRoom& r) { return r.canGoBack(); }));
    t.push_back(command(32852, 0, "下一手", "Right", kGroupMove, &GameRoom::goNext,
                        [](const GameRoom& r) { return r.canGoForward(); }));
    t.push_back(command(32853, 0, "快进(后5手)", "PgDown", kGroupMove, &GameRoom::goForward5,
                        [](const GameRoom& r) { return r.canGoForward(); }));
    t.push_back(command(32854, 0, "最后一手", "End", kGroupMove, &GameRoom::goLast,
                        [](const GameRoom& r) { return r.canGoForward(); }));
    t.push_back(command(32926, 0, "跳到第N手", "Ctrl+G", kGroupMove, &GameRoom::askMoveNumber,
                        [](const GameRoom& r) { return r.canGoToMoveNumber(); }));
    t.push_back(command(32855, 0, "前一解说", "Ctrl+Up", kGroupMove, &GameRoom::goPrevComment,
                        [](const GameRoom& r) { return r.canGoComment(); }));
    t.push_back(command(32856, 0, "下一解说", "Ctrl+Down", kGroupMove, &GameRoom::goNextComment,
                        [](const GameRoom& r) { return r.canGoComment(); }));
    t.push_back(command(32868, 0, "自动打谱", "F5", kGroupMove, &GameRoom::startAutoReplay,
                        [](const GameRoom& r) { return r.autoReplay() || r.canStartAutoReplay(); },
                        [](const GameRoom& r) { return r.autoReplay(); }));
    t.push_back(command(32869, 0, "停止自动打谱", "Shift+F5", kGroupMove, &GameRoom::stopAutoReplay,
                        [](const GameRoom& r) { return r.autoReplay(); }));
    // Trial play, undo, side to move.
    t.push_back(command(32865, 32785, "试下", "Ctrl+T", kGroupEdit, &GameRoom::toggleTrial,
                        [](const GameRoom& r) { return r.canToggleTrial(); },
                        [](const GameRoom& r) { return r.trialActive(); }));
    t.push_back(command(32866, 32784, "重新研究", "Ctrl+R", kGroupEdit, &GameRoom::restartTrial,
                        [](const GameRoom& r) { return r.canRestartTrial(); }));
    t.push_back(command(32867, 32772, "研讨结束", "Ctrl+E", kGroupEdit, &GameRoom::endTrial,
                        [](const GameRoom& r) { return r.canEndTrial(); }));
    t.push_back(command(32786, 0, "悔棋", "Ctrl+Z", kGroupEdit, &GameRoom::undoLastMove,
                        [](const GameRoom& r) { return r.canUndoLastMove(); }));
    t.push_back(command(32787, 0, "悔到当前位置", "Ctrl+Shift+Z", kGroupEdit, &GameRoom::undoToCurrent,
                        [](const GameRoom& r) { return r.canUndoToCurrent(); }));
    t.push_back(command(33010, 0, "设置当前状态为黑下", "", kGroupEdit, [](GameRoom& r) { r.setSideToMove(1); },
                        [](const GameRoom& r) { return r.canSetSideToMove(); },
                        [](const GameRoom& r) { return r.currentNode() && r.sideToMove() == 1; }));
    t.push_back(command(33011, 0, "设置当前状态为白下", "", kGroupEdit, [](GameRoom& r) { r.setSideToMove(2); },
                        [](const GameRoom& r) { return r.canSetSideToMove(); },
                        [](const GameRoom& r) { return r.currentNode() && r.sideToMove() == 2; }));
    // Click modes.
    struct ModeEntry {
        int id;
        const char* text;
        const char* shortcut;
    };
    static const ModeEntry modes[] = {
        {32824, "交替走子", "F2"},   {32821, "添加黑子", ""},     {32823, "添加白子", ""},
        {33013, "掩码操作", ""},     {32817, "标记死子", ""},     {32827, "添加文字", ""},
        {32828, "添加圆圈", ""},     {32829, "添加叉", ""},       {32830, "添加方块", ""},
        {32831, "添加三角", ""},     {32832, "删除标记", ""},     {32834, "添加自由文字", ""},
    };
    for (uint32_t mode = 0; mode < 12; ++mode)
        t.push_back(command(modes[mode].id, 0, modes[mode].text, modes[mode].shortcut, kGroupEdit,
                            [mode](GameRoom& r) { r.setClickMode(mode); }, always,
                            [mode](const GameRoom& r) { return r.clickMode() == mode; }));
    // Markup and masks.
    t.push_back(command(32833, 0, "删除所有标记", "", kGroupEdit, &GameRoom::clearAllMarks, hasNode));
    t.push_back(command(32788, 0, "全部掩盖", "", kGroupEdit, &GameRoom::maskAll, hasNode));
    t.push_back(command(32789, 0, "全部显示", "", kGroupEdit, &GameRoom::unmaskAll, hasNode));
    t.push_back(command(32794, 0, "反转掩码", "", kGroupEdit, &GameRoom::invertMask, hasNode));
    t.push_back(command(32790, 0, "选者矩形区域", "", kGroupEdit, &GameRoom::toggleRectSelect,
                        [](const GameRoom& r) { return r.canToggleRectSelect(); },
                        [](const GameRoom& r) { return r.rectSelect(); }));
    t.push_back(command(32814, 0, "导入棋盘图象", "", kGroupEdit, &GameRoom::importBoardImage,
                        [](const GameRoom& r) { return r.canImportBoardImage(); }));
    // Move numbers.
    static const char* numberTexts[] = {"不显示手数", "显示最后一手", "显示最后5手", "显示最后50手", "显示所有手数"};
    for (uint32_t mode = 0; mode < 5; ++mode)
        t.push_back(command(33017 + static_cast<int>(mode), 0, numberTexts[mode], "", kGroupView,
                            [mode](GameRoom& r) { r.setMoveNumberMode(mode); }, always,
                            [mode](const GameRoom& r) { return r.moveNumberMode() == mode; }));
    t.push_back(command(32781, 0, "调整显示手数", "F3", kGroupView, &GameRoom::cycleMoveNumberMode, always));
    // Display transforms.
    t.push_back(command(33005, 0, "水平翻转", "", kGroupView, &GameRoom::toggleFlipX, always,
                        [](const GameRoom& r) { return r.display().flipX; }));
    t.push_back(command(32777, 0, "垂直翻转", "", kGroupView, &GameRoom::toggleFlipY, always,
                        [](const GameRoom& r) { return r.display().flipY; }));
    t.push_back(command(32775, 0, "交换XY", "", kGroupView, &GameRoom::toggleTranspose, always,
                        [](const GameRoom& r) { return r.display().transpose; }));
    t.push_back(command(33009, 0, "顺时针旋转90度", "", kGroupView, &GameRoom::rotateClockwise, always));
    t.push_back(command(32779, 0, "逆时针旋转90度", "", kGroupView, &GameRoom::rotateCounterClockwise, always));
    t.push_back(command(33006, 0, "恢复原始坐标", "", kGroupView, &GameRoom::resetTransform,
                        [](const GameRoom& r) { return r.canResetTransform(); }));
    // Information panels.
    static const char* panelTexts[] = {"显示解说信息", "显示全局知识库信息", "显示全局统计分析信息", "显示局部统计分析信息"};
    for (int bit = 0; bit < 4; ++bit)
        t.push_back(command(32870 + bit, 0, panelTexts[bit], "", kGroupView,
                            [bit](GameRoom& r) { r.toggleInfoPanel(bit); }, always,
                            [bit](const GameRoom& r) { return (r.infoPanels() >> bit) & 1u; }));
    // Game: new game, the record list, counting, custom status.
    t.push_back(command(32815, 0, "开始新局(独自摆棋)", "", kGroupGame, &GameRoom::newGame, always));
    t.push_back(command(32803, 0, "第一个棋谱", "", kGroupGame, &GameRoom::openFirstRecord, listRoom));
    t.push_back(command(32804, 0, "上一个棋谱", "", kGroupGame, &GameRoom::openPreviousRecord,
                        [](const GameRoom& r) { return r.canOpenPreviousRecord(); }));
    t.push_back(command(32805, 0, "下一个棋谱", "", kGroupGame, &GameRoom::openNextRecord,
                        [](const GameRoom& r) { return r.canOpenNextRecord(); }));
    t.push_back(command(32806, 0, "最后一个棋谱", "", kGroupGame, &GameRoom::openLastRecord, listRoom));
    t.push_back(command(32808, 0, "随机选择棋谱", "", kGroupGame, &GameRoom::openRandomRecord,
                        [](const GameRoom& r) { return r.canOpenRandomRecord(); }));
    t.push_back(command(kCommandCount, 0, "点算胜负", "", kGroupGame, [](GameRoom& r) { r.count(); },
                        [](const GameRoom& r) { return r.canCount(); }));
    static const char* statusTexts[] = {"标记为未读棋谱", "标记为已读棋谱", "标记为热门棋谱"};
    for (int status = 0; status < 3; ++status)
        t.push_back(command(32940 + status, 0, statusTexts[status], "", kGroupGame,
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

const RoomCommand* findRoomCommand(int id) {
    for (const RoomCommand& entry : roomCommands())
        if (entry.id == id || (entry.alternateId != 0 && entry.alternateId == id))
            return &entry;
    return nullptr;
}

bool runRoomCommand(GameRoom& room, int id) {
    const RoomCommand* entry = findRoomCommand(id);
    if (!entry || !entry->enabled(room))
        return false;
    entry->run(room);
    return true;
}

}  // namespace tessera
