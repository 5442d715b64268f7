#pragma once
// Text files of game ids (the custom index files of the block folder, saved search results)
// and whole-file reading for the SQL files beside them.
//
// An id list holds one entry per line: a decimal id ("5"), or a range in brackets whose ends
// are included with "[" / "]" and left out with "(" / ")" ("[7,9]" gives 7 8 9, "(10,12)"
// gives 11). Other lines are skipped. Lines are read in pieces of at most 1023 bytes.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessera {

// Lines longer than this are read in pieces of this many bytes, each piece taken as a line.
inline constexpr size_t kIdListPieceBytes = 1023;

// The most ids one list file expands to; ranges beyond it are cut short and the cut is logged.
inline constexpr size_t kMaxIdListEntries = 10'000'000;

// Reads the whole file into text. True on success; false when it cannot be opened or read
// completely, or is larger than maxBytes (text is then empty).
bool readWholeFile(const std::string& path, std::string& text, size_t maxBytes = size_t(256) << 20);

// Writes each id as "%d\n", atomically (writeFileAtomically).
// True, or false when the file cannot be written (an existing file is then left as it was).
bool WriteIdList(const std::vector<int32_t>& list, const std::string& path);

// Empties list and reads the ids of the file in order. True, or false when the file cannot be
// opened. At most maxEntries ids are kept.
bool ReadIdList(const std::string& path, std::vector<int32_t>& list, size_t maxEntries = kMaxIdListEntries);

// The ids of an id list already in memory, read exactly as ReadIdList reads a file. False when
// the list was cut at maxEntries (nothing is logged).
bool parseIdList(std::string_view text, std::vector<int32_t>& list, size_t maxEntries = kMaxIdListEntries);

}  // namespace tessera
