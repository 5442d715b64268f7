#pragma once
// Finding games in the library: the five kinds of query a room keeps (by date, by player, by
// event, by custom index, free SQL), the player list with its initial-letter filter, and the
// event and nation lists of the search dialog.
//
// Names and events are bound as parameters, never pasted into SQL, so a name holding "'"
// finds its games. Free SQL (typed or from a .sql file of the block folder) must be a single
// SELECT (or WITH) statement: anything else gives an empty list and changes nothing.

#include <cstdint>
#include <string>
#include <vector>

#include "library/database.h"
#include "library/library_record.h"

namespace tessera {

class LibraryStore;

enum LibraryQueryKind : int {
    kQueryByDate = 1,
    kQueryByPlayer = 2,
    kQueryByEvent = 3,
    kQueryByIndex = 4,
    kQueryBySql = 5
};
enum DateQueryKind : int { kLatestGames = 0, kDateRange = 1, kUndatedGames = 2 };
enum PlayerSide : int { kEitherSide = 0, kBlackSide = 1, kWhiteSide = 2 };
enum PlayerResult : int { kAnyResult = 0, kPlayerWins = 1, kPlayerDraws = 2, kPlayerLoses = 3, kResultNotKnown = 4 };

// The query descriptor a room keeps. Only the fields of its kind are used.
struct LibraryQuery {
    int kind = 0;
    int dateKind = kLatestGames;
    int32_t fromDate = 0, toDate = 0;  // YYYYMMDD; a toDate below 1 means 29991231
    int side = kEitherSide;
    int result = kAnyResult;
    std::string player;       // kind 2
    std::string event;        // kind 3
    std::string group, file;  // kind 4: block/<group>/<file>
    std::string sql;          // kind 5

    bool operator==(const LibraryQuery&) const = default;
};

// The statement and its bound values of a kind 1, 2, 3 or 5 query; the latest-games window is
// the year before currentYear and currentYear. Empty sql for other kinds.
struct BoundSql {
    std::string sql;
    std::vector<SqlParameter> parameters;
};
BoundSql librarySql(const LibraryQuery& query, int currentYear);

// True when text is one SELECT or WITH statement (a trailing ";" allowed).
bool isSingleSelect(const std::string& text);

// The index file of a kind-4 query, "<program folder>block/<group>/<file>"; empty when group or
// file is empty or could leave the block folder ("..", "/").
std::string blockIndexPath(const std::string& programFolder, const std::string& group, const std::string& file);

// Empties list and appends the games of the query (marks filled in); the number of games.
// Failures (bad SQL, unreadable index file, unknown kind) give an empty list.
// currentYear < 0 takes the year of the local clock.
int runLibraryQuery(LibraryStore& store, const LibraryQuery& query, std::vector<LibraryRecord>& list,
                    int currentYear = -1);

// The initial letter of a player name for the letter filter ('A'-'Z'), or 0 when there is none:
// an ASCII first letter upper-cased, else for a GB2312 character the exception table, then
// the pinyin boundaries of the GB2312 code.
char playerInitial(const std::string& name);

// The Player statement of the dialog's filters (empty texts mean "all"); sex is stored as
// "Man", "Woman" or "Computer".
BoundSql playerListSql(const std::string& nation, const std::string& sex);
// Empties list and appends the players of the statement whose initial is letter (any when
// letter is 0, case ignored). False when the statement failed.
bool loadPlayers(LibraryStore& store, const BoundSql& sql, char letter, std::vector<PlayerRecord>& list);

// The distinct events of the library, sorted.
bool eventNames(LibraryStore& store, std::vector<std::string>& list);
// The distinct nations of the players, sorted.
bool nationNames(LibraryStore& store, std::vector<std::string>& list);

}  // namespace tessera
