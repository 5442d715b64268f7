#include "view/luma_image.h"

namespace tessera {

LumaImage makeLuma(const PixelImage& image) {
    LumaImage luma;
    if (!image.isUsable())
        return luma;
    luma.width = image.width();
    luma.height = image.height();
    luma.values.resize(static_cast<size_t>(luma.width) * luma.height);
    uint8_t* out = luma.values.data();
    for (int32_t y = 0; y < luma.height; ++y) {
        const uint32_t* row = image.row(y);
        for (int32_t x = 0; x < luma.width; ++x) {
            const uint32_t p = row[x];
            const uint32_t alpha = p >> 24;
            uint32_t value = (((p >> 16) & 0xFF) * 77 + ((p >> 8) & 0xFF) * 151 + (p & 0xFF) * 28) >> 8;
            if (alpha != 0xFF)
                value = (value * alpha + 255 * (255 - alpha)) / 255;
            *out++ = static_cast<uint8_t>(value);
        }
    }
    return luma;
}

}  // namespace tessera
