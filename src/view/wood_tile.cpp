// The traditional board's wood: straight-grained kaya. Every term below is periodic over the
// tile (whole numbers of grain lines across, whole noise periods down), so the repeated tile
// shows no seam.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "view/board_pictures.h"
#include "view/procedural_noise.h"

namespace tessera {

namespace {

struct Rgb {
    double r, g, b;
};

Rgb mix(const Rgb& a, const Rgb& b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

QRgb toPixel(const Rgb& c) {
    auto channel = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); };
    return qRgb(channel(c.r), channel(c.g), channel(c.b));
}

// One family of grain lines: `count` lines across one tile width, each a soft dark band whose
// position wanders with the noise.
double grainLines(double u, double wander, int count, double width) {
    const double phase = count * (u + wander);
    const double t = phase - std::floor(phase);
    // A band that darkens sharply on one side and fades on the other, like late wood.
    const double d = std::min(t, 1.0 - t);
    const double sharp = std::exp(-(d * d) / (2 * width * width));
    const double tail = t > 0.5 ? std::exp(-(1.0 - t) / (width * 3)) * 0.35 : 0.0;
    return std::min(1.0, sharp + tail);
}

}  // namespace

QImage drawWoodTile(int width, int height) {
    width = std::max(1, width);
    height = std::max(1, height);
    QImage image(width, height, QImage::Format_RGB32);
    const TileableNoise warpNoise(0x5EED01u, 1, 2);
    const TileableNoise lineNoise(0x5EED02u, 9, 1);
    const TileableNoise fibreNoise(0x5EED03u, 34, 3);
    const TileableNoise toneNoise(0x5EED04u, 2, 2);
    // A warm honey tone, a good way below white so that white stones stand out at a glance.
    const Rgb light{232, 188, 120};
    const Rgb base{220, 168, 98};
    const Rgb grain{176, 118, 56};
    const Rgb fine{202, 148, 82};
    constexpr double tau = 2 * std::numbers::pi;

    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double u = static_cast<double>(x) / width;  // one tile = 1 in both directions
            const double v = static_cast<double>(y) / height;
            // The grain drifts gently sideways down the tile; no wiggles that would repeat visibly.
            const double wander = 0.018 * warpNoise.fractal(u, v * 2, 2, 0.3) + 0.008 * std::sin(tau * v + 1.3);
            // Which lines stand out changes across the tile (noise in u), a little along it.
            const double weight = 0.5 + 0.5 * lineNoise.fractal(u * 9 + wander * 9, v, 2, 0.4);
            const double strong = grainLines(u, wander, 3, 0.035) * (0.35 + 0.65 * weight);
            const double thin = grainLines(u, wander * 1.2 + 0.13, 10, 0.06) * (0.25 + 0.35 * weight);
            const double fibre = fibreNoise.fractal(u * 34 + wander * 34, v * 3, 3, 0.6);
            const double tone = toneNoise.fractal(u * 2 + wander * 2, v * 2, 2);

            Rgb c = mix(base, light, std::clamp(0.5 + 0.6 * tone, 0.0, 1.0));
            c = mix(c, fine, std::clamp(thin, 0.0, 1.0));
            c = mix(c, grain, std::clamp(strong * 0.7, 0.0, 1.0));
            const double f = 1.0 + 0.035 * fibre;
            c = {c.r * f, c.g * f, c.b * f};
            image.setPixel(x, y, toPixel(c));
        }
    }
    return image;
}

}  // namespace tessera
