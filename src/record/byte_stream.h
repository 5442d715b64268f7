#pragma once
// Bounded byte streams for the binary formats, and the little-endian value encodings they
// share (u8, u16, u32, f64, texts with a 16-bit length, u32 lists).
//
// A stream has a size (the bytes a reader may see, or the most a writer may produce) and a
// window end that readers narrow while they read one chunk. No read or write ever passes
// the window end: it fails instead, and the stream keeps the first failure's reason. Counts
// read from a stream are checked against the bytes left in the window before anything is
// allocated, so a corrupt count can never make a reader allocate more than the input holds.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace tessera {

class ByteStream {
public:
    virtual ~ByteStream() = default;

    // Bytes in the stream: the data of a reader, the capacity of a writer.
    uint64_t size() const { return size_; }
    uint64_t position() const { return position_; }
    // Bytes between the position and the window end (0 when the position is past it).
    uint64_t remaining() const { return position_ < windowEnd_ ? windowEnd_ - position_ : 0; }
    // Moves to an absolute position; fails when it lies past the window end.
    bool seek(uint64_t position);
    // Reads exactly n bytes at the position; fails (and reads nothing) past the window end.
    bool read(void* out, size_t n);
    // Writes n bytes at the position; fails (and writes nothing) past the window end.
    bool write(const void* data, size_t n);

    // The first failure's reason, empty while nothing failed.
    const std::string& failure() const { return failure_; }
    // Records reason (unless an earlier failure is recorded) and returns false.
    bool fail(const std::string& reason);

    // The current window end; setWindowEnd narrows (never widens past the size).
    uint64_t windowEnd() const { return windowEnd_; }
    void setWindowEnd(uint64_t end) { windowEnd_ = end < size_ ? end : size_; }

protected:
    explicit ByteStream(uint64_t size) : size_(size), windowEnd_(size) {}
    virtual bool readAt(uint64_t position, void* out, size_t n) = 0;
    virtual bool writeAt(uint64_t position, const void* data, size_t n) = 0;

private:
    uint64_t size_;
    uint64_t windowEnd_;
    uint64_t position_ = 0;
    std::string failure_;
};

// Narrows a stream's window to [.., end) for one scope and restores it afterwards.
class StreamWindow {
public:
    StreamWindow(ByteStream& stream, uint64_t end) : stream_(stream), saved_(stream.windowEnd()) {
        if (end < saved_)
            stream.setWindowEnd(end);
    }
    ~StreamWindow() { stream_.setWindowEnd(saved_); }
    StreamWindow(const StreamWindow&) = delete;
    StreamWindow& operator=(const StreamWindow&) = delete;

private:
    ByteStream& stream_;
    uint64_t saved_;
};

// A stream over bytes in memory. A reader views bytes it does not own; a writer owns a
// buffer of fixed capacity whose writes fail when they would pass its end.
class MemoryStream : public ByteStream {
public:
    // Reads from data[0 .. size); the bytes must outlive the stream.
    MemoryStream(const void* data, size_t size);
    // Writes into an owned, zero-filled buffer of `capacity` bytes.
    explicit MemoryStream(size_t capacity);
    // The written buffer (all `capacity` bytes).
    const std::string& buffer() const { return buffer_; }
    std::string takeBuffer() { return std::move(buffer_); }

protected:
    bool readAt(uint64_t position, void* out, size_t n) override;
    bool writeAt(uint64_t position, const void* data, size_t n) override;

private:
    const unsigned char* readData_ = nullptr;
    std::string buffer_;
};

// A stream over a file: either an existing file opened for reading (its size is the file's)
// or a new file opened for writing with a capacity that writes may not pass.
class FileStream : public ByteStream {
public:
    ~FileStream() override;
    FileStream(const FileStream&) = delete;
    FileStream& operator=(const FileStream&) = delete;

    // Opens file for reading; false with a reason in error when it cannot be opened.
    static bool openForReading(const std::filesystem::path& file, std::unique_ptr<FileStream>& stream,
                               std::string& error);
    // Creates (truncating) file for writing at most `capacity` bytes; false with a reason in error.
    static bool createForWriting(const std::filesystem::path& file, uint64_t capacity,
                                 std::unique_ptr<FileStream>& stream, std::string& error);
    // Flushes and closes; false when the data could not all be written.
    bool close();

protected:
    bool readAt(uint64_t position, void* out, size_t n) override;
    bool writeAt(uint64_t position, const void* data, size_t n) override;

private:
    FileStream(std::FILE* file, uint64_t size) : ByteStream(size), file_(file) {}
    std::FILE* file_;
    uint64_t filePosition_ = 0;  // where the next fread/fwrite lands, to skip needless seeks
};

// Little-endian values. Readers fail on a short read; signed fields share their unsigned
// encoding's width in two's complement.
bool readU8(ByteStream& in, uint8_t& value);
bool readU16(ByteStream& in, uint16_t& value);
bool readI16(ByteStream& in, int16_t& value);
bool readU32(ByteStream& in, uint32_t& value);
bool readI32(ByteStream& in, int32_t& value);
bool readF64(ByteStream& in, double& value);
bool writeU8(ByteStream& out, uint8_t value);
bool writeU16(ByteStream& out, uint16_t value);
bool writeU32(ByteStream& out, uint32_t value);
bool writeF64(ByteStream& out, double value);

// The largest text length the 16-bit length field holds.
constexpr size_t kMaxTextBytes = 65535;

// Reads a u32 count of items that each take at least itemBytes bytes; fails when the items
// could not fit in what is left of the window (so the count is safe to allocate for).
bool readCount(ByteStream& in, uint32_t& count, uint32_t itemBytes);
// A UTF-8 text in the GB18030 form that files store, and back (undecodable bytes become
// U+FFFD). ASCII is the same in both and skips the converter.
std::string toStoredText(const std::string& utf8);
std::string fromStoredText(const std::string& stored);
// Reads a text: u16 length and that many GB18030 bytes, returned as UTF-8.
bool readText(ByteStream& in, std::string& utf8);
// Writes already-encoded bytes as a text; fails when longer than kMaxTextBytes.
bool writeEncodedText(ByteStream& out, const std::string& encoded);
// Reads a u32 list (count, then the values) into points.
bool readPointList(ByteStream& in, std::vector<int32_t>& points);
// Writes a u32 list.
bool writePointList(ByteStream& out, const std::vector<int32_t>& points);

}  // namespace tessera
