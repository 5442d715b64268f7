#include "record/sgg_file.h"

#include <cstring>

#include "record/byte_stream.h"
#include "record/record_bytes.h"
#include "record/sgg_game_object.h"

namespace tessera {

namespace {

// The file begins with "sggfile", three zero bytes and the format version 0.0 as an f64;
// the game object follows at offset 18.
constexpr char kMagic[] = "sggfile";
constexpr size_t kMagicBytes = 10;
constexpr uint64_t kGameBase = 18;
// The largest board an SGG file may describe; larger sizes would let a few bytes of a
// corrupt file ask for gigabytes of positions.
constexpr int kMaxBoardSize = 52;

bool boardSizeStorable(const GameInfo& info) {
    return info.boardWidth <= kMaxBoardSize && info.boardHeight <= kMaxBoardSize;
}

std::string boardSizeError(const GameInfo& info) {
    return "a board of " + std::to_string(info.boardWidth) + " x " + std::to_string(info.boardHeight) +
           " is larger than the 52 x 52 an SGG file holds";
}

// Reads the header and the game from stream into record (cleared on failure).
bool readSgg(ByteStream& stream, GameRecord& record, std::string& error) {
    char magic[kMagicBytes] = {};
    double version = -1;
    if (!stream.read(magic, kMagicBytes) || std::memcmp(magic, kMagic, sizeof kMagic) != 0) {
        error = "not an SGG file";
        return false;
    }
    if (!readF64(stream, version)) {
        error = "the SGG file ends inside its header";
        return false;
    }
    if (version != 0.0) {
        error = "SGG format version " + std::to_string(version) + " is not supported";
        return false;
    }
    GameObject game(&record);
    bool ok = readChunked(game, stream, kGameBase);
    if (!ok)
        error = "corrupt SGG file: " + stream.failure();
    else if (stream.position() != stream.size()) {
        error = "corrupt SGG file: " + std::to_string(stream.size() - stream.position()) +
                " unexpected bytes follow the game";
        ok = false;
    } else if (!boardSizeStorable(record.info)) {
        error = boardSizeError(record.info);
        ok = false;
    }
    if (!ok) {
        record.clear();
        return false;
    }
    record.recomputePositions();
    return true;
}

// Writes the header and the game (of gameSize bytes) at the start of stream.
bool writeSgg(ByteStream& stream, const GameObject& game, uint64_t gameSize) {
    char magic[kMagicBytes] = {};
    std::memcpy(magic, kMagic, sizeof kMagic);
    return stream.write(magic, kMagicBytes) && writeF64(stream, 0.0) &&
           writeChunked(game, stream, kGameBase, static_cast<int64_t>(gameSize));
}

}  // namespace

bool readSggBytes(const std::string& bytes, GameRecord& record, std::string& error) {
    record.clear();
    MemoryStream stream(bytes.data(), bytes.size());
    return readSgg(stream, record, error);
}

bool writeSggBytes(const GameRecord& record, std::string& bytes, std::string& error) {
    if (!boardSizeStorable(record.info)) {
        error = boardSizeError(record.info);
        return false;
    }
    GameObject game(record);
    uint64_t gameSize = 0;
    if (!measureChunked(game, gameSize, error))
        return false;
    MemoryStream stream(static_cast<size_t>(kGameBase + gameSize));
    if (!writeSgg(stream, game, gameSize)) {
        error = "cannot write the SGG file: " + stream.failure();
        return false;
    }
    bytes = stream.takeBuffer();
    return true;
}

bool loadSggFile(const std::filesystem::path& file, GameRecord& record, std::string& error) {
    record.clear();
    std::string bytes;
    return loadFileBytes(file, bytes, error) && readSggBytes(bytes, record, error);
}

bool saveSggFile(const std::filesystem::path& file, const GameRecord& record, std::string& error) {
    std::string bytes;
    return writeSggBytes(record, bytes, error) && saveFileBytes(file, bytes, error);
}

}  // namespace tessera
