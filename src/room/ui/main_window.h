#pragma once
// The main window: the rooms as child windows of one QMdiArea, the room bar (a tab per open
// room, in registration order), the information bar with one panel per room, the toolbars,
// the status bar with the prisoner counts, and the window-level commands (new room, close all,
// keep on top, the View toggles of every bar). Room commands act on the active room and are
// built from the room's command table in one place (room_actions.h).

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <initializer_list>

#include <map>
#include <vector>
#include "room/room_commands.h"

#include "room/room_registry.h"

class QAction;
class QActionGroup;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QStackedWidget;
class QTabBar;
class QTextBrowser;
class QToolBar;

namespace tessera {

class RoomWindow;
class RoomActions;
struct DesktopDefaults;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // defaults: the process-wide settings new rooms copy; it must outlive the window.
    explicit MainWindow(DesktopDefaults& defaults, QWidget* parent = nullptr);
    ~MainWindow() override;

    // "新建棋室(&N)": a new room with an empty game; nullptr (and nothing else happens) when
    // ten rooms are open.
    RoomWindow* newRoom();
    // Opens a record file in a room of its own (or, when reuseUntouchedRoom, in the active room
    // when that holds an untouched new game). Shows a message and returns false when it cannot
    // be read; the window is then exactly as before. A record whose moves land on occupied
    // points opens with a warning.
    bool openRecordFile(const QString& file, bool reuseUntouchedRoom = true);
    // "关闭所有窗口": closes the active room until none is left (a room that refuses to
    // close stops the loop).
    void closeAllRooms();
    // "保持窗体在最前面": toggles the stay-on-top flag without moving the window.
    void toggleKeepOnTop();
    bool keepOnTop() const { return keepOnTop_; }

    // The active room, or nullptr.
    RoomWindow* activeRoom() const;
    // The open rooms in registration order.
    std::vector<RoomWindow*> rooms() const;
    int roomCount() const { return registry_.size(); }
    // The number of a room, or -1.
    int roomNumber(const RoomWindow* room) const { return registry_.numberOf(room); }
    // Activates the room at the tab index (outside the list nothing happens).
    void activateRoomAt(int index);
    QTabBar* roomTabs() const { return roomTabs_; }
    QMdiArea* mdiArea() const { return mdi_; }
    // The title of a room's tab: "棋室 <number>".
    static QString roomTabTitle(int number);

    // Shows the prisoner counts (or any status text of the active room).
    void showRoomStatus(const QString& text);
    // Shows a passing message of the active room (an answer's verdict) in the status bar.
    void showAnnouncement(const QString& text);
    // A room's title or state changed: refresh its frame caption, the bars and the commands.
    void roomChanged(RoomWindow* room);
    // Re-reads the enabled and checked state of every room command.
    void updateCommands();
    // The window's menus by role, for the application to add its own items.
    QMenu* settingsMenu() const { return settingsMenu_; }
    QMenu* fileMenu() const { return fileMenu_; }
    QMenu* trainingMenu() const { return trainingMenu_; }
    DesktopDefaults& defaults() { return defaults_; }

signals:
    // A record file was opened in a room (File > Open, the command line, a drop...).
    void recordFileOpened(const QString& file);
    void systemSettingsRequested();
    void boardPropertiesRequested();
    void languageDialogRequested();
    // "中文" writes 0, "英文(English)" writes 1 to LANG.
    void languageMenuChosen(int langValue);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Quitting closes every room first; a room whose changes the user keeps open stops it.
    void closeEvent(QCloseEvent* event) override;

private slots:
    void onSubWindowActivated(QMdiSubWindow* window);
    void onTabSelected(int index);

private:
    void createWindowActions();
    void createMenus();
    void createBars();
    void addCommands(QWidget* target, CommandList list);
    void addBarToggle(QMenu* menu, const QString& text, std::vector<QWidget*> bars, const QKeySequence& key = {});
    void registerRoom(RoomWindow* room, QMdiSubWindow* sub);
    void unregisterRoom(RoomWindow* room);
    QMdiSubWindow* subWindowOf(const RoomWindow* room) const;
    void openFileDialog();
    void saveActiveRoom(bool asSgf);
    void handToExternalEditor();
    void toggleStoneSound();
    void refreshGameInfoBar();

    DesktopDefaults& defaults_;
    RoomRegistry<RoomWindow> registry_;
    std::map<const RoomWindow*, QPointer<QMdiSubWindow>> subWindows_;
    bool keepOnTop_ = false;
    bool closingAll_ = false;
    const RoomWindow* closingActiveRoom_ = nullptr;  // the active room while its window closes

    QMdiArea* mdi_ = nullptr;
    QTabBar* roomTabs_ = nullptr;
    QLabel* statusPrisoners_ = nullptr;
    QStackedWidget* infoPanels_ = nullptr;  // one page per room
    QTextBrowser* gameInfoView_ = nullptr;
    QDockWidget* infoDock_ = nullptr;
    QDockWidget* gameInfoDock_ = nullptr;
    QToolBar* mainToolBar_ = nullptr;
    QToolBar* playToolBar_ = nullptr;
    QToolBar* practiceToolBar_ = nullptr;
    QToolBar* replayToolBar_ = nullptr;
    QToolBar* editToolBar_ = nullptr;
    QToolBar* trainingToolBar_ = nullptr;
    QMenu* trainingMenu_ = nullptr;
    QToolBar* roomBar_ = nullptr;
    QMenu* fileMenu_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* moveMenu_ = nullptr;
    QMenu* gameMenu_ = nullptr;
    QMenu* viewMenu_ = nullptr;
    QMenu* windowMenu_ = nullptr;
    QMenu* settingsMenu_ = nullptr;
    RoomActions* roomActions_ = nullptr;

    QAction* newRoomAction_ = nullptr;
    QAction* openAction_ = nullptr;
    QAction* saveSggAction_ = nullptr;
    QAction* exportSgfAction_ = nullptr;
    QAction* externalEditorAction_ = nullptr;
    QAction* closeAllAction_ = nullptr;
    QAction* keepOnTopAction_ = nullptr;
    QAction* stoneSoundAction_ = nullptr;
    QAction* gameInfoAction_ = nullptr;
};

}  // namespace tessera
