// The game library on both back ends (SQLite files, a PostgreSQL server) through their ODBC
// drivers: schema, store, catalogue, import with duplicates; what a damaged or busy go.db does.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "library/backends/library_backend.h"
#include "library/database_query.h"
#include "library/game_mark_map.h"
#include "library/library_import.h"
#include "library/library_store.h"
#include "support/foreign_lock.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::ScratchFolder;
using test::writeBytes;

std::string sgf(const std::string& black, const std::string& white, const std::string& moves,
                const std::string& extra = "") {
    return "(;GM[1]FF[4]SZ[19]PB[" + black + "]PW[" + white + "]" + extra + moves + ")";
}

class LibraryStoreTest : public test::LibraryBackendTest {
protected:
    void SetUp() override {
        program = (folder / "bin").string() + "/";
        std::filesystem::create_directories(program);
        openOnBackend(store);
    }
    LibraryRecord game(int id, const std::string& date, int appType = 1) {
        LibraryRecord r;
        r.id = id;
        r.langType = 1;
        r.appType = static_cast<uint16_t>(appType);
        r.event = "名人战";
        r.date = date;
        r.black = "古力";
        r.white = "O'Neil";
        r.resultText = "B+R";
        r.resultType = 1;
        r.totalMoves = 211;
        r.lastBoardKey = -123456789;
        return r;
    }

    ScratchFolder folder;
    std::string program;
    GameMarkMap marks;
    LibraryStore store{(folder / "bin").string(), &marks};
};

TEST_P(LibraryStoreTest, GamePathsFollowTheThousandsLayout) {
    EXPECT_EQ(store.gamePath(7), program + "GoFile/0/00000007.sgg");
    EXPECT_EQ(store.gamePath(1000), program + "GoFile/1/00001000.sgg");
    EXPECT_EQ(store.gamePath(45678), program + "GoFile/45/00045678.sgg");
}

TEST_P(LibraryStoreTest, RowsRoundTripAndReplaceWithQuotesKept) {
    LibraryRecord r = game(12, "2005-03-04");
    r.event = "It's 'the' cup";
    ASSERT_TRUE(store.putGame(r));
    marks.set(12, kMarkHot);
    LibraryRecord back;
    ASSERT_TRUE(store.loadRecord(12, back));
    EXPECT_EQ(back.mark, kMarkHot);
    back.mark = 0;
    EXPECT_EQ(back, r);

    r.black = "Lee Sedol";
    ASSERT_TRUE(store.putGame(r));  // the same id replaces the row
    std::vector<int32_t> ids;
    EXPECT_EQ(store.allIds(-1, ids), 1);
    ASSERT_TRUE(store.loadRecord(12, back));
    EXPECT_EQ(back.black, "Lee Sedol");
    EXPECT_FALSE(store.loadRecord(13, back));

    ASSERT_TRUE(store.putGame(game(20, "", 3)));
    EXPECT_EQ(store.allIds(3, ids), 1);
    EXPECT_EQ(ids, std::vector<int32_t>{20});
    EXPECT_EQ(store.allIds(-1, ids), 2);

    PlayerRecord player;
    player.id = 4;
    player.name = "O'Meara";
    player.nation = std::string(300, 'x');
    ASSERT_TRUE(store.putPlayer(player));
    std::vector<std::string> names;
    queryTexts(store.database(), "SELECT Nation FROM Player WHERE ID=4", names);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].size(), 254u);  // cut to the field width
}

TEST_P(LibraryStoreTest, FailedInsertKeepsTheOldRow) {
    ASSERT_TRUE(store.putGame(game(5, "2001-01-01")));
    // A trigger makes every further insert fail: the delete before it must be undone.
    ASSERT_EQ(execute(store.database(), refuseInsertsInto("GoFile")), 1);
    EXPECT_FALSE(store.putGame(game(5, "2002-02-02")));
    LibraryRecord back;
    ASSERT_TRUE(store.loadRecord(5, back));
    EXPECT_EQ(back.date, "2001-01-01");
}

