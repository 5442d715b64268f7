// Stones must read at a glance on every board style and size: professional positions from the
// shared corpus are drawn with the pictures the build ships, and the brightness of the stones'
// centres is measured against the empty board under them.
// Set TESSERA_DUMP_BOARDS=<folder> to keep the drawn pictures.

#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>

#include "board_pictures_fixture.h"
#include "laid_out_board.h"
#include "view/gui_application.h"
#include "view/sample_positions.h"

namespace tessera {
namespace {

using test::luminance;

constexpr double kLeastWhiteGap = 40;   // white centre above the board
constexpr double kLeastBlackGap = 100;  // black centre below the board
constexpr double kLeastEdgeDip = 20;    // a white stone's rim or shadow below the board's lightest part

double percentile(std::vector<double> values, double share) {
    if (values.empty())
        return 0;
    const size_t at = std::min(values.size() - 1, static_cast<size_t>(share * values.size()));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(at), values.end());
    return values[at];
}

struct Measure {
    std::vector<double> whiteCentres, blackCentres, board, whiteEdges;
};

// Adds the stones of `image` and the empty board of `empty` under them to *m. A stone's centre
// is the middle third of its square; the board is the same square without the grid lines and
// star points; the edge is the darkest pixel along diagonal-ish rays from 0.3 to 0.55 of the
// cell out of a white stone's centre (rays off the grid lines).
void measure(const BoardScreen& view, const QImage& image, const QImage& empty, Measure* m) {
    const int cell = view.cell();
    const int third = std::max(1, (cell - 2) / 6);
    for (int32_t point = 0; point < view.display().position.area(); ++point) {
        const int stone = view.display().position.get(point);
        if (stone != kBlack && stone != kWhite)
            continue;
        int cx = 0, cy = 0;
        ASSERT_TRUE(view.intersectionOf(point, cx, cy));
        std::vector<double>& centres = stone == kWhite ? m->whiteCentres : m->blackCentres;
        for (int dy = -third; dy <= third; ++dy)
            for (int dx = -third; dx <= third; ++dx)
                centres.push_back(luminance(image.pixel(cx + dx, cy + dy)));
        const int half = cell / 2 - 1;
        for (int dy = -half; dy <= half; ++dy)
            for (int dx = -half; dx <= half; ++dx)
                if (std::abs(dx) > 1 && std::abs(dy) > 1 && dx * dx + dy * dy > 25)
                    m->board.push_back(luminance(empty.pixel(cx + dx, cy + dy)));
        if (stone != kWhite)
            continue;
        for (int ray = 0; ray < 8; ++ray) {
            const double angle = (2 * ray + 1) * M_PI / 8;
            double darkest = 255;
            for (double r = 0.3 * cell; r <= 0.55 * cell; r += 0.5)
                darkest = std::min(
                    darkest, luminance(image.pixel(static_cast<int>(std::floor(cx + 0.5 + r * std::cos(angle))),
                                                   static_cast<int>(std::floor(cy + 0.5 + r * std::sin(angle))))));
            m->whiteEdges.push_back(darkest);
        }
    }
}

class StoneContrastTest : public test::GeneratedPicturesTest {
protected:
    void SetUp() override { test::ensureApplication(); }
};

TEST_F(StoneContrastTest, StonesStandOutFromTheBoardInEveryStyleAndSize) {
    TESSERA_REQUIRE_SHARED();
    ASSERT_TRUE(generated_);
    // A few professional games: a middle-game and the final position of each.
    std::vector<BoardGrid> positions;
    for (int move : {90, -1})
        for (const test::SamplePosition& sample : test::samplePositions(2, move))
            positions.push_back(sample.position);
    ASSERT_GE(positions.size(), 4u);
    for (int style = kStyleTraditional; style <= kStyleSimple; ++style) {
        BoardPainter painter(folders());
        for (int size : {300, 600, 1200}) {
            Measure m;
            test::LaidOutBoard laid(BoardViewSettings{style, true, true, false, 0}, size, size);
            const QImage empty = laid.render(painter);
            for (const BoardGrid& position : positions) {
                ASSERT_EQ(position.width(), 19);
                ASSERT_EQ(position.height(), 19);
                laid.display.position = position;
                const QImage image = laid.render(painter);
                measure(laid.screen(), image, empty, &m);
                if (&position == &positions.front())
                    test::dumpPicture(image, "contrast-style" + std::to_string(style) + "-" + std::to_string(size));
            }
            const double board = percentile(m.board, 0.5);
            const double white = percentile(m.whiteCentres, 0.5) - board;
            const double black = board - percentile(m.blackCentres, 0.5);
            const double dip = percentile(m.board, 0.95) - percentile(m.whiteEdges, 0.5);
            std::printf(
                "style %d at %4d px: board %.0f, white +%.0f, black -%.0f, white edge %.0f under the lightest board\n",
                style, size, board, white, black, dip);
            SCOPED_TRACE(testing::Message() << "style " << style << " at " << size << " px");
            EXPECT_GE(white, kLeastWhiteGap);
            EXPECT_GE(black, kLeastBlackGap);
            if (style != kStyleSimple) {  // Simple outlines its stones in black
                EXPECT_GE(dip, kLeastEdgeDip);
            }
        }
    }
}

}  // namespace
}  // namespace tessera
