#include "app/ui/library_desk.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QHeaderView>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTableWidget>
#include <QTimer>

#include "app/settings.h"
#include "app/ui/progress_dialog_run.h"
#include "library/library_game_file.h"
#include "library/library_import.h"
#include "library/ui/library_search_dialog.h"
#include "platform/failure_reason.h"
#include "room/game_room.h"
#include "room/library_room_list.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "training/ui/book_import_dialog.h"
#include "training/ui/problem_book_dialog.h"
#include "update/ui/online_update_dialog.h"

namespace tessera {

LibraryDesk::LibraryDesk(const std::string& programFolder, const std::string& rootFolder,
                         const std::string& vantorIniPath, InterfaceLanguage interfaceLanguage)
    : programFolder_(programFolder),
      vantorIniPath_(vantorIniPath),
      language_(interfaceLanguage),
      store_(programFolder, &marks_) {
    marks_.load(markFilePath(rootFolder));
    std::string error;
    if (!store_.open(LibraryAccess::readWrite, error)) {
        // A read-only library can still be searched and browsed.
        std::string readError;
        if (error.find("read-only") != std::string::npos)
            store_.open(LibraryAccess::readOnly, readError);
        openError_ = QString::fromStdString(userFailureReason(error));
    }
    if (store_.isOpen())
        store_.loadCatalogue(catalogue_);
}

LibraryDesk::~LibraryDesk() { saveMarks(); }

void LibraryDesk::saveMarks() { marks_.saveIfChanged(); }

void LibraryDesk::detach() {
    if (dockTimer_)
        dockTimer_->stop();
    window_ = nullptr;
    dock_ = nullptr;
    resultTable_ = nullptr;
    actions_.clear();
}

void LibraryDesk::attach(MainWindow* window) {
    window_ = window;
    QMenu* menu = window->fileMenu();
    menu->addSeparator();
    auto add = [&](const QString& text, auto slot) {
        QAction* action = menu->addAction(text);
        connect(action, &QAction::triggered, this, slot);
        action->setEnabled(store_.isOpen());
        actions_.push_back(action);
        return action;
    };
    add(tr("导入棋谱..."), [this] {
        const QString folder = QFileDialog::getExistingDirectory(window_, tr("导入棋谱"));
        if (folder.isEmpty())
            return;
        const QString summary = importPaths({folder});
        QMessageBox::information(window_, tr("导入棋谱"), summary);
    });
    add(tr("查询棋谱..."), [this] { runSearchDialog(); });
    QAction* booksAction = add(tr("教程和题库..."), [this] { runTutorialDialog(); });
    QAction* importBookAction = add(tr("导入题库..."), [this] { runBookImportDialog(); });
    add(tr("在线更新..."), [this] { runOnlineUpdate(); });
    // The training menu offers the books too.
    if (QMenu* training = window->trainingMenu()) {
        QAction* first = training->actions().value(0);
        training->insertAction(first, booksAction);
        training->insertAction(first, importBookAction);
        training->insertSeparator(first);
    }

    dock_ = new QDockWidget(tr("棋谱列表"), window);
    dock_->setObjectName("libraryResultDock");
    resultTable_ = new QTableWidget(0, 9);
    resultTable_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    resultTable_->setSelectionBehavior(QAbstractItemView::SelectRows);
    resultTable_->setSelectionMode(QAbstractItemView::SingleSelection);
    resultTable_->verticalHeader()->hide();
    connect(resultTable_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        RoomWindow* room = window_->activeRoom();
        const QTableWidgetItem* item = resultTable_->item(row, 0);
        if (!room || !item || !room->room().libraryList())
            return;
        std::string error;
        auto list = room->room().libraryList();
        if (!room->room().openFromLibrary(list, item->data(Qt::UserRole).toInt(), room->room().roomKind(), error))
            room->showMessage(error);
        window_->roomChanged(room);
    });
    dock_->setWidget(resultTable_);
    window->addDockWidget(Qt::RightDockWidgetArea, dock_);
    dock_->hide();
    // The dock follows the active room: its list, the current game and its mark.
    dockTimer_ = new QTimer(this);
    connect(dockTimer_, &QTimer::timeout, this, [this] { refreshDock(); });
    dockTimer_->start(200);

