// tessera-cli publish and update, run as a user runs them against a real HTTP server.

#include <gtest/gtest.h>

#include <filesystem>

#include "support/cli_run.h"
#include "support/generated_library.h"
#include "support/http_test_server.h"
#include "support/test_support.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;

TEST(UpdateCommands, PublishThenUpdateAndTheirJson) {
    test::ScratchFolder folder;
    const std::string pub = (folder / "pub").string(), out = (folder / "out").string();
    fs::create_directories(pub);
    fs::create_directories(folder / "client/bin");
    test::importGeneratedGames(pub + "/", folder.path(), 0, 3);
    ASSERT_TRUE(test::writeBytes(pub + "/TPBs.ini", "[BOOKS]\n"));

    test::CliRun run = test::runCli({"publish", pub, out, "--json"}, false);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, "{\"patch\":0,\"games\":3,\"players\":4,\"files\":1,\"indexVersion\":1}\n");
    run = test::runCli({"publish", pub, out, "--json"}, false);  // nothing new
    EXPECT_EQ(run.output, "{\"patch\":-1,\"games\":0,\"players\":0,\"files\":0,\"indexVersion\":1}\n");
    EXPECT_EQ(test::runCli({"publish", pub, out, "--since", "4"}).exitCode, 1);

    const std::string client = (folder / "client/bin").string();
    run = test::runCli({"--program-folder", client, "update"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("no update server is configured"), std::string::npos) << run.output;

    test::HttpTestServer server(out);
    ASSERT_TRUE(server.running());
    run = test::runCli({"--program-folder", client, "update", "--url", server.url(), "--json"}, false);
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.substr(0, run.output.find(",\"seconds\"")),
              "{\"patches\":[0],\"databaseReplaced\":true,\"games\":3,\"files\":1,\"failed\":[]");
    fs::remove(out + "/Patch/GoMDB/GoMDBHisPatch.INI");
    run = test::runCli({"--program-folder", client, "update", "--url", server.url(), "--json"}, false);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("\"failed\":[{\"path\":\"Patch/GoMDB/GoMDBHisPatch.INI\",\"error\":\"download failed: "
                              "HTTP status 404\"}]"),
              std::string::npos)
        << run.output;
}

}  // namespace
}  // namespace tessera