TEST_P(LibraryStoreTest, CatalogueKeepsTextsOnlyOfRecordsFrom1980) {
    ASSERT_TRUE(store.putGame(game(3, "1975-06-01")));
    ASSERT_TRUE(store.putGame(game(9, "1985-06-01")));
    ASSERT_TRUE(store.putGame(game(11, "1970-01-01", 2)));  // a tutorial: numbers only
    LibraryRecord longTexts = game(10, "1999-01-01");
    longTexts.event = std::string(400, 'e') + "终";  // longer than the catalogue's buffers
    longTexts.white = std::string(300, 'w');
    ASSERT_TRUE(store.putGame(longTexts));
    LibraryCatalogue catalogue;
    ASSERT_TRUE(store.loadCatalogue(catalogue));
    EXPECT_EQ(catalogue.size(), 12u);
    EXPECT_EQ(catalogue.count(), 4u);
    EXPECT_EQ(catalogue.find(4), nullptr);
    const LibraryRecord* old = catalogue.find(3);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->totalMoves, 211);
    EXPECT_EQ(old->lastBoardKey, -123456789);
    EXPECT_TRUE(old->date.empty());
    EXPECT_TRUE(old->black.empty());
    EXPECT_EQ(catalogue.find(9)->black, "古力");
    EXPECT_EQ(catalogue.find(9)->date, "1985-06-01");
    EXPECT_TRUE(catalogue.find(11)->event.empty());
    EXPECT_EQ(catalogue.find(10)->event, longTexts.event);
    EXPECT_EQ(catalogue.find(10)->white, longTexts.white);
    EXPECT_EQ(catalogue.find(10)->totalMoves, longTexts.totalMoves);
}

TEST_P(LibraryStoreTest, ImportStoresNewGamesAndCountsDuplicates) {
    const auto in = folder / "in";
    ASSERT_TRUE(writeBytes(in / "a.sgf",
                           sgf("Go Seigen", "Kitani", ";B[pd];W[dp];B[pq]", "DT[1939-09-28]RE[W+2]EV[Kamakura]")));
    ASSERT_TRUE(writeBytes(in / "sub/b.SGF", sgf("Go Seigen", "Kitani", ";B[pd];W[dp];B[pp]", "DT[1939]")));
    // The same game again (another file, other header texts): a duplicate.
    ASSERT_TRUE(writeBytes(in / "sub/c.sgf", sgf("Go Seigen", "Kitani", ";B[pd];W[dp];B[pq]", "DT[1940-01-01]")));
    // The same moves between other players: a game of its own.
    ASSERT_TRUE(writeBytes(in / "sub/d.sgf", sgf("Shusai", "Kitani", ";B[pd];W[dp];B[pq]")));
    ASSERT_TRUE(writeBytes(in / "e.sgf", "(;GM[1]SZ[19];B[pd]"));  // unterminated: still readable?
    ASSERT_TRUE(writeBytes(in / "broken.gib", std::string("\x01\x02garbage", 9)));
    ASSERT_TRUE(writeBytes(in / "notes.txt", "not a record"));

    ImportSummary summary;
    size_t lastDone = 0;
    ASSERT_TRUE(importRecords(store, {in.string(), (folder / "missing").string()}, {2, 2, 2}, summary,
                              [&](size_t done, size_t) { lastDone = done; }))
        << summary.error;
    EXPECT_EQ(summary.duplicates, 1);
    EXPECT_EQ(summary.imported + summary.refused + summary.duplicates, 7);  // 6 records + the missing path
    EXPECT_EQ(lastDone, 6u);
    bool missingRefused = false, gibRefused = false;
    for (const auto& refused : summary.refusedFiles) {
        missingRefused |= refused.file.find("missing") != std::string::npos;
        gibRefused |= refused.file.find("broken.gib") != std::string::npos && !refused.error.empty();
    }
    EXPECT_TRUE(missingRefused);
    EXPECT_TRUE(gibRefused);

    LibraryRecord first;
    ASSERT_TRUE(store.loadRecord(summary.importedIds[0], first));
    EXPECT_EQ(first.date, "1939-09-28");
    EXPECT_EQ(first.appType, 2);
    EXPECT_EQ(first.totalMoves, 3);
    EXPECT_EQ(first.resultType, 2);
    EXPECT_EQ(first.event, "Kamakura");
    LibraryRecord second;
    ASSERT_TRUE(store.loadRecord(summary.importedIds[1], second));
    EXPECT_TRUE(second.date.empty());  // a year alone is no date
    EXPECT_NE(first.lastBoardKey, second.lastBoardKey);
    GameRecord stored;
    ASSERT_TRUE(store.readGame(summary.importedIds[0], stored));
    EXPECT_EQ(stored.info.libraryId, summary.importedIds[0]);
    EXPECT_EQ(stored.info.blackName, "Go Seigen");

    std::vector<std::string> players;
    queryTexts(store.database(), "SELECT Name FROM Player ORDER BY Name", players);
    EXPECT_EQ(players, (std::vector<std::string>{"Go Seigen", "Kitani", "Shusai"}));

    // A second import of the same folder finds only duplicates and adds nothing.
    ImportSummary again;
    ASSERT_TRUE(importRecords(store, {in.string()}, {}, again));
    EXPECT_EQ(again.imported, 0);
    EXPECT_EQ(again.duplicates, summary.imported + summary.duplicates);
    queryTexts(store.database(), "SELECT Name FROM Player", players);
    EXPECT_EQ(players.size(), 3u);
}

