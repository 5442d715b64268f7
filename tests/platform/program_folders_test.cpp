#include "platform/program_folders.h"

#include <cstdlib>
#include <gtest/gtest.h>

#include "support/test_support.h"

namespace tessera {
namespace {

TEST(RootFolder, IsTheParentOfTheProgramFolder) {
    EXPECT_EQ(GetRootFolder("/opt/tessera/bin/"), "/opt/tessera/");
    EXPECT_EQ(GetRootFolder("/opt/tessera/bin"), "/opt/tessera/");
    EXPECT_EQ(GetRootFolder("/bin/"), "/");
    EXPECT_EQ(GetRootFolder("relative/bin/"), "relative/");
}

TEST(RootFolder, IsEmptyWhenThereIsNoParent) {
    EXPECT_EQ(GetRootFolder(""), "");
    EXPECT_EQ(GetRootFolder("/"), "");
    EXPECT_EQ(GetRootFolder("bin/"), "");
    EXPECT_EQ(GetRootFolder("/" + std::string(kMaxFolderPathLength, 'a') + "/"), "");
    // With no root the user's folder is found relative to the working folder.
    EXPECT_EQ(GetCustomFolder(GetRootFolder("/")), "custom/");
}

TEST(ProgramFolder, FollowsTheEnvironmentElseTheExecutable) {
    const char* saved = std::getenv("TESSERA_PROGRAM_FOLDER");
    const std::string savedValue = saved ? saved : "";

    setenv("TESSERA_PROGRAM_FOLDER", "/tmp/x/../elsewhere/bin", 1);
    EXPECT_EQ(GetProgramFolder(), "/tmp/elsewhere/bin/");

    unsetenv("TESSERA_PROGRAM_FOLDER");
    const std::string folder = GetProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(FileExists(folder + "platform_unit_tests")) << folder;

    if (saved)
        setenv("TESSERA_PROGRAM_FOLDER", savedValue.c_str(), 1);
}

TEST(MakeFolderPath, CreatesEveryLevelAndToleratesExistingOnes) {
    test::ScratchFolder scratch;
    const std::string base = scratch.path().string() + "/";
    EXPECT_TRUE(MakeFolderPath(base + "a/b/c/file.ini"));
    EXPECT_TRUE(FileExists(base + "a/b/c"));
    EXPECT_FALSE(FileExists(base + "a/b/c/file.ini"));
    EXPECT_TRUE(MakeFolderPath(base + "a/b/c/file.ini"));
    EXPECT_TRUE(MakeFolderPath("no-folder-part.ini"));

    // A file standing where a folder should be makes the call fail instead of pretending.
    ASSERT_TRUE(test::writeBytes(scratch / "blocker", "x"));
    EXPECT_FALSE(MakeFolderPath(base + "blocker/inner/file.ini"));
}

TEST(FileExists, FindsFilesAndFoldersByExactName) {
    test::ScratchFolder scratch;
    const std::string base = scratch.path().string() + "/";
    EXPECT_TRUE(FileExists(base));
    EXPECT_FALSE(FileExists(base + "absent"));
    EXPECT_FALSE(FileExists(""));
    ASSERT_TRUE(test::writeBytes(scratch / "present", ""));
    EXPECT_TRUE(FileExists(base + "present"));
}

}  // namespace
}  // namespace tessera
