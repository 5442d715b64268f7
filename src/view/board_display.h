#pragma once
// What a board shows, as one plain value: the position, the mask layer, the overlay lists
// (markup, labels, move numbers, statistics hints, region rectangles), the display transform,
// the last-move cursor and whether a drag selects a rectangle. A game room produces it and
// edits it; the board widget draws it through its own viewport (board_viewport.h) and never
// changes it. No Qt here.
//
// Points are always in game orientation; only the viewport and the painter think in displayed
// (transformed) coordinates, on a board whose width and height swap when the transform
// transposes.

#include <cstdint>
#include <string>
#include <vector>

#include "go/board_grid.h"
#include "go/board_transform.h"
#include "record/game_node.h"

namespace tessera {

// ---- Overlay types --------------------------------------------------------------------

// Markup types as the board draws them (the values of Mark::kind).
enum ViewMarkType : int16_t {
    kViewCircle = 0,       // red disc, outline in the contrast colour
    kViewCross = 1,        // two diagonals
    kViewSquare = 2,       // filled square in the contrast colour
    kViewTriangle = 3,     // filled triangle in the contrast colour
    kViewRedSquare = 4,    // dead stone
    kViewBlackSquare = 5,  // counted for black
    kViewWhiteSquare = 6,  // counted for white
};

// A statistics hint: like a label, plus the flag that selects the light underlined font.
struct HintMark {
    int32_t point = -1;
    uint32_t colour = 0;  // 0x00BBGGRR
    std::string text;     // 1 to 4 bytes in GB18030 form
    bool fewGames = false;
    bool operator==(const HintMark&) const = default;
};

// A region rectangle: the outline from the first point's cell to the second point's cell.
struct RegionRect {
    int32_t firstPoint = -1;
    int32_t secondPoint = -1;
    uint32_t colour = 0;  // 0x00BBGGRR
    int32_t penWidth = 1;
    int32_t penStyle = 0;  // 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 no pen
    bool operator==(const RegionRect&) const = default;

    // The rectangle a node's five-word draw record describes (first, second, colour, width, style).
    static RegionRect fromDrawRecord(const DrawRecord& record);
};

// The blue (0, 0, 255) of automatic labels, as 0x00BBGGRR.
constexpr uint32_t kLabelBlue = 0xFF0000;
// The sequence automatic labels are taken from.
inline constexpr char kNextLetterSequence[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!@#$%^&*(){}[]:;<>?|/\\~";

// ---- The value ------------------------------------------------------------------------

struct BoardDisplay {
    // An empty 19 x 19 board, every point shown, identity transform, no cursor.
    BoardDisplay() : BoardDisplay(19, 19) {}
    // An empty board of the size, every point shown.
    BoardDisplay(int width, int height);

    BoardGrid position;               // game orientation; values 0, 1, 2
    BoardGrid mask;                   // same size; 1 shown, 0 hatched
    std::vector<Mark> marks;          // markup incl. dead stones (4) and, during a count, 5/6
    std::vector<Label> labels;        // the node's labels (stored back into the node)
    std::vector<Label> moveNumbers;   // drawn like labels after them, never stored
    std::vector<HintMark> hints;      // statistics hints and search letters
    std::vector<Mark> noteMarks;      // a knowledge note's markup: drawn like marks, never stored
    BoardGrid highlight;              // stones of a pattern the record was opened on (tinted); empty none
    std::vector<RegionRect> regions;  // the node's draw records
    bool flipX = false;               // display transform flags (never applied to the record)
    bool flipY = false;
    bool transpose = false;
    int32_t cursor = -1;      // the last-move mark, moved by the keyboard; -1 none
    bool cursorShown = true;  // false hides the mark and ignores the cursor keys
    bool rectSelect = false;  // a drag on the board selects a rectangle of points

    // Shows an empty board of the size: position emptied, every point shown, overlay and
    // cursor cleared. Transform, hints and the selection mode stay.
    void showEmptyBoard(int width, int height);
    // The display transform on a board of the position's size.
    BoardTransform transform() const;
    // The code 0-6 of the transform flags, or -1 for the identity.
    int transformCode() const { return transform().code(); }
    // Sets the flags from a code 0-6; any other code clears them.
    void setTransformCode(int code);
    // The board as displayed: the position's size, width and height swapped when transposing.
    BoardGeometry displayedGeometry() const { return transform().resultGeometry(); }
    // The displayed point of a game point, or -1.
    int32_t toDisplayed(int32_t gamePoint) const;
    // The game point of a displayed point, or -1.
    int32_t toGame(int32_t displayedPoint) const;
    // The coordinate shown under a displayed column: the game column's letter ("A".., I
    // skipped), or the game row's number when the transform transposes. Empty off the board.
    std::string bottomCoordinate(int displayedColumn) const;
    // The coordinate shown beside a displayed row: the game row's number (1 at the game's
    // bottom), or the game column's letter when the transform transposes.
    std::string rightCoordinate(int displayedRow) const;
    // The displayed points that carry star points: on a square board of 19 lines the nine at
    // lines 3, 9 and 15; of 10 or more lines four at 3 and size - 4; of 7 to 9 lines four at 2
    // and size - 3; none on smaller or non-square boards.
    PointList starPoints() const;
    // True when a mark of kind stands at p.
    bool hasMark(int32_t p, int kind) const;
};

// A quarter turn of the display: new flips from the current code, the transpose toggles.
void rotateDisplayClockwise(BoardDisplay& display);
void rotateDisplayCounterClockwise(BoardDisplay& display);
// Moves the cursor by columns and rows of the game board, each wrapping on its own (below 0
// becomes the last line, beyond the last becomes 0); an invalid cursor starts from point 0.
// False (nothing moved) when the cursor is hidden.
bool stepDisplayCursor(BoardDisplay& display, int columns, int rows);

}  // namespace tessera
