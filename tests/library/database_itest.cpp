// The database layer against real SQLite files through unixODBC and the SQLite 3 ODBC driver.

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "library/database.h"
#include "library/database_query.h"
#include "library/database_text.h"
#include "support/foreign_lock.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::ScratchFolder;

// A fresh database with a GoFile-like table of a few players.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        path = (folder / "go.db").string();
        ASSERT_EQ(connect(database, path, ConnectMode::createIfMissing), 1) << database.lastError();
        ASSERT_EQ(execute(database, "CREATE TABLE GoFile (ID INTEGER, Black TEXT, White TEXT, GameDate TEXT)"), 1)
            << database.lastError();
    }
    void addGame(int id, const std::string& black, const std::string& white, const std::string& date = "") {
        ASSERT_EQ(execute(database, "INSERT INTO GoFile (ID, Black, White, GameDate) VALUES (?, ?, ?, ?)",
                          {int64_t(id), black, white, date}),
                  1)
            << database.lastError();
    }
    std::vector<std::string> texts(const std::string& sql) {
        std::vector<std::string> list;
        EXPECT_EQ(queryTexts(database, sql, list), 1) << database.lastError();
        return list;
    }

    ScratchFolder folder;
    std::string path;
    Database database;
};

TEST_F(DatabaseTest, CjkTextsComeBackUnchangedThroughLiteralsAndParameters) {
    const std::string chinese = "古力", korean = "이세돌", japanese = "井山裕太", mixed = "柯洁 (Ke Jie) ✓";
    addGame(1, chinese, korean);
    std::string quoted = japanese;
    quoteSql(quoted);
    ASSERT_EQ(execute(database, "INSERT INTO GoFile (ID, Black, White) VALUES (2, '" + quoted + "', '" + mixed + "')"),
              1);

    Query query(database);
    ASSERT_EQ(openQuery(query, "SELECT * FROM GoFile WHERE White=? ORDER BY ID", {korean}), 1);
    EXPECT_EQ(query.text("Black"), chinese);
    EXPECT_EQ(query.text("white"), korean);  // column names ignore case
    query.close();
    EXPECT_EQ(texts("SELECT Black FROM GoFile ORDER BY ID"), (std::vector<std::string>{chinese, japanese}));
    EXPECT_EQ(texts("SELECT White FROM GoFile WHERE Black='" + japanese + "'"), std::vector<std::string>{mixed});
}

TEST_F(DatabaseTest, LongValuesArriveWhole) {
    std::string longText;
    for (int i = 0; i < 3000; ++i)
        longText += "段";  // 9000 bytes, more than one read piece, pieces split characters
    longText += "end";
    addGame(1, longText, "x");
    EXPECT_EQ(texts("SELECT Black FROM GoFile"), std::vector<std::string>{longText});
}

TEST_F(DatabaseTest, MaxValueAndLookupNumber) {
    EXPECT_EQ(maxValue(database, "GoFile", "ID"), -1);  // the maximum of no rows is empty
    addGame(7, "O'Neil", "b");
    addGame(42, "c", "d");
    addGame(3, "", "e");
    EXPECT_EQ(maxValue(database, "GoFile", "ID"), 42);
    EXPECT_EQ(maxValue(database, "NoSuchTable", "ID"), -1);

    EXPECT_EQ(lookupNumber(database, "GoFile", "Black", "O'Neil", "ID"), 7);  // the quote does not break the key
    EXPECT_EQ(lookupNumber(database, "GoFile", "Black", "nobody", "ID"), -1);
    EXPECT_EQ(lookupNumber(database, "GoFile", "Black", "c", "GameDate"), 0);  // empty value
    EXPECT_EQ(lookupNumber(database, "GoFile", "Black", "x' OR '1'='1", "ID"), -1);
}

