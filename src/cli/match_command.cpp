// tessera-cli match: a game against the computer, or between two computers, to the end.

#include <atomic>
#include <chrono>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/cli_json.h"
#include "cli/command_table.h"
#include "engine/engine_player.h"
#include "engine/gtp_vertex.h"
#include "engine/human_player.h"
#include "engine/match_referee.h"
#include "engine/program_log.h"
#include "platform/program_folders.h"
#include "record/record_file.h"

namespace tessera::cli {
namespace {

const char* kMatchHelp =
    "Usage: tessera-cli match --black human|gnugo --white human|gnugo [--size N] [--handicap N]\n"
    "                         [--komi K] [--rule chinese|japanese] [--level L]\n"
    "                         [--engine-command CMD] [--move-time-limit S] -o OUT.sgf [--json]\n"
    "Plays a game to its end: two passes in a row, a resignation, or an engine's failure.\n"
    "A human side reads its moves from standard input, one a line: a vertex such as D4,\n"
    "\"pass\" or \"resign\". The game is written to OUT (.sgf or .sgg) in every case, and the\n"
    "result is printed.\n"
    "  --size N             lines per side, 5 to 19 (default 19)\n"
    "  --handicap N         0 or 2 to 9 black stones (boards of 9, 11, ..., 19 lines)\n"
    "  --komi K             komi; default 3.75 stones (Chinese rules) or 6.5 points (Japanese)\n"
    "  --rule R             chinese (default) or japanese\n"
    "  --level L            GNU Go's level, 1 to 10 (default 1)\n"
    "  --engine-command CMD the engine: a program (started with --mode gtp --quiet) or a\n"
    "                       whole command line (default: gnugo on PATH or in /usr/games)\n"
    "  --move-time-limit S  longest wait for one engine move in seconds (default 60)\n"
    "  --json               print {\"moves\":N,\"result\":\"...\",\"winner\":\"B\"|\"W\"|\"\",\"error\":\"\"}\n"
    "Exits with 1 when the game could not be finished (engine failure, input ended) and 2\n"
    "when the record could not be written.\n";

bool parseInt(const std::string& text, int& value) {
    try {
        size_t used = 0;
        value = std::stoi(text, &used);
        return used == text.size();
    } catch (...) {
        return false;
    }
}

bool parseNumber(const std::string& text, double& value) {
    try {
        size_t used = 0;
        value = std::stod(text, &used);
        return used == text.size() && value == value && value > -1000 && value < 1000;
    } catch (...) {
        return false;
    }
}

int runMatch(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kMatchHelp;
        return 0;
    }
    MatchSetup setup;
    setup.blackKind = setup.whiteKind = 0;
    std::string output, engine = "gnugo";
    int level = 1, moveLimitSeconds = 60;
    bool json = false, komiGiven = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= args.size())
                return false;
            out = args[++i];
            return true;
        };
        std::string text;
        if (arg == "--json") {
            json = true;
        } else if (arg == "--black" || arg == "--white") {
            if (!value(text) || (text != "human" && text != "gnugo"))
                return failWith("match: " + arg + " takes human or gnugo");
            (arg == "--black" ? setup.blackKind : setup.whiteKind) = text == "human" ? kPlayerHuman : kPlayerComputer;
        } else if (arg == "--size") {
            if (!value(text) || !parseInt(text, setup.boardSize) || setup.boardSize < 5 || setup.boardSize > 19)
                return failWith("match: --size takes a number of lines from 5 to 19");
        } else if (arg == "--handicap") {
            if (!value(text) || !parseInt(text, setup.handicap) || setup.handicap < 0 || setup.handicap > 9 ||
                setup.handicap == 1)
                return failWith("match: --handicap takes 0 or 2 to 9");
        } else if (arg == "--komi") {
            if (!value(text) || !parseNumber(text, setup.komi))
                return failWith("match: --komi takes a number");
            komiGiven = true;
        } else if (arg == "--rule") {
            if (!value(text) || (text != "chinese" && text != "japanese"))
                return failWith("match: --rule takes chinese or japanese");
            setup.rule = text == "chinese" ? kMatchChineseRules : kMatchJapaneseRules;
        } else if (arg == "--level") {
            if (!value(text) || !parseInt(text, level) || level < 1 || level > 10)
                return failWith("match: --level takes 1 to 10");
        } else if (arg == "--engine-command") {
            if (!value(engine) || engine.empty())
                return failWith("match: --engine-command takes a command");
        } else if (arg == "--move-time-limit") {
            if (!value(text) || !parseInt(text, moveLimitSeconds) || moveLimitSeconds < 1 || moveLimitSeconds > 86400)
                return failWith("match: --move-time-limit takes a number of seconds");
        } else if (arg == "-o" || arg == "--output") {
            if (!value(output))
                return failWith("match: -o takes a file name");
        } else {
            return failWith("match: unknown argument " + arg + " (see match --help)");
        }
    }
    if (setup.blackKind == 0 || setup.whiteKind == 0)
        return failWith("match: name both sides with --black and --white (see match --help)");
    if (output.empty())
        return failWith("match: name the record to write with -o OUT.sgf");
    if (lowerExtension(output) != ".sgf" && lowerExtension(output) != ".sgg")
        return failWith("match: the record is written as .sgf or .sgg");
    if (setup.handicap > 0 && !handicapAllowed(setup.boardSize))
        return failWith("match: handicap stones need a board of 9, 11, 13, 15, 17 or 19 lines");
    if (!komiGiven)
        setup.komi = setup.rule == kMatchChineseRules ? 3.75 : 6.5;
    EngineSettings engineSettings;
    engineSettings.command = engine;
    engineSettings.level = level;
    engineSettings.useBook = false;
    engineSettings.moveTimeLimitMs = moveLimitSeconds * 1000;
    setup.blackEngine = setup.whiteEngine = engineSettings;
    setup.blackName = setup.blackKind == kPlayerHuman ? "Human" : "GNU Go";
    setup.whiteName = setup.whiteKind == kPlayerHuman ? "Human" : "GNU Go";

    ProgramLog log(programLogPath(withTrailingSlash(GetProgramFolder())));
    EnginePlayer blackEngine(&log), whiteEngine(&log);
    blackEngine.configure(setup.blackEngine);
    whiteEngine.configure(setup.whiteEngine);
    std::atomic<int> humanTurn{0};  // the colour of a person whose move is awaited
    HumanPlayer blackHuman([&](int colour) { humanTurn = colour; });
    HumanPlayer whiteHuman([&](int colour) { humanTurn = colour; });
    MatchPlayer* black = setup.blackKind == kPlayerHuman ? static_cast<MatchPlayer*>(&blackHuman) : &blackEngine;
    MatchPlayer* white = setup.whiteKind == kPlayerHuman ? static_cast<MatchPlayer*>(&whiteHuman) : &whiteEngine;
    MatchReferee referee;
    referee.setPlayers(setup, black, white);
    referee.start();

    std::string inputError;
    while (!referee.waitForEnd(20)) {
        const int colour = humanTurn.exchange(0);
        if (colour == 0)
            continue;
        const char* side = colour == kBlack ? "black" : "white";
        while (true) {
            std::cerr << side << " to play (vertex, pass or resign): " << std::flush;
            std::string line;
            if (!std::getline(std::cin, line)) {
                inputError = std::string("standard input ended while ") + side + " was to play";
                break;
            }
            const GtpMove move = parseGtpMove(line, setup.boardSize, setup.boardSize);
            if (move.kind == GtpMoveKind::Resign    ? referee.resign(colour)
                : move.kind == GtpMoveKind::Invalid ? false
                                                    : referee.submitHumanMove(move.point))
                break;
            std::cerr << "not a legal move: " << line << "\n";
        }
        if (!inputError.empty()) {
            referee.playerFailed(colour, inputError);
            break;
        }
    }
    referee.stopPlayers();

    const GameRecord record = referee.record();
    std::string error = referee.error();
    std::string writeError;
    const bool written = saveRecordFile(output, record, writeError);
    const std::string winner = referee.winner() ? std::string(1, referee.winner()) : std::string();
    if (json) {
        std::cout << "{\"moves\":" << referee.moveCount() << ",\"result\":" << jsonString(referee.result())
                  << ",\"winner\":" << jsonString(winner) << ",\"error\":" << jsonString(error)
                  << ",\"output\":" << jsonString(output) << ",\"written\":" << (written ? "true" : "false") << "}\n";
    } else {
        std::cout << "moves:  " << referee.moveCount() << "\n"
                  << "result: " << (referee.result().empty() ? "-" : referee.result()) << "\n";
        if (!error.empty())
            std::cout << "error:  " << error << "\n";
    }
    if (!written) {
        std::cerr << "tessera-cli: match: " << writeError << "\n";
        return 2;
    }
    return error.empty() ? 0 : 1;
}

const CliCommandRegistration registration("match", "play a game against GNU Go, or GNU Go against itself", runMatch);

}  // namespace
}  // namespace tessera::cli
