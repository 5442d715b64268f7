#pragma once
// One room's child window: the board, the variation tree and the comment pane, around the
// room's controller. (Filled in as the controller arrives.)

#include <QString>
#include <QWidget>

#include "room/ui/desktop_defaults.h"

class QTextBrowser;

namespace tessera {

class MainWindow;

class RoomWindow : public QWidget {
    Q_OBJECT
public:
    RoomWindow(MainWindow& mainWindow, DesktopDefaults& defaults, QWidget* parent = nullptr);
    ~RoomWindow() override;

    // The room title: "<file> -- <game title> -- 场景:<node>".
    QString roomTitle() const;
    // The panel of this room in the main window's information bar.
    QWidget* infoPanel() const;
    // Reads a record file into this room; false with a one-line reason.
    bool openFile(const QString& file, QString& error);
    // True for a new game nobody has touched (a file opened from the menu may replace it).
    bool untouched() const;
    // Gives the keyboard focus to the board.
    void focusBoard();
    // The room's copy of the general values and of the board values.
    const RoomPreferences& preferences() const { return preferences_; }
    void setPreferences(const RoomPreferences& preferences);
    const BoardViewSettings& boardSettings() const { return board_; }
    // Shows the board with these values at once.
    void applyBoardSettings(const BoardViewSettings& board);

private:
    MainWindow& mainWindow_;
    DesktopDefaults& defaults_;
    RoomPreferences preferences_;
    BoardViewSettings board_;
    QTextBrowser* infoPanel_ = nullptr;
};

}  // namespace tessera
