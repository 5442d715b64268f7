// Go stones lit from the upper left: a flattened lens shape gives the normals, a broad diffuse
// term and a Phong highlight the gloss. Black is polished slate with a bright specular spot;
// white is clamshell, bright and softly striped, with a fine grey rim so its edge shows on the
// lightest board. The Marble stones also cast a soft shadow to the lower right, inside their
// square. Every pixel is supersampled 5 x 5 for smooth edges.

#include <algorithm>
#include <cmath>

#include "view/board_pictures.h"
#include "view/procedural_noise.h"

namespace tessera {

namespace {

struct Rgb {
    double r, g, b;
};

constexpr int kSubsamples = 5;
// The keyed stones' edge pixels are blended towards shaded wood: the stone sits in a hairline of
// its own shadow, which also keeps a white stone's edge clear on the lightest grain.
constexpr Rgb kEdgeBlend{168, 120, 64};
// The Marble stone's body and its shadow, as fractions of the picture's side: the body is a
// little smaller than the square so the shadow fits beside it.
constexpr double kShadowedBodyRadius = 0.47;
constexpr double kShadowOffset = 0.035;
constexpr double kShadowAlpha = 0.5;

// The colour of the stone at (nx, ny), a point of the unit disc (y down); `side` tunes the
// clamshell stripes, which would only flicker on small stones.
Rgb shade(StoneShade stone, double nx, double ny, int side) {
    const double r2 = std::min(1.0, nx * nx + ny * ny);
    // A lens is flatter than a ball: the normal tilts less in the middle, more at the rim.
    const double nz = 1.25 * std::sqrt(1.0 - r2) + 0.05;
    const double len = std::sqrt(nx * nx + ny * ny + nz * nz);
    const double n[3] = {nx / len, ny / len, nz / len};
    const double l[3] = {-0.45, -0.55, 0.70};
    const double ll = std::sqrt(l[0] * l[0] + l[1] * l[1] + l[2] * l[2]);
    const double light[3] = {l[0] / ll, l[1] / ll, l[2] / ll};
    const double h0 = light[0], h1 = light[1], h2 = light[2] + 1.0;
    const double hl = std::sqrt(h0 * h0 + h1 * h1 + h2 * h2);
    const double diffuse = std::max(0.0, n[0] * light[0] + n[1] * light[1] + n[2] * light[2]);
    const double nh = std::max(0.0, (n[0] * h0 + n[1] * h1 + n[2] * h2) / hl);
    const double rim = std::pow(1.0 - n[2], 3.0);  // grazing angles catch the surroundings

    if (stone == StoneShade::Black) {
        const double sharp = std::pow(nh, 90.0);
        const double soft = std::pow(nh, 14.0);
        const double v = 14 + 24 * diffuse + 60 * soft + 200 * sharp + 34 * rim;
        return {v, v, v * 1.04 + 2};
    }
    // Clamshell: faint growth stripes, concentric about a point beyond the lower edge.
    const double dx = nx - 0.35, dy = ny - 2.3;
    const double d = std::sqrt(dx * dx + dy * dy);
    const double stripeAmp = side < 20 ? 0.0 : std::min(1.0, (side - 20) / 40.0);
    const double phase = d * 31.0 + 2.2 * std::sin(d * 5.3) + 0.9 * std::sin(d * 13.7 + 1.0);
    const double fineStripe = std::pow(0.5 + 0.5 * std::sin(phase), 5.0);
    const double band = std::pow(0.5 + 0.5 * std::sin(d * 9.0 + 0.7), 3.0);
    const double stripe = (0.7 * fineStripe * (0.4 + 0.6 * band) + 0.3 * band) * stripeAmp;
    const double soft = std::pow(nh, 18.0);
    const double sharp = std::pow(nh, 120.0);
    // Bright over most of the face (it must stand well above any board), shaded only towards
    // the lower right, and a fine grey rim at the very edge.
    const double lit = 0.90 + 0.10 * diffuse - 0.10 * rim;
    const double shine = 10 * soft + 16 * sharp;
    // The rim is about two pixels wide on small stones, else they would lose it.
    const double rimWidth = std::max(0.12, 4.0 / std::max(side, 1));
    const double edge = 1.0 - 0.32 * smoothStep(1.0 - rimWidth, 1.0, std::sqrt(r2));
    const Rgb body{(250 * lit + shine) * edge, (248 * lit + shine) * edge, (240 * lit + shine) * edge};
    const double s = 1.0 - 0.04 * stripe;
    return {body.r * s, body.g * s, body.b * s * 0.995};
}

// Samples the stone over pixel (x, y) of a side x side square, the stone's radius being
// `bodyRadius` x side; returns the average colour of the covered subsamples and the covered
// fraction.
Rgb samplePixel(StoneShade stone, int side, int x, int y, double* coverage, double bodyRadius = 0.5) {
    const double centre = side / 2.0;
    const double radius = side * bodyRadius;
    Rgb sum{0, 0, 0};
    int inside = 0;
    for (int sy = 0; sy < kSubsamples; ++sy) {
        for (int sx = 0; sx < kSubsamples; ++sx) {
            const double px = x + (sx + 0.5) / kSubsamples;
            const double py = y + (sy + 0.5) / kSubsamples;
            const double nx = (px - centre) / radius;
            const double ny = (py - centre) / radius;
            if (nx * nx + ny * ny > 1.0)
                continue;
            const Rgb c = shade(stone, nx, ny, side);
            sum.r += c.r;
            sum.g += c.g;
            sum.b += c.b;
            ++inside;
        }
    }
    *coverage = static_cast<double>(inside) / (kSubsamples * kSubsamples);
    if (inside == 0)
        return sum;
    return {sum.r / inside, sum.g / inside, sum.b / inside};
}

int channel(double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); }

}  // namespace

