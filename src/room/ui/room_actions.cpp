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
        add(command);
}

QAction* RoomActions::add(const RoomCommand& command) {
    const QString text = QCoreApplication::translate("GameRoom", command.source);
    const QString shortcut = QString::fromUtf8(command.shortcut);
    const RoomCommandId id = command.id;
    auto* action = new QAction(text, this);
    // A tool button may have shorter words than the menu ("tool bar" translations); the tool
    // tip keeps the menu's.
    const QString toolText = QCoreApplication::translate("GameRoom", command.source, "tool bar");
    if (toolText != QString::fromUtf8(command.source))
        action->setIconText(toolText);
    if (!shortcut.isEmpty()) {
        action->setShortcut(QKeySequence(shortcut));
        // The shortcut works wherever the focus is inside the main window (board, tree).
        action->setShortcutContext(Qt::WindowShortcut);
    }
    action->setCheckable(static_cast<bool>(command.checked));
    action->setIcon(roomCommandIcon(command.icon));
    action->setIconVisibleInMenu(false);
    action->setStatusTip(text);
    connect(action, &QAction::triggered, this, [this, id] {
        if (RoomWindow* room = activeRoom_())
            room->runCommand(id);
    });
    actions_[id] = action;
    return action;
}

QAction* RoomActions::action(RoomCommandId id) const {
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
        if (action->isCheckable())
            action->setChecked(checked);
    }
}

}  // namespace tessera
