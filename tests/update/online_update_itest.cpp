// The online update end to end: a library and data files published with publishUpdateTree,
// served by a real HTTP server on 127.0.0.1, fetched into an empty program folder through
// the real SQLite library. Every fault is checked on disk (nothing lost, nothing
// half-written) and followed by a run that completes the update.

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/program_log.h"
#include "library/library_patch.h"
#include "library/library_store.h"
#include "platform/http_download.h"
#include "platform/ini_file.h"
#include "support/generated_library.h"
#include "support/http_test_server.h"
#include "support/test_support.h"
#include "update/file_index.h"
#include "update/online_update.h"
#include "update/update_publisher.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

class OnlineUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"out", "pub", "client"})
            fs::create_directories(scratch / folder);
        server = std::make_unique<test::HttpTestServer>(scratch / "out");
        ASSERT_TRUE(server->running());
    }

    void addGames(int count) {
        test::importGeneratedGames(pub, scratch.path(), nextGame, count);
        nextGame += count;
    }
    void writeData(const std::string& path, const std::string& bytes) {
        ASSERT_TRUE(test::writeBytes(pub + path, bytes));
    }
    void publish() {
        PublishReport report;
        ASSERT_TRUE(publishUpdateTree(pub, out, -1, report)) << report.error;
    }
    UpdateReport update(long stallSeconds = 30, const std::function<void(const UpdateEvent&)>& onEvent = {}) {
        LibraryStore store(client);
        UpdateOptions options;
        options.baseUrl = server->url();
        options.limits.stallSeconds = stallSeconds;
        options.cancel = &cancel;
        options.log = &log;
        return runOnlineUpdate(store, options, onEvent);
    }
    int clientGames() {
        LibraryStore store(client);
        std::string error;
        std::vector<int32_t> ids;
        if (!store.open(LibraryAccess::readOnly, error))
            return -1;
        store.allIds(-1, ids);
        for (const int32_t id : ids)
            if (!fs::exists(store.gamePath(id)))
                return -2;  // a row without its game file
        return static_cast<int>(ids.size());
    }
    std::string clientFile(const std::string& path) {
        return fs::exists(client + path) ? test::readBytes(client + path) : "<absent>";
    }
    // No temporary file of the update anywhere under the client folder (temp/ may keep the
    // part of an interrupted download).
    bool noLeftovers(bool tempEmpty = true) {
        for (const auto& entry : fs::recursive_directory_iterator(client)) {
            const std::string name = entry.path().filename().string();
            if (name.find(".unzip-") != std::string::npos || name == "go.db.new" || name == "go.db.old")
                return false;
        }
        return !tempEmpty || !fs::exists(client + "temp") || fs::is_empty(client + "temp");
    }
    bool indexVersionsMatch() {
        const auto local = IniDocument::load(client + "ftpindex.ini").value("Option", "version");
        return local && local == IniDocument::load(out + "ftpindex.ini").value("Option", "version");
    }
    static std::vector<std::string> failedPaths(const UpdateReport& report) {
        std::vector<std::string> paths;
        for (const auto& failure : report.failed)
            paths.push_back(failure.path);
        return paths;
    }

    test::ScratchFolder scratch;
    std::string pub = (scratch / "pub").string() + "/";
    std::string out = (scratch / "out").string() + "/";
    std::string client = (scratch / "client").string() + "/";
    std::unique_ptr<test::HttpTestServer> server;
    std::atomic<bool> cancel{false};
    ProgramLog log{(scratch / "log.txt").string()};
    int nextGame = 0;
};

