// The library search window in the desktop program, on a library imported from professional
// games: "搜索棋型" of the File menu binds it to a room; the search's count grows, holds while
// paused and runs to the end after resuming; the candidates come with their games and their
// letters on the room's board (only while the room shows the searched position); a game opens
// in a new room at the matching move with the searched stones highlighted; a mask that hides
// a point turns the search into a region search; a paused search can be stopped.

#include <gtest/gtest.h>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QTableWidget>

#include <chrono>
#include <filesystem>
#include <thread>

#include "app/ui/library_desk.h"
#include "app/ui/pattern_search_window.h"
#include "desktop_fixture.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"

namespace tessera {
namespace {

class PatternSearchWindowTest : public test::DesktopFixture {};

TEST_F(PatternSearchWindowTest, SearchFromARoomPauseResumeOpenAGameAndRegionMode) {
    TESSERA_REQUIRE_SHARED();
    const auto sample = scratch / "sample";
    test::copyProGames(sample, 80);
    auto desktop = start();
    ASSERT_TRUE(desktop->library()->available());
    desktop->library()->importPaths({QString::fromStdString(sample.string())});
    const int games = static_cast<int>(desktop->library()->catalogue().count());
    ASSERT_GT(games, 60);
    // Without the index every game is read in turn, slowly enough to be caught by the pause.
    std::filesystem::remove_all(scratch / "bin" / "index");

    MainWindow* window = desktop->mainWindow();
    ASSERT_TRUE(window->openRecordFile(QString::fromStdString((sample / "0.sgf").string())));
    RoomWindow* room = window->activeRoom();
    room->room().goToMoveNumber(2);
    auto* command = window->findChild<QAction*>("searchPattern");
    ASSERT_NE(command, nullptr);
    command->trigger();
    auto* search = window->findChild<PatternSearchWindow*>();
    ASSERT_NE(search, nullptr);
    EXPECT_FALSE(search->regionMode());

    search->startSearch();
    SearchSession& session = search->session();
    ASSERT_TRUE(test::processUntil([&] { return session.progress().currentIndex > 0 || !session.active(); }));
    search->togglePause();
    ASSERT_TRUE(test::processUntil([&] { return session.parked() || !session.active(); }));
    if (session.parked()) {  // the pause caught the search before its end (it nearly always does)
        const int paused = session.progress().currentIndex;
        EXPECT_GT(paused, 0);
        EXPECT_LT(paused, games);
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        search->updateProgress();
        EXPECT_EQ(session.progress().currentIndex, paused);
        EXPECT_TRUE(search->statusLabel()->text().contains(QStringLiteral("已搜索:%1, 用时:0分, 已暂停").arg(paused)))
            << search->statusLabel()->text().toStdString();
        search->togglePause();
    }
    ASSERT_TRUE(test::processUntil([&] { return !session.active(); }));
    search->updateProgress();
    EXPECT_TRUE(session.finished());
    EXPECT_TRUE(search->statusLabel()->text().startsWith(QStringLiteral("总谱:%1, 已搜索:%1, 用时:0分").arg(games)))
        << search->statusLabel()->text().toStdString();

    // The game itself continues from its position, so there is at least one candidate.
    ASSERT_GT(search->candidateList()->count(), 0);
    EXPECT_TRUE(search->candidateList()->item(0)->text().startsWith("A("))
        << search->candidateList()->item(0)->text().toStdString();
    auto letterA = [](const RoomWindow* r) {
        for (const HintMark& hint : r->room().display().hints)
            if (hint.text == "A")
                return hint.point;
        return -1;
    };
    const int32_t pointA = letterA(room);
    EXPECT_GE(pointA, 0);
    room->room().goNext();  // another position: the letters go, and come back with it
    EXPECT_EQ(letterA(room), -1);
    room->room().goPrev();
    EXPECT_EQ(letterA(room), pointA);

    ASSERT_GT(search->gameList()->rowCount(), 0);
    const int32_t firstId = search->gameList()->item(0, 0)->text().toInt();
    const auto ids = scratch / "ids.txt";
    ASSERT_TRUE(search->exportIds(QString::fromStdString(ids.string())));
    EXPECT_EQ(test::readBytes(ids).substr(0, test::readBytes(ids).find_first_of("\r\n")), std::to_string(firstId));

    const int rooms = window->roomCount();
    search->findChild<QCheckBox*>()->setChecked(true);
    ASSERT_TRUE(search->openGame(0));
    EXPECT_EQ(window->roomCount(), rooms + 1);
    RoomWindow* opened = window->activeRoom();
    EXPECT_EQ(opened->room().record().info.libraryId, firstId);
    // The game stands at the move played from the searched position: its parent holds the
    // searched stones (in some orientation), highlighted on the board.
    const GameNode* node = opened->room().currentNode();
    ASSERT_NE(node, nullptr);
    EXPECT_TRUE(node->move.isStoneMove());
    EXPECT_GT(opened->room().display().highlight.countValue(1) + opened->room().display().highlight.countValue(2), 0);

    // Region mode: every point shown but one empty corner point.
    window->activateRoomAt(0);
    room->room().setClickMode(kClickMask);
    room->room().toggleMaskPoints({0});
    command->trigger();
    EXPECT_TRUE(search->regionMode());
    EXPECT_EQ(search->candidateList()->count(), 0);  // a new binding starts empty
    search->startSearch();
    ASSERT_TRUE(test::processUntil([&] { return !session.active(); }));
    search->updateProgress();
    EXPECT_GT(search->candidateList()->count(), 0);
    EXPECT_GE(letterA(room), 0);

    // A paused search stops at once when asked.
    search->startSearch();
    search->togglePause();
    search->stopSearch();
    EXPECT_FALSE(session.active());
    desktop->shutDown();
}

}  // namespace
}  // namespace tessera
