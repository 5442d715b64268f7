#include "library/library_import.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <mutex>
#include <optional>
#include <thread>
#include <unordered_map>
#include <unordered_set>

#include "library/database_query.h"
#include "library/database_text.h"
#include "library/database_transaction.h"
#include "library/library_record.h"
#include "library/library_store.h"
#include "library/search_index.h"
#include "library/search_index_merge.h"
#include "platform/atomic_file.h"
#include "record/record_file.h"
#include "record/sgg_file.h"

namespace tessera {
namespace fs = std::filesystem;
namespace {

bool isRecordExtension(const fs::path& file) {
    const std::string extension = lowerExtension(file);
    return extension == ".sgf" || extension == ".gib" || extension == ".sgg";
}

// One file of a batch on its way into the library.
struct ImportItem {
    std::string file;
    GameRecord record;
    std::string error;  // non-empty: refused
    uint64_t key = 0;
    bool duplicate = false;
    int32_t id = -1;  // assigned when the game is new
    std::string sggPath;
};

// Runs work(k) for k in [0, count) on `threads` threads.
template <typename Work>
void parallelFor(size_t count, unsigned threads, Work work) {
    std::atomic<size_t> next{0};
    auto loop = [&] {
        for (size_t k; (k = next.fetch_add(1)) < count;)
            work(k);
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads && t < count; ++t)
        pool.emplace_back(loop);
    loop();
    for (auto& thread : pool)
        thread.join();
}

// Writes a new store file: a temporary file renamed into place. No fsync per file (tens of
// thousands of them): a file whose row was never committed is harmless and is overwritten
// when its id is given out again.
bool writeStoreFile(const std::string& path, const std::string& bytes, std::string& error) {
    std::error_code ec;
    fs::create_directories(fs::path(path).parent_path(), ec);
    const std::string temporary = path + ".part";
    const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        error = "cannot create " + temporary;
        return false;
    }
    const bool written = writeAll(fd, bytes);
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        ::unlink(temporary.c_str());
        error = "cannot write " + path;
        return false;
    }
    return true;
}

void mix(uint64_t& hash, const void* data, size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    for (size_t k = 0; k < size; ++k) {
        hash ^= bytes[k];
        hash *= 1099511628211ull;
    }
}

// The language of a record that does not say: Chinese when its names hold CJK text.
int16_t guessedLangType(const GameInfo& info) {
    return hasHighBytes(info.blackName + info.whiteName + info.event + info.gameName) ? 1 : 0;
}

}  // namespace

