#pragma once
// The library database go.db: its tables, their indexes, and opening it with a clear reason
// when it cannot be used.
//
//   GoFile  (ID, LangType, AppType, Event, Name, GameDate, Site, Black, BlackRank, White,
//            WhiteRank, Result, ResultType, TotalCount, LastBoardKey, GameMediaType, ExpositType)
//   Player  (ID, Name, Sex, Nation, Rank, Birthday, Information)
//   GameKey (ID, MainLineKey): the duplicate key of each imported game (board size, main line,
//            players), so a later import recognises a game already in the library.
//   GameData (ID, Bytes): on a database server only, the SGG bytes of every game, so that all
//            clients see the same games (the local GoFile/ folder is then a cache).

#include <string>

#include "library/database.h"

namespace tessera {

// Creates every missing table and index; true when they all exist afterwards.
bool createLibrarySchema(Database& database);

// How openLibraryDatabase treats the file.
enum class LibraryAccess { readOnly, readWrite };

// Opens the library at path, or on the database server its connection template names
// (PostgreSQL): there the tables are created when missing (readWrite) and path is unused.
// Opens the library at path, creating it with its schema when the file is missing (readWrite
// only). False with a one-line reason in error when the file is not an SQLite database, is
// locked by another program, cannot be created, lacks the tables and cannot get them, or (for
// readWrite) cannot be written. An existing file is never replaced or emptied.
bool openLibraryDatabase(Database& database, const std::string& path, LibraryAccess access, std::string& error);

}  // namespace tessera
