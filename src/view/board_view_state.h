#pragma once
// The state of one board view: the position shown, the mask layer, the four overlay lists
// (markup, labels, hint marks, region rectangles), the display transform, the last-move
// cursor, the display settings and the pixel layout. No Qt here: the painter
// (board_painter.h) draws this state, the widget (ui/board_widget.h) feeds it input.
//
// Points handed in and out are always in game orientation; only the layout and the painter
// think in displayed (transformed) coordinates. The layout is computed on the displayed
// board, whose width and height are swapped when the transform transposes.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "go/board_grid.h"
#include "go/board_transform.h"
#include "record/game_node.h"

namespace tessera {

// ---- Types ----------------------------------------------------------------------------

// Drawing styles, the values of the BoardStyle setting.
enum BoardStyle : int {
    kStyleTraditional = 0,  // tiled wood, bitmap stones, grey drop shadow
    kStyleMarble = 1,       // picture background and board, picture stones, soft dark edge
    kStyleSimple = 2,       // flat board colour, circle stones
};

// The display settings a room copies from its settings.
struct BoardViewSettings {
    int style = kStyleTraditional;  // a BoardStyle; anything else is drawn as Simple
    bool showScale = false;         // coordinates along the bottom and right
    bool showFrame = true;          // Traditional shadow / Marble soft edge
    bool emphasizeEdge = false;     // the outer grid line two pixels thick
    int light = 0;                  // brightness offset of the Marble board picture
    bool operator==(const BoardViewSettings&) const = default;
};

// Markup types of the view (the values of Mark::kind).
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
    // The five-word draw record of this rectangle.
    DrawRecord toDrawRecord() const;
};

// A rectangle in client pixels; right and bottom are the far corner (as the layout states it).
struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const PixelRect&) const = default;
};

// The pixel layout: the outermost grid lines and the spacing of the lines (0 = not laid out).
struct BoardLayout {
    int gridLeft = 0;
    int gridTop = 0;
    int gridRight = 0;
    int gridBottom = 0;
    int cell = 0;
    bool operator==(const BoardLayout&) const = default;
};

// The blue (0, 0, 255) of automatic labels, as 0x00BBGGRR.
constexpr uint32_t kLabelBlue = 0xFF0000;
// The sequence automatic labels are taken from.
inline constexpr char kNextLetterSequence[] =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789!@#$%^&*(){}[]:;<>?|/\\~";

// ---- The state ------------------------------------------------------------------------

class BoardViewState {
public:
    // An empty 19 x 19 position, all points visible, identity transform, cursor at point 0
    // and shown, Traditional style, no client area (cell 0).
    BoardViewState();

    // -- change notification --
    // Called after every operation that changes what is drawn (the widget schedules a repaint).
    void setChangeListener(std::function<void()> listener) { changed_ = std::move(listener); }

    // -- settings and layout --
    // Stores the settings; true when the style or brightness changed (pictures must be prepared
    // again). Lays out again.
    bool applySettings(const BoardViewSettings& settings);
    const BoardViewSettings& settings() const { return settings_; }
    // The Marble brightness in effect: light clamped to -128 .. 128.
    int clampedLight() const;
    // Sets the client area in pixels and lays out again.
    void setClientSize(int width, int height);
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    // Computes the layout from the client size and the displayed board size; false (cell 0)
    // when the client area is below 10 pixels in either direction.
    bool layout();
    const BoardLayout& gridLayout() const { return layout_; }
    int cell() const { return layout_.cell; }
    // The board rectangle of the Traditional and Marble styles: the grid enlarged on every
    // side by trunc(0.8 x cell).
    PixelRect boardRect() const;

    // -- position and mask --
    // Copies the position; a mask of another size becomes all 1 of the new size; a change of
    // width or height lays out again.
    void setPosition(const BoardGrid& grid);
    const BoardGrid& position() const { return position_; }
    // Replaces the mask (1 shown, 0 hatched); refused (false) when its size differs from the position's.
    bool setMask(const BoardGrid& mask);
    const BoardGrid& mask() const { return mask_; }

    // -- display transform --
    // Sets the flags from a code 0-6; any other code gives the identity.
    void setTransformCode(int code);
    // The code 0-6 of the flags, or -1 for the identity.
    int transformCode() const { return transform_.code(); }
    // The current flags (on a geometry of the position's size).
    const BoardTransform& transform() const { return transform_; }
    // Toggle one flag each (the room's flip and swap commands).
    void toggleFlipX();
    void toggleFlipY();
    void toggleTranspose();
    // A quarter turn of the display (the new transpose is the old one inverted).
    void rotateCounterClockwise();
    void rotateClockwise();
    // The board as displayed: the position's size, width and height swapped when transposing.
    BoardGeometry displayedGeometry() const;
    // The displayed point of a game point, or -1.
    int32_t toDisplayed(int32_t gamePoint) const;
    // The game point of a displayed point, or -1.
    int32_t toGame(int32_t displayedPoint) const;
    // The coordinate shown under a displayed column: the game column's letter ("A".., I
    // skipped), or the game row's number when the transform transposes. Empty when off the board.
    std::string bottomCoordinate(int displayedColumn) const;
    // The coordinate shown beside a displayed row: the game row's number (1 at the game's
    // bottom), or the game column's letter when the transform transposes.
    std::string rightCoordinate(int displayedRow) const;

