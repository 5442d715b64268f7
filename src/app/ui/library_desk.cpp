#include "app/ui/library_desk.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QHeaderView>
#include <QInputDialog>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <QTableWidget>
#include <QTimer>
#include <thread>

#include "app/settings.h"
#include "library/library_game_file.h"
#include "library/library_import.h"
#include "library/ui/library_search_dialog.h"
#include "platform/ini_file.h"
#include "room/game_room.h"
#include "room/library_room_list.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "update/ui/online_update_dialog.h"

namespace tessera {

LibraryDesk::LibraryDesk(const std::string& programFolder, const std::string& rootFolder,
                         const std::string& vantorIniPath, int interfaceLanguage)
    : programFolder_(programFolder), vantorIniPath_(vantorIniPath), language_(interfaceLanguage),
      store_(programFolder, &marks_) {
    marks_.load(markFilePath(rootFolder));
    std::string error;
    if (!store_.open(LibraryAccess::readWrite, error)) {
        // A read-only library can still be searched and browsed.
        std::string readError;
        if (error.find("read-only") != std::string::npos)
            store_.open(LibraryAccess::readOnly, readError);
        openError_ = QString::fromStdString(error);
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
    add(tr("教程和题库..."), [this] { runTutorialDialog(); });
    add(tr("在线更新..."), [this] { runOnlineUpdate(); });

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
    const bool libraryRoom = list && (room->room().roomKind() == kRoomLibrary || room->room().roomKind() == kRoomTraining);
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

QString LibraryDesk::importPaths(const QStringList& paths) {
    std::vector<std::string> list;
    for (const QString& path : paths)
        list.push_back(path.toStdString());
    QProgressDialog progress(tr("正在导入棋谱..."), tr("取消"), 0, 100, window_);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    std::atomic<bool> cancel{false};
    std::atomic<size_t> done{0}, total{0};
    std::atomic<bool> finished{false};
    ImportSummary summary;
    bool ok = true;
    std::thread worker([&] {
        ok = importRecords(store_, list, {}, summary,
                           [&](size_t d, size_t t) {
                               done = d;
                               total = t;
                           },
                           &cancel);
        finished = true;
    });
    while (!finished) {
        if (progress.wasCanceled())
            cancel = true;
        const size_t t = total;
        progress.setValue(t ? static_cast<int>(100 * done / t) : 0);
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    worker.join();
    progress.setValue(100);
    store_.loadCatalogue(catalogue_);
    QString text = tr("导入 %1 个棋谱, 重复 %2 个, 不能读取 %3 个")
                       .arg(summary.imported)
                       .arg(summary.duplicates)
                       .arg(summary.refused);
    if (summary.cancelled)
        text += "\n" + tr("导入已取消");
    if (!ok)
        text += "\n" + QString::fromStdString(summary.error);
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

bool LibraryDesk::showQueryResult(const LibraryQuery& query, std::vector<LibraryRecord> records, int index, RoomKind kind,
                                  int32_t startNode, bool newRoom) {
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
    const IniDocument books = IniDocument::load(programFolder_ + "TPBs.ini");
    const int total = books.readInt("TPBS", "TOTAL", 0);
    QStringList titles;
    std::vector<std::string> sections;
    for (int k = 0; k < total && k < 1000; ++k) {
        const std::string section = "TPB_" + std::to_string(k);
        const std::string key = language_ == 0 ? "TITLE0" : language_ == 2 ? "TITLE2" : "TITLE1";
        titles << QString::fromStdString(books.readString(section, key, section));
        sections.push_back(section);
    }
    if (titles.isEmpty()) {
        QMessageBox::information(window_, tr("教程和题库"), tr("没有教程和题库"));
        return;
    }
    bool ok = false;
    const QString chosen = QInputDialog::getItem(window_, tr("教程和题库"), tr("选择教程或题库"), titles,
                                                 books.readInt("TPBS", "DEFAULT", 0), false, &ok);
    if (!ok)
        return;
    const std::string& section = sections[static_cast<size_t>(titles.indexOf(chosen))];
    LibraryQuery query;
    query.kind = kQueryByIndex;
    query.group = books.readString(section, "GROUP", "");
    query.file = books.readString(section, "BLOCK", "");
    std::vector<LibraryRecord> records;
    runLibraryQuery(store_, query, records);
    RoomWindow* room = targetRoom();
    if (room)
        room->room().settings().oneUserStudy = books.readInt(section, "SinglePlay", 0) != 0;
    if (!showQueryResult(query, std::move(records), 0, kRoomTraining) && room && room->room().libraryList() == nullptr)
        QMessageBox::information(window_, tr("教程和题库"), tr("这个题库没有棋谱"));
}

}  // namespace tessera
