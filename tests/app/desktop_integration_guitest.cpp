// The main window among the desktop: records dropped onto it, the recent files of the File
// menu, and records handed over by another start of the program.

#include <gtest/gtest.h>
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLocalSocket>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <QDir>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <thread>

#include "app/ui/desktop_integration.h"
#include "app/ui/record_file_drop.h"
#include "app/ui/single_instance.h"
#include "desktop_fixture.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "support/gui_test_support.h"
#include "support/test_support.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

class DesktopIntegrationTest : public test::DesktopFixture {
protected:
    DesktopIntegrationTest() {
        for (const char* name : {"one.sgf", "two.SGF", "three.sgf"})
            test::writeBytes(scratch / "records" / name, std::string("(;GM[1]SZ[19]C[") + name + "];B[pd];W[dp])");
        StartupOptions options;
        options.showWindow = false;
        EXPECT_TRUE(desktop.startUp(options));
    }
    ~DesktopIntegrationTest() override { desktop.shutDown(); }
    QString record(const char* name) const { return QString::fromStdString((scratch / "records" / name).string()); }
    MainWindow& window() { return *desktop.mainWindow(); }
    fs::path roomFile(int index) { return window().rooms()[static_cast<std::size_t>(index)]->room().filePath(); }

    DesktopApplication desktop;
};

TEST_F(DesktopIntegrationTest, DroppedRecordsOpenFirstInTheEmptyRoomThenInRoomsOfTheirOwn) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(record("one.sgf")), QUrl::fromLocalFile(record("../notes.txt")),
                  QUrl("https://example.org/game.sgf"), QUrl::fromLocalFile(record("two.SGF"))});
    EXPECT_EQ(RecordFileDrop::recordFilesIn(&data), QStringList({record("one.sgf"), record("two.SGF")}));

    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window(), &drop);
    EXPECT_TRUE(drop.isAccepted());
    ASSERT_EQ(window().roomCount(), 2);
    EXPECT_EQ(roomFile(0), scratch / "records/one.sgf");
    EXPECT_EQ(roomFile(1), scratch / "records/two.SGF");

    QMimeData text;
    text.setText("not a file");
    QDragEnterEvent refused(QPoint(10, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    refused.ignore();
    QApplication::sendEvent(&window(), &refused);
    EXPECT_FALSE(refused.isAccepted());
}

TEST_F(DesktopIntegrationTest, RecentFilesAreRememberedNewestFirstAndReopenFromTheMenu) {
    ASSERT_TRUE(window().openRecordFile(record("one.sgf")));
    ASSERT_TRUE(window().openRecordFile(record("two.SGF")));
    ASSERT_TRUE(window().openRecordFile(record("one.sgf")));
    // Kept in the user's custom folder, so a later start (or another window) sees them.
    RecentFiles stored((scratch / "custom/recent.ini").string());
    stored.load();
    EXPECT_EQ(stored.files(), (std::vector<std::string>{(scratch / "records/one.sgf").string(),
                                                        (scratch / "records/two.SGF").string()}));

    QMenu* menu = desktop.integration()->recentFilesMenu();
    emit menu->aboutToShow();
    const QList<QAction*> actions = menu->actions();
    ASSERT_GE(actions.size(), 2);
    EXPECT_EQ(actions[0]->text(), "&1 one.sgf");
    EXPECT_EQ(actions[1]->text(), "&2 two.SGF");
    actions[1]->trigger();
    ASSERT_EQ(window().roomCount(), 4);
    EXPECT_EQ(roomFile(3), scratch / "records/two.SGF");
    stored.load();
    EXPECT_EQ(stored.files().front(), (scratch / "records/two.SGF").string());

    // The list holds at most ten files; the oldest leave first.
    for (int i = 0; i < 12; ++i)
        stored.add("/records/game" + std::to_string(i) + ".sgf");
    EXPECT_EQ(stored.files().size(), 10u);
    EXPECT_EQ(stored.files().front(), "/records/game11.sgf");
    EXPECT_EQ(stored.files().back(), "/records/game2.sgf");
}

// Runs the sending side in a thread of its own, as another process would, while this thread
// serves the window's events.
bool handOver(const QString& name, const QStringList& files) {
    std::atomic<int> result{-1};
    std::thread sender([&] { result = handFilesToRunningInstance(name, files, 5000) ? 1 : 0; });
    while (result < 0)
        test::processEvents();
    sender.join();
    test::processEvents();
    return result == 1;
}

TEST_F(DesktopIntegrationTest, HandedOverFilesOpenInTheRunningProgram) {
    const QString name = singleInstanceName((scratch / "bin/").string());
    EXPECT_FALSE(handOver(name, {record("one.sgf")}));  // nobody listens yet
    ASSERT_TRUE(desktop.integration()->listenForHandedFiles(name));
    SingleInstanceServer second;
    EXPECT_FALSE(second.listen(name));  // the running program answers on that name

    EXPECT_TRUE(handOver(name, {record("one.sgf"), record("three.sgf")}));
    ASSERT_EQ(window().roomCount(), 2);
    EXPECT_EQ(roomFile(0), scratch / "records/one.sgf");
    EXPECT_EQ(roomFile(1), scratch / "records/three.sgf");

    // A stranger's bytes open nothing and leave the program listening.
    std::atomic<bool> dropped{false};
    std::thread stranger([&] {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(5000)) {
            socket.write("GET / HTTP/1.0\n\n");
            socket.waitForBytesWritten(5000);
            socket.waitForDisconnected(5000);
        }
        dropped = true;
    });
    while (!dropped)
        test::processEvents();
    stranger.join();
    EXPECT_EQ(window().roomCount(), 2);
    EXPECT_TRUE(handOver(name, {record("two.SGF")}));
    EXPECT_EQ(window().roomCount(), 3);
}

TEST_F(DesktopIntegrationTest, SocketLeftBehindByAnEndedProgramIsTakenOver) {
    const QString name = singleInstanceName((scratch / "elsewhere/").string());
    // A socket file nobody listens on, as a crashed program leaves it.
    const std::string path = (QDir::tempPath() + "/" + name).toStdString();
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.c_str(), path.size());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(fs::exists(path));
    SingleInstanceServer next;
    EXPECT_TRUE(next.listen(name));
}

}  // namespace
}  // namespace tessera
