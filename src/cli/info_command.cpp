// tessera-cli info: game information, move count and final position of record files.

#include <cmath>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_json.h"
#include "cli/command_table.h"
#include "record/game_record.h"
#include "record/occupied_point_check.h"
#include "record/record_file.h"

namespace tessera::cli {
namespace {

const char* kInfoHelp =
    "Usage: tessera-cli info [--json] FILE...\n"
    "Prints the game information, the number of nodes and moves and the final position of\n"
    "the main line of each record file (.sgf, .gib, .sgg).\n"
    "  --json   one JSON object per line and file: file, ok, error, boardWidth, boardHeight,\n"
    "           nodes, totalMoves, blackName, whiteName, resultText, resultType, komi, handicap,\n"
    "           final (rows top first; \".\" empty, \"X\" black, \"O\" white), warning (a move\n"
    "           that lands on an occupied point, \"\" when none)\n"
    "Exits with 1 when any file could not be read.\n";

std::string numberText(double value) {
    if (!std::isfinite(value))
        return "0";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

// The final position of the main line, rows top first.
std::vector<std::string> finalRows(GameRecord& record) {
    const BoardGeometry geometry = record.geometry();
    const auto line = record.tree.mainLine();
    std::vector<std::string> rows;
    for (int y = 0; y < geometry.height(); ++y) {
        std::string row;
        for (int x = 0; x < geometry.width(); ++x) {
            const int value = line.empty() ? 0 : line.back()->position.get(geometry.pointAt(x, y));
            row += value == kBlack ? 'X' : value == kWhite ? 'O' : '.';
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

void printJson(const std::string& file, bool ok, const std::string& error, GameRecord& record) {
    std::ostringstream out;
    out << "{\"file\":" << jsonString(file) << ",\"ok\":" << (ok ? "true" : "false")
        << ",\"error\":" << jsonString(ok ? std::string() : error);
    if (ok) {
        const GameInfo& info = record.info;
        out << ",\"boardWidth\":" << info.boardWidth << ",\"boardHeight\":" << info.boardHeight
            << ",\"nodes\":" << record.tree.size() << ",\"totalMoves\":" << info.totalMoves
            << ",\"blackName\":" << jsonString(info.blackName) << ",\"whiteName\":" << jsonString(info.whiteName)
            << ",\"resultText\":" << jsonString(info.resultText) << ",\"resultType\":" << info.resultType
            << ",\"komi\":" << numberText(info.komi) << ",\"handicap\":" << info.handicap
            << ",\"warning\":" << jsonString(occupiedPointWarning(record)) << ",\"final\":[";
        const auto rows = finalRows(record);
        for (size_t i = 0; i < rows.size(); ++i)
            out << (i ? "," : "") << jsonString(rows[i]);
        out << "]";
    }
    out << "}\n";
    std::cout << out.str();
}

void printText(const std::string& file, GameRecord& record) {
    const GameInfo& info = record.info;
    auto player = [](const std::string& name, const std::string& rank) {
        return rank.empty() ? name : name + " (" + rank + ")";
    };
    std::cout << file << "\n"
              << "  board:    " << info.boardWidth << "x" << info.boardHeight << "\n"
              << "  black:    " << player(info.blackName, info.blackRank) << "\n"
              << "  white:    " << player(info.whiteName, info.whiteRank) << "\n"
              << "  result:   " << info.resultText << "\n"
              << "  komi:     " << numberText(info.komi) << "\n";
    if (info.handicap > 0)
        std::cout << "  handicap: " << info.handicap << "\n";
    if (!info.event.empty())
        std::cout << "  event:    " << info.event << "\n";
    if (!info.date.empty())
        std::cout << "  date:     " << info.date << "\n";
    if (const std::string warning = occupiedPointWarning(record); !warning.empty())
        std::cout << "  warning:  " << warning << "\n";
    std::cout << "  nodes:    " << record.tree.size() << "\n"
              << "  moves:    " << info.totalMoves << "\n";
    for (const auto& row : finalRows(record)) {
        std::cout << "  ";
        for (size_t i = 0; i < row.size(); ++i)
            std::cout << (i ? " " : "") << row[i];
        std::cout << "\n";
    }
}

int runInfo(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kInfoHelp;
        return 0;
    }
    bool json = false;
    std::vector<std::string> files;
    for (const auto& arg : args) {
        if (arg == "--json")
            json = true;
        else if (arg.rfind("--", 0) == 0)
            return failWith("info: unknown option " + arg + " (see info --help)");
        else
            files.push_back(arg);
    }
    if (files.empty())
        return failWith("info: name at least one record file (see info --help)");
    int failures = 0;
    for (const auto& file : files) {
        GameRecord record;
        std::string error;
        const bool ok = loadRecordFile(file, record, error);
        if (!ok)
            ++failures;
        if (json)
            printJson(file, ok, error, record);
        else if (ok)
            printText(file, record);
        else
            std::cerr << "tessera-cli: " << file << ": " << error << "\n";
    }
    return failures ? 1 : 0;
}

const CliCommandRegistration registration("info", "show the game information and final position of record files",
                                          runInfo);

}  // namespace
}  // namespace tessera::cli
