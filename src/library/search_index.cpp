#include "library/search_index.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <thread>

#include "library/library_store.h"
#include "library/search_index_files.h"
#include "library/search_index_merge.h"
#include "platform/atomic_file.h"
#include "record/sgg_file.h"

namespace tessera {
namespace fs = std::filesystem;
using namespace index_files;
namespace {

// Sorts entries on two threads, one half each; returns where the second sorted half starts.
size_t sortInHalves(std::vector<PositionEntry>& entries) {
    const size_t half = entries.size() / 2;
    if (entries.size() < 65536) {
        std::sort(entries.begin(), entries.end(), EntryOrder());
        return entries.size();
    }
    std::thread first([&] { std::sort(entries.begin(), entries.begin() + ptrdiff_t(half), EntryOrder()); });
    std::sort(entries.begin() + ptrdiff_t(half), entries.end(), EntryOrder());
    first.join();
    return half;
}

// A file mapped read-only (or bytes held in memory).
struct MappedFile {
    const uint8_t* data = nullptr;
    size_t size = 0;
    std::vector<uint64_t> held;  // the bytes when they are not mapped (8-byte aligned)
    void hold(const std::string& bytes) {
        held.assign((bytes.size() + 7) / 8, 0);
        if (!bytes.empty())
            std::memcpy(held.data(), bytes.data(), bytes.size());
        data = reinterpret_cast<const uint8_t*>(held.data());
        size = bytes.size();
    }
    bool map(const std::string& path) {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return false;
        struct stat info {};
        if (::fstat(fd, &info) != 0 || info.st_size <= 0) {
            ::close(fd);
            return false;
        }
        void* address = ::mmap(nullptr, static_cast<size_t>(info.st_size), PROT_READ, MAP_SHARED, fd, 0);
        ::close(fd);
        if (address == MAP_FAILED)
            return false;
        data = static_cast<const uint8_t*>(address);
        size = static_cast<size_t>(info.st_size);
        return true;
    }
    void unmap() {
        if (data && held.empty())
            ::munmap(const_cast<uint8_t*>(data), size);
        data = nullptr;
        size = 0;
    }
};

// The count of a games or keys file whose size matches it exactly, or -1.
int64_t checkedCount(const MappedFile& file, const char magic[8], size_t recordBytes) {
    if (file.size < kHeaderBytes || std::memcmp(file.data, magic, 8) != 0)
        return -1;
    uint64_t count = 0;
    std::memcpy(&count, file.data + 8, 8);
    if (count > (file.size - kHeaderBytes) / recordBytes || kHeaderBytes + count * recordBytes != file.size)
        return -1;
    return static_cast<int64_t>(count);
}

}  // namespace

std::string searchIndexFolder(const std::string& programFolder) { return programFolder + "index/"; }

// ---- writer ----

SearchIndexWriter::SearchIndexWriter(std::string programFolder, bool replaceAll, size_t runEntries)
    : folder_(searchIndexFolder(programFolder)), replaceAll_(replaceAll), runEntries_(std::max<size_t>(runEntries, 1)) {
    if (replaceAll_) {
        // A merge running meanwhile could fold segments written before the rebuild began into
        // one that looks newer than it; imports and updates leave their merges undone instead.
        std::error_code ec;
        fs::create_directories(folder_, ec);
        mergeLock_ = std::make_unique<IndexFolderLock>(mergeLockPath(folder_), true);
        listedBefore_ = readSegmentList(folder_);
    }
}

SearchIndexWriter::~SearchIndexWriter() {
    trees_.reset();
    std::error_code ec;
    for (const auto& run : runs_)
        fs::remove(run, ec);
    if (!finished_ && !name_.empty())
        removeSegmentFiles(folder_, name_);
}

bool SearchIndexWriter::fail(const std::string& reason) {
    if (error_.empty())
        error_ = reason;
    return false;
}

bool SearchIndexWriter::openSegment() {
    if (trees_)
        return true;
    std::error_code ec;
    fs::create_directories(folder_, ec);
    name_ = newSegmentName(folder_);
    trees_ = std::make_unique<StreamedFile>();
    char header[kHeaderBytes] = {};
    std::memcpy(header, kTreesMagic, 8);
    if (!trees_->open(folder_ + name_ + ".trees") || !trees_->write(header, kHeaderBytes))
        return fail("cannot write the search index in " + folder_);
    return true;
}

bool SearchIndexWriter::add(EncodedGame&& game) {
    std::lock_guard lock(mutex_);
    if (!error_.empty() || finished_ || !openSegment())
        return false;
    // Each tree starts on an 8-byte boundary, so its bit sets can be read in place.
    game.tree.resize((game.tree.size() + 7) / 8 * 8, '\0');
    game.game.offset = trees_->size();
    if (!trees_->write(game.tree.data(), game.tree.size()))
        return fail("cannot write the search index in " + folder_);
    // The tree starts with its two bit sets; they are packed again for region searches.
    const size_t words = 2 * bitSetWords(int(game.game.width) * int(game.game.height));
    if (game.tree.size() >= words * 8) {
        game.game.flags |= kBitsRow;
        game.game.bitsWord = static_cast<uint32_t>(bits_.size());  // renumbered by finish()
        bits_.resize(bits_.size() + words);
        std::memcpy(bits_.data() + game.game.bitsWord, game.tree.data(), words * 8);
    }
    games_.push_back(game.game);
    if (!entries_.empty() && entries_.size() + game.entries.size() > runEntries_ && !spillRun())
        return false;
    // The whole run is reserved at once: pages are only taken as entries arrive, and the
    // buffer is never copied or given back between runs.
    if (entries_.capacity() < runEntries_)
        entries_.reserve(runEntries_);
    entries_.insert(entries_.end(), game.entries.begin(), game.entries.end());
    entryCount_ += game.entries.size();
    return true;
}

bool SearchIndexWriter::addUnindexed(int32_t id) {
    std::lock_guard lock(mutex_);
    if (!error_.empty() || finished_ || !openSegment())
        return false;
    IndexedGame game;
    game.id = id;
    game.flags = kScanInstead;
    game.offset = trees_->size();
    games_.push_back(game);
    return true;
}

bool SearchIndexWriter::spillRun() {
    const size_t half = sortInHalves(entries_);
    const std::string path = folder_ + name_ + ".run" + std::to_string(runs_.size());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    runs_.push_back(path);
    std::vector<MergeSource> halves(2);
    halves[0].at = entries_.data();
    halves[0].end = entries_.data() + half;
    halves[1].at = halves[0].end;
    halves[1].end = entries_.data() + entries_.size();
    bool ok = file && mergeInto(halves, [&](const PositionEntry* data, size_t count) {
                  return std::fwrite(data, sizeof(PositionEntry), count, file) == count;
              });
    ok = (file && std::fclose(file) == 0) && ok;
    entries_.clear();
    return ok || fail("cannot write " + path);
}

bool SearchIndexWriter::writeKeys() {
    const std::string path = folder_ + name_ + ".keys";
    StreamedFile out;
    char header[kHeaderBytes];
    std::memcpy(header, kKeysMagic, 8);
    std::memcpy(header + 8, &entryCount_, 8);
    bool ok = out.open(path) && out.write(header, kHeaderBytes);
    // The entries in memory (two sorted halves) and the runs on disk, merged.
    const size_t half = sortInHalves(entries_);
    std::vector<MergeSource> sources(2 + runs_.size());
    sources[0].at = entries_.data();
    sources[0].end = entries_.data() + half;
    sources[1].at = sources[0].end;
    sources[1].end = entries_.data() + entries_.size();
    for (size_t k = 0; k < runs_.size(); ++k) {
        sources[2 + k].file = std::fopen(runs_[k].c_str(), "rb");
        ok = ok && sources[2 + k].file;
    }
    ok = ok && mergeInto(sources, [&](const PositionEntry* data, size_t count) {
             return out.write(data, count * sizeof(PositionEntry));
         });
    for (MergeSource& source : sources)
        if (source.file)
            std::fclose(source.file);
    std::error_code ec;
    for (const auto& run : runs_)
        fs::remove(run, ec);
    runs_.clear();
    ok = out.close() && ok;
    entries_.clear();
    entries_.shrink_to_fit();
    return ok || fail("cannot write " + path);
}

bool SearchIndexWriter::finish() {
    std::lock_guard lock(mutex_);
    if (finished_ || !error_.empty())
        return error_.empty();
    if (games_.empty() && !replaceAll_)
        return true;
    if (!openSegment())
        return false;
    // A later copy of an id replaces an earlier one; the table is kept in id order.
    std::stable_sort(games_.begin(), games_.end(),
                     [](const IndexedGame& a, const IndexedGame& b) { return a.id < b.id; });
    std::vector<IndexedGame> unique;
    unique.reserve(games_.size());
    for (const IndexedGame& game : games_) {
        if (!unique.empty() && unique.back().id == game.id)
            unique.back() = game;
        else
            unique.push_back(game);
    }
    games_ = std::move(unique);
    const bool ok = trees_->close();
    trees_.reset();
    if (!ok)
        return fail("cannot write the search index in " + folder_);
    if (!writeKeys())
        return false;
    // The bit sets in table order.
    std::string packed(kHeaderBytes, '\0');
    std::memcpy(packed.data(), kBitsMagic, 8);
    uint64_t packedWords = 0;
    for (IndexedGame& game : games_) {
        if (!(game.flags & kBitsRow))
            continue;
        const size_t words = 2 * bitSetWords(int(game.width) * int(game.height));
        packed.append(reinterpret_cast<const char*>(bits_.data() + game.bitsWord), words * 8);
        game.bitsWord = static_cast<uint32_t>(packedWords);
        packedWords += words;
        if (packedWords > UINT32_MAX)
            return fail("the search index in " + folder_ + " is too large");
    }
    std::memcpy(packed.data() + 8, &packedWords, 8);
    bits_.clear();
    bits_.shrink_to_fit();
    if (!writeFileAtomically(folder_ + name_ + ".bits", packed))
        return fail("cannot write " + folder_ + name_ + ".bits");
    std::string table(kHeaderBytes, '\0');
    std::memcpy(table.data(), kGamesMagic, 8);
    const uint64_t count = games_.size();
    std::memcpy(table.data() + 8, &count, 8);
    table.append(reinterpret_cast<const char*>(games_.data()), games_.size() * sizeof(IndexedGame));
    if (!writeFileAtomically(folder_ + name_ + ".games", table))
        return fail("cannot write " + folder_ + name_ + ".games");
    // Other writers (imports, updates, merges, in this process or another) change the list too.
    std::vector<std::string> old;
    {
        IndexFolderLock lock(segmentsLockPath(folder_), true);
        if (!lock.held())
            return fail("cannot lock " + folder_ + "segments");
        old = readSegmentList(folder_);
        std::vector<std::string> names = replaceAll_ ? std::vector<std::string>{} : old;
        names.push_back(name_);
        // Segments added while a rebuild read the games hold newer copies of theirs: they stay after it.
        if (replaceAll_)
            for (const std::string& name : old)
                if (std::find(listedBefore_.begin(), listedBefore_.end(), name) == listedBefore_.end())
                    names.push_back(name);
        if (!writeSegmentList(folder_, names))
            return fail("cannot write " + folder_ + "segments");
        finished_ = true;
    }
    if (replaceAll_)
        for (const auto& name : listedBefore_)
            removeSegmentFiles(folder_, name);
    return true;
}

bool rebuildSearchIndex(const LibraryStore& store, const std::vector<int32_t>& ids, unsigned threads,
                        const std::function<bool(size_t, size_t)>& progress, std::string& error) {
    SearchIndexWriter writer(store.programFolder(), true);
    std::atomic<size_t> next{0}, done{0};
    std::atomic<bool> cancelled{false};
    constexpr size_t kBlock = 64;
    // Game files are replaced by rename only, so the threads read them without the store's read lock.
    auto indexOne = [&](int32_t id, GameRecord& record, EncodedGame& encoded) {
        std::string reason;
        // A server library keeps its game files in the database; the local folder is only a cache.
        const bool present = !store.isServer() || store.cacheGameFile(id, reason);
        if (present && loadSggFile(store.gamePath(id), record, reason) && encodeGame(id, record, encoded))
            return writer.add(std::move(encoded));
        return writer.addUnindexed(id);
    };
    // The calling thread works too and reports the progress between its blocks.
    auto work = [&](bool reports) {
        GameRecord record;
        EncodedGame encoded;
        for (size_t start; !cancelled && (start = next.fetch_add(kBlock)) < ids.size();) {
            for (size_t k = start; k < std::min(ids.size(), start + kBlock); ++k)
                if (!indexOne(ids[k], record, encoded))
                    cancelled = true;
            done += std::min(kBlock, ids.size() - start);
            if (reports && progress && !progress(done.load(), ids.size()))
                cancelled = true;
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < std::max(1u, threads); ++t)
        pool.emplace_back(work, false);
    work(true);
    for (auto& thread : pool)
        thread.join();
    if (!writer.error().empty()) {
        error = writer.error();
        return false;
    }
    if (cancelled) {
        error = "cancelled";
        return false;
    }
    if (!writer.finish()) {
        error = writer.error();
        return false;
    }
    if (progress)
        progress(ids.size(), ids.size());
    return true;
}

bool indexLibraryGames(const LibraryStore& store, const std::vector<int32_t>& ids, std::string& error) {
    SearchIndexWriter writer(store.programFolder(), false);
    GameRecord record;
    EncodedGame encoded;
    for (int32_t id : ids) {
        if (store.readGame(id, record) && encodeGame(id, record, encoded))
            writer.add(std::move(encoded));
        else
            writer.addUnindexed(id);
    }
    if (!writer.finish()) {
        error = writer.error();
        return false;
    }
    // The games are indexed; a merge that fails leaves the segments as they are, for the next try.
    std::string mergeError;
    mergeSearchIndexSegments(store.programFolder(), mergeError);
    return true;
}

// ---- reader ----

struct SearchIndex::Segment {
    MappedFile games, trees, keys, bits;
    const uint64_t* bitWords = nullptr;
    size_t bitWordCount = 0;
    const IndexedGame* table = nullptr;
    size_t gameCount = 0;
    const PositionEntry* entries = nullptr;
    size_t entryCount = 0;
    ~Segment() {
        games.unmap();
        trees.unmap();
        keys.unmap();
        bits.unmap();
    }
};

SearchIndex::SearchIndex() = default;
SearchIndex::~SearchIndex() = default;

void SearchIndex::close() {
    segments_.clear();
    slots_.clear();
    gameCount_ = 0;
}

bool SearchIndex::open(const std::string& programFolder) {
    // A merge or a rebuild unlinks the files of segments once the list no longer names them:
    // when a file vanished between reading the list and mapping it, the list is read again.
    std::vector<std::string> names = readSegmentList(searchIndexFolder(programFolder));
    for (int attempt = 0; attempt < 8; ++attempt) {
        if (openSegments(programFolder, names))
            return true;
        std::vector<std::string> now = readSegmentList(searchIndexFolder(programFolder));
        if (now == names)
            return false;
        names = std::move(now);
    }
    return false;
}

bool SearchIndex::openSegments(const std::string& programFolder, const std::vector<std::string>& names) {
    close();
    const std::string folder = searchIndexFolder(programFolder);
    for (const std::string& name : names) {
        auto segment = std::make_unique<Segment>();
        const bool mapped =
            segment->games.map(folder + name + ".games") && segment->trees.map(folder + name + ".trees");
        // An empty keys file cannot be mapped: only a segment without entries may lack one.
        segment->keys.map(folder + name + ".keys");
        segment->bits.map(folder + name + ".bits");  // segments of older versions lack it
        if (!mapped || !addSegment(std::move(segment))) {
            close();
            return false;
        }
    }
    return finishOpening();
}

bool SearchIndex::openBytes(const std::string& games, const std::string& trees, const std::string& keys,
                            const std::string& bits) {
    close();
    auto segment = std::make_unique<Segment>();
    segment->games.hold(games);
    segment->trees.hold(trees);
    if (!keys.empty())
        segment->keys.hold(keys);
    if (!bits.empty())
        segment->bits.hold(bits);
    if (!addSegment(std::move(segment))) {
        close();
        return false;
    }
    return finishOpening();
}

bool SearchIndex::addSegment(std::unique_ptr<Segment> segment) {
    const int64_t games = checkedCount(segment->games, kGamesMagic, sizeof(IndexedGame));
    const int64_t entries = segment->keys.data ? checkedCount(segment->keys, kKeysMagic, sizeof(PositionEntry)) : 0;
    if (games < 0 || entries < 0 || segment->trees.size < kHeaderBytes ||
        std::memcmp(segment->trees.data, kTreesMagic, 8) != 0)
        return false;
    segment->table = reinterpret_cast<const IndexedGame*>(segment->games.data + kHeaderBytes);
    segment->gameCount = static_cast<size_t>(games);
    if (entries > 0)
        segment->entries = reinterpret_cast<const PositionEntry*>(segment->keys.data + kHeaderBytes);
    segment->entryCount = static_cast<size_t>(entries);
    if (segment->bits.data) {
        const int64_t words = checkedCount(segment->bits, kBitsMagic, sizeof(uint64_t));
        if (words < 0)
            return false;
        segment->bitWords = reinterpret_cast<const uint64_t*>(segment->bits.data + kHeaderBytes);
        segment->bitWordCount = static_cast<size_t>(words);
    }
    for (size_t k = 0; k < segment->gameCount; ++k) {
        const IndexedGame& game = segment->table[k];
        const bool indexed = !(game.flags & kScanInstead);
        if (game.id < 0 || (k > 0 && game.id <= segment->table[k - 1].id) ||
            (indexed &&
             (game.width == 0 || game.height == 0 || game.width > kMaxIndexedSide || game.height > kMaxIndexedSide)) ||
            // Every node takes at least two bytes of its tree: a larger count is damage, and
            // would make a search allocate for nodes that are not there.
            (indexed && game.nodeCount > game.bytes / 2) || game.offset % 8 != 0 ||
            ((game.flags & kScanInstead) && game.bytes != 0) || game.offset < kHeaderBytes ||
            game.offset > segment->trees.size || game.bytes > segment->trees.size - game.offset)
            return false;
        if (segment->bitWords && (game.flags & kBitsRow) &&
            uint64_t(game.bitsWord) + 2 * bitSetWords(int(game.width) * int(game.height)) > segment->bitWordCount)
            return false;
    }
    segments_.push_back(std::move(segment));
    return true;
}

bool SearchIndex::finishOpening() {
    if (segments_.empty())
        return false;
    int32_t largest = -1;
    size_t total = 0;
    for (const auto& segment : segments_) {
        if (segment->gameCount > 0)
            largest = std::max(largest, segment->table[segment->gameCount - 1].id);
        total += segment->gameCount;
    }
    // Library ids are given out from 1 on, so a table by id is small; ids far beyond the
    // number of games (a damaged table, or a library that lost most of its games) are looked
    // up in the segments' tables instead of taking memory for every id.
    slots_.clear();
    if (uint64_t(largest) < total + (uint64_t(1) << 20)) {
        slots_.assign(static_cast<size_t>(largest) + 1, {-1, -1});
        for (size_t s = 0; s < segments_.size(); ++s)
            for (size_t k = 0; k < segments_[s]->gameCount; ++k)
                slots_[static_cast<size_t>(segments_[s]->table[k].id)] = {static_cast<int32_t>(s),
                                                                          static_cast<int32_t>(k)};
    }
    for (size_t s = 0; s < segments_.size(); ++s)
        for (size_t k = 0; k < segments_[s]->gameCount; ++k) {
            const IndexedGame& game = segments_[s]->table[k];
            if (!(game.flags & kScanInstead) && findGame(game.id) == &game)
                ++gameCount_;
        }
    return true;
}

const IndexedGame* SearchIndex::findGame(int32_t id, int* segment) const {
    if (id < 0)
        return nullptr;
    if (!slots_.empty()) {
        if (static_cast<size_t>(id) >= slots_.size() || slots_[static_cast<size_t>(id)].first < 0)
            return nullptr;
        const auto [s, k] = slots_[static_cast<size_t>(id)];
        if (segment)
            *segment = s;
        return &segments_[static_cast<size_t>(s)]->table[k];
    }
    for (size_t s = segments_.size(); s-- > 0;) {
        const IndexedGame* begin = segments_[s]->table;
        const IndexedGame* end = begin + segments_[s]->gameCount;
        const IndexedGame* found =
            std::lower_bound(begin, end, id, [](const IndexedGame& game, int32_t value) { return game.id < value; });
        if (found != end && found->id == id) {
            if (segment)
                *segment = static_cast<int>(s);
            return found;
        }
    }
    return nullptr;
}

std::span<const IndexedGame> SearchIndex::gamesOf(int segment) const {
    const Segment& s = *segments_[static_cast<size_t>(segment)];
    return {s.table, s.gameCount};
}

CompactTreeReader SearchIndex::treeOf(const IndexedGame& game, int segment) const {
    const Segment& s = *segments_[static_cast<size_t>(segment)];
    return CompactTreeReader(s.trees.data + game.offset, game.bytes, game);
}

const uint64_t* SearchIndex::bitsOf(const IndexedGame& game, int segment) const {
    const Segment& s = *segments_[static_cast<size_t>(segment)];
    return s.bitWords && (game.flags & kBitsRow) ? s.bitWords + game.bitsWord : nullptr;
}

std::pair<const PositionEntry*, const PositionEntry*> SearchIndex::entriesOf(int segment, uint64_t hash) const {
    const Segment& s = *segments_[static_cast<size_t>(segment)];
    if (!s.entries)
        return {nullptr, nullptr};
    const PositionEntry* begin = s.entries;
    const PositionEntry* end = s.entries + s.entryCount;
    const PositionEntry* low =
        std::lower_bound(begin, end, hash, [](const PositionEntry& e, uint64_t h) { return e.hash < h; });
    const PositionEntry* high =
        std::upper_bound(low, end, hash, [](uint64_t h, const PositionEntry& e) { return h < e.hash; });
    return {low, high};
}

size_t SearchIndex::entryCountOf(int segment) const { return segments_[static_cast<size_t>(segment)]->entryCount; }

uint64_t SearchIndex::sizeOnDisk() const {
    uint64_t total = 0;
    for (const auto& segment : segments_)
        total += segment->games.size + segment->trees.size + segment->keys.size + segment->bits.size;
    return total;
}

}  // namespace tessera
