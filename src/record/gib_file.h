#pragma once
// GIB files (a text record format of online servers): import only.

#include <filesystem>
#include <string>

#include "record/game_record.h"

namespace tessera {

// Reads a GIB file. False with a reason in error on failure.
bool ImportGib(const std::filesystem::path& file, GameRecord& record, std::string& error);

}  // namespace tessera
