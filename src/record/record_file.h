#pragma once
// Opening and saving a record by its file name's extension (".sgf", ".gib", ".sgg",
// compared without regard to case).

#include <filesystem>
#include <string>

#include "record/game_record.h"

namespace tessera {

// Reads the file into record (positions recomputed). False with a one-line reason in error
// when the extension is unknown or the file cannot be read; record is then left cleared.
bool loadRecordFile(const std::filesystem::path& file, GameRecord& record, std::string& error);

// Writes the record in the format its extension names (".sgf" or ".sgg"), atomically.
// False with a reason in error otherwise (nothing is written).
bool saveRecordFile(const std::filesystem::path& file, const GameRecord& record, std::string& error);

// The lower-case extension of a file name, dot included ("" when none).
std::string lowerExtension(const std::filesystem::path& file);

}  // namespace tessera
