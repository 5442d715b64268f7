// The board's texts and the last-move mark must read on a small board and stay in proportion
// on a large one, in every style.

#include <algorithm>

#include <gtest/gtest.h>

#include "board_pictures_fixture.h"
#include "laid_out_board.h"
#include "view/gui_application.h"

namespace tessera {
namespace {

using test::lightness;

bool blueInk(QRgb p) { return qBlue(p) - std::max(qRed(p), qGreen(p)) > 80; }

// Rows and columns spanned by the pixels of `area` that pass `ink`; empty when none does.
template <typename Ink>
QRect inkBox(const QImage& image, const QRect& area, Ink ink) {
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.rect().contains(x, y) && ink(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

QRect toQRect(const PixelRect& r) { return QRect(r.left, r.top, r.width() + 1, r.height() + 1); }

class BoardReadabilityTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }
    test::ScratchFolder folder;
    BoardPictureFolders pictures = test::drawnPictures(folder);
};

TEST_F(BoardReadabilityTest, TextsReadOnSmallBoardsAndKeepInProportionOnLargeOnes) {
    const BoardGeometry board(19, 19);
    constexpr uint32_t kBlue = 0xFF0000;  // 0x00BBGGRR
    for (int style = kStyleTraditional; style <= kStyleSimple; ++style) {
        BoardPainter painter(pictures);
        for (int size : {300, 1200}) {
            SCOPED_TRACE(testing::Message() << "style " << style << " at " << size << " px");
            test::LaidOutBoard laid(BoardViewSettings{style, true, true, false, 0}, size, size);
            BoardDisplay& display = laid.display;
            display.position.set(board.pointAt(3, 3), kWhite);
            display.position.set(board.pointAt(9, 9), kBlack);
            display.moveNumbers = {Label{board.pointAt(3, 3), kBlue, "188"}};        // a move number on a stone
            display.labels = {Label{board.pointAt(6, 6), kBlue, "A"}};               // a letter on an empty point
            display.hints = {HintMark{board.pointAt(12, 12), kBlue, "12%", false}};  // a hint on an empty point
            const QImage image = laid.render(painter);
            const BoardScreen view = laid.screen();
            const int cell = view.cell();

            for (auto [point, width] : {std::pair{board.pointAt(3, 3), cell - 2}, std::pair{board.pointAt(6, 6), cell},
                                        std::pair{board.pointAt(12, 12), cell}}) {
                const QRect area = toQRect(*view.cellRect(point)).adjusted(-cell / 2, -cell / 2, cell / 2, cell / 2);
                const QRect ink = inkBox(image, area, blueInk);
                ASSERT_FALSE(ink.isEmpty()) << point;
                EXPECT_GE(ink.height(), 8) << point;
                EXPECT_LE(ink.height(), std::max(9, cell * 2 / 5)) << point;
                EXPECT_LE(ink.width(), width + 1) << point;  // stays on its stone or in its cell
            }

            // The first column's letter below the board, where Traditional and Simple draw black
            // text on a light ground.
            if (style == kStyleMarble)
                continue;
            const BoardLayout g = view.gridLayout();
            const int top = g.gridBottom + cell / 2;
            const QRect below(g.gridLeft - cell / 2, top, cell, size - top);
            const QRect letter = inkBox(image, below, [](QRgb p) { return lightness(p) < 100; });
            ASSERT_FALSE(letter.isEmpty());
            EXPECT_GE(letter.height(), 8);
            EXPECT_LE(letter.height(), 16);
            EXPECT_LE(letter.bottom(), size - 1);
        }
    }
}

TEST_F(BoardReadabilityTest, TheLastMoveShowsOnBothColoursInEveryStyle) {
    const BoardGeometry board(19, 19);
    for (int style = kStyleTraditional; style <= kStyleSimple; ++style) {
        BoardPainter painter(pictures);
        for (int size : {300, 600}) {
            test::LaidOutBoard laid(BoardViewSettings{style, false, true, false, 0}, size, size);
            BoardDisplay& display = laid.display;
            display.position.set(board.pointAt(4, 4), kBlack);
            display.position.set(board.pointAt(5, 4), kWhite);
            const QImage plain = laid.render(painter);
            const BoardScreen view = laid.screen();
            for (int32_t point : {board.pointAt(4, 4), board.pointAt(5, 4)}) {
                SCOPED_TRACE(testing::Message() << "style " << style << " at " << size << " px, point " << point);
                display.cursor = point;
                const QImage marked = laid.render(painter);
                // On the stone itself, a mark that stands well apart from the stone's colour.
                int cx = 0, cy = 0;
                ASSERT_TRUE(view.intersectionOf(point, cx, cy));
                const int radius = (view.cell() - 2) * 2 / 5;
                int standing = 0;
                for (int dy = -radius; dy <= radius; ++dy)
                    for (int dx = -radius; dx <= radius; ++dx)
                        if (dx * dx + dy * dy <= radius * radius &&
                            std::abs(lightness(marked.pixel(cx + dx, cy + dy)) -
                                     lightness(plain.pixel(cx + dx, cy + dy))) >= 90)
                            ++standing;
                EXPECT_GE(standing, view.cell()) << "too faint a mark on the stone";
                // And the corner brackets around the cell.
                const PixelRect cellRect = *view.cellRect(point);
                EXPECT_EQ(marked.pixel(cellRect.left + 2, cellRect.top), qRgb(0, 0, 255));
            }
            // A mark or text on the stone is left uncovered: only the brackets are added.
            display.marks = {Mark{kViewTriangle, board.pointAt(5, 4)}};
            display.cursor = -1;
            const QImage withMark = laid.render(painter);
            display.cursor = board.pointAt(5, 4);
            const QImage withBoth = laid.render(painter);
            int cx = 0, cy = 0;
            view.intersectionOf(board.pointAt(5, 4), cx, cy);
            const int r = view.cell() / 3;
            EXPECT_EQ(withBoth.copy(cx - r, cy - r, 2 * r, 2 * r), withMark.copy(cx - r, cy - r, 2 * r, 2 * r));
        }
    }
}

}  // namespace
}  // namespace tessera
