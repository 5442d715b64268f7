// Corrupt SGG files fail cleanly with a reason and leave the record empty: truncations,
// directories pointing outside the file, counts near 2^31, chunk sizes larger than the file,
// broken tree links. Sanitizers turn any read past a buffer or absurd allocation into a failure.
#include <gtest/gtest.h>

#include <cstring>

#include "record/sgg_file.h"
#include "record/sgg_game_object.h"
#include "record/sgg_node.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::readBytes;
using test::ScratchFolder;
using test::writeBytes;

// Offsets inside the 136-byte file of a new game (one root node, default information).
constexpr size_t kGameCount = 19;       // game directory entry count
constexpr size_t kNodeListEntry = 47;   // game entry 2: type, offset, size
constexpr size_t kTagCount = 84;        // the tag list's count
constexpr size_t kNodeCount = 89;       // node list directory entry count
constexpr size_t kNodeEntrySize = 101;  // size of the node list's entry for node 0
constexpr size_t kNodeDirectoryCount = 107;
constexpr size_t kChildCount = 132;  // node 0's child count

std::string newGameBytes() {
    GameRecord record;
    record.tree.addNode(GameNode());
    ScratchFolder folder;
    std::string error;
    EXPECT_TRUE(saveSggFile(folder / "new.sgg", record, error)) << error;
    return readBytes(folder / "new.sgg");
}

std::string withU32(std::string bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
    return bytes;
}

GameNode nodeAt(int32_t id, int32_t parentId) {
    GameNode node;
    node.id = id;
    node.parentId = parentId;
    return node;
}

class SggCorrupt : public ::testing::Test {
protected:
    // Loads bytes as a file; expects failure with a reason and an empty record.
    void expectRefused(const std::string& bytes, const std::string& what) {
        ASSERT_TRUE(writeBytes(folder_ / "bad.sgg", bytes));
        GameRecord record;
        record.tree.addNode(GameNode());
        std::string error;
        EXPECT_FALSE(loadSggFile(folder_ / "bad.sgg", record, error)) << what;
        EXPECT_FALSE(error.empty()) << what;
        EXPECT_TRUE(record.tree.empty()) << what;
        EXPECT_EQ(record.info, GameInfo()) << what;
    }
    // Loads bytes; true when they read (whatever they hold), false when refused with a reason.
    bool loads(const std::string& bytes, GameRecord& record) {
        EXPECT_TRUE(writeBytes(folder_ / "any.sgg", bytes));
        std::string error;
        const bool ok = loadSggFile(folder_ / "any.sgg", record, error);
        EXPECT_TRUE(ok || !error.empty());
        return ok;
    }
    ScratchFolder folder_;
};

TEST_F(SggCorrupt, EveryTruncationIsRefused) {
    GameRecord record;
    record.info.event = "名人战";
    GameNode root;
    root.comments = {{"题", "评论"}};
    record.tree.addNode(root);
    GameNode move;
    move.parentId = 0;
    move.move = {kBlack, 60};
    record.tree.addNode(move);
    std::string error;
    ASSERT_TRUE(saveSggFile(folder_ / "full.sgg", record, error)) << error;
    const std::string bytes = readBytes(folder_ / "full.sgg");
    for (size_t length = 0; length < bytes.size(); ++length)
        expectRefused(bytes.substr(0, length), "truncated to " + std::to_string(length));
    // And one byte too many.
    expectRefused(bytes + '\0', "one trailing byte");
}

TEST_F(SggCorrupt, CountsNearTwoToTheThirtyFirstAreRefused) {
    const std::string bytes = newGameBytes();
    ASSERT_EQ(bytes.size(), 136u);
    for (uint32_t count : {0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 0x15555556u, 1000000u}) {
        const std::string n = std::to_string(count);
        expectRefused(withU32(bytes, kGameCount, count), "game directory count " + n);
        expectRefused(withU32(bytes, kTagCount, count), "tag count " + n);
        expectRefused(withU32(bytes, kNodeCount, count), "node count " + n);
        expectRefused(withU32(bytes, kNodeDirectoryCount, count), "node chunk count " + n);
        expectRefused(withU32(bytes, kChildCount, count), "child count " + n);
    }
}

TEST_F(SggCorrupt, OffsetsAndSizesOutsideTheFileAreRefused) {
    const std::string bytes = newGameBytes();
    for (uint32_t value : {0u, 17u, 137u, 0x7FFFFFFFu, 0xFFFFFFF0u}) {
        const std::string v = std::to_string(value);
        expectRefused(withU32(bytes, kNodeListEntry + 4, value), "node list offset " + v);
        expectRefused(withU32(bytes, kNodeListEntry + 8, value), "node list size " + v);
        expectRefused(withU32(bytes, kNodeEntrySize, value), "node size " + v);
    }
    // Markers.
    std::string noStart = bytes;
    noStart[18] = 1;
    expectRefused(noStart, "game start marker");
    std::string noEnd = bytes;
    noEnd[59] = 0;
    expectRefused(noEnd, "game end marker");
}

