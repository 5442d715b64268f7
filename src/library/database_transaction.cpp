#include "library/database_transaction.h"

#include <algorithm>

#include "library/odbc_support.h"
#include "library/sql_dialect.h"

namespace tessera {

Transaction::Transaction(Database& database) : database_(&database) {
    if (!database.isOpen())
        return;
    auto* connection = static_cast<SQLHDBC>(database.connectionHandle());
    const SQLRETURN rc = SQLSetConnectAttr(connection, SQL_ATTR_AUTOCOMMIT,
                                           reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(SQL_AUTOCOMMIT_OFF)), 0);
    if (!SQL_SUCCEEDED(rc)) {
        database.setLastError(odbc::diagnostic(SQL_HANDLE_DBC, connection));
        return;
    }
    active_ = true;
}

Transaction::~Transaction() {
    if (active_)
        end(false);
}

bool Transaction::end(bool commit) {
    active_ = false;
    if (!database_->isOpen())
        return false;
    auto* connection = static_cast<SQLHDBC>(database_->connectionHandle());
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, connection, commit ? SQL_COMMIT : SQL_ROLLBACK);
    const bool ok = SQL_SUCCEEDED(rc);
    if (!ok)
        database_->setLastError(odbc::diagnostic(SQL_HANDLE_DBC, connection));
    SQLSetConnectAttr(connection, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(SQL_AUTOCOMMIT_ON)),
                      0);
    if (!ok && commit)
        SQLEndTran(SQL_HANDLE_DBC, connection, SQL_ROLLBACK);
    return ok;
}

bool Transaction::commit() { return active_ && end(true); }

void Transaction::rollback() {
    if (active_)
        end(false);
}

PreparedStatement::PreparedStatement(Database& database, const std::string& sql) : database_(&database) {
    if (!database.isOpen())
        return;
    SQLHSTMT statement = nullptr;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(database.connectionHandle()), &statement))) {
        database.setLastError(odbc::diagnostic(SQL_HANDLE_DBC, database.connectionHandle()));
        return;
    }
    const std::string adapted = adaptAccessSql(sql);
    auto* text = reinterpret_cast<SQLCHAR*>(const_cast<char*>(adapted.c_str()));
    if (!SQL_SUCCEEDED(SQLPrepare(statement, text, static_cast<SQLINTEGER>(adapted.size())))) {
        database.setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
        SQLFreeHandle(SQL_HANDLE_STMT, statement);
        return;
    }
    statement_ = statement;
}

PreparedStatement::~PreparedStatement() {
    // The connection may have been closed (and the statement with it) meanwhile.
    if (statement_ && database_->isOpen())
        SQLFreeHandle(SQL_HANDLE_STMT, static_cast<SQLHSTMT>(statement_));
}

bool PreparedStatement::run(const std::vector<SqlParameter>& parameters) {
    if (!statement_ || !database_->isOpen())
        return false;
    auto* statement = static_cast<SQLHSTMT>(statement_);
    SQLFreeStmt(statement, SQL_RESET_PARAMS);
    std::vector<SQLLEN> indicators(parameters.size(), 0);
    for (size_t k = 0; k < parameters.size(); ++k) {
        const auto number = static_cast<SQLUSMALLINT>(k + 1);
        SQLRETURN rc;
        if (const auto* value = std::get_if<std::string>(&parameters[k])) {
            indicators[k] = static_cast<SQLLEN>(value->size());
            rc = SQLBindParameter(statement, number, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR,
                                  std::max<SQLULEN>(value->size(), 1), 0, const_cast<char*>(value->data()),
                                  static_cast<SQLLEN>(value->size()), &indicators[k]);
        } else {
            const auto& integer = std::get<int64_t>(parameters[k]);
            rc = SQLBindParameter(statement, number, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0,
                                  const_cast<int64_t*>(&integer), 0, &indicators[k]);
        }
        if (!SQL_SUCCEEDED(rc)) {
            database_->setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
            return false;
        }
    }
    const SQLRETURN rc = SQLExecute(statement);
    SQLFreeStmt(statement, SQL_CLOSE);
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA)
        return true;
    database_->setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
    return false;
}

}  // namespace tessera
