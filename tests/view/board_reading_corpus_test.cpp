// The board view's own pictures of professional positions, in every style, size and dress
// (coordinates, move numbers, the last-move mark), are read back without a wrong point and
// with the grid found where the view drew it.

#include <gtest/gtest.h>

#include <cmath>

#include "board_pictures_fixture.h"
#include "go/move.h"
#include "view/board_picture_reader.h"
#include "view/gui_application.h"
#include "view/sample_positions.h"

namespace tessera {
namespace {

struct RenderCase {
    int style;
    int size;  // client area side in pixels
    bool coords;
    bool numbers;          // a number on every stone, as the room's "all move numbers" shows them
    int boardSize;         // 19, or 13 / 9 cut from the corner
    bool crowded = false;  // two points in three hold a stone, edges included, instead of the game
};

// A position with stones on two points in three, at random, as no game leaves the edges.
BoardGrid crowdedPosition() {
    BoardGrid position(19, 19);
    uint32_t state = 11;
    for (int32_t p = 0; p < 361; ++p) {
        state = state * 1103515245u + 12345u;
        position.set(p, static_cast<int>((state >> 16) % 3));
    }
    return position;
}

// Labels every stone with a number of one to three digits in the contrast colour.
void numberStones(BoardDisplay& display) {
    const BoardGrid& position = display.position;
    std::vector<Label> labels;
    int number = 7;
    for (int p = 0; p < position.width() * position.height(); ++p) {
        const int stone = position.get(p);
        if (stone != kBlack && stone != kWhite)
            continue;
        labels.push_back(Label{p, stone == kBlack ? 0xFFFFFFu : 0u, std::to_string(number)});
        number = number * 7 % 311;
    }
    display.moveNumbers = labels;
}

TEST(BoardReadingCorpus, OwnPicturesAreReadWithoutAWrongPoint) {
    const auto samples = test::samplePositions(4, 170);
    if (samples.empty())
        GTEST_SKIP() << "the shared corpus folder is absent";
    test::ensureApplication();
    test::ScratchFolder folder;
    BoardPainter painter{test::drawnPictures(folder)};
    // Every style at the smallest, a middle and the largest size, each with and without
    // coordinates and numbers; smaller boards cut from the corner at two more sizes.
    std::vector<RenderCase> cases;
    for (const int style : {kStyleTraditional, kStyleMarble, kStyleSimple}) {
        for (const int size : {300, 517 + 123 * style, 1200})
            for (const bool coords : {false, true})
                for (const bool numbers : {false, true})
                    cases.push_back({style, size, coords, numbers, 19});
        cases.push_back({style, 360 + 70 * style, style != kStyleMarble, true, 13});
        cases.push_back({style, 300, style == kStyleMarble, true, 9});
        cases.push_back({style, 1000, true, false, 19, true});
    }
    size_t next = 0;
    for (const RenderCase& c : cases) {
        const test::SamplePosition& sample = samples[next++ % samples.size()];
        BoardViewport viewport;
        BoardViewSettings settings;
        settings.style = c.style;
        settings.showScale = c.coords;
        viewport.applySettings(settings);
        viewport.setClientSize(c.size, c.size);
        const BoardGrid position = c.crowded           ? crowdedPosition()
                                   : c.boardSize == 19 ? sample.position
                                                       : test::cornerOf(sample.position, c.boardSize);
        BoardDisplay display(position.width(), position.height());
        display.position.copyFrom(position);
        PointList stones;
        position.stones(stones);
        display.cursor = stones.empty() ? -1 : stones[stones.size() / 2];
        if (c.numbers)
            numberStones(display);
        const QImage picture = painter.render(display, viewport);
        const BoardPictureReading reading = readBoardPicture(PixelImage::fromQImage(picture));

        const std::string what = sample.name + " style " + std::to_string(c.style) + " at " + std::to_string(c.size) +
                                 (c.coords ? " with coordinates" : "") + (c.numbers ? " with numbers" : "") +
                                 (c.crowded ? " crowded" : "") + " on " + std::to_string(c.boardSize);
        ASSERT_EQ(reading.grid.lines, c.boardSize) << what;
        const BoardLayout layout = BoardScreen(display, viewport).gridLayout();
        const ImageRect corners = reading.grid.corners();
        EXPECT_LE(std::abs(corners.left - layout.gridLeft), 1) << what;
        EXPECT_LE(std::abs(corners.top - layout.gridTop), 1) << what;
        EXPECT_LE(std::abs(corners.right - layout.gridRight), 1) << what;
        EXPECT_LE(std::abs(corners.bottom - layout.gridBottom), 1) << what;
        EXPECT_EQ(test::differingPoints(reading.position, position), 0) << what;
    }
}

}  // namespace
}  // namespace tessera
