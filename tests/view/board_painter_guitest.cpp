// Pictures of the board view, probed at the intersections the layout rules give.
// Set TESSERA_DUMP_BOARDS=<folder> to keep the drawn pictures for a look.

#include "view/board_painter.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "board_pictures_fixture.h"
#include "laid_out_board.h"
#include "platform/program_folders.h"
#include "support/test_support.h"
#include "view/gui_application.h"

namespace tessera {
namespace {

using test::dumpPicture;
using test::lightness;

enum class Seen { Board, Black, White, Unclear };

// What covers an intersection: `centre` is its pixel (a grid crossing, black, when empty) and
// `inside` a pixel a quarter cell towards the lower right, compared with the empty board.
Seen classify(QRgb centre, QRgb inside, QRgb emptyInside) {
    if (inside == emptyInside && lightness(centre) < 60)
        return Seen::Board;
    if (lightness(inside) < 90 && lightness(centre) < 90)
        return Seen::Black;
    if (lightness(inside) > 140 && lightness(centre) > 140)
        return Seen::White;
    return Seen::Unclear;
}

// A deterministic scatter of black and white stones over about half the board.
BoardGrid scatteredPosition(int width, int height) {
    BoardGrid grid(width, height);
    uint32_t state = 12345;
    for (int32_t p = 0; p < grid.area(); ++p) {
        state = state * 1103515245u + 12345u;
        const int roll = (state >> 16) % 4;
        grid.set(p, roll == 0 ? kBlack : roll == 1 ? kWhite : kEmpty);
    }
    return grid;
}

using View = test::LaidOutBoard;

class BoardPainterTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }
    // Pictures come from an empty folder: the drawn stand-ins, independent of the build's generator.
    test::ScratchFolder folder;
    BoardPictureFolders pictures = test::drawnPictures(folder);
};

// Every style, every transform code, four board sizes: a stone of the right colour at every
// intersection that holds one, and the bare board at every other.
void probeStones(const BoardPictureFolders& pictures, const std::string& tag) {
    const std::pair<int, int> sizes[] = {{19, 19}, {13, 13}, {9, 9}, {9, 13}};
    BoardPainter painters[3] = {BoardPainter(pictures), BoardPainter(pictures), BoardPainter(pictures)};
    for (auto [width, height] : sizes) {
        const BoardGrid position = scatteredPosition(width, height);
        for (int style = 0; style <= 2; ++style) {
            BoardPainter& painter = painters[style];
            for (int code = -1; code <= 6; ++code) {
                View view(BoardViewSettings{style, code % 2 == 0, true, code == 3, 0}, 420, 380);
                view.display.showEmptyBoard(width, height);
                view.display.setTransformCode(code);
                view.display.cursor = position.firstStone();
                const QImage empty = view.render(painter);
                view.display.position = position;
                const QImage image = view.render(painter);
                dumpPicture(image, tag + std::to_string(width) + "x" + std::to_string(height) + "-style" +
                                       std::to_string(style) + "-code" + std::to_string(code));
                // The expected intersection, from the layout numbers and the transform alone.
                const BoardTransform transform(code, position);
                const BoardGeometry shown = transform.resultGeometry();
                const BoardLayout g = view.screen().gridLayout();
                ASSERT_GT(g.cell, 10);
                for (int32_t p = 0; p < position.area(); ++p) {
                    int x = 0, y = 0;
                    ASSERT_TRUE(shown.coordsOf(transform.mapPoint(p), x, y));
                    const int cx = g.gridLeft + x * g.cell;
                    const int cy = g.gridTop + y * g.cell;
                    const int px = cx + g.cell / 4;
                    const int py = cy + g.cell / 4;
                    const Seen expected = position.get(p) == kBlack   ? Seen::Black
                                          : position.get(p) == kWhite ? Seen::White
                                                                      : Seen::Board;
                    ASSERT_EQ(classify(image.pixel(cx, cy), image.pixel(px, py), empty.pixel(px, py)), expected)
                        << tag << width << "x" << height << " style " << style << " code " << code << " point " << p;
                }
            }
        }
    }
}

TEST_F(BoardPainterTest, StonesAppearExactlyWhereThePositionHasThem) { probeStones(pictures, "probe-"); }

