#include "record/byte_stream.h"

#include <cerrno>
#include <cstring>

#include "platform/text_codec.h"

namespace tessera {

bool ByteStream::seek(uint64_t position) {
    if (position > windowEnd_)
        return fail("position " + std::to_string(position) + " lies past the end of the data");
    position_ = position;
    return true;
}

bool ByteStream::read(void* out, size_t n) {
    if (n > remaining())
        return fail("the data ends early (needed " + std::to_string(n) + " bytes at offset " +
                    std::to_string(position_) + ")");
    if (!readAt(position_, out, n))
        return fail("cannot read at offset " + std::to_string(position_));
    position_ += n;
    return true;
}

bool ByteStream::write(const void* data, size_t n) {
    if (n > remaining())
        return fail("the object does not fit in the space reserved for it");
    if (!writeAt(position_, data, n))
        return fail("cannot write at offset " + std::to_string(position_));
    position_ += n;
    return true;
}

bool ByteStream::fail(const std::string& reason) {
    if (failure_.empty())
        failure_ = reason;
    return false;
}

MemoryStream::MemoryStream(const void* data, size_t size)
    : ByteStream(size), readData_(static_cast<const unsigned char*>(data)) {}

MemoryStream::MemoryStream(size_t capacity) : ByteStream(capacity), buffer_(capacity, '\0') {}

bool MemoryStream::readAt(uint64_t position, void* out, size_t n) {
    const unsigned char* source = readData_ ? readData_ : reinterpret_cast<const unsigned char*>(buffer_.data());
    if (n)
        std::memcpy(out, source + position, n);
    return true;
}

bool MemoryStream::writeAt(uint64_t position, const void* data, size_t n) {
    if (readData_)
        return false;  // a reading stream views bytes it does not own
    if (n)
        std::memcpy(buffer_.data() + position, data, n);
    return true;
}

FileStream::~FileStream() {
    if (file_)
        std::fclose(file_);
}

bool FileStream::openForReading(const std::filesystem::path& file, std::unique_ptr<FileStream>& stream,
                                std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(file, ec)) {
        error = "'" + file.string() + "' is a folder";
        return false;
    }
    std::FILE* handle = std::fopen(file.c_str(), "rb");
    if (!handle) {
        error = "cannot open '" + file.string() + "': " + std::strerror(errno);
        return false;
    }
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) {
        std::fclose(handle);
        error = "cannot read the size of '" + file.string() + "'";
        return false;
    }
    stream.reset(new FileStream(handle, size));
    return true;
}

bool FileStream::createForWriting(const std::filesystem::path& file, uint64_t capacity,
                                  std::unique_ptr<FileStream>& stream, std::string& error) {
    std::FILE* handle = std::fopen(file.c_str(), "wb");
    if (!handle) {
        error = "cannot create '" + file.string() + "': " + std::strerror(errno);
        return false;
    }
    stream.reset(new FileStream(handle, capacity));
    return true;
}

bool FileStream::close() {
    if (!file_)
        return true;
    const bool ok = std::fflush(file_) == 0 && !std::ferror(file_);
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return ok && closed;
}

bool FileStream::readAt(uint64_t position, void* out, size_t n) {
    if (!file_)
        return false;
    if (position != filePosition_ && fseeko(file_, static_cast<off_t>(position), SEEK_SET) != 0)
        return false;
    filePosition_ = position;
    if (std::fread(out, 1, n, file_) != n) {
        filePosition_ = ~uint64_t{0};  // unknown after a short read
        return false;
    }
    filePosition_ += n;
    return true;
}

bool FileStream::writeAt(uint64_t position, const void* data, size_t n) {
    if (!file_)
        return false;
    if (position != filePosition_ && fseeko(file_, static_cast<off_t>(position), SEEK_SET) != 0)
        return false;
    filePosition_ = position;
    if (std::fwrite(data, 1, n, file_) != n) {
        filePosition_ = ~uint64_t{0};
        return false;
    }
    filePosition_ += n;
    return true;
}

