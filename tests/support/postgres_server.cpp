#include "support/postgres_server.h"

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "library/database.h"

namespace tessera::test {
namespace {

constexpr uid_t kNobody = 65534;
constexpr const char* kDriver = "PostgreSQL Unicode";

// The newest /usr/lib/postgresql/N/bin holding initdb and pg_ctl, or "".
std::string findBinFolder() {
    std::error_code ec;
    std::string best;
    int bestVersion = -1;
    for (const auto& entry : std::filesystem::directory_iterator("/usr/lib/postgresql", ec)) {
        const std::string bin = (entry.path() / "bin").string();
        const int version = std::atoi(entry.path().filename().c_str());
        if (version > bestVersion && std::filesystem::exists(bin + "/initdb", ec) &&
            std::filesystem::exists(bin + "/pg_ctl", ec)) {
            best = bin;
            bestVersion = version;
        }
    }
    return best;
}

bool odbcDriverInstalled() {
    FILE* pipe = popen("odbcinst -q -d 2>/dev/null", "r");
    if (!pipe)
        return false;
    std::string listing;
    std::array<char, 512> buffer{};
    size_t got = 0;
    while ((got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0)
        listing.append(buffer.data(), got);
    pclose(pipe);
    return listing.find(std::string("[") + kDriver + "]") != std::string::npos;
}

// Runs a program with its output discarded, as "nobody" when we are root; true on exit 0.
bool runAsServerUser(const std::vector<std::string>& args) {
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
            _exit(120);
        if (FILE* null = std::freopen("/dev/null", "w", stdout); !null)
            _exit(121);
        std::vector<char*> argv;
        for (const auto& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

}  // namespace

PostgresServer* PostgresServer::shared(std::string& why) {
    static std::unique_ptr<PostgresServer> server;
    static std::string failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        std::unique_ptr<PostgresServer> candidate(new PostgresServer);
        if (candidate->setUp(failure))
            server = std::move(candidate);
    }
    why = failure;
    return server.get();
}

bool PostgresServer::setUp(std::string& why) {
    binFolder_ = findBinFolder();
    if (binFolder_.empty()) {
        why = "PostgreSQL is not installed (Debian package postgresql)";
        return false;
    }
    if (!odbcDriverInstalled()) {
        why = "the PostgreSQL ODBC driver is not installed (Debian package odbc-postgresql)";
        return false;
    }
    char pattern[] = "/tmp/tessera-pg-XXXXXX";
    if (!mkdtemp(pattern)) {
        why = "cannot make a folder for the server";
        return false;
    }
    folder_ = pattern;
    if (geteuid() == 0 && chown(folder_.c_str(), kNobody, kNobody) != 0) {
        why = "cannot hand the server's folder to nobody";
        return false;
    }
    if (!runAsServerUser({binFolder_ + "/initdb", "-D", folder_ + "/data", "-A", "trust", "-U", "tessera", "-E", "UTF8",
                          "--locale=C", "--no-sync"})) {
        why = "initdb failed";
        return false;
    }
    if (!start()) {
        why = "the server did not start (see " + folder_ + "/log)";
        return false;
    }
    return true;
}

bool PostgresServer::start() {
    // Only the socket in our folder; no fsync: a test server keeps nothing worth a disk flush.
    running_ = runAsServerUser({binFolder_ + "/pg_ctl", "-D", folder_ + "/data", "-l", folder_ + "/log", "-w", "-s",
                                "-o", "-k " + folder_ + " -c listen_addresses= -F", "start"});
    return running_;
}

bool PostgresServer::stopAbruptly() {
    const bool stopped =
        runAsServerUser({binFolder_ + "/pg_ctl", "-D", folder_ + "/data", "-m", "immediate", "-w", "-s", "stop"});
    running_ = running_ && !stopped;
    return stopped;
}

PostgresServer::~PostgresServer() {
    if (running_)
        runAsServerUser({binFolder_ + "/pg_ctl", "-D", folder_ + "/data", "-m", "immediate", "-w", "-s", "stop"});
    std::error_code ec;
    if (!folder_.empty())
        std::filesystem::remove_all(folder_, ec);
}

std::string PostgresServer::connectionTemplate(const std::string& database) const {
    return std::string("DRIVER={") + kDriver + "};Server=" + folder_ + ";Port=5432;Database=" + database +
           ";UID=tessera";
}

std::string PostgresServer::newDatabase() {
    const std::string name = "library" + std::to_string(++databases_);
    Database admin;
    admin.setConnectionTemplate(connectionTemplate("postgres"));
    if (connect(admin, "postgres") != 1 || execute(admin, "CREATE DATABASE " + name) != 1)
        ADD_FAILURE_AT(__FILE__, __LINE__);
    return connectionTemplate(name);
}

}  // namespace tessera::test
