#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "board_pictures_fixture.h"
#include "view/board_pictures.h"
#include "view/board_sounds.h"

namespace tessera {
namespace {

namespace fs = std::filesystem;
using test::luminance;
using test::ScratchFolder;

QImage load(const fs::path& file) { return QImage(QString::fromStdString(file.string())); }

bool isKey(QRgb pixel) { return (pixel & 0xFFFFFFu) == 0xFF0000u; }

// Mean colour distance between two rows (or columns) of the image.
double lineDistance(const QImage& image, bool columns, int a, int b) {
    const int n = columns ? image.height() : image.width();
    double sum = 0;
    for (int i = 0; i < n; ++i) {
        const QRgb p = columns ? image.pixel(a, i) : image.pixel(i, a);
        const QRgb q = columns ? image.pixel(b, i) : image.pixel(i, b);
        sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
    }
    return sum / n;
}

// A picture tiles without a seam when its last and first lines differ no more than
// neighbouring lines inside it usually do.
void expectSeamless(const QImage& image, const char* what) {
    for (bool columns : {true, false}) {
        const int n = columns ? image.width() : image.height();
        double inside = 0;
        for (int i = 0; i + 1 < n; ++i)
            inside += lineDistance(image, columns, i, i + 1);
        inside /= n - 1;
        EXPECT_LE(lineDistance(image, columns, n - 1, 0), 2.0 * inside + 1.0)
            << what << (columns ? " columns" : " rows");
    }
}

struct Wav {
    int format = 0, channels = 0, rate = 0, bits = 0;
    std::vector<int16_t> samples;
};

uint32_t le32(const std::string& b, size_t at) {
    return static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8 | static_cast<uint8_t>(b[at + 2]) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(b[at + 3])) << 24;
}
uint16_t le16(const std::string& b, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(b[at]) | static_cast<uint8_t>(b[at + 1]) << 8);
}

// Parses the canonical 44-byte-header WAV our encoder writes; false when the header is not one.
bool parseWav(const std::string& bytes, Wav* wav) {
    if (bytes.size() < 44 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 8, "WAVEfmt ") != 0 ||
        bytes.compare(36, 4, "data") != 0 || le32(bytes, 4) != bytes.size() - 8 || le32(bytes, 40) != bytes.size() - 44)
        return false;
    wav->format = le16(bytes, 20);
    wav->channels = le16(bytes, 22);
    wav->rate = static_cast<int>(le32(bytes, 24));
    wav->bits = le16(bytes, 34);
    wav->samples.resize((bytes.size() - 44) / 2);
    std::memcpy(wav->samples.data(), bytes.data() + 44, wav->samples.size() * 2);
    return le32(bytes, 28) == le32(bytes, 24) * 2 && le16(bytes, 32) == 2;
}

class BoardAssetsTest : public test::GeneratedPicturesTest {
protected:
    static fs::path board(const std::string& name) { return program() / "board" / name; }
    static fs::path marble(const std::string& name) { return root() / "BoardTemplate" / "Marble" / name; }
};

TEST_F(BoardAssetsTest, WritesEveryPictureAtItsSize) {
    ASSERT_TRUE(generated_);
    for (const fs::path& file : boardAssetFiles(root(), program()))
        EXPECT_GT(fs::file_size(file), 40u) << file;
    EXPECT_EQ(boardAssetFiles(root(), program()).size(), 8u + 100u + 9u);

    EXPECT_EQ(load(board("wood.png")).size(), QSize(69, 75));
    EXPECT_EQ(load(board("20002.png")), load(board("wood.png")));
    EXPECT_EQ(load(board("black.png")).size(), QSize(23, 23));
    EXPECT_EQ(load(board("white.png")).size(), QSize(23, 23));
    EXPECT_EQ(load(board("20110.png")).size(), QSize(10, 10));
    EXPECT_EQ(load(board("20259.png")).size(), QSize(59, 59));
    EXPECT_EQ(load(marble("mb_bgn.jpg")).size(), QSize(kMarbleBackgroundSide, kMarbleBackgroundSide));
    EXPECT_EQ(load(marble("mb_board.jpg")).size(), QSize(kMarbleBoardSide, kMarbleBoardSide));
    for (const char* name : {"mb_bstone.png", "mb_wstone.png"}) {
        const QImage stone = load(marble(name));
        ASSERT_EQ(stone.size(), QSize(kMarbleStoneSide, kMarbleStoneSide)) << name;
        EXPECT_TRUE(stone.hasAlphaChannel()) << name;
        EXPECT_EQ(qAlpha(stone.pixel(0, 0)), 0) << name;
        EXPECT_EQ(qAlpha(stone.pixel(kMarbleStoneSide / 2, kMarbleStoneSide / 2)), 255) << name;
    }
    const QImage black = load(marble("mb_bstone.png"));
    const QImage white = load(marble("mb_wstone.png"));
    EXPECT_LT(luminance(black.pixel(80, 80)), 70);
    EXPECT_GT(luminance(white.pixel(80, 80)), 190);
}

