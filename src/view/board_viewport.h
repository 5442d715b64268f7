#pragma once
// What the board widget owns beside the display it draws: the drawing settings, the client
// size and the rubber band being dragged (BoardViewport), and the pixel layout of a display in
// that viewport (BoardScreen, computed on demand from both). No Qt here.

#include <optional>

#include "view/board_display.h"

namespace tessera {

// Drawing styles, the values of the BoardStyle setting.
enum BoardStyle : int {
    kStyleTraditional = 0,  // tiled wood, bitmap stones, grey drop shadow
    kStyleMarble = 1,       // picture background and board, picture stones, soft dark edge
    kStyleSimple = 2,       // flat board colour, circle stones
};

// How the board is drawn (the window's board settings).
struct BoardViewSettings {
    int style = kStyleTraditional;  // a BoardStyle; anything else is drawn as Simple
    bool showScale = false;         // coordinates along the bottom and right
    bool showFrame = true;          // Traditional shadow / Marble soft edge
    bool emphasizeEdge = false;     // the outer grid line two pixels thick
    int light = 0;                  // brightness offset of the Marble board picture
    bool operator==(const BoardViewSettings&) const = default;
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

class BoardViewport {
public:
    // Stores the settings; true when the style or brightness changed (pictures must be
    // prepared again).
    bool applySettings(const BoardViewSettings& settings);
    const BoardViewSettings& settings() const { return settings_; }
    // The Marble brightness in effect: light clamped to -128 .. 128.
    int clampedLight() const;
    // Sets the client area in pixels (negative sizes count as 0).
    void setClientSize(int width, int height);
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }

    // -- rubber band --
    bool dragging() const { return dragging_; }
    // Starts a band at a client pixel.
    void beginRubberBand(int x, int y);
    // Moves the band's second corner; false when no band is being dragged.
    bool extendRubberBand(int x, int y);
    // Sets the second corner and ends the drag; false when no band was being dragged.
    bool endRubberBand(int x, int y);
    // The band, normalised (left <= right, top <= bottom).
    PixelRect rubberBand() const;

private:
    BoardViewSettings settings_;
    int clientWidth_ = 0;
    int clientHeight_ = 0;
    bool dragging_ = false;
    PixelRect band_;  // as dragged, not normalised
};

// A display laid out in a viewport: where each point lands in client pixels. Holds references
// to both; make one when needed (it is cheap) rather than keeping it.
class BoardScreen {
public:
    BoardScreen(const BoardDisplay& display, const BoardViewport& viewport);

    const BoardDisplay& display() const { return display_; }
    const BoardViewport& viewport() const { return viewport_; }
    // The layout; cell 0 when the client area is below 10 pixels in either direction.
    const BoardLayout& gridLayout() const { return layout_; }
    int cell() const { return layout_.cell; }
    // The board rectangle of the Traditional and Marble styles: the grid enlarged on every
    // side by trunc(0.8 x cell).
    PixelRect boardRect() const;
    // The radius of the star points: cell / 2 when that is below 5, else 4.
    int starRadius() const { return layout_.cell / 2 < 5 ? layout_.cell / 2 : 4; }
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

private:
    const BoardDisplay& display_;
    const BoardViewport& viewport_;
    BoardGeometry shown_;  // the displayed geometry
    BoardLayout layout_;
};

}  // namespace tessera
