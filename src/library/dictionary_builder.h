#pragma once
// Builds the dictionary file dic.db from a tab-separated text that people edit:
//
//   # comment lines and blank lines are skipped
//   <Simplified Chinese> TAB <English> [TAB <Traditional Chinese>]
//
// Rows get IDs 1, 2, ... in file order (so a later row for the same text wins on loading).
// An empty Traditional column leaves Big5_Text empty, and the Traditional interface then
// converts the text with OpenCC.

#include <cstddef>
#include <string>

namespace tessera {

struct DictionaryBuildResult {
    bool ok = false;
    size_t rows = 0;      // rows written
    std::string message;  // on failure: what went wrong (with the line number for bad lines)
};

// Parses tsv and writes a fresh dic.db at outputPath (a temporary file in the same folder,
// then renamed over any old one). Lines that are not valid UTF-8, lack the English column,
// or have more than three columns fail the build.
DictionaryBuildResult buildDictionary(const std::string& tsv, const std::string& outputPath);

}  // namespace tessera
