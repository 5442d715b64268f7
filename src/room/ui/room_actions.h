#pragma once
// The actions of the room commands, created once from the room's command table and shared by
// the menus, the toolbars and the board's context menu. Each acts on the active room and
// takes its enabled and checked state from the table's tests.

#include <QObject>
#include <functional>
#include <map>

#include "room/room_commands.h"

class QAction;

namespace tessera {

class RoomWindow;

class RoomActions : public QObject {
    Q_OBJECT
public:
    // activeRoom: the room a triggered action runs on (nullptr: the actions are disabled).
    RoomActions(std::function<RoomWindow*()> activeRoom, QObject* parent = nullptr);

    // The action of a command, or nullptr.
    QAction* action(RoomCommandId id) const;
    // Enables and checks every action for the room (all disabled without a room).
    void update(const RoomWindow* room);

private:
    QAction* add(const RoomCommand& command);

    std::function<RoomWindow*()> activeRoom_;
    std::map<RoomCommandId, QAction*> actions_;
};

}  // namespace tessera
