#include "library/database.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <mutex>
#include <new>

#include "library/database_query.h"
#include "library/odbc_support.h"
#include "library/sql_dialect.h"
#include "platform/ini_file.h"

namespace tessera {
namespace {

std::mutex& templateMutex() {
    static std::mutex mutex;
    return mutex;
}

std::string& processTemplate() {
    static std::string value;
    return value;
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The DRIVER value of a connection string or template, lower-cased.
std::string driverOf(const std::string& connectionString) {
    const std::string lower = lowerCase(connectionString);
    size_t at = lower.find("driver=");
    if (at == std::string::npos)
        return {};
    at += 7;
    const size_t end = lower.find(';', at);
    return lower.substr(at, end == std::string::npos ? std::string::npos : end - at);
}

bool hasKey(const std::string& connectionString, const std::string& key) {
    return lowerCase(connectionString).find(lowerCase(key) + "=") != std::string::npos;
}

// The SQLite driver's library file, for machines where unixODBC has no "SQLite3" entry.
std::string sqliteDriverLibrary() {
    static const char* const candidates[] = {
        "/usr/lib/x86_64-linux-gnu/odbc/libsqlite3odbc.so",
        "/usr/lib/aarch64-linux-gnu/odbc/libsqlite3odbc.so",
        "/usr/lib/i386-linux-gnu/odbc/libsqlite3odbc.so",
        "/usr/lib/odbc/libsqlite3odbc.so",
        "/usr/lib64/libsqlite3odbc.so",
        "/usr/local/lib/libsqlite3odbc.so",
    };
    std::error_code ec;
    for (const char* candidate : candidates)
        if (std::filesystem::exists(candidate, ec))
            return candidate;
    return {};
}

// A value wrapped in braces when ODBC would otherwise split it.
std::string connectionValue(const std::string& value) {
    if (value.find_first_of(";{}") == std::string::npos &&
        (value.empty() || (value.front() != ' ' && value.back() != ' ')))
        return value;
    std::string braced = "{";
    for (char c : value) {
        braced += c;
        if (c == '}')
            braced += '}';
    }
    return braced + "}";
}

void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

struct Handles {
    SQLHENV environment = nullptr;
    SQLHDBC connection = nullptr;
    bool connected = false;
    ~Handles() {
        if (connected)
            SQLDisconnect(connection);
        if (connection)
            SQLFreeHandle(SQL_HANDLE_DBC, connection);
        if (environment)
            SQLFreeHandle(SQL_HANDLE_ENV, environment);
    }
};

// Opens the connection on fresh handles; the diagnostic goes to error on failure.
bool driverConnect(Handles& handles, const std::string& connectionString, std::string& error, std::string& state) {
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &handles.environment))) {
        error = "cannot allocate an ODBC environment";
        return false;
    }
    SQLSetEnvAttr(handles.environment, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_DBC, handles.environment, &handles.connection))) {
        error = odbc::diagnostic(SQL_HANDLE_ENV, handles.environment);
        return false;
    }
    SQLCHAR completed[1024];
    SQLSMALLINT completedLength = 0;
    const SQLRETURN rc = SQLDriverConnect(handles.connection, nullptr,
                                          reinterpret_cast<SQLCHAR*>(const_cast<char*>(connectionString.c_str())),
                                          static_cast<SQLSMALLINT>(connectionString.size()), completed,
                                          sizeof completed, &completedLength, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        error = odbc::diagnostic(SQL_HANDLE_DBC, handles.connection);
        state = odbc::sqlState(SQL_HANDLE_DBC, handles.connection);
        return false;
    }
    handles.connected = true;
    return true;
}

// The SQLite driver opens any file lazily; reading its schema tells a database from other bytes.
bool readsAsSqlite(SQLHDBC connection, std::string& error) {
    SQLHSTMT statement = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, connection, &statement)))
        return false;
    const char* probe = "SELECT count(*) FROM sqlite_master";
    SQLRETURN rc = SQLExecDirect(statement, reinterpret_cast<SQLCHAR*>(const_cast<char*>(probe)), SQL_NTS);
    if (SQL_SUCCEEDED(rc))
        rc = SQLFetch(statement);
    if (!SQL_SUCCEEDED(rc))
        error = odbc::diagnostic(SQL_HANDLE_STMT, statement);
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    return SQL_SUCCEEDED(rc);
}

}  // namespace

Database::~Database() { close(); }

void Database::close() {
    // Queries first: their statements belong to the connection.
    while (!queries_.empty())
        (*queries_.begin())->close();
    if (connection_) {
        SQLDisconnect(static_cast<SQLHDBC>(connection_));
        SQLFreeHandle(SQL_HANDLE_DBC, static_cast<SQLHDBC>(connection_));
        connection_ = nullptr;
    }
    if (environment_) {
        SQLFreeHandle(SQL_HANDLE_ENV, static_cast<SQLHENV>(environment_));
        environment_ = nullptr;
    }
}

void Database::attach(void* environment, void* connection, std::string path, SqlDialect dialect) {
    close();
    environment_ = environment;
    connection_ = connection;
    path_ = std::move(path);
    dialect_ = dialect;
    connectionLost_ = false;
}

