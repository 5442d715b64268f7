#pragma once
// The actions of the room commands, created once from the room's command table and shared by
// the menus, the toolbars and the board's context menu. Each acts on the active room and
// takes its enabled and checked state from the table's tests.

#include <QObject>
#include <functional>
#include <map>

class QAction;

namespace tessera {

class RoomWindow;

class RoomActions : public QObject {
    Q_OBJECT
public:
    // activeRoom: the room a triggered action runs on (nullptr: the actions are disabled).
    RoomActions(std::function<RoomWindow*()> activeRoom, QObject* parent = nullptr);

    // The action of a command id (its main id), or nullptr.
    QAction* action(int id) const;
    // Enables and checks every action for the room (all disabled without a room).
    void update(const RoomWindow* room);

private:
    QAction* add(int id, const QString& text, const QString& shortcut, bool checkable);

    std::function<RoomWindow*()> activeRoom_;
    std::map<int, QAction*> actions_;
};

}  // namespace tessera
