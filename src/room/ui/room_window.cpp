#include "room/ui/room_window.h"

#include <QTextBrowser>
#include <QVBoxLayout>

#include "room/ui/desktop_defaults.h"
#include "room/ui/main_window.h"

namespace tessera {

RoomWindow::RoomWindow(MainWindow& mainWindow, DesktopDefaults& defaults, QWidget* parent)
    : QWidget(parent), mainWindow_(mainWindow), defaults_(defaults), preferences_(defaults.general), board_(defaults.board) {
    infoPanel_ = new QTextBrowser;
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setMinimumSize(320, 240);
}

RoomWindow::~RoomWindow() { delete infoPanel_; }

QString RoomWindow::roomTitle() const { return tr("无名文件"); }

QWidget* RoomWindow::infoPanel() const { return infoPanel_; }

bool RoomWindow::openFile(const QString& file, QString& error) {
    error = tr("无法打开文件");
    return false;
}

bool RoomWindow::untouched() const { return true; }

void RoomWindow::focusBoard() { setFocus(); }

void RoomWindow::setPreferences(const RoomPreferences& preferences) { preferences_ = preferences; }

void RoomWindow::applyBoardSettings(const BoardViewSettings& board) { board_ = board; }

}  // namespace tessera
