#pragma once
// A real HTTP server on 127.0.0.1 for tests: tests/data/http_test_server.py serving a folder
// (byte ranges, and per-path faults listed in the folder's "_faults" file). Stopped and
// reaped when the object goes.

#include <filesystem>
#include <string>

namespace tessera::test {

class HttpTestServer {
public:
    explicit HttpTestServer(const std::filesystem::path& root);
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    // True when the server answered with its port.
    bool running() const { return port_ > 0; }
    // "http://127.0.0.1:<port>/"
    std::string url() const;
    // Sets the faults file: lines "<path> cut|slow|norange" (empty: no faults).
    void setFaults(const std::string& lines) const;

private:
    std::filesystem::path root_;
    int pid_ = -1;
    int port_ = 0;
};

}  // namespace tessera::test
