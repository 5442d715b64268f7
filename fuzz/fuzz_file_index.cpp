// libFuzzer target: the update's file index parser, its path check and the patch data parser
// on any bytes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "library/library_patch.h"
#include "update/file_index.h"
#include "update/update_paths.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string error;
    if (const auto entries = tessera::parseFileIndex(bytes, error))
        for (const auto& entry : *entries)
            tessera::update_paths::isDataFilePath(entry.path);
    std::vector<tessera::LibraryRecord> games;
    std::vector<tessera::PlayerRecord> players;
    tessera::parsePatchData(bytes, games, players, error);
    return 0;
}
