#pragma once
// What the search index's writer, reader and segment merge share (internal to the library):
// the files' magics, the segments list and the locks that guard changing it, a file streamed to
// disk through a large buffer, and the merge of sorted runs of position entries.
//
// Changing the segments list is a read-modify-write of index/segments: every writer does it
// holding index/segments.lock (an flock, so it holds against other processes and against
// other descriptors of this one), never for longer than that rewrite. A segment's files are
// written under a name no other writer uses (time, process id, counter), listed only once
// complete, and unlinked only after the list stopped naming them, so a reader that mapped them
// keeps working.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "library/search_index_format.h"

namespace tessera::index_files {

inline constexpr char kGamesMagic[8] = {'T', 'S', 'G', 'A', 'M', 'E', '0', '1'};
inline constexpr char kTreesMagic[8] = {'T', 'S', 'T', 'R', 'E', 'E', '0', '1'};
inline constexpr char kKeysMagic[8] = {'T', 'S', 'K', 'E', 'Y', 'S', '0', '1'};
inline constexpr char kBitsMagic[8] = {'T', 'S', 'B', 'I', 'T', 'S', '0', '1'};
inline constexpr size_t kHeaderBytes = 16;  // magic + u64 count (the trees file: magic + 8 zero bytes)

// The order of a keys file: by hash, game, parentSeq, childSeq.
inline bool entryBefore(const PositionEntry& a, const PositionEntry& b) {
    if (a.hash != b.hash)
        return a.hash < b.hash;
    if (a.game != b.game)
        return a.game < b.game;
    if (a.parentSeq != b.parentSeq)
        return a.parentSeq < b.parentSeq;
    return a.childSeq < b.childSeq;
}
// The same order as a type, so std::sort inlines it.
struct EntryOrder {
    bool operator()(const PositionEntry& a, const PositionEntry& b) const { return entryBefore(a, b); }
};

// A file written through a large buffer whose pages are handed to the disk as it grows, so the
// fsync at the end has little left to wait for.
class StreamedFile {
public:
    ~StreamedFile();
    // Creates (or empties) the file; false when it cannot be opened.
    bool open(const std::string& path);
    // Appends bytes; false when a write failed.
    bool write(const void* data, size_t bytes);
    // Bytes written so far.
    uint64_t size() const { return size_; }
    // Overwrites bytes already written at offset (a header whose count is known last).
    bool writeAt(uint64_t offset, const void* data, size_t bytes);
    // Writes what is buffered and starts the disk writing it (without waiting).
    bool flush();
    // Flushes, waits for the disk and closes.
    bool close();

private:
    static constexpr size_t kBufferBytes = size_t(8) << 20;
    int fd_ = -1;
    std::string buffer_;
    uint64_t size_ = 0;
};

// One sorted sequence of entries taking part in a merge: a span in memory, or a file read
// through a buffer of bufferEntries. With keep set, only the entries of games g with
// g < keepCount and keep[g] == self take part (a segment merge drops the games a newer segment
// holds).
struct MergeSource {
    std::FILE* file = nullptr;
    size_t bufferEntries = 65536;
    std::vector<PositionEntry> buffer;
    const PositionEntry* at = nullptr;
    const PositionEntry* end = nullptr;
    const uint8_t* keep = nullptr;
    size_t keepCount = 0;
    uint8_t self = 0;

    // Reads the next buffer from the file; false at its end.
    bool refill();
    bool kept() const { return !keep || (uint32_t(at->game) < keepCount && keep[uint32_t(at->game)] == self); }
    // Moves to the first entry that takes part; false when there is none.
    bool start() {
        if (at >= end && !refill())
            return false;
        return kept() || advance();
    }
    // Moves to the next entry that takes part; false at the end.
    bool advance() {
        for (;;) {
            if (++at >= end && !refill())
                return false;
            if (kept())
                return true;
        }
    }
};

// Merges sorted sources into out (called with blocks of entries); false when out failed.
bool mergeInto(std::vector<MergeSource>& sources, const std::function<bool(const PositionEntry*, size_t)>& out);

// The segment names of index/segments in folder, oldest first (lines that could name a file
// outside the folder are skipped).
std::vector<std::string> readSegmentList(const std::string& folder);
// Replaces index/segments atomically; call it holding the segments lock.
bool writeSegmentList(const std::string& folder, const std::vector<std::string>& names);
// Unlinks a segment's files.
void removeSegmentFiles(const std::string& folder, const std::string& name);
// A name for a new segment that no file of the folder has.
std::string newSegmentName(const std::string& folder);
// Removes files of segments that the list does not name and whose writing process is gone
// (left by a crash or a kill during an import or a merge).
void removeAbandonedSegmentFiles(const std::string& folder, const std::vector<std::string>& listed);

// An exclusive flock on a file of the index folder, released when destroyed.
class IndexFolderLock {
public:
    // Takes the lock on folder + file (created when missing), waiting for it when wait is set.
    IndexFolderLock(const std::string& path, bool wait);
    ~IndexFolderLock();
    IndexFolderLock(const IndexFolderLock&) = delete;
    IndexFolderLock& operator=(const IndexFolderLock&) = delete;
    // False when the lock is held elsewhere (without wait) or the file could not be opened.
    bool held() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};
// The lock guarding index/segments.
inline std::string segmentsLockPath(const std::string& folder) { return folder + "segments.lock"; }
// The lock held while segments are merged (one merge at a time per index).
inline std::string mergeLockPath(const std::string& folder) { return folder + "merge.lock"; }

}  // namespace tessera::index_files
