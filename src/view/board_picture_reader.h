#pragma once
// Reading the stones of a board picture whose grid is known, for pictures that are not clean
// screenshots: wood and marble boards, shadows, JPEG noise, numbers and marks on stones,
// printed diagrams whose white stones have the board's own colour.
//
// Each intersection is judged by two looks:
//   - whether the grid lines are seen running from it (between 0.18 and 0.4 of a cell from
//     the centre, on the straightest row or column near the line): empty points show them
//     nearly all along, a stone of any colour hides them, numbers on it included;
//   - the tone in four small patches above and below the centre (0.28 to 0.34 of a cell up
//     or down, 0.08 to 0.15 aside), where neither grid lines, star points, marks in the
//     middle third nor numbers lie, even three digits filling a small stone from side to side.
// A point whose lines are hidden, or which is clearly darker than the board, holds a stone.
// The stones' tones are split in two where they fall clearly apart (black below, white
// above); when all stones share one colour, those clearly darker than the board are black. So white stones that have
// the board's own colour (printed diagrams, light marble boards) are still found, and no colour is fixed.

#include <string>
#include <vector>

#include "go/board_grid.h"
#include "view/board_grid_finder.h"
#include "view/luma_image.h"

namespace tessera {

// How a picture was read.
struct BoardPictureReading {
    BoardGridGuess grid;  // where the lines were taken to be (lines 0: no board found)
    BoardGrid position;   // lines x lines, 0 empty, 1 black, 2 white; unusable when no grid
};

// What one intersection shows.
struct PointLook {
    int tone = 0;            // median tone of the patches above and below the centre
    double lineShare = 0.0;  // share of the samples along the lines' arms that show a line
};

// The look of every intersection, row by row; empty when the guess has no grid.
std::vector<PointLook> lookAtPoints(const LumaImage& image, const BoardGridGuess& grid);

// The stones at the grid's intersections; an unusable grid when the guess has no grid.
BoardGrid readStones(const LumaImage& image, const BoardGridGuess& grid);

// Finds the grid (unless `grid` is given, i.e. found()) and reads the stones.
BoardPictureReading readBoardPicture(const PixelImage& image, const BoardGridGuess& grid = {});

}  // namespace tessera