TEST_F(OnlineUpdateTest, WholeDatabaseFirstThenPatchesThenTheSizeRule) {
    addGames(3);
    writeData("board/a.txt", "one");
    writeData("TPBs.ini", "[BOOKS]\n");
    publish();

    // A packed database that is not a library is refused before anything changes.
    const std::string packed = out + "Patch/GoMDB/go.db.zip";
    fs::copy_file(packed, scratch / "good.zip");
    std::string error;
    ASSERT_TRUE(zipSingleFile(pub + "TPBs.ini", packed, "go.db", error));
    UpdateReport report = update();
    EXPECT_EQ(failedPaths(report), std::vector<std::string>{"Patch/GoMDB/go.db.zip"});
    EXPECT_EQ(clientGames(), 0);
    EXPECT_FALSE(fs::exists(client + "GoFile"));
    fs::copy_file(scratch / "good.zip", packed, fs::copy_options::overwrite_existing);

    report = update();
    EXPECT_TRUE(report.failed.empty()) << report.failed[0].path << ": " << report.failed[0].error;
    EXPECT_TRUE(report.databaseReplaced);
    EXPECT_EQ(report.patches, std::vector<int>{0});
    EXPECT_EQ(report.games, 3);
    EXPECT_EQ(clientGames(), 3);
    EXPECT_EQ(clientFile("board/a.txt"), "one");
    EXPECT_TRUE(indexVersionsMatch());
    EXPECT_TRUE(noLeftovers());
    report = update();  // up to date: nothing fetched
    EXPECT_TRUE(report.failed.empty() && report.patches.empty() && report.games == 0 && report.files == 0);

    addGames(2);
    publish();
    addGames(2);
    writeData("board/a.txt", "two");
    publish();
    report = update();
    EXPECT_TRUE(report.failed.empty());
    EXPECT_FALSE(report.databaseReplaced);
    EXPECT_EQ(report.patches, (std::vector<int>{1, 2}));
    EXPECT_EQ(report.games, 4);
    EXPECT_EQ(report.files, 1);
    EXPECT_EQ(clientGames(), 7);
    EXPECT_EQ(clientFile("board/a.txt"), "two");
    EXPECT_EQ(readPatchHistory(client + "patch/GoMDB/GoMDBHisPatch.INI").size(), 3u);

    // New patches larger than the size rule allows: the whole database instead.
    addGames(1);
    publish();
    auto history = readPatchHistory(out + "Patch/GoMDB/GoMDBHisPatch.INI");
    history.back().fileSize = 2000;
    ASSERT_TRUE(writePatchHistory(out + "Patch/GoMDB/GoMDBHisPatch.INI", history));
    report = update();
    EXPECT_TRUE(report.failed.empty());
    EXPECT_TRUE(report.databaseReplaced);
    EXPECT_EQ(report.games, 1);  // only the missing game file
    EXPECT_EQ(clientGames(), 8);
    EXPECT_TRUE(fs::exists(client + "go.db.before-update"));  // the replaced library is kept
    EXPECT_TRUE(noLeftovers());
}

