#pragma once
// What makes the main window a good citizen of the desktop: the application icon on every
// window, the recent files in the File menu, record files dropped onto the window, and the
// files other starts of the program hand over (single_instance.h).

#include <QObject>
#include <QStringList>
#include <memory>
#include <string>

#include "app/recent_files.h"

class QMenu;

namespace tessera {

class MainWindow;
class RecordFileDrop;
class SingleInstanceServer;

class DesktopIntegration : public QObject {
    Q_OBJECT
public:
    // `window` must outlive this object; `recentFilesIni` keeps the recent files list.
    DesktopIntegration(MainWindow& window, const std::string& recentFilesIni);
    ~DesktopIntegration() override;

    // Receives the files other starts hand over on `name`; false when another program
    // already listens there.
    bool listenForHandedFiles(const QString& name);
    // Opens handed-over files like File > Open and brings the window to the front.
    void openHandedFiles(const QStringList& files);

    RecentFiles& recentFiles() { return recent_; }
    QMenu* recentFilesMenu() const { return recentMenu_; }

private:
    void fillRecentFilesMenu();
    void openRecentFile(const QString& file);

    MainWindow& window_;
    RecentFiles recent_;
    QMenu* recentMenu_ = nullptr;
    RecordFileDrop* drop_ = nullptr;
    SingleInstanceServer* server_ = nullptr;
};

}  // namespace tessera
