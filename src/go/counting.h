#pragma once
// Counting a finished game: empty regions are assigned to the colour that alone borders
// them, then the area count (Chinese rules, komi in stones) or the territory count
// (Japanese and Korean rules, komi in points) gives the scores, the result and the report
// the room shows while the board carries the ownership marks.

#include <string>

#include "go/board_grid.h"

namespace tessera {

// What a count found and the texts the room shows.
struct CountResult {
    bool counted = false;      // false: the rule type cannot be counted (report holds the refusal)
    bool areaCount = true;     // true: area count; false: territory count
    int blackPoints = 0;       // area: points holding black after assignment; territory: black territory
    int whitePoints = 0;       // area: points holding white; territory: white territory
    int blackPrisoners = 0;    // territory only: capB, black stones captured or marked dead
    int whitePrisoners = 0;    // territory only: capW
    double komi = 0.0;
    double blackScore = 0.0;
    double whiteScore = 0.0;
    std::string resultWord;    // "黑胜", "白胜" or "平局" (translated)
    std::string marginText;    // "0.25 子" / "3.5目", empty for equal scores
    std::string report;        // the message box text (or the refusal message)
    std::string summary;       // resultWord + two spaces + marginText
    PointList blackOwned;      // points that get ownership mark 5 during the report
    PointList whiteOwned;      // points that get ownership mark 6
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

// The count the rule type asks for: 1 area, 2 or 3 territory, anything else a refusal whose
// report is the message telling the user to change the rules.
CountResult countByRules(int ruleType, const BoardGrid& position, const PointList& dead, double komi,
                         int blackCaptured, int whiteCaptured);

}  // namespace tessera
