#pragma once
// The Access dialect of the stored statements, adapted to standard SQL (SQLite, PostgreSQL).
//
//   SELECT [DISTINCT] Top N ...        -> SELECT [DISTINCT] ... LIMIT N  (also in sub-queries)
//   DELETE * FROM t ...                -> DELETE FROM t ...
//   x LIKE '*a?c*' (Access wildcards)  -> x LIKE '%a_c%'  (only when the pattern has no % or _)
//   #2024-01-31# (date literal)        -> '2024-01-31'    (dates are stored as texts)
//
// String literals, quoted identifiers and comments are never changed. A statement that is
// already standard SQL comes back unchanged.

#include <string>

namespace tessera {

// The statement rewritten for a standard SQL engine.
std::string adaptAccessSql(const std::string& sql);

}  // namespace tessera
