#pragma once
// SGG files: the program's own binary record format.

#include <filesystem>
#include <string>

#include "record/game_record.h"

namespace tessera {

// Reads an SGG file. False with a reason in error on failure.
bool LoadSggFile(const std::filesystem::path& file, GameRecord& record, std::string& error);
// Reads a whole SGG file held in memory (as LoadSggFile does a file).
bool ReadSggBytes(const std::string& bytes, GameRecord& record, std::string& error);
// The bytes of the SGG file of a record; false with a reason when it cannot be written.
bool WriteSggBytes(const GameRecord& record, std::string& bytes, std::string& error);
// Writes the record as SGG atomically. False with a reason in error on failure.
bool SaveSggFile(const std::filesystem::path& file, const GameRecord& record, std::string& error);

}  // namespace tessera
