// Pattern hints in the desktop program: statistics built from imported professional games with
// the window's own build command; a corpus game opened and stepped into its opening shows
// lettered hints on the board and the report in the hint pane once the context menu turns the
// whole-board statistics on; the detail window lists the moves and opens a game from them at
// the node where the move was played, with the looked-up stones highlighted on that game's
// board. The knowledge notes built from the window's command show in a room; the progress
// dialog's cancel button stops the work.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QProgressDialog>
#include <QTableWidget>
#include <QTextBrowser>
#include <QTimer>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "app/ui/hint_details_dialog.h"
#include "app/ui/library_desk.h"
#include "app/ui/pattern_desk.h"
#include "app/ui/progress_dialog_run.h"
#include "desktop_fixture.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"

namespace tessera {
namespace {

class PatternDeskTest : public test::DesktopFixture {};

TEST_F(PatternDeskTest, HintsOnTheBoardReportAndDetailWindowOpeningAGame) {
    TESSERA_REQUIRE_SHARED();
    const auto sample = scratch / "sample";
    test::copyProGames(sample, 60);
    {
        auto started = start();
        DesktopApplication& desktop = *started;
        ASSERT_TRUE(desktop.library()->available());
        desktop.library()->importPaths({QString::fromStdString(sample.string())});
        ASSERT_GT(desktop.library()->catalogue().count(), 50u);
        PatternDesk* patterns = desktop.patterns();
        ASSERT_NE(patterns, nullptr);
        const QString built = patterns->buildStatistics();
        ASSERT_TRUE(patterns->bases().globalIndex.isOpen()) << built.toStdString();

        MainWindow* window = desktop.mainWindow();
        ASSERT_TRUE(window->openRecordFile(QString::fromStdString((sample / "0.sgf").string())));
        RoomWindow* room = window->activeRoom();
        room->room().goToMoveNumber(1);
        EXPECT_TRUE(room->room().display().hints.empty());  // the switches start off
        QMenu* menu = room->makeContextMenu();
        for (QAction* action : menu->actions())
            if (action->text() == QStringLiteral("显示全局统计分析信息"))
                action->trigger();
        delete menu;
        const auto& hints = room->room().display().hints;
        ASSERT_FALSE(hints.empty());
        EXPECT_EQ(hints.front().text, "A");
        EXPECT_TRUE(room->hintPane()->toPlainText().startsWith(QStringLiteral("总计,总:")))
            << room->hintPane()->toPlainText().toStdString();

        const std::vector<HintDetail> details = room->room().hintDetails();
        room->room().rotateClockwise();  // the hand-over starts from the board as displayed
        HintDetailsDialog* dialog = patterns->showHintDetails(*room);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->moveList()->count(), static_cast<int>(details.size()));
        EXPECT_TRUE(dialog->moveList()->item(0)->text().startsWith("A,"));
        ASSERT_EQ(dialog->gameList()->rowCount(), static_cast<int>(details.front().games.size()));
        const GameRef ref = details.front().games.front();
        ASSERT_TRUE(dialog->openGame(0));
        RoomWindow* opened = window->activeRoom();
        EXPECT_EQ(opened->room().record().info.libraryId, ref.gameId);
        EXPECT_EQ(opened->room().currentNodeId(), ref.nodeId);
        // The one stone looked up lies highlighted on the same stone of the opened game.
        const BoardDisplay& shown = opened->room().display();
        int highlighted = 0;
        for (int32_t p = 0; p < 361; ++p)
            if (shown.highlight.get(p) != 0) {
                EXPECT_EQ(shown.highlight.get(p), shown.position.get(p)) << p;
                ++highlighted;
            }
        EXPECT_EQ(highlighted, 1);
        desktop.shutDown();
    }
}

TEST_F(PatternDeskTest, KnowledgeBuiltFromTheWindowShowsInARoomAndProgressCanBeCancelled) {
    const auto notes = scratch / "notes.sgf";
    ASSERT_TRUE(test::writeBytes(notes, "(;GM[1]FF[4]SZ[19];B[pd];W[dp]C[Approach the corner.])"));
    {
        auto started = start();
        DesktopApplication& desktop = *started;
        PatternDesk* patterns = desktop.patterns();
        const QString summary = patterns->buildKnowledge(
            {QString::fromStdString(notes.string()), QString::fromStdString((scratch / "gone.sgf").string())});
        EXPECT_TRUE(summary.contains("gone.sgf")) << summary.toStdString();
        ASSERT_TRUE(patterns->bases().knowledgeIndex.isOpen()) << summary.toStdString();

        MainWindow* window = desktop.mainWindow();
        ASSERT_TRUE(window->openRecordFile(QString::fromStdString(notes.string())));
        RoomWindow* room = window->activeRoom();
        room->room().goToMoveNumber(2);
        QMenu* menu = room->makeContextMenu();
        for (QAction* action : menu->actions())
            if (action->text() == QStringLiteral("显示全局知识库信息"))
                action->trigger();
        delete menu;
        EXPECT_EQ(room->hintPane()->toPlainText(), "Approach the corner.");

        // Work that runs until told to stop ends when the dialog's cancel button is pressed.
        QTimer::singleShot(0, [] {
            for (QWidget* widget : QApplication::topLevelWidgets())
                if (auto* progress = qobject_cast<QProgressDialog*>(widget))
                    progress->cancel();
        });
        bool cancelled = false;
        runWithProgressDialog(window, "working", [&](std::atomic<int>&, const std::atomic<bool>& cancel) {
            for (int wait = 0; wait < 2000 && !cancel; ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            cancelled = cancel;
        });
        EXPECT_TRUE(cancelled);
        desktop.shutDown();
    }
}

}  // namespace
}  // namespace tessera
