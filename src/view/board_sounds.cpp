// Modal synthesis: a struck body rings at a few frequencies that each die away exponentially.
// The wooden tock is a low board mode plus a cluster of mid-range modes and a noise click at
// the moment of contact; stones falling on stones ring higher and shorter. Chimes are bell-like
// tones with a soft attack and a long decay.

#include "view/board_sounds.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "view/procedural_noise.h"

namespace tessera {

namespace {

constexpr double kTau = 2 * std::numbers::pi;

using Buffer = std::vector<double>;

struct Mode {
    double frequency;  // Hz
    double amplitude;
    double decay;  // seconds for the amplitude to fall to 1/e
};

int samplesFor(double seconds) { return static_cast<int>(seconds * kBoardSoundRate); }

// Adds one strike of the given modes at `start` seconds; `noise` adds a contact click whose
// length is `clickDecay` seconds.
void addStrike(Buffer& out, double start, const std::vector<Mode>& modes, double gain, double noise, double clickDecay,
               DeterministicRandom& random) {
    const int first = samplesFor(start);
    double longest = clickDecay;
    for (const Mode& m : modes)
        longest = std::max(longest, m.decay);
    const int length = samplesFor(longest * 7);
    if (out.size() < static_cast<size_t>(first + length))
        out.resize(first + length, 0.0);
    std::vector<double> phases;
    for (size_t i = 0; i < modes.size(); ++i)
        phases.push_back(random.between(0, kTau));
    double previousNoise = 0;
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kBoardSoundRate;
        // A 0.4 ms rise keeps the onset from clicking digitally.
        const double attack = std::min(1.0, t / 0.0004);
        double s = 0;
        for (size_t k = 0; k < modes.size(); ++k)
            s += modes[k].amplitude * std::exp(-t / modes[k].decay) *
                 std::sin(kTau * modes[k].frequency * t + phases[k]);
        // Differenced white noise: a bright, short contact click.
        const double white = random.between(-1, 1);
        s += noise * (white - previousNoise) * std::exp(-t / clickDecay);
        previousNoise = white;
        out[first + i] += gain * attack * s;
    }
}

// A stone set down firmly on a thick wooden board.
void addTock(Buffer& out, DeterministicRandom& random) {
    const std::vector<Mode> board{
        {196, 0.55, 0.030},  {415, 0.35, 0.022},  {870, 1.00, 0.016},  {1310, 0.55, 0.011},
        {1980, 0.35, 0.008}, {2870, 0.22, 0.005}, {4150, 0.12, 0.003},
    };
    addStrike(out, 0.0, board, 1.0, 0.6, 0.0015, random);
}

// A stone dropped among other stones: glassy, high and brief, a little different every time.
void addStoneClack(Buffer& out, double start, double gain, DeterministicRandom& random) {
    const double f = random.between(0.88, 1.15);
    const std::vector<Mode> stone{
        {2350 * f, 0.6, 0.007},
        {3720 * f, 1.0, 0.005},
        {5480 * f, 0.55, 0.0035},
        {7900 * f, 0.25, 0.002},
    };
    addStrike(out, start, stone, gain, 0.35, 0.0008, random);
}

// A bell-like note: a soft attack and partials that fade at different speeds.
void addChimeNote(Buffer& out, double start, double frequency, double gain) {
    const int first = samplesFor(start);
    const int length = samplesFor(0.9);
    if (out.size() < static_cast<size_t>(first + length))
        out.resize(first + length, 0.0);
    const Mode partials[] = {{frequency, 1.0, 0.32},
                             {frequency * 2.0, 0.28, 0.18},
                             {frequency * 3.01, 0.08, 0.10},
                             {frequency * 4.2, 0.04, 0.06}};
    for (int i = 0; i < length; ++i) {
        const double t = static_cast<double>(i) / kBoardSoundRate;
        const double attack = std::min(1.0, t / 0.008);
        double s = 0;
        for (const Mode& p : partials)
            s += p.amplitude * std::exp(-t / p.decay) * std::sin(kTau * p.frequency * t);
        out[first + i] += gain * attack * s;
    }
}

// Scales the buffer to the given peak, trims it once it has faded below audibility and ends it
// with a short fade, then converts it to 16-bit samples.
std::vector<int16_t> finish(Buffer buffer, double peak) {
    double highest = 0;
    for (double s : buffer)
        highest = std::max(highest, std::fabs(s));
    if (highest <= 0)
        return std::vector<int16_t>(buffer.size(), 0);
    const double scale = peak / highest;
    size_t end = buffer.size();
    while (end > 0 && std::fabs(buffer[end - 1] * scale) < 0.0005)
        --end;
    buffer.resize(end);
    const size_t fade = std::min<size_t>(samplesFor(0.01), buffer.size());
    for (size_t i = 0; i < fade; ++i)
        buffer[buffer.size() - 1 - i] *= static_cast<double>(i) / fade;
    std::vector<int16_t> samples(buffer.size());
    for (size_t i = 0; i < buffer.size(); ++i)
        samples[i] = static_cast<int16_t>(std::lround(std::clamp(buffer[i] * scale, -1.0, 1.0) * 32767.0));
    return samples;
}

}  // namespace

