#pragma once
// Fetching one file over HTTP(S) with libcurl, and unpacking a single-entry zip archive with
// libzip. Both write under a temporary name and rename at the end, so a failure never leaves a
// partial file at the target.

#include <atomic>
#include <string>

namespace tessera {

// Downloads url to target. False with a one-line reason in error on any failure (no connection,
// HTTP status >= 400, cancel, write error); the target is then absent. Waits at most
// timeoutSeconds in all.
bool downloadFile(const std::string& url, const std::string& target, std::string& error,
                  const std::atomic<bool>* cancel = nullptr, long timeoutSeconds = 60);

// Unpacks the first file entry of the zip archive to target (at most maxBytes). False with a
// reason otherwise; the target is then absent.
bool unpackSingleEntryZip(const std::string& archive, const std::string& target, std::string& error,
                          size_t maxBytes = size_t(64) << 20);

}  // namespace tessera
