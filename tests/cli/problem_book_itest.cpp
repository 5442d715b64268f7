// tessera-cli import --book and tessera-cli problem, run as the real program on corpus problems.
#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_run.h"
#include "support/test_support.h"

namespace tessera {
namespace {

using test::runCli;

test::CliRun cli(const std::vector<std::string>& args) { return runCli(args, false); }

std::string problem(const char* file) { return (test::sharedDir() / "corpus" / "problems" / file).string(); }

TEST(ProblemCommand, RightWrongAndUnfinishedAnswersWithTheRecordsReplies) {
    TESSERA_REQUIRE_SHARED();
    const std::string easy = problem("gogameguru/easy/ggg-easy-01.sgf");  // Black S1, White S2, Black O1
    EXPECT_EQ(cli({"problem", easy, "--answer", "S1 O1", "--json"}).output,
              "{\"result\":\"right\",\"played\":2,\"replies\":[\"S02\"]}\n");
    EXPECT_EQ(cli({"problem", easy, "--answer", "s01", "--json"}).output,
              "{\"result\":\"unfinished\",\"played\":1,\"replies\":[\"S02\"]}\n");
    EXPECT_EQ(cli({"problem", easy, "--answer", "S3 O1", "--json"}).output,  // a branch without a right end
              "{\"result\":\"wrong\",\"played\":1,\"replies\":[]}\n");
    EXPECT_EQ(cli({"problem", easy, "--answer", "A19", "--json"}).output,  // no branch at all
              "{\"result\":\"wrong\",\"played\":1,\"replies\":[]}\n");
    EXPECT_EQ(cli({"problem", problem("maxigos/pass-en.sgf"), "--answer", "pass", "--json"}).output,
              "{\"result\":\"right\",\"played\":1,\"replies\":[]}\n");
    EXPECT_EQ(cli({"problem", easy, "--answer", "Z9"}).exitCode, 1);
    EXPECT_EQ(cli({"problem", easy}).exitCode, 1);
}

TEST(ImportBook, AFolderBecomesAListedBookWithItsTitles) {
    TESSERA_REQUIRE_SHARED();
    test::ScratchFolder folder;
    const std::string program = (folder / "bin").string() + "/";
    std::filesystem::create_directories(program);
    test::ScopedVariable programFolder("TESSERA_PROGRAM_FOLDER", program.c_str());
    const test::CliRun made =
        cli({"import", "--book", "围棋题", "--title-en", "Go problems", "--json", problem("goproblems")});
    ASSERT_EQ(made.exitCode, 0) << made.output;
    EXPECT_NE(made.output.find("\"imported\":14"), std::string::npos) << made.output;
    EXPECT_NE(made.output.find("\"problems\":14"), std::string::npos) << made.output;
    const std::string books = test::readBytes(program + "TPBs.ini");
    for (const char* line :
         {"TITLE0=Go problems", "TITLE1=围棋题", "TITLE2=圍棋題", "GROUP=books", "BLOCK=围棋题", "TOTAL=1"})
        EXPECT_NE(books.find(line), std::string::npos) << line << "\n" << books;
    EXPECT_EQ(cli({"query", "--block", "books", "围棋题", "--json"}).exitCode, 0);
    EXPECT_EQ(cli({"import", "--title-en", "x", problem("goproblems")}).exitCode, 1);
    EXPECT_EQ(cli({"import", "--book", "..", problem("goproblems")}).exitCode, 1);
}

}  // namespace
}  // namespace tessera
