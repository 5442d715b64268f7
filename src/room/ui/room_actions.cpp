#include "room/ui/room_actions.h"

#include <QAction>
#include <QCoreApplication>

#include "room/room_commands.h"
#include "room/ui/room_icons.h"
#include "room/ui/room_window.h"

namespace tessera {

RoomActions::RoomActions(std::function<RoomWindow*()> activeRoom, QObject* parent)
    : QObject(parent), activeRoom_(std::move(activeRoom)) {
    for (const RoomCommand& command : roomCommands())
        add(command.id, QCoreApplication::translate("GameRoom", command.source), QString::fromUtf8(command.shortcut),
            static_cast<bool>(command.checked));
    // Commands the window runs itself.
    add(kCommandRules, tr("规则"), QString(), false);
    add(RoomWindow::kCommandGameInfo, tr("编辑棋谱描述信息"), "Ctrl+I", false);
}

QAction* RoomActions::add(int id, const QString& text, const QString& shortcut, bool checkable) {
    auto* action = new QAction(text, this);
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
        // The shortcut works wherever the focus is inside the main window (board, tree).
        action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setCheckable(checkable);
    action->setIcon(roomCommandIcon(id));
    action->setIconVisibleInMenu(false);
    action->setStatusTip(text);
    connect(action, &QAction::triggered, this, [this, id] {
        if (RoomWindow* room = activeRoom_()) room->runCommand(id);
    });
    actions_[id] = action;
    return action;
}

QAction* RoomActions::action(int id) const {
    auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void RoomActions::update(const RoomWindow* room) {
    for (auto& [id, action] : actions_) {
        const RoomCommand* command = findRoomCommand(id);
        bool enabled = room != nullptr;
        bool checked = false;
        if (room != nullptr && command != nullptr) {
            enabled = command->enabled(room->room());
            checked = command->checked && command->checked(room->room());
        }
        action->setEnabled(enabled);
        if (action->isCheckable()) action->setChecked(checked);
    }
}

}  // namespace tessera
