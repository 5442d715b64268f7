#include "library/library_record.h"

#include <cctype>
#include <cstdio>

namespace tessera {
namespace {

// text cut to at most maxBytes without splitting a UTF-8 character.
void cutUtf8(std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes)
        return;
    size_t end = maxBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    text.resize(end);
}

// Reads the next run of decimal digits at or after `at`; -1 when there is none.
long nextNumber(const std::string& text, size_t& at, size_t* digits = nullptr) {
    while (at < text.size() && !std::isdigit(static_cast<unsigned char>(text[at])))
        ++at;
    if (at >= text.size())
        return -1;
    long value = 0;
    size_t count = 0;
    while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
        if (count < 9)
            value = value * 10 + (text[at] - '0');
        ++count;
        ++at;
    }
    if (digits)
        *digits = count;
    return value;
}

}  // namespace

void fitPlayerFields(PlayerRecord& player) {
    cutUtf8(player.name, kPlayerNameBytes - 1);
    cutUtf8(player.sex, kPlayerSexBytes - 1);
    cutUtf8(player.nation, kPlayerNationBytes - 1);
    cutUtf8(player.rank, kPlayerRankBytes - 1);
    cutUtf8(player.birthday, kPlayerBirthdayBytes - 1);
}

std::string normaliseGameDate(const std::string& text) {
    size_t at = 0;
    // The year is the first run of exactly four digits in range; the next two numbers follow it.
    for (;;) {
        size_t digits = 0;
        const long year = nextNumber(text, at, &digits);
        if (year < 0)
            return {};
        if (digits != 4 || year < 1000 || year > 2999)
            continue;
        const long month = nextNumber(text, at, &digits);
        if (month < 1 || month > 12 || digits > 2)
            return {};
        const long day = nextNumber(text, at, &digits);
        if (day < 1 || day > 31 || digits > 2)
            return {};
        char buffer[16];
        std::snprintf(buffer, sizeof buffer, "%04ld-%02ld-%02ld", year, month, day);
        return buffer;
    }
}

int32_t positionKey(const BoardGrid& position, int width, int height) {
    // FNV-1a over the size and the stones, folded to 32 bits.
    uint64_t hash = 1469598103934665603ull;
    auto mix = [&hash](uint8_t byte) {
        hash ^= byte;
        hash *= 1099511628211ull;
    };
    mix(static_cast<uint8_t>(width));
    mix(static_cast<uint8_t>(height));
    for (const uint8_t cell : position.bytes())
        mix(cell == kBlack || cell == kWhite ? cell : 0);
    return static_cast<int32_t>(static_cast<uint32_t>(hash ^ (hash >> 32)));
}

LibraryRecord libraryRecordOf(const GameRecord& record) {
    const GameInfo& info = record.info;
    LibraryRecord row;
    row.id = info.libraryId;
    row.langType = static_cast<uint16_t>(info.langType);
    row.appType = static_cast<uint16_t>(info.appType);
    row.event = info.event;
    row.gameName = info.gameName;
    row.date = normaliseGameDate(info.date);
    row.place = info.place;
    row.mediaType = info.mediaType;
    row.black = info.blackName;
    row.blackRank = info.blackRank;
    row.white = info.whiteName;
    row.whiteRank = info.whiteRank;
    row.resultText = info.resultText;
    row.resultType = info.resultType;
    const auto line = record.tree.mainLine();
    int32_t moves = 0;
    for (const GameNode* node : line)
        if (node->move.isStoneMove())
            ++moves;
    row.totalMoves = moves;
    if (!line.empty() && line.back()->position.isUsable())
        row.lastBoardKey = positionKey(line.back()->position, info.boardWidth, info.boardHeight);
    for (const auto& node : record.tree.nodes())
        if (!node->comment().empty()) {
            row.expositType = 2;
            break;
        }
    return row;
}

void applyLibraryRecord(const LibraryRecord& row, GameInfo& info) {
    info.libraryId = row.id;
    info.langType = static_cast<int16_t>(row.langType);
    info.appType = static_cast<int16_t>(row.appType);
    info.event = row.event;
    info.gameName = row.gameName;
    info.date = row.date;
    info.place = row.place;
    info.mediaType = row.mediaType;
    info.blackName = row.black;
    info.blackRank = row.blackRank;
    info.whiteName = row.white;
    info.whiteRank = row.whiteRank;
    info.resultText = row.resultText;
    info.resultType = row.resultType;
    info.totalMoves = row.totalMoves;
}

}  // namespace tessera
