#pragma once
// Writing and reading the search index (the layout is in search_index_format.h).
//
// SearchIndexWriter collects games into one new segment: compact trees go straight to the
// segment's trees file; position entries are kept in memory and spilled as sorted runs past
// kRunEntries, then merged into the keys file, so memory stays bounded on any library size
// (a library of 70,000 games fits one run and is sorted in memory on two threads).
// finish() adds the segment to index/segments (replaced atomically), or, for a rebuild,
// makes it the only one and deletes the others' files. Until then readers see the old index.
// Small segments are folded together afterwards (search_index_merge.h).
//
// SearchIndex maps the segments of an index read-only and answers which segment holds a game,
// its compact tree, and the position entries of a hash.

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "library/search_index_format.h"

namespace tessera {

namespace index_files {
class StreamedFile;
class IndexFolderLock;
}  // namespace index_files

class SearchIndexWriter {
public:
    // Position entries held in memory before a sorted run is written (24 bytes each: 384 MB).
    static constexpr size_t kRunEntries = size_t(16) << 20;

    // A writer for a new segment of the index of programFolder (ending with '/'); with
    // replaceAll, finish() makes it the whole index but for the segments added while it wrote
    // (imports and updates meanwhile: newer than what it read), and no merge runs until then.
    // runEntries bounds the entries in memory.
    SearchIndexWriter(std::string programFolder, bool replaceAll, size_t runEntries = kRunEntries);
    // Removes the files of an unfinished segment.
    ~SearchIndexWriter();
    SearchIndexWriter(const SearchIndexWriter&) = delete;
    SearchIndexWriter& operator=(const SearchIndexWriter&) = delete;

    // Adds one encoded game (games may come in any order; a later copy of an id wins). Safe
    // from several threads. False once writing failed (see error()).
    bool add(EncodedGame&& game);
    // Records that a game could not be indexed (unreadable, or beyond the index's limits): the
    // search reads it instead, whatever older segments hold for its id.
    bool addUnindexed(int32_t id);
    // Writes the segment and publishes it; false with error() on failure (the index is then
    // as it was). A writer without games publishes nothing unless it replaces the index.
    bool finish();
    const std::string& error() const { return error_; }
    size_t gameCount() const { return games_.size(); }

private:
    bool openSegment();
    bool spillRun();
    bool writeKeys();
    bool fail(const std::string& reason);

    std::string folder_;  // <program folder>index/
    bool replaceAll_;
    std::string name_;
    std::mutex mutex_;
    size_t runEntries_;
    std::unique_ptr<index_files::StreamedFile> trees_;
    std::vector<IndexedGame> games_;
    std::vector<PositionEntry> entries_;
    std::vector<uint64_t> bits_;  // the games' bit sets, in the order they came
    std::vector<std::string> runs_;
    std::unique_ptr<index_files::IndexFolderLock> mergeLock_;  // held by a whole rebuild
    std::vector<std::string> listedBefore_;                    // the segments when a rebuild began
    uint64_t entryCount_ = 0;
    bool finished_ = false;
    std::string error_;
};

// Builds a whole new index from every game of the library in id order, reading the games on
// `threads` threads; progress(done, total) after each game block returns false to cancel.
// False with a one-line reason in error (the old index stays as it was).
class LibraryStore;
bool rebuildSearchIndex(const LibraryStore& store, const std::vector<int32_t>& ids, unsigned threads,
                        const std::function<bool(size_t, size_t)>& progress, std::string& error);
// Adds a segment for the given games of the library (after an update replaced them), then
// merges segments as mergeSearchIndexSegments does; false with a reason in error.
bool indexLibraryGames(const LibraryStore& store, const std::vector<int32_t>& ids, std::string& error);

class SearchIndex {
public:
    SearchIndex();
    ~SearchIndex();
    SearchIndex(const SearchIndex&) = delete;
    SearchIndex& operator=(const SearchIndex&) = delete;

    // Maps the index of programFolder; false when it has no index or a segment is damaged
    // (then nothing is open).
    bool open(const std::string& programFolder);
    // Maps the named segments of the index of programFolder (oldest first); false when one is
    // missing or damaged (then nothing is open).
    bool openSegments(const std::string& programFolder, const std::vector<std::string>& names);
    // An index of one segment whose three files' bytes are given (keys may be empty); the same
    // checks as open.
    bool openBytes(const std::string& games, const std::string& trees, const std::string& keys,
                   const std::string& bits = {});
    void close();
    bool isOpen() const { return !segments_.empty(); }

    struct Segment;
    // The game's entry in the newest segment holding it, or nullptr; with segment set to its
    // segment's number.
    const IndexedGame* findGame(int32_t id, int* segment = nullptr) const;
    // The games table of a segment, in id order (older copies of a game included).
    std::span<const IndexedGame> gamesOf(int segment) const;
    // The compact tree of a game found by findGame.
    CompactTreeReader treeOf(const IndexedGame& game, int segment) const;
    // The everBlack bit set of a game found by findGame, followed by its everWhite, from the
    // segment's packed bit sets; nullptr when the segment has none for it (read the tree's).
    const uint64_t* bitsOf(const IndexedGame& game, int segment) const;
    // The entries of the segment with this hash, sorted by (game, parentSeq, childSeq).
    std::pair<const PositionEntry*, const PositionEntry*> entriesOf(int segment, uint64_t hash) const;
    int segmentCount() const { return static_cast<int>(segments_.size()); }
    // The number of position entries of a segment.
    size_t entryCountOf(int segment) const;
    // Bytes of every segment's files.
    uint64_t sizeOnDisk() const;
    // Number of games whose newest entry holds their tree (each counted once).
    size_t gameCount() const { return gameCount_; }

private:
    bool addSegment(std::unique_ptr<Segment> segment);
    bool finishOpening();

    std::vector<std::unique_ptr<Segment>> segments_;
    // game id -> (segment, index in its games table); segment -1 for none. Empty when the ids
    // are too sparse: the segments' tables (in id order) are searched instead.
    std::vector<std::pair<int32_t, int32_t>> slots_;
    size_t gameCount_ = 0;
};

// The index folder of a program folder: "<program folder>index/".
std::string searchIndexFolder(const std::string& programFolder);

}  // namespace tessera
