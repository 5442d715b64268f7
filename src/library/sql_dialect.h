#pragma once
// The Access dialect of the stored statements, adapted to standard SQL (SQLite, PostgreSQL).
//
//   SELECT [DISTINCT] Top N ...        -> SELECT [DISTINCT] ... LIMIT N  (also in sub-queries)
//   DELETE * FROM t ...                -> DELETE FROM t ...
//   x LIKE '*a?c*' (Access wildcards)  -> x LIKE '%a_c%'  (only when the pattern has no % or _)
//   #2024-01-31# (date literal)        -> '2024-01-31'    (dates are stored as texts)
//
// For PostgreSQL, further:
//   x LIKE 'a%'                        -> x ILIKE 'a%'    (Access compares without case)
//   "text" (an Access string)          -> 'text'
//   [Column Name]                      -> Column Name as one identifier, folded like the rest
//   True / False                       -> -1 / 0          (Access booleans are integers)
//   BLOB, LONGBINARY / COUNTER         -> BYTEA / SERIAL  (column types of CREATE TABLE)
// Unquoted identifiers fold to lower case there, so tables made and queried without quotes
// match whatever case a statement uses; result column names come back in lower case.
//
// String literals and comments are never changed. A statement that is already standard SQL
// comes back unchanged.

#include <string>

namespace tessera {

// The SQL engines behind the connection.
enum class SqlDialect { sqlite, postgresql };

// The statement rewritten for a standard SQL engine.
std::string adaptAccessSql(const std::string& sql, SqlDialect dialect = SqlDialect::sqlite);

}  // namespace tessera
