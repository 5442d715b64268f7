#pragma once
// A game-tree node in its binary "node form": a chunked object with one chunk per stored
// field group. Game files store every node this way, and the knowledge notes store single
// nodes as byte buffers.
//
// Chunks (listed only when the field differs from a new node's default):
//   0 id, parent id, child ids (always)   1 name                 2 fullSetup
//   3 move (u8 colour, 16-bit point)      4 moveTag              5 evaluation (f64)
//   6 addBlack   7 addWhite   8 clearPoints (u32 lists)          9 marks (u16 kind, u32 point)
//   10 labels (u32 point, u32 colour, 5 text bytes with a terminating 0)
//   11 drawRecords (five u32 words)       12 comments (u32 count, title and body texts)
//   13 hasMask and maskPoints             14 sideToMove (u8)
// Texts are stored in GB18030. Derived fields (position, captured stones, prisoner counts)
// are never stored.

#include <string>

#include "record/chunked_object.h"
#include "record/game_node.h"

namespace tessera {

class NodeObject : public ChunkedObject {
public:
    // Reads into target (which should start as a new node).
    explicit NodeObject(GameNode& target);
    // Writes source, storing sideToMove as storedSideToMove (0 leaves chunk 14 out).
    NodeObject(const GameNode& source, uint8_t storedSideToMove);

    bool listChunks(ChunkDirectory& directory, std::string& reason) const override;
    bool readChunk(ByteStream& stream, const ChunkEntry& entry) override;
    bool writeChunk(ByteStream& stream, const ChunkEntry& entry) const override;

    static constexpr uint32_t kChunkTypes = 15;

private:
    GameNode* target_ = nullptr;
    const GameNode* source_ = nullptr;
    uint8_t storedSideToMove_ = 0;
    // Texts of source_ converted once to their stored form.
    std::string name_;
    std::vector<std::string> labelTexts_;
    std::vector<std::pair<std::string, std::string>> commentTexts_;
    std::string prepareError_;
};

// The node alone in node form (sideToMove stored as held); false with a reason when a
// field cannot be stored (a text over 65535 bytes, a label over 4 bytes, a point outside
// the 16-bit move field).
bool writeNodeForm(const GameNode& node, std::string& bytes, std::string& error);
// Reads a node written by writeNodeForm into node (reset to defaults first, derived fields
// left empty); the buffer must hold exactly one node. False with a reason on corrupt data.
bool readNodeForm(const std::string& bytes, GameNode& node, std::string& error);

}  // namespace tessera
