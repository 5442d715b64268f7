#include "platform/installed_layout.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

using test::ScopedVariable;

TEST(InstalledLayoutTest, SharedDataIsFoundOnlyBesideAnInstallation) {
    test::ScratchFolder prefix;
    fs::create_directories(prefix / "bin");
    EXPECT_EQ(installedDataFolder((prefix / "bin/").string(), "../share/tessera"), "");
    fs::create_directories(prefix / "share/tessera/program");
    EXPECT_EQ(installedDataFolder((prefix / "bin/").string(), "../share/tessera"),
              (prefix / "share/tessera/").string());
    EXPECT_EQ(installedDataFolder("", "../share/tessera"), "");
}

TEST(InstalledLayoutTest, UserFolderFollowsXdgDataHomeThenHome) {
    ScopedVariable home("HOME", "/home/player");
    {
        ScopedVariable data("XDG_DATA_HOME", "/data/home");
        EXPECT_EQ(userDataFolder(), "/data/home/tessera/");
    }
    {
        ScopedVariable relative("XDG_DATA_HOME", "relative/data");  // not absolute: ignored
        EXPECT_EQ(userDataFolder(), "/home/player/.local/share/tessera/");
    }
    ScopedVariable unset("XDG_DATA_HOME", nullptr);
    EXPECT_EQ(userDataFolder(), "/home/player/.local/share/tessera/");
}

TEST(InstalledLayoutTest, SeedingCopiesFilesLinksFoldersAndKeepsTheUsersOwn) {
    test::ScratchFolder shared;
    test::ScratchFolder scratch;
    const fs::path user = scratch / "user";
    test::writeBytes(shared / "vantor.ini", "[SETTING]\nStoneSound=1\n");
    test::writeBytes(shared / "BoardTemplate/Marble/mb_board.jpg", "jpeg");
    test::writeBytes(shared / "program/dic.db", "shipped");
    test::writeBytes(shared / "program/board/20716.wav", "wave");
    test::writeBytes(user / "program/dic.db", "the user's own");

    ASSERT_TRUE(seedUserFolder(shared.path().string() + "/", user.string() + "/"));
    EXPECT_EQ(test::readBytes(user / "vantor.ini"), "[SETTING]\nStoneSound=1\n");
    EXPECT_FALSE(fs::is_symlink(user / "vantor.ini"));
    EXPECT_EQ(test::readBytes(user / "program/dic.db"), "the user's own");
    EXPECT_FALSE(fs::is_symlink(user / "program"));
    EXPECT_TRUE(fs::is_symlink(user / "program/board"));
    EXPECT_EQ(test::readBytes(user / "program/board/20716.wav"), "wave");
    EXPECT_EQ(test::readBytes(user / "BoardTemplate/Marble/mb_board.jpg"), "jpeg");

    // A link left by an installation that moved is made again; a second seeding changes nothing else.
    fs::remove(user / "program/board");
    fs::create_directory_symlink(scratch / "gone", user / "program/board");
    test::writeBytes(user / "vantor.ini", "changed");
    ASSERT_TRUE(seedUserFolder(shared.path().string() + "/", user.string() + "/"));
    EXPECT_EQ(test::readBytes(user / "program/board/20716.wav"), "wave");
    EXPECT_EQ(test::readBytes(user / "vantor.ini"), "changed");
}

TEST(InstalledLayoutTest, SeedingFailsWhenTheUsersFolderCannotBeMade) {
    test::ScratchFolder shared;
    test::ScratchFolder scratch;
    test::writeBytes(scratch / "file", "not a folder");
    EXPECT_FALSE(seedUserFolder(shared.path().string() + "/", (scratch / "file/tessera/").string()));
    EXPECT_FALSE(seedUserFolder(shared.path().string() + "/", ""));
}

}  // namespace
}  // namespace tessera
