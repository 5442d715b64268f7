#include "library/search_index.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <queue>
#include <sstream>
#include <thread>

#include "library/library_store.h"
#include "platform/atomic_file.h"
#include "record/sgg_file.h"

namespace tessera {
namespace fs = std::filesystem;
namespace {

constexpr char kGamesMagic[8] = {'T', 'S', 'G', 'A', 'M', 'E', '0', '1'};
constexpr char kTreesMagic[8] = {'T', 'S', 'T', 'R', 'E', 'E', '0', '1'};
constexpr char kKeysMagic[8] = {'T', 'S', 'K', 'E', 'Y', 'S', '0', '1'};
constexpr size_t kHeaderBytes = 16;  // magic + u64 count (the trees file: magic + 8 zero bytes)

bool entryBefore(const PositionEntry& a, const PositionEntry& b) {
    if (a.hash != b.hash)
        return a.hash < b.hash;
    if (a.game != b.game)
        return a.game < b.game;
    if (a.parentSeq != b.parentSeq)
        return a.parentSeq < b.parentSeq;
    return a.childSeq < b.childSeq;
}

std::vector<std::string> readManifest(const std::string& folder) {
    std::vector<std::string> names;
    std::ifstream in(folder + "segments");
    for (std::string line; std::getline(in, line);)
        if (!line.empty() && line.find('/') == std::string::npos && line.find("..") == std::string::npos)
            names.push_back(line);
    return names;
}

bool writeManifest(const std::string& folder, const std::vector<std::string>& names) {
    std::string text;
    for (const auto& name : names)
        text += name + "\n";
    return writeFileAtomically(folder + "segments", text);
}

void removeSegmentFiles(const std::string& folder, const std::string& name) {
    std::error_code ec;
    for (const char* extension : {".games", ".trees", ".keys"})
        fs::remove(folder + name + extension, ec);
}

bool writeHeader(std::FILE* file, const char magic[8], uint64_t count) {
    return std::fwrite(magic, 1, 8, file) == 8 && std::fwrite(&count, 8, 1, file) == 1;
}

// A file mapped read-only.
struct MappedFile {
    const uint8_t* data = nullptr;
    size_t size = 0;
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
        if (data)
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

std::string newSegmentName(const std::string& folder) {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const long long stamp = std::chrono::duration_cast<std::chrono::microseconds>(now).count();
    for (int extra = 0;; ++extra) {
        const std::string name =
            "segment-" + std::to_string(stamp) + "-" + std::to_string(::getpid()) + "-" + std::to_string(extra);
        std::error_code ec;
        if (!fs::exists(folder + name + ".trees", ec))
            return name;
    }
}

}  // namespace

std::string searchIndexFolder(const std::string& programFolder) { return programFolder + "index/"; }

// ---- writer ----

SearchIndexWriter::SearchIndexWriter(std::string programFolder, bool replaceAll)
    : folder_(searchIndexFolder(programFolder)), replaceAll_(replaceAll) {}

SearchIndexWriter::~SearchIndexWriter() {
    if (trees_)
        std::fclose(trees_);
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
    trees_ = std::fopen((folder_ + name_ + ".trees").c_str(), "wb");
    if (!trees_ || !writeHeader(trees_, kTreesMagic, 0))
        return fail("cannot write the search index in " + folder_);
    treesSize_ = kHeaderBytes;
    return true;
}

bool SearchIndexWriter::add(EncodedGame&& game) {
    std::lock_guard lock(mutex_);
    if (!error_.empty() || finished_ || !openSegment())
        return false;
    // Each tree starts on an 8-byte boundary, so its bit sets can be read in place.
    game.tree.resize((game.tree.size() + 7) / 8 * 8, '\0');
    game.game.offset = treesSize_;
    if (std::fwrite(game.tree.data(), 1, game.tree.size(), trees_) != game.tree.size())
        return fail("cannot write the search index in " + folder_);
    treesSize_ += game.tree.size();
    games_.push_back(game.game);
    entries_.insert(entries_.end(), game.entries.begin(), game.entries.end());
    entryCount_ += game.entries.size();
    if (entries_.size() >= kRunEntries)
        return spillRun();
    return true;
}

bool SearchIndexWriter::addUnindexed(int32_t id) {
    std::lock_guard lock(mutex_);
    if (!error_.empty() || finished_ || !openSegment())
        return false;
    IndexedGame game;
    game.id = id;
    game.flags = kScanInstead;
    game.offset = treesSize_;
    games_.push_back(game);
    return true;
}

bool SearchIndexWriter::spillRun() {
    std::sort(entries_.begin(), entries_.end(), entryBefore);
    const std::string path = folder_ + name_ + ".run" + std::to_string(runs_.size());
    std::FILE* file = std::fopen(path.c_str(), "wb");
    runs_.push_back(path);
    const bool ok =
        file && std::fwrite(entries_.data(), sizeof(PositionEntry), entries_.size(), file) == entries_.size();
    if (file && std::fclose(file) != 0)
        return fail("cannot write " + path);
    entries_.clear();
    entries_.shrink_to_fit();
    return ok || fail("cannot write " + path);
}

bool SearchIndexWriter::writeKeys() {
    const std::string path = folder_ + name_ + ".keys";
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        return fail("cannot write " + path);
    bool ok = writeHeader(out, kKeysMagic, entryCount_);
    if (runs_.empty()) {
        std::sort(entries_.begin(), entries_.end(), entryBefore);
        ok = ok && (entries_.empty() ||
                    std::fwrite(entries_.data(), sizeof(PositionEntry), entries_.size(), out) == entries_.size());
    } else {
        if (!entries_.empty())
            ok = ok && spillRun();
        // Merge the sorted runs through small buffers.
        struct Run {
            std::FILE* file = nullptr;
            std::vector<PositionEntry> buffer;
            size_t at = 0;
            bool refill() {
                buffer.resize(65536);
                const size_t got = std::fread(buffer.data(), sizeof(PositionEntry), buffer.size(), file);
                buffer.resize(got);
                at = 0;
                return got > 0;
            }
        };
        std::vector<Run> runs(runs_.size());
        auto later = [&](size_t a, size_t b) {
            return entryBefore(runs[b].buffer[runs[b].at], runs[a].buffer[runs[a].at]);
        };
        std::priority_queue<size_t, std::vector<size_t>, decltype(later)> heap(later);
        for (size_t k = 0; k < runs.size(); ++k) {
            runs[k].file = std::fopen(runs_[k].c_str(), "rb");
            if (!runs[k].file)
                ok = false;
            else if (runs[k].refill())
                heap.push(k);
        }
        std::vector<PositionEntry> output;
        output.reserve(65536);
        while (ok && !heap.empty()) {
            const size_t k = heap.top();
            heap.pop();
            output.push_back(runs[k].buffer[runs[k].at]);
            if (++runs[k].at < runs[k].buffer.size() || runs[k].refill())
                heap.push(k);
            if (output.size() == output.capacity()) {
                ok = std::fwrite(output.data(), sizeof(PositionEntry), output.size(), out) == output.size();
                output.clear();
            }
        }
        ok = ok &&
             (output.empty() || std::fwrite(output.data(), sizeof(PositionEntry), output.size(), out) == output.size());
        for (Run& run : runs)
            if (run.file)
                std::fclose(run.file);
    }
    ok = (std::fflush(out) == 0) && ok;
    ok = (::fsync(::fileno(out)) == 0) && ok;
    ok = (std::fclose(out) == 0) && ok;
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
    bool ok = std::fflush(trees_) == 0 && ::fsync(::fileno(trees_)) == 0;
    ok = (std::fclose(trees_) == 0) && ok;
    trees_ = nullptr;
    if (!ok)
        return fail("cannot write the search index in " + folder_);
    if (!writeKeys())
        return false;
    std::string table(kHeaderBytes, '\0');
    std::memcpy(table.data(), kGamesMagic, 8);
    const uint64_t count = games_.size();
    std::memcpy(table.data() + 8, &count, 8);
    table.append(reinterpret_cast<const char*>(games_.data()), games_.size() * sizeof(IndexedGame));
    if (!writeFileAtomically(folder_ + name_ + ".games", table))
        return fail("cannot write " + folder_ + name_ + ".games");
    std::vector<std::string> names = replaceAll_ ? std::vector<std::string>{} : readManifest(folder_);
    const std::vector<std::string> old = readManifest(folder_);
    names.push_back(name_);
    if (!writeManifest(folder_, names))
        return fail("cannot write " + folder_ + "segments");
    finished_ = true;
    if (replaceAll_)
        for (const auto& name : old)
            if (name != name_)
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
    return true;
}

// ---- reader ----

struct SearchIndex::Segment {
    MappedFile games, trees, keys;
    const IndexedGame* table = nullptr;
    size_t gameCount = 0;
    const PositionEntry* entries = nullptr;
    size_t entryCount = 0;
    ~Segment() {
        games.unmap();
        trees.unmap();
        keys.unmap();
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
    close();
    const std::string folder = searchIndexFolder(programFolder);
    const std::vector<std::string> names = readManifest(folder);
    int32_t largest = -1;
    for (const std::string& name : names) {
        auto segment = std::make_unique<Segment>();
        if (!segment->games.map(folder + name + ".games") || !segment->trees.map(folder + name + ".trees")) {
            close();
            return false;
        }
        const int64_t games = checkedCount(segment->games, kGamesMagic, sizeof(IndexedGame));
        int64_t entries = 0;
        // An empty keys file cannot be mapped: only a segment without entries may lack one.
        if (segment->keys.map(folder + name + ".keys"))
            entries = checkedCount(segment->keys, kKeysMagic, sizeof(PositionEntry));
        if (games < 0 || entries < 0 || segment->trees.size < kHeaderBytes ||
            std::memcmp(segment->trees.data, kTreesMagic, 8) != 0) {
            close();
            return false;
        }
        segment->table = reinterpret_cast<const IndexedGame*>(segment->games.data + kHeaderBytes);
        segment->gameCount = static_cast<size_t>(games);
        if (entries > 0)
            segment->entries = reinterpret_cast<const PositionEntry*>(segment->keys.data + kHeaderBytes);
        segment->entryCount = static_cast<size_t>(entries);
        for (size_t k = 0; k < segment->gameCount; ++k) {
            const IndexedGame& game = segment->table[k];
            if (game.id < 0 || game.offset % 8 != 0 || ((game.flags & kScanInstead) && game.bytes != 0) ||
                game.offset < kHeaderBytes || game.offset > segment->trees.size ||
                game.bytes > segment->trees.size - game.offset) {
                close();
                return false;
            }
            largest = std::max(largest, game.id);
        }
        segments_.push_back(std::move(segment));
    }
    if (segments_.empty())
        return false;
    slots_.assign(static_cast<size_t>(largest) + 1, {-1, -1});
    for (size_t s = 0; s < segments_.size(); ++s)
        for (size_t k = 0; k < segments_[s]->gameCount; ++k) {
            slots_[static_cast<size_t>(segments_[s]->table[k].id)] = {static_cast<int32_t>(s), static_cast<int32_t>(k)};
        }
    for (const auto& [s, k] : slots_)
        if (s >= 0 && !(segments_[static_cast<size_t>(s)]->table[k].flags & kScanInstead))
            ++gameCount_;
    return true;
}

const IndexedGame* SearchIndex::findGame(int32_t id, int* segment) const {
    if (id < 0 || static_cast<size_t>(id) >= slots_.size() || slots_[static_cast<size_t>(id)].first < 0)
        return nullptr;
    const auto [s, k] = slots_[static_cast<size_t>(id)];
    if (segment)
        *segment = s;
    return &segments_[static_cast<size_t>(s)]->table[k];
}

CompactTreeReader SearchIndex::treeOf(const IndexedGame& game, int segment) const {
    const Segment& s = *segments_[static_cast<size_t>(segment)];
    return CompactTreeReader(s.trees.data + game.offset, game.bytes, game);
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

uint64_t SearchIndex::sizeOnDisk() const {
    uint64_t total = 0;
    for (const auto& segment : segments_)
        total += segment->games.size + segment->trees.size + segment->keys.size;
    return total;
}

}  // namespace tessera
