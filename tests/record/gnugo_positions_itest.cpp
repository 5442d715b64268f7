// The final position of every professional game in the shared corpus, as our reader and
// derivePosition give it, equals the one GNU Go reaches for the same file.

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>

#include "engine/gtp_engine.h"
#include "engine/gtp_vertex.h"
#include "record/record_file.h"
#include "support/test_support.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

TEST(GnuGoPositions, FinalPositionsOfProfessionalGamesMatchGnuGo) {
    TESSERA_REQUIRE_SHARED();
    const std::string program = findProgram("gnugo", {"/usr/games"});
    if (program.empty())
        GTEST_SKIP() << "GNU Go is not installed";
    GtpEngine engine;
    std::string startError;
    ASSERT_TRUE(engine.start({program, "--mode", "gtp"}, startError)) << startError;
    test::ScratchFolder scratch;
    const auto files = test::corpusFiles({"pro", "pro-gbk", "pro-big5", "pro-fox"});
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
        if (const GtpReply loaded = engine.command("loadsgf " + path.string(), 60000);
            loaded.status != GtpReply::Success) {
            notCompared.push_back(file.string() + ": GNU Go refuses it: " + loaded.text);
            if (!engine.isRunning())
                ASSERT_TRUE(engine.start({program, "--mode", "gtp"}, error)) << error;
            continue;
        }
        BoardGrid expected(geometry.width(), geometry.height());
        for (const auto& [colour, name] : {std::pair{kBlack, "black"}, std::pair{kWhite, "white"}}) {
            const GtpReply stones = engine.command(std::string("list_stones ") + name, 60000);
            ASSERT_EQ(stones.status, GtpReply::Success) << file;
            std::istringstream vertices(stones.text);
            std::string vertex;
            while (vertices >> vertex)
                expected.set(parseGtpMove(vertex, geometry.width(), geometry.height()).point, int(colour));
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
