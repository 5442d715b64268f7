// The final position of every professional game in the shared corpus, as our reader and
// derivePosition give it, equals the one GNU Go reaches for the same file.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <iostream>
#include <memory>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "record/record_file.h"
#include "support/test_support.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

std::string findGnuGo() {
    for (const char* candidate : {"/usr/games/gnugo", "/usr/bin/gnugo", "/usr/local/bin/gnugo"})
        if (::access(candidate, X_OK) == 0)
            return candidate;
    return {};
}

// One GNU Go process in GTP mode, fed command after command.
class GtpEngine {
public:
    explicit GtpEngine(const std::string& program) {
        int toChild[2];
        int fromChild[2];
        if (::pipe(toChild) != 0 || ::pipe(fromChild) != 0)
            return;
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(toChild[0], 0);
            ::dup2(fromChild[1], 1);
            const int null = ::open("/dev/null", O_WRONLY);
            ::dup2(null, 2);
            ::close(toChild[1]);
            ::close(fromChild[0]);
            ::execl(program.c_str(), program.c_str(), "--mode", "gtp", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(toChild[0]);
        ::close(fromChild[1]);
        input_ = ::fdopen(toChild[1], "w");
        output_ = ::fdopen(fromChild[0], "r");
    }
    ~GtpEngine() {
        if (input_) {
            std::fputs("quit\n", input_);
            std::fclose(input_);
        }
        if (output_)
            std::fclose(output_);
        if (pid_ > 0)
            ::waitpid(pid_, nullptr, 0);
    }
    bool running() const { return input_ && output_ && pid_ > 0 && !dead_; }

    // Sends a command; the answer without its "= " or "? " and whether it was a success.
    bool send(const std::string& command, std::string& answer) {
        std::fputs((command + "\n").c_str(), input_);
        std::fflush(input_);
        answer.clear();
        char line[8192];
        bool first = true;
        bool ok = false;
        if (!running()) {
            answer = "GNU Go is not running";
            return false;
        }
        for (;;) {
            if (!std::fgets(line, sizeof line, output_)) {
                dead_ = true;
                answer = "GNU Go stopped";
                return false;
            }
            std::string text = line;
            if (text == "\n" && !first)
                break;
            if (text == "\n")
                continue;
            if (first) {
                ok = text[0] == '=';
                text = text.size() > 2 ? text.substr(2) : std::string();
                first = false;
            }
            answer += text;
        }
        while (!answer.empty() && (answer.back() == '\n' || answer.back() == ' '))
            answer.pop_back();
        return ok;
    }

private:
    pid_t pid_ = -1;
    FILE* input_ = nullptr;
    FILE* output_ = nullptr;
    bool dead_ = false;
};

// The point of a GTP vertex ("D4": columns skip I, rows count from the bottom), or -1.
int32_t pointOfVertex(const std::string& vertex, const BoardGeometry& geometry) {
    if (vertex.size() < 2)
        return -1;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(vertex[0])));
    int x = letter - 'A';
    if (letter > 'I')
        --x;
    const int row = std::atoi(vertex.c_str() + 1);
    return geometry.pointAt(x, geometry.height() - row);
}

std::vector<fs::path> professionalGames(const fs::path& corpus) {
    std::vector<fs::path> files;
    for (const char* folder : {"pro", "pro-gbk", "pro-big5", "pro-fox"}) {
        if (!fs::is_directory(corpus / folder))
            continue;
        for (const auto& entry : fs::recursive_directory_iterator(corpus / folder))
            if (entry.is_regular_file() && lowerExtension(entry.path()) == ".sgf")
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(GnuGoPositions, FinalPositionsOfProfessionalGamesMatchGnuGo) {
    TESSERA_REQUIRE_SHARED();
    const std::string program = findGnuGo();
    if (program.empty())
        GTEST_SKIP() << "GNU Go is not installed";
    ::signal(SIGPIPE, SIG_IGN);
    auto engine = std::make_unique<GtpEngine>(program);
    ASSERT_TRUE(engine->running());
    test::ScratchFolder scratch;
    const auto files = professionalGames(test::sharedDir() / "corpus");
    ASSERT_FALSE(files.empty());
    int compared = 0;
    std::vector<std::string> notCompared;
    for (const auto& file : files) {
        GameRecord record;
        std::string error;
        ASSERT_TRUE(loadRecordFile(file, record, error)) << file << ": " << error;
        const BoardGeometry geometry = record.geometry();
        if (geometry.width() != geometry.height() || geometry.width() > 19) {
            notCompared.push_back(file.string() + ": GNU Go plays only square boards up to 19");
            continue;
        }
        // GNU Go places the stones of an HA itself when the root sets up none (Fox writes HA
        // for games whose stones it never records, and White then plays on those points).
        const GameNode* root = record.tree.root();
        if (record.info.handicap > 1 && root && !root->hasSetup()) {
            notCompared.push_back(file.string() + ": HA[" + std::to_string(record.info.handicap) +
                                  "] without stones, which GNU Go would place itself");
            continue;
        }
        // GTP separates arguments at blanks: give GNU Go a copy under a plain name.
        fs::path path = file;
        if (file.string().find_first_of(" \t") != std::string::npos) {
            path = scratch / "game.sgf";
            fs::copy_file(file, path, fs::copy_options::overwrite_existing);
        }
        std::string answer;
        if (!engine->send("loadsgf " + path.string(), answer)) {
            notCompared.push_back(file.string() + ": GNU Go refuses it: " + answer);
            if (!engine->running())
                engine = std::make_unique<GtpEngine>(program);
            continue;
        }
        BoardGrid expected(geometry.width(), geometry.height());
        for (const auto& [colour, name] : {std::pair{kBlack, "black"}, std::pair{kWhite, "white"}}) {
            ASSERT_TRUE(engine->send(std::string("list_stones ") + name, answer)) << file;
            std::istringstream vertices(answer);
            std::string vertex;
            while (vertices >> vertex)
                expected.set(pointOfVertex(vertex, geometry), int(colour));
        }
        const auto line = record.tree.mainLine();
        ASSERT_FALSE(line.empty()) << file;
        EXPECT_TRUE(line.back()->position == expected) << file << " differs from GNU Go";
        ++compared;
    }
    std::cout << compared << " of " << files.size() << " professional games compared with GNU Go\n";
    for (const auto& line : notCompared)
        std::cout << "  not compared: " << line << "\n";
    EXPECT_GT(compared, int(files.size() * 9 / 10));
}

}  // namespace
}  // namespace tessera
