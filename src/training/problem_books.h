#pragma once
// The problem books of TPBs.ini (program folder). A book is a custom index of the library
// (block/<GROUP>/<BLOCK>) with a title in each interface language:
//
//   [TPBS]
//   DEFAULT=0          ; the book selected when the list opens
//   TOTAL=2
//   [TPB_0]
//   TITLE0=Life and death      ; English
//   TITLE1=死活                 ; Simplified Chinese
//   TITLE2=死活                 ; Traditional Chinese
//   SinglePlay=0               ; 1: the book starts with one-person study on
//   GROUP=books
//   BLOCK=死活
//
// Books are read in order until the first one without a title, group or index file.

#include <string>
#include <vector>

namespace tessera {

struct ProblemBook {
    std::string title;  // in the language it was read for
    int singlePlay = 0;
    std::string group;
    std::string block;
};

struct ProblemBookList {
    std::vector<ProblemBook> books;
    int selected = 0;  // index of the preselected book (0 when the list is empty)
};

// The books of the file at path with their titles in interface language 0 (English),
// 1 (Simplified) or 2 (Traditional Chinese). A missing file gives an empty list. Texts are
// cut to 255 bytes on a character boundary.
ProblemBookList loadProblemBooks(const std::string& path, int language);

// A book to add or renew; titles[k] is the title for interface language k.
struct ProblemBookEntry {
    std::string titles[3];
    int singlePlay = 0;
    std::string group;
    std::string block;
};

// Adds the book to the file at path (made when missing), or renews the titles of the book
// with the same group and index file. A new book takes the first place the reader does not
// reach (so it is always listed). The file is written atomically; false (file unchanged)
// when it cannot be read whole or written. index: the book's place.
bool saveProblemBook(const std::string& path, const ProblemBookEntry& entry, int* index = nullptr);

}  // namespace tessera
