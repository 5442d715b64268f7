#pragma once
// One brightness byte per pixel (0 black .. 255 white), what the grid finder and the stone
// reader look at. Transparent pixels are seen as lying on white, as a viewer shows them.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "view/pixel_image.h"

namespace tessera {

struct LumaImage {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint8_t> values;  // width * height, row-major

    // The brightness at (x, y), or `outside` beyond the picture.
    int at(int32_t x, int32_t y, int outside = 255) const {
        return x >= 0 && y >= 0 && x < width && y < height ? values[static_cast<size_t>(y) * width + x] : outside;
    }
};

// The brightness (0.30 red + 0.59 green + 0.11 blue) of every pixel; empty for an unusable image.
LumaImage makeLuma(const PixelImage& image);

}  // namespace tessera
