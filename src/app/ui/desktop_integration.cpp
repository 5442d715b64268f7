#include "app/ui/desktop_integration.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

#include "app/ui/record_file_drop.h"
#include "app/ui/single_instance.h"
#include "room/room_registry.h"
#include "room/ui/main_window.h"

namespace tessera {

DesktopIntegration::DesktopIntegration(MainWindow& window, const std::string& recentFilesIni)
    : QObject(&window), window_(window), recent_(recentFilesIni) {
    recent_.load();
    drop_ = new RecordFileDrop(window_);

    // The recent files sit after Open, before the first separator of the File menu.
    QMenu* file = window_.fileMenu();
    recentMenu_ = new QMenu(MainWindow::tr("最近打开的棋谱"), file);
    QAction* before = nullptr;
    for (QAction* action : file->actions())
        if (action->isSeparator()) {
            before = action;
            break;
        }
    file->insertMenu(before, recentMenu_);
    connect(recentMenu_, &QMenu::aboutToShow, this, &DesktopIntegration::fillRecentFilesMenu);
    fillRecentFilesMenu();

    connect(&window_, &MainWindow::recordFileOpened, this,
            [this](const QString& path) { recent_.add(QFileInfo(path).absoluteFilePath().toStdString()); });
}

DesktopIntegration::~DesktopIntegration() = default;

bool DesktopIntegration::listenForHandedFiles(const QString& name) {
    if (server_ == nullptr) {
        server_ = new SingleInstanceServer(this);
        connect(server_, &SingleInstanceServer::filesReceived, this, &DesktopIntegration::openHandedFiles);
    }
    return server_->listen(name);
}

void DesktopIntegration::openHandedFiles(const QStringList& files) {
    if (window_.isMinimized())
        window_.showNormal();
    window_.raise();
    window_.activateWindow();
    for (const QString& path : files)
        window_.openRecordFile(path);
}

void DesktopIntegration::fillRecentFilesMenu() {
    // Another window of the program may have opened files since the list was read.
    recent_.load();
    recentMenu_->clear();
    int number = 1;
    for (const std::string& path : recent_.files()) {
        const QString file = QString::fromStdString(path);
        // "&1 name" gives each entry a key; the full path is the tip.
        QString text = QFileInfo(file).fileName().replace('&', "&&");
        if (number < 10)
            text = QString("&%1 %2").arg(number).arg(text);
        QAction* action = recentMenu_->addAction(text, this, [this, file] { openRecentFile(file); });
        action->setToolTip(QDir::toNativeSeparators(file));
        action->setStatusTip(QDir::toNativeSeparators(file));
        ++number;
    }
    if (recent_.files().empty()) {
        recentMenu_->addAction(MainWindow::tr("(无)"))->setEnabled(false);
        return;
    }
    recentMenu_->addSeparator();
    recentMenu_->addAction(MainWindow::tr("清除列表"), this, [this] { recent_.clear(); });
}

void DesktopIntegration::openRecentFile(const QString& file) {
    // A file that no longer opens leaves the list (openRecordFile showed the reason); one
    // refused only because every room is taken stays.
    const bool roomFree = window_.roomCount() < kMaxOpenRooms;
    if (!window_.openRecordFile(file) && roomFree)
        recent_.remove(file.toStdString());
}

}  // namespace tessera