TEST_F(SggCorrupt, UnknownChunksAndMismatchedIdsAreRefused) {
    const std::string bytes = newGameBytes();
    expectRefused(withU32(bytes, kNodeListEntry, 3), "game chunk 3");
    expectRefused(withU32(bytes, 111, 15), "node chunk 15");
    expectRefused(withU32(bytes, 93, 7), "node entry 7 holding node 0");
    expectRefused(withU32(bytes, 124, 0xFFFFFFFF), "node id -1");
}

TEST_F(SggCorrupt, EverySingleByteChangeFailsCleanlyOrReads) {
    GameRecord record;
    record.info.komi = 6.5;
    record.tags = {{1, 1, 0, "标签"}};
    GameNode root;
    root.addBlack = {3, 4};
    root.marks = {{kMarkSquare, 5}};
    root.labels = {{6, 0, "A"}};
    record.tree.addNode(root);
    GameNode move;
    move.parentId = 0;
    move.move = {kWhite, 20};
    move.comments = {{"", "好"}};
    record.tree.addNode(move);
    std::string error;
    ASSERT_TRUE(saveSggFile(folder_ / "base.sgg", record, error)) << error;
    const std::string bytes = readBytes(folder_ / "base.sgg");
    for (size_t at = 0; at < bytes.size(); ++at)
        for (int value : {0x00, 0x01, 0x7F, 0x80, 0xFF}) {
            std::string changed = bytes;
            changed[at] = static_cast<char>(value);
            GameRecord back;
            if (loads(changed, back)) {
                // Whatever reads can be written again.
                const GameRecord& readBack = back;
                std::string again;
                EXPECT_TRUE(writeChunkedBytes(GameObject(readBack), again, error)) << at << ": " << error;
            }
        }
}

TEST_F(SggCorrupt, BrokenTreeLinksAreRepaired) {
    GameRecord record;
    GameNode root;
    root.childIds = {1, 1, 9, 2};  // a duplicate, a missing node, a node that names another parent
    record.tree.addNode(root);     // id 0
    GameNode one;
    one.parentId = 0;
    record.tree.addNode(one);  // id 1
    GameNode two;
    two.id = 2;
    two.parentId = 1;
    record.tree.addNode(two);
    GameNode self;  // its own parent
    self.id = 5;
    self.parentId = 5;
    self.childIds = {5};
    record.tree.addNode(self);
    GameNode loopA, loopB;  // a parent loop that no root reaches
    loopA.id = 3;
    loopA.parentId = 4;
    loopA.childIds = {4};
    loopB.id = 4;
    loopB.parentId = 3;
    loopB.childIds = {3};
    record.tree.addNode(loopA);
    record.tree.addNode(loopB);
    std::string error;
    ASSERT_TRUE(saveSggFile(folder_ / "links.sgg", record, error)) << error;
    GameRecord back;
    ASSERT_TRUE(loadSggFile(folder_ / "links.sgg", back, error)) << error;
    EXPECT_EQ(back.tree.find(0)->childIds, (std::vector<int32_t>{1}));
    EXPECT_EQ(back.tree.find(1)->childIds, (std::vector<int32_t>{2}));
    EXPECT_EQ(back.tree.mainLine().size(), 3u);
    // Loops are cut at their smallest id, which becomes a root: every node stays reachable.
    EXPECT_EQ(back.tree.find(3)->parentId, -1);
    EXPECT_EQ(back.tree.find(3)->childIds, (std::vector<int32_t>{4}));
    EXPECT_TRUE(back.tree.find(4)->childIds.empty());
    EXPECT_EQ(back.tree.find(5)->parentId, -1);
    EXPECT_TRUE(back.tree.find(5)->childIds.empty());
    EXPECT_EQ(back.tree.roots().size(), 3u);
}

TEST_F(SggCorrupt, DanglingParentsHangBelowTheRoot) {
    GameRecord record;
    record.tree.addNode(nodeAt(0, 7));  // names a parent that does not exist: no root at all
    record.tree.addNode(nodeAt(1, 0));
    record.tree.addNode(nodeAt(2, 9));  // another dangling parent
    std::string bytes, error;
    ASSERT_TRUE(writeSggBytes(record, bytes, error)) << error;
    GameRecord back;
    ASSERT_TRUE(readSggBytes(bytes, back, error)) << error;
    ASSERT_NE(back.tree.root(), nullptr);
    EXPECT_EQ(back.tree.root()->id, 0);
    EXPECT_EQ(back.tree.find(0)->childIds, (std::vector<int32_t>{1, 2}));
    EXPECT_EQ(back.tree.subtree(*back.tree.root()).size(), 3u);
    ASSERT_EQ(back.repairs.size(), 1u);
    EXPECT_NE(back.repairs[0].find("2 node(s)"), std::string::npos) << back.repairs[0];
}

