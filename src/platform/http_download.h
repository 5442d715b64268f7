#pragma once
// Fetching one file over HTTP(S) with libcurl, unpacking a single-entry zip archive with
// libzip, and the zip CRC-32 of a file. Downloads and unpacking write under a temporary name
// and rename at the end, so a failure never leaves a partial file at the target.
//
// Proxies come from the environment as libcurl reads it (http_proxy, https_proxy, all_proxy,
// no_proxy), so a user behind a proxy needs no setting of ours.

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

namespace tessera {

// Bounds of one download. A server that stops sending, sends forever or sends too much is a
// failure, never a hang or a full disk.
struct DownloadLimits {
    long connectSeconds = 15;  // to open the connection
    long stallSeconds = 30;    // no byte for this long ends the transfer
    long totalSeconds = 0;     // whole transfer; 0: no limit beyond the stall limit
    std::uint64_t maxBytes = std::uint64_t(1) << 30;
    // Keep the bytes of an interrupted transfer in "<target>.part" and continue from them on
    // the next call (a server that ignores the range request is read again from the start).
    bool resume = false;
};

// Downloads url to target. False with a one-line reason in error on any failure (no connection,
// HTTP status >= 400, a limit passed, cancel, write error); the target is then absent (and
// "<target>.part" too, unless limits.resume keeps the bytes received for the next call).
bool downloadFile(const std::string& url, const std::string& target, std::string& error,
                  const std::atomic<bool>* cancel = nullptr, const DownloadLimits& limits = {});

struct UnzipOptions {
    std::uint64_t maxBytes = std::uint64_t(1) << 30;  // unpacked size
    std::optional<std::uint32_t> expectedCrc;         // besides the archive's own CRC
};

// Unpacks the one file of a zip archive (stored or deflated) to target. The bytes go to a
// temporary file beside target, which is renamed into place only when the size and CRC-32
// match the archive's entry (and options.expectedCrc). False with a reason otherwise ("unable
// to open source file", "problem while unzipping file", ...); the target is then untouched.
bool unpackSingleEntryZip(const std::string& archive, const std::string& target, std::string& error,
                          const UnzipOptions& options = {});

// Packs the file at source as the one deflated entry entryName of a new zip archive (written
// under a temporary name and renamed). False with a reason otherwise.
bool zipSingleFile(const std::string& source, const std::string& archive, const std::string& entryName,
                   std::string& error);

// The zip CRC-32 of the file's bytes; nullopt when it cannot be read.
std::optional<std::uint32_t> fileCrc32(const std::string& path);

}  // namespace tessera
