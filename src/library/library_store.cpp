#include "library/library_store.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "library/bound_query.h"
#include "library/database_query.h"
#include "library/database_text.h"
#include "library/database_transaction.h"
#include "library/game_mark_map.h"
#include "library/id_list_file.h"
#include "platform/atomic_file.h"
#include "platform/program_folders.h"
#include "record/sgg_file.h"

namespace tessera {
namespace {

bool sameName(const std::string& a, const char* b) {
    size_t k = 0;
    for (; k < a.size() && b[k]; ++k)
        if (std::tolower(static_cast<unsigned char>(a[k])) != std::tolower(static_cast<unsigned char>(b[k])))
            return false;
    return k == a.size() && !b[k];
}

// The positions of the GoFile columns in a query's result, found once per query.
struct GoFileColumns {
    enum Column {
        id,
        langType,
        appType,
        event,
        name,
        date,
        site,
        black,
        blackRank,
        white,
        whiteRank,
        result,
        resultType,
        totalCount,
        lastBoardKey,
        mediaType,
        expositType,
        count
    };
    int at[count];

    explicit GoFileColumns(const Query& query) {
        static const char* const names[count] = {
            "ID",         "LangType",   "AppType",      "Event",         "Name",       "GameDate",
            "Site",       "Black",      "BlackRank",    "White",         "WhiteRank",  "Result",
            "ResultType", "TotalCount", "LastBoardKey", "GameMediaType", "ExpositType"};
        for (int k = 0; k < count; ++k) {
            at[k] = -1;
            for (int c = 0; c < query.columnCount(); ++c)
                if (sameName(query.columnName(c), names[k])) {
                    at[k] = c;
                    break;
                }
        }
    }
    std::string text(const Query& query, int column) const { return query.text(at[column]); }
    int32_t number(const Query& query, int column) const { return leadingInteger(query.text(at[column])); }

