#pragma once
// Moving a local library (go.db and its GoFile/ folder) onto a library server, and what a
// library holds.

#include <cstdint>
#include <functional>
#include <string>

namespace tessera {

class LibraryStore;

struct LibraryCopySummary {
    int copied = 0;        // games copied with their rows, keys and file bytes
    int alreadyThere = 0;  // games whose id the server holds already (left as they are)
    int missingFiles = 0;  // games copied without bytes: no file in the local GoFile/
    int players = 0;       // players copied
    std::string error;     // set when a library could not be read or written
};

// Copies every game and player of the open local library `from` into the open server library
// `to`, in transactions of a few hundred games. A game or player whose id the server already
// holds is left alone, so a copy that was interrupted can simply be run again. False with
// summary.error when either library fails; what was committed before stays.
bool copyLibrary(LibraryStore& from, LibraryStore& to, LibraryCopySummary& summary,
                 const std::function<void(size_t done, size_t total)>& progress = {});

struct LibraryStatus {
    int64_t games = 0;
    int64_t players = 0;
    int64_t storedFiles = -1;  // rows of GameData (server libraries), -1 for a local library
    int32_t largestId = -1;
};

// Counts what the open library holds; false with error when it cannot be read.
bool libraryStatus(LibraryStore& store, LibraryStatus& status, std::string& error);

}  // namespace tessera
