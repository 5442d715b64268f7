#pragma once
// The resource numbers of the board sounds: the build writes <number>.wav into the board
// folder (board_assets.h) and the room asks its window to play them by number.

namespace tessera {

constexpr int kSoundStone = 20716;        // a stone placed, nothing captured
constexpr int kSoundCaptureOne = 20717;   // one stone captured
constexpr int kSoundCaptureSome = 20718;  // two to nine stones captured
constexpr int kSoundCaptureMany = 20719;  // ten or more captured
constexpr int kSoundTrialEnd = 20721;
constexpr int kSoundTrialStart = 20722;
constexpr int kSoundAnswerRight = 20723;  // a problem solved
constexpr int kSoundAnswerWrong = 20724;  // a wrong answer to a problem
constexpr int kSoundGameStart = 20727;

}  // namespace tessera
