#pragma once
// "在线更新": the modal dialog of the online update. The update runs on a WorkerThread; the
// worker only appends texts and progress to the dialog's own data under the dialog's lock, and
// the dialog's 100 ms timer shows them. Cancel may be pressed at any time: the worker stops at
// the next check (every transfer checks it too) and leaves the installation as a later update
// can finish it. Closing the dialog while the worker runs cancels it first.

#include <QDialog>
#include <QStringList>
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>

#include "platform/worker_thread.h"
#include "update/online_update.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace tessera {

class LibraryStore;
class ProgramLog;

class OnlineUpdateDialog : public QDialog {
    Q_OBJECT
public:
    // baseUrl: the OnLineUpdateURL setting; empty: the dialog only says that no update server
    // is configured. log may be null.
    OnlineUpdateDialog(LibraryStore& store, std::string baseUrl, ProgramLog* log, QWidget* parent = nullptr);
    ~OnlineUpdateDialog() override;

    // Starts the worker (the dialog does this itself when shown). False when it already ran or
    // no server is configured.
    bool start();
    bool running() const;
    // The worker's report, once it has finished.
    const UpdateReport& report() const { return report_; }

    QProgressBar* progressBar() const { return progress_; }
    QPlainTextEdit* textArea() const { return text_; }
    QPushButton* cancelButton() const { return button_; }
    // Limits of each download (tests shorten them).
    void setDownloadLimits(const DownloadLimits& limits) { limits_ = limits; }

signals:
    // The worker has finished; dataChanged: the library or data files changed and the program
    // should reopen what it keeps open.
    void updateFinished(bool dataChanged);

protected:
    void showEvent(QShowEvent* event) override;
    void reject() override;

private:
    void post(const UpdateEvent& event);  // worker thread
    void poll();                          // user-interface thread
    QString wording(const UpdateEvent& event) const;

    LibraryStore& store_;
    std::string baseUrl_;
    ProgramLog* log_;
    DownloadLimits limits_{.resume = true};
    WorkerThread worker_;
    std::atomic<bool> cancel_{false};
    bool started_ = false;
    bool shownResult_ = false;
    std::chrono::steady_clock::time_point startTime_;

    std::mutex lock_;  // guards the four members below
    QStringList pendingTexts_;
    int done_ = 0, total_ = 0;
    bool finished_ = false;
    UpdateReport report_;

    QLabel* step_;
    QProgressBar* progress_;
    QPlainTextEdit* text_;
    QPushButton* button_;
    QTimer* timer_;
};

}  // namespace tessera