QImage drawKeyedStone(StoneShade stone, int side) {
    side = std::max(1, side);
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double coverage = 0;
            const Rgb c = samplePixel(stone, side, x, y, &coverage);
            if (coverage < 0.5) {
                image.setPixel(x, y, kStoneKeyColour);
                continue;
            }
            // The pixel stays opaque after keying, so its share of the background is wood.
            const double t = (coverage - 0.5) * 2.0;
            const double keep = 0.5 + 0.5 * t;
            QRgb pixel =
                qRgb(channel(c.r * keep + kEdgeBlend.r * (1 - keep)), channel(c.g * keep + kEdgeBlend.g * (1 - keep)),
                     channel(c.b * keep + kEdgeBlend.b * (1 - keep)));
            if (pixel == kStoneKeyColour)
                pixel = qRgb(254, 0, 0);  // never the key colour inside the stone
            image.setPixel(x, y, pixel);
        }
    }
    return image;
}

QImage drawMarbleStone(StoneShade stone, int side) {
    side = std::max(1, side);
    QImage image(side, side, QImage::Format_ARGB32);
    const double shadowCentre = side * (0.5 + kShadowOffset);
    const double bodyRadius = side * kShadowedBodyRadius;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            double coverage = 0;
            const Rgb c = samplePixel(stone, side, x, y, &coverage, kShadowedBodyRadius);
            // A soft black shadow, fading out before the square's edge, under the stone.
            const double d = std::hypot(x + 0.5 - shadowCentre, y + 0.5 - shadowCentre);
            const double border = std::min({x + 0.5, y + 0.5, side - x - 0.5, side - y - 0.5}) / side;
            const double shadow = kShadowAlpha *
                                  (1.0 - smoothStep(bodyRadius - 0.03 * side, bodyRadius + 0.04 * side, d)) *
                                  smoothStep(0.0, 0.03, border);
            // The stone over its shadow: straight (not premultiplied) colour and the combined alpha.
            const double alpha = coverage + shadow * (1.0 - coverage);
            const double k = alpha > 0 ? coverage / alpha : 0.0;
            image.setPixel(x, y, qRgba(channel(c.r * k), channel(c.g * k), channel(c.b * k), channel(alpha * 255.0)));
        }
    }
    return image;
}

}  // namespace tessera
