#pragma once
// A PostgreSQL server of the test program's own: initdb into a scratch folder, started with
// pg_ctl on a Unix socket in that folder (no TCP port), stopped when the program ends. As root
// it runs as "nobody" (uid 65534), since PostgreSQL refuses to run as root.

#include <string>

#include "support/test_support.h"

namespace tessera::test {

class PostgresServer {
public:
    // The program's server, started on first use; nullptr when PostgreSQL or its ODBC driver is
    // not installed or the server does not start (the reason in why).
    static PostgresServer* shared(std::string& why);

    // Creates an empty database and returns the connection template that reaches it.
    std::string newDatabase();
    // The connection template of a database on this server.
    std::string connectionTemplate(const std::string& database) const;

    // Stops the server at once (as a crash or a pulled cable would); start() brings it back.
    bool stopAbruptly();
    bool start();

    ~PostgresServer();

private:
    PostgresServer() = default;
    bool setUp(std::string& why);

    std::string binFolder_;
    std::string folder_;  // data/, the socket and the log
    bool running_ = false;
    int databases_ = 0;
};

}  // namespace tessera::test

// Gets the program's PostgreSQL server into `server` or skips the test saying why; in CI
// (CI=true), which installs PostgreSQL, a missing server is a failure.
#define TESSERA_REQUIRE_POSTGRES(server)                             \
    do {                                                             \
        std::string why_;                                            \
        server = ::tessera::test::PostgresServer::shared(why_);      \
        if (!server) {                                               \
            if (::tessera::test::runningInCi())                      \
                FAIL() << "no PostgreSQL server in CI: " << why_;    \
            GTEST_SKIP() << "PostgreSQL back end skipped: " << why_; \
        }                                                            \
    } while (0)
