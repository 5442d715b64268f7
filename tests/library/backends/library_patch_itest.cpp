// Patch histories, patch files and their application to a library on both back ends; the block folder.

#include <gtest/gtest.h>

#include <cstring>

#include "library/backends/library_backend.h"
#include "library/database_query.h"
#include "library/library_patch.h"
#include "library/library_store.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::ScratchFolder;
using test::writeBytes;

std::string history(int count, const std::vector<int>& sizes = {}, int deleteOldAt = -1) {
    std::string text;
    for (int k = 0; k < count; ++k) {
        text += "[patch" + std::to_string(k) + "]\nPublicDate=2026010" + std::to_string(k % 9 + 1) + "\n";
        text += "DelOldFile=" + std::string(k == deleteOldAt ? "1" : "0") + "\nTable_GoFile_AddCount=10\n";
        text +=
            "Table_Player_AddCount=2\nPatchFileSize=" + std::to_string(k < int(sizes.size()) ? sizes[k] : 100) + "\n";
    }
    return text;
}

TEST(LibraryPatches, HistoriesChooseBetweenPatchingAndReplacing) {
    ScratchFolder folder;
    ASSERT_TRUE(writeBytes(folder / "local.ini", history(5)));
    ASSERT_TRUE(
        writeBytes(folder / "remote.ini", history(7) + "[patch7]\nPublicDate=0\n[patch8]\nPublicDate=20260101\n"));
    const auto local = readPatchHistory((folder / "local.ini").string());
    const auto remote = readPatchHistory((folder / "remote.ini").string());
    ASSERT_EQ(local.size(), 5u);
    ASSERT_EQ(remote.size(), 7u);  // ends at the section without a positive date
    EXPECT_EQ(local[2].gameCount, 10);
    const auto fresh = newPatches(local, remote);
    ASSERT_EQ(fresh.size(), 2u);
    EXPECT_EQ(fresh[0].number, 5);
    EXPECT_EQ(fresh[1].number, 6);
    EXPECT_EQ(choosePatchPath(local, fresh), PatchPath::applyPatches);
    EXPECT_EQ(choosePatchPath(local, {}), PatchPath::upToDate);
    EXPECT_EQ(choosePatchPath({}, remote), PatchPath::replaceDatabase);
    EXPECT_EQ(newPatches({}, remote).size(), 7u);

    ASSERT_TRUE(writeBytes(folder / "sizes.ini", history(2, {600, 500})));
    auto sized = readPatchHistory((folder / "sizes.ini").string());
    EXPECT_EQ(choosePatchPath(local, sized), PatchPath::replaceDatabase);  // 1100 > 1024
    sized[1].fileSize = 424;
    EXPECT_EQ(choosePatchPath(local, sized), PatchPath::applyPatches);
    sized[0].deleteOld = 1;
    EXPECT_EQ(choosePatchPath(local, sized), PatchPath::replaceDatabase);
    EXPECT_TRUE(readPatchHistory((folder / "absent.ini").string()).empty());
}

class PatchApplyTest : public test::LibraryBackendTest {
protected:
    void SetUp() override {
        openOnBackend(store);
        if (HasFatalFailure() || IsSkipped())
            return;
        LibraryRecord old;
        old.id = 2;
        old.black = "old";
        ASSERT_TRUE(store.putGame(old));
        for (int id : {2, 3}) {
            LibraryRecord r;
            r.id = id;
            r.langType = 1;
            r.appType = 1;
            r.event = "第" + std::to_string(id) + "届 'cup'";
            r.date = "2026-01-0" + std::to_string(id);
            r.black = "古力";
            r.white = "李世石";
            r.resultType = 2;
            r.totalMoves = 200 + id;
            r.lastBoardKey = -id;
            games.push_back(r);
        }
        PlayerRecord p;
        p.id = 9;
        p.name = "李世石";
        p.nation = "韩国";
        p.sex = "Man";
        players.push_back(p);
    }
    ScratchFolder folder;
    LibraryStore store{folder.path().string()};
    std::vector<LibraryRecord> games;
    std::vector<PlayerRecord> players;
};

