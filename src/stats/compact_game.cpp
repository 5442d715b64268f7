#include "stats/compact_game.h"

#include <cstring>
#include <filesystem>

#include "platform/atomic_file.h"
#include "platform/program_folders.h"
#include "record/game_record.h"

namespace tessera {
namespace {

// "TSGC", version, move limit, then per game: id, size, time, usable, counts, points, steps.
constexpr char kMagic[4] = {'T', 'S', 'G', 'C'};
constexpr uint32_t kVersion = 1;
constexpr size_t kMaxCacheBytes = size_t(4) << 30;

template <typename T>
void put(std::string& out, T value) {
    out.append(reinterpret_cast<const char*>(&value), sizeof value);
}

// Reads fixed-size values from a byte string, failing (never reading past the end) once short.
class Cursor {
public:
    explicit Cursor(const std::string& bytes) : bytes_(bytes) {}
    template <typename T>
    bool get(T& value) {
        if (bytes_.size() - at_ < sizeof value)
            return false;
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
        return true;
    }
    bool atEnd() const { return at_ == bytes_.size(); }

private:
    const std::string& bytes_;
    size_t at_ = 0;
};

bool validPoint(int16_t p) { return p >= 0 && p < 361; }

bool readPoints(Cursor& in, uint16_t count, std::vector<int16_t>& points) {
    points.resize(count);
    for (int16_t& p : points)
        if (!in.get(p) || !validPoint(p))
            return false;
    return true;
}

}  // namespace

bool compactGame(const GameRecord& record, int maxMove, CompactGame& game) {
    if (record.info.boardWidth != 19 || record.info.boardHeight != 19)
        return false;
    const auto line = record.tree.mainLine();
    if (line.empty() || !line.front()->position.isUsable() || line.front()->position.width() != 19)
        return false;
    const BoardGrid& start = line.front()->position;
    for (int32_t p = 0; p < 361; ++p) {
        if (start.get(p) == 1)
            game.black.push_back(static_cast<int16_t>(p));
        else if (start.get(p) == 2)
            game.white.push_back(static_cast<int16_t>(p));
    }
    for (size_t k = 1; k < line.size() && game.steps.size() < static_cast<size_t>(maxMove); ++k) {
        const GameNode& node = *line[k];
        if (!node.isPlainMove() || node.move.point >= 361)
            break;  // a pass, setup or odd node ends what the statistics can follow
        game.steps.push_back(
            CompactStep{static_cast<int16_t>(node.move.point), static_cast<uint8_t>(node.move.colour), node.id});
    }
    return true;
}

FileStamp stampOf(const std::string& path) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path, ec);
    if (ec)
        return {};
    const auto time = std::filesystem::last_write_time(path, ec);
    if (ec)
        return {};
    return FileStamp{static_cast<int64_t>(size),
                     std::chrono::duration_cast<std::chrono::nanoseconds>(time.time_since_epoch()).count()};
}

std::string compactGameCachePath(const std::string& outputFolder) { return outputFolder + "cache/stats-games.dat"; }

CompactGameCache readCompactGameCache(const std::string& path, int maxMove) {
    CompactGameCache cache;
    const auto bytes = readFileBounded(path, kMaxCacheBytes);
    if (!bytes)
        return cache;
    Cursor in(*bytes);
    char magic[4];
    uint32_t version = 0, limit = 0;
    for (char& c : magic)
        if (!in.get(c))
            return cache;
    if (std::memcmp(magic, kMagic, 4) != 0 || !in.get(version) || version != kVersion || !in.get(limit) ||
        limit != static_cast<uint32_t>(maxMove))
        return cache;
    while (!in.atEnd()) {
        CachedGame entry;
        uint8_t usable = 0;
        uint16_t blacks = 0, whites = 0, steps = 0;
        if (!in.get(entry.game.gameId) || !in.get(entry.stamp.size) || !in.get(entry.stamp.modified) ||
            !in.get(usable) || !in.get(blacks) || !in.get(whites) || !in.get(steps) || steps > limit ||
            !readPoints(in, blacks, entry.game.black) || !readPoints(in, whites, entry.game.white))
            return {};
        entry.usable = usable != 0;
        entry.game.steps.resize(steps);
        for (CompactStep& step : entry.game.steps)
            if (!in.get(step.point) || !in.get(step.colour) || !in.get(step.nodeId) || !validPoint(step.point) ||
                (step.colour != 1 && step.colour != 2))
                return {};
        const int32_t id = entry.game.gameId;
        cache.insert_or_assign(id, std::move(entry));
    }
    return cache;
}

bool writeCompactGameCache(const std::string& path, int maxMove, const std::vector<const CachedGame*>& games) {
    std::string out(kMagic, 4);
    put(out, kVersion);
    put(out, static_cast<uint32_t>(maxMove));
    for (const CachedGame* entry : games) {
        const CompactGame& game = entry->game;
        put(out, game.gameId);
        put(out, entry->stamp.size);
        put(out, entry->stamp.modified);
        put(out, static_cast<uint8_t>(entry->usable ? 1 : 0));
        put(out, static_cast<uint16_t>(game.black.size()));
        put(out, static_cast<uint16_t>(game.white.size()));
        put(out, static_cast<uint16_t>(game.steps.size()));
        for (int16_t p : game.black)
            put(out, p);
        for (int16_t p : game.white)
            put(out, p);
        for (const CompactStep& step : game.steps) {
            put(out, step.point);
            put(out, step.colour);
            put(out, step.nodeId);
        }
    }
    return MakeFolderPath(path) && writeFileAtomically(path, out);
}

}  // namespace tessera