std::vector<int16_t> synthesiseBoardSound(BoardSound sound) {
    DeterministicRandom random(0x50D0000u + static_cast<uint64_t>(sound));
    Buffer buffer;
    switch (sound) {
        case BoardSound::StonePlaced:
            addTock(buffer, random);
            return finish(buffer, 0.85);
        case BoardSound::CaptureOne:
            addTock(buffer, random);
            addStoneClack(buffer, 0.16, 0.45, random);
            return finish(buffer, 0.85);
        case BoardSound::CaptureFew: {
            addTock(buffer, random);
            double t = 0.14;
            for (int i = 0; i < 5; ++i) {
                addStoneClack(buffer, t, random.between(0.25, 0.45), random);
                t += random.between(0.035, 0.075);
            }
            return finish(buffer, 0.85);
        }
        case BoardSound::CaptureMany: {
            addTock(buffer, random);
            double t = 0.13;
            for (int i = 0; i < 16; ++i) {
                // The rattle swells and dies away as the handful pours into the lid.
                const double swell = std::sin(std::numbers::pi * (i + 0.5) / 16);
                addStoneClack(buffer, t, (0.15 + 0.35 * swell) * random.between(0.7, 1.0), random);
                t += random.between(0.018, 0.045);
            }
            return finish(buffer, 0.85);
        }
        case BoardSound::TrialStart:
            addChimeNote(buffer, 0.0, 659.26, 1.0);  // E5
            addChimeNote(buffer, 0.14, 880.0, 0.9);  // A5
            return finish(buffer, 0.45);
        case BoardSound::TrialEnd:
            addChimeNote(buffer, 0.0, 880.0, 0.9);
            addChimeNote(buffer, 0.14, 659.26, 1.0);
            return finish(buffer, 0.45);
        case BoardSound::GameStart:
            addChimeNote(buffer, 0.0, 523.25, 1.0);    // C5
            addChimeNote(buffer, 0.12, 659.26, 0.9);   // E5
            addChimeNote(buffer, 0.24, 783.99, 0.85);  // G5
            return finish(buffer, 0.45);
        case BoardSound::AnswerRight:
            addChimeNote(buffer, 0.0, 783.99, 0.9);    // G5
            addChimeNote(buffer, 0.09, 987.77, 0.9);   // B5
            addChimeNote(buffer, 0.18, 1174.66, 0.9);  // D6
            addChimeNote(buffer, 0.27, 1567.98, 1.0);  // G6
            return finish(buffer, 0.45);
        case BoardSound::AnswerWrong:
            addChimeNote(buffer, 0.0, 311.13, 1.0);  // D#4
            addChimeNote(buffer, 0.2, 293.66, 1.0);  // D4
            return finish(buffer, 0.5);
    }
    return {};
}

std::string encodeWav16Mono(const std::vector<int16_t>& samples, int sampleRate) {
    std::string out;
    auto put16 = [&out](uint32_t v) {
        out.push_back(static_cast<char>(v & 0xFF));
        out.push_back(static_cast<char>((v >> 8) & 0xFF));
    };
    auto put32 = [&put16](uint32_t v) {
        put16(v & 0xFFFF);
        put16(v >> 16);
    };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    out += "RIFF";
    put32(36 + dataBytes);
    out += "WAVEfmt ";
    put32(16);  // size of the format chunk
    put16(1);   // PCM
    put16(1);   // one channel
    put32(static_cast<uint32_t>(sampleRate));
    put32(static_cast<uint32_t>(sampleRate) * 2);  // bytes per second
    put16(2);                                      // bytes per frame
    put16(16);                                     // bits per sample
    out += "data";
    put32(dataBytes);
    for (int16_t s : samples)
        put16(static_cast<uint16_t>(s));
    return out;
}

}  // namespace tessera
