// tessera-cli stats: what the information pane reports for a position of a record.

#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_json.h"
#include "cli/cli_position.h"
#include "cli/command_table.h"
#include "library/library_store.h"
#include "platform/program_folders.h"
#include "record/record_file.h"
#include "stats/hint_report.h"
#include "stats/pattern_bases.h"

namespace tessera::cli {
namespace {

const char* kStatsHelp =
    "Usage: tessera-cli stats FILE [--move N] [--json]\n"
    "Looks the position after move N of the record's main line (default: its last move) up in\n"
    "the pattern bases of the program folder and prints the report of the information pane:\n"
    "the knowledge note, else the whole-board statistics, else the local statistics.\n"
    "  --json  one object: whole {total, moves [{label, point, x, y, games, wins, losses}]},\n"
    "          local [{group, moves [...]}], knowledge (the note's text, empty without one)\n";

std::string movesJson(const std::vector<HintDetail>& details, int kind, const std::string& group) {
    const BoardGeometry board(19, 19);
    std::ostringstream out;
    out << "[";
    bool first = true;
    for (const HintDetail& detail : details) {
        if (detail.kind != kind || (kind == 0 && detail.label.substr(1) != group))
            continue;
        int x = -1, y = -1;
        board.coordsOf(detail.point, x, y);
        out << (first ? "" : ",") << "{\"label\":" << jsonString(detail.label)
            << ",\"point\":" << jsonString(board.pointText(detail.point)) << ",\"x\":" << x << ",\"y\":" << y
            << ",\"games\":" << detail.result.total << ",\"wins\":" << detail.result.wins
            << ",\"losses\":" << detail.result.losses << "}";
        first = false;
    }
    out << "]";
    return out.str();
}

int runStats(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kStatsHelp;
        return 0;
    }
    bool json = false;
    long move = -1;
    std::string file;
    for (size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--json") {
            json = true;
        } else if (args[k] == "--move") {
            char* end = nullptr;
            if (k + 1 >= args.size() || (move = std::strtol(args[k + 1].c_str(), &end, 10)) < 0 || *end != '\0')
                return failWith("stats: --move takes a move number of at least 0");
            ++k;
        } else if (args[k].rfind("--", 0) == 0 || !file.empty()) {
            return failWith("stats: unexpected argument " + args[k] + " (see stats --help)");
        } else {
            file = args[k];
        }
    }
    if (file.empty())
        return failWith("stats: name a record file (see stats --help)");
    GameRecord record;
    std::string error;
    if (!loadRecordFile(file, record, error))
        return failWith("stats: " + error);
    if (record.info.boardWidth != 19 || record.info.boardHeight != 19)
        return failWith("stats: the pattern bases hold 19 x 19 positions only");
    record.recomputePositions();
    const GameNode* node = mainLineNodeAfter(record, move);
    if (!node)
        return failWith("stats: the record has no nodes");
    const std::string folder = GetProgramFolder();
    if (folder.empty())
        return failWith("stats: the program folder is unknown (use --program-folder)");
    PatternBases bases;
    bases.open(folder);
    LibraryCatalogue catalogue;
    LibraryStore store(folder);
    if (store.open(LibraryAccess::readOnly, error))
        store.loadCatalogue(catalogue);

    HintRequest request;
    request.position = node->position;
    request.colourToMove = node->sideToMove == 2 ? 2 : 1;
    request.lastWasStoneMove = node->move.isStoneMove();
    const auto run = [&](bool knowledge, bool global, bool local) {
        HintRequest one = request;
        one.showKnowledge = knowledge;
        one.showGlobal = global;
        one.showLocal = local;
        return computeHints(bases, catalogue, one);
    };
    if (!json) {
        std::cout << run(true, true, true).report;
        return 0;
    }
    const HintResult whole = run(false, true, false);
    const HintResult local = run(false, false, true);
    const HintResult note = run(true, false, false);
    int total = 0;
    for (const HintDetail& detail : whole.details)
        total += detail.result.total;
    std::ostringstream out;
    out << "{\"whole\":{\"total\":" << total << ",\"moves\":" << movesJson(whole.details, 1, "") << "},\"local\":[";
    std::vector<std::string> groups;
    for (const HintDetail& detail : local.details)
        if (groups.empty() || groups.back() != detail.label.substr(1))
            groups.push_back(detail.label.substr(1));
    for (size_t g = 0; g < groups.size(); ++g)
        out << (g ? "," : "") << "{\"group\":" << groups[g] << ",\"moves\":" << movesJson(local.details, 0, groups[g])
            << "}";
    out << "],\"knowledge\":" << jsonString(note.knowledgeShown ? note.report : std::string()) << "}\n";
    std::cout << out.str();
    return 0;
}

const CliCommandRegistration kStats("stats", "print the pattern statistics of a record's position", runStats);

}  // namespace
}  // namespace tessera::cli
