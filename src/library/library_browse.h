#pragma once
// The browse commands of library and tutorial rooms over the room's result list, and the
// texts of the game list's columns.

#include <cstdint>
#include <string>
#include <vector>

#include "library/library_record.h"

namespace tessera {

enum class BrowseCommand { first, previous, next, last, random };

// The position a browse command moves to in a list of count games from position current
// (-1 = none), or -1 when nothing happens: first/last need a game; previous needs current >= 1;
// next moves one on (from no position to the first) unless at the end; random needs two games
// and takes randomValue modulo count.
int browseTarget(BrowseCommand command, int count, int current, uint32_t randomValue);

// The columns of the game list: ID, event (the game name, else the event), commentary
// ("注", "详注", "无", translated), date, black, black rank, white, white rank, result;
// an empty text shows "--".
std::vector<std::string> gameListColumns(const LibraryRecord& record);
// The translated headers of those columns.
std::vector<std::string> gameListHeaders();

}  // namespace tessera
