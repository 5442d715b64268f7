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
    SQLSetConnectAttr(connection, SQL_ATTR_AUTOCOMMIT,
                      reinterpret_cast<SQLPOINTER>(static_cast<uintptr_t>(SQL_AUTOCOMMIT_ON)), 0);
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
    if (!SQL_SUCCEEDED(
            SQLAllocHandle(SQL_HANDLE_STMT, static_cast<SQLHDBC>(database.connectionHandle()), &statement))) {
        database.setLastError(odbc::diagnostic(SQL_HANDLE_DBC, database.connectionHandle()));
        return;
    }
    const std::string adapted = adaptAccessSql(sql, database.dialect());
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
    std::vector<SQLLEN> indicators;
    if (!SQL_SUCCEEDED(odbc::bindParameters(statement, parameters, indicators))) {
        database_->setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
        return false;
    }
    const SQLRETURN rc = SQLExecute(statement);
    SQLFreeStmt(statement, SQL_CLOSE);
    if (SQL_SUCCEEDED(rc) || rc == SQL_NO_DATA)
        return true;
    database_->setLastError(odbc::diagnostic(SQL_HANDLE_STMT, statement));
    return false;
}

}  // namespace tessera
