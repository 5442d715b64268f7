// The online update in the real window: "在线更新" against a real HTTP server on 127.0.0.1,
// cancelled while it runs (nothing damaged), run again to the end (the library reloaded);
// a library game whose file is missing fetched from the same server when opened, and the
// failure text with the server gone.

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include <filesystem>

#include "app/ui/library_desk.h"
#include "desktop_fixture.h"
#include "room/game_room.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "support/generated_library.h"
#include "support/gui_test_support.h"
#include "support/http_test_server.h"
#include "support/test_support.h"
#include "update/ui/online_update_dialog.h"
#include "update/update_publisher.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

class OnlineUpdateWindowTest : public test::DesktopFixture {
protected:
    OnlineUpdateWindowTest() {
        fs::create_directories(scratch / "out");
        test::writeBytes(scratch / "lang.ini", "[SETTING]\nLANG=10001\n");  // the texts as written
    }

    // Runs the update dialog from the window; step is called every 20 ms with the open dialog
    // until it returns true (then the dialog is closed).
    void runDialog(LibraryDesk* desk, const std::function<bool(OnlineUpdateDialog*)>& step) {
        QTimer timer;
        int ticks = 0;
        QObject::connect(&timer, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<OnlineUpdateDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (step(dialog) || ++ticks > 1500) {  // a hung dialog ends the test instead of blocking it
                EXPECT_LE(ticks, 1500);
                dialog->cancelButton()->click();
                if (dialog->cancelButton()->isEnabled())
                    dialog->cancelButton()->click();
            }
        });
        timer.start(20);
        desk->runOnlineUpdate();
    }
};

TEST_F(OnlineUpdateWindowTest, TheDialogShowsProgressCancelsCleanlyAndFinishesLater) {
    const std::string pub = (scratch / "pub").string() + "/";
    fs::create_directories(pub);
    test::importGeneratedGames(pub, scratch.path(), 0, 30);
    PublishReport published;
    ASSERT_TRUE(publishUpdateTree(pub, (scratch / "out").string() + "/", -1, published)) << published.error;
    test::HttpTestServer server(scratch / "out");
    ASSERT_TRUE(server.running());
    test::writeBytes(scratch / "vantor.ini", "[SETTING]\nOnLineUpdateURL=" + server.url() + "\n");
    auto desktop = start();
    LibraryDesk* desk = desktop->library();
    ASSERT_TRUE(desk && desk->available());

    // The tenth game's file never comes: the dialog shows the progress so far and is cancelled.
    server.setFaults("GoFile/0/00000010.sgg.zip slow\n");
    bool cancelled = false;
    int shownProgress = 0;
    runDialog(desk, [&](OnlineUpdateDialog* dialog) {
        if (!cancelled && dialog->progressBar()->value() > 20) {
            shownProgress = dialog->progressBar()->value();
            dialog->cancelButton()->click();
            cancelled = true;
        }
        return cancelled && dialog->cancelButton()->isEnabled();  // the worker has stopped
    });
    EXPECT_GT(shownProgress, 20);
    EXPECT_EQ(desk->catalogue().count(), 0u);  // the new library is not taken half-fetched
    const fs::path bin = scratch / "bin";
    EXPECT_FALSE(fs::exists(bin / "go.db.new"));
    for (const auto& entry : fs::recursive_directory_iterator(bin / "GoFile"))
        EXPECT_EQ(entry.path().string().find(".unzip-"), std::string::npos) << entry.path();

    server.setFaults("");
    QString finalText;
    runDialog(desk, [&](OnlineUpdateDialog* dialog) {
        if (dialog->running() || dialog->cancelButton()->text() != dialog->tr("关闭"))
            return false;
        finalText = dialog->textArea()->toPlainText();
        return true;
    });
    EXPECT_TRUE(finalText.contains("更新完毕")) << finalText.toStdString();
    EXPECT_EQ(desk->catalogue().count(), 30u);

    // A game whose file went missing is fetched from the update server when opened...
    LibraryRecord record;
    ASSERT_TRUE(desk->store().loadRecord(7, record));
    fs::remove(desk->store().gamePath(7));
    ASSERT_TRUE(desk->showQueryResult({}, {record}, 0, kRoomLibrary));
    RoomWindow* room = desktop->mainWindow()->activeRoom();
    ASSERT_NE(room, nullptr);
    EXPECT_EQ(room->room().record().info.libraryId, 7);
    EXPECT_TRUE(fs::exists(desk->store().gamePath(7)));
    desktop->shutDown();
}

TEST_F(OnlineUpdateWindowTest, WithoutAServerTheDialogSaysSoAndAMissingGameFails) {
    test::writeBytes(scratch / "vantor.ini", "[SETTING]\nOnLineUpdateURL=\n");
    const std::string pub = (scratch / "bin").string() + "/";
    test::importGeneratedGames(pub, scratch.path(), 0, 2);
    auto desktop = start();
    LibraryDesk* desk = desktop->library();
    QString said;
    runDialog(desk, [&](OnlineUpdateDialog* dialog) {
        said = dialog->findChild<QLabel*>()->text();
        EXPECT_FALSE(dialog->start());
        return true;
    });
    EXPECT_EQ(said, "没有配置更新服务器.");

    // With the server gone (nobody listens on the port), opening a missing game fails cleanly.
    test::writeBytes(scratch / "custom/vantor.ini", "[SETTING]\nOnLineUpdateURL=http://127.0.0.1:9/\n");
    LibraryRecord record;
    ASSERT_TRUE(desk->store().loadRecord(1, record));
    fs::remove(desk->store().gamePath(1));
    EXPECT_FALSE(desk->showQueryResult({}, {record}, 0, kRoomLibrary));
    RoomWindow* room = desktop->mainWindow()->activeRoom();
    ASSERT_NE(room, nullptr);
    EXPECT_TRUE(room->parentWidget()->windowTitle().startsWith("can't download sgg file("));
    const auto temp = scratch / "bin/temp";
    EXPECT_TRUE(!fs::exists(temp) || fs::is_empty(temp));
    desktop->shutDown();
}

}  // namespace
}  // namespace tessera
