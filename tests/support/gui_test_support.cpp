#include "support/gui_test_support.h"

#include <QCoreApplication>
#include <QEvent>
#include <cstdlib>

namespace tessera::test {

QApplication& guiApplication() {
    static int argc = 1;
    static char name[] = "tessera-gui-tests";
    static char* argv[] = {name, nullptr};
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication* app = new QApplication(argc, argv);  // lives until exit on purpose
    return *app;
}

void processEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

}  // namespace tessera::test

