#pragma once
// The QApplication of the GUI test programs (offscreen platform, set by ctest).

#include <QApplication>

namespace tessera::test {

// The process's one QApplication, created on first use.
QApplication& guiApplication();

// Lets queued events (deferred deletes, posted paints) run.
void processEvents();

}  // namespace tessera::test
