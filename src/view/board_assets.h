#pragma once
// The board pictures and sounds the program ships, and where they live:
//   <root>/BoardTemplate/Marble/   mb_bgn.jpg, mb_board.jpg, mb_bstone.png, mb_wstone.png
//   <program>/board/               wood.png (69 x 75), black.png and white.png (23 x 23 on pure
//                                  red), and the same pictures and the sounds under their
//                                  resource numbers: <number>.png, <number>.wav
// The build runs tools/generate_board_assets to write them; nothing is copied from elsewhere.

#include <filesystem>
#include <string>
#include <vector>

#include "view/sound_numbers.h"

namespace tessera {

// Resource numbers of the board folder's pictures.
constexpr int kBoardTileResource = 20002;       // the wood tile
constexpr int kBlackStoneResourceBase = 20100;  // + side: a black stone of that side
constexpr int kWhiteStoneResourceBase = 20200;  // + side: a white stone of that side
constexpr int kSizedStoneSmallest = 10;
constexpr int kSizedStoneLargest = 59;

// Side of the Marble style's stone images and of its two textures.
constexpr int kMarbleStoneSide = 128;
constexpr int kMarbleBackgroundSide = 256;
constexpr int kMarbleBoardSide = 512;

// Every file generateBoardAssets writes, as full paths under the two folders.
std::vector<std::filesystem::path> boardAssetFiles(const std::filesystem::path& rootFolder,
                                                   const std::filesystem::path& programFolder);

// Draws and synthesises every board picture and sound and writes them (each atomically) under
// the two folders, creating the folders; false with a one-line reason in *error on the first
// file that cannot be written.
bool generateBoardAssets(const std::filesystem::path& rootFolder, const std::filesystem::path& programFolder,
                         std::string* error);

}  // namespace tessera
