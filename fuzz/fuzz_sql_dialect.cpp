// Any bytes as an Access-dialect statement (the .sql files of the block folder are user
// files): the adaptation never crashes and leaves a statement without TOP or "*" after DELETE
// unchanged in length apart from the LIMIT clauses it adds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "library/sql_dialect.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string sql(reinterpret_cast<const char*>(data), size);
    const std::string adapted = tessera::adaptAccessSql(sql);
    // Each TOP n turns into " LIMIT n": at most a few bytes more per byte of input.
    if (adapted.size() > 2 * sql.size() + 16)
        std::abort();
    (void)tessera::adaptAccessSql(adapted);
    return 0;
}