TEST_F(BoardPainterTest, StonesAppearExactlyWhereThePositionHasThemWithTheBuiltPictures) {
    // The build lays the pictures out in dist/ beside the tests' folder.
    const std::filesystem::path program = std::filesystem::path(GetProgramFolder()) / ".." / "dist" / "bin";
    if (!std::filesystem::exists(program / "board" / "black.png"))
        GTEST_SKIP() << "the board pictures have not been built";
    const BoardPictureFolders built{(program / "..").lexically_normal().string() + "/",
                                    program.lexically_normal().string() + "/"};
    probeStones(built, "built-");
    // A showcase of each style for a look (kept only with TESSERA_DUMP_BOARDS).
    for (int style = 0; style <= 2; ++style) {
        BoardPainter painter(built);
        View view(BoardViewSettings{style, true, true, false, 0}, 760, 760);
        view.display.position = scatteredPosition(19, 19);
        view.display.labels = {Label{0, 0xFFFFFF, "87"}, Label{4 * 19 + 9, 0xFF0000, "a"}};
        view.display.marks = {Mark{kViewTriangle, 3 * 19 + 3}};
        view.display.cursor = 5 * 19 + 5;
        dumpPicture(view.render(painter), "showcase-style" + std::to_string(style));
    }
}

QRgb centreOf(const QImage& image, const BoardScreen& view, int32_t point) {
    int x = 0, y = 0;
    EXPECT_TRUE(view.intersectionOf(point, x, y));
    return image.pixel(x, y);
}

TEST_F(BoardPainterTest, OverlaysAreDrawnOnTheirPoints) {
    const BoardGeometry board(19, 19);
    for (int style = 0; style <= 2; ++style) {
        BoardPainter painter(pictures);
        View drawn(BoardViewSettings{style, true, true, true, 0}, 600, 600);
        BoardDisplay& display = drawn.display;
        BoardGrid position(19, 19);
        position.set(board.pointAt(3, 3), kBlack);
        position.set(board.pointAt(4, 3), kWhite);
        position.set(board.pointAt(5, 3), kBlack);
        position.set(board.pointAt(15, 15), kBlack);
        display.position = position;
        display.marks = {Mark{kViewCircle, board.pointAt(10, 10)},
                         Mark{kViewSquare, board.pointAt(3, 3)},  // white on the black stone
                         Mark{kViewCross, board.pointAt(4, 3)},   // black on the white stone
                         Mark{kViewRedSquare, board.pointAt(5, 3)},
                         Mark{kViewBlackSquare, board.pointAt(6, 6)},
                         Mark{kViewWhiteSquare, board.pointAt(7, 6)},
                         Mark{kViewTriangle, board.pointAt(8, 6)}};
        display.labels = {Label{board.pointAt(12, 4), kLabelBlue, "A"},
                          Label{board.pointAt(14, 4), kLabelBlue, "toolong"}};  // not drawn
        display.hints = {HintMark{board.pointAt(13, 4), 0x0000FF, "12%", true}};
        display.regions = {RegionRect{board.pointAt(1, 12), board.pointAt(5, 16), 0x0000FF, 2, 0}};
        display.cursor = board.pointAt(15, 15);
        display.mask.set(board.pointAt(16, 1), 0);
        const QImage image = drawn.render(painter);
        const BoardScreen view = drawn.screen();
        dumpPicture(image, "overlays-style" + std::to_string(style));
        SCOPED_TRACE(style);

        EXPECT_EQ(centreOf(image, view, board.pointAt(10, 10)), qRgb(255, 0, 0));
        EXPECT_EQ(centreOf(image, view, board.pointAt(3, 3)), qRgb(255, 255, 255));
        EXPECT_EQ(centreOf(image, view, board.pointAt(4, 3)), qRgb(0, 0, 0));
        EXPECT_EQ(centreOf(image, view, board.pointAt(5, 3)), qRgb(255, 0, 0));
        EXPECT_EQ(centreOf(image, view, board.pointAt(6, 6)), qRgb(0, 0, 0));
        EXPECT_EQ(centreOf(image, view, board.pointAt(7, 6)), qRgb(255, 255, 255));
        const PixelRect triangle = *view.cellRect(board.pointAt(8, 6));
        EXPECT_EQ(image.pixel((triangle.left + triangle.right) / 2, triangle.top + 2 * triangle.height() / 3 - 2),
                  qRgb(0, 0, 0));

        // No grid line runs through the label on its empty point.
        int lx = 0, ly = 0;
        view.intersectionOf(board.pointAt(12, 4), lx, ly);
        for (int dx : {-view.cell() / 6, view.cell() / 6})
            EXPECT_NE(image.pixel(lx + dx, ly), qRgb(0, 0, 0)) << dx;
        view.intersectionOf(board.pointAt(14, 4), lx, ly);
        EXPECT_EQ(image.pixel(lx, ly), qRgb(0, 0, 0));  // the refused label leaves the grid crossing

        const PixelRect first = *view.cellRect(board.pointAt(1, 12));
        EXPECT_EQ(image.pixel(first.left + first.width() / 2, first.top), qRgb(255, 0, 0));
        const PixelRect cursor = *view.cellRect(board.pointAt(15, 15));
        EXPECT_EQ(image.pixel(cursor.left + 2, cursor.top), qRgb(0, 0, 255));
        EXPECT_EQ(image.pixel(cursor.right - 2, cursor.bottom), qRgb(0, 0, 255));
        // Hatching: row 0 of the pattern is 0x11, white at columns 3 and 7.
        const PixelRect masked = *view.cellRect(board.pointAt(16, 1));
        EXPECT_EQ(image.pixel(masked.left + 3, masked.top), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(masked.left + 2, masked.top + 1), qRgb(255, 255, 255));
        EXPECT_NE(image.pixel(masked.left + 4, masked.top + 4), qRgb(255, 255, 255));
    }
}

