#pragma once
// The online update: brings the library and the data files of the program folder up to date
// from an update server (a tree that `tessera-cli publish` makes), in three steps:
//   1. library patches, or the whole packed database when the local history is empty, a patch
//      asks for it or the new patches are large (choosePatchPath);
//   2. the SGG files of the games those patches add;
//   3. the data files named by the server's file index whose CRC-32 differs from the local file.
//
// Nothing is ever half-written: every file is unpacked beside its target under a temporary
// name and renamed into place only when its CRC is right; the SGG files of a patch are in
// place before the patch touches the database, and the local patch history and file index
// change only after what they describe is in place. A new database replaces the old one only
// after it opens and lists its games; the old file comes back if the new one will not open,
// and is kept as go.db.before-update otherwise (it may hold games the user imported).
// A failed or cancelled run can simply be run again: it carries on where this one stopped.
//
// Runs on any thread; the store's lock serialises its database work with the window's.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/http_download.h"

namespace tessera {

class LibraryStore;
class ProgramLog;

// What the update is doing; the window and tessera-cli word it.
enum class UpdateStep {
    downloadPatchIndex,  // fetching the server's patch history
    patchIndexFailed,    // error: why
    downloadPatch,       // number
    applyPatch,          // number
    downloadDatabase,    // the whole packed database
    downloadGames,       // done / total SGG files
    analyseFiles,        // comparing versions of the file index
    noUpdate,            // the file index has not changed
    downloadFileIndex,
    buildFileList,
    downloadFile,  // path, done / total
    reopenDataFiles,
    fileFailed,  // path, error
    finished,
};

struct UpdateEvent {
    UpdateStep step = UpdateStep::finished;
    int number = 0;
    std::string path;
    std::string error;
    int done = 0;
    int total = 0;
};

struct UpdateOptions {
    std::string baseUrl;                        // the server's base, ending with '/' (added when missing)
    DownloadLimits limits = {.resume = true};   // for every file
    const std::atomic<bool>* cancel = nullptr;  // checked between files and during every transfer
    ProgramLog* log = nullptr;                  // download and unpacking failures are logged here
};

struct UpdateFailure {
    std::string path;  // as on the server (or the program-folder path of a refused index entry)
    std::string error;
};

struct UpdateReport {
    std::vector<int> patches;  // patch numbers now in the library
    bool databaseReplaced = false;
    int games = 0;  // SGG files fetched
    int files = 0;  // data files replaced
    std::vector<UpdateFailure> failed;
    bool cancelled = false;
    std::string error;  // the whole update could not run (no server configured, ...)
    // True when the program should reopen its library and data files.
    bool dataChanged() const { return databaseReplaced || !patches.empty() || files > 0 || games > 0; }
};

// Runs the whole update against the store's program folder. The store is open (read-write) on
// entry and on return. onEvent is called on the calling thread.
UpdateReport runOnlineUpdate(LibraryStore& store, const UpdateOptions& options,
                             const std::function<void(const UpdateEvent&)>& onEvent);

}  // namespace tessera