    // The displayed points that carry star points: on a square board of 19 lines the nine at
    // lines 3, 9 and 15; of 10 or more lines four at 3 and size - 4; of 7 to 9 lines four at 2
    // and size - 3; none on smaller or non-square boards.
    PointList starPoints() const;
    // The radius of the star points: cell / 2 when that is below 5, else 4.
    int starRadius() const { return layout_.cell / 2 < 5 ? layout_.cell / 2 : 4; }

    // -- pixel geometry --
    // The displayed intersection of a game point; false when not laid out or the point is invalid.
    bool intersectionOf(int32_t point, int& x, int& y) const;
    // The square of side cell centred on the point's intersection; empty when not laid out or
    // the point is invalid.
    std::optional<PixelRect> cellRect(int32_t point) const;
    // The game point whose cell holds the client pixel, or -1 (divisions round toward zero, so
    // up to one cell left of/above the first line still gives line 0).
    int32_t pointAtPixel(int x, int y) const;
    // The game points whose displayed intersection lies inside the rectangle (edges included),
    // ascending.
    PointList pointsInside(const PixelRect& rect) const;

    // -- markup --
    // Appends a markup record.
    void addMark(int32_t point, int type);
    // Removes every record with that point and type; true when any was removed.
    bool removeMark(int32_t point, int type);
    // True when a record with that point and type exists.
    bool hasMark(int32_t point, int type) const;
    // For types 0-3: clears the point when it carried anything, else adds the mark.
    void toggleMark(int32_t point, int type);
    // Removes every label, hint and markup record at the point; true when anything was removed.
    bool clearPoint(int32_t point);
    // For a stone: removes the red squares of its group when any stone of it has one, else
    // puts a red square on every stone of the group. Nothing for an empty point.
    void toggleGroupMarks(int32_t point);

    // -- labels and hints --
    // Appends a label; refused (false) for an empty text or one over 4 bytes in GB18030 form.
    bool addLabel(int32_t point, uint32_t colour, const std::string& text);
    // clearPoint then addLabel.
    bool setLabel(int32_t point, uint32_t colour, const std::string& text);
    // Clears the point when it carried anything; otherwise labels it with the character after
    // the furthest one-character label in kNextLetterSequence ("a" when none). False when
    // nothing was added.
    bool addNextLetter(int32_t point, uint32_t colour = kLabelBlue);
    // Appends a hint mark; refused like addLabel.
    bool addHint(int32_t point, uint32_t colour, bool fewGames, const std::string& text);
    // Appends a region rectangle.
    void addRegion(const RegionRect& region);
    // Empties the four overlay lists.
    void clearOverlay();

    // Whole-list access (the room copies a node's markup in and out).
    const std::vector<Mark>& marks() const { return marks_; }
    const std::vector<Label>& labels() const { return labels_; }
    const std::vector<HintMark>& hints() const { return hints_; }
    const std::vector<RegionRect>& regions() const { return regions_; }
    void setMarks(std::vector<Mark> marks);
    // Replaces the labels, dropping those addLabel would refuse.
    void setLabels(std::vector<Label> labels);
    void setHints(std::vector<HintMark> hints);
    void setRegions(std::vector<RegionRect> regions);
    // The region rectangles as five-word draw records.
    std::vector<DrawRecord> drawRecords() const;
    // Replaces the region rectangles with those of the draw records.
    void setDrawRecords(const std::vector<DrawRecord>& records);

    // -- cursor (the last-move mark; the keyboard moves it) --
    void setCursor(int32_t point);
    int32_t cursor() const { return cursor_; }
    void setCursorShown(bool shown);
    bool cursorShown() const { return cursorShown_; }
    // Moves the cursor by columns and rows of the game board, each wrapping separately
    // (below 0 becomes the last line, beyond the last becomes 0). An invalid cursor starts
    // from point 0. False when the cursor is hidden.
    bool stepCursor(int columns, int rows);

    // -- rectangle selection (rubber band) --
    // Set and cleared by the room's rectangle-selection command.
    void setRectSelect(bool on) { rectSelect_ = on; }
    bool rectSelect() const { return rectSelect_; }
    bool dragging() const { return dragging_; }
    // Starts a rubber band at a client pixel (only with rectSelect); false otherwise.
    bool beginRubberBand(int x, int y);
    // Moves the band's second corner (only while dragging); false otherwise.
    bool extendRubberBand(int x, int y);
    // Sets the second corner and ends the drag; true when a band was being dragged.
    bool endRubberBand(int x, int y);
    // The rubber band, normalised (left <= right, top <= bottom).
    PixelRect rubberBand() const;

private:
    void notify() const;
    void resetMaskToSize();

    BoardViewSettings settings_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    BoardLayout layout_;
    BoardGrid position_;           // game orientation; values 0, 1, 2
    BoardGrid mask_;               // same size; 1 shown, 0 hatched
    BoardTransform transform_;     // geometry = position's size; inverse always clear
    std::vector<Mark> marks_;
    std::vector<Label> labels_;
    std::vector<HintMark> hints_;
    std::vector<RegionRect> regions_;
    int32_t cursor_ = 0;           // game point of the last-move mark; -1 none
    bool cursorShown_ = true;
    bool rectSelect_ = false;
    bool dragging_ = false;
    PixelRect band_;               // as dragged, not normalised
    std::function<void()> changed_;
};

}  // namespace tessera
