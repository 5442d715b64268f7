// tessera-cli query: games of the library by date, player, event, custom index or SQL.

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_json.h"
#include "cli/command_table.h"
#include "library/game_mark_map.h"
#include "library/library_browse.h"
#include "library/library_query.h"
#include "library/library_store.h"
#include "platform/program_folders.h"

namespace tessera::cli {
namespace {

const char* kQueryHelp =
    "Usage: tessera-cli query KIND [--json]\n"
    "Lists library games of the program folder, one kind of query at a time:\n"
    "  --latest                   games of last year and this year, newest first (at most 300)\n"
    "  --dates FROM TO            games dated FROM to TO (YYYYMMDD; TO 0 means no end), newest first\n"
    "  --undated                  games without a date\n"
    "  --player NAME [--side either|black|white] [--result any|win|draw|loss|unknown]\n"
    "                             games of a player (win and loss from the player's side)\n"
    "  --event TEXT               games of an event\n"
    "  --block GROUP FILE         the games of a custom index file block/GROUP/FILE\n"
    "  --sql TEXT                 a SELECT statement over GoFile\n"
    "Rows are shown as the game list shows them (tab-separated: ID, event, commentary, date,\n"
    "black, black rank, white, white rank, result). With --json: an array of objects with\n"
    "id, event, name, date, black, blackRank, white, whiteRank, result, resultType, moves,\n"
    "appType, mark.\n";

int optionIndex(const std::vector<std::string>& choices, const std::string& value) {
    for (size_t k = 0; k < choices.size(); ++k)
        if (choices[k] == value)
            return static_cast<int>(k);
    return -1;
}

bool isDate(const std::string& text) {
    if (text.empty() || text.size() > 8)
        return false;
    for (const char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

void printJson(const std::vector<LibraryRecord>& list) {
    std::ostringstream out;
    out << "[";
    for (size_t k = 0; k < list.size(); ++k) {
        const LibraryRecord& r = list[k];
        out << (k ? ",\n" : "\n") << "{\"id\":" << r.id << ",\"event\":" << jsonString(r.event)
            << ",\"name\":" << jsonString(r.gameName) << ",\"date\":" << jsonString(r.date)
            << ",\"black\":" << jsonString(r.black) << ",\"blackRank\":" << jsonString(r.blackRank)
            << ",\"white\":" << jsonString(r.white) << ",\"whiteRank\":" << jsonString(r.whiteRank)
            << ",\"result\":" << jsonString(r.resultText) << ",\"resultType\":" << r.resultType
            << ",\"moves\":" << r.totalMoves << ",\"appType\":" << r.appType << ",\"mark\":" << r.mark
            << ",\"site\":" << jsonString(r.place) << ",\"exposit\":" << r.expositType << "}";
    }
    out << (list.empty() ? "]\n" : "\n]\n");
    std::cout << out.str();
}

int runQuery(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kQueryHelp;
        return 0;
    }
    LibraryQuery query;
    bool json = false;
    int kinds = 0;
    auto need = [&args](size_t k, size_t count) { return k + count < args.size(); };
    for (size_t k = 0; k < args.size(); ++k) {
        const std::string& arg = args[k];
        if (arg == "--json") {
            json = true;
        } else if (arg == "--latest") {
            ++kinds;
            query.kind = kQueryByDate;
            query.dateKind = kLatestGames;
        } else if (arg == "--undated") {
            ++kinds;
            query.kind = kQueryByDate;
            query.dateKind = kUndatedGames;
        } else if (arg == "--dates") {
            if (!need(k, 2) || !isDate(args[k + 1]) || !isDate(args[k + 2]))
                return failWith("query: --dates takes FROM and TO as YYYYMMDD");
            ++kinds;
            query.kind = kQueryByDate;
            query.dateKind = kDateRange;
            query.fromDate = std::atoi(args[k + 1].c_str());
            query.toDate = std::atoi(args[k + 2].c_str());
            k += 2;
        } else if (arg == "--player") {
            if (!need(k, 1))
                return failWith("query: --player needs a name");
            ++kinds;
            query.kind = kQueryByPlayer;
            query.player = args[++k];
        } else if (arg == "--side") {
            const int side = need(k, 1) ? optionIndex({"either", "black", "white"}, args[k + 1]) : -1;
            if (side < 0)
                return failWith("query: --side takes either, black or white");
            query.side = side;
            ++k;
        } else if (arg == "--result") {
            const int result = need(k, 1) ? optionIndex({"any", "win", "draw", "loss", "unknown"}, args[k + 1]) : -1;
            if (result < 0)
                return failWith("query: --result takes any, win, draw, loss or unknown");
            query.result = result;
            ++k;
        } else if (arg == "--event") {
            if (!need(k, 1))
                return failWith("query: --event needs a text");
            ++kinds;
            query.kind = kQueryByEvent;
            query.event = args[++k];
        } else if (arg == "--block") {
            if (!need(k, 2))
                return failWith("query: --block needs GROUP and FILE");
            ++kinds;
            query.kind = kQueryByIndex;
            query.group = args[k + 1];
            query.file = args[k + 2];
            k += 2;
        } else if (arg == "--sql") {
            if (!need(k, 1))
                return failWith("query: --sql needs a statement");
            ++kinds;
            query.kind = kQueryBySql;
            query.sql = args[++k];
        } else {
            return failWith("query: unknown argument " + arg + " (see query --help)");
        }
    }
    if (kinds != 1)
        return failWith("query: name exactly one of --latest, --dates, --undated, --player, --event, --block, --sql");
    if (query.kind == kQueryBySql && !isSingleSelect(query.sql))
        return failWith("query: --sql takes one SELECT statement");
    if (query.kind == kQueryByIndex && blockIndexPath(GetProgramFolder(), query.group, query.file).empty())
        return failWith("query: --block takes a group folder and a file name of the block folder");

    const std::string folder = GetProgramFolder();
    GameMarkMap marks;
    marks.load(markFilePath(GetRootFolder(folder)));
    LibraryStore store(folder, &marks);
    std::string error;
    if (!store.open(LibraryAccess::readOnly, error))
        return failWith("query: " + error);
    std::vector<LibraryRecord> list;
    runLibraryQuery(store, query, list);
    if (json) {
        printJson(list);
        return 0;
    }
    for (const auto& record : list) {
        const auto columns = gameListColumns(record);
        for (size_t k = 0; k < columns.size(); ++k)
            std::cout << (k ? "\t" : "") << columns[k];
        std::cout << "\n";
    }
    return 0;
}

const CliCommandRegistration kQuery("query", "list library games by date, player, event, index or SQL", runQuery);

}  // namespace
}  // namespace tessera::cli
