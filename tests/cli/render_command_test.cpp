// tessera-cli render, run as a script runs it.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <tuple>

#include <QImage>

#include "record/game_tree.h"
#include "record/record_file.h"
#include "support/cli_run.h"
#include "support/test_support.h"
#include "view/board_viewport.h"

namespace tessera {
namespace {

using test::CliRun;

CliRun runRender(std::vector<std::string> args) {
    args.insert(args.begin(), "render");
    return test::runCli(args);
}

TEST(RenderCli, RefusesUnusableArgumentsWithOneLine) {
    test::ScratchFolder folder;
    const std::string out = (folder / "out.png").string();
    const std::vector<std::vector<std::string>> bad = {
        {},
        {"game.sgf"},
        {"game.sgf", "-o"},
        {"game.sgf", "--style", "3", "-o", out},
        {"game.sgf", "--size", "5", "-o", out},
        {"game.sgf", "--move", "-1", "-o", out},
        {"game.sgf", "--move", "x", "-o", out},
        {"game.sgf", "--frobnicate", "-o", out},
        {(folder / "missing.sgf").string(), "-o", out},
        {(folder / "game.txt").string(), "-o", out},
    };
    for (const auto& args : bad) {
        const CliRun run = runRender(args);
        EXPECT_NE(run.exitCode, 0) << run.output;
        EXPECT_EQ(run.output.rfind("tessera-cli: render: ", 0), 0u) << run.output;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    const CliRun help = runRender({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.output.find("--transform"), std::string::npos);
}

// Black C7, white G3, black C3 on 9 x 9.
void expectSmallGamePicture(const std::filesystem::path& out);

TEST(RenderCli, DrawsTheChosenPositionOfABinaryRecord) {
    test::ScratchFolder folder;
    GameRecord record;
    record.info.boardWidth = record.info.boardHeight = 9;
    const BoardGeometry board(9, 9);
    GameNode root;
    root.fullSetup = 1;
    root.sideToMove = kBlack;
    record.tree.addNode(root);
    record.recomputePositions();
    int32_t at = 0;
    for (auto [colour, x, y] : {std::tuple{kBlack, 2, 2}, {kWhite, 6, 6}, {kBlack, 2, 6}})
        at = playMoveAtNode(record.tree, board, at, {static_cast<uint32_t>(colour), board.pointAt(x, y)})->id;
    std::string error;
    const auto file = folder / "game.sgg";
    ASSERT_TRUE(saveRecordFile(file, record, error)) << error;
    if (const char* keep = std::getenv("TESSERA_DUMP_BOARDS"); keep && *keep)
        std::filesystem::copy_file(file, std::filesystem::path(keep) / "game.sgg",
                                   std::filesystem::copy_options::overwrite_existing);
    const auto out = folder / "board.png";
    const CliRun run = runRender({file.string(), "--move", "2", "--style", "2", "--size", "300",
                                  "--transform", "0", "-o", out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    expectSmallGamePicture(out);
    const CliRun tooFar = runRender({file.string(), "--move", "4", "-o", out.string()});
    EXPECT_NE(tooFar.exitCode, 0);
    EXPECT_NE(tooFar.output.find("only 3 moves"), std::string::npos) << tooFar.output;
}

TEST(RenderCli, DrawsTheChosenPositionOfAnSgfRecord) {
    test::ScratchFolder folder;
    const auto record = folder / "game.sgf";
    ASSERT_TRUE(test::writeBytes(record, "(;GM[1]FF[4]SZ[9];B[cc];W[gg];B[cg])"));
    const auto out = folder / "board.png";
    const CliRun run = runRender({record.string(), "--move", "2", "--style", "2", "--size", "300",
                                  "--transform", "0", "-o", out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    expectSmallGamePicture(out);
}

TEST(RenderCli, DrawsTheHandicapStonesOfAGibRecordWhereTheServerPutThem) {
    test::ScratchFolder folder;
    const auto record = folder / "game.gib";
    // Tygem, three stones; White's first move is Q4.
    ASSERT_TRUE(test::writeBytes(record, "\\[GIBOKIND=Global\\]\n\\HE\nINI 0 1 3 &4\nSTO 0 2 2 15 15\n"));
    const auto out = folder / "board.png";
    const CliRun run = runRender({record.string(), "--move", "1", "--style", "2", "--size", "400", "-o", out.string()});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(run.output.find("warning"), std::string::npos) << run.output;
    QImage image(QString::fromStdString(out.string()));
    BoardDisplay display(19, 19);
    BoardViewport viewport;
    viewport.applySettings(BoardViewSettings{kStyleSimple, false, true, false, 0});
    viewport.setClientSize(400, 400);
    const BoardScreen view(display, viewport);
    const BoardGeometry board;
    auto stoneAt = [&](int x, int y) {
        int px = 0, py = 0;
        EXPECT_TRUE(view.intersectionOf(board.pointAt(x, y), px, py));
        return image.pixel(px + 2, py + 2);
    };
    // Stones by lightness: black is dark, white light in every channel (the board is not).
    auto isBlack = [](QRgb pixel) { return qGray(pixel) < 64; };
    auto isWhite = [](QRgb pixel) { return std::min({qRed(pixel), qGreen(pixel), qBlue(pixel)}) > 190; };
    EXPECT_TRUE(isBlack(stoneAt(15, 3)));   // Q16
    EXPECT_TRUE(isBlack(stoneAt(3, 15)));   // D4
    EXPECT_TRUE(isBlack(stoneAt(3, 3)));    // D16
    EXPECT_TRUE(isWhite(stoneAt(15, 15)));  // Q4: White's move, on an empty point
    EXPECT_FALSE(isBlack(stoneAt(10, 9)) || isWhite(stoneAt(10, 9)));  // L10 stays empty
}

// The picture after two moves, flipped left-right, simple style, 300 x 300.
void expectSmallGamePicture(const std::filesystem::path& out) {
    QImage image(QString::fromStdString(out.string()));
    ASSERT_EQ(image.size(), QSize(300, 300));

    // The same layout, computed by the view's own rules.
    BoardDisplay display(9, 9);
    display.setTransformCode(0);
    BoardViewport viewport;
    viewport.applySettings(BoardViewSettings{kStyleSimple, false, true, false, 0});
    viewport.setClientSize(300, 300);
    const BoardScreen view(display, viewport);
    const BoardGeometry board(9, 9);
    auto pixelAt = [&](int x, int y) {
        int px = 0, py = 0;
        EXPECT_TRUE(view.intersectionOf(board.pointAt(x, y), px, py));
        return image.pixel(px + view.cell() / 4, py + view.cell() / 4);
    };
    EXPECT_EQ(pixelAt(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(pixelAt(6, 6), qRgb(255, 255, 255));
    EXPECT_EQ(pixelAt(2, 6), qRgb(255, 195, 101));  // move 3 is not shown
    const PixelRect last = *view.cellRect(board.pointAt(6, 6));
    EXPECT_EQ(image.pixel(last.left + 2, last.top), qRgb(0, 0, 255));  // the last-move brackets
}

}  // namespace
}  // namespace tessera
