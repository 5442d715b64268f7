#pragma once
// The database layer: one ODBC connection per data file (the library go.db, the dictionary
// dic.db), statements without results, and bound parameters for statements carrying user text.
//
// The default source is the SQLite 3 ODBC driver over the named file; a connection-string
// template names any other ODBC source instead. Callers write their SQL in the Access dialect
// the data files were designed for ("SELECT Top 300", "DELETE * FROM"); every statement is
// adapted (sql_dialect.h) before it reaches the driver. Texts travel as UTF-8 through the
// narrow ODBC calls in both directions.
//
// Nothing here throws: driver errors and out-of-memory conditions become failure results, and
// the driver's last message is kept in lastError() for logs. The layer takes no lock; a
// Database is used by one thread at a time.

#include <cstdint>
#include <set>
#include <string>
#include <variant>
#include <vector>

#include "library/sql_dialect.h"

namespace tessera {

class Query;

// Binary bytes bound to a "?" (a BLOB in SQLite, a bytea in PostgreSQL).
struct SqlBytes {
    std::string bytes;
};

// A value bound to one "?" of a statement: a text (UTF-8), an integer or binary bytes.
using SqlParameter = std::variant<std::string, int64_t, SqlBytes>;

// The built-in connection template: the SQLite 3 ODBC driver as unixODBC registers it.
// "{file}" stands for the data file's path, "{name}" for its name without folder and extension.
inline constexpr const char* kSqliteConnectionTemplate = "DRIVER=SQLite3;Database={file}";

// How connect() treats a data file that does not exist yet (SQLite template only).
enum class ConnectMode { openExisting, createIfMissing };

class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // True while a connection is open.
    bool isOpen() const { return connection_ != nullptr; }
    // Closes the connection (if any); afterwards every operation fails without touching the driver.
    void close();

    // The template connect() fills in; empty means defaultConnectionTemplate().
    void setConnectionTemplate(std::string connectionTemplate) { template_ = std::move(connectionTemplate); }
    const std::string& connectionTemplate() const { return template_; }

    // The driver's last diagnostic ("SQLSTATE: message"), or empty.
    const std::string& lastError() const { return lastError_; }
    // True once a diagnostic said the connection itself broke (SQLSTATE class 08, or the
    // server shutting down): the handles are useless until connect() is called again.
    bool connectionLost() const { return connectionLost_; }
    // The SQL engine behind the connection (for the dialect adaptation).
    SqlDialect dialect() const { return dialect_; }
    // True for a database server (every engine but the embedded SQLite files).
    bool isServer() const { return dialect_ != SqlDialect::sqlite; }

    // The file connect() was last given.
    const std::string& path() const { return path_; }

    // Driver handles for the query code; nullptr while closed.
    void* environmentHandle() const { return environment_; }
    void* connectionHandle() const { return connection_; }
    // Records a diagnostic for lastError(); used by the query code.
    void setLastError(std::string message);
    // Takes ownership of freshly opened driver handles (connect() calls this).
    void attach(void* environment, void* connection, std::string path, SqlDialect dialect);
    // Open queries register themselves so that close() can end them before the connection goes.
    void registerQuery(Query* query) { queries_.insert(query); }
    void unregisterQuery(Query* query) { queries_.erase(query); }

private:
    std::set<Query*> queries_;
    void* environment_ = nullptr;
    void* connection_ = nullptr;
    std::string template_;
    std::string path_;
    std::string lastError_;
    SqlDialect dialect_ = SqlDialect::sqlite;
    bool connectionLost_ = false;
};

// The engine a connection string or template names by its driver: PostgreSQL for the
// PostgreSQL ODBC drivers, else SQLite.
SqlDialect dialectOf(const std::string& connectionTemplate);

// The process-wide template used by databases without their own: the environment variable
// TESSERA_ODBC_CONNECTION when set (for a test run against another source), else the value of
// setDefaultConnectionTemplate() (the settings), else kSqliteConnectionTemplate.
std::string defaultConnectionTemplate();
// Sets the process-wide template; empty restores the built-in one.
void setDefaultConnectionTemplate(std::string connectionTemplate);
// The template for the data files shipped with the program (the dictionary): the process-wide
// one, unless that names a database server (a library shared there), then the built-in one.
std::string localFileConnectionTemplate();

// The settings key naming another ODBC source: section DATABASE, key Connection, holding a
// template as above (for example "DRIVER=PostgreSQL Unicode;Server=db;Database={name}").
inline constexpr const char* kConnectionSettingSection = "DATABASE";
inline constexpr const char* kConnectionSettingKey = "Connection";
// Reads that key from the INI file and makes it the process-wide template (a missing file or
// key restores the built-in one). Returns the template now in effect.
std::string applyConnectionSetting(const std::string& iniPath);

// The connection string for a data file: the template with {file} and {name} filled in
// (values holding ';', '{' or '}' are wrapped in braces as ODBC requires).
std::string connectionStringFor(const std::string& connectionTemplate, const std::string& path);

// Opens the database (closing it first if open). 1 when open; 0 when the driver refused or
// the file is missing (openExisting) or is not a database the driver can read; -1 after a
// memory error. With the SQLite template a driver that unixODBC does not know by name is
// loaded from its library file instead.
int connect(Database& database, const std::string& path, ConnectMode mode = ConnectMode::openExisting);

// Runs a statement without a result set. 1 when it ran; 0 when the database is closed or
// the statement failed.
int execute(Database& database, const std::string& sql);
// The same with one bound value per "?" of the statement, in order.
int execute(Database& database, const std::string& sql, const std::vector<SqlParameter>& parameters);

}  // namespace tessera
