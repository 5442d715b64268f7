// Id list files and texts: the line forms, long lines, the expansion cap, and atomic writing.

#include <gtest/gtest.h>

#include <filesystem>

#include "library/id_list_file.h"
#include "platform/diagnostics.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::ScratchFolder;

// The ids of a list file holding the text; the text reader must find the same.
std::vector<int32_t> readIds(const ScratchFolder& folder, const std::string& text, size_t cap = kMaxIdListEntries) {
    const auto path = folder / "ids.txt";
    EXPECT_TRUE(test::writeBytes(path, text));
    std::vector<int32_t> list{-99}, parsed{-99};
    EXPECT_TRUE(ReadIdList(path.string(), list, cap));
    EXPECT_EQ(parseIdList(text, parsed, cap), list.size() < cap);  // false when capped
    EXPECT_EQ(parsed, list);
    return list;
}

TEST(IdListFile, ReadsIdsAndRangesAndSkipsOtherLines) {
    ScratchFolder folder;
    EXPECT_EQ(readIds(folder, "5\n[7,9]\n(10,12)\n[20,19]\nabc\n"), (std::vector<int32_t>{5, 7, 8, 9, 11}));
    EXPECT_EQ(readIds(folder, "12abc\r\n[1,2)\r\n(3,4]\n{5,6}\n-4\n\n[ 8 , 9 ]\n0"),
              (std::vector<int32_t>{12, 1, 4, 8, 9, 0}));
    EXPECT_EQ(readIds(folder, ""), std::vector<int32_t>{});
    EXPECT_EQ(readIds(folder, std::string("3\0 7\n4", 6)), (std::vector<int32_t>{3, 4}));
    // Ends of the 32-bit range neither overflow nor loop forever.
    EXPECT_EQ(readIds(folder, "[2147483646,2147483647]\n(-2147483648,-2147483647]\n"),
              (std::vector<int32_t>{2147483646, 2147483647, -2147483647}));
}

TEST(IdListFile, LongLinesAreReadInPiecesOf1023Bytes) {
    ScratchFolder folder;
    // 1023 bytes of "x" then "77": the second piece starts with a digit.
    EXPECT_EQ(readIds(folder, std::string(1023, 'x') + "77\n8\n"), (std::vector<int32_t>{77, 8}));
    EXPECT_EQ(readIds(folder, "1" + std::string(1022, '0') + "55\n"), (std::vector<int32_t>{2147483647, 55}));
}

TEST(IdListFile, HugeRangesAreCappedAndLogged) {
    ScratchFolder folder;
    std::vector<std::string> notes;
    setDiagnosticSink([&](const std::string& note) { notes.push_back(note); });
    const auto capped = readIds(folder, "1\n[0,2000000000]\n5\n", 1000);
    setDiagnosticSink({});
    ASSERT_EQ(capped.size(), 1000u);
    EXPECT_EQ(capped[0], 1);
    EXPECT_EQ(capped[1], 0);
    EXPECT_EQ(capped.back(), 998);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("1000"), std::string::npos);
}

TEST(IdListFile, WriteThenReadRoundTripsAndWritesAtomically) {
    ScratchFolder folder;
    const std::string path = (folder / "result.txt").string();
    const std::vector<int32_t> ids{3, -1, 2147483647, 0, 42};
    ASSERT_TRUE(WriteIdList(ids, path));
    EXPECT_EQ(test::readBytes(path), "3\n-1\n2147483647\n0\n42\n");
    std::vector<int32_t> back;
    ASSERT_TRUE(ReadIdList(path, back));
    EXPECT_EQ(back, (std::vector<int32_t>{3, 2147483647, 0, 42}));  // "-1" is not a line of ids

    ASSERT_TRUE(WriteIdList({}, path));
    EXPECT_EQ(test::readBytes(path), "");
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    EXPECT_FALSE(WriteIdList(ids, (folder / "no" / "such" / "folder.txt").string()));
    EXPECT_FALSE(ReadIdList((folder / "missing.txt").string(), back));
    EXPECT_TRUE(back.empty());
}

TEST(IdListFile, ReadWholeFile) {
    ScratchFolder folder;
    const std::string bytes = std::string("SELECT * FROM GoFile\0\xff", 23) + std::string(200000, 'z');
    ASSERT_TRUE(test::writeBytes(folder / "q.sql", bytes));
    std::string text;
    ASSERT_TRUE(readWholeFile((folder / "q.sql").string(), text));
    EXPECT_EQ(text, bytes);
    EXPECT_FALSE(readWholeFile((folder / "q.sql").string(), text, 1000));
    EXPECT_TRUE(text.empty());
    EXPECT_FALSE(readWholeFile((folder / "missing.sql").string(), text));
    EXPECT_FALSE(readWholeFile(folder.path().string(), text));
}

}  // namespace
}  // namespace tessera
