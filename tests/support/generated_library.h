#pragma once
// Small libraries for the update tests: distinct one-line games written as SGF and imported
// through the real import into a program folder's go.db and GoFile/.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "library/library_import.h"
#include "library/library_store.h"
#include "support/test_support.h"

namespace tessera::test {

// Imports games number first .. first + count - 1 (each a different first move and Black)
// into the library of programFolder; scratch holds the SGF files.
inline void importGeneratedGames(const std::string& programFolder, const std::filesystem::path& scratch, int first,
                                 int count) {
    const std::filesystem::path folder = scratch / ("sgf" + std::to_string(first));
    for (int number = first; number < first + count; ++number) {
        const char x = static_cast<char>('a' + number % 19), y = static_cast<char>('a' + number / 19 % 19);
        ASSERT_TRUE(writeBytes(folder / (std::to_string(number) + ".sgf"),
                               "(;GM[1]FF[4]SZ[19]PB[Black " + std::to_string(number) + "]PW[White]DT[2020-01-01];B[" +
                                   x + y + "];W[ss])"));
    }
    LibraryStore store(programFolder);
    std::string error;
    ASSERT_TRUE(store.open(LibraryAccess::readWrite, error)) << error;
    ImportSummary summary;
    ASSERT_TRUE(importRecords(store, {folder.string()}, {}, summary));
    ASSERT_EQ(summary.imported, count);
}

}  // namespace tessera::test
