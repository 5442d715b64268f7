#pragma once
// What a room shows for its current position from the pattern bases: a knowledge note, or
// the moves played next in the whole-board statistics, or those of each local group. The
// result is plain data (report text, marks, the detail list); the room puts it on its board
// and in its information pane. Nothing is cached: every call looks the position up afresh.

#include <cstdint>
#include <string>
#include <vector>

#include "go/board_grid.h"
#include "record/game_node.h"
#include "stats/position_stats.h"

namespace tessera {

class LibraryCatalogue;
struct PatternBases;

// A lettered move on the board; fewGames selects the light underlined look.
struct BoardHint {
    int32_t point = -1;
    uint32_t colour = 0;  // 0x00BBGGRR
    std::string text;
    bool fewGames = false;
};

// One listed move, as the detail window shows it.
struct HintDetail {
    int sequence = 0;
    std::string label;
    int32_t point = -1;  // on the board as the room holds it
    std::vector<GameRef> games;
    int kind = 1;    // 1 whole-board statistics, 0 local statistics
    int group = -1;  // local statistics: the index in groupsOf(position, 5)
    ResultCount result;
};

struct HintRequest {
    BoardGrid position;  // the room's position (game orientation)
    int colourToMove = 1;
    bool lastWasStoneMove = false;  // the current node holds a stone move (local statistics)
    bool overlayEmpty = true;       // the board shows no labels, hints or markup of its own
    bool showKnowledge = false;
    bool showGlobal = false;
    bool showLocal = false;
    double globalShare = 0.98;  // display proportions, 0.5 .. 1.0
    double localShare = 0.98;
};

struct HintResult {
    bool clearOverlay = false;     // the statistics replace the node's own marks
    bool knowledgeShown = false;   // a note was shown: the room adds no marks of its own
    std::string report;            // the information pane's text
    std::vector<BoardHint> hints;  // whole-board statistics
    std::vector<Label> labels;     // local statistics and the note's labels
    std::vector<Mark> marks;       // the note's markup
    std::vector<HintDetail> details;
};

// Runs the knowledge, whole-board and local displays in that order.
HintResult computeHints(const PatternBases& bases, const LibraryCatalogue& catalogue, const HintRequest& request);

// The label after text: A .. Z, a .. z, then A again (a digit suffix is kept).
char nextHintLetter(char letter);
// Red, blue when the losses outnumber the wins; black for an even record (48 < rate < 52).
uint32_t hintColour(const ResultCount& result);
// The detail window's line for a record: "label,总:0012,赢:0007(58%)".
std::string hintDetailLine(const HintDetail& detail);

}  // namespace tessera
