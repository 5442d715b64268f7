#pragma once
// The chunked object: the one binary serialisation scheme of the program (game files, the
// nodes of the knowledge notes). An object is a directory of typed chunks followed by the
// chunks, written at a base offset B inside a file or buffer:
//
//   B           u8  start marker 0x00
//   B+1         u32 entry count N (a signed count; negative is corrupt)
//   B+5         N entries of 12 bytes: u32 chunk type, u32 chunk offset, u32 chunk size
//   B+5+12N     u8  end marker 0xFF
//   B+6+12N     the chunks, one after another in entry order
//
// All integers are little-endian. Chunk offsets are absolute (from the start of the file or
// buffer, not from B). The directory takes 12N + 6 bytes and the object 12N + 6 plus the sum
// of its chunk sizes. A chunk holds plain values or is itself a chunked object whose base is
// the chunk's offset, so composite objects nest.
//
// Invariants, kept by the writer and checked by the reader:
// - the chunks are packed: the first starts right after the directory and each following one
//   where the previous ends, so an object has no gaps and nothing overlaps;
// - entry types are strictly ascending (each object lists its chunks in type order, at most
//   once each);
// - a chunk's reader sees only the chunk's own bytes and must use exactly all of them; the
//   object as a whole lies inside the window its reader was given.
// So every chunk has one meaning, reading touches each byte at most once per nesting level,
// and a corrupt size or offset fails the read instead of reaching outside the data.

#include <cstdint>
#include <string>
#include <vector>

#include "record/byte_stream.h"

namespace tessera {

struct ChunkEntry {
    uint32_t type = 0;
    uint32_t offset = 0;  // absolute
    uint32_t size = 0;
};
using ChunkDirectory = std::vector<ChunkEntry>;

// The bytes of a directory of n entries: 12n + 6.
constexpr uint64_t directorySize(uint64_t entries) { return 12 * entries + 6; }

class ChunkedObject {
public:
    virtual ~ChunkedObject() = default;
    // Appends an entry (type and size; the offset is assigned later) per chunk to write, in
    // type order. False with a reason when the object cannot be written.
    virtual bool listChunks(ChunkDirectory& directory, std::string& reason) const = 0;
    // Reads one chunk; the stream is positioned at entry.offset and windowed to the chunk.
    // False on corrupt or unknown data (with the reason recorded on the stream).
    virtual bool readChunk(ByteStream& stream, const ChunkEntry& entry) = 0;
    // Writes the chunk of one listed entry, exactly entry.size bytes at the stream's position.
    virtual bool writeChunk(ByteStream& stream, const ChunkEntry& entry) const = 0;
};

// The total bytes the object takes (directory and chunks); 0 when listChunks fails or the
// object would be larger than 4 GB.
uint64_t chunkedSize(const ChunkedObject& object);
// The same, with the reason when the object cannot be written.
bool measureChunked(const ChunkedObject& object, uint64_t& size, std::string& reason);

// Writes the object at base: lists its chunks, assigns packed offsets, fails when the total
// exceeds limit (when limit >= 0) or anything cannot be written, then writes the directory and
// every chunk in order. False at the first failure (reason on the stream).
bool writeChunked(const ChunkedObject& object, ByteStream& stream, uint64_t base, int64_t limit);

// Reads an object written at base: checks the markers and the packed layout against the
// stream's window, then reads every chunk in order. False at the first failure (reason on the
// stream); the object may then hold part of the data.
bool readChunked(ChunkedObject& object, ByteStream& stream, uint64_t base);

// Serialises an object alone at offset 0 of a buffer of exactly its size; false with a reason.
bool writeChunkedBytes(const ChunkedObject& object, std::string& bytes, std::string& error);
// Reads an object from a buffer at offset 0; the object must use the whole buffer. False with a reason.
bool readChunkedBytes(ChunkedObject& object, const std::string& bytes, std::string& error);

}  // namespace tessera