TEST_F(BoardAssetsTest, SoundsAreShortValidAndAudible) {
    ASSERT_TRUE(generated_);
    for (int number : {kSoundStone, kSoundCaptureOne, kSoundCaptureSome, kSoundCaptureMany, kSoundTrialEnd,
                       kSoundTrialStart, kSoundGameStart}) {
        Wav wav;
        ASSERT_TRUE(parseWav(test::readBytes(board(std::to_string(number) + ".wav")), &wav)) << number;
        EXPECT_EQ(wav.format, 1);
        EXPECT_EQ(wav.channels, 1);
        EXPECT_EQ(wav.bits, 16);
        EXPECT_EQ(wav.rate, kBoardSoundRate);
        const double seconds = static_cast<double>(wav.samples.size()) / wav.rate;
        EXPECT_GT(seconds, 0.05) << number;
        EXPECT_LT(seconds, 1.5) << number;
        int peak = 0;
        for (int16_t s : wav.samples)
            peak = std::max(peak, std::abs(static_cast<int>(s)));
        EXPECT_GT(peak, 32767 / 3) << number;                    // clearly audible
        EXPECT_LT(peak, 32767) << number;                        // never clipped
        EXPECT_LT(std::abs(wav.samples.back()), 100) << number;  // ends without a click
    }
    // Longer captures rattle longer.
    EXPECT_LT(synthesiseBoardSound(BoardSound::StonePlaced).size(),
              synthesiseBoardSound(BoardSound::CaptureOne).size());
    EXPECT_LT(synthesiseBoardSound(BoardSound::CaptureFew).size(),
              synthesiseBoardSound(BoardSound::CaptureMany).size());
}

TEST_F(BoardAssetsTest, OutputIsTheSameOnEveryRun) {
    ASSERT_TRUE(generated_);
    ScratchFolder again;
    std::string error;
    ASSERT_TRUE(generateBoardAssets(again / "dist", again / "dist" / "bin", &error)) << error;
    const auto first = boardAssetFiles(root(), program());
    const auto second = boardAssetFiles(again / "dist", again / "dist" / "bin");
    for (size_t i = 0; i < first.size(); ++i)
        EXPECT_EQ(test::readBytes(first[i]), test::readBytes(second[i])) << first[i];
}

TEST(BoardAssets, FailsWithAReasonWhenTheFolderCannotBeMade) {
    ScratchFolder scratch;
    ASSERT_TRUE(test::writeBytes(scratch / "file", "x"));
    std::string error;
    EXPECT_FALSE(generateBoardAssets(scratch / "file", scratch / "file" / "bin", &error));
    EXPECT_NE(error.find("file"), std::string::npos) << error;
}

TEST(BoardPictures, KeyedStonesAreRoundOnPureRed) {
    for (StoneShade shade : {StoneShade::Black, StoneShade::White}) {
        for (int side = kSizedStoneSmallest; side <= kSizedStoneLargest; ++side) {
            const QImage stone = drawKeyedStone(shade, side);
            ASSERT_EQ(stone.size(), QSize(side, side));
            for (QPoint corner : {QPoint(0, 0), QPoint(side - 1, 0), QPoint(0, side - 1), QPoint(side - 1, side - 1)})
                EXPECT_TRUE(isKey(stone.pixel(corner))) << side;
            // Inside the circle nothing may be keyed out; the edges' midpoints are stone.
            const double c = side / 2.0;
            int keyedInside = 0;
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    if (std::hypot(x + 0.5 - c, y + 0.5 - c) < c - 1.0 && isKey(stone.pixel(x, y)))
                        ++keyedInside;
            EXPECT_EQ(keyedInside, 0) << side;
            EXPECT_FALSE(isKey(stone.pixel(side / 2, 0))) << side;
            EXPECT_FALSE(isKey(stone.pixel(0, side / 2))) << side;
            const double centre = luminance(stone.pixel(side / 2, side / 2));
            if (shade == StoneShade::Black)
                EXPECT_LT(centre, 80) << side;
            else
                EXPECT_GT(centre, 180) << side;
        }
    }
}

TEST(BoardPictures, BlackStoneHasAHighlightAndShading) {
    const QImage stone = drawKeyedStone(StoneShade::Black, 46);
    double brightest = 0;
    QPoint at;
    for (int y = 0; y < 46; ++y)
        for (int x = 0; x < 46; ++x)
            if (!isKey(stone.pixel(x, y)) && luminance(stone.pixel(x, y)) > brightest) {
                brightest = luminance(stone.pixel(x, y));
                at = QPoint(x, y);
            }
    EXPECT_GT(brightest, 150);
    EXPECT_LT(at.x(), 23);  // lit from the upper left
    EXPECT_LT(at.y(), 23);
    // The white stone is shaded: its lower right is darker than its upper left.
    const QImage white = drawKeyedStone(StoneShade::White, 46);
    EXPECT_GT(luminance(white.pixel(14, 14)), luminance(white.pixel(34, 34)));
}

TEST(BoardPictures, WoodTileIsWarmGrainedAndSeamless) {
    const QImage wood = drawWoodTile();
    ASSERT_EQ(wood.size(), QSize(kWoodTileWidth, kWoodTileHeight));
    double r = 0, g = 0, b = 0, sum = 0, sumSquares = 0;
    const int n = wood.width() * wood.height();
    for (int y = 0; y < wood.height(); ++y) {
        for (int x = 0; x < wood.width(); ++x) {
            const QRgb p = wood.pixel(x, y);
            r += qRed(p);
            g += qGreen(p);
            b += qBlue(p);
            sum += luminance(p);
            sumSquares += luminance(p) * luminance(p);
        }
    }
    EXPECT_GT(r / n, g / n + 20);  // warm: red over green over blue
    EXPECT_GT(g / n, b / n + 40);
    const double spread = std::sqrt(sumSquares / n - (sum / n) * (sum / n));
    EXPECT_GT(spread, 4.0);   // the grain shows
    EXPECT_LT(spread, 30.0);  // without drowning the grid lines
    expectSeamless(wood, "wood");
}

TEST(BoardPictures, MarbleTexturesTileSeamlessly) {
    expectSeamless(drawMarbleBackground(96), "background");
    expectSeamless(drawMarbleBoard(96), "board");
}

}  // namespace
}  // namespace tessera
