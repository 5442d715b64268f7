#pragma once
// A picture as plain 32-bit pixels, the input of board recognition: rows from the top, each
// pixel 0xAARRGGBB. Usable when it has storage and both sides are at least 1.

#include <cstddef>
#include <cstdint>
#include <vector>

class QImage;

namespace tessera {

// The four channels of one pixel.
struct PixelChannels {
    uint8_t alpha = 0;
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
};

class PixelImage {
public:
    // An empty (unusable) image.
    PixelImage() = default;
    // A usable image of the given size filled with `fill`; empty when a side is below 1 or
    // the size would not fit in memory terms (over 2^28 pixels).
    PixelImage(int32_t width, int32_t height, uint32_t fill = 0xFF000000u);

    int32_t width() const { return width_; }
    int32_t height() const { return height_; }
    // True when there is pixel storage and both sides are at least 1.
    bool isUsable() const { return width_ >= 1 && height_ >= 1 && !pixels_.empty(); }
    // 0 <= x < width and 0 <= y < height.
    bool contains(int32_t x, int32_t y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // The pixel at (x, y); precondition: contains(x, y).
    uint32_t pixel(int32_t x, int32_t y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    // Stores a pixel; ignored outside the image.
    void setPixel(int32_t x, int32_t y, uint32_t value) {
        if (contains(x, y))
            pixels_[static_cast<size_t>(y) * width_ + x] = value;
    }
    // Row y (width pixels); precondition: 0 <= y < height.
    const uint32_t* row(int32_t y) const { return pixels_.data() + static_cast<size_t>(y) * width_; }
    uint32_t* row(int32_t y) { return pixels_.data() + static_cast<size_t>(y) * width_; }

    // Splits 0xAARRGGBB into its channels.
    static PixelChannels channels(uint32_t pixel) {
        return {static_cast<uint8_t>(pixel >> 24), static_cast<uint8_t>(pixel >> 16), static_cast<uint8_t>(pixel >> 8),
                static_cast<uint8_t>(pixel)};
    }

    // Nearest-neighbour copy of exactly width x height pixels, the aspect ratio ignored:
    // destination (x, y) takes source (trunc(x / sx), trunc(y / sy)) with sx = width / source
    // width, sy = height / source height in single precision. Empty when a side is below 1 or
    // this image is not usable.
    PixelImage scaleTo(int32_t width, int32_t height) const;

    // The pixels of any QImage (converted to ARGB32 first); empty for a null image.
    static PixelImage fromQImage(const QImage& image);
    // An ARGB32 QImage holding a copy of the pixels; a null image when not usable.
    QImage toQImage() const;

private:
    int32_t width_ = 0;
    int32_t height_ = 0;
    std::vector<uint32_t> pixels_;  // width_ * height_, row-major
};

}  // namespace tessera