namespace {

template <typename T>
bool readLittle(ByteStream& in, T& value) {
    unsigned char bytes[sizeof(T)];
    if (!in.read(bytes, sizeof(T)))
        return false;
    T result = 0;
    for (size_t i = sizeof(T); i-- > 0;)
        result = static_cast<T>((result << 8) | bytes[i]);
    value = result;
    return true;
}

template <typename T>
bool writeLittle(ByteStream& out, T value) {
    unsigned char bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i) {
        bytes[i] = static_cast<unsigned char>(value & 0xFF);
        value = static_cast<T>(value >> 8);
    }
    return out.write(bytes, sizeof(T));
}

}  // namespace

bool readU8(ByteStream& in, uint8_t& value) { return in.read(&value, 1); }
bool readU16(ByteStream& in, uint16_t& value) { return readLittle(in, value); }
bool readU32(ByteStream& in, uint32_t& value) { return readLittle(in, value); }

bool readI16(ByteStream& in, int16_t& value) {
    uint16_t raw = 0;
    if (!readU16(in, raw))
        return false;
    value = static_cast<int16_t>(raw);
    return true;
}

bool readI32(ByteStream& in, int32_t& value) {
    uint32_t raw = 0;
    if (!readU32(in, raw))
        return false;
    value = static_cast<int32_t>(raw);
    return true;
}

bool readF64(ByteStream& in, double& value) {
    uint64_t raw = 0;
    if (!readLittle(in, raw))
        return false;
    std::memcpy(&value, &raw, sizeof value);
    return true;
}

bool writeU8(ByteStream& out, uint8_t value) { return out.write(&value, 1); }
bool writeU16(ByteStream& out, uint16_t value) { return writeLittle(out, value); }
bool writeU32(ByteStream& out, uint32_t value) { return writeLittle(out, value); }

bool writeF64(ByteStream& out, double value) {
    uint64_t raw = 0;
    std::memcpy(&raw, &value, sizeof raw);
    return writeLittle(out, raw);
}

bool readCount(ByteStream& in, uint32_t& count, uint32_t itemBytes) {
    if (!readU32(in, count))
        return false;
    if (uint64_t{count} * itemBytes > in.remaining())
        return in.fail("a count of " + std::to_string(count) + " items at offset " + std::to_string(in.position() - 4) +
                       " does not fit in the data");
    return true;
}

namespace {

bool isAscii(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    return true;
}

}  // namespace

std::string toStoredText(const std::string& utf8) { return isAscii(utf8) ? utf8 : utf8ToGb18030(utf8); }

std::string fromStoredText(const std::string& stored) { return isAscii(stored) ? stored : gb18030ToUtf8(stored); }

bool readText(ByteStream& in, std::string& utf8) {
    uint16_t length = 0;
    if (!readU16(in, length))
        return false;
    if (length > in.remaining())
        return in.fail("a text at offset " + std::to_string(in.position() - 2) + " runs past the end of its chunk");
    std::string encoded(length, '\0');
    if (!in.read(encoded.data(), length))
        return false;
    utf8 = fromStoredText(encoded);
    return true;
}

bool writeEncodedText(ByteStream& out, const std::string& encoded) {
    if (encoded.size() > kMaxTextBytes)
        return out.fail("a text of " + std::to_string(encoded.size()) +
                        " bytes is longer than the 65535 bytes a text may hold");
    return writeU16(out, static_cast<uint16_t>(encoded.size())) && out.write(encoded.data(), encoded.size());
}

bool readPointList(ByteStream& in, std::vector<int32_t>& points) {
    uint32_t count = 0;
    if (!readCount(in, count, 4))
        return false;
    points.assign(count, -1);
    for (auto& p : points)
        if (!readI32(in, p))
            return false;
    return true;
}

bool writePointList(ByteStream& out, const std::vector<int32_t>& points) {
    if (points.size() > UINT32_MAX || !writeU32(out, static_cast<uint32_t>(points.size())))
        return false;
    for (int32_t p : points)
        if (!writeU32(out, static_cast<uint32_t>(p)))
            return false;
    return true;
}

}  // namespace tessera
