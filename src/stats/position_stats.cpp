#include "stats/position_stats.h"

#include <algorithm>

#include "library/library_catalogue.h"
#include "stats/position_index.h"

namespace tessera {

void appendGameRef(std::string& out, const GameRef& ref) {
    appendI32(out, ref.gameId);
    appendI32(out, ref.nodeId);
    out.push_back(static_cast<char>(ref.flag));
}

std::string serializeStats(const PositionStats& stats) {
    std::string out;
    appendI32(out, stats.id);
    appendI32(out, static_cast<int32_t>(stats.moves.size()));
    for (const MoveStats& move : stats.moves) {
        appendI16(out, move.point);
        appendI32(out, static_cast<int32_t>(move.games.size()));
        for (const GameRef& ref : move.games)
            appendGameRef(out, ref);
    }
    return out;
}

std::optional<PositionStats> parseStats(const std::string& bytes) {
    if (bytes.size() < 8)
        return std::nullopt;
    PositionStats stats;
    stats.id = loadI32(bytes.data());
    const int32_t moveCount = loadI32(bytes.data() + 4);
    size_t at = 8;
    // Every move takes at least 6 bytes: a count past that bound is corrupt.
    if (moveCount < 0 || static_cast<size_t>(moveCount) > (bytes.size() - at) / 6)
        return std::nullopt;
    stats.moves.resize(static_cast<size_t>(moveCount));
    for (MoveStats& move : stats.moves) {
        if (bytes.size() - at < 6)
            return std::nullopt;
        move.point = loadI16(bytes.data() + at);
        const int32_t games = loadI32(bytes.data() + at + 2);
        at += 6;
        if (games < 0 || static_cast<size_t>(games) > (bytes.size() - at) / kGameRefBytes)
            return std::nullopt;
        move.games.resize(static_cast<size_t>(games));
        for (GameRef& ref : move.games) {
            ref.gameId = loadI32(bytes.data() + at);
            ref.nodeId = loadI32(bytes.data() + at + 4);
            ref.flag = static_cast<uint8_t>(bytes[at + 8]);
            at += kGameRefBytes;
        }
    }
    return stats;
}

void sortMoves(PositionStats& stats) {
    std::stable_sort(stats.moves.begin(), stats.moves.end(), [](const MoveStats& a, const MoveStats& b) {
        if (a.games.size() != b.games.size())
            return a.games.size() > b.games.size();
        return a.point > b.point;
    });
}

ResultCount countResults(const MoveStats& move, const LibraryCatalogue& catalogue, int colourToMove) {
    ResultCount count;
    count.total = static_cast<int>(move.games.size());
    for (const GameRef& ref : move.games) {
        const LibraryRecord* record = catalogue.find(ref.gameId);
        if (!record || record->resultType <= 0)
            continue;
        if (record->resultType == colourToMove)
            ++count.wins;
        else
            ++count.losses;
    }
    return count;
}

ResultCount countAllResults(const PositionStats& stats, const LibraryCatalogue& catalogue, int colourToMove) {
    ResultCount sum;
    for (const MoveStats& move : stats.moves) {
        const ResultCount one = countResults(move, catalogue, colourToMove);
        sum.total += one.total;
        sum.wins += one.wins;
        sum.losses += one.losses;
    }
    return sum;
}

int totalGames(const PositionStats& stats) {
    int total = 0;
    for (const MoveStats& move : stats.moves)
        total += static_cast<int>(move.games.size());
    return total;
}

std::optional<PositionStats> PositionStatsStore::readStats(int32_t id) const {
    if (id < 0 || id >= kMaxPositionIds)
        return std::nullopt;
    const auto bytes = file_.readSlotRecord(id);
    if (!bytes)
        return std::nullopt;
    auto stats = parseStats(*bytes);
    if (stats)
        sortMoves(*stats);
    return stats;
}

}  // namespace tessera
