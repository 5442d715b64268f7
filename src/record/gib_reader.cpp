#include "record/gib_reader.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

#include "go/board_geometry.h"
#include "go/play_move.h"
#include "platform/text_codec.h"
#include "record/handicap_layout.h"
#include "record/record_bytes.h"
#include "record/sgf_encoding.h"

namespace tessera {

namespace {

// The code page of a file that is not UTF-8: what its GIBOKIND header implies, else GB18030.
std::string codePageOf(const std::string& bytes) {
    const size_t at = bytes.find("GIBOKIND=");
    if (at != std::string::npos) {
        const std::string kind = bytes.substr(at + 9, 6);
        if (kind.rfind("Korea", 0) == 0)
            return "CP949";
        if (kind.rfind("Japan", 0) == 0)
            return "CP932";
    }
    return "GB18030";
}

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The pieces of text between runs of separator bytes, never splitting a two-byte character.
std::vector<std::string> splitPieces(const std::string& text, const char* separators, SgfByteGrouping grouping,
                                     size_t maxPieces) {
    std::vector<std::string> pieces;
    std::string current;
    const auto* data = reinterpret_cast<const unsigned char*>(text.data());
    for (size_t at = 0; at < text.size() && pieces.size() < maxPieces;) {
        const size_t length = characterLength(grouping, data + at, text.size() - at);
        if (length == 1 && std::strchr(separators, text[at]) && text[at] != '\0') {
            if (!current.empty())
                pieces.push_back(std::move(current));
            current.clear();
        } else {
            current.append(text, at, length);
        }
        at += length;
    }
    if (!current.empty() && pieces.size() < maxPieces)
        pieces.push_back(std::move(current));
    return pieces;
}

// A leading decimal integer of a piece, clamped so that range checks stay meaningful.
long leadingNumber(const std::string& piece) {
    return std::clamp(std::strtol(piece.c_str(), nullptr, 10), -1000000L, 1000000L);
}

// True when, after the setup stones, a move of the list lands on a stone.
bool movesHitStones(const std::vector<Move>& moves, const PointList& setup) {
    BoardGrid position(19, 19);
    position.setAll(setup, kBlack);
    PointList captured;
    for (const Move& move : moves) {
        if (move.isStoneMove() && position.get(move.point) != kEmpty)
            return true;
        playMove(position, move, captured);
    }
    return false;
}

// The handicap stones of the game: where the writing server puts them, unless the moves show
// that they stood in the other layout (a file passed through another program).
PointList gibHandicapStones(const GibReader& reader) {
    std::string kind;
    reader.headerValue("GIBOKIND", kind);
    const HandicapLayout layout = gibHandicapLayout(kind);
    PointList stones = handicapPoints(reader.handicap(), layout);
    if (movesHitStones(reader.moves(), stones)) {
        const HandicapLayout other =
            layout == HandicapLayout::kTygem ? HandicapLayout::kCommon : HandicapLayout::kTygem;
        PointList alternative = handicapPoints(reader.handicap(), other);
        if (!movesHitStones(reader.moves(), alternative))
            return alternative;
    }
    return stones;
}

}  // namespace

void GibReader::clear() {
    keys_.clear();
    values_.clear();
    moves_.clear();
    handicap_ = 0;
    encoding_.clear();
}

bool GibReader::read(const std::filesystem::path& file, std::string& error) {
    clear();
    std::string bytes;
    if (!loadFileBytes(file, bytes, error))
        return false;
    return readBytes(bytes, error);
}

bool GibReader::readBytes(const std::string& bytes, std::string& error) {
    clear();
    encoding_ = isValidUtf8(bytes) ? "UTF-8" : codePageOf(bytes);
    bool inBody = false;
    // The next "\n" at or after `at`, searched again only once passed: a file without line
    // breaks is scanned once, not once per piece.
    size_t newline = bytes.find('\n');
    for (size_t at = 0; at < bytes.size();) {
        // A line ends after its "\n" or after kMaxLineBytes bytes, whichever comes first.
        if (newline != std::string::npos && newline < at)
            newline = bytes.find('\n', at);
        const size_t lineEnd =
            std::min({newline == std::string::npos ? bytes.size() : newline + 1, bytes.size(), at + kMaxLineBytes});
        const std::string line = bytes.substr(at, lineEnd - at);
        at = lineEnd;
        if (!inBody) {
            if (startsWith(line, "\\HE"))
                inBody = true;
            else if (startsWith(line, "\\["))
                readHeaderEntry(line.substr(2));
        } else if (startsWith(line, "STO ")) {
            if (moves_.size() >= kMaxMoves) {
                error = "more than " + std::to_string(kMaxMoves) + " moves";
                return false;
            }
            readMove(line.substr(4));
        } else if (startsWith(line, "INI ")) {
            readHandicap(line.substr(4));
        }
    }
    if (!inBody)
        error = "not a GIB record: the header has no end (\\HE)";
    return inBody;
}

void GibReader::readHeaderEntry(const std::string& text) {
    const SgfByteGrouping grouping = encoding_ == "UTF-8" ? SgfByteGrouping::kSingleByte : groupingOf(encoding_);
    const auto pieces = splitPieces(text, "=]\r\n", grouping, 2);
    if (pieces.size() < 2)
        return;
    std::string value = pieces[1];
    // "\[KEY=VALUE\]": the backslash before the closing "]" is not part of the value.
    if (!value.empty() && value.back() == '\\' &&
        characterLength(grouping, reinterpret_cast<const unsigned char*>(value.data()) + value.size() - 1, 1) == 1)
        value.pop_back();
    if (value.empty())
        return;
    keys_.push_back(pieces[0]);
    values_.push_back(encoding_ == "UTF-8" ? value : toUtf8Lossy(value, encoding_.c_str()));
}

void GibReader::readMove(const std::string& text) {
    const auto pieces = splitPieces(text, " \t\r\n", SgfByteGrouping::kSingleByte, 5);
    if (pieces.size() < 5)
        return;
    const long colour = leadingNumber(pieces[2]);
    const long x = leadingNumber(pieces[3]);
    const long y = leadingNumber(pieces[4]);
    if (colour < 0 || colour > 2 || x < 0 || x > 18 || y < 0 || y > 18)
        return;
    moves_.push_back(Move{static_cast<uint32_t>(colour), colour == 0 ? -1 : BoardGeometry().pointAt(int(x), int(y))});
}

void GibReader::readHandicap(const std::string& text) {
    // "INI 0 1 3 &4": the third number is the number of handicap stones.
    const auto pieces = splitPieces(text, " \t\r\n", SgfByteGrouping::kSingleByte, 3);
    if (pieces.size() < 3)
        return;
    const long count = leadingNumber(pieces[2]);
    handicap_ = count >= 2 && count <= 9 ? int(count) : 0;
}

bool GibReader::headerValue(const std::string& key, std::string& value) const {
    for (size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i] == key) {
            value = values_[i];
            return true;
        }
    return false;
}

