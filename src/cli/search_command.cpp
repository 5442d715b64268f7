// tessera-cli search: the library pattern search for a record's position.

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <unordered_set>
#include <vector>

#include "cli/cli_json.h"
#include "cli/cli_position.h"
#include "cli/command_table.h"
#include "library/library_browse.h"
#include "library/library_store.h"
#include "library/search_index.h"
#include "platform/program_folders.h"
#include "record/record_file.h"
#include "stats/pattern_search.h"

namespace tessera::cli {
namespace {

const char* kSearchHelp =
    "Usage: tessera-cli search FILE [--move N] [--region X0,Y0,X1,Y1] [--scope 0|1|2] [--scan] [--json]\n"
    "Searches every library game for the position after move N of the record's main line\n"
    "(default: its last move) in all eight orientations and prints the next moves of the colour\n"
    "to move played from it, with the games behind each.\n"
    "  --region  only the points from corner (X0,Y0) to (X1,Y1), inclusive, 0-based from the\n"
    "            top-left, must match (an empty point must be empty)\n"
    "  --scope   0 every game (default), 1 game records, 2 tutorials and exercises\n"
    "  --scan    read and replay every game instead of using the search index\n"
    "  --json    {searched, matchedGames, ms, indexed, candidates [{label, point, x, y, total,\n"
    "            wins, losses, hits [{game, node}]}]}\n";

bool parseNumber(const std::string& text, long& value) {
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0';
}

bool parseRegion(const std::string& text, long corner[4]) {
    std::stringstream in(text);
    std::string part;
    int k = 0;
    while (std::getline(in, part, ',')) {
        if (k == 4 || !parseNumber(part, corner[k]))
            return false;
        ++k;
    }
    return k == 4;
}

int runSearch(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kSearchHelp;
        return 0;
    }
    bool json = false;
    bool scan = false;
    long move = -1;
    long scope = kScopeAllGames;
    bool hasRegion = false;
    long corner[4] = {0, 0, 0, 0};
    std::string file;
    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        const bool hasValue = k + 1 < args.size();
        if (arg == "--json") {
            json = true;
        } else if (arg == "--scan") {
            scan = true;
        } else if (arg == "--move") {
            if (!hasValue || !parseNumber(args[++k], move) || move < 0)
                return failWith("search: --move takes a move number of at least 0");
        } else if (arg == "--scope") {
            if (!hasValue || !parseNumber(args[++k], scope) || scope < 0 || scope > 2)
                return failWith("search: --scope takes 0, 1 or 2");
        } else if (arg == "--region") {
            if (!hasValue || !parseRegion(args[++k], corner))
                return failWith("search: --region takes four numbers X0,Y0,X1,Y1");
            hasRegion = true;
        } else if (arg.rfind("--", 0) == 0 || !file.empty()) {
            return failWith("search: unexpected argument " + arg + " (see search --help)");
        } else {
            file = arg;
        }
    }
    if (file.empty())
        return failWith("search: name a record file (see search --help)");
    GameRecord record;
    std::string error;
    if (!loadRecordFile(file, record, error))
        return failWith("search: " + error);
    const GameNode* node = mainLineNodeAfter(record, move);
    if (!node)
        return failWith("search: the record has no nodes");
    SearchPattern pattern;
    pattern.position.copyFrom(node->position);
    pattern.colourToMove = node->sideToMove == 2 ? 2 : 1;
    const BoardGeometry board = record.geometry();
    if (hasRegion) {
        if (corner[0] > corner[2] || corner[1] > corner[3] || corner[0] < 0 || corner[1] < 0 ||
            corner[2] >= board.width() || corner[3] >= board.height())
            return failWith("search: the region " + std::to_string(corner[0]) + "," + std::to_string(corner[1]) + "," +
                            std::to_string(corner[2]) + "," + std::to_string(corner[3]) + " is not inside the " +
                            std::to_string(board.width()) + " x " + std::to_string(board.height()) + " board");
        pattern.regionMode = true;
        pattern.region = BoardGrid(board.width(), board.height());
        for (long y = corner[1]; y <= corner[3]; ++y)
            for (long x = corner[0]; x <= corner[2]; ++x)
                pattern.region.set(board.pointAt(int(x), int(y)), 1);
    }

    const std::string folder = GetProgramFolder();
    if (folder.empty())
        return failWith("search: the program folder is unknown (use --program-folder)");
    LibraryStore store(folder);
    if (!store.open(LibraryAccess::readOnly, error))
        return failWith("search: " + error);
    LibraryCatalogue catalogue;
    store.loadCatalogue(catalogue);
    SearchIndex index;
    const bool indexed = !scan && index.open(folder);
    const std::vector<int32_t> ids = searchScopeIds(store, static_cast<int>(scope));

    SearchResults results;
    SearchProgress progress;
    const auto started = std::chrono::steady_clock::now();
    runPatternSearch(store, indexed ? &index : nullptr, ids, pattern, results, progress);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - started).count();
    const std::vector<SearchCandidate> candidates = rankCandidates(results.snapshot(), catalogue, pattern.colourToMove);
    const size_t matchedGames = candidateGameIds(candidates).size();

    std::ostringstream out;
    if (json) {
        out << "{\"searched\":" << ids.size() << ",\"matchedGames\":" << matchedGames << ",\"ms\":" << ms
            << ",\"indexed\":" << (indexed ? "true" : "false") << ",\"candidates\":[";
        for (size_t c = 0; c < candidates.size(); ++c) {
            const SearchCandidate& candidate = candidates[c];
            int x = -1, y = -1;
            board.coordsOf(candidate.move.point, x, y);
            out << (c ? "," : "") << "{\"label\":" << jsonString(candidate.label)
                << ",\"point\":" << jsonString(board.pointText(candidate.move.point)) << ",\"x\":" << x
                << ",\"y\":" << y << ",\"total\":" << candidate.count.total << ",\"wins\":" << candidate.count.wins
                << ",\"losses\":" << candidate.count.losses << ",\"hits\":[";
            for (size_t h = 0; h < candidate.move.games.size(); ++h)
                out << (h ? "," : "") << "{\"game\":" << candidate.move.games[h].gameId
                    << ",\"node\":" << candidate.move.games[h].nodeId << "}";
            out << "]}";
        }
        out << "]}\n";
    } else {
        out << "searched " << ids.size() << " games, " << matchedGames << " matched, " << ms << " ms"
            << (indexed ? "" : " (plain scan)") << "\n";
        for (const SearchCandidate& candidate : candidates) {
            out << candidateLine(candidate, board) << "\n";
            for (const CandidateGame& game : candidateGames(store, catalogue, candidate)) {
                out << "    node " << game.nodeId;
                for (const std::string& column : gameListColumns(game.record))
                    out << "  " << column;
                out << "\n";
            }
        }
    }
    std::cout << out.str();
    return 0;
}

const CliCommandRegistration kSearch("search", "search the library for a record's position", runSearch);

}  // namespace
}  // namespace tessera::cli