    void readNumbers(const Query& query, LibraryRecord& record) const {
        record.id = number(query, id);
        record.langType = static_cast<uint16_t>(number(query, langType));
        record.appType = static_cast<uint16_t>(number(query, appType));
        record.resultType = static_cast<int16_t>(number(query, resultType));
        record.totalMoves = number(query, totalCount);
        // Keys are stored as signed 32-bit values; one written unsigned by another tool is folded back.
        record.lastBoardKey =
            static_cast<int32_t>(static_cast<uint32_t>(std::strtoll(text(query, lastBoardKey).c_str(), nullptr, 10)));
        record.mediaType = number(query, mediaType);
        record.expositType = number(query, expositType);
    }
    void readTexts(const Query& query, LibraryRecord& record) const {
        record.event = text(query, event);
        record.gameName = text(query, name);
        record.place = text(query, site);
        record.black = text(query, black);
        record.blackRank = text(query, blackRank);
        record.white = text(query, white);
        record.whiteRank = text(query, whiteRank);
        record.resultText = text(query, result);
    }
    void readAll(const Query& query, LibraryRecord& record) const {
        readNumbers(query, record);
        record.date = text(query, date);
        readTexts(query, record);
    }
};

}  // namespace

void readLibraryRow(const Query& query, LibraryRecord& record) { GoFileColumns(query).readAll(query, record); }

std::vector<SqlParameter> goFileRowValues(const LibraryRecord& r) {
    return {int64_t(r.id),
            int64_t(r.langType),
            int64_t(r.appType),
            r.event,
            r.gameName,
            r.date,
            r.place,
            r.black,
            r.blackRank,
            r.white,
            r.whiteRank,
            r.resultText,
            int64_t(r.resultType),
            int64_t(r.totalMoves),
            int64_t(r.lastBoardKey),
            int64_t(r.mediaType),
            int64_t(r.expositType)};
}

LibraryStore::LibraryStore(std::string programFolder, const GameMarkMap* marks)
    : programFolder_(std::move(programFolder)), marks_(marks) {
    if (!programFolder_.empty() && programFolder_.back() != '/')
        programFolder_ += '/';
}

bool LibraryStore::open(LibraryAccess access, std::string& error) {
    std::lock_guard lock(databaseLock_);
    access_ = access;
    return openLibraryDatabase(database_, databasePath(), access, error);
}

void LibraryStore::setConnectionTemplate(std::string connectionTemplate) {
    std::lock_guard lock(databaseLock_);
    database_.setConnectionTemplate(std::move(connectionTemplate));
}

bool LibraryStore::isServer() const {
    std::lock_guard lock(databaseLock_);
    if (database_.isOpen())
        return database_.isServer();
    const std::string& own = database_.connectionTemplate();
    return dialectOf(own.empty() ? defaultConnectionTemplate() : own) != SqlDialect::sqlite;
}

void LibraryStore::reconnectIfLost() const {
    if (!database_.connectionLost())
        return;
    std::string error;
    if (!openLibraryDatabase(database_, databasePath(), access_, error))
        database_.setLastError(error);
}

Database& LibraryStore::database() {
    std::lock_guard lock(databaseLock_);
    reconnectIfLost();
    return database_;
}

bool LibraryStore::cacheGameFile(int32_t id, std::string& error) const {
    const std::string path = gamePath(id);
    if (id >= 0 && FileExists(path))
        return true;
    if (id < 0 || !isServer()) {
        error = "no game file " + path;
        return false;
    }
    std::string bytes;
    int got;
    {
        std::lock_guard lock(databaseLock_);
        reconnectIfLost();
        got = queryBytes(database_, "SELECT Bytes FROM GameData WHERE ID=?", {int64_t(id)}, bytes);
        if (got < 0)
            error = "cannot read game " + std::to_string(id) + " from the library server: " + database_.lastError();
    }
    if (got == 0)
        error = "the library server holds no game " + std::to_string(id);
    if (got != 1)
        return false;
    if (!MakeFolderPath(path) || !writeFileAtomically(path, bytes)) {
        error = "cannot write the cache file " + path;
        return false;
    }
    return true;
}

bool LibraryStore::publishGameFile(int32_t id, std::string& error) {
    if (!isServer())
        return true;
    std::string bytes;
    if (id < 0 || !readWholeFile(gamePath(id), bytes)) {
        error = "cannot read the game file " + gamePath(id);
        return false;
    }
    std::lock_guard lock(databaseLock_);
    reconnectIfLost();
    Transaction transaction(database_);
    const bool stored = transaction.active() && execute(database_, "DELETE FROM GameData WHERE ID=?", {int64_t(id)}) &&
                        execute(database_, "INSERT INTO GameData (ID, Bytes) VALUES (?, ?)",
                                {int64_t(id), SqlBytes{std::move(bytes)}}) &&
                        transaction.commit();
    if (!stored)
        error = "cannot store game " + std::to_string(id) + " on the library server: " + database_.lastError();
    return stored;
}

void LibraryStore::close() {
    std::lock_guard lock(databaseLock_);
    database_.close();
}

bool LibraryStore::isOpen() const {
    std::lock_guard lock(databaseLock_);
    return database_.isOpen();
}

std::string LibraryStore::gamePath(int32_t id) const {
    char name[64];
    std::snprintf(name, sizeof name, "%d/%08d.sgg", id / 1000, id);
    return storeRoot() + name;
}

bool LibraryStore::readGame(int32_t id, GameRecord& game, std::string* error) const {
    std::lock_guard lock(readLock_);
    std::string reason;
    const bool ok = id >= 0 && (!isServer() || cacheGameFile(id, reason)) && loadSggFile(gamePath(id), game, reason);
    if (error)
        *error = id < 0 ? "no library game " + std::to_string(id) : reason;
    return ok;
}

int LibraryStore::markOf(int32_t id) const { return marks_ ? marks_->mark(id) : 0; }

int LibraryStore::queryRecords(const std::string& sql, const std::vector<SqlParameter>& parameters,
                               std::vector<LibraryRecord>& list) {
    std::lock_guard lock(databaseLock_);
    reconnectIfLost();
    Query query(database_);
    if (!openQuery(query, sql, parameters))
        return query.failed() ? -1 : 0;
    const GoFileColumns columns(query);
    int count = 0;
    do {
        LibraryRecord record;
        columns.readAll(query, record);
        record.mark = markOf(record.id);
        list.push_back(std::move(record));
        ++count;
    } while (query.next());
    return query.failed() ? -1 : count;
}

bool LibraryStore::loadRecord(int32_t id, LibraryRecord& record) {
    std::vector<LibraryRecord> list;
    if (queryRecords("SELECT * FROM GoFile WHERE ID=?", {int64_t(id)}, list) < 1)
        return false;
    record = std::move(list.front());
    return true;
}

int LibraryStore::allIds(int applicationType, std::vector<int32_t>& list) {
    std::lock_guard lock(databaseLock_);
    reconnectIfLost();
    const std::string sql =
        applicationType < 0 ? std::string("SELECT ID FROM GoFile ORDER BY ID")
                            : "SELECT ID FROM GoFile WHERE AppType=" + std::to_string(applicationType) + " ORDER BY ID";
    queryNumbers(database_, sql, list);
    return static_cast<int>(list.size());
}

bool LibraryStore::putGame(const LibraryRecord& r) {
    std::lock_guard lock(databaseLock_);
    reconnectIfLost();
    Transaction transaction(database_);
    if (!transaction.active())
        return false;
    if (!execute(database_, "DELETE * FROM GoFile WHERE ID=?", {int64_t(r.id)}))
        return false;
    const bool inserted = execute(database_, kInsertGoFileRow, goFileRowValues(r));
    return inserted && transaction.commit();
}

bool LibraryStore::putPlayer(const PlayerRecord& player) {
    PlayerRecord p = player;
    fitPlayerFields(p);
    std::lock_guard lock(databaseLock_);
    reconnectIfLost();
    Transaction transaction(database_);
    if (!transaction.active())
        return false;
    if (!execute(database_, "DELETE * FROM Player WHERE ID=?", {int64_t(p.id)}))
        return false;
    const bool inserted =
        execute(database_,
                "INSERT INTO Player (ID, Name, Sex, Nation, Rank, Birthday, Information) VALUES (?, ?, ?, ?, ?, ?, '')",
                {int64_t(p.id), p.name, p.sex, p.nation, p.rank, p.birthday});
    return inserted && transaction.commit();
}

bool LibraryStore::loadCatalogue(LibraryCatalogue& catalogue) {
    std::lock_guard lock(databaseLock_);
    reconnectIfLost();
    catalogue.clear();
    // Every game's row through bound column buffers (in kGoFileColumns order); a row whose text
    // did not fit is read again in full afterwards.
    using enum GoFileColumns::Column;
    static const std::vector<int> widths = {24, 24, 24, 256, 256, 64, 256, 128, 64, 128, 64, 128, 24, 24, 24, 24, 24};
    std::vector<LibraryRecord> records;
    std::vector<size_t> cutRows;
    {
        Query count(database_);
        if (openQuery(count, "SELECT count(*) FROM GoFile"))
            records.reserve(static_cast<size_t>(std::max(0, leadingInteger(count.text(0)))));
    }
    {
        BoundQuery query(database_);
        if (!query.run(std::string("SELECT ") + kGoFileColumns + " FROM GoFile ORDER BY ID", widths))
            return false;
        auto text = [&query](int column) { return std::string(query.text(column)); };
        while (query.next()) {
            LibraryRecord record;
            record.id = static_cast<int32_t>(query.number(id));
            record.langType = static_cast<uint16_t>(query.number(langType));
            record.appType = static_cast<uint16_t>(query.number(appType));
            record.resultType = static_cast<int16_t>(query.number(resultType));
            record.totalMoves = static_cast<int32_t>(query.number(totalCount));
            // Keys are stored as signed 32-bit values; one written unsigned by another tool is folded back.
            record.lastBoardKey = static_cast<int32_t>(static_cast<uint32_t>(query.number(lastBoardKey)));
            record.mediaType = static_cast<int32_t>(query.number(mediaType));
            record.expositType = static_cast<int32_t>(query.number(expositType));
            if (record.appType == kAppGameRecord) {
                // Games before 1980 keep their numbers only: their texts are never shown from here.
                std::string gameDate = text(date);
                if (leadingInteger(gameDate) >= 1980) {
                    record.date = std::move(gameDate);
                    record.event = text(event);
                    record.gameName = text(name);
                    record.place = text(site);
                    record.black = text(black);
                    record.blackRank = text(blackRank);
                    record.white = text(white);
                    record.whiteRank = text(whiteRank);
                    record.resultText = text(result);
                    for (int column = event; column <= result; ++column)
                        if (query.isCut(column)) {
                            cutRows.push_back(records.size());
                            break;
                        }
                }
            }
            record.mark = markOf(record.id);
            records.push_back(std::move(record));
        }
        if (query.failed())
            return false;
    }
    for (const size_t row : cutRows) {
        Query query(database_);
        if (!openQuery(query, "SELECT * FROM GoFile WHERE ID = ?", {SqlParameter(int64_t{records[row].id})}))
            return false;
        const int32_t mark = records[row].mark;
        readLibraryRow(query, records[row]);
        records[row].mark = mark;
    }
    catalogue.assign(std::move(records));
    return true;
}

int32_t LibraryStore::largestGameId() {
    std::lock_guard lock(databaseLock_);
    reconnectIfLost();
    return maxValue(database_, "GoFile", "ID");
}

int32_t LibraryStore::largestPlayerId() {
    std::lock_guard lock(databaseLock_);
    reconnectIfLost();
    return maxValue(database_, "Player", "ID");
}

}  // namespace tessera
