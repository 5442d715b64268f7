#include "platform/program_folders.h"

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
    test::ScopedVariable variable("TESSERA_PROGRAM_FOLDER", "/tmp/x/../elsewhere/bin");
    EXPECT_EQ(GetProgramFolder(), "/tmp/elsewhere/bin/");
    variable.set(nullptr);
    const std::string folder = GetProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), '/');
    EXPECT_TRUE(FileExists(folder + "platform_unit_tests")) << folder;
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

}  // namespace
}  // namespace tessera
