// A library shared on a PostgreSQL server: game files served from the server into each
// client's cache, a local library copied up, importers running at once, and a server that
// goes away in the middle of an import.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>

#include "library/database_query.h"
#include "library/library_import.h"
#include "library/library_store.h"
#include "support/cli_run.h"
#include "support/generated_library.h"
#include "support/postgres_server.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::ScratchFolder;

// Writes games number first .. first + count - 1 as SGF files into folder (each its own game).
void writeGames(const std::filesystem::path& folder, int first, int count) {
    for (int number = first; number < first + count; ++number) {
        const char x = static_cast<char>('a' + number % 19), y = static_cast<char>('a' + number / 19 % 19);
        ASSERT_TRUE(test::writeBytes(
            folder / (std::to_string(number) + ".sgf"),
            "(;GM[1]FF[4]SZ[19]PB[黑 " + std::to_string(number) + "]PW[White]DT[2020-01-01];B[" + x + y + "];W[ss])"));
    }
}

int64_t count(LibraryStore& store, const std::string& sql) {
    std::vector<int32_t> values;
    queryNumbers(store.database(), sql, values);
    return values.empty() ? -1 : values.front();
}

class ServerLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        TESSERA_REQUIRE_POSTGRES(server);
        connection = server->newDatabase();
    }
    // A client of the server library with its own program folder (and so its own cache).
    std::unique_ptr<LibraryStore> client(const std::string& name, LibraryAccess access = LibraryAccess::readWrite) {
        auto store = std::make_unique<LibraryStore>((folder / name).string());
        store->setConnectionTemplate(connection);
        std::string error;
        EXPECT_TRUE(store->open(access, error)) << error;
        return store;
    }

    test::PostgresServer* server = nullptr;
    std::string connection;
    ScratchFolder folder;
};

TEST_F(ServerLibraryTest, ALocalLibraryCopiedUpIsServedToEveryClient) {
    const std::string local = (folder / "local").string() + "/";
    std::filesystem::create_directories(local);
    test::importGeneratedGames(local, folder.path(), 1, 30);
    EXPECT_NE(test::runCli({"library", "--server", connection, "status"}).exitCode, 0);  // no library yet

    auto init = test::runCli({"library", "--server", connection, "init", "--json"});
    ASSERT_EQ(init.exitCode, 0) << init.output;
    EXPECT_NE(init.output.find("\"games\":0"), std::string::npos) << init.output;
    std::filesystem::remove(LibraryStore(local).gamePath(30));  // one game without its file
    auto copy = test::runCli({"library", "--server", connection, "copy-from", local, "--json"});
    ASSERT_EQ(copy.exitCode, 0) << copy.output;
    EXPECT_NE(copy.output.find("\"games\":30,\"players\":31,\"storedFiles\":29,\"largestId\":30,\"copied\":30,"
                               "\"alreadyThere\":0,\"missingFiles\":1,\"copiedPlayers\":31"),
              std::string::npos)
        << copy.output;
    // Run again (as after an interruption): nothing twice.
    copy = test::runCli({"library", "--server", connection, "copy-from", local, "--json"});
    EXPECT_NE(copy.output.find("\"games\":30,\"players\":31,\"storedFiles\":29"), std::string::npos) << copy.output;
    EXPECT_NE(copy.output.find("\"copied\":0,\"alreadyThere\":30"), std::string::npos) << copy.output;

    // A client with an empty cache reads the games from the server and keeps them.
    auto reader = client("reader", LibraryAccess::readOnly);
    GameRecord game;
    ASSERT_TRUE(reader->readGame(7, game));
    EXPECT_EQ(game.info.libraryId, 7);
    EXPECT_EQ(test::readBytes(reader->gamePath(7)), test::readBytes(LibraryStore(local).gamePath(7)));
    std::string error;
    EXPECT_FALSE(reader->readGame(30, game, &error));
    EXPECT_NE(error.find("no game 30"), std::string::npos) << error;
    LibraryCatalogue catalogue;
    ASSERT_TRUE(reader->loadCatalogue(catalogue));
    EXPECT_EQ(catalogue.count(), 30u);
    LibraryStore original(local);
    original.setConnectionTemplate(kSqliteConnectionTemplate);
    LibraryRecord row;
    ASSERT_TRUE(original.open(LibraryAccess::readOnly, error) && original.loadRecord(12, row)) << error;
    EXPECT_EQ(*catalogue.find(12), row);

    // An update on one client adds game 30's file and replaces game 12's: every new client gets them.
    auto updater = client("updater");
    const std::string replacement = test::readBytes(LibraryStore(local).gamePath(7));
    for (int32_t id : {30, 12}) {
        ASSERT_TRUE(test::writeBytes(updater->gamePath(id), replacement));
        ASSERT_TRUE(updater->publishGameFile(id, error)) << error;
    }
    auto later = client("later", LibraryAccess::readOnly);
    for (int32_t id : {30, 12})
        ASSERT_TRUE(later->cacheGameFile(id, error) && test::readBytes(later->gamePath(id)) == replacement) << id;
}

