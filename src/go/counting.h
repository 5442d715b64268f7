#pragma once
// Counting a finished game: empty regions are assigned to the colour that alone borders
// them, then the area count (Chinese rules, komi in stones) or the territory count
// (Japanese and Korean rules, komi in points) gives the scores. Only numbers and points come
// out; the room words the report (room/count_report.h).

#include <string>

#include "go/board_grid.h"

namespace tessera {

// What a count found.
struct CountResult {
    bool counted = false;    // false: the rule type cannot be counted
    bool areaCount = true;   // true: area count; false: territory count
    int blackPoints = 0;     // area: points holding black after assignment; territory: black territory
    int whitePoints = 0;     // area: points holding white; territory: white territory
    int blackPrisoners = 0;  // territory only: capB, black stones captured or marked dead
    int whitePrisoners = 0;  // territory only: capW
    double komi = 0.0;
    double blackScore = 0.0;
    double whiteScore = 0.0;
    PointList blackOwned;  // points that get ownership mark 5 during the report
    PointList whiteOwned;  // points that get ownership mark 6

    // kBlack or kWhite for the side with the higher score, kEmpty for equal scores.
    int winner() const { return blackScore > whiteScore ? kBlack : blackScore < whiteScore ? kWhite : kEmpty; }
    // The winning margin in the count's unit: stones (half the point difference) for an area
    // count, points for a territory count; 0 for equal scores.
    double margin() const;
};

// The position with dead points emptied and every empty region that touches only one colour
// filled with that colour; regions touching both colours or none stay 0. blackTerritory and
// whiteTerritory receive the empty points so filled (ascending, region by region).
BoardGrid assignRegions(const BoardGrid& position, const PointList& dead, PointList& blackTerritory,
                        PointList& whiteTerritory);

// Area count (Chinese rules) of position with the given dead points and komi in stones.
CountResult countArea(const BoardGrid& position, const PointList& dead, double komi);

// Territory count (Japanese/Korean rules): prisoners taken in play are added to the stones
// marked dead; komi is in points.
CountResult countTerritory(const BoardGrid& position, const PointList& dead, double komi, int blackCaptured,
                           int whiteCaptured);

}  // namespace tessera