TEST_F(BoardPainterTest, AReusedPainterDrawsWhatAFreshOneDraws) {
    BoardPainter reused(pictures);
    View view(BoardViewSettings{}, 300, 300);
    view.display.position = scatteredPosition(19, 19);
    view.render(reused);
    auto check = [&](const char* what) {
        BoardPainter fresh(pictures);
        EXPECT_EQ(view.render(reused), view.render(fresh)) << what;
    };
    view.display.setTransformCode(4);
    check("transform");
    view.viewport.applySettings(BoardViewSettings{kStyleSimple, true, true, true, 0});
    check("settings");
    view.viewport.setClientSize(260, 330);
    check("size");
    view.display.showEmptyBoard(9, 13);
    view.display.position = scatteredPosition(9, 13);
    check("board size");
    view.viewport.applySettings(BoardViewSettings{kStyleMarble, true, true, true, 40});
    view.render(reused);
    view.viewport.applySettings(BoardViewSettings{kStyleMarble, true, true, true, -40});
    check("brightness");
}

TEST_F(BoardPainterTest, NothingButTheBackgroundWithoutALayout) {
    BoardPainter painter(pictures);
    const View view(BoardViewSettings{kStyleSimple, true, true, true, 0}, 8, 40);
    const QImage image = view.render(painter);
    ASSERT_EQ(image.size(), QSize(8, 40));
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 8; ++x)
            ASSERT_EQ(image.pixel(x, y), qRgb(255, 195, 101));
}

TEST(BoardPictureCache, BrightnessIsClampedAndSparesZeroPixels) {
    QImage picture(2, 1, QImage::Format_ARGB32);
    picture.setPixel(0, 0, qRgba(10, 200, 128, 255));
    picture.setPixel(1, 0, 0u);
    const QImage brighter = BoardPictureCache::adjustBrightness(picture, 300);
    EXPECT_EQ(brighter.pixel(0, 0), qRgba(138, 255, 255, 255));
    EXPECT_EQ(brighter.pixel(1, 0), 0u);
    EXPECT_EQ(BoardPictureCache::adjustBrightness(picture, -20).pixel(0, 0), qRgba(0, 180, 108, 255));
}

TEST(BoardPictureCache, PureRedBecomesTransparent) {
    QImage picture(3, 1, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(255, 0, 0));
    picture.setPixel(1, 0, qRgb(254, 0, 0));
    picture.setPixel(2, 0, qRgb(255, 0, 1));
    const QImage keyed = BoardPictureCache::redAsTransparent(picture);
    EXPECT_EQ(qAlpha(keyed.pixel(0, 0)), 0);
    EXPECT_EQ(keyed.pixel(1, 0), qRgb(254, 0, 0));
    EXPECT_EQ(keyed.pixel(2, 0), qRgb(255, 0, 1));
}

}  // namespace
}  // namespace tessera
