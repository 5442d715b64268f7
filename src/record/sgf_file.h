#pragma once
// SGF files: reading into a GameRecord and writing one (UTF-8, atomically).

#include <filesystem>
#include <string>

#include "record/game_record.h"

namespace tessera {

// Reads the first game tree of an SGF file. False with a reason in error on failure.
bool LoadSgfFile(const std::filesystem::path& file, GameRecord& record, std::string& error);
// Writes the record as SGF. False with a reason in error on failure (nothing is written).
bool SaveSgfFile(const std::filesystem::path& file, const GameRecord& record, std::string& error);

// LoadSgfFile for the bytes of a file already in memory.
bool readSgfRecord(const std::string& bytes, GameRecord& record, std::string& error);
// The SGF text SaveSgfFile writes; false with a reason in error when the record cannot be written.
bool sgfRecordText(const GameRecord& record, std::string& text, std::string& error);

}  // namespace tessera
