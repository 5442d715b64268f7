// Pattern hints in the desktop program: statistics built from imported professional games with
// the window's own build command; a corpus game opened and stepped into its opening shows
// lettered hints on the board and the report in the hint pane once the context menu turns the
// whole-board statistics on; the detail window lists the moves and opens a game from them at
// the node where the move was played.

#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QTableWidget>
#include <QTextBrowser>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "app/ui/desktop_application.h"
#include "app/ui/hint_details_dialog.h"
#include "app/ui/library_desk.h"
#include "app/ui/pattern_desk.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "support/gui_test_support.h"
#include "support/test_support.h"

namespace tessera {
namespace {

TEST(PatternDeskTest, HintsOnTheBoardReportAndDetailWindowOpeningAGame) {
    TESSERA_REQUIRE_SHARED();
    test::guiApplication();
    test::ScratchFolder scratch;
    std::filesystem::create_directories(scratch / "bin");
    setenv("TESSERA_PROGRAM_FOLDER", (scratch / "bin").c_str(), 1);
    const auto sample = scratch / "sample";
    std::filesystem::create_directories(sample);
    int copied = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(test::sharedDir() / "corpus/pro")) {
        if (copied == 60)
            break;
        if (entry.is_regular_file() && entry.path().extension() == ".sgf")
            std::filesystem::copy_file(entry.path(), sample / (std::to_string(copied++) + ".sgf"));
    }
    {
        DesktopApplication desktop;
        StartupOptions options;
        options.showWindow = false;
        ASSERT_TRUE(desktop.startUp(options));
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
        desktop.shutDown();
    }
    unsetenv("TESSERA_PROGRAM_FOLDER");
}

}  // namespace
}  // namespace tessera
