#pragma once
// A read-only query that fetches its rows in blocks into buffers bound once per column. For
// large results (the catalogue of every game) it makes one driver call per block instead of one
// per value, which is what the per-column reads of Query cost.
//
// Each column gets a buffer of a fixed width; a longer value arrives cut, and isCut() says so,
// so the caller can read that row again in full. A BoundQuery lives within one call that holds
// the database: it does not register with it and must be gone before the database closes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "library/database.h"

namespace tessera {

class BoundQuery {
public:
    explicit BoundQuery(Database& database) : database_(&database) {}
    ~BoundQuery();
    BoundQuery(const BoundQuery&) = delete;
    BoundQuery& operator=(const BoundQuery&) = delete;

    // Runs a statement (Access dialect) whose result has one column per entry of widths (the
    // largest value in bytes kept whole). False when the database is closed, the statement
    // fails or its column count differs; failed() then holds.
    bool run(const std::string& sql, const std::vector<int>& widths);
    // Moves to the next row (the first after run); false at the end or on a driver error.
    bool next();
    // True when the last run or fetch ended in a driver error rather than at the last row.
    bool failed() const { return failed_; }

    // The current row's value of a column (0-based); empty for NULL or a bad column.
    std::string_view text(int column) const;
    // The leading decimal integer of a column's value (0 when none).
    int64_t number(int column) const;
    // True when the column's value was longer than its width and arrived cut.
    bool isCut(int column) const;

private:
    struct Column {
        int width = 0;
        std::vector<char> values;      // rows x (width + 1)
        std::vector<long> indicators;  // SQLLEN per row
    };
    void close();
    bool fetchBlock();

    Database* database_;
    void* statement_ = nullptr;
    std::vector<Column> columns_;
    unsigned long fetched_ = 0;  // SQLULEN: rows in the current block
    size_t rowInBlock_ = 0;
    bool failed_ = false;
    bool started_ = false;
};

}  // namespace tessera
