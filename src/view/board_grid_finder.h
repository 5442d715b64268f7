#pragma once
// Finds the grid of a Go board in a picture: the outermost lines and the number of lines
// (9, 13 or 19). Grid lines are thin dark lines on a lighter board, evenly spaced and much
// longer than anything else of that shape (letters of coordinates, outlines of stones, wood
// grain), so the finder
//   1. marks pixels darker than both neighbours three pixels above and below (or left and
//      right) and keeps only runs of at least five such pixels along the line's direction;
//   2. sums them per row and per column and takes the peaks of those profiles;
//   3. grows evenly spaced chains of peaks from every pair of strong peaks, refitting the
//      spacing as the chain grows so that slightly uneven screenshots still fit;
//   4. picks, for each board size, the run of lines with the most line evidence inside and
//      the least just outside (a line beyond the last means the run is too short), and the
//      size for which rows and columns together score best.
// A second pass repeats steps 1 to 4 inside the board found, so frames and panels around a
// screenshot drop out.

#include <vector>

#include "view/luma_image.h"
#include "view/tone_rule.h"

namespace tessera {

// Where the grid lines lie in the picture.
struct BoardGridGuess {
    int lines = 0;                // 9, 13 or 19 (also other sizes when made from corners); 0 = none
    std::vector<double> columns;  // x of each vertical line, left to right (`lines` values)
    std::vector<double> rows;     // y of each horizontal line, top to bottom

    bool found() const {
        return lines >= 2 && static_cast<int>(columns.size()) == lines && static_cast<int>(rows.size()) == lines;
    }
    // The outermost lines, rounded to pixels: (first column, first row, last column, last row).
    ImageRect corners() const;
    // Evenly spaced lines between two opposite corners (any order); none when lines < 2.
    static BoardGridGuess fromCorners(const ImageRect& corners, int lines);
};

// The grid of the board in the picture; lines 0 when no grid of 9, 13 or 19 lines is seen.
BoardGridGuess findBoardGrid(const LumaImage& image);
// The same for a picture of 32-bit pixels.
BoardGridGuess findBoardGrid(const PixelImage& image);

}  // namespace tessera
