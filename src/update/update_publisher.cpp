#include "update/update_publisher.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>
#include <map>

#include "library/library_patch.h"
#include "library/library_query.h"
#include "library/library_store.h"
#include "platform/atomic_file.h"
#include "platform/http_download.h"
#include "platform/ini_file.h"
#include "platform/program_folders.h"
#include "update/file_index.h"
#include "update/update_paths.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

int today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return (local.tm_year + 1900) * 10000 + (local.tm_mon + 1) * 100 + local.tm_mday;
}

bool zipInto(const std::string& source, const std::string& archive, const std::string& entry, std::string& error) {
    return MakeFolderPath(archive) && zipSingleFile(source, archive, entry, error);
}

// The data files of a program folder: regular, not executable, not hidden, not the update's own.
std::vector<std::string> dataFiles(const std::string& programFolder) {
    std::vector<std::string> list;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(programFolder, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        const std::string relative = fs::relative(it->path(), programFolder, ec).generic_string();
        const std::string name = it->path().filename().string();
        if (it->is_directory(ec) && (name.front() == '.' || !update_paths::isDataFilePath(relative + "/x"))) {
            it.disable_recursion_pending();
            continue;
        }
        struct stat info {};
        if (!it->is_regular_file(ec) || ::stat(it->path().c_str(), &info) != 0 || (info.st_mode & S_IXUSR) ||
            name.front() == '.' || name.find(".unzip-") != std::string::npos || name.ends_with(".part") ||
            !update_paths::isDataFilePath(relative))
            continue;
        list.push_back(relative);
    }
    std::sort(list.begin(), list.end());
    return list;
}

bool publishLibrary(const std::string& programFolder, const std::string& out, int since, PublishReport& report) {
    LibraryStore store(programFolder);
    if (!FileExists(store.databasePath())) {
        report.error = "no library in " + programFolder;
        return false;
    }
    if (!store.open(LibraryAccess::readOnly, report.error))
        return false;
    const LibraryLanguage language = libraryLanguage(programFolder);
    const std::string historyPath = out + update_paths::patchHistory(language.folderName);
    const std::string statePath = fs::path(historyPath).parent_path().string() + "/published.ini";
    std::vector<PatchEntry> history = readPatchHistory(historyPath);
    const IniDocument state = IniDocument::load(statePath);
    int lastGame = -1, lastPlayer = -1;
    if (!history.empty()) {
        const int after = since >= 0 ? since : history.back().number;
        if (after > history.back().number) {
            report.error = "there is no patch " + std::to_string(after) + " to start after";
            return false;
        }
        lastGame = state.readInt("patch" + std::to_string(after), "LastGameId", -1);
        lastPlayer = state.readInt("patch" + std::to_string(after), "LastPlayerId", -1);
    }
    std::vector<LibraryRecord> games;
    std::vector<PlayerRecord> players;
    if (store.queryRecords("SELECT * FROM GoFile WHERE ID > ? ORDER BY ID", {int64_t(lastGame)}, games) < 0 ||
        !loadPlayers(store, {"SELECT * FROM Player WHERE ID > ? ORDER BY ID", {int64_t(lastPlayer)}}, 0, players)) {
        report.error = "cannot read the library: " + store.database().lastError();
        return false;
    }
    if (games.empty() && players.empty())
        return true;
    for (const auto& game : games)
        if (!FileExists(store.gamePath(game.id))) {
            report.error = "the game file of " + std::to_string(game.id) + " is missing: " + store.gamePath(game.id);
            return false;
        }
    const int number = history.empty() ? 0 : history.back().number + 1;
    // The game files and the packed database go up before the history names the patch.
    for (const auto& game : games) {
        const std::string file = store.gamePath(game.id);
        if (!zipInto(file, out + update_paths::gameZip(game.id), fs::path(file).filename().string(), report.error))
            return false;
    }
    const std::string name = "patch" + std::to_string(number) + "_GoMDB.dat";
    const std::string scratch = out + "." + name;
    const std::string patchZip = out + update_paths::patchData(language.folderName, number);
    const bool packed =
        writeFileAtomically(scratch, patchDataBytes(games, players)) && zipInto(scratch, patchZip, name, report.error);
    ::unlink(scratch.c_str());
    if (!packed) {
        report.error = report.error.empty() ? "cannot write " + scratch : report.error;
        return false;
    }
    store.close();  // the packed database is a copy of a closed file
    if (!zipInto(store.databasePath(), out + update_paths::packedDatabase(language.folderName), "go.db", report.error))
        return false;
    PatchEntry entry;
    entry.number = number;
    entry.publicDate = today();
    entry.gameCount = static_cast<int32_t>(games.size());
    entry.playerCount = static_cast<int32_t>(players.size());
    std::error_code ec;
    entry.fileSize = static_cast<int32_t>(std::max<std::uintmax_t>(1, (fs::file_size(patchZip, ec) + 1023) / 1024));
    history.push_back(entry);
    auto stateDocument = IniDocument::loadForUpdate(statePath);
    if (!stateDocument) {
        report.error = "cannot read " + statePath;
        return false;
    }
    const std::string section = "patch" + std::to_string(number);
    stateDocument->setValue(section, "LastGameId",
                            std::to_string(games.empty() ? lastGame : std::max(lastGame, games.back().id)));
    int32_t largestPlayer = lastPlayer;
    for (const auto& player : players)
        largestPlayer = std::max(largestPlayer, player.id);
    stateDocument->setValue(section, "LastPlayerId", std::to_string(largestPlayer));
    if (!stateDocument->save(statePath) || !writePatchHistory(historyPath, history)) {
        report.error = "cannot write " + historyPath;
        return false;
    }
    report.patch = number;
    report.games = static_cast<int>(games.size());
    report.players = static_cast<int>(players.size());
    return true;
}

