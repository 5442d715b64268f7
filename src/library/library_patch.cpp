#include "library/library_patch.h"

#include <algorithm>
#include <cstring>
#include <filesystem>

#include "library/block_names.h"
#include "library/database_transaction.h"
#include "library/library_store.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"
#include "platform/text_codec.h"

namespace tessera {
namespace {

constexpr size_t kMagicBytes = 20;
constexpr size_t kPlayerRecordBytes =
    4 + kPlayerNameBytes + kPlayerSexBytes + kPlayerNationBytes + kPlayerRankBytes + kPlayerBirthdayBytes;
constexpr size_t kMaxPatchBytes = size_t(512) << 20;

// A bounded little-endian reader: every read fails once the bytes run out.
class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {}
    bool take(void* out, size_t size) {
        if (bytes_.size() - at_ < size)
            return false;
        std::memcpy(out, bytes_.data() + at_, size);
        at_ += size;
        return true;
    }
    template <typename T>
    bool integer(T& value) {
        unsigned char raw[sizeof(T)];
        if (!take(raw, sizeof raw))
            return false;
        uint64_t bits = 0;
        for (size_t k = sizeof(T); k-- > 0;)
            bits = (bits << 8) | raw[k];
        value = static_cast<T>(bits);
        return true;
    }
    bool text(std::string& value) {
        uint16_t length = 0;
        if (!integer(length) || bytes_.size() - at_ < length)
            return false;
        value = gb18030ToUtf8(bytes_.substr(at_, length));
        at_ += length;
        return true;
    }
    bool field(std::string& value, size_t width) {
        if (bytes_.size() - at_ < width)
            return false;
        const char* start = bytes_.data() + at_;
        value = gb18030ToUtf8(std::string(start, strnlen(start, width)));
        at_ += width;
        return true;
    }
    size_t remaining() const { return bytes_.size() - at_; }

private:
    const std::string& bytes_;
    size_t at_ = 0;
};

template <typename T>
void put(std::string& out, T value) {
    auto bits = static_cast<uint64_t>(value);
    for (size_t k = 0; k < sizeof(T); ++k, bits >>= 8)
        out.push_back(static_cast<char>(bits & 0xFF));
}

void putText(std::string& out, const std::string& utf8) {
    std::string gb = utf8ToGb18030(utf8);
    if (gb.size() > 0xFFFF)
        gb.resize(0xFFFF);
    put<uint16_t>(out, static_cast<uint16_t>(gb.size()));
    out += gb;
}

void putField(std::string& out, const std::string& utf8, size_t width) {
    std::string gb = utf8ToGb18030(utf8);
    if (gb.size() > width - 1)
        gb.resize(width - 1);
    out += gb;
    out.append(width - gb.size(), '\0');
}

}  // namespace

LibraryLanguage libraryLanguage(const std::string& programFolder) {
    const int value = readIniInt(programFolder + "GoMDB.ini", "OPTION", "LangType", 10001);
    if (value == 10001)
        return {1, "GoMDB"};
    if (value == 10002)
        return {2, "GoMDB_Big5"};
    return {0, "GoMDB_English"};
}

std::string patchFolder(const std::string& programFolder, const LibraryLanguage& language) {
    return programFolder + "patch/" + language.folderName + "/";
}

std::vector<PatchEntry> readPatchHistory(const std::string& path) {
    const IniDocument ini = IniDocument::load(path);
    std::vector<PatchEntry> list;
    for (int32_t number = 0;; ++number) {
        const std::string section = "patch" + std::to_string(number);
        PatchEntry entry;
        entry.number = number;
        entry.publicDate = ini.readInt(section, "PublicDate", 0);
        if (entry.publicDate <= 0)
            break;
        entry.deleteOld = ini.readInt(section, "DelOldFile", 0);
        entry.gameCount = ini.readInt(section, "Table_GoFile_AddCount", 0);
        entry.playerCount = ini.readInt(section, "Table_Player_AddCount", 0);
        entry.fileSize = ini.readInt(section, "PatchFileSize", 0);
        list.push_back(entry);
    }
    return list;
}

bool writePatchHistory(const std::string& path, const std::vector<PatchEntry>& entries) {
    IniDocument ini = IniDocument::parse("");
    for (const auto& entry : entries) {
        const std::string section = "patch" + std::to_string(entry.number);
        ini.setValue(section, "PublicDate", std::to_string(entry.publicDate));
        ini.setValue(section, "DelOldFile", std::to_string(entry.deleteOld));
        ini.setValue(section, "Table_GoFile_AddCount", std::to_string(entry.gameCount));
        ini.setValue(section, "Table_Player_AddCount", std::to_string(entry.playerCount));
        ini.setValue(section, "PatchFileSize", std::to_string(entry.fileSize));
    }
    return ini.save(path);
}

