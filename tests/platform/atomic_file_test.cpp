#include "platform/atomic_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <csignal>
#include <filesystem>

#include "support/test_support.h"

namespace tessera {
namespace {

// Files in `folder` other than `keep`: leftovers of a write.
int strayFiles(const std::filesystem::path& folder, const std::string& keep) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.path().filename() != keep;
    return count;
}

TEST(AtomicWrite, AFailedWriteLeavesTheOldFileAndNoTemporary) {
    test::ScratchFolder scratch;
    const std::string path = (scratch / "settings.ini").string();
    ASSERT_TRUE(writeFileAtomically(path, "[OLD]\nA=1\n"));

    // A file size limit makes the write fail half-way, as a full disk would.
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = saved;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = writeFileAtomically(path, std::string(4096, 'x'));
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, savedHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(test::readBytes(path), "[OLD]\nA=1\n");
    EXPECT_EQ(strayFiles(scratch.path(), "settings.ini"), 0);
}

TEST(AtomicWrite, KeepsPermissionsAndLinks) {
    test::ScratchFolder scratch;
    const std::string path = (scratch / "real.ini").string();
    ASSERT_TRUE(writeFileAtomically(path, "one"));
    ASSERT_EQ(chmod(path.c_str(), 0640), 0);
    std::filesystem::create_symlink(path, scratch / "link.ini");

    ASSERT_TRUE(writeFileAtomically((scratch / "link.ini").string(), "two"));
    EXPECT_TRUE(std::filesystem::is_symlink(scratch / "link.ini"));
    EXPECT_EQ(test::readBytes(path), "two");
    struct stat info {};
    ASSERT_EQ(stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST(AtomicWrite, RefusesFoldersAndMissingFolders) {
    test::ScratchFolder scratch;
    std::filesystem::create_directory(scratch / "dir");
    EXPECT_FALSE(writeFileAtomically((scratch / "dir").string(), "x"));
    EXPECT_TRUE(std::filesystem::is_directory(scratch / "dir"));
    EXPECT_FALSE(writeFileAtomically((scratch / "missing/file").string(), "x"));
    EXPECT_EQ(strayFiles(scratch.path(), "dir"), 0);
}

TEST(AtomicCreate, NeverReplacesAnExistingFile) {
    test::ScratchFolder scratch;
    const std::string path = (scratch / "custom.ini").string();
    EXPECT_TRUE(createFileAtomically(path, "first"));
    EXPECT_FALSE(createFileAtomically(path, "second"));
    EXPECT_EQ(test::readBytes(path), "first");
    EXPECT_EQ(strayFiles(scratch.path(), "custom.ini"), 0);
}

TEST(BoundedRead, RefusesWhatItCannotHoldWhole) {
    test::ScratchFolder scratch;
    ASSERT_TRUE(test::writeBytes(scratch / "f", std::string(100, 'a')));
    EXPECT_EQ(readFileBounded((scratch / "f").string(), 100)->size(), 100u);
    EXPECT_FALSE(readFileBounded((scratch / "f").string(), 99));
    EXPECT_FALSE(readFileBounded((scratch / "absent").string(), 100));
    EXPECT_FALSE(readFileBounded(scratch.path().string(), 100));
    EXPECT_FALSE(readFileBounded("/dev/zero", 100));
}

}  // namespace
}  // namespace tessera
