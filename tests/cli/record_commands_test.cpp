// tessera-cli info and convert, run as the real program.

#include <gtest/gtest.h>

#include "support/cli_run.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::CliRun;

// Standard output only: the JSON lines are checked whole.
CliRun runCli(const std::vector<std::string>& args) { return test::runCli(args, false); }

TEST(RecordCommands, GibHandicapGamesConvertFromTheRightPositionAndClashesAreFlagged) {
    test::ScratchFolder folder;
    // Tygem, three stones (Q16, D4, D16); White's first move is Q4.
    ASSERT_TRUE(test::writeBytes(folder / "game.gib", "\\[GIBOKIND=Global\\]\n\\HE\nINI 0 1 3 &4\nSTO 0 2 2 15 15\n"));
    ASSERT_EQ(runCli({"convert", (folder / "game.gib").string(), (folder / "game.sgf").string()}).exitCode, 0);
    const std::string sgf = test::readBytes(folder / "game.sgf");
    EXPECT_NE(sgf.find("AB[pd][dp][dd]"), std::string::npos) << sgf;
    EXPECT_NE(sgf.find(";W[pp]"), std::string::npos) << sgf;
    const CliRun info = runCli({"info", "--json", (folder / "game.gib").string()});
    EXPECT_NE(info.output.find("\"warning\":\"\""), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("\"...X...........X...\""), std::string::npos) << info.output;  // row 16
    EXPECT_NE(info.output.find("\"...X...........O...\""), std::string::npos) << info.output;  // row 4

    // A record whose move lands on a stone is converted, but said so.
    ASSERT_TRUE(test::writeBytes(folder / "clash.sgf", "(;AB[pd];W[dd];B[pd])"));
    const std::string flagged = runCli({"info", "--json", (folder / "clash.sgf").string()}).output;
    EXPECT_NE(flagged.find("\"warning\":\"move 2 (Q16) lands on an occupied point\""), std::string::npos) << flagged;
    const CliRun converted =
        test::runCli({"convert", (folder / "clash.sgf").string(), (folder / "clash.sgg").string()});
    EXPECT_EQ(converted.exitCode, 0);
    const std::string& said = converted.output;
    EXPECT_NE(said.find("warning: "), std::string::npos) << said;
    EXPECT_NE(said.find("move 2 (Q16) lands on an occupied point"), std::string::npos) << said;
}

TEST(RecordCommands, InfoPrintsOneJsonLinePerFileAndFailsWhenOneFails) {
    test::ScratchFolder folder;
    ASSERT_TRUE(test::writeBytes(folder / "game.sgf", "(;SZ[5]PB[黑\"棋]PW[W]RE[W+R]KM[6.5];B[aa];W[bb];B[ee])"));
    ASSERT_TRUE(test::writeBytes(folder / "broken.sgf", "no record"));
    const CliRun run = runCli({"info", "--json", (folder / "game.sgf").string(), (folder / "broken.sgf").string()});
    EXPECT_EQ(run.exitCode, 1);
    const size_t split = run.output.find('\n');
    ASSERT_NE(split, std::string::npos);
    const std::string first = run.output.substr(0, split);
    EXPECT_NE(first.find("\"ok\":true"), std::string::npos) << first;
    EXPECT_NE(first.find("\"blackName\":\"黑\\\"棋\""), std::string::npos) << first;
    EXPECT_NE(first.find("\"nodes\":4,\"totalMoves\":3"), std::string::npos) << first;
    EXPECT_NE(first.find("\"resultType\":2,\"komi\":6.5"), std::string::npos) << first;
    EXPECT_NE(first.find("\"final\":[\"X....\",\".O...\",\".....\",\".....\",\"....X\"]"), std::string::npos) << first;
    const std::string second = run.output.substr(split + 1);
    EXPECT_NE(second.find("\"ok\":false,\"error\":\"no game tree"), std::string::npos) << second;

    const CliRun good = runCli({"info", (folder / "game.sgf").string()});
    EXPECT_EQ(good.exitCode, 0);
    EXPECT_NE(good.output.find("X . . . ."), std::string::npos) << good.output;
    EXPECT_EQ(runCli({"info", "--help"}).exitCode, 0);
    EXPECT_NE(runCli({"info"}).exitCode, 0);
}

TEST(RecordCommands, ConvertWritesTheFormatOfTheOutputName) {
    test::ScratchFolder folder;
    ASSERT_TRUE(test::writeBytes(folder / "in.sgf", "(;CA[GBK]PB[\xB9\xC5\xC1\xA6];B[pd](;W[dd])(;W[dp]))"));
    const CliRun run = runCli({"convert", (folder / "in.sgf").string(), (folder / "out.SGF").string()});
    ASSERT_EQ(run.exitCode, 0);
    const std::string written = test::readBytes(folder / "out.SGF");
    EXPECT_EQ(written.rfind("(;GM[1]FF[4]CA[UTF-8]", 0), 0u) << written;
    EXPECT_NE(written.find("PB[古力]"), std::string::npos) << written;
    EXPECT_NE(written.find("(;W[dd])(;W[dp])"), std::string::npos) << written;
    EXPECT_NE(runCli({"convert", (folder / "in.sgf").string(), (folder / "out.txt").string()}).exitCode, 0);
    EXPECT_NE(runCli({"convert", (folder / "absent.sgf").string(), (folder / "x.sgf").string()}).exitCode, 0);
    EXPECT_NE(runCli({"convert", (folder / "in.sgf").string()}).exitCode, 0);
}

}  // namespace
}  // namespace tessera
