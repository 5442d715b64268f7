#pragma once
// Library patches and the custom index.
//
// Patches: numbered files published on the update server that add or replace GoFile and
// Player rows. The history file (GoMDBHisPatch.INI, sections patch0, patch1, ...) lists them;
// the update compares the local history with the server's, then either applies the new patches
// one by one or replaces the whole database (choosePatchPath). A patch data file is read whole
// and checked before anything is written, and applied in one transaction: a damaged or failing
// patch leaves the library exactly as it was.
//
// Patch data file (little-endian): "GoMDBPatchDat" padded with 0 to 20 bytes, f64 version 0.0,
// u32 game count, the games (u32 id, u16 LangType, u16 AppType, texts Event, Name, GameDate,
// Site as u16 length + GB18030 bytes, u32 GameMediaType, texts Black, BlackRank, White,
// WhiteRank, Result, u16 ResultType, u32 TotalCount, u32 LastBoardKey, u32 ExpositType,
// u32 user mark), u32 player count, players of 714 bytes (u32 id, then name 255, sex 50,
// nation 255, rank 100, birthday 50 bytes, each zero-terminated and zero-padded).
//
// Custom index: block/<group>/<file> under the program folder; a ".sql" file holds one SELECT,
// any other file an id list. block/translate.ini gives display names (block_names.h).

#include <cstdint>
#include <string>
#include <vector>

#include "library/library_record.h"
#include "platform/interface_language.h"

namespace tessera {

class LibraryStore;

// The library's language: GoMDB.ini [OPTION] LangType 10001 (default) Simplified Chinese,
// 10002 Traditional Chinese, anything else English.
struct LibraryLanguage {
    int langType = 1;                  // 1 Simplified, 2 Traditional, 0 English
    std::string folderName = "GoMDB";  // "GoMDB", "GoMDB_Big5", "GoMDB_English"
};
LibraryLanguage libraryLanguage(const std::string& programFolder);
// The local patch folder: <program folder>patch/<folder name>/.
std::string patchFolder(const std::string& programFolder, const LibraryLanguage& language);

struct PatchEntry {
    int32_t number = 0;
    int32_t publicDate = 0;
    int32_t deleteOld = 0;
    int32_t gameCount = 0;
    int32_t playerCount = 0;
    int32_t fileSize = 0;
    bool operator==(const PatchEntry&) const = default;
};

// The entries of a history file, patch0 onwards until a section without a positive PublicDate.
// A missing file gives an empty list.
std::vector<PatchEntry> readPatchHistory(const std::string& path);
// Writes entries as a history file (atomically); false when it cannot be written.
bool writePatchHistory(const std::string& path, const std::vector<PatchEntry>& entries);
// The remote entries numbered above the last local one (all of them when local is empty).
std::vector<PatchEntry> newPatches(const std::vector<PatchEntry>& local, const std::vector<PatchEntry>& remote);

enum class PatchPath { upToDate, applyPatches, replaceDatabase };
// What the update does: nothing without new patches; replace the database when the local
// history is empty, a new patch asks for it (DelOldFile 1) or the new patches' sizes sum
// above 1024; otherwise apply them in order.
PatchPath choosePatchPath(const std::vector<PatchEntry>& local, const std::vector<PatchEntry>& fresh);

// Reads a whole patch data file. False (both lists empty, reason in error) on a wrong magic,
// a version other than 0.0, a short file, trailing bytes or a count larger than the file holds.
bool readPatchData(const std::string& path, std::vector<LibraryRecord>& games, std::vector<PlayerRecord>& players,
                   std::string& error);
// The same over bytes in memory.
bool parsePatchData(const std::string& bytes, std::vector<LibraryRecord>& games, std::vector<PlayerRecord>& players,
                    std::string& error);
// The bytes of a patch data file (the publishing side and the tests).
std::string patchDataBytes(const std::vector<LibraryRecord>& games, const std::vector<PlayerRecord>& players);

// Puts every game, then every player (each replacing a row of the same id) in one transaction.
// False (nothing changed, reason in error) when any statement fails.
bool applyPatch(LibraryStore& store, const std::vector<LibraryRecord>& games, const std::vector<PlayerRecord>& players,
                std::string& error);

// One group of the custom index: its folder name on disk, display name, and index files.
struct BlockIndexFile {
    std::string name;         // on disk
    std::string displayName;  // from translate.ini, else the name
};
struct BlockGroup {
    std::string name;
    std::string displayName;
    std::vector<BlockIndexFile> files;
};
// The groups of <program folder>block/ and their files, sorted by name on disk, named for the
// interface language (0 English, 1 Simplified, 2 Traditional Chinese).
std::vector<BlockGroup> listBlockIndex(const std::string& programFolder, InterfaceLanguage interfaceLanguage);

}  // namespace tessera
