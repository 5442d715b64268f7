// The byte layout of SGG files: the documented example of a new game, and the encodings of
// single fields, checked byte for byte.
#include <gtest/gtest.h>

#include <cstring>

#include "record/sgg_file.h"

namespace tessera {
namespace {

// Little-endian helpers that build the expected bytes.
std::string u8(int v) { return std::string(1, static_cast<char>(v)); }
std::string u16(int v) { return u8(v & 0xFF) + u8((v >> 8) & 0xFF); }
std::string u32(uint32_t v) { return u16(v & 0xFFFF) + u16(v >> 16); }
std::string f64(double v) {
    uint64_t raw;
    std::memcpy(&raw, &v, 8);
    return u32(static_cast<uint32_t>(raw)) + u32(static_cast<uint32_t>(raw >> 32));
}
struct Entry {
    uint32_t type, offset, size;
};
std::string directory(std::initializer_list<Entry> entries) {
    std::string out = u8(0) + u32(static_cast<uint32_t>(entries.size()));
    for (const Entry& e : entries)
        out += u32(e.type) + u32(e.offset) + u32(e.size);
    return out + u8(0xFF);
}
std::string header() { return std::string("sggfile\0\0\0", 10) + f64(0.0); }

GameRecord newGame() {
    GameRecord record;
    GameNode root;
    root.id = 0;
    record.tree.addNode(root);
    return record;
}

std::string saved(const GameRecord& record) {
    std::string bytes, error;
    EXPECT_TRUE(writeSggBytes(record, bytes, error)) << error;
    return bytes;
}

TEST(SggLayout, NewEmptyGameMatchesTheDocumentedBytes) {
    std::string expected = header();
    expected += directory({{0, 60, 6}, {1, 66, 22}, {2, 88, 48}});              // game, 42 bytes at 18
    expected += directory({});                                                  // information: no fields
    expected += directory({{0, 84, 4}}) + u32(0);                               // tag list: count 0
    expected += directory({{0, 106, 30}});                                      // node list: node 0
    expected += directory({{0, 124, 12}}) + u32(0) + u32(0xFFFFFFFF) + u32(0);  // id 0, root, no children
    ASSERT_EQ(expected.size(), 136u);

    EXPECT_EQ(saved(newGame()), expected);
    // The same bytes once the root's derived state is computed: its side to move (black)
    // follows from the tree and is not stored.
    GameRecord recomputed = newGame();
    recomputed.recomputePositions();
    EXPECT_EQ(recomputed.tree.root()->sideToMove, kBlack);
    EXPECT_EQ(saved(recomputed), expected);
}

TEST(SggLayout, FieldEncodings) {
    GameRecord record = newGame();
    record.info.komi = 6.5;
    GameNode pass;
    pass.parentId = 0;
    pass.move = {kBlack, -1};
    record.tree.addNode(pass);
    const std::string bytes = saved(record);

    // Information: komi alone, as chunk 14 (an f64).
    const std::string info = directory({{14, 60 + 18, 8}}) + f64(6.5);
    EXPECT_NE(bytes.find(info), std::string::npos);
    // The pass: chunk 3 holds colour 1 and point FF FF. (Both read back in the round-trip tests.)
    EXPECT_NE(bytes.find(u8(1) + u16(0xFFFF)), std::string::npos);
}

TEST(SggLayout, NodesAreStoredInAscendingIdOrder) {
    GameRecord record;
    GameNode five, two, nine;
    five.id = 5;
    two.id = 2;
    two.parentId = 5;
    nine.id = 9;
    nine.parentId = 5;
    record.tree.addNode(five);
    record.tree.addNode(two);
    record.tree.addNode(nine);
    ASSERT_EQ(record.tree.find(5)->childIds, (std::vector<int32_t>{2, 9}));
    const std::string bytes = saved(record);

    // The node list directory sits after the game, information and tag list directories.
    const size_t nodeList = 18 + 42 + 6 + 22;
    ASSERT_EQ(static_cast<unsigned char>(bytes[nodeList]), 0);
    auto typeAt = [&](int i) {
        uint32_t v;
        std::memcpy(&v, bytes.data() + nodeList + 5 + 12 * i, 4);
        return v;
    };
    EXPECT_EQ(typeAt(0), 2u);
    EXPECT_EQ(typeAt(1), 5u);
    EXPECT_EQ(typeAt(2), 9u);

    std::string error;
    GameRecord back;
    ASSERT_TRUE(readSggBytes(bytes, back, error)) << error;
    EXPECT_EQ(back.tree.find(5)->childIds, (std::vector<int32_t>{2, 9}));
    EXPECT_EQ(back.tree.find(2)->parentId, 5);
    EXPECT_EQ(back.tree.find(9)->parentId, 5);
    EXPECT_EQ(back.tree.root()->id, 5);
}

TEST(SggLayout, HeaderIsChecked) {
    const std::string bytes = saved(newGame());
    std::string error;
    GameRecord record;
    std::string version1 = bytes;
    version1.replace(10, 8, f64(1.0));
    EXPECT_FALSE(readSggBytes(version1, record, error));
    EXPECT_NE(error.find("version"), std::string::npos) << error;
    std::string magic = bytes;
    magic[3] = 'G';
    EXPECT_FALSE(readSggBytes(magic, record, error));
    EXPECT_EQ(error, "not an SGG file");
    // Bytes after the magic's terminating zero are not part of the magic.
    std::string padded = bytes;
    padded[9] = 'x';
    EXPECT_TRUE(readSggBytes(padded, record, error)) << error;
}

}  // namespace
}  // namespace tessera
