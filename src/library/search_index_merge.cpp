#include "library/search_index_merge.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "library/search_index.h"
#include "library/search_index_files.h"
#include "platform/atomic_file.h"

namespace tessera {
namespace fs = std::filesystem;
using namespace index_files;
namespace {

// Read buffers of all keys files of one merge together (24 bytes an entry).
constexpr size_t kKeyBufferBytes = size_t(16) << 20;

uint64_t segmentBytes(const std::string& folder, const std::string& name) {
    uint64_t total = 0;
    for (const char* extension : {".games", ".trees", ".keys", ".bits"}) {
        std::error_code ec;
        const auto size = fs::file_size(folder + name + extension, ec);
        total += ec ? 0 : size;
    }
    return total;
}

bool readAt(int fd, uint64_t offset, char* into, size_t bytes) {
    while (bytes > 0) {
        const ssize_t got = ::pread(fd, into, bytes, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        into += got;
        offset += uint64_t(got);
        bytes -= size_t(got);
    }
    return true;
}

// The open files of one merge, closed however it ends.
struct MergeFiles {
    std::vector<int> trees;        // per source segment
    std::vector<std::FILE*> keys;  // per source segment; null when it has no entries
    ~MergeFiles() {
        for (int fd : trees)
            if (fd >= 0)
                ::close(fd);
        for (std::FILE* file : keys)
            if (file)
                std::fclose(file);
    }
};

enum class Outcome { merged, skipped, failed };

// Writes the segment `name` holding the newest copy of every game of the open sources.
Outcome writeMerged(const std::string& folder, const std::vector<std::string>& names, const SearchIndex& sources,
                    const std::string& name, std::string& error) {
    const int count = sources.segmentCount();
    int32_t largest = -1;
    size_t total = 0;
    for (int s = 0; s < count; ++s) {
        const auto table = sources.gamesOf(s);
        if (!table.empty())
            largest = std::max(largest, table.back().id);
        total += table.size();
    }
    // Library ids are given out from 1 on: ids far beyond the number of games are not merged by id.
    if (uint64_t(largest + 1) > total + (uint64_t(1) << 20))
        return Outcome::skipped;
    // Which source keeps each game: the newest holding it.
    std::vector<uint8_t> keep(size_t(largest + 1), 0xFF);
    for (int s = 0; s < count; ++s)
        for (const IndexedGame& game : sources.gamesOf(s))
            keep[size_t(game.id)] = uint8_t(s);
    struct Pick {
        IndexedGame game;
        int source;
    };
    std::vector<Pick> picks;
    picks.reserve(total);
    for (int s = 0; s < count; ++s)
        for (const IndexedGame& game : sources.gamesOf(s))
            if (keep[size_t(game.id)] == s)
                picks.push_back({game, s});
    std::sort(picks.begin(), picks.end(), [](const Pick& a, const Pick& b) { return a.game.id < b.game.id; });

    MergeFiles files;
    for (const std::string& source : names)
        files.trees.push_back(::open((folder + source + ".trees").c_str(), O_RDONLY | O_CLOEXEC));
    auto failWith = [&error](const std::string& reason) {
        error = reason;
        return Outcome::failed;
    };
    if (std::find(files.trees.begin(), files.trees.end(), -1) != files.trees.end())
        return failWith("cannot read the search index in " + folder);

    // The bit sets travel at the start of every tree; they are packed again in table order.
    auto bitWordsOf = [](const IndexedGame& game, size_t paddedBytes) -> size_t {
        const size_t words = 2 * bitSetWords(int(game.width) * int(game.height));
        return !(game.flags & kScanInstead) && paddedBytes >= words * 8 ? words : 0;
    };
    uint64_t packedWords = 0;
    for (const Pick& pick : picks)
        packedWords += bitWordsOf(pick.game, (uint64_t(pick.game.bytes) + 7) / 8 * 8);
    if (packedWords > UINT32_MAX)
        return failWith("the search index in " + folder + " is too large to merge");

    StreamedFile trees, bits, keys;
    char header[kHeaderBytes] = {};
    std::memcpy(header, kTreesMagic, 8);
    bool ok = trees.open(folder + name + ".trees") && trees.write(header, kHeaderBytes);
    std::memcpy(header, kBitsMagic, 8);
    std::memcpy(header + 8, &packedWords, 8);
    ok = ok && bits.open(folder + name + ".bits") && bits.write(header, kHeaderBytes);
    std::string tree;
    uint32_t bitsWord = 0;
    std::vector<IndexedGame> table;
    table.reserve(picks.size());
    for (const Pick& pick : picks) {
        if (!ok)
            break;
        IndexedGame game = pick.game;
        game.offset = trees.size();
        game.bitsWord = 0;
        game.flags &= ~kBitsRow;
        if (!(game.flags & kScanInstead)) {
            tree.assign((size_t(game.bytes) + 7) / 8 * 8, '\0');
            ok = readAt(files.trees[size_t(pick.source)], pick.game.offset, tree.data(), game.bytes) &&
                 trees.write(tree.data(), tree.size());
            if (const size_t words = bitWordsOf(game, tree.size()); ok && words > 0) {
                game.flags |= kBitsRow;
                game.bitsWord = bitsWord;
                bitsWord += uint32_t(words);
                ok = bits.write(tree.data(), words * 8);
            }
        }
        table.push_back(game);
    }
    ok = trees.close() && ok;
    ok = bits.close() && ok;
    if (!ok)
        return failWith("cannot write the search index in " + folder);

    // The keys: every source's entries in order, those of games a newer source holds left out.
    std::vector<MergeSource> merging;
    files.keys.assign(names.size(), nullptr);
    for (int s = 0; s < count; ++s) {
        if (sources.entryCountOf(s) == 0)
            continue;
        std::FILE* file = files.keys[size_t(s)] = std::fopen((folder + names[size_t(s)] + ".keys").c_str(), "rb");
        if (!file || std::fseek(file, long(kHeaderBytes), SEEK_SET) != 0)
            return failWith("cannot read the search index in " + folder);
        MergeSource& source = merging.emplace_back();
        source.file = file;
        source.bufferEntries = std::clamp<size_t>(kKeyBufferBytes / sizeof(PositionEntry) / size_t(count), 4096, 65536);
        source.keep = keep.data();
        source.keepCount = keep.size();
        source.self = uint8_t(s);
    }
    uint64_t entries = 0;
    std::memset(header, 0, kHeaderBytes);
    std::memcpy(header, kKeysMagic, 8);
    ok = keys.open(folder + name + ".keys") && keys.write(header, kHeaderBytes) &&
         mergeInto(merging, [&](const PositionEntry* data, size_t n) {
             entries += n;
             return keys.write(data, n * sizeof(PositionEntry));
         });
    // Every source was read to its end (a file cut short after it was opened loses nothing silently).
    for (int s = 0; s < count; ++s)
        if (std::FILE* file = files.keys[size_t(s)])
            ok = ok && std::ftell(file) == long(kHeaderBytes + sources.entryCountOf(s) * sizeof(PositionEntry));
    std::memcpy(header + 8, &entries, 8);
    ok = keys.writeAt(0, header, kHeaderBytes) && ok;
    ok = keys.close() && ok;
    if (!ok)
        return failWith("cannot write the search index in " + folder);

    std::string games(kHeaderBytes, '\0');
    std::memcpy(games.data(), kGamesMagic, 8);
    const uint64_t gameCount = table.size();
    std::memcpy(games.data() + 8, &gameCount, 8);
    games.append(reinterpret_cast<const char*>(table.data()), table.size() * sizeof(IndexedGame));
    if (!writeFileAtomically(folder + name + ".games", games))
        return failWith("cannot write " + folder + name + ".games");
    return Outcome::merged;
}

// Merges the named segments (consecutive in the list, oldest first) into one.
Outcome mergeSegments(const std::string& programFolder, const std::vector<std::string>& names, std::string& error) {
    const std::string folder = searchIndexFolder(programFolder);
    // Segments a rebuild removed meanwhile, or damaged ones (the reader refuses them anyway), stay as they are.
    SearchIndex sources;
    if (!sources.openSegments(programFolder, names))
        return Outcome::skipped;
    const std::string name = newSegmentName(folder);
    if (const Outcome written = writeMerged(folder, names, sources, name, error); written != Outcome::merged) {
        removeSegmentFiles(folder, name);
        return written;
    }
    bool listed = false;
    {
        IndexFolderLock lock(segmentsLockPath(folder), true);
        std::vector<std::string> list = readSegmentList(folder);
        // Segments added meanwhile are newer and stay after the merged one; a rebuild that
        // replaced the merged segments meanwhile wins.
        auto at = std::search(list.begin(), list.end(), names.begin(), names.end());
        if (lock.held() && at != list.end()) {
            at = list.erase(at, at + ptrdiff_t(names.size()));
            list.insert(at, name);
            listed = writeSegmentList(folder, list);
            if (!listed)
                error = "cannot write " + folder + "segments";
        }
    }
    if (!listed) {
        removeSegmentFiles(folder, name);
        return error.empty() ? Outcome::skipped : Outcome::failed;
    }
    for (const std::string& merged : names)
        removeSegmentFiles(folder, merged);
    return Outcome::merged;
}

}  // namespace

size_t firstSegmentToMerge(const std::vector<uint64_t>& sizes) {
    const size_t count = sizes.size();
    uint64_t newer = 0;
    std::vector<uint64_t> newerThan(count, 0);
    for (size_t k = count; k-- > 0;) {
        newerThan[k] = newer;
        newer += sizes[k];
    }
    for (size_t k = 0; k + 1 < count; ++k)
        if (sizes[k] <= newerThan[k])
            return std::max(k, count - std::min(count, kMaxMergedSegments));
    return count;
}

bool mergeSearchIndexSegments(const std::string& programFolder, std::string& error) {
    const std::string folder = searchIndexFolder(programFolder);
    if (readSegmentList(folder).empty())
        return true;
    IndexFolderLock merging(mergeLockPath(folder), false);
    if (!merging.held())
        return true;  // another merge runs: it looks at the list again when it is done
    {
        IndexFolderLock lock(segmentsLockPath(folder), true);
        if (lock.held())
            removeAbandonedSegmentFiles(folder, readSegmentList(folder));
    }
    // Each merge leaves fewer segments, so this ends.
    for (;;) {
        const std::vector<std::string> names = readSegmentList(folder);
        std::vector<uint64_t> sizes;
        for (const std::string& name : names)
            sizes.push_back(segmentBytes(folder, name));
        const size_t first = firstSegmentToMerge(sizes);
        if (first >= names.size())
            return true;
        const std::vector<std::string> merged(names.begin() + ptrdiff_t(first), names.end());
        if (mergeSegments(programFolder, merged, error) != Outcome::merged)
            return error.empty();
    }
}

}  // namespace tessera
