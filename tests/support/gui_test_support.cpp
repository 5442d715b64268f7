#include "support/gui_test_support.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace tessera::test {

QApplication& guiApplication() {
    static int argc = 1;
    static char name[] = "tessera-gui-tests";
    static char* argv[] = {name, nullptr};
    if (std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QApplication* app = new QApplication(argc, argv);  // lives until exit on purpose
    return *app;
}

void processEvents() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

bool processUntil(const std::function<bool()>& done) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        processEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}

void leftClick(QWidget* widget, QPoint at) {
    const QPoint global = widget->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &release);
    processEvents();
}

QAction* findAction(const QWidget* widget, const QString& text) {
    for (QAction* action : widget->findChildren<QAction*>())
        if (action->text() == text)
            return action;
    return nullptr;
}

MessageCatcher::MessageCatcher() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) {
                texts << box->text();
                box->accept();
            }
    });
    timer_.start(20);
}

}  // namespace tessera::test
