#pragma once
// The sounds the program ships, synthesised: a stone set on a wooden board, captured stones
// rattling, and soft chimes. Deterministic (fixed seeds), 16-bit mono samples.

#include <cstdint>
#include <string>
#include <vector>

namespace tessera {

constexpr int kBoardSoundRate = 44100;

enum class BoardSound {
    StonePlaced,  // a short wooden tock
    CaptureOne,   // the tock, then one stone dropped into the lid
    CaptureFew,   // the tock, then a handful of stones
    CaptureMany,  // the tock, then a long rattle
    TrialStart,   // two rising chime notes
    TrialEnd,     // the same two notes falling
    GameStart,    // three rising chime notes
    AnswerRight,  // a bright rising major arpeggio
    AnswerWrong,  // two low notes falling a semitone
};

// The samples of one sound at kBoardSoundRate, peak-normalised, fading to silence at the end.
std::vector<int16_t> synthesiseBoardSound(BoardSound sound);

// A complete WAV file (RIFF, PCM, 16-bit, one channel) holding the samples.
std::string encodeWav16Mono(const std::vector<int16_t>& samples, int sampleRate);

}  // namespace tessera