void Database::setLastError(std::string message) {
    // "08...": connection exceptions; "57P0...": the server is shutting down or restarting.
    if (message.rfind("08", 0) == 0 || message.rfind("57P0", 0) == 0)
        connectionLost_ = true;
    lastError_ = std::move(message);
}

SqlDialect dialectOf(const std::string& connectionTemplate) {
    const std::string driver = driverOf(connectionTemplate);
    return driver.find("postgres") != std::string::npos || driver.find("psqlodbc") != std::string::npos
               ? SqlDialect::postgresql
               : SqlDialect::sqlite;
}

std::string defaultConnectionTemplate() {
    if (const char* env = std::getenv("TESSERA_ODBC_CONNECTION"); env && *env)
        return env;
    std::lock_guard lock(templateMutex());
    return processTemplate().empty() ? std::string(kSqliteConnectionTemplate) : processTemplate();
}

void setDefaultConnectionTemplate(std::string connectionTemplate) {
    std::lock_guard lock(templateMutex());
    processTemplate() = std::move(connectionTemplate);
}

std::string localFileConnectionTemplate() {
    const std::string process = defaultConnectionTemplate();
    return dialectOf(process) == SqlDialect::sqlite ? process : std::string(kSqliteConnectionTemplate);
}

std::string applyConnectionSetting(const std::string& iniPath) {
    setDefaultConnectionTemplate(
        IniDocument::load(iniPath).readString(kConnectionSettingSection, kConnectionSettingKey, ""));
    return defaultConnectionTemplate();
}

std::string connectionStringFor(const std::string& connectionTemplate, const std::string& path) {
    std::string result = connectionTemplate;
    replaceAll(result, "{file}", connectionValue(path));
    replaceAll(result, "{name}", connectionValue(std::filesystem::path(path).stem().string()));
    return result;
}

int connect(Database& database, const std::string& path, ConnectMode mode) {
    database.close();
    try {
        const std::string connectionTemplate =
            database.connectionTemplate().empty() ? defaultConnectionTemplate() : database.connectionTemplate();
        const bool sqlite = driverOf(connectionTemplate).find("sqlite") != std::string::npos;
        std::string connectionString = connectionStringFor(connectionTemplate, path);
        if (sqlite) {
            std::error_code ec;
            // The SQLite driver does not read braced values: such a path would open another file.
            if (path.find_first_of(";{}") != std::string::npos) {
                database.setLastError("the SQLite driver cannot open a path holding ';', '{' or '}': " + path);
                return 0;
            }
            if (mode == ConnectMode::openExisting && !std::filesystem::is_regular_file(path, ec)) {
                database.setLastError("no database file " + path);
                return 0;
            }
            // A locked file is waited for briefly, never for the driver's default 100 seconds;
            // a missing file is not created unless asked for.
            if (!hasKey(connectionString, "Timeout"))
                connectionString += ";Timeout=2000";
            if (!hasKey(connectionString, "NoCreat"))
                connectionString += mode == ConnectMode::openExisting ? ";NoCreat=1" : ";NoCreat=0";
        }
        auto handles = std::make_unique<Handles>();
        std::string error, state;
        bool ok = driverConnect(*handles, connectionString, error, state);
        const std::string driver = driverOf(connectionString);
        if (!ok && sqlite && driver.find('/') == std::string::npos) {
            // unixODBC may not know the driver by name (no odbcinst.ini entry, as on a machine
            // where the driver package did not register itself): load its library directly.
            const std::string library = sqliteDriverLibrary();
            if (!library.empty()) {
                std::string direct = connectionString;
                const size_t at = lowerCase(direct).find("driver=") + 7;
                direct.replace(at, driver.size(), library);
                auto retry = std::make_unique<Handles>();
                std::string retryError, retryState;
                if (driverConnect(*retry, direct, retryError, retryState)) {
                    handles = std::move(retry);
                    ok = true;
                }
            }
        }
        if (ok && sqlite && !readsAsSqlite(handles->connection, error))
            ok = false;
        if (!ok) {
            database.setLastError(error.empty() ? "the driver refused the connection" : error);
            return 0;
        }
        database.attach(handles->environment, handles->connection, path, dialectOf(connectionString));
        handles->environment = nullptr;
        handles->connection = nullptr;
        handles->connected = false;
        database.setLastError({});
        return 1;
    } catch (const std::bad_alloc&) {
        database.close();
        database.setLastError("out of memory");
        return -1;
    }
}

int execute(Database& database, const std::string& sql) { return execute(database, sql, {}); }

int execute(Database& database, const std::string& sql, const std::vector<SqlParameter>& parameters) {
    if (!database.isOpen())
        return 0;
    SQLHSTMT statement = nullptr;
    try {
        if (!SQL_SUCCEEDED(
                SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(database.connectionHandle()), &statement))) {
            database.setLastError(odbc::diagnostic(SQL_HANDLE_DBC, database.connectionHandle()));
            return 0;
        }
        std::vector<SQLLEN> indicators;
        const SQLRETURN rc =
            odbc::executeStatement(statement, adaptAccessSql(sql, database.dialect()), parameters, indicators);
        const bool ok = SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA;
        if (!ok)
            database.setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return ok ? 1 : 0;
    } catch (const std::bad_alloc&) {
        if (statement)
            SQLFreeHandle(SQL_HANDLE_STMT, statement);
        database.setLastError("out of memory");
        return 0;
    }
}

}  // namespace tessera
