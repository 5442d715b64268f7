#pragma once
// The search index kept beside the library (<program folder>index/): what a pattern search
// needs of every game without reading and replaying its SGG file.
//
// The index is a list of segments (the text file index/segments names them, oldest first);
// an import or an update adds a segment, `tessera-cli index` rebuilds one. A game held by
// several segments counts in the newest only. Each segment NAME has three files:
//
//   NAME.games  "TSGAME01", u64 count, count x IndexedGame (32 bytes), ascending game id
//   NAME.trees  "TSTREE01", then one compact tree per game at IndexedGame::offset:
//               everBlack and everWhite bit sets (one bit per point, u64 words, point order),
//               with kHasDepthBounds the depth bounds (one byte per point: the least depth at
//               which the point holds a stone, then one byte per point: the greatest depth at
//               which it is empty, both capped at 255; zero bytes up to a multiple of 8),
//               the node ids as varints when they are not 0, 1, 2, ... in tree order, then
//               every node in tree order (roots in order, each node before its children,
//               children in their order): varint pop (how many nodes of the current path to
//               leave: the new node is a child of the node left on top, a root when none is),
//               a head byte (bits 0-1 move colour, bit 2 plain move, bit 3 move has a point,
//               bit 4 the change is the move's stone plus captures), varint move point when
//               bit 3 is set, then the change of the position from the parent (from an empty
//               board for a root): with bit 4 a varint count and the captured points, else a
//               varint count and varint (point * 4 + new value) entries.
//   NAME.bits   "TSBITS01", u64 word count, then the everBlack and everWhite bit sets of every
//               game with kBitsRow again, packed in table order: a region search streams
//               through them instead of touching every tree (older segments may lack it).
//   NAME.keys   "TSKEYS01", u64 count, count x PositionEntry (24 bytes) sorted by
//               (hash, game, parentSeq, childSeq): one per plain move played from a node,
//               keyed by the hash of the node's whole position.
//
// All integers are little-endian. Bit sets and positions live in the game's own board size.

#include <cstdint>
#include <string>
#include <vector>

#include "go/board_grid.h"
#include "record/game_record.h"

namespace tessera {

struct IndexedGame {
    int32_t id = -1;
    uint16_t width = 0;
    uint16_t height = 0;
    uint32_t nodeCount = 0;
    uint32_t flags = 0;     // kIdsInTreeOrder, kScanInstead
    uint64_t offset = 0;    // of the compact tree in NAME.trees
    uint32_t bytes = 0;     // its length
    uint32_t bitsWord = 0;  // with kBitsRow: where its bit sets start in NAME.bits (words after the header)
};
static_assert(sizeof(IndexedGame) == 32);
constexpr uint32_t kIdsInTreeOrder = 1;  // node id == position in tree order
constexpr uint32_t kScanInstead = 2;     // no tree: the game could not be indexed, read it instead
constexpr uint32_t kHasDepthBounds = 4;  // the tree holds the depth bounds of its points
constexpr uint32_t kBitsRow = 8;         // NAME.bits holds its bit sets at bitsWord
// The largest board side the index holds; games on larger boards are read instead.
constexpr int kMaxIndexedSide = 255;
// A depth bound of 255 stands for any depth of 255 or more.
constexpr uint8_t kDepthCap = 255;

struct PositionEntry {
    uint64_t hash = 0;  // positionHash of the node's position
    int32_t game = -1;
    uint32_t parentSeq = 0;  // the node, by its position in tree order
    uint32_t childSeq = 0;   // the move's node in tree order
    int16_t point = -1;      // the move's point
    uint8_t colour = 0;      // the move's colour
    uint8_t flags = 0;       // kSamePosition
};
static_assert(sizeof(PositionEntry) == 24);
constexpr uint8_t kSamePosition = 1;  // the move left the position as it was

// Head byte bits of a compact tree node.
constexpr uint8_t kNodeColourMask = 3, kNodePlainMove = 4, kNodeHasPoint = 8, kNodeMoveAndCaptures = 16;

// The hash of a whole position, its size included; equal grids give equal hashes.
uint64_t positionHash(const BoardGrid& grid);
// The part of positionHash that a stone of colour (1 or 2) at p contributes (board up to 52 x 52).
uint64_t stoneHash(int colour, int32_t p);
// The part of positionHash that the board size contributes.
uint64_t sizeHash(int width, int height);

// Words of a bit set with one bit per point of a board of area points.
inline size_t bitSetWords(int area) { return (static_cast<size_t>(area) + 63) / 64; }

// The nodes of a tree in tree order: roots in order, each node before its children, children
// in their order.
std::vector<const GameNode*> nodesInTreeOrder(const GameTree& tree);

// One game ready for a segment.
struct EncodedGame {
    IndexedGame game;
    std::string tree;                    // the compact tree
    std::vector<PositionEntry> entries;  // unsorted
};
// Encodes a record whose positions are computed; false (nothing to index) when a node's
// position is unusable or of another size than the record's board.
bool encodeGame(int32_t id, const GameRecord& record, EncodedGame& out);

// One node read back from a compact tree.
struct CompactNode {
    uint32_t pop = 0;
    uint8_t colour = 0;
    bool plainMove = false;
    int32_t point = -1;
    std::vector<std::pair<int32_t, uint8_t>> change;  // (point, new value)
};

// Reads a compact tree node by node; every read is bounds-checked. Opening one is cheap (the
// node ids are read on first use), so a search can look at the bit sets of every game.
class CompactTreeReader {
public:
    CompactTreeReader(const uint8_t* data, size_t size, const IndexedGame& game);
    // False when the tree is shorter than its bit sets and bounds.
    bool valid() const { return valid_; }
    const uint64_t* everBlack() const { return everBlack_; }
    const uint64_t* everWhite() const { return everWhite_; }
    // Per point, the least depth at which it holds a stone; nullptr when the tree has no bounds.
    const uint8_t* firstOccupied() const { return firstOccupied_; }
    // Per point, the greatest depth at which it is empty; nullptr when the tree has no bounds.
    const uint8_t* lastEmpty() const { return lastEmpty_; }
    // The id of the node at seq (tree order); -1 when unknown or the ids are damaged.
    int32_t nodeId(uint32_t seq);
    // Reads the next node; false at the end or on damage (check damaged()).
    bool next(CompactNode& node);
    bool damaged() const { return damaged_; }

private:
    bool readVarint(uint64_t& value);
    bool readIds();

    const uint8_t* at_ = nullptr;
    const uint8_t* end_ = nullptr;
    const uint64_t* everBlack_ = nullptr;
    const uint64_t* everWhite_ = nullptr;
    const uint8_t* firstOccupied_ = nullptr;
    const uint8_t* lastEmpty_ = nullptr;
    std::vector<int32_t> ids_;  // empty when ids are in tree order
    uint32_t nodeCount_ = 0;
    uint32_t read_ = 0;
    int area_ = 0;
    bool valid_ = false;
    bool idsInOrder_ = false;
    bool idsRead_ = false;
    bool damaged_ = false;
};

}  // namespace tessera