std::vector<std::string> collectRecordFiles(const std::vector<std::string>& paths, std::vector<RefusedFile>& refused) {
    std::vector<std::string> files;
    for (const auto& path : paths) {
        std::error_code ec;
        const auto status = fs::status(path, ec);
        if (ec || !fs::exists(status)) {
            refused.push_back({path, "no such file or folder"});
            continue;
        }
        if (!fs::is_directory(status)) {
            files.push_back(path);
            continue;
        }
        std::vector<std::string> found;
        for (auto it = fs::recursive_directory_iterator(path, fs::directory_options::skip_permission_denied, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
            std::error_code typeError;
            if (it->is_regular_file(typeError) && isRecordExtension(it->path()))
                found.push_back(it->path().string());
        }
        if (ec)
            refused.push_back({path, "cannot read the folder: " + ec.message()});
        std::sort(found.begin(), found.end());
        files.insert(files.end(), found.begin(), found.end());
    }
    return files;
}

uint64_t duplicateKey(const GameRecord& record) {
    uint64_t hash = 1469598103934665603ull;
    const int16_t size[2] = {record.info.boardWidth, record.info.boardHeight};
    mix(hash, size, sizeof size);
    const bool withSetup = record.info.blackName.empty() && record.info.whiteName.empty();
    for (const GameNode* node : record.tree.mainLine()) {
        if (withSetup) {
            const char tag = 'S';
            mix(hash, &tag, 1);
            for (const PointList* stones : {&node->addBlack, &node->addWhite, &node->clearPoints}) {
                mix(hash, stones->data(), stones->size() * sizeof(int32_t));
                mix(hash, &tag, 1);
            }
        }
        if (!node->move.isStoneMove() && node->move.colour == 0)
            continue;  // empty nodes are not moves
        const int32_t move[2] = {static_cast<int32_t>(node->move.colour), node->move.point};
        mix(hash, move, sizeof move);
    }
    const char separator = '\x1f';
    mix(hash, record.info.blackName.data(), record.info.blackName.size());
    mix(hash, &separator, 1);
    mix(hash, record.info.whiteName.data(), record.info.whiteName.size());
    return hash;
}

namespace {

// The import itself, holding the library's lock throughout.
bool importHoldingLock(LibraryStore& store, const std::vector<std::string>& paths, const ImportOptions& options,
                       ImportSummary& summary, const ImportProgress& progress, const std::atomic<bool>* cancel) {
    auto refuse = [&summary](const std::string& file, const std::string& error) {
        summary.refusedFiles.push_back({file, error});
        ++summary.refused;
    };
    std::vector<RefusedFile> missing;
    const std::vector<std::string> files = collectRecordFiles(paths, missing);
    for (auto& entry : missing)
        refuse(entry.file, entry.error);

    std::lock_guard lock(store.databaseLock());
    Database& database = store.database();
    if (!database.isOpen()) {
        summary.error = "the library is not open";
        return false;
    }
    const bool server = database.isServer();
    // What the library holds: duplicate keys and player names, read again before every batch
    // (only what was added since), so importers running at the same time see each other's games.
    std::unordered_map<uint64_t, int32_t> knownKeys;  // key -> the game holding it
    std::unordered_set<std::string> knownPlayers;
    int64_t keysSeenUpTo = INT32_MIN, playersSeenUpTo = INT32_MIN;
    int32_t nextId = 1, nextPlayerId = 1;
    auto catchUp = [&]() -> bool {
        Query keys(database);
        if (openQuery(keys, "SELECT MainLineKey, ID FROM GameKey WHERE ID > ?", {keysSeenUpTo}))
            do {
                // Columns are fetched in order: the key first.
                const auto key = static_cast<uint64_t>(std::strtoll(keys.text(0).c_str(), nullptr, 10));
                const int32_t id = static_cast<int32_t>(std::strtol(keys.text(1).c_str(), nullptr, 10));
                knownKeys.emplace(key, id);
                keysSeenUpTo = std::max<int64_t>(keysSeenUpTo, id);
            } while (keys.next());
        if (keys.failed())
            return false;
        Query players(database);
        if (openQuery(players, "SELECT ID, Name FROM Player WHERE ID > ?", {playersSeenUpTo}))
            do {
                playersSeenUpTo = std::max<int64_t>(playersSeenUpTo, std::strtol(players.text(0).c_str(), nullptr, 10));
                knownPlayers.insert(players.text(1));
            } while (players.next());
        if (players.failed())
            return false;
        nextId = std::max(nextId, maxValue(database, "GoFile", "ID") + 1);
        nextPlayerId = std::max(nextPlayerId, static_cast<int32_t>(std::max<int64_t>(playersSeenUpTo, 0)) + 1);
        return true;
    };

    PreparedStatement insertGame(database, kInsertGoFileRow);
    PreparedStatement insertKey(database, "INSERT INTO GameKey (ID, MainLineKey) VALUES (?, ?)");
    PreparedStatement insertPlayer(database,
                                   "INSERT INTO Player (ID, Name, Sex, Nation, Rank, Birthday, Information) "
                                   "VALUES (?, ?, '', '', ?, '', '')");
    std::optional<PreparedStatement> insertBytes;
    if (server)
        insertBytes.emplace(database, "INSERT INTO GameData (ID, Bytes) VALUES (?, ?)");
    if (!insertGame.ready() || !insertKey.ready() || !insertPlayer.ready() || (insertBytes && !insertBytes->ready())) {
        summary.error = "the library cannot take new games: " + database.lastError();
        return false;
    }

    const unsigned threads = options.threads ? options.threads : std::max(1u, std::thread::hardware_concurrency());
    // The new games join the search index as one new segment, published when the import ends.
    SearchIndexWriter index(store.programFolder(), false);
    auto publishIndex = [&] {
        if (!index.finish())
            summary.indexError = "the search index could not be written: " + index.error();
    };
    const size_t batchSize = std::max<size_t>(1, options.batchSize);
    for (size_t start = 0; start < files.size(); start += batchSize) {
        if (cancel && cancel->load()) {
            summary.cancelled = true;
            break;
        }
        const size_t count = std::min(batchSize, files.size() - start);
        std::vector<ImportItem> batch(count);
        // Parse on every core.
        parallelFor(count, threads, [&](size_t k) {
            ImportItem& item = batch[k];
            item.file = files[start + k];
            if (!loadRecordFile(item.file, item.record, item.error)) {
                if (item.error.empty())
                    item.error = "cannot read the record";
                return;
            }
            if (options.prepare)
                options.prepare(item.record);
            item.key = duplicateKey(item.record);
        });
        // The batch is one transaction. On a server, importers take turns per batch (the lock
        // ends with the transaction) and each first catches up with what the others added.
        Transaction transaction(database);
        bool ok = transaction.active();
        if (ok && server)
            ok = execute(database, "SELECT pg_advisory_xact_lock(1954052463)") == 1;
        if (ok)
            ok = catchUp();
        // Number the new games in file order.
        std::vector<ImportItem*> fresh;
        for (auto& item : batch) {
            if (!ok || !item.error.empty())
                continue;
            if (auto known = knownKeys.find(item.key); known != knownKeys.end()) {
                item.duplicate = true;
                item.id = known->second;
                continue;
            }
            item.id = nextId++;
            knownKeys.emplace(item.key, item.id);
            GameInfo& info = item.record.info;
            info.libraryId = item.id;
            info.appType = static_cast<int16_t>(options.appType);
            if (info.langType < 0)
                info.langType = guessedLangType(info);
            item.sggPath = store.gamePath(item.id);
            fresh.push_back(&item);
        }
        // The game files on every core: into the store folder, or kept for the server's table.
        std::vector<std::string> bytesOf(fresh.size());
        parallelFor(fresh.size(), threads, [&](size_t k) {
            ImportItem& item = *fresh[k];
            if (!writeSggBytes(item.record, bytesOf[k], item.error) ||
                (!server && !writeStoreFile(item.sggPath, bytesOf[k], item.error))) {
                if (item.error.empty())
                    item.error = "cannot store the game";
                item.id = -1;
            }
        });
        for (ImportItem* item : fresh)
            if (item->id < 0)
                knownKeys.erase(item->key);  // not stored: a later copy may still come in
        // The rows of the batch.
        std::vector<std::pair<std::string, std::string>> newPlayers;
        for (size_t k = 0; k < fresh.size(); ++k) {
            ImportItem* item = fresh[k];
            if (!ok || item->id < 0)
                continue;
            LibraryRecord r = libraryRecordOf(item->record);
            ok = insertGame.run(goFileRowValues(r)) &&
                 insertKey.run({int64_t(r.id), static_cast<int64_t>(item->key)}) &&
                 (!insertBytes || insertBytes->run({int64_t(r.id), SqlBytes{std::move(bytesOf[k])}}));
            for (const auto& [name, rank] : {std::pair{r.black, r.blackRank}, std::pair{r.white, r.whiteRank}}) {
                if (!ok || name.empty() || knownPlayers.count(name))
                    continue;
                PlayerRecord player;
                player.name = name;
                player.rank = rank;
                fitPlayerFields(player);
                ok = insertPlayer.run({int64_t(nextPlayerId), player.name, player.rank});
                if (ok) {
                    ++nextPlayerId;
                    knownPlayers.insert(name);
                    newPlayers.emplace_back(name, rank);
                }
            }
        }
        if (ok)
            ok = transaction.commit();
        else
            transaction.rollback();
        if (!ok) {
            if (database.connectionLost())
                summary.error = "the connection to the library server was lost (" + database.lastError() +
                                "); the games of earlier batches are stored, the unfinished batch is not: "
                                "import again to add the rest";
            else
                summary.error = "the library could not be written: " + database.lastError();
            if (!server)
                for (ImportItem* item : fresh)
                    if (item->id >= 0)
                        ::unlink(item->sggPath.c_str());
            publishIndex();
            return false;
        }
        // Index the stored games on every core.
        parallelFor(fresh.size(), threads, [&](size_t k) {
            EncodedGame encoded;
            if (fresh[k]->id < 0)
                return;
            if (encodeGame(fresh[k]->id, fresh[k]->record, encoded))
                index.add(std::move(encoded));
            else
                index.addUnindexed(fresh[k]->id);
        });
        for (auto& item : batch) {
            if (item.duplicate) {
                ++summary.duplicates;
                if (item.id >= 0)
                    summary.gameIds.push_back(item.id);
            } else if (!item.error.empty()) {
                refuse(item.file, item.error);
            } else if (item.id >= 0) {
                ++summary.imported;
                summary.importedIds.push_back(item.id);
                summary.gameIds.push_back(item.id);
            }
        }
        if (progress)
            progress(start + count, files.size());
    }
    publishIndex();
    return true;
}

}  // namespace

bool importRecords(LibraryStore& store, const std::vector<std::string>& paths, const ImportOptions& options,
                   ImportSummary& summary, const ImportProgress& progress, const std::atomic<bool>* cancel) {
    const bool ok = importHoldingLock(store, paths, options, summary, progress, cancel);
    // The new segment joins older small ones, outside the library's lock (a large merge takes
    // seconds); a merge that fails leaves the index as it was, for the next import to try.
    if (summary.imported > 0) {
        std::string error;
        mergeSearchIndexSegments(store.programFolder(), error);
    }
    return ok;
}

}  // namespace tessera
