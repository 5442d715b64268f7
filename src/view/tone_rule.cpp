#include "view/tone_rule.h"

#include <algorithm>

#include "go/move.h"

namespace tessera {

ImageRect ImageRect::normalized() const {
    return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

ToneCount countTones(const PixelImage& image, const ImageRect& rect) {
    ToneCount count;
    if (!image.isUsable())
        return count;
    const ImageRect r = rect.normalized();
    const int32_t x0 = std::max(r.left, 0);
    const int32_t x1 = std::min(r.right, image.width() - 1);
    const int32_t y0 = std::max(r.top, 0);
    const int32_t y1 = std::min(r.bottom, image.height() - 1);
    for (int32_t y = y0; y <= y1; ++y) {
        const uint32_t* row = image.row(y);
        for (int32_t x = x0; x <= x1; ++x) {
            const PixelChannels c = PixelImage::channels(row[x]);
            ++count.sampled;
            if (c.red < 80 && c.green < 80 && c.blue < 80)
                ++count.dark;
            else if (c.red >= 151 && c.green >= 151 && c.blue >= 151)
                ++count.light;
        }
    }
    return count;
}

bool recognizeBoard(const PixelImage& image, const ImageRect& rect, BoardGrid& grid) {
    grid.clearStones();
    if (!grid.isUsable() || grid.width() != grid.height() || grid.width() < 2 || !image.isUsable())
        return false;
    const int lines = grid.width();
    const ImageRect r = rect.normalized();
    // Single precision throughout, so every pixel sampled is the same as in the dialog's rule.
    const float step = 1.0f / static_cast<float>(lines - 1);
    const float dx = static_cast<float>(r.right - r.left) * step;
    const float dy = static_cast<float>(r.bottom - r.top) * step;
    const float hx = dx * 0.33333334f;
    const float hy = dy * 0.33333334f;
    for (int row = 0; row < lines; ++row) {
        for (int column = 0; column < lines; ++column) {
            const auto cx = static_cast<int32_t>(static_cast<float>(column) * dx + static_cast<float>(r.left));
            const auto cy = static_cast<int32_t>(static_cast<float>(r.top) + static_cast<float>(row) * dy);
            const ImageRect sample{
                static_cast<int32_t>(static_cast<float>(cx) - hx), static_cast<int32_t>(static_cast<float>(cy) - hy),
                static_cast<int32_t>(static_cast<float>(cx) + hx), static_cast<int32_t>(static_cast<float>(cy) + hy)};
            const ToneCount tones = countTones(image, sample);
            if (tones.sampled == 0)
                continue;
            const double sampled = static_cast<double>(tones.sampled);
            const int32_t point = lines * row + column;
            if (static_cast<double>(tones.dark) / sampled > 0.25)
                grid.set(point, kBlack);
            else if (static_cast<double>(tones.light) / sampled > 0.25)
                grid.set(point, kWhite);
        }
    }
    return true;
}

}  // namespace tessera
