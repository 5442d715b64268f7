#pragma once
// Whole-file reads with a size limit and crash-safe whole-file writes. A write goes to a
// temporary file in the same folder, is flushed to disk, and then renamed over the target, so
// a reader sees either the old contents or the new ones, never a half-written file.

#include <cstddef>
#include <optional>
#include <string>

namespace tessera {

// Writes all of `bytes` to the open descriptor `fd`, retrying short writes and interruptions.
bool writeAll(int fd, const std::string& bytes);

// Replaces the file at `path` with `bytes` (temporary file in the same folder, fsync, rename).
// An existing file keeps its permission bits; a new one gets 0644 less the umask. False on any
// failure, in which case the old file is untouched and no temporary file is left behind.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

// Like writeFileAtomically, but only when no entry named `path` exists: an existing file is
// never replaced, even one that appears while this call runs. False when the file exists or
// could not be written.
bool createFileAtomically(const std::string& path, const std::string& bytes);

// The whole contents of the regular file at `path`; nullopt when it is missing, cannot be
// read, is not a regular file, or is larger than `maxBytes`.
std::optional<std::string> readFileBounded(const std::string& path, std::size_t maxBytes);

}  // namespace tessera