bool publishDataFiles(const std::string& programFolder, const std::string& out, PublishReport& report) {
    const std::string iniPath = out + update_paths::kFileIndexIni;
    const std::string indexPath = out + update_paths::kFileIndexDat;
    std::map<std::string, FileIndexEntry> published;
    for (auto& entry : readFileIndex(indexPath))
        published[entry.path] = entry;
    std::vector<FileIndexEntry> index;
    for (const std::string& path : dataFiles(programFolder)) {
        const auto crc = fileCrc32(programFolder + path);
        if (!crc)
            continue;
        std::error_code ec;
        FileIndexEntry entry{path, static_cast<std::uint32_t>(fs::file_size(programFolder + path, ec)), *crc, 0};
        const std::string archive = out + path + ".zip";
        const auto old = published.find(path);
        if (old == published.end() || old->second.crc != *crc || !FileExists(archive)) {
            if (!zipInto(programFolder + path, archive, fs::path(path).filename().string(), report.error))
                return false;
            ++report.files;
        }
        index.push_back(std::move(entry));
    }
    auto ini = IniDocument::loadForUpdate(iniPath);
    if (!ini) {
        report.error = "cannot read " + iniPath;
        return false;
    }
    report.indexVersion = ini->readInt("Option", "version", 0);
    const auto oldBytes = readFileBounded(indexPath, std::size_t(64) << 20);
    const std::string bytes = fileIndexBytes(index);
    if (oldBytes && *oldBytes == bytes && ini->value("Option", "version"))
        return true;
    report.indexVersion += 1;
    ini->setValue("Option", "version", std::to_string(report.indexVersion));
    if (!writeFileAtomically(indexPath, bytes) || !ini->save(iniPath)) {
        report.error = "cannot write " + indexPath;
        return false;
    }
    return true;
}

}  // namespace

bool publishUpdateTree(const std::string& programFolder, const std::string& outFolder, int since,
                       PublishReport& report) {
    if (!MakeFolderPath(outFolder + "x")) {
        report.error = "cannot create " + outFolder;
        return false;
    }
    return publishLibrary(programFolder, outFolder, since, report) &&
           publishDataFiles(programFolder, outFolder, report);
}

}  // namespace tessera
