// tessera-cli index: rebuilds the search index of the library from its game files.

#include <chrono>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_json.h"
#include "cli/command_table.h"
#include "library/library_store.h"
#include "library/search_index.h"
#include "platform/program_folders.h"

namespace tessera::cli {
namespace {

const char* kIndexHelp =
    "Usage: tessera-cli index [--missing] [--threads N] [--json]\n"
    "Rebuilds the search index (index/ in the program folder) from every game of the library.\n"
    "Imports and updates keep the index up to date (each adds a segment, merged with the other\n"
    "small ones as they come); a rebuild makes one segment and picks up games whose files were\n"
    "changed by other means.\n"
    "  --missing  only add the games the index does not hold yet (games that other clients\n"
    "             imported into a shared server library); nothing else is read\n"
    "  --threads  games read at once (default: one per core)\n"
    "  --json     {games, segments, bytes, ms, added}\n";

int runIndex(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kIndexHelp;
        return 0;
    }
    bool json = false;
    bool missingOnly = false;
    unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    for (size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--json") {
            json = true;
        } else if (args[k] == "--missing") {
            missingOnly = true;
        } else if (args[k] == "--threads" && k + 1 < args.size()) {
            const long value = std::strtol(args[++k].c_str(), nullptr, 10);
            if (value < 1 || value > 64)
                return failWith("index: --threads takes 1 to 64");
            threads = static_cast<unsigned>(value);
        } else {
            return failWith("index: unexpected argument " + args[k] + " (see index --help)");
        }
    }
    const std::string folder = GetProgramFolder();
    if (folder.empty())
        return failWith("index: the program folder is unknown (use --program-folder)");
    LibraryStore store(folder);
    std::string error;
    if (!store.open(LibraryAccess::readOnly, error))
        return failWith("index: " + error);
    std::vector<int32_t> ids;
    store.allIds(-1, ids);
    const size_t libraryGames = ids.size();
    const auto started = std::chrono::steady_clock::now();
    size_t added = ids.size();
    // Without a readable index there is nothing to add to: the whole index is built instead.
    SearchIndex current;
    if (missingOnly && current.open(folder)) {
        std::erase_if(ids, [&current](int32_t id) { return current.findGame(id) != nullptr; });
        current.close();
        added = ids.size();
        if (!ids.empty() && !indexLibraryGames(store, ids, error))
            return failWith("index: " + error);
    } else {
        ProgressBar bar("games");
        const bool ok = rebuildSearchIndex(
            store, ids, threads,
            [&bar](size_t done, size_t total) {
                bar.update(done, total);
                return true;
            },
            error);
        bar.finish();
        if (!ok)
            return failWith("index: " + error);
    }
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    SearchIndex index;
    index.open(folder);
    std::ostringstream out;
    if (json)
        out << "{\"games\":" << index.gameCount() << ",\"segments\":" << index.segmentCount()
            << ",\"bytes\":" << index.sizeOnDisk() << ",\"ms\":" << ms << ",\"added\":" << added << "}\n";
    else
        out << (missingOnly ? "added " + std::to_string(added) + " games; " : std::string()) << "indexed "
            << index.gameCount() << " of " << libraryGames << " games, " << index.sizeOnDisk() << " bytes in "
            << searchIndexFolder(folder) << ", " << ms << " ms\n";
    std::cout << out.str();
    return 0;
}

const CliCommandRegistration kIndex("index", "rebuild the library's search index", runIndex);

}  // namespace
}  // namespace tessera::cli
