#pragma once
// The game object of an SGG file: a chunked object with exactly three chunks, each itself a
// chunked object:
//   0 game information: one chunk per GameInfo field (chunk k = field k) whose value differs
//     from a new record's default, in field order;
//   1 tag list: one chunk 0 holding u32 count, then per tag u32 id, u32 type, u32 scene, text;
//   2 node list: one chunk per node in node form, chunk type = node id, in ascending id order.
//
// A node's side to move is stored only where recomputing the tree would not give it anyway
// (a stone move fixes it to the opponent; any other node gets black, or the colour of its
// first child with a stone move). Every record written reads back to the same record, and a
// file read and written again is the same file byte for byte.

#include <memory>

#include "record/chunked_object.h"
#include "record/game_record.h"

namespace tessera {

class GameObject : public ChunkedObject {
public:
    // Reads into *target; the caller clears it first and recomputes positions afterwards.
    explicit GameObject(GameRecord* target);
    // Writes source (which must outlive this object).
    explicit GameObject(const GameRecord& source);
    ~GameObject() override;

    bool listChunks(ChunkDirectory& directory, std::string& reason) const override;
    bool readChunk(ByteStream& stream, const ChunkEntry& entry) override;
    bool writeChunk(ByteStream& stream, const ChunkEntry& entry) const override;

private:
    struct Parts;
    GameRecord* target_ = nullptr;
    std::unique_ptr<Parts> parts_;
};

// The side to move a game file stores for node: 0 when recomputing the tree derives the
// node's present value anyway.
uint8_t storedSideToMove(const GameTree& tree, const GameNode& node);

}  // namespace tessera
