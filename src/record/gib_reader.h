#pragma once
// GIB, the text format in which Tygem-style Go servers hand out game records: a header of
// "\[KEY=VALUE\]" lines ending at "\HE", then a body whose "STO" lines are the moves. The
// reader keeps the header entries (UTF-8) and the moves; gibToRecord makes a record of them.

#include <filesystem>
#include <string>
#include <vector>

#include "go/move.h"
#include "record/game_record.h"

namespace tessera {

class GibReader {
public:
    // A line is at most this many bytes; a longer one is taken in pieces, each a line.
    static constexpr size_t kMaxLineBytes = 899;
    // More moves than this is refused: each costs a whole position in the record.
    static constexpr size_t kMaxMoves = 100'000;

    // Reads the file. True when the header end ("\HE") was met; false with a reason in error
    // otherwise (also when the file cannot be read).
    bool read(const std::filesystem::path& file, std::string& error);
    // The same for bytes in memory.
    bool readBytes(const std::string& bytes, std::string& error);

    // The value of the first header entry whose key is exactly key; false when there is none.
    bool headerValue(const std::string& key, std::string& value) const;
    const std::vector<std::string>& headerKeys() const { return keys_; }
    const std::vector<std::string>& headerValues() const { return values_; }
    // The moves of the body, in file order (colour 0 means no stone).
    const std::vector<Move>& moves() const { return moves_; }
    // The handicap the body's "INI" line names (0 when none or out of 2-9).
    int handicap() const { return handicap_; }
    // The encoding the texts were decoded from ("UTF-8", "CP949", "GB18030", "CP932").
    const std::string& encoding() const { return encoding_; }

private:
    void clear();
    void readHeaderEntry(const std::string& line);
    void readMove(const std::string& line);
    void readHandicap(const std::string& line);

    std::vector<std::string> keys_;
    std::vector<std::string> values_;
    std::vector<Move> moves_;
    int handicap_ = 0;
    std::string encoding_;
};

// Fills record (cleared first) from the reader: game information from the header, one node
// per move in a single line (after a setup node with the handicap stones when the game has a
// handicap), positions recomputed on a 19 x 19 board.
void gibToRecord(const GibReader& reader, GameRecord& record);

}  // namespace tessera
