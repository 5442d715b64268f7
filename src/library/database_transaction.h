#pragma once
// Transactions and statements prepared once and run many times, for the writers that put
// thousands of rows at a time (library import, patches).
//
// A Transaction switches the connection out of autocommit for its lifetime: commit() makes its
// statements permanent; leaving the scope without commit() rolls them back, so a failure half
// way through a batch never leaves a deleted row or a half-applied patch behind.

#include <string>
#include <vector>

#include "library/database.h"

namespace tessera {

class Transaction {
public:
    // Begins a transaction on an open database; active() is false when that failed.
    explicit Transaction(Database& database);
    // Rolls back unless committed.
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return active_; }
    // Makes the work permanent; false (and the work rolled back) when the commit failed.
    bool commit();
    // Undoes the work so far.
    void rollback();

private:
    bool end(bool commit);
    Database* database_;
    bool active_ = false;
};

// One statement prepared once (after the dialect adaptation) and executed with new values.
class PreparedStatement {
public:
    PreparedStatement(Database& database, const std::string& sql);
    ~PreparedStatement();
    PreparedStatement(const PreparedStatement&) = delete;
    PreparedStatement& operator=(const PreparedStatement&) = delete;

    // True when the statement was prepared.
    bool ready() const { return statement_ != nullptr; }
    // Runs it with one value per "?"; true when it ran (the driver's message in lastError()).
    bool run(const std::vector<SqlParameter>& parameters);

private:
    Database* database_;
    void* statement_ = nullptr;
};

}  // namespace tessera
