#include "app/ui/pattern_desk.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QProgressDialog>
#include <atomic>
#include <chrono>
#include <thread>

#include "app/ui/hint_details_dialog.h"
#include "app/ui/library_desk.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "stats/stats_builder.h"
#include "platform/failure_reason.h"

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
}

void PatternDesk::detach() {
    if (details_)
        details_->close();
    window_ = nullptr;
}

QString PatternDesk::buildStatistics() {
    if (!library_ || !library_->available())
        return tr("棋谱库无法打开");
    QProgressDialog progress(tr("正在生成统计数据..."), tr("取消"), 0, 100, window_);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    std::atomic<bool> cancel{false}, finished{false};
    std::atomic<int> percent{0};
    StatsBuildSummary summary;
    std::string error;
    bool ok = false;
    std::thread worker([&] {
        ok = tessera::buildStatistics(library_->store(), programFolder_, StatsBuildOptions(), summary, error,
                                      [&](const std::string& stage, size_t done, size_t total) {
                                          // Reading takes most of the time: 0-80 %, writing the rest.
                                          const int share = total ? static_cast<int>(done * 80 / total) : 0;
                                          percent = stage == "reading" ? share : 80 + share / 4;
                                          return !cancel.load();
                                      });
        finished = true;
    });
    while (!finished) {
        if (progress.wasCanceled())
            cancel = true;
        progress.setValue(percent);
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    worker.join();
    progress.setValue(100);
    bases_.open(programFolder_);  // the new files replaced the old ones
    if (!ok)
        return cancel ? tr("生成统计数据已取消") : tr("无法生成统计数据: %1").arg(QString::fromStdString(userFailureReason(error)));
    return tr("%1 个棋谱: 全局 %2 个局面, 局部 %3 个局面")
        .arg(summary.gamesRead)
        .arg(summary.globalPositions)
        .arg(summary.localPositions);
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

}  // namespace tessera
