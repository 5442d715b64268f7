// tessera-cli recognize, run as a script runs it, on a picture tessera-cli render drew.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "go/move.h"
#include "record/record_file.h"
#include "support/cli_run.h"
#include "support/test_support.h"
#include "view/board_viewport.h"

namespace tessera {
namespace {

using test::CliRun;
using test::runCli;

constexpr const char* kRows[] = {".............", "..X......O...", ".............", "...X.....OX..", ".............",
                                 "......X......", ".....OX......", "......O......", ".............", "..O.......X..",
                                 ".............", "..........O..", "............."};

class RecognizeCli : public ::testing::Test {
protected:
    void SetUp() override {
        // A 13 x 13 setup record drawn in the simple style.
        GameRecord record;
        record.info.boardWidth = record.info.boardHeight = 13;
        GameNode root;
        root.fullSetup = 1;
        root.sideToMove = kBlack;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                if (kRows[y][x] != '.')
                    (kRows[y][x] == 'X' ? root.addBlack : root.addWhite).push_back(y * 13 + x);
        record.tree.addNode(root);
        record.recomputePositions();
        std::string error;
        ASSERT_TRUE(saveRecordFile(folder / "setup.sgf", record, error)) << error;
        const CliRun render = runCli(
            {"render", (folder / "setup.sgf").string(), "--style", "2", "--size", "400", "--coords", "-o", picture});
        ASSERT_EQ(render.exitCode, 0) << render.output;
        BoardViewport viewport;
        viewport.applySettings({kStyleSimple, true, true, false, 0});
        viewport.setClientSize(400, 400);
        BoardDisplay display(13, 13);
        layout = BoardScreen(display, viewport).gridLayout();
    }

    std::string expectedRows() const {
        std::string text;
        for (const char* row : kRows)
            text += std::string(row) + "\n";
        return text;
    }

    test::ScratchFolder folder;
    const std::string picture = (folder / "board.png").string();
    BoardLayout layout;
};

TEST_F(RecognizeCli, FindsTheGridAndPrintsJson) {
    const CliRun run = runCli({"recognize", picture, "--auto", "--json"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    std::string expected = "{\"size\":13,\"corners\":[" + std::to_string(layout.gridLeft) + "," +
                           std::to_string(layout.gridTop) + "," + std::to_string(layout.gridRight) + "," +
                           std::to_string(layout.gridBottom) + "],\"rows\":[";
    for (int y = 0; y < 13; ++y)
        expected += (y ? ",\"" : "\"") + std::string(kRows[y]) + "\"";
    EXPECT_EQ(run.output, expected + "]}\n");
}

TEST_F(RecognizeCli, ReadsGivenCornersByTheToneRuleAndWritesSetupSgf) {
    const std::string corners = std::to_string(layout.gridRight) + "," + std::to_string(layout.gridBottom) + "," +
                                std::to_string(layout.gridLeft) + "," + std::to_string(layout.gridTop);
    const std::string out = (folder / "read.sgf").string();
    const CliRun run = runCli({"recognize", picture, "--corners", corners, "--size", "13", "-o", out});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output, expectedRows());
    GameRecord record;
    std::string error;
    ASSERT_TRUE(loadRecordFile(out, record, error)) << error;
    const GameNode* root = record.tree.find(0);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(record.info.boardWidth, 13);
    EXPECT_EQ(root->position.countValue(kBlack), 6);
    EXPECT_EQ(root->position.countValue(kWhite), 6);
    EXPECT_EQ(root->position.get(1 * 13 + 2), kBlack);
}

TEST_F(RecognizeCli, RefusesUnusableInputWithOneLine) {
    const std::string text = (folder / "notes.png").string();
    ASSERT_TRUE(test::writeBytes(text, "not a picture"));
    const std::string out = (folder / "never.sgf").string();
    const std::vector<std::vector<std::string>> bad = {
        {"recognize"},
        {"recognize", picture},
        {"recognize", picture, "--corners", "1,2,3"},
        {"recognize", picture, "--corners", "10,10,12,300"},
        {"recognize", picture, "--auto", "--size", "1"},
        {"recognize", picture, "--auto", "--frobnicate"},
        {"recognize", text, "--auto", "-o", out},
        {"recognize", (folder / "missing.png").string(), "--auto", "-o", out},
        {"recognize", (folder / "setup.sgf").string(), "--auto", "-o", out},
    };
    for (const auto& args : bad) {
        const CliRun run = runCli(args);
        EXPECT_NE(run.exitCode, 0) << run.output;
        EXPECT_EQ(run.output.rfind("tessera-cli: recognize: ", 0), 0u) << run.output;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    // A picture without a board: the grid is not found, and the message says what to do.
    const CliRun blank = runCli({"render", (folder / "setup.sgf").string(), "--size", "10", "-o", text});
    ASSERT_EQ(blank.exitCode, 0) << blank.output;
    const CliRun none = runCli({"recognize", text, "--auto"});
    EXPECT_NE(none.exitCode, 0);
    EXPECT_NE(none.output.find("--corners"), std::string::npos) << none.output;
}

}  // namespace
}  // namespace tessera
