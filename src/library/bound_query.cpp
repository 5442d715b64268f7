#include "library/bound_query.h"

#include <cstdlib>
#include <new>

#include "library/odbc_support.h"
#include "library/sql_dialect.h"

namespace tessera {
namespace {

// Rows per block: large enough that the per-call cost vanishes, small enough to stay in cache.
constexpr SQLULEN kBlockRows = 256;

static_assert(sizeof(long) == sizeof(SQLLEN) && sizeof(unsigned long) == sizeof(SQLULEN));

}  // namespace

BoundQuery::~BoundQuery() { close(); }

void BoundQuery::close() {
    if (statement_) {
        SQLFreeHandle(SQL_HANDLE_STMT, static_cast<SQLHSTMT>(statement_));
        statement_ = nullptr;
    }
    fetched_ = 0;
    rowInBlock_ = 0;
}

bool BoundQuery::run(const std::string& sql, const std::vector<int>& widths) {
    close();
    failed_ = true;
    started_ = false;
    if (!database_->isOpen())
        return false;
    try {
        SQLHSTMT statement = nullptr;
        if (!SQL_SUCCEEDED(
                SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(database_->connectionHandle()), &statement))) {
            database_->setLastError(odbc::diagnostic(SQL_HANDLE_DBC, database_->connectionHandle()));
            return false;
        }
        statement_ = statement;
        // Column-wise binding over blocks of rows; the fetched count tells how full a block is.
        SQLSetStmtAttr(statement, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0);
        if (!SQL_SUCCEEDED(
                SQLSetStmtAttr(statement, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(kBlockRows), 0)) ||
            !SQL_SUCCEEDED(SQLSetStmtAttr(statement, SQL_ATTR_ROWS_FETCHED_PTR, &fetched_, 0))) {
            database_->setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
            close();
            return false;
        }
        std::vector<SQLLEN> parameterIndicators;
        const SQLRETURN rc =
            odbc::executeStatement(statement, adaptAccessSql(sql, database_->dialect()), {}, parameterIndicators);
        SQLSMALLINT count = 0;
        if (!SQL_SUCCEEDED(rc) || !SQL_SUCCEEDED(SQLNumResultCols(statement, &count)) ||
            static_cast<size_t>(count) != widths.size()) {
            database_->setLastError(SQL_SUCCEEDED(rc) ? std::string("the statement returns other columns than expected")
                                                      : odbc::diagnostic(SQL_HANDLE_STMT, statement));
            close();
            return false;
        }
        columns_.assign(widths.size(), {});
        for (size_t k = 0; k < widths.size(); ++k) {
            Column& column = columns_[k];
            column.width = widths[k] > 0 ? widths[k] : 1;
            column.values.assign(kBlockRows * static_cast<size_t>(column.width + 1), '\0');
            column.indicators.assign(kBlockRows, 0);
            if (!SQL_SUCCEEDED(SQLBindCol(statement, static_cast<SQLUSMALLINT>(k + 1), SQL_C_CHAR, column.values.data(),
                                          column.width + 1, reinterpret_cast<SQLLEN*>(column.indicators.data())))) {
                database_->setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
                close();
                return false;
            }
        }
        failed_ = false;
        return true;
    } catch (const std::bad_alloc&) {
        close();
        database_->setLastError("out of memory");
        return false;
    }
}

bool BoundQuery::fetchBlock() {
    auto* statement = static_cast<SQLHSTMT>(statement_);
    fetched_ = 0;
    rowInBlock_ = 0;
    const SQLRETURN rc = SQLFetch(statement);
    if (rc == SQL_NO_DATA) {
        close();
        return false;
    }
    // SQL_SUCCESS_WITH_INFO carries the cut values (01004): isCut reads them off the indicators.
    if (!SQL_SUCCEEDED(rc)) {
        database_->setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
        failed_ = true;
        close();
        return false;
    }
    return fetched_ > 0;
}

bool BoundQuery::next() {
    if (!statement_)
        return false;
    if (started_ && rowInBlock_ + 1 < fetched_) {
        ++rowInBlock_;
        return true;
    }
    started_ = true;
    return fetchBlock();
}

std::string_view BoundQuery::text(int column) const {
    if (!statement_ || column < 0 || static_cast<size_t>(column) >= columns_.size())
        return {};
    const Column& c = columns_[static_cast<size_t>(column)];
    const SQLLEN length = c.indicators[rowInBlock_];
    if (length == SQL_NULL_DATA || length <= 0)
        return {};
    const size_t kept =
        length == SQL_NO_TOTAL || length > c.width ? static_cast<size_t>(c.width) : static_cast<size_t>(length);
    return {c.values.data() + rowInBlock_ * static_cast<size_t>(c.width + 1), kept};
}

int64_t BoundQuery::number(int column) const {
    const std::string_view value = text(column);
    size_t i = 0;
    while (i < value.size() && (value[i] == ' ' || value[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < value.size() && (value[i] == '-' || value[i] == '+'))
        negative = value[i++] == '-';
    int64_t result = 0;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        if (result < (int64_t{1} << 55))
            result = result * 10 + (value[i] - '0');
    return negative ? -result : result;
}

bool BoundQuery::isCut(int column) const {
    if (!statement_ || column < 0 || static_cast<size_t>(column) >= columns_.size())
        return false;
    const Column& c = columns_[static_cast<size_t>(column)];
    const SQLLEN length = c.indicators[rowInBlock_];
    return length == SQL_NO_TOTAL || length > c.width;
}

}  // namespace tessera
