#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace tessera {

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

namespace {

// The path the rename should replace: a symbolic link is followed so that the link itself
// survives and the file it names gets the new contents.
std::string resolvedTarget(const std::string& path) {
    char resolved[PATH_MAX];
    struct stat info {};
    if (lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode) && realpath(path.c_str(), resolved))
        return resolved;
    return path;
}

// Creates a new file named `prefix` plus a unique suffix; its descriptor, or -1.
int createTemporaryFile(const std::string& prefix, std::string& path) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = prefix + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Writes `bytes` to a new temporary file beside `target`, flushed to disk, with the target's
// permission bits when it exists (else 0644 less the umask, applied by the kernel). The
// temporary file's path, or nullopt after removing whatever was made.
std::optional<std::string> writeTemporaryBeside(const std::string& target, const std::string& bytes) {
    const std::string folder = folderOf(target);
    const std::string name = target.substr(folder.size());
    std::string tempPath;
    const int fd = createTemporaryFile(folder + "." + name + ".tmp-", tempPath);
    if (fd < 0)
        return std::nullopt;
    struct stat existing {};
    const bool keepMode = stat(target.c_str(), &existing) == 0;
    bool ok = (!keepMode || fchmod(fd, existing.st_mode & 07777) == 0) && writeAll(fd, bytes) && fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return std::nullopt;
    }
    return tempPath;
}

// Makes a completed rename or link durable; failure here does not undo the write.
void syncFolder(const std::string& folder) {
    const int dirFd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        fsync(dirFd);
        ::close(dirFd);
    }
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty() || path.back() == '/')
        return false;
    const std::string target = resolvedTarget(path);
    const auto tempPath = writeTemporaryBeside(target, bytes);
    if (!tempPath)
        return false;
    if (std::rename(tempPath->c_str(), target.c_str()) != 0) {
        ::unlink(tempPath->c_str());
        return false;
    }
    syncFolder(folderOf(target));
    return true;
}

bool createFileAtomically(const std::string& path, const std::string& bytes) {
    if (path.empty() || path.back() == '/')
        return false;
    const auto tempPath = writeTemporaryBeside(path, bytes);
    if (!tempPath)
        return false;
    // link() fails with EEXIST instead of replacing, which rename() would do.
    const bool linked = ::link(tempPath->c_str(), path.c_str()) == 0;
    ::unlink(tempPath->c_str());
    if (linked)
        syncFolder(folderOf(path));
    return linked;
}

std::optional<std::string> readFileBounded(const std::string& path, std::size_t maxBytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return std::nullopt;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || static_cast<std::size_t>(info.st_size) > maxBytes) {
        ::close(fd);
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(static_cast<std::size_t>(info.st_size));
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            ::close(fd);
            return std::nullopt;
        }
        if (got == 0)
            break;
        // The file may grow while it is read; the limit holds regardless.
        if (bytes.size() + static_cast<std::size_t>(got) > maxBytes) {
            ::close(fd);
            return std::nullopt;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return bytes;
}

}  // namespace tessera
