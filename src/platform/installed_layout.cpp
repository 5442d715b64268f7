#include "platform/installed_layout.h"

#include <pwd.h>
#include <unistd.h>
#include <cstdlib>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/program_folders.h"

namespace tessera {

namespace fs = std::filesystem;

namespace {

// Larger shipped files are not copied (a data file of that size is a packaging mistake).
constexpr std::size_t kMaxSeededFileBytes = 512u * 1024u * 1024u;

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// True when `path` is a link that leads nowhere (its target was moved or removed).
bool isDanglingLink(const fs::path& path) {
    std::error_code error;
    return fs::is_symlink(fs::symlink_status(path, error)) && !fs::exists(path, error);
}

// Links `shared` at `user` unless the user has an entry of that name that still leads somewhere.
void linkFolder(const fs::path& shared, const fs::path& user) {
    std::error_code error;
    if (isDanglingLink(user))
        fs::remove(user, error);
    else if (FileExists(user.string()))
        return;
    fs::create_directory_symlink(shared, user, error);
}

// Copies `shared` to `user` unless the user has an entry of that name.
void copyFile(const fs::path& shared, const fs::path& user) {
    if (FileExists(user.string()) && !isDanglingLink(user))
        return;
    std::error_code error;
    fs::remove(user, error);
    if (const auto bytes = readFileBounded(shared.string(), kMaxSeededFileBytes))
        createFileAtomically(user.string(), *bytes);
}

// Seeds the entries of one folder level; the program folder is descended into, other
// folders are linked as a whole.
void seedLevel(const fs::path& shared, const fs::path& user, bool topLevel) {
    std::error_code error;
    for (fs::directory_iterator it(shared, error), end; !error && it != end; it.increment(error)) {
        const fs::path from = it->path();
        const fs::path to = user / from.filename();
        if (!isFolder(from)) {
            copyFile(from, to);
        } else if (topLevel && from.filename() == fs::path(kInstalledProgramSubfolder).parent_path()) {
            fs::create_directories(to, error);
            seedLevel(from, to, false);
        } else {
            linkFolder(from, to);
        }
    }
}

}  // namespace

std::string installedDataFolder(const std::string& executableFolder, const std::string& relativeDataFolder) {
    if (executableFolder.empty() || relativeDataFolder.empty())
        return {};
    const fs::path shared = (fs::path(executableFolder) / relativeDataFolder).lexically_normal();
    if (!isFolder(shared / kInstalledProgramSubfolder))
        return {};
    return withTrailingSlash(shared.string());
}

std::string userDataFolder() {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome && dataHome[0] == '/')
        return withTrailingSlash(dataHome) + "tessera/";
    std::string home;
    if (const char* variable = std::getenv("HOME"); variable && variable[0] == '/') {
        home = variable;
    } else if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir && entry->pw_dir[0] == '/') {
        home = entry->pw_dir;
    }
    if (home.empty())
        return {};
    return withTrailingSlash(home) + ".local/share/tessera/";
}

bool seedUserFolder(const std::string& sharedRoot, const std::string& userRoot) {
    if (sharedRoot.empty() || userRoot.empty())
        return false;
    const fs::path user(userRoot);
    std::error_code error;
    fs::create_directories(user / kInstalledProgramSubfolder, error);
    if (!isFolder(user / kInstalledProgramSubfolder))
        return false;
    seedLevel(fs::path(sharedRoot), user, true);
    return true;
}

}  // namespace tessera
