// The game library in the desktop program: professional games imported, found by player in the
// search dialog, opened and browsed in a library room, marked read and hot, found marked again
// after a restart; a game whose file is missing and cannot be fetched.

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QTabWidget>
#include <QTableWidget>

#include <filesystem>

#include "app/ui/library_desk.h"
#include "desktop_fixture.h"
#include "library/ui/library_search_dialog.h"
#include "room/game_room.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "support/gui_test_support.h"
#include "support/test_support.h"

namespace tessera {
namespace {

class LibraryDeskTest : public test::DesktopFixture {
protected:
    LibraryDeskTest() {
        // No download root: a missing game file cannot be fetched.
        test::writeBytes(scratch / "vantor.ini", "[SETTING]\nLibraryDownloadRoot=\n");
    }
};

TEST_F(LibraryDeskTest, ImportSearchOpenBrowseMarkAndRestart) {
    TESSERA_REQUIRE_SHARED();
    int32_t readId = -1, hotId = -1;
    {
        auto desktop = start();
        LibraryDesk* desk = desktop->library();
        ASSERT_NE(desk, nullptr);
        ASSERT_TRUE(desk->available()) << desk->openError().toStdString();
        // Every professional game of the corpus (a few are duplicates of one another).
        const QString summary =
            desk->importPaths({QString::fromStdString((test::sharedDir() / "corpus/pro").string())});
        ASSERT_GT(desk->catalogue().count(), 2900u) << summary.toStdString();

        // Search by the black player of the first game.
        LibraryRecord first;
        ASSERT_TRUE(desk->store().loadRecord(1, first));
        LibrarySearchDialog dialog(desk->store(), kLanguageSimplifiedChinese, {});
        dialog.pages()->setCurrentIndex(1);
        dialog.playerEdit()->setText(QString::fromStdString(first.black));
        dialog.runQuery();
        ASSERT_TRUE(dialog.showingResults());
        const auto results = dialog.results();
        ASSERT_FALSE(results.empty());
        EXPECT_EQ(dialog.resultTable()->rowCount(), static_cast<int>(results.size()));
        for (const auto& record : results)
            EXPECT_TRUE(record.black == first.black || record.white == first.black);

        // Open it in the room; the whole library by date to browse.
        ASSERT_TRUE(desk->showQueryResult(dialog.query(), results, 0, kRoomLibrary));
        RoomWindow* room = desktop->mainWindow()->activeRoom();
        ASSERT_NE(room, nullptr);
        EXPECT_EQ(room->room().roomKind(), kRoomLibrary);
        EXPECT_EQ(room->room().record().info.libraryId, results[0].id);
        EXPECT_EQ(desk->marks().mark(results[0].id), kMarkRead);  // opened: read

        LibraryQuery all;
        all.kind = kQueryBySql;
        all.sql = "SELECT * FROM GoFile ORDER BY ID";
        std::vector<LibraryRecord> everything;
        runLibraryQuery(desk->store(), all, everything);
        ASSERT_TRUE(desk->showQueryResult(all, everything, 0, kRoomLibrary));
        room->room().openNextRecord();
        EXPECT_EQ(room->room().libraryIndex(), 1);
        room->room().openLastRecord();
        EXPECT_EQ(room->room().libraryIndex(), static_cast<int>(everything.size()) - 1);
        room->room().openNextRecord();  // at the end: nothing
        EXPECT_EQ(room->room().libraryIndex(), static_cast<int>(everything.size()) - 1);
        room->room().openPreviousRecord();
        EXPECT_EQ(room->room().libraryIndex(), static_cast<int>(everything.size()) - 2);
        hotId = room->room().record().info.libraryId;
        room->runCommand(RoomCommandId::MarkPopular);  // 标记为热门棋谱
        EXPECT_EQ(room->room().customStatus(), kMarkHot);
        room->room().openFirstRecord();
        EXPECT_EQ(room->room().libraryIndex(), 0);
        readId = room->room().record().info.libraryId;
        room->runCommand(RoomCommandId::MarkRead);  // 标记为已读棋谱
        EXPECT_EQ(desk->resultTable()->rowCount(), static_cast<int>(everything.size()));
        desktop->shutDown();
    }
    ASSERT_TRUE(std::filesystem::exists(scratch / "custom/GoCustom.dat"));
    auto desktop = start();
    LibraryDesk* desk = desktop->library();
    EXPECT_EQ(desk->marks().mark(hotId), kMarkHot);
    EXPECT_EQ(desk->marks().mark(readId), kMarkRead);
    LibraryRecord record;
    ASSERT_TRUE(desk->store().loadRecord(hotId, record));
    EXPECT_EQ(record.mark, kMarkHot);

    // A game whose file is gone, with no download root: the failure text, nothing in temp/.
    std::filesystem::remove(desk->store().gamePath(hotId));
    EXPECT_FALSE(desk->showQueryResult({}, {record}, 0, kRoomLibrary));
    RoomWindow* room = desktop->mainWindow()->activeRoom();
    ASSERT_NE(room, nullptr);
    EXPECT_TRUE(room->parentWidget()->windowTitle().startsWith("can't download sgg file("));
    const auto temp = scratch / "bin/temp";
    EXPECT_TRUE(!std::filesystem::exists(temp) || std::filesystem::is_empty(temp));
}

TEST_F(LibraryDeskTest, AnUnusableLibraryIsReportedAndLeftAlone) {
    const std::string junk = "not a database, just some text that happens to be called go.db";
    ASSERT_TRUE(test::writeBytes(scratch / "bin/go.db", junk));
    auto desktop = start();
    ASSERT_NE(desktop->library(), nullptr);
    EXPECT_FALSE(desktop->library()->available());
    EXPECT_TRUE(desktop->library()->openError().contains("not an SQLite database"));
    EXPECT_NE(desktop->mainWindow()->findChild<QWidget*>("libraryOpenError"), nullptr);
    desktop->shutDown();
    EXPECT_EQ(test::readBytes(scratch / "bin/go.db"), junk);
}

}  // namespace
}  // namespace tessera
