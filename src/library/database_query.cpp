#include "library/database_query.h"

#include <cctype>
#include <new>

#include "library/database_text.h"
#include "library/odbc_support.h"
#include "library/sql_dialect.h"

namespace tessera {
namespace {

bool sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

Query::~Query() { close(); }

std::string Query::columnName(int column) const {
    if (column < 0 || column >= columnCount())
        return {};
    return columnNames_[static_cast<size_t>(column)];
}

int Query::columnIndex(const std::string& name) const {
    for (size_t k = 0; k < columnNames_.size(); ++k)
        if (sameName(columnNames_[k], name))
            return static_cast<int>(k);
    return -1;
}

std::string Query::text(int column) const {
    if (column < 0 || static_cast<size_t>(column) >= row_.size() || !row_[static_cast<size_t>(column)])
        return {};
    return *row_[static_cast<size_t>(column)];
}

std::string Query::text(const std::string& column) const { return text(columnIndex(column)); }

int32_t Query::number(const std::string& column) const { return leadingInteger(text(column)); }

bool Query::isNull(const std::string& column) const {
    const int index = columnIndex(column);
    return index < 0 || static_cast<size_t>(index) >= row_.size() || !row_[static_cast<size_t>(index)];
}

void Query::close() {
    if (statement_) {
        SQLFreeHandle(SQL_HANDLE_STMT, static_cast<SQLHSTMT>(statement_));
        statement_ = nullptr;
        database_->unregisterQuery(this);
    }
    row_.clear();
}

int Query::run(const std::string& sql, const std::vector<SqlParameter>& parameters) {
    close();
    atEnd_ = false;
    failed_ = false;
    rowIndex_ = -1;
    if (!database_->isOpen()) {
        failed_ = true;
        return 0;
    }
    try {
        if (&sql != &sql_)
            sql_ = sql;
        if (&parameters != &parameters_)
            parameters_ = parameters;
        columnNames_.clear();
        SQLHSTMT statement = nullptr;
        if (!SQL_SUCCEEDED(
                SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(database_->connectionHandle()), &statement))) {
            database_->setLastError(odbc::diagnostic(SQL_HANDLE_DBC, database_->connectionHandle()));
            failed_ = true;
            return 0;
        }
        statement_ = statement;
        database_->registerQuery(this);
        std::vector<SQLLEN> indicators;
        const SQLRETURN rc =
            odbc::executeStatement(statement, adaptAccessSql(sql, database_->dialect()), parameters_, indicators);
        SQLSMALLINT columns = 0;
        if (!SQL_SUCCEEDED(rc) || !SQL_SUCCEEDED(SQLNumResultCols(statement, &columns)) || columns <= 0) {
            database_->setLastError(SQL_SUCCEEDED(rc) ? std::string("the statement returns no rows")
                                                      : odbc::diagnostic(SQL_HANDLE_STMT, statement));
            failed_ = true;
            close();
            return 0;
        }
        // Parameters are read at execution; the buffers may go now.
        SQLFreeStmt(statement, SQL_RESET_PARAMS);
        for (SQLSMALLINT k = 1; k <= columns; ++k) {
            SQLCHAR name[256] = {0};
            SQLSMALLINT nameLength = 0, dataType = 0, decimals = 0, nullable = 0;
            SQLULEN size = 0;
            SQLDescribeCol(statement, static_cast<SQLUSMALLINT>(k), name, sizeof name, &nameLength, &dataType, &size,
                           &decimals, &nullable);
            columnNames_.emplace_back(reinterpret_cast<char*>(name));
        }
        return next() ? 1 : 0;
    } catch (const std::bad_alloc&) {
        close();
        failed_ = true;
        database_->setLastError("out of memory");
        return 0;
    }
}

int Query::rerun() { return run(sql_, parameters_); }

bool Query::fetchRow() {
    auto* statement = static_cast<SQLHSTMT>(statement_);
    const SQLRETURN rc = SQLFetch(statement);
    if (rc == SQL_NO_DATA)
        return false;
    if (!SQL_SUCCEEDED(rc)) {
        database_->setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
        failed_ = true;
        return false;
    }
    row_.assign(columnNames_.size(), std::nullopt);
    char buffer[4096];
    for (size_t k = 0; k < columnNames_.size(); ++k) {
        std::string value;
        bool isNull = false;
        // Long values arrive in pieces; each piece is terminated, so it carries sizeof buffer - 1 bytes.
        for (;;) {
            SQLLEN indicator = 0;
            const SQLRETURN got =
                SQLGetData(statement, static_cast<SQLUSMALLINT>(k + 1), SQL_C_CHAR, buffer, sizeof buffer, &indicator);
            if (got == SQL_NO_DATA)
                break;
            if (!SQL_SUCCEEDED(got)) {
                database_->setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
                failed_ = true;
                return false;
            }
            if (indicator == SQL_NULL_DATA) {
                isNull = true;
                break;
            }
            const size_t piece = (indicator == SQL_NO_TOTAL || indicator >= static_cast<SQLLEN>(sizeof buffer))
                                     ? sizeof buffer - 1
                                     : static_cast<size_t>(indicator);
            value.append(buffer, piece);
            if (got == SQL_SUCCESS)
                break;
        }
        if (!isNull)
            row_[k] = std::move(value);
    }
    return true;
}

bool Query::next() {
    if (!statement_)
        return false;
    try {
        if (fetchRow()) {
            ++rowIndex_;
            return true;
        }
    } catch (const std::bad_alloc&) {
        database_->setLastError("out of memory");
        failed_ = true;
    }
    atEnd_ = true;
    close();
    return false;
}

int openQuery(Query& query, const std::string& sql) { return query.run(sql, {}); }

int openQuery(Query& query, const std::string& sql, const std::vector<SqlParameter>& parameters) {
    return query.run(sql, parameters);
}

int forEachRow(Query& query, const std::function<int(Query&)>& visitor, const std::atomic<int>* stopFlag) {
    if (!query.isOpen())
        return 0;
    // Visiting starts at the first row: a query that has moved on runs again.
    if (query.rowIndex() != 0 && !query.rerun())
        return 1;
    while (query.isOpen()) {
        if (stopFlag && stopFlag->load() != 0)
            break;
        if (!visitor(query))
            break;
        if (!query.next())
            break;
    }
    query.close();
    return 1;
}

int32_t maxValue(Database& database, const std::string& table, const std::string& column) {
    Query query(database);
    if (!openQuery(query, "SELECT max(" + column + ") FROM " + table))
        return -1;
    const std::string value = query.text(0);
    if (value.empty())
        return -1;
    return leadingInteger(value);
}

int32_t lookupNumber(Database& database, const std::string& table, const std::string& keyColumn,
                     const std::string& keyText, const std::string& column) {
    Query query(database);
    if (!openQuery(query, "SELECT " + column + " FROM " + table + " WHERE " + keyColumn + "=?", {keyText}))
        return -1;
    return leadingInteger(query.text(0));
}

namespace {

// Runs sql and hands each row's first column to append; 1 when the statement ran (with or
// without rows), 0 when the database is closed or the statement failed.
template <typename Append>
int collectFirstColumn(Database& database, const std::string& sql, Append append) {
    if (!database.isOpen())
        return 0;
    try {
        Query query(database);
        if (!openQuery(query, sql))
            return query.failed() ? 0 : 1;
        do
            append(query.text(0));
        while (query.next());
        return query.failed() ? 0 : 1;
    } catch (const std::bad_alloc&) {
        database.setLastError("out of memory");
        return 0;
    }
}

}  // namespace

int queryNumbers(Database& database, const std::string& sql, std::vector<int32_t>& list) {
    list.clear();
    return collectFirstColumn(database, sql, [&](const std::string& value) { list.push_back(leadingInteger(value)); });
}

int queryTexts(Database& database, const std::string& sql, std::vector<std::string>& list) {
    list.clear();
    return collectFirstColumn(database, sql, [&](std::string value) { list.push_back(std::move(value)); });
}

int queryBytes(Database& database, const std::string& sql, const std::vector<SqlParameter>& parameters,
               std::string& bytes) {
    bytes.clear();
    if (!database.isOpen())
        return -1;
    SQLHSTMT statement = nullptr;
    if (!SQL_SUCCEEDED(
            SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(database.connectionHandle()), &statement))) {
        database.setLastError(odbc::diagnostic(SQL_HANDLE_DBC, database.connectionHandle()));
        return -1;
    }
    int result = -1;
    try {
        std::vector<SQLLEN> indicators;
        SQLRETURN rc =
            odbc::executeStatement(statement, adaptAccessSql(sql, database.dialect()), parameters, indicators);
        if (SQL_SUCCEEDED(rc))
            rc = SQLFetch(statement);
        if (rc == SQL_NO_DATA) {
            result = 0;
        } else if (SQL_SUCCEEDED(rc)) {
            // Long values arrive in pieces; binary pieces carry no terminator.
            char buffer[65536];
            result = 1;
            for (;;) {
                SQLLEN indicator = 0;
                const SQLRETURN got = SQLGetData(statement, 1, SQL_C_BINARY, buffer, sizeof buffer, &indicator);
                if (got == SQL_NO_DATA)
                    break;
                if (!SQL_SUCCEEDED(got)) {
                    result = -1;
                    break;
                }
                if (indicator == SQL_NULL_DATA) {
                    result = 0;
                    break;
                }
                const size_t piece = (indicator == SQL_NO_TOTAL || indicator > static_cast<SQLLEN>(sizeof buffer))
                                         ? sizeof buffer
                                         : static_cast<size_t>(indicator);
                bytes.append(buffer, piece);
                if (got == SQL_SUCCESS)
                    break;
            }
        }
        if (result < 0)
            database.setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
    } catch (const std::bad_alloc&) {
        database.setLastError("out of memory");
        result = -1;
    }
    SQLFreeHandle(SQL_HANDLE_STMT, statement);
    if (result != 1)
        bytes.clear();
    return result;
}

}  // namespace tessera
