// tessera-cli build-stats: the whole-board and local statistics from the library's games.

#include <sys/resource.h>

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli_json.h"
#include "cli/command_table.h"
#include "library/library_store.h"
#include "platform/program_folders.h"
#include "stats/stats_builder.h"

namespace tessera::cli {
namespace {

const char* kBuildStatsHelp =
    "Usage: tessera-cli build-stats [--min-games N] [--max-move M] [--threads T]\n"
    "Builds GFP.dat/GFPStat.dat (whole-board positions) and GLP.dat/GLPStat.dat (local groups)\n"
    "in the program folder from the game records of its library: every 19 x 19 position of a\n"
    "main line before move M that was reached in at least N games, with the moves played next\n"
    "and the games behind each. Positions equal under a symmetry count as one. The files are\n"
    "replaced only when the build is complete. The games' main lines are kept in cache/ of the\n"
    "program folder, so a later build reads only the game files that are new or changed.\n"
    "  --min-games N  positions of at least N games (default 2)\n"
    "  --max-move M   positions before move M of each game (default 80)\n"
    "  --threads T    game files read at once (default 2)\n";

bool readNumber(const std::vector<std::string>& args, size_t& k, int low, int& value) {
    if (k + 1 >= args.size())
        return false;
    char* end = nullptr;
    const long number = std::strtol(args[k + 1].c_str(), &end, 10);
    if (end == args[k + 1].c_str() || *end != '\0' || number < low || number > 100000)
        return false;
    value = static_cast<int>(number);
    ++k;
    return true;
}

int runBuildStats(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kBuildStatsHelp;
        return 0;
    }
    StatsBuildOptions options;
    for (size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--min-games") {
            if (!readNumber(args, k, 1, options.minGames))
                return failWith("build-stats: --min-games takes a number of at least 1");
        } else if (args[k] == "--max-move") {
            if (!readNumber(args, k, 1, options.maxMove) || options.maxMove > 1000)
                return failWith("build-stats: --max-move takes a number from 1 to 1000");
        } else if (args[k] == "--threads") {
            if (!readNumber(args, k, 1, options.threads) || options.threads > 16)
                return failWith("build-stats: --threads takes a number from 1 to 16");
        } else {
            return failWith("build-stats: unknown argument " + args[k] + " (see build-stats --help)");
        }
    }
    const std::string folder = GetProgramFolder();
    if (folder.empty())
        return failWith("build-stats: the program folder is unknown (use --program-folder)");
    LibraryStore store(folder);
    std::string error;
    if (!store.open(LibraryAccess::readOnly, error))
        return failWith("build-stats: " + error);
    ProgressBar bar("games");
    StatsBuildSummary summary;
    const bool ok = buildStatistics(store, folder, options, summary, error,
                                    [&bar](const std::string& stage, size_t done, size_t total) {
                                        if (stage == "reading")
                                            bar.update(done, total);
                                        return true;
                                    });
    bar.finish();
    if (!ok)
        return failWith("build-stats: " + error);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::cout << "games " << summary.gamesRead << " (skipped " << summary.gamesSkipped
              << ", unchanged since the last build " << summary.gamesFromCache << "), whole-board positions "
              << summary.globalPositions << ", local positions " << summary.localPositions << ", occurrences "
              << summary.occurrences << ", peak memory " << usage.ru_maxrss / 1024 << " MB\n";
    if (summary.truncated)
        std::cout << "more positions qualified than a base holds: the most played were kept (raise --min-games)\n";
    return 0;
}

const CliCommandRegistration kBuildStats("build-stats", "build the pattern statistics from the library", runBuildStats);

}  // namespace
}  // namespace tessera::cli
