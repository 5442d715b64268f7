#include "app/ui/pattern_desk.h"

#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <atomic>

#include "app/ui/hint_details_dialog.h"
#include "app/ui/library_desk.h"
#include "app/ui/pattern_search_window.h"
#include "app/ui/progress_dialog_run.h"
#include "platform/failure_reason.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "stats/knowledge_builder.h"
#include "stats/stats_builder.h"

namespace tessera {

PatternDesk::PatternDesk(std::string programFolder) : programFolder_(std::move(programFolder)) {
    bases_.open(programFolder_);
}

PatternDesk::~PatternDesk() { bases_.close(); }

void PatternDesk::attach(MainWindow* window, LibraryDesk* library) {
    window_ = window;
    library_ = library;
    QAction* build = window->fileMenu()->addAction(tr("生成统计数据..."));
    build->setEnabled(library_ && library_->available());
    connect(build, &QAction::triggered, this, [this] {
        const QString summary = buildStatistics();
        QMessageBox::information(window_, tr("生成统计数据"), summary);
    });
    QAction* knowledge = window->fileMenu()->addAction(tr("生成知识库..."));
    connect(knowledge, &QAction::triggered, this, [this] {
        const QStringList files = QFileDialog::getOpenFileNames(window_, tr("选择带注释的棋谱"), QString(),
                                                                tr("棋谱 (*.sgf *.gib *.sgg);;所有文件 (*)"));
        if (!files.isEmpty())
            QMessageBox::information(window_, tr("生成知识库"), buildKnowledge(files));
    });
    QAction* search = window->fileMenu()->addAction(tr("搜索棋型..."));
    search->setObjectName("searchPattern");
    search->setEnabled(library_ && library_->available());
    connect(search, &QAction::triggered, this, [this] {
        if (RoomWindow* room = window_ ? window_->activeRoom() : nullptr)
            showPatternSearch(*room);
    });
}

void PatternDesk::detach() {
    if (details_)
        details_->close();
    if (search_)
        search_->close();  // stops its search while the library is still there
    window_ = nullptr;
}

QString PatternDesk::buildStatistics() {
    if (!library_ || !library_->available())
        return tr("棋谱库无法打开");
    StatsBuildSummary summary;
    std::string error;
    bool ok = false;
    runWithProgressDialog(
        window_, tr("正在生成统计数据..."), [&](std::atomic<int>& percent, const std::atomic<bool>& cancel) {
            ok = tessera::buildStatistics(library_->store(), programFolder_, StatsBuildOptions(), summary, error,
                                          [&](const std::string& stage, size_t done, size_t total) {
                                              // Reading takes most of the time: 0-80 %, writing the rest.
                                              const int share = total ? static_cast<int>(done * 80 / total) : 0;
                                              percent = stage == "reading" ? share : 80 + share / 4;
                                              return !cancel.load();
                                          });
        });
    bases_.open(programFolder_);  // the new files replaced the old ones
    if (!ok)
        return error == "cancelled" ? tr("生成统计数据已取消")
                                    : tr("无法生成统计数据: %1").arg(QString::fromStdString(userFailureReason(error)));
    return tr("%1 个棋谱: 全局 %2 个局面, 局部 %3 个局面")
        .arg(summary.gamesRead)
        .arg(summary.globalPositions)
        .arg(summary.localPositions);
}

QString PatternDesk::buildKnowledge(const QStringList& files) {
    std::vector<std::string> paths;
    for (const QString& file : files)
        paths.push_back(file.toStdString());
    KnowledgeBuildSummary summary;
    std::string error;
    bool ok = false;
    runWithProgressDialog(
        window_, tr("正在生成知识库..."), [&](std::atomic<int>& percent, const std::atomic<bool>& cancel) {
            ok = tessera::buildKnowledge(paths, programFolder_, summary, error, [&](size_t done, size_t total) {
                percent = total ? static_cast<int>(done * 100 / total) : 0;
                return !cancel.load();
            });
        });
    bases_.open(programFolder_);
    QString text = ok ? tr("%1 个棋谱: %2 条知识").arg(summary.files).arg(summary.notes)
                   : error == "cancelled"
                       ? tr("生成知识库已取消")
                       : tr("无法生成知识库: %1").arg(QString::fromStdString(userFailureReason(error)));
    // The files that could not be read are named (the first ten).
    if (summary.refusedFiles > 0)
        text += "\n" + tr("无法读取 %1 个文件:").arg(summary.refusedFiles);
    for (size_t k = 0; k < summary.refused.size() && k < 10; ++k)
        text += "\n" + QString::fromStdString(summary.refused[k]);
    return text;
}

HintDetailsDialog* PatternDesk::showHintDetails(RoomWindow& room) {
    if (!library_)
        return nullptr;
    if (!details_)
        details_ = new HintDetailsDialog(*library_, window_);
    details_->bind(room);
    details_->show();
    details_->raise();
    return details_;
}

PatternSearchWindow* PatternDesk::showPatternSearch(RoomWindow& room) {
    if (!library_)
        return nullptr;
    if (!search_)
        search_ = new PatternSearchWindow(*library_, programFolder_, window_);
    search_->bindToRoom(room);
    search_->show();
    search_->raise();
    return search_;
}

}  // namespace tessera
