#pragma once
// The library tests run once against SQLite files and once against a PostgreSQL server: a test
// of LibraryBackendTest gets its store on the back end of its parameter (a fresh database on the
// program's server for PostgreSQL) and opened for writing.

#include <gtest/gtest.h>

#include <string>

#include "library/library_store.h"
#include "support/postgres_server.h"
#include "support/test_support.h"

namespace tessera::test {

enum class LibraryBackend { sqlite, postgresql };

class LibraryBackendTest : public ::testing::TestWithParam<LibraryBackend> {
protected:
    bool onServer() const { return GetParam() == LibraryBackend::postgresql; }

    // Points the store at the back end (a new database on the server) and opens it for writing.
    void openOnBackend(LibraryStore& store) {
        if (onServer()) {
            PostgresServer* server = nullptr;
            TESSERA_REQUIRE_POSTGRES(server);
            connection = server->newDatabase();
            store.setConnectionTemplate(connection);
        }
        std::string error;
        ASSERT_TRUE(store.open(LibraryAccess::readWrite, error)) << error;
    }

    // A statement that makes every later insert into the table fail.
    std::string refuseInsertsInto(const std::string& table) const {
        return onServer() ? "ALTER TABLE " + table + " ADD CONSTRAINT refuse CHECK (ID < 0) NOT VALID"
                          : "CREATE TRIGGER refuse BEFORE INSERT ON " + table + " BEGIN SELECT RAISE(ABORT, 'no'); END";
    }

    std::string connection;  // the server's connection template (PostgreSQL only)
};

inline std::string backendName(const ::testing::TestParamInfo<LibraryBackend>& info) {
    return info.param == LibraryBackend::sqlite ? "SQLite" : "PostgreSQL";
}

}  // namespace tessera::test

#define TESSERA_ON_EVERY_BACKEND(Suite)                                                                          \
    INSTANTIATE_TEST_SUITE_P(                                                                                    \
        Backends, Suite,                                                                                         \
        ::testing::Values(::tessera::test::LibraryBackend::sqlite, ::tessera::test::LibraryBackend::postgresql), \
        ::tessera::test::backendName)
