// The main window on the offscreen platform: rooms, their tabs and the window commands.

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>
#include <gtest/gtest.h>

#include "room/ui/desktop_defaults.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "support/gui_test_support.h"

namespace tessera {
namespace {

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest() {
        test::guiApplication();
        window = std::make_unique<MainWindow>(defaults);
        window->resize(1000, 760);
        window->show();
    }
    QStringList tabTitles() const {
        QStringList titles;
        for (int i = 0; i < window->roomTabs()->count(); ++i) titles << window->roomTabs()->tabText(i);
        return titles;
    }
    void closeRoom(RoomWindow* room) {
        for (QMdiSubWindow* sub : window->mdiArea()->subWindowList())
            if (sub->widget() == room) sub->close();
        test::processEvents();
    }

    DesktopDefaults defaults;
    std::unique_ptr<MainWindow> window;
};

TEST_F(MainWindowTest, TabStripFollowsOpeningAndClosingRooms) {
    RoomWindow* first = window->newRoom();
    RoomWindow* middle = window->newRoom();
    RoomWindow* last = window->newRoom();
    ASSERT_TRUE(first && middle && last);
    EXPECT_EQ(tabTitles(), (QStringList{"棋室 100", "棋室 101", "棋室 102"}));
    EXPECT_EQ(window->activeRoom(), last);
    EXPECT_EQ(window->roomTabs()->currentIndex(), 2);

    closeRoom(middle);
    EXPECT_EQ(tabTitles(), (QStringList{"棋室 100", "棋室 102"}));
    ASSERT_NE(window->activeRoom(), nullptr);
    // The tab of the room activated next is the selected one.
    EXPECT_EQ(window->roomTabs()->currentIndex(), window->rooms().front() == window->activeRoom() ? 0 : 1);

    RoomWindow* next = window->newRoom();
    EXPECT_EQ(window->roomNumber(next), 103);  // 101 is not reused while 102 is open
    EXPECT_EQ(tabTitles(), (QStringList{"棋室 100", "棋室 102", "棋室 103"}));

    // Selecting a tab activates its room.
    window->roomTabs()->setCurrentIndex(0);
    EXPECT_EQ(window->activeRoom(), first);
    window->activateRoomAt(7);  // outside the list: nothing
    EXPECT_EQ(window->activeRoom(), first);
}

TEST_F(MainWindowTest, TheEleventhNewRoomIsRefused) {
    for (int i = 0; i < 10; ++i) ASSERT_NE(window->newRoom(), nullptr);
    EXPECT_EQ(window->newRoom(), nullptr);
    EXPECT_EQ(window->roomCount(), 10);
    EXPECT_EQ(window->roomTabs()->count(), 10);
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 10);
    EXPECT_EQ(window->roomTabs()->tabText(9), "棋室 109");
}

TEST_F(MainWindowTest, CloseAllEmptiesTheWindowAndNumberingStartsAgain) {
    window->closeAllRooms();  // nothing open: nothing happens
    for (int i = 0; i < 4; ++i) window->newRoom();
    window->closeAllRooms();
    test::processEvents();
    EXPECT_EQ(window->roomCount(), 0);
    EXPECT_EQ(window->roomTabs()->count(), 0);
    EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(window->activeRoom(), nullptr);
    EXPECT_EQ(window->roomNumber(window->newRoom()), 100);
}

TEST_F(MainWindowTest, KeepOnTopTogglesWithoutMovingTheWindow) {
    window->setGeometry(50, 60, 900, 700);
    const QRect before = window->geometry();
    window->toggleKeepOnTop();
    EXPECT_TRUE(window->keepOnTop());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(window->geometry().size(), before.size());
    window->toggleKeepOnTop();
    EXPECT_FALSE(window->keepOnTop());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowStaysOnTopHint);
}

}  // namespace
}  // namespace tessera