    if (!openError_.isEmpty()) {
        // Said once, without blocking start-up; the rest of the program works on.
        auto* box = new QMessageBox(QMessageBox::Warning, QApplication::applicationDisplayName(),
                                    tr("棋谱库不能使用: %1").arg(openError_), QMessageBox::Ok, window);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setObjectName("libraryOpenError");
        box->setModal(false);
        QTimer::singleShot(0, box, [box] { box->show(); });
    }
}

void LibraryDesk::refreshDock() {
    if (!window_ || !dock_)
        return;
    RoomWindow* room = window_->activeRoom();
    const auto* list = room ? dynamic_cast<const LibraryRoomList*>(room->room().libraryList().get()) : nullptr;
    const bool libraryRoom =
        list && (room->room().roomKind() == kRoomLibrary || room->room().roomKind() == kRoomTraining);
    if (!libraryRoom) {
        if (dock_->isVisible())
            dock_->hide();
        shownList_ = nullptr;
        return;
    }
    const int index = room->room().libraryIndex();
    const int mark = list->customStatus(index);
    if (list != shownList_) {
        LibrarySearchDialog::fillGameTable(resultTable_, list->records());
        shownList_ = list;
        shownIndex_ = -2;
    }
    if (index != shownIndex_ || mark != shownMark_) {
        for (int row = 0; row < resultTable_->rowCount(); ++row)
            if (resultTable_->item(row, 0) && resultTable_->item(row, 0)->data(Qt::UserRole).toInt() == index) {
                resultTable_->selectRow(row);
                break;
            }
        shownIndex_ = index;
        shownMark_ = mark;
    }
    if (!dock_->isVisible())
        dock_->show();
}

void LibraryDesk::runWithProgress(const QString& label,
                                  const std::function<void(const ImportProgress&, const std::atomic<bool>*)>& work) {
    runWithProgressDialog(window_, label, [&](std::atomic<int>& percent, const std::atomic<bool>& cancel) {
        work([&](size_t done, size_t total) { percent = total ? static_cast<int>(100 * done / total) : 0; }, &cancel);
    });
    store_.loadCatalogue(catalogue_);
}

QString LibraryDesk::importPaths(const QStringList& paths) {
    std::vector<std::string> list;
    for (const QString& path : paths)
        list.push_back(path.toStdString());
    ImportSummary summary;
    bool ok = true;
    runWithProgress(tr("正在导入棋谱..."), [&](const ImportProgress& progress, const std::atomic<bool>* cancel) {
        ok = importRecords(store_, list, {}, summary, progress, cancel);
    });
    QString text = tr("导入 %1 个棋谱, 重复 %2 个, 不能读取 %3 个")
                       .arg(summary.imported)
                       .arg(summary.duplicates)
                       .arg(summary.refused);
    if (summary.cancelled)
        text += "\n" + tr("导入已取消");
    if (!ok)
        text += "\n" + QString::fromStdString(userFailureReason(summary.error));
    return text;
}

void LibraryDesk::setUpdateHooks(ProgramLog* log, std::function<void()> reopenData) {
    log_ = log;
    reopenData_ = std::move(reopenData);
}

void LibraryDesk::runOnlineUpdate() {
    OnlineUpdateDialog dialog(store_, LoadOnlineUpdateUrl(vantorIniPath_), log_, window_);
    connect(&dialog, &OnlineUpdateDialog::updateFinished, this, [this](bool dataChanged) {
        if (!dataChanged)
            return;
        store_.loadCatalogue(catalogue_);
        if (reopenData_)
            reopenData_();
    });
    dialog.exec();
}

RoomWindow* LibraryDesk::targetRoom() {
    RoomWindow* room = window_->activeRoom();
    return room ? room : window_->newRoom();
}

