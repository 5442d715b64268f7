#pragma once
// The plain reading of a board picture: the user marks the outermost grid lines, the
// rectangle is divided into equal cells, and each intersection is judged by the share of
// very dark and very light pixels in a square two thirds of a cell wide around it. Works on
// clean screenshots whose board is neither very dark nor very light; board_picture_reader.h
// handles the rest.

#include <cstdint>

#include "go/board_grid.h"
#include "view/pixel_image.h"

namespace tessera {

// A rectangle of image pixels; both corners are included.
struct ImageRect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    // The same rectangle with left <= right and top <= bottom.
    ImageRect normalized() const;
    bool operator==(const ImageRect&) const = default;
};

// What countTones saw.
struct ToneCount {
    int64_t sampled = 0;  // pixels of the rectangle inside the image
    int64_t dark = 0;     // red, green and blue all below 80
    int64_t light = 0;    // not dark, red, green and blue all 151 or more
};

// Counts the pixels of the (normalised) rectangle that lie inside the image.
ToneCount countTones(const PixelImage& image, const ImageRect& rect);

// Removes the stones of `grid` and reads one stone per intersection: the rectangle's corners
// are the outermost lines, each intersection samples countTones over +-1/3 cell; black when
// the dark share exceeds 1/4, else white when the light share does. The grid must be square
// and usable (19 x 19 in the dialog); false, with the grid left empty, otherwise or when the
// image is not usable.
bool recognizeBoard(const PixelImage& image, const ImageRect& rect, BoardGrid& grid);

}  // namespace tessera
