#pragma once
// The QApplication of the GUI test programs (offscreen platform, set by ctest) and the input
// and message-box helpers the window tests share.

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <functional>

class QAction;

namespace tessera::test {

// The process's one QApplication, created on first use.
QApplication& guiApplication();

// Lets queued events (deferred deletes, posted paints) run.
void processEvents();

// Lets the events run (timers included) until done() holds; false when 30 s pass first.
bool processUntil(const std::function<bool()>& done);

// A left-button press and release at a pixel of the widget, then the queued events.
void leftClick(QWidget* widget, QPoint at);

// The action with this text among the widget's children, or nullptr.
QAction* findAction(const QWidget* widget, const QString& text);

// Accepts every message box as soon as it shows, keeping its text: the box would otherwise
// wait for a user.
class MessageCatcher {
public:
    MessageCatcher();
    QStringList texts;

private:
    QTimer timer_;
};

}  // namespace tessera::test
