#pragma once
// Deterministic randomness for the generated board pictures and sounds: the same seed gives the
// same bytes on every machine (no standard-library distributions, whose results vary by vendor).

#include <cstdint>

namespace tessera {

// A small deterministic generator (SplitMix64).
class DeterministicRandom {
public:
    explicit DeterministicRandom(uint64_t seed) : state_(seed) {}
    // The next 64 random bits.
    uint64_t next();
    // A number in [0, 1).
    double unit();
    // A number in [low, high).
    double between(double low, double high) { return low + (high - low) * unit(); }

private:
    uint64_t state_;
};

// Value noise on an integer lattice that wraps after periodX x periodY cells, so that a picture
// sampling one full period in each direction tiles without seams.
class TileableNoise {
public:
    // periodX, periodY >= 1: the lattice cells of one period of the coarsest octave.
    TileableNoise(uint32_t seed, int periodX, int periodY);
    // Smoothly interpolated noise in [-1, 1] at lattice coordinates (u, v); octave o has a period
    // of 2^o times the base period (the caller scales u and v by 2^o as well).
    double value(double u, double v, int octave = 0) const;
    // Sum of octaves (u, v as for octave 0), each twice the frequency and gain times the amplitude
    // of the one before, normalised to about [-1, 1]. With turbulence the octaves add their
    // absolute values instead (then the result lies in about [0, 1]).
    double fractal(double u, double v, int octaves, double gain = 0.5, bool turbulence = false) const;

private:
    double lattice(int ix, int iy, int octave) const;
    uint32_t seed_;
    int periodX_;
    int periodY_;
};

// Hermite smooth step of x between edge0 and edge1, clamped to [0, 1].
double smoothStep(double edge0, double edge1, double x);

}  // namespace tessera