bool LibraryDesk::showQueryResult(const LibraryQuery& query, std::vector<LibraryRecord> records, int index,
                                  RoomKind kind, int32_t startNode, bool newRoom, const BoardGrid& highlight) {
    RoomWindow* room = newRoom ? window_->newRoom() : targetRoom();
    if (!room)
        return false;
    auto list = std::make_shared<LibraryRoomList>(store_, marks_, libraryDownloadRoot(vantorIniPath_), query,
                                                  std::move(records));
    if (list->size() == 0)
        return false;
    std::string error;
    const bool ok = room->room().openFromLibrary(list, std::clamp(index, 0, list->size() - 1), kind, error, startNode);
    if (!ok) {
        // The failure stays visible in the room's frame title.
        if (QWidget* frame = room->parentWidget())
            frame->setWindowTitle(QString::fromStdString(error));
        return false;
    }
    if (highlight.isUsable())
        room->room().setHighlight(highlight);
    window_->roomChanged(room);
    refreshDock();
    return true;
}

void LibraryDesk::runSearchDialog() {
    RoomWindow* active = window_->activeRoom();
    LibraryQuery current;
    if (active)
        if (const auto* list = dynamic_cast<const LibraryRoomList*>(active->room().libraryList().get()))
            current = list->query();
    LibrarySearchDialog dialog(store_, language_, current, window_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    auto results = dialog.results();
    showQueryResult(dialog.query(), std::move(results), dialog.pickedIndex(), kRoomLibrary);
}

void LibraryDesk::runTutorialDialog() {
    const ProblemBookList books = loadProblemBooks(programFolder_ + "TPBs.ini", language_);
    ProblemBookDialog dialog(books, window_);
    if (dialog.exec() != QDialog::Accepted || dialog.chosenIndex() < 0)
        return;
    startBook(books.books[static_cast<size_t>(dialog.chosenIndex())]);
}

bool LibraryDesk::startBook(const ProblemBook& book) {
    LibraryQuery query;
    query.kind = kQueryByIndex;
    query.group = book.group;
    query.file = book.block;
    std::vector<LibraryRecord> records;
    runLibraryQuery(store_, query, records);
    RoomWindow* room = targetRoom();
    if (!room)
        return false;
    auto list = std::make_shared<LibraryRoomList>(store_, marks_, libraryDownloadRoot(vantorIniPath_), query,
                                                  std::move(records));
    std::string error;
    const bool ok = room->room().startTraining(list, book.singlePlay != 0, error);
    if (!ok)
        if (QWidget* frame = room->parentWidget())
            frame->setWindowTitle(QString::fromStdString(error));
    window_->roomChanged(room);
    refreshDock();
    if (ok && list->size() == 0)
        QMessageBox::information(window_, tr("教程和题库"), tr("这个题库没有题目"));
    return ok;
}

void LibraryDesk::runBookImportDialog() {
    BookImportDialog dialog(window_);
    if (dialog.exec() != QDialog::Accepted)
        return;
    QMessageBox::information(window_, tr("导入题库"), importBook(dialog.request()));
}

QString LibraryDesk::importBook(const BookImportRequest& request) {
    BookImportResult result;
    bool ok = false;
    runWithProgress(tr("正在导入题目..."), [&](const ImportProgress& progress, const std::atomic<bool>* cancel) {
        ok = importProblemBook(store_, programFolder_, request, result, progress, cancel);
    });
    if (!ok)
        return tr("不能建立题库 %1: %2")
            .arg(QString::fromStdString(request.name), QString::fromStdString(userFailureReason(result.error)));
    QString text = tr("题库 %1: %2 道题 (新导入 %3 道, 已有 %4 道, 不能读取 %5 个文件)")
                       .arg(QString::fromStdString(request.name))
                       .arg(result.problems)
                       .arg(result.summary.imported)
                       .arg(result.summary.duplicates)
                       .arg(result.summary.refused);
    if (result.summary.cancelled)
        text += "\n" + tr("导入已取消");
    return text;
}

}  // namespace tessera
