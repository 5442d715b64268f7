// The main window on the offscreen platform: rooms, their tabs and the window commands.

#include <gtest/gtest.h>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTabBar>

#include "platform/ui_text.h"
#include "room/ui/desktop_defaults.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "support/gui_test_support.h"
#include "support/test_support.h"

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
        for (int i = 0; i < window->roomTabs()->count(); ++i)
            titles << window->roomTabs()->tabText(i);
        return titles;
    }
    void closeRoom(RoomWindow* room) {
        for (QMdiSubWindow* sub : window->mdiArea()->subWindowList())
            if (sub->widget() == room)
                sub->close();
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

TEST_F(MainWindowTest, TheEleventhNewRoomIsRefusedAndAfterCloseAllNumberingStartsAgain) {
    window->closeAllRooms();  // nothing open: nothing happens
    for (int i = 0; i < 10; ++i)
        ASSERT_NE(window->newRoom(), nullptr);
    EXPECT_EQ(window->newRoom(), nullptr);
    EXPECT_EQ(window->roomCount(), 10);
    EXPECT_EQ(window->roomTabs()->count(), 10);
    EXPECT_EQ(window->mdiArea()->subWindowList().size(), 10);
    EXPECT_EQ(window->roomTabs()->tabText(9), "棋室 109");
    window->closeAllRooms();
    test::processEvents();
    EXPECT_EQ(window->roomCount(), 0);
    EXPECT_EQ(window->roomTabs()->count(), 0);
    EXPECT_TRUE(window->mdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(window->activeRoom(), nullptr);
    EXPECT_EQ(window->roomNumber(window->newRoom()), 100);
}

TEST_F(MainWindowTest, ClosingARoomActivatesTheNeighbouringTab) {
    std::vector<RoomWindow*> rooms;
    for (int i = 0; i < 4; ++i)
        rooms.push_back(window->newRoom());  // 100 to 103
    window->activateRoomAt(1);
    closeRoom(rooms[1]);  // 101: 102 slides into its place and takes over
    EXPECT_EQ(window->activeRoom(), rooms[2]);
    EXPECT_EQ(window->roomTabs()->currentIndex(), 1);
    window->activateRoomAt(2);
    closeRoom(rooms[3]);  // the last tab: the one before it
    EXPECT_EQ(window->activeRoom(), rooms[2]);
    EXPECT_EQ(window->roomTabs()->currentIndex(), 1);
    EXPECT_EQ(tabTitles(), (QStringList{"棋室 100", "棋室 102"}));
}

TEST_F(MainWindowTest, AFailedOpenLeavesTheWindowExactlyAsItWas) {
    for (int i = 0; i < 3; ++i)
        window->newRoom();
    window->activateRoomAt(1);
    test::processEvents();
    auto state = [this] {
        QStringList parts{window->windowTitle(), QString::number(window->roomTabs()->currentIndex()),
                          QString::number(window->roomNumber(window->activeRoom()))};
        for (QMdiSubWindow* sub : window->mdiArea()->subWindowList())
            parts << QString("%1:%2").arg(sub->windowTitle()).arg(sub->isMaximized());
        return parts;
    };
    const QStringList before = state();
    EXPECT_TRUE(before.join(" ").contains(":1")) << "rooms open maximised";

    test::ScratchFolder folder;
    test::writeBytes(folder / "broken.sgf", std::string("(;GM[1]") + std::string(1, '\0') + ";B[aa])");
    test::MessageCatcher messages;
    EXPECT_FALSE(window->openRecordFile(QString::fromStdString((folder / "broken.sgf").string())));
    test::processEvents();
    EXPECT_EQ(state(), before);
    EXPECT_EQ(window->roomCount(), 3);
    // A Chinese interface names the kind of failure in Chinese; an English one shows the reader's
    // reason, with a control byte from the file spelled out rather than cutting the text.
    setUiLanguage(kLanguageEnglish);
    EXPECT_FALSE(window->openRecordFile(QString::fromStdString((folder / "broken.sgf").string())));
    test::processEvents();
    setUiLanguage(kLanguageSimplifiedChinese);
    ASSERT_EQ(messages.texts.size(), 2);
    EXPECT_TRUE(messages.texts[0].contains("数据有误")) << messages.texts[0].toStdString();
    EXPECT_FALSE(messages.texts[1].contains(QChar(0))) << messages.texts[1].toStdString();
    EXPECT_TRUE(messages.texts[1].contains("0x00")) << messages.texts[1].toStdString();
}

TEST_F(MainWindowTest, ARecordWithAMoveOnAStoneOpensWithAWarning) {
    test::ScratchFolder folder;
    test::writeBytes(folder / "clash.sgf", "(;AB[pd];W[dd];B[pd])");
    test::writeBytes(folder / "sound.sgf", "(;AB[pd];W[dd];B[pp])");
    test::MessageCatcher messages;
    ASSERT_TRUE(window->openRecordFile(QString::fromStdString((folder / "sound.sgf").string())));
    EXPECT_TRUE(messages.texts.isEmpty());
    ASSERT_TRUE(window->openRecordFile(QString::fromStdString((folder / "clash.sgf").string())));
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains("Q16")) << messages.texts[0].toStdString();
    EXPECT_EQ(window->roomCount(), 2);
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
