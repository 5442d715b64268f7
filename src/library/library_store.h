#pragma once
// The game library: its database go.db (GoFile, Player) in the program folder and the SGG
// file of every game under GoFile/<id/1000>/<id:08>.sgg.
//
// A library may instead live on a database server (a PostgreSQL connection template, from the
// settings, TESSERA_ODBC_CONNECTION or setConnectionTemplate): then the server also holds the
// SGG bytes of every game (table GameData) and GoFile/ is a local cache filled on demand.
// A connection that breaks fails the operation at hand with the driver's message; the next
// operation connects again.
//
// One LibraryStore serves the whole run. Its database calls are serialised by an internal lock,
// so the window, the pattern search and the online update may share it from their threads;
// readGame() holds a separate lock for each game read. Records read from the database carry the
// user's mark from the GameMarkMap given at construction (when there is one).
//
// Typical use:
//   LibraryStore store(programFolder, &marks);
//   if (!store.open(LibraryAccess::readWrite, error)) { show error; }
//   store.loadCatalogue(catalogue);
//   store.readGame(id, record);

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "library/database.h"
#include "library/library_catalogue.h"
#include "library/library_record.h"
#include "library/library_schema.h"
#include "record/game_record.h"

namespace tessera {

class GameMarkMap;
class Query;

// The column order putGame writes and the GoFile readers expect.
inline constexpr const char* kGoFileColumns =
    "ID, LangType, AppType, Event, Name, GameDate, Site, Black, BlackRank, White, WhiteRank, Result, ResultType, "
    "TotalCount, LastBoardKey, GameMediaType, ExpositType";
// The insert of one GoFile row, a "?" per column in that order; goFileRowValues fills them.
inline constexpr const char* kInsertGoFileRow =
    "INSERT INTO GoFile (ID, LangType, AppType, Event, Name, GameDate, Site, Black, BlackRank, White, WhiteRank, "
    "Result, ResultType, TotalCount, LastBoardKey, GameMediaType, ExpositType) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)";

class LibraryStore {
public:
    // programFolder ends with '/'; marks may be null (no marks shown).
    explicit LibraryStore(std::string programFolder, const GameMarkMap* marks = nullptr);

    // Opens <program folder>/go.db (created with its schema when missing and access is
    // readWrite). False with a one-line reason in error otherwise (see openLibraryDatabase).
    bool open(LibraryAccess access, std::string& error);
    void close();
    bool isOpen() const;

    // The connection template of this library (before open); empty means the process-wide one.
    void setConnectionTemplate(std::string connectionTemplate);
    // True when the library lives on a database server (known before open from the template).
    bool isServer() const;

    const std::string& programFolder() const { return programFolder_; }
    std::string databasePath() const { return programFolder_ + "go.db"; }
    // The folder of the game files, "<program folder>GoFile/".
    std::string storeRoot() const { return programFolder_ + "GoFile/"; }
    // The SGG file of a game: GoFile/<id/1000>/<id as 8 digits>.sgg.
    std::string gamePath(int32_t id) const;

    // Reads the game's SGG file under the read lock; false (reason in *error) when missing or bad.
    // A server library first fills a missing cache file from the server.
    bool readGame(int32_t id, GameRecord& game, std::string* error = nullptr) const;
    // Server libraries: writes the game's bytes from the server into the cache when the file is
    // missing. True when the file is there afterwards (always false for a local library whose
    // file is missing); the reason in error.
    bool cacheGameFile(int32_t id, std::string& error) const;
    // Server libraries: makes the file at gamePath(id) (written by an update) the game's bytes
    // the server gives every client. True at once for a local library; the reason in error.
    bool publishGameFile(int32_t id, std::string& error);
    // The GoFile row of the id with every column; false when there is none.
    bool loadRecord(int32_t id, LibraryRecord& record);
    // Ids of every game (applicationType < 0) or of one application type, ascending; the count.
    int allIds(int applicationType, std::vector<int32_t>& list);
    // Replaces the game's row (delete and insert in one transaction: a failed insert keeps the
    // old row). Texts are bound, never pasted into SQL.
    bool putGame(const LibraryRecord& record);
    // Replaces the player's row the same way (Information empty).
    bool putPlayer(const PlayerRecord& player);
    // Loads every row into the catalogue. Texts are kept only for game records (AppType 1)
    // dated 1980 or later; older ones keep an empty date and no texts. False on a failed query.
    bool loadCatalogue(LibraryCatalogue& catalogue);
    // The largest game id, -1 for an empty library.
    int32_t largestGameId();
    // The largest player id, -1 when there is none.
    int32_t largestPlayerId();

    // Runs a GoFile query (one bound value per "?") and appends a full record per row; the
    // number appended, or -1 when the statement failed.
    int queryRecords(const std::string& sql, const std::vector<SqlParameter>& parameters,
                     std::vector<LibraryRecord>& list);
    // The user's mark of a game (0 without a mark map).
    int markOf(int32_t id) const;

    // The database and its lock, for callers that run their own statements (import, patches,
    // queries). Hold the lock for as long as the database is used. A server connection that
    // was lost is opened again here first.
    Database& database();
    std::recursive_mutex& databaseLock() const { return databaseLock_; }

private:
    // Opens a lost server connection again (the lock held).
    void reconnectIfLost() const;

    std::string programFolder_;
    const GameMarkMap* marks_;
    // Mutable: cache fills and reconnections happen inside const reads, under databaseLock_.
    mutable Database database_;
    LibraryAccess access_ = LibraryAccess::readOnly;
    mutable std::recursive_mutex databaseLock_;
    mutable std::mutex readLock_;
};

// The values of kInsertGoFileRow for a record.
std::vector<SqlParameter> goFileRowValues(const LibraryRecord& record);

// Reads the current row of a GoFile query (every column present) into record; the mark is
// left as it is.
void readLibraryRow(const Query& query, LibraryRecord& record);

}  // namespace tessera