TEST_F(DatabaseTest, QueryReadsColumnsByPositionAndNameAsTextsAndNumbers) {
    ASSERT_EQ(execute(database, "INSERT INTO GoFile (ID, Black, White, GameDate) VALUES (5, '12abc', NULL, '0')"), 1);
    Query query(database);
    ASSERT_EQ(openQuery(query, "SELECT * FROM GoFile"), 1);
    ASSERT_EQ(query.columnCount(), 4);
    EXPECT_EQ(query.columnName(1), "Black");
    EXPECT_EQ(query.text(0), "5");
    EXPECT_EQ(query.number("Black"), 12);
    EXPECT_EQ(query.number("GameDate"), 0);
    EXPECT_EQ(query.text("White"), "");
    EXPECT_TRUE(query.isNull("White"));
    EXPECT_EQ(query.text("NoSuchColumn"), "");
    EXPECT_EQ(query.text(9), "");
    EXPECT_FALSE(query.next());
    EXPECT_TRUE(query.atEnd());
    EXPECT_FALSE(query.isOpen());
}

TEST_F(DatabaseTest, AccessDialectStatementsRun) {
    for (int id = 1; id <= 5; ++id)
        addGame(id, "p" + std::to_string(id), "w", "2024-01-0" + std::to_string(id));
    EXPECT_EQ(texts("SELECT Top 2 * FROM GoFile WHERE GameDate>='2024-01-01' ORDER BY GameDate DESC"),
              (std::vector<std::string>{"5", "4"}));
    EXPECT_EQ(texts("SELECT Black FROM GoFile WHERE ID IN (SELECT TOP 1 ID FROM GoFile ORDER BY ID) "),
              std::vector<std::string>{"p1"});
    EXPECT_EQ(texts("SELECT Black FROM GoFile WHERE Black LIKE '*5'"), std::vector<std::string>{"p5"});
    ASSERT_EQ(execute(database, "DELETE * FROM GoFile WHERE ID=3"), 1) << database.lastError();
    ASSERT_EQ(execute(database, "DELETE * FROM GoFile WHERE ID=3"), 1);  // no row to delete still ran
    std::vector<int32_t> ids;
    ASSERT_EQ(queryNumbers(database, "SELECT ID FROM GoFile ORDER BY ID", ids), 1);
    EXPECT_EQ(ids, (std::vector<int32_t>{1, 2, 4, 5}));
}

TEST_F(DatabaseTest, OpenQueryOnNoRowsOrBadSqlFailsAndCloses) {
    Query query(database);
    EXPECT_EQ(openQuery(query, "SELECT * FROM GoFile"), 0);
    EXPECT_FALSE(query.isOpen());
    EXPECT_FALSE(query.failed());
    EXPECT_EQ(openQuery(query, "SELECT * FROM Missing"), 0);
    EXPECT_TRUE(query.failed());
    EXPECT_FALSE(database.lastError().empty());
    EXPECT_EQ(openQuery(query, "CREATE TABLE T2 (A INTEGER)"), 0);  // no result set

    std::vector<int32_t> ids{9};
    EXPECT_EQ(queryNumbers(database, "SELECT ID FROM GoFile", ids), 1);  // ran, no rows
    EXPECT_TRUE(ids.empty());
    EXPECT_EQ(queryNumbers(database, "SELECT ID FROM Missing", ids), 0);
    EXPECT_EQ(execute(database, "INSERT INTO Missing VALUES (1)"), 0);
}

TEST_F(DatabaseTest, ForEachRowVisitsFromTheFirstRowAndStops) {
    for (int id = 1; id <= 4; ++id)
        addGame(id, "b", "w");
    Query query(database);
    std::vector<int32_t> seen;
    auto collect = [&](Query& q) {
        seen.push_back(q.number("ID"));
        return 1;
    };
    ASSERT_EQ(openQuery(query, "SELECT ID FROM GoFile ORDER BY ID"), 1);
    ASSERT_TRUE(query.next());  // moved on: visiting still starts at the first row
    EXPECT_EQ(forEachRow(query, collect), 1);
    EXPECT_EQ(seen, (std::vector<int32_t>{1, 2, 3, 4}));
    EXPECT_FALSE(query.isOpen());
    EXPECT_EQ(forEachRow(query, collect), 0);  // closed

    seen.clear();
    ASSERT_EQ(openQuery(query, "SELECT ID FROM GoFile WHERE ID > ? ORDER BY ID", {int64_t(1)}), 1);
    EXPECT_EQ(forEachRow(query, [&](Query& q) { return collect(q) && q.number("ID") < 3 ? 1 : 0; }), 1);
    EXPECT_EQ(seen, (std::vector<int32_t>{2, 3}));

    std::atomic<int> stop{0};
    seen.clear();
    ASSERT_EQ(openQuery(query, "SELECT ID FROM GoFile ORDER BY ID"), 1);
    forEachRow(
        query,
        [&](Query& q) {
            collect(q);
            stop = 1;
            return 1;
        },
        &stop);
    EXPECT_EQ(seen, std::vector<int32_t>{1});
}

