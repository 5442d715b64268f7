#pragma once
// GIB records (the text format of online servers): read only, there is no GIB writer.
// The same verbs as sgf_file.h and sgg_file.h: read bytes, load a file.

#include <filesystem>
#include <string>

#include "record/game_record.h"

namespace tessera {

// Fills record (cleared first, positions recomputed) from the bytes of a GIB file. False with
// a reason in error when the header never ends; record is then left cleared.
bool readGibBytes(const std::string& bytes, GameRecord& record, std::string& error);
// readGibBytes for the contents of a file; false with a reason when it cannot be read.
bool loadGibFile(const std::filesystem::path& file, GameRecord& record, std::string& error);

}  // namespace tessera
