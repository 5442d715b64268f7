#include "library/library_schema.h"

#include <unistd.h>

#include <filesystem>

#include "library/database_query.h"

namespace tessera {
namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS GoFile (ID INTEGER PRIMARY KEY, LangType INTEGER DEFAULT 0, "
    "AppType INTEGER DEFAULT 0, Event TEXT DEFAULT '', Name TEXT DEFAULT '', GameDate TEXT DEFAULT '', "
    "Site TEXT DEFAULT '', Black TEXT DEFAULT '', BlackRank TEXT DEFAULT '', White TEXT DEFAULT '', "
    "WhiteRank TEXT DEFAULT '', Result TEXT DEFAULT '', ResultType INTEGER DEFAULT -1, "
    "TotalCount INTEGER DEFAULT 0, LastBoardKey INTEGER DEFAULT -1, GameMediaType INTEGER DEFAULT 0, "
    "ExpositType INTEGER DEFAULT 0)",
    "CREATE INDEX IF NOT EXISTS GoFileAppType ON GoFile (AppType)",
    "CREATE INDEX IF NOT EXISTS GoFileEvent ON GoFile (Event)",
    "CREATE INDEX IF NOT EXISTS GoFileGameDate ON GoFile (GameDate)",
    "CREATE INDEX IF NOT EXISTS GoFileBlack ON GoFile (Black)",
    "CREATE INDEX IF NOT EXISTS GoFileWhite ON GoFile (White)",
    "CREATE INDEX IF NOT EXISTS GoFileResultType ON GoFile (ResultType)",
    "CREATE TABLE IF NOT EXISTS Player (ID INTEGER PRIMARY KEY, Name TEXT DEFAULT '', Sex TEXT DEFAULT '', "
    "Nation TEXT DEFAULT '', Rank TEXT DEFAULT '', Birthday TEXT DEFAULT '', Information TEXT DEFAULT '')",
    "CREATE INDEX IF NOT EXISTS PlayerName ON Player (Name)",
    "CREATE INDEX IF NOT EXISTS PlayerNation ON Player (Nation)",
    "CREATE INDEX IF NOT EXISTS PlayerSex ON Player (Sex)",
    "CREATE TABLE IF NOT EXISTS GameKey (ID INTEGER PRIMARY KEY, MainLineKey BIGINT)",
};

// A server library keeps the game files themselves too, so every client sees the same games.
const char* const kServerSchema[] = {
    "CREATE TABLE IF NOT EXISTS GameData (ID INTEGER PRIMARY KEY, Bytes BLOB)",
};

bool hasTable(Database& database, const char* table) {
    Query query(database);
    return openQuery(query, std::string("SELECT 1 FROM ") + table + " WHERE 1=0") || !query.failed();
}

std::string reasonOf(const Database& database, const std::string& path) {
    const std::string& error = database.lastError();
    if (error.find("locked") != std::string::npos || error.find("busy") != std::string::npos)
        return "the library " + path + " is locked by another program; close it and try again";
    if (error.find("not a database") != std::string::npos || error.find("encrypted") != std::string::npos)
        return "the library " + path + " is not an SQLite database";
    if (error.find("readonly") != std::string::npos || error.find("read-only") != std::string::npos)
        return "the library " + path + " is read-only";
    return "the library " + path + " cannot be used: " + (error.empty() ? std::string("unknown error") : error);
}

}  // namespace

bool createLibrarySchema(Database& database) {
    for (const char* statement : kSchema)
        if (!execute(database, statement))
            return false;
    if (database.isServer())
        for (const char* statement : kServerSchema)
            if (!execute(database, statement))
                return false;
    return true;
}

// The library on a database server: reached, and its tables made when missing (readWrite).
static bool openServerLibrary(Database& database, const std::string& path, LibraryAccess access, std::string& error) {
    if (connect(database, path, ConnectMode::openExisting) != 1) {
        error =
            "cannot reach the library server: " +
            (database.lastError().empty() ? std::string("the driver refused the connection") : database.lastError());
        database.close();
        return false;
    }
    const bool complete = hasTable(database, "GoFile") && hasTable(database, "Player") &&
                          hasTable(database, "GameKey") && hasTable(database, "GameData");
    if (complete)
        return true;
    if (access == LibraryAccess::readOnly) {
        error = "the library server holds no library yet (tessera-cli library --server CONNECTION init)";
        database.close();
        return false;
    }
    if (!createLibrarySchema(database)) {
        error = "the library server refused the library's tables: " + database.lastError();
        database.close();
        return false;
    }
    return true;
}

bool openLibraryDatabase(Database& database, const std::string& path, LibraryAccess access, std::string& error) {
    const std::string connectionTemplate =
        database.connectionTemplate().empty() ? defaultConnectionTemplate() : database.connectionTemplate();
    if (dialectOf(connectionTemplate) != SqlDialect::sqlite)
        return openServerLibrary(database, path, access, error);
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    if (exists && !std::filesystem::is_regular_file(path, ec)) {
        error = "the library " + path + " is not a file";
        return false;
    }
    if (!exists && access == LibraryAccess::readOnly) {
        error = "there is no library " + path + " (import games first)";
        return false;
    }
    if (exists && access == LibraryAccess::readWrite && ::access(path.c_str(), W_OK) != 0) {
        error = "the library " + path + " is read-only";
        return false;
    }
    const int connected = connect(database, path, exists ? ConnectMode::openExisting : ConnectMode::createIfMissing);
    if (connected != 1) {
        error = exists ? reasonOf(database, path) : "cannot create the library " + path + ": " + database.lastError();
        database.close();
        return false;
    }
    if (hasTable(database, "GoFile") && hasTable(database, "Player") &&
        (access == LibraryAccess::readOnly || hasTable(database, "GameKey")))
        return true;
    if (access == LibraryAccess::readOnly) {
        // A file that holds no library (or cannot be read) must not be changed by a reader.
        error =
            database.lastError().empty() ? "the library " + path + " holds no game tables" : reasonOf(database, path);
        database.close();
        return false;
    }
    if (!createLibrarySchema(database)) {
        error = reasonOf(database, path);
        database.close();
        return false;
    }
    return true;
}

}  // namespace tessera