TEST_F(DatabaseTest, ClosingTheDatabaseEndsOpenQueriesAndLaterCallsFailQuietly) {
    addGame(1, "b", "w");
    Query query(database);
    ASSERT_EQ(openQuery(query, "SELECT * FROM GoFile"), 1);
    database.close();
    EXPECT_FALSE(query.isOpen());
    EXPECT_FALSE(query.next());
    EXPECT_EQ(execute(database, "DELETE FROM GoFile"), 0);
    EXPECT_EQ(openQuery(query, "SELECT * FROM GoFile"), 0);
    EXPECT_EQ(maxValue(database, "GoFile", "ID"), -1);
    EXPECT_EQ(lookupNumber(database, "GoFile", "Black", "b", "ID"), -1);
    std::vector<std::string> list{"x"};
    EXPECT_EQ(queryTexts(database, "SELECT Black FROM GoFile", list), 0);
    EXPECT_TRUE(list.empty());

    // Reopening finds the data that was written.
    ASSERT_EQ(connect(database, path), 1);
    EXPECT_EQ(maxValue(database, "GoFile", "ID"), 1);
}

TEST(DatabaseFiles, MissingOrForeignFilesDoNotOpen) {
    ScratchFolder folder;
    Database database;
    const std::string missing = (folder / "missing.db").string();
    EXPECT_EQ(connect(database, missing), 0);
    EXPECT_FALSE(database.isOpen());
    EXPECT_FALSE(std::filesystem::exists(missing));  // not created behind the caller's back

    const std::string foreign = (folder / "foreign.db").string();
    ASSERT_TRUE(test::writeBytes(
        foreign, std::string("GoMDBPatchDat\0\0\0\0 not a database at all", 40) + std::string(4096, '\x5a')));
    EXPECT_EQ(connect(database, foreign), 0);
    EXPECT_FALSE(database.isOpen());
    EXPECT_EQ(execute(database, "CREATE TABLE T (A INTEGER)"), 0);

    EXPECT_EQ(connect(database, folder.path().string()), 0);  // a folder
}

TEST(DatabaseFiles, ReadOnlyFileReadsButRefusesWrites) {
    ScratchFolder folder;
    const std::string path = (folder / "ro.db").string();
    {
        Database database;
        ASSERT_EQ(connect(database, path, ConnectMode::createIfMissing), 1);
        ASSERT_EQ(execute(database, "CREATE TABLE T (A INTEGER)"), 1);
        ASSERT_EQ(execute(database, "INSERT INTO T VALUES (4)"), 1);
    }
    using std::filesystem::perms;
    std::filesystem::permissions(path, perms::owner_read | perms::group_read | perms::others_read);
    std::filesystem::permissions(folder.path(),
                                 perms::owner_read | perms::owner_exec | perms::others_read | perms::others_exec);
    // Root ignores file permissions: the reading runs in a child that gives them up first (as
    // "nobody"), so the test means the same wherever it runs. Exit codes name the failed step.
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(65534) != 0 || setuid(65534) != 0))
            _exit(10);
        if (std::ofstream(path, std::ios::app))
            _exit(11);
        Database database;
        if (connect(database, path) != 1)
            _exit(12);
        if (maxValue(database, "T", "A") != 4)
            _exit(13);
        if (execute(database, "INSERT INTO T VALUES (5)") != 0)
            _exit(14);
        if (maxValue(database, "T", "A") != 4)
            _exit(15);
        _exit(0);
    }
    int status = -1;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    std::filesystem::permissions(folder.path(), perms::owner_all);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "10 privileges kept, 11 writable, 12 no connection, 13 not read, "
                                         "14 write accepted, 15 write applied";
}

