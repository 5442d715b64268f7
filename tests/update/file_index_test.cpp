// The file index: its bytes both ways, damage refused, and which paths an index may name.

#include <gtest/gtest.h>

#include "update/file_index.h"
#include "update/update_paths.h"

namespace tessera {
namespace {

TEST(FileIndex, BytesRoundTripAndDamageIsRefused) {
    const std::vector<FileIndexEntry> entries = {{"dic.db", 10, 0xCBF43926u, 3}, {"board/木.png", 0, 1, 0}};
    const std::string bytes = fileIndexBytes(entries);
    std::string error;
    ASSERT_EQ(parseFileIndex(bytes, error), entries);
    EXPECT_EQ(parseFileIndex(fileIndexBytes({}), error), std::vector<FileIndexEntry>{});
    for (size_t cut = 0; cut < bytes.size(); ++cut)
        EXPECT_FALSE(parseFileIndex(bytes.substr(0, cut), error)) << cut;
    EXPECT_FALSE(parseFileIndex(bytes + "x", error));
    std::string huge = bytes;
    huge[18] = huge[19] = huge[20] = huge[21] = '\xFF';  // four billion entries in a few bytes
    EXPECT_FALSE(parseFileIndex(huge, error));
    std::string version = bytes;
    version[17] = 0x3F;  // 1.0 as a double
    EXPECT_FALSE(parseFileIndex(version, error));
}

TEST(FileIndex, OnlyDataFilesInsideTheProgramFolderMayBeNamed) {
    for (const char* path : {"dic.db", "board/black.png", "translations/tessera_en.qm", "GFP.dat"})
        EXPECT_TRUE(update_paths::isDataFilePath(path)) << path;
    for (const char* path : {"",
                             "/etc/passwd",
                             "../outside",
                             "board/../../x",
                             "C:/x",
                             "C:x",
                             "board\\..\\..\\x",
                             "a//b",
                             "./dic.db",
                             "board/",
                             "go.db",
                             "GoFile/0/00000001.sgg",
                             "patch/GoMDB/x",
                             "temp/x",
                             "ftpindex.ini",
                             "custom/vantor.ini",
                             "log.txt",
                             "a\nb",
                             "index/segments",
                             "cache/stats-games.dat"})
        EXPECT_FALSE(update_paths::isDataFilePath(path)) << path;
}

}  // namespace
}  // namespace tessera
