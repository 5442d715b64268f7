#pragma once
// The game library in the desktop program: the store, the user's marks and the catalogue
// opened at start-up, the commands "导入棋谱", "查询棋谱", "教程和题库" and "在线更新" in the File menu,
// and the dock beside the rooms that lists the active library room's result.
//
// A library that cannot be opened (locked, read-only, not SQLite) is reported once in a
// message and its commands are disabled; nothing in the file is changed.

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <functional>
#include <memory>
#include <string>

#include "library/game_mark_map.h"
#include "library/library_catalogue.h"
#include "library/library_query.h"
#include "library/library_store.h"
#include "platform/interface_language.h"
#include "room/game_room.h"
#include "training/book_import.h"
#include "training/problem_books.h"

class QAction;
class QDockWidget;
class QTableWidget;
class QTimer;

namespace tessera {

class MainWindow;
class RoomWindow;
class LibraryRoomList;
class ProgramLog;

class LibraryDesk : public QObject {
    Q_OBJECT
public:
    // Opens go.db of the program folder (created when missing), reads the marks file of the
    // root folder and loads the catalogue. error: why the library is unusable (empty when fine).
    LibraryDesk(const std::string& programFolder, const std::string& rootFolder, const std::string& vantorIniPath,
                InterfaceLanguage interfaceLanguage);
    ~LibraryDesk() override;

    // Adds the commands to the window's File menu and the result dock beside the rooms.
    void attach(MainWindow* window);
    // Forgets the window (before it is destroyed): the dock stops following the rooms.
    void detach();
    // Writes the marks file when a mark changed (at shutdown).
    void saveMarks();

    bool available() const { return store_.isOpen(); }
    const QString& openError() const { return openError_; }
    LibraryStore& store() { return store_; }
    GameMarkMap& marks() { return marks_; }
    const LibraryCatalogue& catalogue() const { return catalogue_; }

    // "导入棋谱" on files or a folder, with a cancellable progress dialog; the summary text.
    QString importPaths(const QStringList& paths);
    // Runs a query and shows its result in the active room (a new room when none or when
    // newRoom is set), opening the game at index at startNode with the pattern highlight (when
    // usable, GameRoom::setHighlight). False with the failure text in the room's frame title.
    bool showQueryResult(const LibraryQuery& query, std::vector<LibraryRecord> records, int index, RoomKind kind,
                         int32_t startNode = 0, bool newRoom = false, const BoardGrid& highlight = BoardGrid());
    // The search dialog; returns when it closes.
    void runSearchDialog();
    // The tutorial and problem books of TPBs.ini ("选择练习题库"); returns when the dialog closes.
    void runTutorialDialog();
    // Makes the active room (a new one when none) a training room on the book. False when no
    // room could be had or the first problem could not be read (said in the frame title).
    bool startBook(const ProblemBook& book);
    // "导入题库": the folder and titles dialog, then the import with a progress dialog.
    void runBookImportDialog();
    // Makes or extends a book from the request with a cancellable progress dialog; the
    // summary text.
    QString importBook(const BookImportRequest& request);
    QTableWidget* resultTable() const { return resultTable_; }
    // "在线更新": the update dialog against OnLineUpdateURL; returns when it closes. The
    // catalogue is reloaded and reopenData called when the update changed anything.
    void runOnlineUpdate();
    // Where update failures are logged, and what reopens the data files the program keeps open.
    void setUpdateHooks(ProgramLog* log, std::function<void()> reopenData);

private:
    void refreshDock();
    // Runs work on a worker thread behind a cancellable progress dialog with the label.
    void runWithProgress(const QString& label,
                         const std::function<void(const ImportProgress&, const std::atomic<bool>*)>& work);
    RoomWindow* targetRoom();

    std::string programFolder_;
    std::string vantorIniPath_;
    InterfaceLanguage language_;
    GameMarkMap marks_;
    LibraryStore store_;
    LibraryCatalogue catalogue_;
    QString openError_;
    QPointer<MainWindow> window_;
    QDockWidget* dock_ = nullptr;
    QTableWidget* resultTable_ = nullptr;
    QTimer* dockTimer_ = nullptr;
    const void* shownList_ = nullptr;
    int shownIndex_ = -2;
    int shownMark_ = -2;
    std::vector<QAction*> actions_;
    ProgramLog* log_ = nullptr;
    std::function<void()> reopenData_;
};

}  // namespace tessera
