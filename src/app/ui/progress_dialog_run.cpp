#include "app/ui/progress_dialog_run.h"

#include <QApplication>
#include <QProgressDialog>
#include <algorithm>
#include <chrono>
#include <thread>

namespace tessera {

void runWithProgressDialog(
    QWidget* parent, const QString& label,
    const std::function<void(std::atomic<int>& percent, const std::atomic<bool>& cancel)>& work) {
    QProgressDialog progress(label, QApplication::translate("ProgressDialog", "取消"), 0, 100, parent);
    progress.setWindowModality(Qt::WindowModal);
    progress.setMinimumDuration(300);
    std::atomic<bool> cancel{false}, finished{false};
    std::atomic<int> percent{0};
    std::thread worker([&] {
        work(percent, cancel);
        finished = true;
    });
    while (!finished) {
        if (progress.wasCanceled())
            cancel = true;
        progress.setValue(std::clamp(percent.load(), 0, 99));
        QApplication::processEvents(QEventLoop::AllEvents, 50);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    worker.join();
    progress.setValue(100);
}

}  // namespace tessera
