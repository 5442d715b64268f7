#include "platform/private_temp_file.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/atomic_file.h"

namespace tessera {

bool preparePrivateFolder(const std::string& folder, std::string& error) {
    if (folder.empty()) {
        error = "no folder for the copy";
        return false;
    }
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "cannot make " + folder + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    // lstat: a symlink in place of the folder could point anywhere another user likes.
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        error = folder + " is not a folder (a symlink is not accepted)";
        return false;
    }
    if (info.st_uid != ::geteuid()) {
        error = folder + " belongs to another user";
        return false;
    }
    return true;
}

std::string writePrivateCopy(const std::string& folder, const std::string& prefix, const std::string& suffix,
                             const std::string& bytes, std::string& error) {
    if (!preparePrivateFolder(folder, error))
        return {};
    std::string name = folder;
    if (name.back() != '/')
        name += '/';
    name += prefix + "XXXXXX" + suffix;
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back('\0');
    const int fd = ::mkstemps(buffer.data(), static_cast<int>(suffix.size()));
    if (fd < 0) {
        error = "cannot make a file in " + folder + ": " + std::strerror(errno);
        return {};
    }
    const std::string path(buffer.data());
    const bool written = writeAll(fd, bytes);
    const int savedErrno = errno;
    if (::close(fd) != 0 || !written) {
        error = "cannot write " + path + ": " + std::strerror(written ? errno : savedErrno);
        ::unlink(path.c_str());
        return {};
    }
    return path;
}

void removePrivateCopy(const std::string& path) {
    if (!path.empty())
        ::unlink(path.c_str());
}

}  // namespace tessera
