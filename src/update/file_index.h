#pragma once
// The file index of the update: which data files of the program folder the server holds, with
// the CRC-32 of each. "ftpindex.dat" beside "ftpindex.ini" ([Option] version), on the server
// and in the program folder.
//
// ftpindex.dat (little-endian): "ftpindex" padded with 0 to 10 bytes, f64 version 0.0, u32
// entry count, then per entry: u16 length + bytes of the path (relative to the program folder,
// '/' separators), three u32 values (the second is the CRC-32; the others are kept as read).

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessera {

struct FileIndexEntry {
    std::string path;
    std::uint32_t first = 0;
    std::uint32_t crc = 0;
    std::uint32_t third = 0;
    bool operator==(const FileIndexEntry&) const = default;
};

// The entries of an index file's bytes; nullopt (reason in error) for anything else: a wrong
// magic or version, a count larger than the bytes hold, a short entry, trailing bytes.
std::optional<std::vector<FileIndexEntry>> parseFileIndex(const std::string& bytes, std::string& error);
// The bytes of an index file.
std::string fileIndexBytes(const std::vector<FileIndexEntry>& entries);
// The entries of the file at path: empty when the file is missing or unreadable.
std::vector<FileIndexEntry> readFileIndex(const std::string& path);

// True when path names a file inside the program folder: relative, '/'-separated, no empty,
// "." or ".." component, no backslash, colon or control byte, at most 255 bytes.
bool isSafeIndexPath(const std::string& path);

}  // namespace tessera
