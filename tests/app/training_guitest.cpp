// Training in the real window: a book made from corpus problems, chosen in "选择练习题库",
// worked through with clicks on the board and the training keys; the right and wrong
// announcements; the book titles in the English and Traditional Chinese interfaces.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QTimer>

#include <filesystem>

#include "app/ui/library_desk.h"
#include "desktop_fixture.h"
#include "room/game_room.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "support/gui_test_support.h"
#include "support/test_support.h"
#include "training/ui/problem_book_dialog.h"
#include "view/ui/board_widget.h"

namespace tessera {
namespace {

class TrainingWindowTest : public test::DesktopFixture {
protected:
    std::unique_ptr<DesktopApplication> start(int lang) {
        test::writeBytes(scratch / "custom/lang.ini", "[SETTING]\nLANG=" + std::to_string(lang) + "\n");
        auto desktop = DesktopFixture::start();
        desktop->mainWindow()->resize(1100, 800);
        desktop->mainWindow()->show();
        return desktop;
    }
    // Clicks the displayed intersection of an SGF point of the 19 x 19 board.
    void click(RoomWindow* room, const char* sgf) {
        int px = 0, py = 0;
        ASSERT_TRUE(room->board()->screen().intersectionOf((sgf[1] - 'a') * 19 + (sgf[0] - 'a'), px, py));
        test::leftClick(room->board(), QPoint(px, py));  // the board hands the point on from the event loop
    }
    // Waits (events running) until the room's current move is at the SGF point.
    bool waitForMove(RoomWindow* room, const char* sgf) {
        const int32_t point = (sgf[1] - 'a') * 19 + (sgf[0] - 'a');
        return test::processUntil([&] {
            const GameNode* node = room->room().currentNode();
            return node && node->move.point == point;
        });
    }
};

TEST_F(TrainingWindowTest, ABookIsMadeChosenAndWorkedThroughWithClicksAndKeys) {
    TESSERA_REQUIRE_SHARED();
    const auto problems = test::sharedDir() / "corpus" / "problems";
    std::filesystem::create_directories(scratch / "book");
    std::filesystem::copy_file(problems / "gogameguru/easy/ggg-easy-01.sgf", scratch / "book/1.sgf");
    std::filesystem::copy_file(problems / "maxigos/p4-zh-hans.sgf", scratch / "book/2.sgf");
    {
        auto desktop = start(10001);
        LibraryDesk* desk = desktop->library();
        ASSERT_TRUE(desk && desk->available());
        const QString summary = desk->importBook({"练习", "Practice", "", {(scratch / "book").string()}, 0});
        EXPECT_TRUE(summary.contains("2")) << summary.toStdString();
        MainWindow* window = desktop->mainWindow();
        // The vantor.ini defaults: random orientation on, so the clicks go through the transform.
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<ProblemBookDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            EXPECT_EQ(dialog->windowTitle(), "选择练习题库");
            ASSERT_EQ(dialog->bookList()->count(), 1);
            EXPECT_EQ(dialog->bookList()->item(0)->text(), "练习");
            dialog->accept();
        });
        QAction* books = test::findAction(window, "教程和题库...");
        ASSERT_NE(books, nullptr);
        books->trigger();
        RoomWindow* room = window->activeRoom();
        ASSERT_NE(room, nullptr);
        ASSERT_EQ(room->room().roomKind(), kRoomTraining);
        room->room().settings().preferences.stoneDelay = 10;
        EXPECT_TRUE(test::findAction(window, "后退")->isEnabled());
        EXPECT_TRUE(test::findAction(window, "随机坐标变换")->isChecked());

        click(room, "rq");  // wrong: told at once, the refutation follows
        EXPECT_EQ(room->lastAnnouncement(), "答错了, 再试一次");
        ASSERT_TRUE(waitForMove(room, "rr"));
        test::findAction(window, "后退")->trigger();
        EXPECT_EQ(room->room().currentNodeId(), 0);
        click(room, "rs");
        ASSERT_TRUE(waitForMove(room, "rr"));
        click(room, "ns");
        EXPECT_EQ(room->lastAnnouncement(), "答对了!");
        EXPECT_TRUE(room->parentWidget()->windowTitle().contains("答对 0  答错 1"))
            << room->parentWidget()->windowTitle().toStdString();

        // F6: the next problem of the book; F12 shows the hint there.
        QAction* next = test::findAction(window, "下一个棋谱");
        ASSERT_EQ(next->shortcut(), QKeySequence(Qt::Key_F6));
        next->trigger();
        EXPECT_EQ(room->room().libraryIndex(), 1);
        QAction* hint = test::findAction(window, "提示");
        ASSERT_EQ(hint->shortcut(), QKeySequence(Qt::Key_F12));
        hint->trigger();
        EXPECT_TRUE(hint->isChecked());
        EXPECT_FALSE(room->room().display().marks.empty());
        click(room, "ab");
        ASSERT_TRUE(waitForMove(room, "bd"));
        click(room, "ad");
        ASSERT_TRUE(waitForMove(room, "ac"));
        EXPECT_EQ(room->lastAnnouncement(), "答对了!");
        EXPECT_EQ(room->room().trainer().solved(), 1);
        desktop->shutDown();
    }
    // The same book in the English and the Traditional Chinese interfaces.
    for (auto [lang, title] : {std::pair{10000, "Practice"}, std::pair{10002, "練習"}}) {
        auto desktop = start(lang);
        QTimer::singleShot(0, [title] {
            auto* dialog = qobject_cast<ProblemBookDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            ASSERT_EQ(dialog->bookList()->count(), 1);
            EXPECT_EQ(dialog->bookList()->item(0)->text().toStdString(), title);
            dialog->reject();
        });
        desktop->library()->runTutorialDialog();
        desktop->shutDown();
    }
}

}  // namespace
}  // namespace tessera