TEST(DatabaseFiles, FileLockedByAnotherProcessFailsCleanlyAndRecovers) {
    ScratchFolder folder;
    const std::string path = (folder / "locked.db").string();
    Database database;
    database.setConnectionTemplate(std::string(kSqliteConnectionTemplate) + ";Timeout=100");
    ASSERT_EQ(connect(database, path, ConnectMode::createIfMissing), 1);
    ASSERT_EQ(execute(database, "CREATE TABLE T (A INTEGER)"), 1);
    ASSERT_EQ(execute(database, "INSERT INTO T VALUES (1)"), 1);

    test::ForeignLock lock(path, "INSERT INTO T VALUES (2)");
    ASSERT_TRUE(lock.held());

    EXPECT_EQ(execute(database, "INSERT INTO T VALUES (3)"), 0);
    EXPECT_FALSE(database.lastError().empty());
    EXPECT_EQ(maxValue(database, "T", "A"), -1);  // the exclusive lock blocks readers too

    lock.release();
    // The other process ended without committing: the file is whole and usable again.
    EXPECT_EQ(maxValue(database, "T", "A"), 1);
    EXPECT_EQ(execute(database, "INSERT INTO T VALUES (3)"), 1);
}

TEST(DatabaseConnection, TemplatesNameOtherSources) {
    EXPECT_EQ(connectionStringFor("DRIVER=SQLite3;Database={file}", "/tmp/go.db"),
              "DRIVER=SQLite3;Database=/tmp/go.db");
    EXPECT_EQ(connectionStringFor("DSN=lib;Database={name}", "/data/dic.db"), "DSN=lib;Database=dic");
    EXPECT_EQ(connectionStringFor("Database={file}", "/a;b/x}.db"), "Database={/a;b/x}}.db}");

    ScratchFolder folder;
    const std::string path = (folder / "t.db").string();
    Database database;
    database.setConnectionTemplate("DRIVER=NoSuchDriver;Database={file}");
    EXPECT_EQ(connect(database, path, ConnectMode::createIfMissing), 0);
    EXPECT_FALSE(database.lastError().empty());

    // The SQLite driver would cut such a path at the ';' and open another file: refused instead.
    database.setConnectionTemplate({});
    EXPECT_EQ(connect(database, (folder / "a;b.db").string(), ConnectMode::createIfMissing), 0);
    EXPECT_TRUE(std::filesystem::is_empty(folder.path()));
}

TEST(DatabaseConnection, TheSettingNamesTheDefaultSource) {
    ScratchFolder folder;
    const std::string ini = (folder / "vantor.ini").string();
    ASSERT_TRUE(test::writeBytes(ini, "[DATABASE]\nConnection=DRIVER=NoSuchDriver;Database={name}\n"));
    ASSERT_EQ(std::getenv("TESSERA_ODBC_CONNECTION"), nullptr);
    EXPECT_EQ(applyConnectionSetting(ini), "DRIVER=NoSuchDriver;Database={name}");
    Database database;
    EXPECT_EQ(connect(database, (folder / "go.db").string(), ConnectMode::createIfMissing), 0);
    // The environment variable wins over the setting.
    {
        const test::ScopedVariable connection("TESSERA_ODBC_CONNECTION", "DRIVER=SQLite3;Database={file}");
        EXPECT_EQ(connect(database, (folder / "go.db").string(), ConnectMode::createIfMissing), 1);
    }
    EXPECT_EQ(applyConnectionSetting((folder / "missing.ini").string()), kSqliteConnectionTemplate);
}

TEST(DatabaseConnection, UnregisteredDriverIsLoadedFromItsLibrary) {
    // An empty odbcinst.ini stands for a machine where the driver package did not register itself.
    ScratchFolder folder;
    ASSERT_TRUE(test::writeBytes(folder / "odbcinst.ini", ""));
    ASSERT_TRUE(test::writeBytes(folder / "odbc.ini", ""));
    const test::ScopedVariable odbcFolder("ODBCSYSINI", folder.path().c_str());
    Database database;
    ASSERT_EQ(connect(database, (folder / "x.db").string(), ConnectMode::createIfMissing), 1) << database.lastError();
    EXPECT_EQ(execute(database, "CREATE TABLE T (A INTEGER)"), 1);
}

}  // namespace
}  // namespace tessera