TEST_F(OnlineUpdateTest, FaultsLoseNothingAndTheNextRunCompletes) {
    addGames(2);
    writeData("a.txt", "one");
    publish();
    ASSERT_TRUE(update().failed.empty());

    addGames(2);
    writeData("a.txt", "two");
    writeData("b.txt", "new");
    writeData("c.txt", "three");
    publish();
    // The server stops in the middle of a game file, lacks b.txt, has a damaged a.txt and an
    // index whose CRC for c.txt is wrong.
    server->setFaults("GoFile/0/00000003.sgg.zip cut\n");
    fs::rename(out + "b.txt.zip", scratch / "b.txt.zip");
    fs::copy_file(out + "a.txt.zip", scratch / "a.txt.zip");
    std::string damaged = test::readBytes(out + "a.txt.zip");
    damaged[30 + 5] ^= 0x55;
    ASSERT_TRUE(test::writeBytes(out + "a.txt.zip", damaged));
    fs::copy_file(out + "ftpindex.dat", scratch / "ftpindex.dat");
    auto index = readFileIndex(out + "ftpindex.dat");
    for (auto& entry : index)
        entry.crc += entry.path == "c.txt" ? 1 : 0;
    ASSERT_TRUE(test::writeBytes(out + "ftpindex.dat", fileIndexBytes(index)));

    UpdateReport report = update();
    EXPECT_EQ(failedPaths(report),
              (std::vector<std::string>{"GoFile/0/00000003.sgg.zip", "a.txt.zip", "b.txt.zip", "c.txt.zip"}));
    EXPECT_TRUE(report.patches.empty());
    EXPECT_EQ(clientGames(), 2);  // the patch waits for its game files
    EXPECT_EQ(readPatchHistory(client + "patch/GoMDB/GoMDBHisPatch.INI").size(), 1u);
    EXPECT_EQ(clientFile("a.txt"), "one");
    EXPECT_EQ(clientFile("b.txt"), "<absent>");
    EXPECT_EQ(clientFile("c.txt"), "<absent>");
    EXPECT_FALSE(indexVersionsMatch());
    EXPECT_TRUE(noLeftovers(false));
    const std::string logged = test::readBytes(scratch / "log.txt");
    EXPECT_NE(logged.find("GoFile/0/00000003.sgg.zip download error"), std::string::npos) << logged;
    EXPECT_NE(logged.find("UnZip file(" + client + "temp/"), std::string::npos) << logged;

    server->setFaults("");
    fs::rename(scratch / "b.txt.zip", out + "b.txt.zip");
    fs::copy_file(scratch / "a.txt.zip", out + "a.txt.zip", fs::copy_options::overwrite_existing);
    fs::copy_file(scratch / "ftpindex.dat", out + "ftpindex.dat", fs::copy_options::overwrite_existing);
    report = update();
    EXPECT_TRUE(report.failed.empty());
    EXPECT_EQ(report.patches, std::vector<int>{1});
    EXPECT_EQ(clientGames(), 4);
    EXPECT_EQ(clientFile("a.txt") + clientFile("b.txt") + clientFile("c.txt"), "twonewthree");
    EXPECT_TRUE(indexVersionsMatch());
    EXPECT_TRUE(noLeftovers());

    // A server that goes quiet is given up after the stall limit.
    writeData("d.txt", "four");
    publish();
    server->setFaults("ftpindex.dat slow\n");
    EXPECT_EQ(failedPaths(update(1)), std::vector<std::string>{"ftpindex.dat"});
    EXPECT_EQ(clientFile("d.txt"), "<absent>");
    server->setFaults("");
    EXPECT_TRUE(update().failed.empty());
    EXPECT_EQ(clientFile("d.txt"), "four");

    // Cancelled while the game files come: nothing applied; the next run finishes.
    addGames(3);
    publish();
    report = update(30, [this](const UpdateEvent& event) {
        if (event.step == UpdateStep::downloadGames && event.done == 1)
            cancel = true;
    });
    EXPECT_TRUE(report.cancelled);
    EXPECT_TRUE(report.failed.empty());
    EXPECT_EQ(clientGames(), 4);
    cancel = false;
    EXPECT_TRUE(update().failed.empty());
    EXPECT_EQ(clientGames(), 7);
    EXPECT_TRUE(noLeftovers());
}

TEST_F(OnlineUpdateTest, IndexPathsOutsideTheDataFilesAreRefused) {
    addGames(1);
    writeData("a.txt", "one");
    publish();
    auto index = readFileIndex(out + "ftpindex.dat");
    for (const char* path : {"../escape.txt", "/tmp/absolute.txt", "C:/drive.txt", "x\\..\\..\\escape.txt", "go.db"})
        index.push_back({path, 0, 1, 0});
    ASSERT_TRUE(test::writeBytes(out + "ftpindex.dat", fileIndexBytes(index)));
    const UpdateReport report = update();
    EXPECT_EQ(failedPaths(report), (std::vector<std::string>{"../escape.txt", "/tmp/absolute.txt", "C:/drive.txt",
                                                             "x\\..\\..\\escape.txt", "go.db"}));
    EXPECT_EQ(clientFile("a.txt"), "one");
    EXPECT_EQ(clientGames(), 1);
    EXPECT_FALSE(fs::exists(scratch / "escape.txt"));
    EXPECT_FALSE(indexVersionsMatch());  // the refused entries are tried again next time
}

}  // namespace
}  // namespace tessera