std::vector<PatchEntry> newPatches(const std::vector<PatchEntry>& local, const std::vector<PatchEntry>& remote) {
    if (local.empty())
        return remote;
    std::vector<PatchEntry> list;
    for (const auto& entry : remote)
        if (entry.number > local.back().number)
            list.push_back(entry);
    return list;
}

PatchPath choosePatchPath(const std::vector<PatchEntry>& local, const std::vector<PatchEntry>& fresh) {
    if (fresh.empty())
        return PatchPath::upToDate;
    int64_t size = 0;
    bool deleteOld = false;
    for (const auto& entry : fresh) {
        size += entry.fileSize;
        deleteOld |= entry.deleteOld == 1;
    }
    return local.empty() || deleteOld || size > 1024 ? PatchPath::replaceDatabase : PatchPath::applyPatches;
}

bool parsePatchData(const std::string& bytes, std::vector<LibraryRecord>& games, std::vector<PlayerRecord>& players,
                    std::string& error) {
    games.clear();
    players.clear();
    auto fail = [&](const std::string& reason) {
        games.clear();
        players.clear();
        error = reason;
        return false;
    };
    Reader in(bytes);
    char magic[kMagicBytes];
    double version = 1.0;
    if (!in.take(magic, sizeof magic) || std::memcmp(magic, "GoMDBPatchDat", 13) != 0 ||
        std::any_of(magic + 13, magic + kMagicBytes, [](char c) { return c != 0; }))
        return fail("not a library patch file");
    if (!in.take(&version, sizeof version) || version != 0.0)
        return fail("unknown patch file version");
    uint32_t gameCount = 0;
    if (!in.integer(gameCount))
        return fail("the patch file is cut short");
    // Each game takes at least 52 bytes: a count beyond that is damage, not a reason to allocate.
    if (gameCount > in.remaining() / 52)
        return fail("the patch file is cut short");
    games.reserve(gameCount);
    for (uint32_t k = 0; k < gameCount; ++k) {
        LibraryRecord r;
        uint32_t id = 0, media = 0, total = 0, key = 0, exposit = 0, mark = 0;
        uint16_t resultType = 0;
        if (!in.integer(id) || !in.integer(r.langType) || !in.integer(r.appType) || !in.text(r.event) ||
            !in.text(r.gameName) || !in.text(r.date) || !in.text(r.place) || !in.integer(media) || !in.text(r.black) ||
            !in.text(r.blackRank) || !in.text(r.white) || !in.text(r.whiteRank) || !in.text(r.resultText) ||
            !in.integer(resultType) || !in.integer(total) || !in.integer(key) || !in.integer(exposit) ||
            !in.integer(mark))
            return fail("the patch file is cut short");
        r.id = static_cast<int32_t>(id);
        r.mediaType = static_cast<int32_t>(media);
        r.resultType = static_cast<int16_t>(resultType);
        r.totalMoves = static_cast<int32_t>(total);
        r.lastBoardKey = static_cast<int32_t>(key);
        r.expositType = static_cast<int32_t>(exposit);
        games.push_back(std::move(r));  // the user mark of a published file is not the user's: dropped
    }
    uint32_t playerCount = 0;
    if (!in.integer(playerCount) || playerCount > in.remaining() / kPlayerRecordBytes)
        return fail("the patch file is cut short");
    for (uint32_t k = 0; k < playerCount; ++k) {
        PlayerRecord p;
        uint32_t id = 0;
        in.integer(id);
        p.id = static_cast<int32_t>(id);
        in.field(p.name, kPlayerNameBytes);
        in.field(p.sex, kPlayerSexBytes);
        in.field(p.nation, kPlayerNationBytes);
        in.field(p.rank, kPlayerRankBytes);
        in.field(p.birthday, kPlayerBirthdayBytes);
        fitPlayerFields(p);
        players.push_back(std::move(p));
    }
    if (in.remaining() != 0)
        return fail("unexpected bytes follow the patch data");
    return true;
}

bool readPatchData(const std::string& path, std::vector<LibraryRecord>& games, std::vector<PlayerRecord>& players,
                   std::string& error) {
    const auto bytes = readFileBounded(path, kMaxPatchBytes);
    if (!bytes) {
        games.clear();
        players.clear();
        error = "cannot read the patch file " + path;
        return false;
    }
    return parsePatchData(*bytes, games, players, error);
}

