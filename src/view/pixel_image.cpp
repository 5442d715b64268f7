#include "view/pixel_image.h"

#include <cstring>

#include <QImage>

namespace tessera {

namespace {
constexpr int64_t kMaxPixels = int64_t{1} << 28;  // 1 GiB of pixels: beyond any picture we read
}

PixelImage::PixelImage(int32_t width, int32_t height, uint32_t fill) {
    if (width < 1 || height < 1 || int64_t{width} * height > kMaxPixels)
        return;
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * height, fill);
}

PixelImage PixelImage::scaleTo(int32_t width, int32_t height) const {
    if (width < 1 || height < 1 || !isUsable())
        return {};
    PixelImage scaled(width, height);
    if (!scaled.isUsable())
        return {};
    const float sx = static_cast<float>(width) / static_cast<float>(width_);
    const float sy = static_cast<float>(height) / static_cast<float>(height_);
    std::vector<int32_t> sourceColumn(static_cast<size_t>(width));
    for (int32_t x = 0; x < width; ++x) {
        const auto column = static_cast<int32_t>(static_cast<float>(x) / sx);
        sourceColumn[static_cast<size_t>(x)] = column < width_ ? column : width_ - 1;  // float rounding at the edge
    }
    for (int32_t y = 0; y < height; ++y) {
        auto sourceRow = static_cast<int32_t>(static_cast<float>(y) / sy);
        if (sourceRow >= height_)
            sourceRow = height_ - 1;
        const uint32_t* from = row(sourceRow);
        uint32_t* to = scaled.row(y);
        for (int32_t x = 0; x < width; ++x)
            to[x] = from[sourceColumn[static_cast<size_t>(x)]];
    }
    return scaled;
}

PixelImage PixelImage::fromQImage(const QImage& image) {
    if (image.isNull())
        return {};
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    PixelImage result(argb.width(), argb.height());
    if (!result.isUsable())
        return {};
    for (int32_t y = 0; y < result.height_; ++y)
        std::memcpy(result.row(y), argb.constScanLine(y), static_cast<size_t>(result.width_) * 4);
    return result;
}

QImage PixelImage::toQImage() const {
    if (!isUsable())
        return {};
    QImage image(width_, height_, QImage::Format_ARGB32);
    for (int32_t y = 0; y < height_; ++y)
        std::memcpy(image.scanLine(y), row(y), static_cast<size_t>(width_) * 4);
    return image;
}

}  // namespace tessera
