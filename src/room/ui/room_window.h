#pragma once
// One room's child window: the board, the variation tree and the comment pane around the
// room's controller (GameRoom). The window is the controller's host: its board widget draws
// the room's display and hands clicks, bands and cursor keys back to the room; it keeps the tree in step, runs the
// room's timers, plays its sounds and asks the user for texts. A click on the board goes to the room; the mouse wheel
// over the board steps one move back or forward; a right click offers the four information switches.

#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>

#include "room/game_room.h"
#include "room/room_commands.h"
#include "room/ui/desktop_defaults.h"
#include "view/board_viewport.h"

class QLabel;
class QMenu;
class QSplitter;
class QTextBrowser;
class QTimer;
class QTreeWidget;
class QTreeWidgetItem;

namespace tessera {

class BoardWidget;
class MainWindow;

class RoomWindow : public QWidget, public RoomHost {
    Q_OBJECT
public:
    // A room with an empty new game, settings copied from defaults.
    RoomWindow(MainWindow& mainWindow, DesktopDefaults& defaults, QWidget* parent = nullptr);
    ~RoomWindow() override;

    GameRoom& room() { return *room_; }
    const GameRoom& room() const { return *room_; }
    BoardWidget* board() const { return board_; }
    QTreeWidget* variationTreeWidget() const { return tree_; }
    QTextBrowser* commentPane() const { return comment_; }

    // The room title: "<file> -- <game title> -- 场景:<node>".
    QString roomTitle() const;
    // The game information of the record as a short HTML summary (the game-information bar).
    QString gameSummary() const;
    // The panel of this room in the main window's information bar.
    QWidget* infoPanel() const;
    // Reads a record file into this room; false with a one-line reason (the room unchanged).
    bool openFile(const QString& file, QString& error);
    // Shows a record already read from file in this room.
    void openFileRecord(GameRecord record, const QString& file);
    // Writes the record (".sgg" or ".sgf" by the name); an SGG save renames the room's record.
    bool saveFile(const QString& file, QString& error);
    // Writes the record as SGF to a new private file for the outside editor (temp/ under the
    // program folder); the room deletes it when it closes or hands out the next copy.
    bool writeExternalCopy(QString& file, QString& error);
    // True for a new game nobody has touched (a file opened from the menu may replace it).
    bool untouched() const;
    // Gives the keyboard focus to the board.
    void focusBoard();
    // Runs a command of the room's command table (the window runs rules and game info itself).
    void runCommand(RoomCommandId id);
    // The four information switches (the board's context menu).
    QMenu* makeContextMenu();

    // The room's general values and the board's drawing values.
    const RoomPreferences& preferences() const { return room_->settings().preferences; }
    void setPreferences(const RoomPreferences& preferences);
    const BoardViewSettings& boardSettings() const;
    // Shows the board with these values at once.
    void applyBoardSettings(const BoardViewSettings& board);
    // Shows this room's prisoner counts in the main window's status bar.
    void refreshStatus();
    // The global stone-sound switch changed.
    void setStoneSound(bool on) { room_->settings().stoneSound = on; }

    // ---- RoomHost ----
    void redraw() override;
    void titleChanged(const std::string& roomTitle) override;
    void showMessage(const std::string& text) override;
    bool askText(const std::string& prompt, std::string& text) override;
    void playSound(int soundId, bool wait) override;
    void variationTreeChanged() override;
    void selectTreeItem(int32_t nodeId) override;
    void setStatusText(const std::string& text) override;
    void setCommentText(const std::string& text) override;
    void startTimer(int timerId, int periodMs) override;
    void stopTimer(int timerId) override;
    bool isActiveRoom() const override;
    bool commentPanelShown() const override;
    bool importBoardImage(BoardGrid& position, bool& whiteToPlay) override;
    void refreshStatistics(uint32_t infoPanels) override;
    // The hint pane's report text (the information bar).
    QTextBrowser* hintPane() const { return hintPane_; }
    void announceAnswer(bool right, const std::string& text) override;
    bool mayReplaceRecord() override { return settleChanges(); }
    // The last right or wrong announcement of a problem answer (empty before any).
    QString lastAnnouncement() const { return lastAnnouncement_; }

    // "规则": the rules dialog for this room.
    void editRules();
    // "编辑棋谱描述信息": the game information dialog for this room's record.
    void editGameInfo();
    // "节点属性": the name, move tag and evaluation of the current node.
    void editNode();
    // "对弈": the game settings dialog, then a match in this room (room_window_match.cpp).
    void startMatch();
    // Starts a match with these settings without the dialog.
    void startMatch(const MatchSetup& setup);

    // The answer to "save the changes?" when a modified room closes: Save, Discard or Cancel.
    // Null asks with a message box (tests answer here instead).
    std::function<QMessageBox::StandardButton()> saveQuestion;
    // Saves to the room's own SGF or SGG file, else asks for a name; false when not saved.
    bool saveChanges();
    // Before a modified record goes (the room closes, or the next library record replaces it):
    // asks to save it; true when it may go (saved, discarded, or nothing to save).
    bool settleChanges();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // A modified room asks whether to save its changes before it closes.
    void closeEvent(QCloseEvent* event) override;

private:
    void onPointChosen(int32_t point);
    void onTreeItemClicked(QTreeWidgetItem* item);
    void afterCommand();
    QString statusText_;
    QString lastAnnouncement_;
    QLabel* verdictBanner_ = nullptr;  // over the board while an answer's verdict is shown
    QTimer* verdictTimer_ = nullptr;

    MainWindow& mainWindow_;
    DesktopDefaults& defaults_;
    std::unique_ptr<GameRoom> room_;
    BoardWidget* board_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QTextBrowser* comment_ = nullptr;
    QSplitter* split_ = nullptr;
    QWidget* infoPanel_ = nullptr;      // shown in the main window's information bar
    QTextBrowser* hintPane_ = nullptr;  // in infoPanel_: the report of the pattern bases
    std::map<int, QTimer*> timers_;
    std::string externalCopy_;  // the outside editor's copy, deleted with the room
    bool touched_ = false;
    bool showingComment_ = false;  // the room is filling the comment pane, not the user
    int wheelSteps_ = 0;           // partial wheel turns of high-resolution wheels
};

}  // namespace tessera
