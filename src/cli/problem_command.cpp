// tessera-cli problem: answers a problem record with given moves and says how it went.

#include <cctype>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_json.h"
#include "cli/command_table.h"
#include "record/record_file.h"
#include "training/problem_play.h"

namespace tessera::cli {
namespace {

const char* kProblemHelp =
    "Usage: tessera-cli problem FILE --answer \"MOVE MOVE ...\" [--json]\n"
    "Plays the moves (coordinates such as D04 or Q16 in the record's own orientation, or pass)\n"
    "as the side to move of the problem, each followed by the record's reply, and says whether\n"
    "the answer is right, wrong or unfinished. Right answers are the lines that end at a node\n"
    "marked right (RIGHT, Correct, 正解, or the tag 正解); a move that no branch holds, or a\n"
    "line that ends without a right mark, is wrong.\n"
    "  --json   print {\"result\":\"right\"|\"wrong\"|\"unfinished\",\"played\":N,\"replies\":[...]}\n"
    "Exits with 1 when the file cannot be read or a move is not a coordinate of the board.\n";

const char* resultText(AnswerVerdict verdict) {
    return verdict == AnswerVerdict::Right ? "right" : verdict == AnswerVerdict::Wrong ? "wrong" : "unfinished";
}

int runProblem(const std::vector<std::string>& args) {
    if (wantsHelp(args)) {
        std::cout << kProblemHelp;
        return 0;
    }
    bool json = false;
    bool haveAnswer = false;
    std::string file, answer;
    for (size_t k = 0; k < args.size(); ++k) {
        if (args[k] == "--json") {
            json = true;
        } else if (args[k] == "--answer") {
            if (k + 1 >= args.size())
                return failWith("problem: --answer takes the moves in one argument");
            answer = args[++k];
            haveAnswer = true;
        } else if (args[k].rfind("--", 0) == 0) {
            return failWith("problem: unknown option " + args[k] + " (see problem --help)");
        } else if (file.empty()) {
            file = args[k];
        } else {
            return failWith("problem: name one record file (see problem --help)");
        }
    }
    if (file.empty() || !haveAnswer)
        return failWith("problem: name a record file and --answer (see problem --help)");
    GameRecord record;
    std::string error;
    if (!loadRecordFile(file, record, error))
        return failWith("problem: " + file + ": " + error);
    const BoardGeometry geometry = record.geometry();
    std::vector<int32_t> points;
    std::istringstream words(answer);
    for (std::string word; words >> word;) {
        std::string lower = word;
        for (char& c : lower)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        const int32_t p = lower == "pass" ? -1 : pointFromText(word, geometry);
        if (p < 0 && lower != "pass")
            return failWith("problem: " + word + " is not a point of the " + std::to_string(geometry.width()) + "x" +
                            std::to_string(geometry.height()) + " board");
        points.push_back(p);
    }
    const ProblemRun run = playProblemAnswer(record, points);
    if (json) {
        std::ostringstream out;
        out << "{\"result\":\"" << resultText(run.result) << "\",\"played\":" << run.played << ",\"replies\":[";
        for (size_t k = 0; k < run.replies.size(); ++k)
            out << (k ? "," : "") << jsonString(geometry.pointText(run.replies[k]));
        out << "]}\n";
        std::cout << out.str();
    } else {
        std::cout << resultText(run.result) << " after " << run.played << " moves";
        for (size_t k = 0; k < run.replies.size(); ++k)
            std::cout << (k ? " " : "; replies: ") << geometry.pointText(run.replies[k]);
        std::cout << "\n";
    }
    return 0;
}

const CliCommandRegistration kProblem("problem", "answer a problem record with given moves", runProblem);

}  // namespace
}  // namespace tessera::cli
