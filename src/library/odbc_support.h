#pragma once
// Internal to the database layer: diagnostics and parameter binding on raw ODBC handles.

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <vector>

#include "library/database.h"

namespace tessera::odbc {

// "SQLSTATE: message" of the handle's first diagnostic record, or "" when there is none.
std::string diagnostic(SQLSMALLINT handleType, SQLHANDLE handle);
// The SQLSTATE of the handle's first diagnostic record, or "".
std::string sqlState(SQLSMALLINT handleType, SQLHANDLE handle);

// Binds one value per "?" to a prepared statement; the indicators must live until it has run.
SQLRETURN bindParameters(SQLHSTMT statement, const std::vector<SqlParameter>& parameters,
                         std::vector<SQLLEN>& indicators);

// Runs sql (already adapted) on a fresh statement handle of the connection, binding one value
// per "?". The indicators must live until the statement has been executed and fetched.
// Returns the ODBC result of the execution; SQL_NO_DATA counts as success for the caller.
SQLRETURN executeStatement(SQLHSTMT statement, const std::string& sql, const std::vector<SqlParameter>& parameters,
                           std::vector<SQLLEN>& indicators);

}  // namespace tessera::odbc
