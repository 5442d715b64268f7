#pragma once
// Making a problem book from record files: the records enter the library as problems
// (AppType 3) with their right and wrong answers written into their move tags, the ids go to
// the index file block/books/<name>, and TPBs.ini lists the book with its titles in the three
// interface languages. Importing into an existing book adds the new problems after its own.

#include <atomic>
#include <string>
#include <vector>

#include "library/library_import.h"

namespace tessera {

class LibraryStore;

// The group folder of the books made here.
inline constexpr const char* kBookGroup = "books";

struct BookImportRequest {
    std::string name;                // the Simplified Chinese title, also the index file's name
    std::string englishTitle;        // empty: the name
    std::string traditionalTitle;    // empty: the name converted with OpenCC
    std::vector<std::string> paths;  // record files and folders
    int singlePlay = 0;
};

struct BookImportResult {
    ImportSummary summary;
    int problems = 0;  // ids in the book's index after the import
    std::string indexPath;
    int bookIndex = -1;  // the book's place in TPBs.ini
    std::string error;   // why the book could not be made (empty on success)
};

// The index file name for a book name: path separators and control characters become '_';
// empty for names that cannot be one ("", ".", "..").
std::string bookFileName(const std::string& name);

// Imports the records into the open store and makes or extends the book in programFolder.
// False with result.error set when nothing usable came of it (bad name, library failure, no
// record read, index or TPBs.ini not written).
bool importProblemBook(LibraryStore& store, const std::string& programFolder, const BookImportRequest& request,
                       BookImportResult& result, const ImportProgress& progress = {},
                       const std::atomic<bool>* cancel = nullptr);

}  // namespace tessera
