#include "update/update_paths.h"

#include <cstdio>

#include "update/file_index.h"

namespace tessera::update_paths {

std::string patchHistory(const std::string& libraryFolder) { return "Patch/" + libraryFolder + "/GoMDBHisPatch.INI"; }

std::string patchData(const std::string& libraryFolder, int number) {
    return "Patch/" + libraryFolder + "/patch" + std::to_string(number) + "_GoMDB.dat.zip";
}

std::string packedDatabase(const std::string& libraryFolder) { return "Patch/" + libraryFolder + "/go.db.zip"; }

std::string gameZip(std::int32_t id) {
    char text[64];
    std::snprintf(text, sizeof text, "GoFile/%d/%08d.sgg.zip", id / 1000, id);
    return text;
}

bool isDataFilePath(const std::string& path) {
    if (!isSafeIndexPath(path))
        return false;
    const std::string first = path.substr(0, path.find('/'));
    const bool folder = first.size() < path.size();
    if (folder)
        return first != "GoFile" && first != "patch" && first != "temp" && first != "block" && first != "custom" &&
               first != "FtpMirror" && first != "index" && first != "cache";
    return first != "go.db" && first.rfind("go.db-", 0) != 0 && first.rfind("ftpindex.", 0) != 0 &&
           first != "log.txt" && first != "GoMDB.ini";
}

}  // namespace tessera::update_paths