TEST_F(SggCorrupt, IdsNearTheLargestIntegerAreRenumbered) {
    GameRecord record;
    record.info.boardWidth = record.info.boardHeight = 9;
    record.tree.addNode(nodeAt(0, -1));
    record.tree.addNode(nodeAt(INT32_MAX, 0));
    record.tags.push_back({1, 2, INT32_MAX, "tag"});
    std::string bytes, error;
    ASSERT_TRUE(writeSggBytes(record, bytes, error)) << error;
    GameRecord back;
    ASSERT_TRUE(readSggBytes(bytes, back, error)) << error;
    EXPECT_EQ(back.tree.largestId(), 1);
    EXPECT_EQ(back.tree.find(0)->childIds, (std::vector<int32_t>{1}));
    EXPECT_EQ(back.tags[0].scene, 1);
    EXPECT_FALSE(back.repairs.empty());
    // The next stone gets an id of its own and the record saves.
    GameNode* played = playMoveAtNode(back.tree, back.geometry(), 1, Move{kBlack, 40});
    ASSERT_NE(played, nullptr);
    EXPECT_EQ(played->id, 2);
    EXPECT_TRUE(writeSggBytes(back, bytes, error)) << error;
}

TEST_F(SggCorrupt, TooManyPositionsForTheBoardAreRefusedBeforeAllocating) {
    // 100,000 nodes of 52 x 52 would be 270 MB of positions from a file of a few megabytes.
    GameRecord record;
    record.info.boardWidth = record.info.boardHeight = 52;
    for (int32_t id = 0; id < 100'000; ++id)
        record.tree.addNode(nodeAt(id, id - 1));
    std::string bytes, error;
    ASSERT_TRUE(writeSggBytes(record, bytes, error)) << error;
    GameRecord back;
    EXPECT_FALSE(readSggBytes(bytes, back, error));
    EXPECT_NE(error.find("too many nodes"), std::string::npos) << error;
    // The same nodes on 19 x 19 fit.
    record.info.boardWidth = record.info.boardHeight = 19;
    ASSERT_TRUE(writeSggBytes(record, bytes, error)) << error;
    EXPECT_TRUE(readSggBytes(bytes, back, error)) << error;
}

TEST_F(SggCorrupt, ManyChildrenAreLinkedInLinearTime) {
    // Each child once scanned its parent's list twice (on adding and on repair): 10^11 steps
    // here (bench_record_limits measures a million).
    GameRecord record;
    record.info.boardWidth = record.info.boardHeight = 9;
    record.tree.addNode(nodeAt(0, -1));
    for (int32_t id = 1; id <= 300'000; ++id)
        record.tree.addNode(nodeAt(id, 0));
    ASSERT_EQ(record.tree.find(0)->childIds.size(), 300'000u);
    std::string bytes, error;
    ASSERT_TRUE(writeSggBytes(record, bytes, error)) << error;
    GameRecord back;
    ASSERT_TRUE(readSggBytes(bytes, back, error)) << error;
    EXPECT_EQ(back.tree.find(0)->childIds.size(), 300'000u);
    EXPECT_EQ(back.tree.find(0)->childIds.back(), 300'000);
}

TEST_F(SggCorrupt, HugeBoardsAreRefused) {
    GameRecord record;
    record.tree.addNode(GameNode());
    record.info.boardWidth = 52;
    record.info.boardHeight = 52;
    std::string error;
    ASSERT_TRUE(saveSggFile(folder_ / "52.sgg", record, error)) << error;
    std::string bytes = readBytes(folder_ / "52.sgg");
    // Information chunks 3 and 4 hold the two u16 sizes right after its 30-byte directory.
    const size_t widthAt = 18 + 42 + 30;
    ASSERT_EQ(static_cast<unsigned char>(bytes[widthAt]), 52);
    bytes[widthAt] = static_cast<char>(0xFF);
    bytes[widthAt + 1] = 0x7F;  // 32767 wide: would ask for a gigabyte per position
    expectRefused(bytes, "board 32767 wide");
}

TEST(SggNodeFormCorrupt, EveryTruncationIsRefused) {
    GameNode node;
    node.id = 3;
    node.childIds = {4, 5};
    node.name = "名";
    node.labels = {{1, 2, "AB"}};
    node.comments = {{"t", "b"}};
    node.drawRecords = {{1, 2, 3, 4, 5}};
    std::string bytes, error;
    ASSERT_TRUE(writeNodeForm(node, bytes, error)) << error;
    for (size_t length = 0; length < bytes.size(); ++length) {
        GameNode back;
        EXPECT_FALSE(readNodeForm(bytes.substr(0, length), back, error)) << length;
    }
}

}  // namespace
}  // namespace tessera