void gibToRecord(const GibReader& reader, GameRecord& record) {
    record.clear();
    GameInfo& info = record.info;
    std::string value;
    if (reader.headerValue("GAMERESULT", value)) {
        info.resultText = value;
        // Servers write the winner first: in Chinese, Korean, or English ("white wins by ...").
        std::string lower = value;
        std::transform(lower.begin(), lower.end(), lower.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        const bool englishWin = lower.find("win") != std::string::npos;
        if (startsWith(value, "黑") || startsWith(value, "흑") || (englishWin && startsWith(lower, "black")))
            info.resultType = kResultBlackWins;
        else if (startsWith(value, "白") || startsWith(value, "백") || (englishWin && startsWith(lower, "white")))
            info.resultType = kResultWhiteWins;
    }
    reader.headerValue("GAMENAME", info.gameName);
    reader.headerValue("GAMEBLACKNAME", info.blackName);
    reader.headerValue("GAMEWHITENAME", info.whiteName);
    info.langType = 1;
    info.appType = 1;
    info.mediaType = 2;
    info.blackKind = info.whiteKind = 2;
    if (reader.headerValue("GAMECONDITION", value)) {
        info.rulesText = value;
        info.ruleType = static_cast<int16_t>(parseRuleType(value));
    }
    int32_t parentId = -1;
    if (reader.handicap() > 0) {
        // The handicap stones stand in a setup node before the first move.
        info.handicap = static_cast<int16_t>(reader.handicap());
        GameNode setup;
        setup.addBlack = gibHandicapStones(reader);
        setup.sideToMove = kWhite;
        parentId = record.tree.addNode(std::move(setup))->id;
    }
    for (const Move& move : reader.moves()) {
        GameNode node;
        node.parentId = parentId;
        node.move = move.isStoneMove() ? move : Move{};
        parentId = record.tree.addNode(std::move(node))->id;
    }
    record.recomputePositions();
    info.totalMoves = record.tree.countMainLineMoves();
}

}  // namespace tessera
