#pragma once
// The pictures the program ships for its board styles, drawn procedurally (deterministic: the
// same call gives the same pixels on every run).

#include <QImage>

namespace tessera {

enum class StoneShade { Black, White };

// Size of the traditional wood tile and of the program's own traditional stone bitmaps.
constexpr int kWoodTileWidth = 69;
constexpr int kWoodTileHeight = 75;
constexpr int kTraditionalStoneSide = 23;
// Pure red marks the transparent pixels of the traditional stone bitmaps.
constexpr QRgb kStoneKeyColour = 0xFFFF0000u;

// A warm kaya wood tile with straight grain, width x height pixels, seamless when repeated.
QImage drawWoodTile(int width = kWoodTileWidth, int height = kWoodTileHeight);

// A glossy stone filling a side x side square on pure red (side >= 1); edge pixels are blended
// towards the wood colour so the keyed stone looks smooth on the board; no stone pixel is pure red.
QImage drawKeyedStone(StoneShade shade, int side = kTraditionalStoneSide);

// A glossy stone nearly filling a side x side square, with a soft shadow to its lower right and
// alpha transparency around them.
QImage drawMarbleStone(StoneShade shade, int side);

// A dark green marble, side x side, seamless when tiled: the Marble style's background.
QImage drawMarbleBackground(int side);

// A warm sand-coloured marble with soft veins, side x side, seamless when tiled: the Marble board.
QImage drawMarbleBoard(int side);

}  // namespace tessera
