#pragma once
// SGG records, the program's own binary format: the same four verbs as sgf_file.h:
// read bytes, load a file, write bytes, save a file.

#include <filesystem>
#include <string>

#include "record/game_record.h"

namespace tessera {

// Fills record (cleared first, positions recomputed) from the bytes of an SGG file. False
// with a reason in error on failure; record is then left cleared.
bool readSggBytes(const std::string& bytes, GameRecord& record, std::string& error);
// readSggBytes for the contents of a file; false with a reason when it cannot be read.
bool loadSggFile(const std::filesystem::path& file, GameRecord& record, std::string& error);
// The bytes of the SGG file of a record; false with a reason when it cannot be written.
bool writeSggBytes(const GameRecord& record, std::string& bytes, std::string& error);
// Writes writeSggBytes' bytes to the file atomically; false with a reason (nothing is written).
bool saveSggFile(const std::filesystem::path& file, const GameRecord& record, std::string& error);

}  // namespace tessera
