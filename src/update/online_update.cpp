#include "update/online_update.h"

#include <unistd.h>

#include <cstdio>
#include <mutex>

#include "engine/program_log.h"
#include "library/database_query.h"
#include "library/library_patch.h"
#include "library/library_schema.h"
#include "library/library_store.h"
#include "library/search_index.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"
#include "platform/program_folders.h"
#include "update/file_index.h"
#include "update/update_paths.h"

namespace tessera {
namespace {

std::string hex(std::uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

class Updater {
public:
    Updater(LibraryStore& store, const UpdateOptions& options, const std::function<void(const UpdateEvent&)>& onEvent)
        : store_(store),
          options_(options),
          onEvent_(onEvent),
          folder_(store.programFolder()),
          temp_(folder_ + "temp/"),
          base_(options.baseUrl) {
        if (!base_.empty() && base_.back() != '/')
            base_ += '/';
    }

    UpdateReport run() {
        if (base_.empty()) {
            report_.error = "no update server is configured (OnLineUpdateURL)";
            return report_;
        }
        std::string error;
        if (!store_.isOpen() && !store_.open(LibraryAccess::readWrite, error)) {
            report_.error = error;
            return report_;
        }
        if (!MakeFolderPath(temp_ + "x")) {
            report_.error = "cannot create " + temp_;
            return report_;
        }
        updateLibrary();
        indexFetchedGames();
        if (!stopped())
            updateDataFiles();
        report_.cancelled = stopped();
        emit(UpdateStep::finished);
        return report_;
    }

private:
    bool stopped() const { return options_.cancel && options_.cancel->load(); }
    void emit(UpdateStep step, int number = 0, const std::string& path = {}, const std::string& error = {},
              int done = 0, int total = 0) const {
        if (onEvent_)
            onEvent_(UpdateEvent{step, number, path, error, done, total});
    }
    void fail(const std::string& path, const std::string& error) {
        report_.failed.push_back({path, error});
        emit(UpdateStep::fileFailed, 0, path, error);
    }
    void log(const std::string& line) const {
        if (options_.log)
            options_.log->logLine(line);
    }

    // Fetches a server path to a local file; a failure other than a cancel is reported.
    bool fetch(const std::string& serverPath, const std::string& local) {
        if (stopped())
            return false;
        std::string error;
        if (downloadFile(base_ + serverPath, local, error, options_.cancel, options_.limits))
            return true;
        if (!stopped()) {
            log(serverPath + " download error");
            fail(serverPath, error);
        }
        return false;
    }

    // Unpacks an archive; a failure is reported under the server path it came from.
    bool unpack(const std::string& serverPath, const std::string& zip, const std::string& target,
                std::optional<std::uint32_t> crc = std::nullopt) {
        std::string error;
        UnzipOptions unzip;
        unzip.maxBytes = options_.limits.maxBytes;
        unzip.expectedCrc = crc;
        const bool ok = unpackSingleEntryZip(zip, target, error, unzip);
        ::unlink(zip.c_str());
        if (!ok) {
            log("UnZip file(" + zip + ") error!");
            fail(serverPath, error);
        }
        return ok;
    }

    bool fetchGame(std::int32_t id) {
        const std::string remote = update_paths::gameZip(id);
        if (id < 0) {
            fail(remote, "not a game id");
            return false;
        }
        char name[32];
        std::snprintf(name, sizeof name, "%08d.sgg.zip", id);
        const std::string zip = temp_ + name;
        const std::string target = store_.gamePath(id);
        if (!fetch(remote, zip))
            return false;
        if (!MakeFolderPath(target)) {
            ::unlink(zip.c_str());
            fail(remote, "cannot create the folder of " + target);
            return false;
        }
        if (!unpack(remote, zip, target))
            return false;
        // A shared server library gives the new game to every client, not only this one's cache.
        if (std::string error; !store_.publishGameFile(id, error)) {
            fail(remote, error);
            return false;
        }
        ++report_.games;
        fetchedIds_.push_back(id);
        return true;
    }

    // The fetched game files join the search index as one new segment (it supersedes what
    // older segments held for the same ids). A failure leaves the plain scan for those games.
    void indexFetchedGames() {
        std::string error;
        if (!fetchedIds_.empty() && !indexLibraryGames(store_, fetchedIds_, error))
            log("the search index could not take the updated games: " + error);
    }

    // Fetches every game's file; true when all of them are in place (a failed one does not
    // stop the others, so that a second run has less to do).
    bool fetchGames(const std::vector<std::int32_t>& ids) {
        bool all = true;
        for (size_t k = 0; k < ids.size() && !stopped(); ++k) {
            emit(UpdateStep::downloadGames, 0, {}, {}, static_cast<int>(k), static_cast<int>(ids.size()));
            all = fetchGame(ids[k]) && all;
        }
        return all && !stopped();
    }

    void updateLibrary() {
        const LibraryLanguage language = libraryLanguage(folder_);
        historyPath_ = patchFolder(folder_, language) + "GoMDBHisPatch.INI";
        emit(UpdateStep::downloadPatchIndex);
        const std::string remotePath = update_paths::patchHistory(language.folderName);
        const std::string fetched = temp_ + "GoMDBHisPatch.INI";
        if (!fetch(remotePath, fetched)) {
            if (!stopped())
                emit(UpdateStep::patchIndexFailed, 0, remotePath, report_.failed.back().error);
            return;
        }
        const std::vector<PatchEntry> remote = readPatchHistory(fetched);
        ::unlink(fetched.c_str());
        const std::vector<PatchEntry> local = readPatchHistory(historyPath_);
        const std::vector<PatchEntry> fresh = newPatches(local, remote);
        switch (choosePatchPath(local, fresh)) {
            case PatchPath::upToDate:
                return;
            case PatchPath::replaceDatabase:
                replaceDatabase(language.folderName, remote);
                return;
            case PatchPath::applyPatches:
                applyPatches(language.folderName, local, fresh);
                return;
        }
    }

    void replaceDatabase(const std::string& libraryFolder, const std::vector<PatchEntry>& remote) {
        emit(UpdateStep::downloadDatabase);
        const std::string remotePath = update_paths::packedDatabase(libraryFolder);
        // A shared server library is never swapped for a file under the other clients' feet.
        if (store_.isServer()) {
            fail(remotePath,
                 "the library lives on a database server; bring the whole new library there "
                 "with tessera-cli library --server CONNECTION copy-from");
            return;
        }
        const std::string zip = temp_ + "go.db.zip";
        const std::string fresh = folder_ + "go.db.new";
        if (!fetch(remotePath, zip) || !unpack(remotePath, zip, fresh))
            return;
        // The new file must open as a library and list its games before anything changes.
        std::vector<std::int32_t> ids;
        {
            Database database;
            database.setConnectionTemplate(kSqliteConnectionTemplate);
            std::string error;
            const bool usable = openLibraryDatabase(database, fresh, LibraryAccess::readOnly, error) &&
                                queryNumbers(database, "SELECT ID FROM GoFile ORDER BY ID", ids) == 1;
            database.close();
            if (!usable) {
                ::unlink(fresh.c_str());
                fail(remotePath, "the new library cannot be used: " + (error.empty() ? database.lastError() : error));
                return;
            }
        }
        std::vector<std::int32_t> missing;
        for (const std::int32_t id : ids)
            if (id < 0 || !FileExists(store_.gamePath(id)))
                missing.push_back(id);
        if (!fetchGames(missing) || stopped()) {
            ::unlink(fresh.c_str());
            return;
        }
        emit(UpdateStep::reopenDataFiles);
        const std::string current = store_.databasePath();
        const std::string old = folder_ + "go.db.old";
        std::string error;
        {
            std::lock_guard lock(store_.databaseLock());
            store_.close();
            const bool hadOld = std::rename(current.c_str(), old.c_str()) == 0;
            if (std::rename(fresh.c_str(), current.c_str()) != 0 || !store_.open(LibraryAccess::readWrite, error)) {
                store_.close();
                ::unlink(fresh.c_str());
                if (hadOld)
                    std::rename(old.c_str(), current.c_str());
                std::string again;
                store_.open(LibraryAccess::readWrite, again);
                fail(remotePath, "the new library cannot be opened: " + error);
                return;
            }
            // The replaced library stays beside the new one until the next replacement: games
            // the user imported into it are not in the server's database.
            if (hadOld && std::rename(old.c_str(), (folder_ + "go.db.before-update").c_str()) != 0)
                ::unlink(old.c_str());
        }
        log("the library was replaced by the update server's; the old one is go.db.before-update");
        report_.databaseReplaced = true;
        if (!MakeFolderPath(historyPath_) || !writePatchHistory(historyPath_, remote)) {
            fail(remotePath, "cannot write " + historyPath_);
            return;
        }
        for (const auto& entry : remote)
            report_.patches.push_back(entry.number);
    }

    void applyPatches(const std::string& libraryFolder, std::vector<PatchEntry> history,
                      const std::vector<PatchEntry>& fresh) {
        for (const PatchEntry& entry : fresh) {
            if (stopped())
                return;
            emit(UpdateStep::downloadPatch, entry.number);
            const std::string remotePath = update_paths::patchData(libraryFolder, entry.number);
            const std::string name = "patch" + std::to_string(entry.number) + "_GoMDB.dat";
            const std::string zip = temp_ + name + ".zip";
            const std::string data = temp_ + name;
            if (!fetch(remotePath, zip) || !unpack(remotePath, zip, data))
                return;
            std::vector<LibraryRecord> games;
            std::vector<PlayerRecord> players;
            std::string error;
            const bool read = readPatchData(data, games, players, error);
            ::unlink(data.c_str());
            if (!read) {
                fail(remotePath, error);
                return;
            }
            std::vector<std::int32_t> ids;
            for (const auto& game : games)
                ids.push_back(game.id);
            // The patch's game files first: the database never names a game whose file is not here.
            if (!fetchGames(ids))
                return;
            emit(UpdateStep::applyPatch, entry.number);
            if (!applyPatch(store_, games, players, error)) {
                fail(remotePath, error);
                return;
            }
            history.push_back(entry);
            if (!MakeFolderPath(historyPath_) || !writePatchHistory(historyPath_, history)) {
                fail(remotePath, "cannot write " + historyPath_);
                return;
            }
            report_.patches.push_back(entry.number);
        }
    }

    void updateDataFiles() {
        emit(UpdateStep::analyseFiles);
        const std::string fetchedIni = temp_ + update_paths::kFileIndexIni;
        const std::string fetchedIndex = temp_ + update_paths::kFileIndexDat;
        const std::string localIni = folder_ + update_paths::kFileIndexIni;
        if (!fetch(update_paths::kFileIndexIni, fetchedIni))
            return;
        const auto serverVersion = IniDocument::load(fetchedIni).value("Option", "version");
        const auto localVersion = IniDocument::load(localIni).value("Option", "version");
        if (serverVersion && localVersion && *serverVersion == *localVersion) {
            ::unlink(fetchedIni.c_str());
            emit(UpdateStep::noUpdate);
            return;
        }
        emit(UpdateStep::downloadFileIndex);
        std::string error;
        std::optional<std::vector<FileIndexEntry>> server;
        if (fetch(update_paths::kFileIndexDat, fetchedIndex)) {
            const auto bytes = readFileBounded(fetchedIndex, std::size_t(64) << 20);
            server = bytes ? parseFileIndex(*bytes, error) : std::nullopt;
            ::unlink(fetchedIndex.c_str());
            if (!server)
                fail(update_paths::kFileIndexDat, bytes ? error : "the file index is too large");
        }
        if (!server) {
            ::unlink(fetchedIni.c_str());
            return;
        }
        emit(UpdateStep::buildFileList);
        std::vector<bool> inPlace(server->size(), false);
        std::vector<size_t> queue;
        bool complete = true;
        for (size_t k = 0; k < server->size(); ++k) {
            const FileIndexEntry& entry = (*server)[k];
            if (!update_paths::isDataFilePath(entry.path)) {
                fail(entry.path, "refused: not a data file inside the program folder");
                complete = false;
                continue;
            }
            const auto crc = fileCrc32(folder_ + entry.path);
            if (crc && *crc == entry.crc)
                inPlace[k] = true;
            else
                queue.push_back(k);
        }
        for (size_t k = 0; k < queue.size() && !stopped(); ++k) {
            const FileIndexEntry& entry = (*server)[queue[k]];
            emit(UpdateStep::downloadFile, 0, entry.path, {}, static_cast<int>(k), static_cast<int>(queue.size()));
            const std::string remotePath = entry.path + ".zip";
            const std::string zip = temp_ + hex(entry.crc) + ".zip";
            const std::string target = folder_ + entry.path;
            if (!fetch(remotePath, zip)) {
                complete = false;
                continue;
            }
            if (!MakeFolderPath(target)) {
                ::unlink(zip.c_str());
                fail(remotePath, "cannot create the folder of " + target);
                complete = false;
                continue;
            }
            if (!unpack(remotePath, zip, target, entry.crc)) {
                complete = false;
                continue;
            }
            inPlace[queue[k]] = true;
            ++report_.files;
        }
        complete = complete && !stopped();
        std::vector<FileIndexEntry> local;
        for (size_t k = 0; k < server->size(); ++k)
            if (inPlace[k])
                local.push_back((*server)[k]);
        if (!writeFileAtomically(folder_ + update_paths::kFileIndexDat, fileIndexBytes(local))) {
            fail(update_paths::kFileIndexDat, "cannot write the local file index");
            complete = false;
        }
        // The version moves on only when every file of the index is in place.
        const auto iniBytes = readFileBounded(fetchedIni, kMaxIniFileBytes);
        if (complete && (!iniBytes || !writeFileAtomically(localIni, *iniBytes)))
            fail(update_paths::kFileIndexIni, "cannot write the local index version");
        ::unlink(fetchedIni.c_str());
        if (report_.files > 0)
            emit(UpdateStep::reopenDataFiles);
    }

    LibraryStore& store_;
    const UpdateOptions& options_;
    const std::function<void(const UpdateEvent&)>& onEvent_;
    std::string folder_;
    std::string temp_;
    std::string base_;
    std::string historyPath_;
    UpdateReport report_;
    std::vector<std::int32_t> fetchedIds_;  // games whose files this run put in place
};

}  // namespace

UpdateReport runOnlineUpdate(LibraryStore& store, const UpdateOptions& options,
                             const std::function<void(const UpdateEvent&)>& onEvent) {
    return Updater(store, options, onEvent).run();
}

}  // namespace tessera
