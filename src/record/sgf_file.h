#pragma once
// SGF records: the same four verbs as sgg_file.h (and the first two of gib_file.h):
// read bytes, load a file, write bytes, save a file. Written text is UTF-8.

#include <filesystem>
#include <string>

#include "record/game_record.h"

namespace tessera {

// Fills record (cleared first, positions recomputed) from the first game tree of SGF bytes.
// False with a reason in error on failure; record is then left cleared.
bool readSgfBytes(const std::string& bytes, GameRecord& record, std::string& error);
// readSgfBytes for the contents of a file; false with a reason when it cannot be read.
bool loadSgfFile(const std::filesystem::path& file, GameRecord& record, std::string& error);
// The SGF text of a record; false with a reason in error when the record cannot be written.
bool writeSgfBytes(const GameRecord& record, std::string& bytes, std::string& error);
// Writes writeSgfBytes' text to the file atomically; false with a reason (nothing is written).
bool saveSgfFile(const std::filesystem::path& file, const GameRecord& record, std::string& error);

}  // namespace tessera
