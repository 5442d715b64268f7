#pragma once
// Whole-file loading and atomic saving under the record formats, with one-line reasons.

#include <filesystem>
#include <string>

namespace tessera {

// Record files larger than this are refused: no real record comes near it.
constexpr size_t kMaxRecordFileBytes = size_t(256) << 20;

// The whole file into bytes; false with a reason in error (missing, a folder, unreadable, too large).
bool loadFileBytes(const std::filesystem::path& file, std::string& bytes, std::string& error);
// Replaces the file with bytes atomically; false with a reason in error (the old file is kept).
bool saveFileBytes(const std::filesystem::path& file, const std::string& bytes, std::string& error);

}  // namespace tessera