TEST_P(PatchApplyTest, AWholeFileIsReadAndAppliedReplacingRows) {
    const std::string bytes = patchDataBytes(games, players);
    ASSERT_TRUE(writeBytes(folder / "patch5_GoMDB.dat", bytes));
    std::vector<LibraryRecord> readGames;
    std::vector<PlayerRecord> readPlayers;
    std::string error;
    ASSERT_TRUE(readPatchData((folder / "patch5_GoMDB.dat").string(), readGames, readPlayers, error)) << error;
    EXPECT_EQ(readGames, games);
    EXPECT_EQ(readPlayers, players);
    ASSERT_TRUE(applyPatch(store, readGames, readPlayers, error)) << error;
    LibraryRecord back;
    ASSERT_TRUE(store.loadRecord(2, back));
    EXPECT_EQ(back, games[0]);  // the existing row is replaced
    std::vector<int32_t> ids;
    EXPECT_EQ(store.allIds(-1, ids), 2);
}

TEST_P(PatchApplyTest, DamagedFilesAndFailingStatementsChangeNothing) {
    const std::string bytes = patchDataBytes(games, players);
    std::vector<LibraryRecord> readGames;
    std::vector<PlayerRecord> readPlayers;
    std::string error;
    for (size_t cut = 0; cut < bytes.size(); cut += 7) {
        EXPECT_FALSE(parsePatchData(bytes.substr(0, cut), readGames, readPlayers, error)) << cut;
        EXPECT_TRUE(readGames.empty());
    }
    std::string versioned = bytes;
    const double one = 1.0;
    std::memcpy(versioned.data() + 20, &one, 8);
    EXPECT_FALSE(parsePatchData(versioned, readGames, readPlayers, error));
    EXPECT_FALSE(parsePatchData(bytes + "x", readGames, readPlayers, error));
    std::string huge = bytes;
    huge[28] = '\xff';  // a count far beyond the file
    EXPECT_FALSE(parsePatchData(huge, readGames, readPlayers, error));

    // A failing insert part way: the whole patch is rolled back.
    ASSERT_EQ(execute(store.database(), refuseInsertsInto("Player")), 1);
    EXPECT_FALSE(applyPatch(store, games, players, error));
    LibraryRecord back;
    ASSERT_TRUE(store.loadRecord(2, back));
    EXPECT_EQ(back.black, "old");
    EXPECT_FALSE(store.loadRecord(3, back));
}

TESSERA_ON_EVERY_BACKEND(PatchApplyTest);

TEST(LibraryPatches, LanguageAndBlockFolder) {
    ScratchFolder folder;
    const std::string program = folder.path().string() + "/";
    EXPECT_EQ(libraryLanguage(program).folderName, "GoMDB");
    ASSERT_TRUE(writeBytes(folder / "GoMDB.ini", "[OPTION]\nLangType=10002\n"));
    EXPECT_EQ(libraryLanguage(program).langType, 2);
    EXPECT_EQ(patchFolder(program, libraryLanguage(program)), program + "patch/GoMDB_Big5/");
    ASSERT_TRUE(writeBytes(folder / "GoMDB.ini", "[OPTION]\nLangType=10000\n"));
    EXPECT_EQ(libraryLanguage(program).folderName, "GoMDB_English");

    ASSERT_TRUE(writeBytes(folder / "block/famous/Top.SQL", "SELECT * FROM GoFile"));
    ASSERT_TRUE(writeBytes(folder / "block/famous/list.txt", "1\n"));
    ASSERT_TRUE(writeBytes(folder / "block/translate.ini",
                           "[item0]\nkey=famous\nGB=名局\nEnglish=Famous games\n[item1]\nkey=list.txt\nGB=列表\n"));
    const auto english = listBlockIndex(program, kLanguageEnglish);
    ASSERT_EQ(english.size(), 1u);
    EXPECT_EQ(english[0].displayName, "Famous games");
    ASSERT_EQ(english[0].files.size(), 2u);
    EXPECT_EQ(english[0].files[0].name, "Top.SQL");
    EXPECT_EQ(english[0].files[1].displayName, "list.txt");  // no English name
    EXPECT_EQ(listBlockIndex(program, kLanguageSimplifiedChinese)[0].files[1].displayName, "列表");
}

}  // namespace
}  // namespace tessera
