#include "view/board_display.h"

#include <algorithm>

namespace tessera {

RegionRect RegionRect::fromDrawRecord(const DrawRecord& record) {
    return RegionRect{record[0], record[1], static_cast<uint32_t>(record[2]), record[3], record[4]};
}

BoardDisplay::BoardDisplay(int width, int height) { showEmptyBoard(width, height); }

void BoardDisplay::showEmptyBoard(int width, int height) {
    position = BoardGrid(width, height);
    mask = BoardGrid(position.width(), position.height());
    mask.fill(1);
    marks.clear();
    labels.clear();
    moveNumbers.clear();
    regions.clear();
    cursor = -1;
}

BoardTransform BoardDisplay::transform() const {
    BoardTransform flags(-1, position);
    flags.flipX = flipX;
    flags.flipY = flipY;
    flags.transpose = transpose;
    return flags;
}

void BoardDisplay::setTransformCode(int code) {
    BoardTransform flags;
    flags.setCode(code);
    flipX = flags.flipX;
    flipY = flags.flipY;
    transpose = flags.transpose;
}

int32_t BoardDisplay::toDisplayed(int32_t gamePoint) const {
    if (!position.isValidPoint(gamePoint))
        return -1;
    const BoardTransform flags = transform();
    return flags.isIdentity() ? gamePoint : flags.mapPoint(gamePoint);
}

int32_t BoardDisplay::toGame(int32_t displayedPoint) const {
    BoardTransform back = transform();
    if (back.isIdentity())
        return position.isValidPoint(displayedPoint) ? displayedPoint : -1;
    back.inverse = true;
    return back.mapPoint(displayedPoint);
}

namespace {

std::string columnLetter(int x) { return std::string(1, static_cast<char>('A' + x + (x >= 8 ? 1 : 0))); }

}  // namespace

std::string BoardDisplay::bottomCoordinate(int displayedColumn) const {
    int x = 0;
    int y = 0;
    if (!position.coordsOf(toGame(displayedGeometry().pointAt(displayedColumn, 0)), x, y))
        return {};
    return transpose ? std::to_string(position.height() - y) : columnLetter(x);
}

std::string BoardDisplay::rightCoordinate(int displayedRow) const {
    int x = 0;
    int y = 0;
    if (!position.coordsOf(toGame(displayedGeometry().pointAt(0, displayedRow)), x, y))
        return {};
    return transpose ? columnLetter(x) : std::to_string(position.height() - y);
}

PointList BoardDisplay::starPoints() const {
    const BoardGeometry shown = displayedGeometry();
    const int size = shown.width();
    std::vector<int> lines;
    if (size != shown.height())
        return {};
    if (size == 19)
        lines = {3, 9, 15};
    else if (size >= 10)
        lines = {3, size - 4};
    else if (size >= 7)
        lines = {2, size - 3};
    PointList points;
    for (int row : lines)
        for (int column : lines)
            points.push_back(shown.pointAt(column, row));
    return points;
}

bool BoardDisplay::hasMark(int32_t p, int kind) const {
    return std::any_of(marks.begin(), marks.end(), [&](const Mark& m) { return m.point == p && m.kind == kind; });
}

namespace {

// The new flips of a quarter turn, by the current code; the transpose flag toggles.
void turn(BoardDisplay& display, bool clockwise) {
    const int code = display.transformCode();
    const bool group04 = code == 0 || code == 4;
    const bool group15 = code == 1 || code == 5;
    const bool group36 = code == 3 || code == 6;
    display.transpose = !display.transpose;
    if (clockwise) {
        display.flipX = group04 || (!group15 && !group36);
        display.flipY = group04 || group36;
    } else {
        display.flipX = group15 || group36;
        display.flipY = group15 || (!group04 && !group36);
    }
}

}  // namespace

void rotateDisplayClockwise(BoardDisplay& display) { turn(display, true); }
void rotateDisplayCounterClockwise(BoardDisplay& display) { turn(display, false); }

bool stepDisplayCursor(BoardDisplay& display, int columns, int rows) {
    if (!display.cursorShown)
        return false;
    const BoardGrid& board = display.position;
    int x = 0;
    int y = 0;
    if (!board.coordsOf(display.cursor, x, y))
        x = y = 0;
    // Each coordinate wraps on its own: below 0 is the last line, beyond the last is line 0.
    auto wrap = [](int value, int size) { return value < 0 ? size - 1 : (value >= size ? 0 : value); };
    display.cursor = board.pointAt(wrap(x + columns, board.width()), wrap(y + rows, board.height()));
    return true;
}

}  // namespace tessera
