#pragma once
// The in-memory forms of the library's rows: LibraryRecord (one GoFile row, one game) and
// PlayerRecord (one Player row), and how a game record's information becomes a library row.

#include <cstdint>
#include <string>

#include "record/game_record.h"

namespace tessera {

// Application types of a library game (GoFile.AppType).
enum LibraryAppType : int { kAppUnknown = 0, kAppGameRecord = 1, kAppTutorial = 2, kAppProblem = 3 };

// User marks of a library game (GameMarkMap); unread games have no stored mark.
enum LibraryMark : int { kMarkUnread = 0, kMarkRead = 1, kMarkHot = 2 };

// One GoFile row. Texts are UTF-8; a new record has the values below.
struct LibraryRecord {
    int32_t id = -1;
    uint16_t langType = 0xFFFF;
    uint16_t appType = 0;
    std::string event, gameName, date, place;  // date: YYYY-MM-DD or empty
    int32_t mediaType = 0;
    std::string black, blackRank, white, whiteRank, resultText;
    int16_t resultType = -1;  // -1 unknown, 0 draw, 1 black wins, 2 white wins
    int32_t totalMoves = 0;
    int32_t lastBoardKey = -1;
    int32_t expositType = 0;  // 2 commented, 3 detailed commentary, else none
    int32_t mark = 0;         // the user's mark (not stored in GoFile)

    bool operator==(const LibraryRecord&) const = default;
};

// One Player row (Information is never kept). Texts are cut to the widths of the patch files
// (name 254, sex 49, nation 254, rank 99, birthday 49 bytes) on a character boundary.
struct PlayerRecord {
    int32_t id = -1;
    std::string name, sex, nation, rank, birthday;

    bool operator==(const PlayerRecord&) const = default;
};

// Field widths of PlayerRecord in the patch files, terminator included.
inline constexpr size_t kPlayerNameBytes = 255, kPlayerSexBytes = 50, kPlayerNationBytes = 255, kPlayerRankBytes = 100,
                        kPlayerBirthdayBytes = 50;

// Cuts every text of the player to its width (minus the terminator) on a UTF-8 boundary.
void fitPlayerFields(PlayerRecord& player);

// "YYYY-MM-DD" when the free date text names a full date (the first year 1000-2999 followed by
// a month and a day, e.g. "2004-01-05,06", "2004/1/5", "2004年1月5日"), else "".
std::string normaliseGameDate(const std::string& text);

// A 32-bit key of a position (board size and stones), stable across runs.
int32_t positionKey(const BoardGrid& position, int width, int height);

// The GoFile row of a record: the game information field by field, the date normalised, the
// move count and final-position key of the main line, commentary level 2 when any node
// carries a comment. The id is the record's libraryId.
LibraryRecord libraryRecordOf(const GameRecord& record);

// Copies the row's fields into the game information (the inverse of the mapping above).
void applyLibraryRecord(const LibraryRecord& row, GameInfo& info);

}  // namespace tessera
