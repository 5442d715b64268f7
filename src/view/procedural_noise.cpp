#include "view/procedural_noise.h"

#include <algorithm>
#include <cmath>

namespace tessera {

uint64_t DeterministicRandom::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

double DeterministicRandom::unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

TileableNoise::TileableNoise(uint32_t seed, int periodX, int periodY)
    : seed_(seed), periodX_(std::max(1, periodX)), periodY_(std::max(1, periodY)) {}

double TileableNoise::lattice(int ix, int iy, int octave) const {
    // An integer hash of the wrapped lattice point, so no table is needed.
    const int px = periodX_ << octave;
    const int py = periodY_ << octave;
    const uint32_t x = static_cast<uint32_t>(((ix % px) + px) % px);
    const uint32_t y = static_cast<uint32_t>(((iy % py) + py) % py);
    uint32_t h = seed_ * 0x9E3779B1u ^ x * 0x85EBCA77u ^ y * 0xC2B2AE3Du ^ static_cast<uint32_t>(octave) * 0x27D4EB2Fu;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return static_cast<double>(h) / 2147483647.5 - 1.0;
}

double TileableNoise::value(double u, double v, int octave) const {
    const double fu = std::floor(u);
    const double fv = std::floor(v);
    const int ix = static_cast<int>(fu);
    const int iy = static_cast<int>(fv);
    const double tx = u - fu;
    const double ty = v - fv;
    // Quintic fade: no visible lattice creases.
    const double sx = tx * tx * tx * (tx * (tx * 6 - 15) + 10);
    const double sy = ty * ty * ty * (ty * (ty * 6 - 15) + 10);
    const double a = lattice(ix, iy, octave);
    const double b = lattice(ix + 1, iy, octave);
    const double c = lattice(ix, iy + 1, octave);
    const double d = lattice(ix + 1, iy + 1, octave);
    const double top = a + (b - a) * sx;
    const double bottom = c + (d - c) * sx;
    return top + (bottom - top) * sy;
}

double TileableNoise::fractal(double u, double v, int octaves, double gain, bool turbulence) const {
    double sum = 0;
    double amplitude = 1;
    double total = 0;
    double scale = 1;
    for (int o = 0; o < octaves; ++o) {
        const double n = value(u * scale, v * scale, o);
        sum += amplitude * (turbulence ? std::fabs(n) : n);
        total += amplitude;
        amplitude *= gain;
        scale *= 2;
    }
    return total > 0 ? sum / total : 0;
}

double smoothStep(double edge0, double edge1, double x) {
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

}  // namespace tessera
