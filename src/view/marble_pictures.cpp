// The Marble style's stone surfaces: veins follow a sine wave across the picture that a periodic
// turbulence bends, the classic marble recipe. Whole numbers of waves and noise periods across
// the picture keep it seamless when tiled.

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
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

int channel(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

struct MarbleRecipe {
    uint32_t seed;
    Rgb dark, base, light;  // the cloudy body
    Rgb vein;               // the main veins
    double veinStrength;
    Rgb fineVein;  // a second, thinner family
    double fineStrength;
};

// Thin bright (or dark) lines where the bent wave crosses zero; `sharpness` sets their width.
double veins(double phase, double sharpness) { return std::pow(1.0 - std::fabs(std::sin(phase)), sharpness); }

QImage drawMarble(int side, const MarbleRecipe& recipe) {
    side = std::max(1, side);
    QImage image(side, side, QImage::Format_RGB32);
    const TileableNoise bend(recipe.seed, 4, 4);
    const TileableNoise fineBend(recipe.seed + 1, 6, 6);
    const TileableNoise cloud(recipe.seed + 2, 3, 3);
    constexpr double tau = 2 * std::numbers::pi;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            const double u = static_cast<double>(x) / side;
            const double v = static_cast<double>(y) / side;
            const double turbulence = bend.fractal(u * 4, v * 4, 5, 0.5, true);
            const double mainVein = veins(tau * (2 * u + v) + 1.1 * tau * turbulence, 12.0);
            const double fineTurbulence = fineBend.fractal(u * 6, v * 6, 4, 0.55, true);
            const double fineVein = veins(tau * (u - 3 * v) + 0.9 * tau * fineTurbulence, 30.0);
            const double body = cloud.fractal(u * 3, v * 3, 4, 0.5);
            // Veins come and go along their length, as in real stone.
            const double presence = smoothStep(-0.35, 0.45, cloud.fractal(u * 3 + 1.7, v * 3 + 0.6, 2, 0.5));
            Rgb c = body < 0 ? mix(recipe.base, recipe.dark, -body * 1.3) : mix(recipe.base, recipe.light, body * 1.3);
            c = mix(c, recipe.fineVein, fineVein * recipe.fineStrength * (0.3 + 0.7 * presence));
            c = mix(c, recipe.vein, mainVein * recipe.veinStrength * (0.25 + 0.75 * presence));
            image.setPixel(x, y, qRgb(channel(c.r), channel(c.g), channel(c.b)));
        }
    }
    return image;
}

}  // namespace

QImage drawMarbleBackground(int side) {
    const MarbleRecipe verde{0xBA5E0001u,     {22, 40, 34}, {38, 64, 54},    {62, 94, 80},
                             {176, 198, 184}, 0.55,         {120, 150, 134}, 0.35};
    return drawMarble(side, verde);
}

QImage drawMarbleBoard(int side) {
    // A warm sand-coloured marble, well below white so that white stones stand out on it.
    const MarbleRecipe sand{
        0xB0A4D001u, {178, 152, 116}, {197, 174, 138}, {214, 195, 162}, {130, 108, 82}, 0.30, {160, 138, 108}, 0.22};
    return drawMarble(side, sand);
}

}  // namespace tessera
