#include "platform/program_folders.h"

#include "platform/installed_layout.h"

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace tessera {

namespace {

// The folder of the running executable, from the kernel's link to it.
std::string executableFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || exe.empty())
        return {};
    return withTrailingSlash(exe.parent_path().string());
}

// The program folder of an installed program: the user's copy under the XDG data folder,
// seeded once per process; the shared (read-only) one when the user's cannot be made.
std::string installedProgramFolder(const std::string& sharedRoot) {
    static std::once_flag once;
    static std::string folder;
    std::call_once(once, [&] {
        const std::string userRoot = userDataFolder();
        const bool seeded = seedUserFolder(sharedRoot, userRoot);
        folder = (seeded ? userRoot : sharedRoot) + kInstalledProgramSubfolder;
    });
    return folder;
}

}  // namespace

std::string withTrailingSlash(const std::string& folder) {
    if (folder.empty() || folder.back() == '/')
        return folder;
    return folder + '/';
}

std::string GetProgramFolder() {
    const char* overridden = std::getenv("TESSERA_PROGRAM_FOLDER");
    if (overridden && *overridden) {
        std::error_code error;
        std::filesystem::path folder = std::filesystem::absolute(overridden, error);
        if (error)
            folder = overridden;
        return withTrailingSlash(folder.lexically_normal().string());
    }
    const std::string executable = executableFolder();
    const std::string shared = installedDataFolder(executable, TESSERA_INSTALLED_DATA_FROM_BIN);
    return shared.empty() ? executable : installedProgramFolder(shared);
}

std::string GetRootFolder(const std::string& given) {
    if (given.empty() || given.size() > kMaxFolderPathLength)
        return {};
    const std::string programFolder = withTrailingSlash(given);
    // The program folder ends with '/', so the second-last '/' ends its parent.
    const std::size_t last = programFolder.rfind('/');
    if (last == std::string::npos || last == 0)
        return {};
    const std::size_t secondLast = programFolder.rfind('/', last - 1);
    if (secondLast == std::string::npos)
        return {};
    return programFolder.substr(0, secondLast + 1);
}

std::string GetCustomFolder(const std::string& rootFolder) { return rootFolder + "custom/"; }

bool FileExists(const std::string& path) {
    if (path.empty())
        return false;
    struct stat info {};
    return lstat(path.c_str(), &info) == 0;
}

bool MakeFolderPath(const std::string& filePath) {
    const std::size_t lastSlash = filePath.rfind('/');
    if (lastSlash == std::string::npos)
        return true;  // a bare file name lives in the working folder, which exists
    const std::string folder = filePath.substr(0, lastSlash + 1);
    // One level after another, so that a failure names the level that could not be made.
    for (std::size_t slash = folder.find('/', 1); slash != std::string::npos; slash = folder.find('/', slash + 1)) {
        const std::string level = folder.substr(0, slash);
        if (mkdir(level.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    struct stat info {};
    return stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace tessera
