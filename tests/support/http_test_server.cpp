#include "support/http_test_server.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "support/test_support.h"

extern char** environ;

namespace tessera::test {

HttpTestServer::HttpTestServer(const std::filesystem::path& root) : root_(root) {
    // A proxy of the machine running the tests must not stand between curl and 127.0.0.1.
    ::setenv("no_proxy", "127.0.0.1,localhost", 1);
    int channel[2];
    if (::pipe(channel) != 0)
        return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, channel[1], 1);
    posix_spawn_file_actions_addclose(&actions, channel[0]);
    const std::string script = testData("http_test_server.py").string();
    const std::string folder = root.string();
    char* argv[] = {const_cast<char*>("python3"), const_cast<char*>(script.c_str()), const_cast<char*>(folder.c_str()),
                    nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, "python3", &actions, nullptr, argv, environ) == 0)
        pid_ = pid;
    posix_spawn_file_actions_destroy(&actions);
    ::close(channel[1]);
    if (std::FILE* out = ::fdopen(channel[0], "r")) {
        if (std::fscanf(out, "%d", &port_) != 1)
            port_ = 0;
        std::fclose(out);
    } else {
        ::close(channel[0]);
    }
}

HttpTestServer::~HttpTestServer() {
    if (pid_ > 0) {
        ::kill(pid_, SIGKILL);
        ::waitpid(pid_, nullptr, 0);
    }
}

std::string HttpTestServer::url() const { return "http://127.0.0.1:" + std::to_string(port_) + "/"; }

void HttpTestServer::setFaults(const std::string& lines) const { writeBytes(root_ / "_faults", lines); }

}  // namespace tessera::test