TEST_F(ServerLibraryTest, TwoImportersAtOnceStoreEveryGameExactlyOnce) {
    // Two folders each, one of them shared: 240 different games, 80 of them offered twice.
    for (auto [name, first] : {std::pair{"x", 0}, std::pair{"y", 80}, std::pair{"z", 160}})
        writeGames(folder / name, first, 80);
    client("setup");  // the tables exist before both start
    std::filesystem::create_directories(folder / "a");
    std::filesystem::create_directories(folder / "b");
    setenv("TESSERA_ODBC_CONNECTION", connection.c_str(), 1);
    test::CliRun first, second;
    std::thread other([&] {
        second = test::runCli({"--program-folder", (folder / "b").string(), "import", "--json", (folder / "y").string(),
                               (folder / "z").string()});
    });
    first = test::runCli({"--program-folder", (folder / "a").string(), "import", "--json", (folder / "x").string(),
                          (folder / "y").string()});
    other.join();
    unsetenv("TESSERA_ODBC_CONNECTION");
    ASSERT_EQ(first.exitCode, 0) << first.output;
    ASSERT_EQ(second.exitCode, 0) << second.output;

    auto store = client("check");
    EXPECT_EQ(count(*store, "SELECT count(*) FROM GoFile"), 240);
    EXPECT_EQ(count(*store, "SELECT count(DISTINCT MainLineKey) FROM GameKey"), 240);
    EXPECT_EQ(count(*store, "SELECT count(*) FROM GameData"), 240);
    EXPECT_EQ(count(*store, "SELECT max(ID) FROM GoFile"), 240);  // no id given twice or skipped
    EXPECT_EQ(count(*store, "SELECT count(DISTINCT Name) FROM Player"), count(*store, "SELECT count(*) FROM Player"));
    EXPECT_NE(first.output.find("\"refused\":0"), std::string::npos);
    // Together they imported each game once and found the shared ones as duplicates.
    auto number = [](const std::string& output, const std::string& key) {
        const size_t at = output.find("\"" + key + "\":");
        return at == std::string::npos ? -1 : std::atoi(output.c_str() + at + key.size() + 3);
    };
    EXPECT_EQ(number(first.output, "imported") + number(second.output, "imported"), 240);
    EXPECT_EQ(number(first.output, "duplicates") + number(second.output, "duplicates"), 80);
}

TEST_F(ServerLibraryTest, AServerStoppedMidImportKeepsWholeBatchesAndSaysSo) {
    writeGames(folder / "in", 0, 8);
    auto store = client("importer");
    ImportSummary summary;
    ImportOptions options;
    options.batchSize = 3;
    options.threads = 1;
    bool stopped = false;
    EXPECT_FALSE(importRecords(*store, {(folder / "in").string()}, options, summary, [&](size_t done, size_t) {
        if (done == 3 && !stopped)
            stopped = server->stopAbruptly();
    }));
    ASSERT_TRUE(stopped);
    EXPECT_EQ(summary.imported, 3);
    EXPECT_NE(summary.error.find("connection to the library server was lost"), std::string::npos) << summary.error;
    EXPECT_NE(summary.error.find("import again"), std::string::npos) << summary.error;
    // While the server is away every read fails plainly; once it is back the same store
    // connects again on its next use.
    std::vector<int32_t> ids;
    EXPECT_EQ(store->allIds(-1, ids), 0);
    ASSERT_TRUE(server->start());
    EXPECT_EQ(store->allIds(-1, ids), 3);
    EXPECT_EQ(count(*store, "SELECT count(*) FROM GameData"), 3);
    ImportSummary again;
    ASSERT_TRUE(importRecords(*store, {(folder / "in").string()}, options, again)) << again.error;
    EXPECT_EQ(again.imported, 5);
    EXPECT_EQ(again.duplicates, 3);
    auto reader = client("reader", LibraryAccess::readOnly);
    for (int32_t id = 1; id <= 8; ++id) {
        GameRecord game;
        EXPECT_TRUE(reader->readGame(id, game)) << id;
    }
}

}  // namespace
}  // namespace tessera
