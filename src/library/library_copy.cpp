#include "library/library_copy.h"

#include <cstdlib>
#include <mutex>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "library/database_query.h"
#include "library/database_text.h"
#include "library/database_transaction.h"
#include "library/id_list_file.h"
#include "library/library_store.h"

namespace tessera {
namespace {

constexpr size_t kGamesPerTransaction = 500;

std::unordered_set<int32_t> idsOf(Database& database, const std::string& table) {
    std::vector<int32_t> list;
    queryNumbers(database, "SELECT ID FROM " + table, list);
    return {list.begin(), list.end()};
}

int64_t countOf(Database& database, const std::string& table, bool& ok) {
    Query query(database);
    if (!openQuery(query, "SELECT count(*) FROM " + table)) {
        ok = false;
        return -1;
    }
    return std::strtoll(query.text(0).c_str(), nullptr, 10);
}

}  // namespace

bool copyLibrary(LibraryStore& from, LibraryStore& to, LibraryCopySummary& summary,
                 const std::function<void(size_t, size_t)>& progress) {
    std::scoped_lock locks(from.databaseLock(), to.databaseLock());
    Database& source = from.database();
    Database& target = to.database();
    if (!source.isOpen() || !target.isOpen()) {
        summary.error = "both libraries must be open";
        return false;
    }
    const bool withBytes = target.isServer();
    const std::unordered_set<int32_t> held = idsOf(target, "GoFile");
    std::unordered_map<int32_t, int64_t> keys;
    {
        Query query(source);
        if (openQuery(query, "SELECT ID, MainLineKey FROM GameKey"))
            do
                keys.emplace(leadingInteger(query.text(0)), std::strtoll(query.text(1).c_str(), nullptr, 10));
            while (query.next());
    }
    std::vector<LibraryRecord> rows;
    {
        Query query(source);
        if (openQuery(query, "SELECT * FROM GoFile ORDER BY ID"))
            do {
                LibraryRecord record;
                readLibraryRow(query, record);
                if (held.count(record.id))
                    ++summary.alreadyThere;
                else
                    rows.push_back(std::move(record));
            } while (query.next());
        if (query.failed()) {
            summary.error = "cannot read the local library: " + source.lastError();
            return false;
        }
    }

    PreparedStatement insertGame(target, kInsertGoFileRow);
    PreparedStatement insertKey(target, "INSERT INTO GameKey (ID, MainLineKey) VALUES (?, ?)");
    std::optional<PreparedStatement> insertBytes;
    if (withBytes)
        insertBytes.emplace(target, "INSERT INTO GameData (ID, Bytes) VALUES (?, ?)");
    if (!insertGame.ready() || !insertKey.ready() || (insertBytes && !insertBytes->ready())) {
        summary.error = "the server library cannot take games: " + target.lastError();
        return false;
    }
    const size_t total = rows.size();
    for (size_t start = 0; start < total; start += kGamesPerTransaction) {
        const size_t end = std::min(total, start + kGamesPerTransaction);
        Transaction transaction(target);
        bool ok = transaction.active();
        int missing = 0;
        for (size_t k = start; ok && k < end; ++k) {
            const LibraryRecord& r = rows[k];
            ok = insertGame.run(goFileRowValues(r));
            if (ok && keys.count(r.id))
                ok = insertKey.run({int64_t(r.id), keys[r.id]});
            if (ok && insertBytes) {
                std::string bytes;
                if (readWholeFile(from.gamePath(r.id), bytes))
                    ok = insertBytes->run({int64_t(r.id), SqlBytes{std::move(bytes)}});
                else
                    ++missing;
            }
        }
        if (!ok || !transaction.commit()) {
            summary.error = (target.connectionLost() ? "the connection to the library server was lost: "
                                                     : "the server library could not be written: ") +
                            target.lastError();
            return false;
        }
        summary.copied += static_cast<int>(end - start);
        summary.missingFiles += missing;
        if (progress)
            progress(end, total);
    }

    // Players, all in one transaction (a library has far fewer players than games).
    const std::unordered_set<int32_t> heldPlayers = idsOf(target, "Player");
    Query players(source);
    PreparedStatement insertPlayer(
        target, "INSERT INTO Player (ID, Name, Sex, Nation, Rank, Birthday, Information) VALUES (?, ?, ?, ?, ?, ?, ?)");
    Transaction transaction(target);
    bool ok = insertPlayer.ready() && transaction.active();
    if (ok && openQuery(players, "SELECT ID, Name, Sex, Nation, Rank, Birthday, Information FROM Player"))
        do {
            const int32_t id = leadingInteger(players.text(0));
            if (heldPlayers.count(id))
                continue;
            ok = insertPlayer.run({int64_t(id), players.text(1), players.text(2), players.text(3), players.text(4),
                                   players.text(5), players.text(6)});
            summary.players += ok ? 1 : 0;
        } while (ok && players.next());
    if (!ok || players.failed() || !transaction.commit()) {
        summary.error = "the players could not be copied: " + target.lastError();
        summary.players = 0;
        return false;
    }
    return true;
}

bool libraryStatus(LibraryStore& store, LibraryStatus& status, std::string& error) {
    std::lock_guard lock(store.databaseLock());
    Database& database = store.database();
    bool ok = database.isOpen();
    if (ok) {
        status.games = countOf(database, "GoFile", ok);
        status.players = countOf(database, "Player", ok);
        status.storedFiles = database.isServer() ? countOf(database, "GameData", ok) : -1;
        status.largestId = maxValue(database, "GoFile", "ID");
    }
    if (!ok)
        error = "cannot read the library: " + database.lastError();
    return ok;
}

}  // namespace tessera
