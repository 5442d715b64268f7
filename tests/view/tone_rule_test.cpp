// The plain reading rule over pictures made pixel by pixel, and the picture helpers under it.

#include "view/tone_rule.h"

#include <gtest/gtest.h>

#include <QImage>

#include "go/move.h"
#include "view/board_picture_reader.h"

namespace tessera {
namespace {

constexpr uint32_t kBoard = 0xFFFFC365;  // (255, 195, 101): neither dark nor light
constexpr uint32_t kInk = 0xFF101010;
constexpr uint32_t kPaper = 0xFFF0F0F0;

void fillRect(PixelImage& image, int x0, int y0, int x1, int y1, uint32_t colour) {
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            image.setPixel(x, y, colour);
}

TEST(PixelImage, ScalesByNearestNeighbourAndRefusesUnusableSizes) {
    PixelImage image(2, 2);
    image.setPixel(0, 0, 0xFF000001);
    image.setPixel(1, 0, 0xFF000002);
    image.setPixel(0, 1, 0xFF000003);
    image.setPixel(1, 1, 0xFF000004);
    const PixelImage wide = image.scaleTo(5, 1);
    ASSERT_TRUE(wide.isUsable());
    EXPECT_EQ(wide.pixel(0, 0), 0xFF000001u);
    EXPECT_EQ(wide.pixel(2, 0), 0xFF000001u);  // trunc(2 / 2.5) = 0
    EXPECT_EQ(wide.pixel(3, 0), 0xFF000002u);
    EXPECT_EQ(wide.pixel(4, 0), 0xFF000002u);
    EXPECT_FALSE(image.scaleTo(0, 5).isUsable());
    EXPECT_FALSE(PixelImage().scaleTo(5, 5).isUsable());
    EXPECT_FALSE(PixelImage(0, 7).isUsable());
    EXPECT_FALSE(image.contains(2, 0));
    EXPECT_FALSE(image.contains(-1, 0));
    const PixelImage round = PixelImage::fromQImage(image.toQImage());
    ASSERT_TRUE(round.isUsable());
    EXPECT_EQ(round.pixel(1, 1), 0xFF000004u);
    EXPECT_FALSE(PixelImage::fromQImage(QImage()).isUsable());
}

TEST(ToneRule, CountsOnlyPixelsInsideTheImageAndNormalisesTheRectangle) {
    PixelImage image(10, 10, kBoard);
    fillRect(image, 0, 0, 4, 9, kInk);
    fillRect(image, 5, 0, 5, 9, kPaper);
    const ToneCount tones = countTones(image, {7, 9, -3, -2});
    EXPECT_EQ(tones.sampled, 80);  // x 0..7, y 0..9
    EXPECT_EQ(tones.dark, 50);
    EXPECT_EQ(tones.light, 10);
    EXPECT_EQ(countTones(image, {20, 20, 30, 30}).sampled, 0);
}

TEST(ToneRule, AQuarterIsNotEnoughAndDarkWinsOverLight) {
    // One intersection's sample square is 14 x 14 = 196 pixels on a 360-pixel grid (dx = 20):
    // at (20, 20) it covers columns and rows 13 to 26.
    PixelImage image(400, 400, kBoard);
    BoardGrid grid(19, 19);
    fillRect(image, 13, 13, 26, 13 + 2, kInk);  // 42 dark pixels: 21 %
    fillRect(image, 13, 16, 13 + 6, 16, kInk);  // 7 more: exactly 25 %
    ASSERT_TRUE(recognizeBoard(image, {0, 0, 360, 360}, grid));
    EXPECT_EQ(grid.get(20), 0);
    fillRect(image, 20, 16, 21, 16, kInk);                       // 51 of 196: 26 %
    fillRect(image, 13, 18, 26, 26, kPaper);                     // light share far higher
    ASSERT_TRUE(recognizeBoard(image, {360, 360, 0, 0}, grid));  // drawn the other way round
    EXPECT_EQ(grid.get(20), kBlack);
    EXPECT_EQ(grid.countValue(kBlack) + grid.countValue(kWhite), 1);
}

TEST(ToneRule, ReadsStonesAtTheEdgesAndRefusesUnusableInput) {
    PixelImage image(400, 400, kBoard);
    fillRect(image, 0, 0, 6, 6, kInk);            // the corner's square starts at -6: 7 x 7 of 49 inside
    fillRect(image, 354, 354, 366, 366, kPaper);  // the far corner at (360, 360)
    BoardGrid grid(19, 19);
    grid.set(100, kWhite);
    ASSERT_TRUE(recognizeBoard(image, {0, 0, 360, 360}, grid));
    EXPECT_EQ(grid.get(0), kBlack);
    EXPECT_EQ(grid.get(360), kWhite);
    EXPECT_EQ(grid.get(100), 0);  // earlier stones are removed
    BoardGrid oblong(9, 13);
    EXPECT_FALSE(recognizeBoard(image, {0, 0, 360, 360}, oblong));
    EXPECT_FALSE(recognizeBoard(PixelImage(), {0, 0, 360, 360}, grid));
    EXPECT_EQ(grid.countValue(kBlack), 0);
}

TEST(BoardPictureReader, FindsNothingInPicturesWithoutAGrid) {
    for (const PixelImage& image : {PixelImage(), PixelImage(1, 1), PixelImage(300, 200, kBoard)}) {
        const BoardPictureReading reading = readBoardPicture(image);
        EXPECT_FALSE(reading.grid.found());
        EXPECT_FALSE(reading.position.isUsable());
    }
    // Stripes are lines, but not a board: evenly spaced in one direction only.
    PixelImage stripes(300, 300, kPaper);
    for (int y = 10; y < 300; y += 15)
        fillRect(stripes, 0, y, 299, y, kInk);
    EXPECT_FALSE(readBoardPicture(stripes).grid.found());
}

}  // namespace
}  // namespace tessera
