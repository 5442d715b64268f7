#include "record/chunked_object.h"

#include <limits>

namespace tessera {

namespace {

constexpr uint8_t kStartMarker = 0x00;
constexpr uint8_t kEndMarker = 0xFF;
constexpr uint64_t kMaxObjectSize = std::numeric_limits<uint32_t>::max();

// Lists the chunks and sums their sizes; false (with reason) when listing fails or the object
// cannot be addressed with 32-bit offsets from base.
bool layOut(const ChunkedObject& object, uint64_t base, ChunkDirectory& directory, uint64_t& total,
            std::string& reason) {
    directory.clear();
    if (!object.listChunks(directory, reason))
        return false;
    total = directorySize(directory.size());
    uint64_t offset = base + total;
    for (auto& entry : directory) {
        if (offset > kMaxObjectSize) {
            reason = "the object is larger than 4 GB";
            return false;
        }
        entry.offset = static_cast<uint32_t>(offset);
        offset += entry.size;
        total += entry.size;
    }
    if (offset > kMaxObjectSize + 1) {
        reason = "the object is larger than 4 GB";
        return false;
    }
    return true;
}

}  // namespace

bool measureChunked(const ChunkedObject& object, uint64_t& size, std::string& reason) {
    ChunkDirectory directory;
    size = 0;
    if (layOut(object, 0, directory, size, reason))
        return true;
    size = 0;
    return false;
}

uint64_t chunkedSize(const ChunkedObject& object) {
    uint64_t size = 0;
    std::string reason;
    return measureChunked(object, size, reason) ? size : 0;
}

bool writeChunked(const ChunkedObject& object, ByteStream& stream, uint64_t base, int64_t limit) {
    ChunkDirectory directory;
    uint64_t total = 0;
    std::string reason;
    if (!layOut(object, base, directory, total, reason))
        return stream.fail(reason);
    if (limit >= 0 && total > static_cast<uint64_t>(limit))
        return stream.fail("the object takes " + std::to_string(total) + " bytes, more than the " +
                           std::to_string(limit) + " reserved for it");
    if (!stream.seek(base) || !writeU8(stream, kStartMarker) ||
        !writeU32(stream, static_cast<uint32_t>(directory.size())))
        return false;
    for (const auto& entry : directory)
        if (!writeU32(stream, entry.type) || !writeU32(stream, entry.offset) || !writeU32(stream, entry.size))
            return false;
    if (!writeU8(stream, kEndMarker))
        return false;
    for (const auto& entry : directory) {
        // A chunk writes exactly its listed size inside its own window, so a wrong size shows
        // here instead of as a shifted file.
        StreamWindow window(stream, uint64_t{entry.offset} + entry.size);
        if (!stream.seek(entry.offset) || !object.writeChunk(stream, entry))
            return false;
        if (stream.position() != uint64_t{entry.offset} + entry.size)
            return stream.fail("chunk " + std::to_string(entry.type) + " wrote a different size than it listed");
    }
    return true;
}

bool readChunked(ChunkedObject& object, ByteStream& stream, uint64_t base) {
    uint8_t marker = 0xAA;
    uint32_t rawCount = 0;
    if (!stream.seek(base) || !readU8(stream, marker))
        return false;
    if (marker != kStartMarker)
        return stream.fail("no chunk directory at offset " + std::to_string(base));
    if (!readU32(stream, rawCount))
        return false;
    const auto count = static_cast<int32_t>(rawCount);
    if (count < 0)
        return stream.fail("a chunk directory at offset " + std::to_string(base) + " has a negative entry count");
    // Each entry takes 12 bytes: a count that cannot fit fails before the directory is allocated.
    if (directorySize(static_cast<uint64_t>(count)) - 5 > stream.remaining())
        return stream.fail("a chunk directory at offset " + std::to_string(base) + " lists " + std::to_string(count) +
                           " entries, more than the data holds");
    ChunkDirectory directory(static_cast<size_t>(count));
    for (auto& entry : directory)
        if (!readU32(stream, entry.type) || !readU32(stream, entry.offset) || !readU32(stream, entry.size))
            return false;
    if (!readU8(stream, marker))
        return false;
    if (marker != kEndMarker)
        return stream.fail("a chunk directory at offset " + std::to_string(base) + " lacks its end marker");

    uint64_t expected = stream.position();
    for (size_t i = 0; i < directory.size(); ++i) {
        const ChunkEntry& entry = directory[i];
        if (i > 0 && entry.type <= directory[i - 1].type)
            return stream.fail("the chunks at offset " + std::to_string(base) + " are not in type order");
        if (entry.offset != expected)
            return stream.fail("chunk " + std::to_string(entry.type) + " of the object at offset " +
                               std::to_string(base) + " is not where the directory says it is");
        const uint64_t end = uint64_t{entry.offset} + entry.size;
        if (end > stream.windowEnd())
            return stream.fail("chunk " + std::to_string(entry.type) + " of the object at offset " +
                               std::to_string(base) + " runs past the end of the data");
        StreamWindow window(stream, end);
        if (!stream.seek(entry.offset) || !object.readChunk(stream, entry))
            return false;
        if (stream.position() != end)
            return stream.fail("chunk " + std::to_string(entry.type) + " of the object at offset " +
                               std::to_string(base) + " holds more bytes than its content");
        expected = end;
    }
    stream.seek(expected);
    return true;
}

bool writeChunkedBytes(const ChunkedObject& object, std::string& bytes, std::string& error) {
    uint64_t size = 0;
    if (!measureChunked(object, size, error))
        return false;
    MemoryStream stream(static_cast<size_t>(size));
    if (!writeChunked(object, stream, 0, static_cast<int64_t>(size))) {
        error = stream.failure();
        return false;
    }
    bytes = stream.takeBuffer();
    return true;
}

bool readChunkedBytes(ChunkedObject& object, const std::string& bytes, std::string& error) {
    MemoryStream stream(bytes.data(), bytes.size());
    if (!readChunked(object, stream, 0)) {
        error = stream.failure();
        return false;
    }
    if (stream.position() != bytes.size()) {
        error = std::to_string(bytes.size() - stream.position()) + " unexpected bytes follow the object";
        return false;
    }
    return true;
}

}  // namespace tessera
