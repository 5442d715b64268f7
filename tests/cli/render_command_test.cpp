// tessera-cli render, run as a script runs it.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include <QImage>

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

// Black C7, white G3 (with a circle on C3), black C3 on 9 x 9.
void expectSmallGamePicture(const std::filesystem::path& out);

TEST(RenderCli, DrawsTheChosenPositionOfAnSgfAndABinaryRecord) {
    test::ScratchFolder folder;
    ASSERT_TRUE(test::writeBytes(folder / "game.sgf", "(;GM[1]FF[4]SZ[9];B[cc];W[gg]CR[cg];B[cg])"));
    GameRecord record;
    std::string error;
    ASSERT_TRUE(loadRecordFile(folder / "game.sgf", record, error)) << error;
    ASSERT_TRUE(saveRecordFile(folder / "game.sgg", record, error)) << error;
    const auto out = folder / "board.png";
    for (const char* name : {"game.sgf", "game.sgg"}) {
        SCOPED_TRACE(name);
        const std::string file = (folder / name).string();
        std::filesystem::remove(out);
        const CliRun run =
            runRender({file, "--move", "2", "--style", "2", "--size", "300", "--transform", "0", "-o", out.string()});
        ASSERT_EQ(run.exitCode, 0) << run.output;
        expectSmallGamePicture(out);
        const CliRun tooFar = runRender({file, "--move", "4", "-o", out.string()});
        EXPECT_NE(tooFar.exitCode, 0);
        EXPECT_EQ(tooFar.output, "tessera-cli: render: the main line has only 3 moves\n");
    }
    // Without options: the end of the main line, 600 pixels wide.
    ASSERT_EQ(runRender({(folder / "game.sgf").string(), "-o", out.string()}).exitCode, 0);
    EXPECT_EQ(QImage(QString::fromStdString(out.string())).size(), QSize(600, 600));
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
    auto pixelAt = [&](int x, int y, int off) {
        int px = 0, py = 0;
        EXPECT_TRUE(view.intersectionOf(board.pointAt(x, y), px, py));
        return image.pixel(px + off, py + off);
    };
    EXPECT_EQ(pixelAt(2, 2, view.cell() / 4), qRgb(0, 0, 0));
    EXPECT_EQ(pixelAt(6, 6, view.cell() / 4), qRgb(255, 255, 255));
    EXPECT_EQ(pixelAt(2, 6, 0), qRgb(255, 0, 0));  // the node's circle, and no stone of move 3
    const PixelRect last = *view.cellRect(board.pointAt(6, 6));
    EXPECT_EQ(image.pixel(last.left + 2, last.top), qRgb(0, 0, 255));  // the last-move brackets
}

}  // namespace
}  // namespace tessera
