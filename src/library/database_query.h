#pragma once
// Read-only queries over an open Database and the lookups built on them.
//
// A Query runs its statement with the driver's default (forward-only) cursor and keeps the
// current row as texts, so columns can be read by position or by name in any order and as
// often as wanted. A NULL value reads as an empty text.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "library/database.h"

namespace tessera {

class Query {
public:
    explicit Query(Database& database) : database_(&database) {}
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    // True between a successful openQuery() and close() or the end of the rows.
    bool isOpen() const { return statement_ != nullptr; }
    // True once the rows are exhausted (the query is then closed).
    bool atEnd() const { return atEnd_; }
    // True when the last run or fetch ended in a driver error (rather than at the last row).
    bool failed() const { return failed_; }
    // The SQL text as given (before the dialect adaptation).
    const std::string& sql() const { return sql_; }
    Database& database() const { return *database_; }

    // Number of columns of the result.
    int columnCount() const { return static_cast<int>(columnNames_.size()); }
    // The name of a column (0-based), or empty.
    std::string columnName(int column) const;
    // The current row's value of a column by position (0-based); empty for NULL or a bad position.
    std::string text(int column) const;
    // The current row's value of a column by name (case-insensitive); empty when there is no such column.
    std::string text(const std::string& column) const;
    // The current row's value as a 32-bit integer (leading decimal number, 0 when none).
    int32_t number(const std::string& column) const;
    // True when the column of the current row holds NULL or there is no such column.
    bool isNull(const std::string& column) const;

    // Moves to the next row; false (and the query closed) at the end or on a driver error.
    bool next();
    // Frees the statement; the query can be opened again.
    void close();

    // Runs the statement (used by openQuery and forEachRow): 1 with the first row current,
    // 0 when it failed or had no row.
    int run(const std::string& sql, const std::vector<SqlParameter>& parameters);
    // Runs the last statement again with the same parameters.
    int rerun();
    // Index of the current row, 0 for the first.
    int64_t rowIndex() const { return rowIndex_; }

private:
    bool fetchRow();
    int columnIndex(const std::string& name) const;

    Database* database_;
    void* statement_ = nullptr;
    std::string sql_;
    std::vector<SqlParameter> parameters_;
    std::vector<std::string> columnNames_;
    std::vector<std::optional<std::string>> row_;
    int64_t rowIndex_ = -1;
    bool atEnd_ = false;
    bool failed_ = false;
};

// Runs a query and stands on its first row. 1 then; 0 when the database is closed, the query
// failed or returned no row (the query is then closed).
int openQuery(Query& query, const std::string& sql);
// The same with one bound value per "?".
int openQuery(Query& query, const std::string& sql, const std::vector<SqlParameter>& parameters);

// Visits every row from the first (re-running the statement when the query has moved on)
// until the visitor returns 0, *stopFlag becomes non-zero, or the rows end; then closes the
// query. Returns 1, or 0 when the query was not open.
int forEachRow(Query& query, const std::function<int(Query&)>& visitor, const std::atomic<int>* stopFlag = nullptr);

// The integer value of "SELECT max(column) FROM table"; -1 when the database is closed, the
// query fails, there is no row, or the value is empty (an empty table).
int32_t maxValue(Database& database, const std::string& table, const std::string& column);

// The integer value of column in the first row whose keyColumn equals keyText (the key is
// bound, not pasted); 0 when that value is empty; -1 when there is no row or on failure.
int32_t lookupNumber(Database& database, const std::string& table, const std::string& keyColumn,
                     const std::string& keyText, const std::string& column);

// Empties list and appends the first column of every row as an integer. 1, or 0 when the
// database is closed or the statement failed.
int queryNumbers(Database& database, const std::string& sql, std::vector<int32_t>& list);
// The same with the first column as text.
int queryTexts(Database& database, const std::string& sql, std::vector<std::string>& list);

// The first column of the first row as binary bytes (a BLOB or bytea, read without any text
// conversion). 1 with the bytes; 0 when there is no row or the value is NULL; -1 when the
// database is closed or the statement failed.
int queryBytes(Database& database, const std::string& sql, const std::vector<SqlParameter>& parameters,
               std::string& bytes);

}  // namespace tessera
