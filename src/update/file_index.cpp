#include "update/file_index.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "platform/atomic_file.h"

namespace tessera {
namespace {

constexpr char kMagic[10] = {'f', 't', 'p', 'i', 'n', 'd', 'e', 'x', 0, 0};
constexpr std::size_t kSmallestEntry = 2 + 12;
constexpr std::size_t kMaxIndexBytes = std::size_t(64) << 20;

std::uint32_t u32At(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int k = 3; k >= 0; --k)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(k)]);
    return value;
}

void putU32(std::string& out, std::uint32_t value) {
    for (int k = 0; k < 4; ++k, value >>= 8)
        out.push_back(static_cast<char>(value & 0xFF));
}

}  // namespace

std::optional<std::vector<FileIndexEntry>> parseFileIndex(const std::string& bytes, std::string& error) {
    double version = 1.0;
    if (bytes.size() < 22 || std::memcmp(bytes.data(), kMagic, sizeof kMagic) != 0) {
        error = "not a file index";
        return std::nullopt;
    }
    std::memcpy(&version, bytes.data() + 10, sizeof version);
    if (version != 0.0) {
        error = "unknown file index version";
        return std::nullopt;
    }
    const std::uint32_t count = u32At(bytes, 18);
    std::size_t at = 22;
    if (count > (bytes.size() - at) / kSmallestEntry) {
        error = "the file index is cut short";
        return std::nullopt;
    }
    std::vector<FileIndexEntry> entries;
    entries.reserve(count);
    for (std::uint32_t k = 0; k < count; ++k) {
        if (bytes.size() - at < 2) {
            error = "the file index is cut short";
            return std::nullopt;
        }
        const std::size_t length = static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1])
                                                                               << 8;
        at += 2;
        if (bytes.size() - at < length + 12) {
            error = "the file index is cut short";
            return std::nullopt;
        }
        FileIndexEntry entry;
        entry.path = bytes.substr(at, length);
        at += length;
        entry.first = u32At(bytes, at);
        entry.crc = u32At(bytes, at + 4);
        entry.third = u32At(bytes, at + 8);
        at += 12;
        entries.push_back(std::move(entry));
    }
    if (at != bytes.size()) {
        error = "unexpected bytes follow the file index";
        return std::nullopt;
    }
    return entries;
}

std::string fileIndexBytes(const std::vector<FileIndexEntry>& entries) {
    std::string out(kMagic, sizeof kMagic);
    const double version = 0.0;
    out.append(reinterpret_cast<const char*>(&version), sizeof version);
    putU32(out, static_cast<std::uint32_t>(entries.size()));
    for (const auto& entry : entries) {
        const std::size_t length = std::min<std::size_t>(entry.path.size(), 0xFFFF);
        out.push_back(static_cast<char>(length & 0xFF));
        out.push_back(static_cast<char>(length >> 8));
        out.append(entry.path, 0, length);
        putU32(out, entry.first);
        putU32(out, entry.crc);
        putU32(out, entry.third);
    }
    return out;
}

std::vector<FileIndexEntry> readFileIndex(const std::string& path) {
    const auto bytes = readFileBounded(path, kMaxIndexBytes);
    std::string error;
    auto entries = bytes ? parseFileIndex(*bytes, error) : std::nullopt;
    return entries ? std::move(*entries) : std::vector<FileIndexEntry>{};
}

bool isSafeIndexPath(const std::string& path) {
    if (path.empty() || path.size() > 255 || path.front() == '/' || path.back() == '/')
        return false;
    for (const char c : path)
        if (c == '\\' || c == ':' || static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string_view part(path.data() + start, end - start);
        if (part.empty() || part == "." || part == "..")
            return false;
        start = end + 1;
    }
    return true;
}

}  // namespace tessera
