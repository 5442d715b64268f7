#pragma once
// Bringing record files (SGF, GIB, SGG; folders walked recursively) into the library: each new
// game gets the next id, its SGG file in the store and its GoFile row; new player names get a
// Player row. A game already in the library (same board size, main line of moves and players)
// is counted as a duplicate and not stored again. Files that cannot be read are refused with
// their reason and never stop the import.
//
// Work goes in batches: the files of a batch are parsed on every core, numbered in file order,
// written as SGG files, then their rows are inserted in one transaction. A cancel takes effect
// between batches, so everything imported before it stays, consistent: a row is committed only
// after its file is written, and the files of a batch whose commit fails are removed again.
// On a server library the game bytes go into the server's GameData table in the batch's
// transaction instead, and importers running at the same time take turns per batch, so no id
// is given twice and no game is stored twice.

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "record/game_record.h"

namespace tessera {

class LibraryStore;

struct ImportOptions {
    int appType = 1;         // GoFile.AppType of the imported games: 1 record, 2 tutorial, 3 problems
    unsigned threads = 0;    // parsing threads; 0 = one per core
    size_t batchSize = 256;  // games per transaction
    // Runs on every record after it is read (on the parsing threads), before it is stored.
    std::function<void(GameRecord&)> prepare;
};

struct RefusedFile {
    std::string file;
    std::string error;
};

struct ImportSummary {
    int imported = 0;
    int duplicates = 0;
    int refused = 0;
    std::vector<RefusedFile> refusedFiles;
    std::vector<int32_t> importedIds;  // ids of the new games, in file order
    std::vector<int32_t> gameIds;      // every read file's game in file order: new, or the copy already held
    bool cancelled = false;
    std::string error;       // set when the library itself failed (the import stopped there)
    std::string indexError;  // set when the search index could not take the new games (they are stored)
};

// Called after each batch with the number of files handled and the total.
using ImportProgress = std::function<void(size_t done, size_t total)>;

// The record files named by paths: files as given (any extension: unknown ones are refused on
// reading), folders walked recursively for .sgf, .gib and .sgg files (case ignored), each
// folder's files sorted by name. Paths that do not exist go to refused.
std::vector<std::string> collectRecordFiles(const std::vector<std::string>& paths, std::vector<RefusedFile>& refused);

// The duplicate key of a game: board size, the main line's moves and both players' names.
// A record without players (problems, tutorials: they often share their first moves) also
// counts the setup stones of the main line.
uint64_t duplicateKey(const GameRecord& record);

// Imports the files into the open store (see the header comment). The summary says what
// happened; summary.error is set (and false returned) when the library could not be written.
bool importRecords(LibraryStore& store, const std::vector<std::string>& paths, const ImportOptions& options,
                   ImportSummary& summary, const ImportProgress& progress = {},
                   const std::atomic<bool>* cancel = nullptr);

}  // namespace tessera
