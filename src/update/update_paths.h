#pragma once
// Where things lie on the update server, relative to its base URL (or to a published folder),
// and which program-folder paths belong to the update itself rather than to the file index.

#include <cstdint>
#include <string>

namespace tessera::update_paths {

inline constexpr const char* kFileIndexIni = "ftpindex.ini";
inline constexpr const char* kFileIndexDat = "ftpindex.dat";

// "Patch/<library folder>/GoMDBHisPatch.INI"
std::string patchHistory(const std::string& libraryFolder);
// "Patch/<library folder>/patch<n>_GoMDB.dat.zip"
std::string patchData(const std::string& libraryFolder, int number);
// "Patch/<library folder>/go.db.zip": the whole database, packed.
std::string packedDatabase(const std::string& libraryFolder);
// "GoFile/<id/1000>/<id:08>.sgg.zip"
std::string gameZip(std::int32_t id);

// True for a safe index path (isSafeIndexPath) that is not one of the files and folders the
// library update and the log own: go.db, GoFile/, patch/, temp/, block/, ftpindex.*, log.txt,
// GoMDB.ini, custom/, and the search index/ that each library builds from its own games.
bool isDataFilePath(const std::string& path);

}  // namespace tessera::update_paths
