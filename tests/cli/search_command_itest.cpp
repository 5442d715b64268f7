// tessera-cli import, index and search, run as the real program on a scratch library.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_run.h"
#include "support/test_support.h"

namespace tessera {
namespace {

TEST(SearchCommand, SearchesTheLibraryThroughTheIndexAsTheScanDoesAndRefusesBadRegions) {
    test::ScratchFolder folder;
    const std::string program = (folder / "bin").string() + "/";
    std::filesystem::create_directories(folder / "bin");
    ASSERT_TRUE(test::writeBytes(folder / "games" / "a.sgf", "(;SZ[19]PB[A]PW[B]RE[B+R];B[pd];W[dp];B[pp])"));
    ASSERT_TRUE(test::writeBytes(folder / "games" / "b.sgf", "(;SZ[19]PB[C]PW[D]RE[W+R];B[dd];W[pp])"));
    const std::string query = (folder / "games" / "a.sgf").string();
    ASSERT_EQ(test::runCli({"--program-folder", program, "import", (folder / "games").string()}).exitCode, 0);

    const auto indexed = test::runCli({"--program-folder", program, "search", query, "--move", "1", "--json"}, false);
    ASSERT_EQ(indexed.exitCode, 0) << indexed.output;
    // Both games: the second in its mirror image, its move mapped back onto the searched board.
    const std::string candidates =
        "\"candidates\":[{\"label\":\"A\",\"point\":\"D04\",\"x\":3,\"y\":15,\"total\":2,\"wins\":1,\"losses\":1,"
        "\"hits\":[{\"game\":1,\"node\":2},{\"game\":2,\"node\":2}]}]}";
    EXPECT_NE(indexed.output.find("{\"searched\":2,\"matchedGames\":2,\"ms\":"), std::string::npos) << indexed.output;
    EXPECT_NE(indexed.output.find("\"indexed\":true"), std::string::npos);
    EXPECT_NE(indexed.output.find(candidates), std::string::npos) << indexed.output;

    const auto scanned =
        test::runCli({"--program-folder", program, "search", query, "--move", "1", "--scan", "--json"}, false);
    EXPECT_NE(scanned.output.find("\"indexed\":false"), std::string::npos);
    EXPECT_NE(scanned.output.find(candidates), std::string::npos) << scanned.output;
    const auto rebuilt = test::runCli({"--program-folder", program, "index", "--json"}, false);
    EXPECT_NE(rebuilt.output.find("{\"games\":2,\"segments\":1,"), std::string::npos) << rebuilt.output;

    // A game that reached the library without this index (another client of a shared library)
    // is added by --missing as one new segment; the games already indexed are not read again.
    const auto index = folder / "bin" / "index";
    std::filesystem::rename(index, folder / "kept-index");
    ASSERT_TRUE(test::writeBytes(folder / "more" / "c.sgf", "(;SZ[19]PB[E]PW[F]RE[B+R];B[qd];W[dd])"));
    ASSERT_EQ(test::runCli({"--program-folder", program, "import", (folder / "more").string()}).exitCode, 0);
    std::filesystem::remove_all(index);
    std::filesystem::rename(folder / "kept-index", index);
    const auto caughtUp = test::runCli({"--program-folder", program, "index", "--missing", "--json"}, false);
    EXPECT_NE(caughtUp.output.find("{\"games\":3,\"segments\":2,"), std::string::npos) << caughtUp.output;
    EXPECT_NE(caughtUp.output.find("\"added\":1}"), std::string::npos) << caughtUp.output;
    const auto again = test::runCli({"--program-folder", program, "index", "--missing", "--json"}, false);
    EXPECT_NE(again.output.find("\"segments\":2,"), std::string::npos) << again.output;
    EXPECT_NE(again.output.find("\"added\":0}"), std::string::npos) << again.output;

    const auto region = test::runCli(
        {"--program-folder", program, "search", query, "--move", "1", "--region", "12,0,18,6", "--scope", "2"});
    EXPECT_EQ(region.exitCode, 0);
    EXPECT_NE(region.output.find("searched 0 games, 0 matched"), std::string::npos) << region.output;
    const auto outside = test::runCli({"--program-folder", program, "search", query, "--region", "12,0,19,6"});
    EXPECT_EQ(outside.exitCode, 1);
    EXPECT_NE(outside.output.find("is not inside the 19 x 19 board"), std::string::npos) << outside.output;
}

}  // namespace
}  // namespace tessera