TEST_P(LibraryStoreTest, CancelledImportKeepsWhatWasCommitted) {
    const auto in = folder / "in";
    for (int k = 0; k < 6; ++k)
        ASSERT_TRUE(
            writeBytes(in / (std::to_string(k) + ".sgf"), sgf("A", "B", ";B[" + std::string(1, char('a' + k)) + "a]")));
    std::atomic<bool> cancel{false};
    ImportSummary summary;
    ASSERT_TRUE(importRecords(
        store, {in.string()}, {1, 1, 2}, summary, [&](size_t done, size_t) { cancel = done >= 2; }, &cancel));
    EXPECT_TRUE(summary.cancelled);
    EXPECT_EQ(summary.imported, 2);
    std::vector<int32_t> ids;
    EXPECT_EQ(store.allIds(-1, ids), 2);
    for (int32_t id : ids) {
        GameRecord game;
        EXPECT_TRUE(store.readGame(id, game));
    }
}

TESSERA_ON_EVERY_BACKEND(LibraryStoreTest);

TEST(LibraryFiles, UnusableLibrariesAreRefusedWithAReasonAndLeftAlone) {
    ScratchFolder folder;
    const std::string program = (folder / "bin").string();
    std::filesystem::create_directories(program);
    const std::string path = program + "/go.db";
    std::string error;
    {
        LibraryStore reader(program);
        EXPECT_FALSE(reader.open(LibraryAccess::readOnly, error));  // missing: a reader creates nothing
        EXPECT_NE(error.find("no library"), std::string::npos);
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    ASSERT_TRUE(writeBytes(path, "this is a text file, not a database at all........................"));
    {
        LibraryStore store(program);
        EXPECT_FALSE(store.open(LibraryAccess::readWrite, error));
        EXPECT_NE(error.find("not an SQLite database"), std::string::npos) << error;
        EXPECT_EQ(test::readBytes(path).substr(0, 9), "this is a");
    }
    std::filesystem::remove(path);
    {
        LibraryStore store(program);
        ASSERT_TRUE(store.open(LibraryAccess::readWrite, error)) << error;
        LibraryRecord r;
        r.id = 1;
        ASSERT_TRUE(store.putGame(r));
    }
    if (geteuid() != 0) {  // root ignores file modes
        std::filesystem::permissions(path, std::filesystem::perms::owner_read);
        LibraryStore store(program);
        EXPECT_FALSE(store.open(LibraryAccess::readWrite, error));
        EXPECT_NE(error.find("read-only"), std::string::npos);
        EXPECT_TRUE(store.open(LibraryAccess::readOnly, error)) << error;  // browsing still works
        std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    }
    // Another program holds an exclusive lock: a clear reason, and the library is intact afterwards.
    test::ForeignLock lock(path, "DELETE FROM GoFile");
    ASSERT_TRUE(lock.held());
    {
        LibraryStore store(program);
        EXPECT_FALSE(store.open(LibraryAccess::readWrite, error));
        EXPECT_NE(error.find("locked"), std::string::npos) << error;
    }
    lock.release();
    LibraryStore store(program);
    ASSERT_TRUE(store.open(LibraryAccess::readWrite, error)) << error;
    std::vector<int32_t> ids;
    EXPECT_EQ(store.allIds(-1, ids), 1);
}

}  // namespace
}  // namespace tessera
