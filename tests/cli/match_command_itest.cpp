// tessera-cli match, run as the real program against the real GNU Go.

#include <gtest/gtest.h>

#include "platform/process_channel.h"
#include "record/record_file.h"
#include "support/cli_run.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::CliRun;

// Runs tessera-cli match with `input` on standard input; the program log goes to the scratch
// folder.
CliRun runMatch(const test::ScratchFolder& folder, const std::vector<std::string>& args,
                const std::string& input = "") {
    test::writeBytes(folder / "input.txt", input);
    std::vector<std::string> all{"--program-folder", folder.path().string(), "match"};
    all.insert(all.end(), args.begin(), args.end());
    return test::runCli(all, false, (folder / "input.txt").string());
}

#define REQUIRE_GNUGO()                               \
    if (findProgram("gnugo", {"/usr/games"}).empty()) \
    GTEST_SKIP() << "GNU Go is not installed (Debian package gnugo)"

TEST(MatchCommand, GnuGoAgainstItselfWritesTheWholeGameAndItsResult) {
    REQUIRE_GNUGO();
    test::ScratchFolder folder;
    const std::string out = (folder / "game.sgf").string();
    const CliRun run = runMatch(folder, {"--black", "gnugo", "--white", "gnugo", "--size", "9", "--komi", "6.5",
                                         "--rule", "japanese", "-o", out, "--json"});
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("\"error\":\"\""), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("\"winner\":\"B\""), run.output.find("\"winner\":\"W\"")) << run.output;
    GameRecord record;
    std::string error;
    ASSERT_TRUE(loadRecordFile(out, record, error)) << error;
    const std::string moves = "\"moves\":" + std::to_string(record.tree.size() - 1) + ",";
    EXPECT_NE(run.output.find(moves), std::string::npos) << run.output;
    EXPECT_EQ(record.info.boardWidth, 9);
    EXPECT_DOUBLE_EQ(record.info.komi, 6.5);
    EXPECT_NE(run.output.find("\"result\":\"" + record.info.resultText + "\""), std::string::npos) << run.output;
    EXPECT_FALSE(record.info.resultText.empty());
}

TEST(MatchCommand, APersonTypesMovesAndResigns) {
    REQUIRE_GNUGO();
    test::ScratchFolder folder;
    const std::string out = (folder / "game.sgf").string();
    // Nonsense and an occupied point are refused; the person then plays on and resigns.
    const CliRun run = runMatch(folder, {"--black", "human", "--white", "gnugo", "--size", "9", "-o", out, "--json"},
                                "E5\nhello\nE5\nC3\nresign\n");
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("\"moves\":4,\"result\":\"W+R\",\"winner\":\"W\""), std::string::npos) << run.output;
}

TEST(MatchCommand, AFailingEngineStillWritesTheMovesAndExitsNonZero) {
    test::ScratchFolder folder;
    const std::string out = (folder / "game.sgf").string();
    CliRun run = runMatch(folder, {"--black", "gnugo", "--white", "human", "--engine-command", "/nonexistent/engine",
                                   "-o", out, "--json"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("\"moves\":0,\"result\":\"\",\"winner\":\"\",\"error\":\""), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("/nonexistent/engine"), std::string::npos) << run.output;
    EXPECT_TRUE(std::filesystem::exists(out));
    EXPECT_NE(test::readBytes(folder / "log.txt").find("Unable to start /nonexistent/engine"), std::string::npos);

    // A person's input that ends before the game does: the moves so far are kept.
    run = runMatch(folder, {"--black", "human", "--white", "human", "--size", "5", "-o", out}, "C3\nB2\n");
    EXPECT_EQ(run.exitCode, 1);
    GameRecord record;
    std::string error;
    ASSERT_TRUE(loadRecordFile(out, record, error)) << error;
    EXPECT_EQ(record.tree.size(), 3u);

    EXPECT_EQ(runMatch(folder, {"--black", "human", "-o", out}).exitCode, 1);  // white not named
    EXPECT_EQ(runMatch(folder, {"--black", "human", "--white", "human", "--size", "8", "--handicap", "2", "-o", out})
                  .exitCode,
              1);
}

}  // namespace
}  // namespace tessera