std::string patchDataBytes(const std::vector<LibraryRecord>& games, const std::vector<PlayerRecord>& players) {
    std::string out(kMagicBytes, '\0');
    std::memcpy(out.data(), "GoMDBPatchDat", 13);
    const double version = 0.0;
    out.append(reinterpret_cast<const char*>(&version), sizeof version);
    put<uint32_t>(out, static_cast<uint32_t>(games.size()));
    for (const auto& r : games) {
        put<uint32_t>(out, static_cast<uint32_t>(r.id));
        put<uint16_t>(out, r.langType);
        put<uint16_t>(out, r.appType);
        putText(out, r.event);
        putText(out, r.gameName);
        putText(out, r.date);
        putText(out, r.place);
        put<uint32_t>(out, static_cast<uint32_t>(r.mediaType));
        putText(out, r.black);
        putText(out, r.blackRank);
        putText(out, r.white);
        putText(out, r.whiteRank);
        putText(out, r.resultText);
        put<uint16_t>(out, static_cast<uint16_t>(r.resultType));
        put<uint32_t>(out, static_cast<uint32_t>(r.totalMoves));
        put<uint32_t>(out, static_cast<uint32_t>(r.lastBoardKey));
        put<uint32_t>(out, static_cast<uint32_t>(r.expositType));
        put<uint32_t>(out, 0u);
    }
    put<uint32_t>(out, static_cast<uint32_t>(players.size()));
    for (const auto& p : players) {
        put<uint32_t>(out, static_cast<uint32_t>(p.id));
        putField(out, p.name, kPlayerNameBytes);
        putField(out, p.sex, kPlayerSexBytes);
        putField(out, p.nation, kPlayerNationBytes);
        putField(out, p.rank, kPlayerRankBytes);
        putField(out, p.birthday, kPlayerBirthdayBytes);
    }
    return out;
}

bool applyPatch(LibraryStore& store, const std::vector<LibraryRecord>& games, const std::vector<PlayerRecord>& players,
                std::string& error) {
    std::lock_guard lock(store.databaseLock());
    Database& database = store.database();
    Transaction transaction(database);
    PreparedStatement deleteGame(database, "DELETE * FROM GoFile WHERE ID=?");
    PreparedStatement insertGame(database, kInsertGoFileRow);
    PreparedStatement deletePlayer(database, "DELETE * FROM Player WHERE ID=?");
    PreparedStatement insertPlayer(database,
                                   "INSERT INTO Player (ID, Name, Sex, Nation, Rank, Birthday, Information) "
                                   "VALUES (?, ?, ?, ?, ?, ?, '')");
    bool ok = transaction.active() && deleteGame.ready() && insertGame.ready() && deletePlayer.ready() &&
              insertPlayer.ready();
    for (size_t k = 0; ok && k < games.size(); ++k) {
        const LibraryRecord& r = games[k];
        ok = deleteGame.run({int64_t(r.id)}) && insertGame.run(goFileRowValues(r));
    }
    for (size_t k = 0; ok && k < players.size(); ++k) {
        const PlayerRecord& p = players[k];
        ok = deletePlayer.run({int64_t(p.id)}) &&
             insertPlayer.run({int64_t(p.id), p.name, p.sex, p.nation, p.rank, p.birthday});
    }
    if (ok)
        ok = transaction.commit();
    if (!ok) {
        transaction.rollback();
        error = "the patch could not be applied: " + database.lastError();
    }
    return ok;
}

std::vector<BlockGroup> listBlockIndex(const std::string& programFolder, InterfaceLanguage interfaceLanguage) {
    namespace fs = std::filesystem;
    const std::string root = programFolder + "block";
    const BlockNameMap names = LoadBlockNames(root + "/translate.ini", interfaceLanguage);
    auto shown = [&names](const std::string& key) {
        const std::string name = names.displayName(key);
        return name.empty() ? key : name;
    };
    std::vector<BlockGroup> groups;
    std::error_code ec;
    for (auto it = fs::directory_iterator(root, ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_directory(typeError))
            continue;
        BlockGroup group;
        group.name = it->path().filename().string();
        group.displayName = shown(group.name);
        std::error_code fileError;
        for (auto file = fs::directory_iterator(it->path(), fileError); !fileError && file != fs::directory_iterator();
             file.increment(fileError))
            if (file->is_regular_file(typeError)) {
                const std::string name = file->path().filename().string();
                group.files.push_back({name, shown(name)});
            }
        std::sort(group.files.begin(), group.files.end(), [](auto& a, auto& b) { return a.name < b.name; });
        groups.push_back(std::move(group));
    }
    std::sort(groups.begin(), groups.end(), [](auto& a, auto& b) { return a.name < b.name; });
    return groups;
}

}  // namespace tessera
