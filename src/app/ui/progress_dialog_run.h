#pragma once
// Long work of the desktop program behind a progress dialog: the work runs on a worker thread
// while the window stays responsive, and the dialog's cancel button asks it to stop.

#include <QString>
#include <atomic>
#include <functional>

class QWidget;

namespace tessera {

// Runs work on a worker thread behind a window-modal dialog with the label and a cancel
// button, and returns when the work has returned. The work sets percent (0 .. 100) as it goes
// and should stop soon once cancel is set.
void runWithProgressDialog(QWidget* parent, const QString& label,
                           const std::function<void(std::atomic<int>& percent, const std::atomic<bool>& cancel)>& work);

}  // namespace tessera
