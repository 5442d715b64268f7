#include "library/library_game_file.h"

#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "library/library_store.h"
#include "platform/http_download.h"
#include "platform/ini_file.h"
#include "platform/program_folders.h"

namespace tessera {

std::string libraryDownloadRoot(const std::string& vantorIniPath) {
    const IniDocument ini = IniDocument::load(vantorIniPath);
    if (const auto root = ini.value("SETTING", "LibraryDownloadRoot"))
        return *root;
    std::string base = ini.readString("SETTING", "OnLineUpdateURL", "");
    if (base.empty())
        return "";  // no update server: no downloads
    if (base.back() != '/')
        base += '/';
    return base + "GoFile/";
}

bool ensureLibraryGameFile(const LibraryStore& store, int32_t id, const std::string& downloadRoot, std::string& error) {
    const std::string target = store.gamePath(id);
    if (id >= 0 && FileExists(target))
        return true;
    // A server library holds the game itself: the cache is filled from there first.
    if (std::string reason; id >= 0 && store.isServer() && store.cacheGameFile(id, reason))
        return true;
    char name[64];
    std::snprintf(name, sizeof name, "%08d.sgg.zip", id);
    const std::string zip = store.programFolder() + "temp/" + name;
    error = "can't download sgg file(" + zip + ")!";
    if (id < 0 || downloadRoot.empty() || !MakeFolderPath(zip))
        return false;
    char remote[64];
    std::snprintf(remote, sizeof remote, "%d/%08d.sgg.zip", id / 1000, id);
    std::string reason;
    std::string root = downloadRoot;
    if (root.back() != '/')
        root += '/';
    DownloadLimits limits;
    limits.totalSeconds = 60;  // the user waits for this one
    limits.maxBytes = std::uint64_t(64) << 20;
    const bool ok = downloadFile(root + remote, zip, reason, nullptr, limits) && MakeFolderPath(target) &&
                    unpackSingleEntryZip(zip, target, reason);
    ::unlink(zip.c_str());
    if (!ok) {
        ::unlink(target.c_str());
        return false;
    }
    error.clear();
    return true;
}

}  // namespace tessera
