#include "view/board_view_state.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "go/regions.h"

namespace tessera {

namespace {

bool labelTextAcceptable(const std::string& text) {
    return !text.empty() && gbByteLength(text) <= Label::kMaxLabelBytes;
}

template <typename List>
bool eraseAt(List& list, int32_t point) {
    const auto before = list.size();
    std::erase_if(list, [point](const auto& item) { return item.point == point; });
    return list.size() != before;
}

}  // namespace

RegionRect RegionRect::fromDrawRecord(const DrawRecord& record) {
    return RegionRect{record[0], record[1], static_cast<uint32_t>(record[2]), record[3], record[4]};
}

DrawRecord RegionRect::toDrawRecord() const {
    return DrawRecord{firstPoint, secondPoint, static_cast<int32_t>(colour), penWidth, penStyle};
}

BoardViewState::BoardViewState() {
    position_.resize(19, 19);
    resetMaskToSize();
}

void BoardViewState::notify() const {
    if (changed_)
        changed_();
}

void BoardViewState::resetMaskToSize() {
    mask_.resize(position_.width(), position_.height());
    mask_.fill(1);
}

// ---- settings and layout ----

bool BoardViewState::applySettings(const BoardViewSettings& settings) {
    const bool picturesChanged = settings.style != settings_.style || settings.light != settings_.light;
    settings_ = settings;
    layout();
    notify();
    return picturesChanged;
}

int BoardViewState::clampedLight() const { return std::clamp(settings_.light, -128, 128); }

void BoardViewState::setClientSize(int width, int height) {
    clientWidth_ = std::max(0, width);
    clientHeight_ = std::max(0, height);
    layout();
    notify();
}

bool BoardViewState::layout() {
    layout_ = BoardLayout{};
    if (clientWidth_ < 10 || clientHeight_ < 10)
        return false;
    int left = 2;
    int top = 2;
    int right = clientWidth_ - 2;
    int bottom = clientHeight_ - 2;
    const BoardGeometry shown = displayedGeometry();
    double w = shown.width();
    double h = shown.height();
    double margin = 0.5;
    const bool simple = settings_.style == kStyleSimple;
    if (!simple) {
        w += 0.6;
        h += 0.6;
        right -= 3;
        bottom -= 3;
        margin = 0.8;
    }
    if (settings_.showScale) {
        w += 0.3;
        h += 0.3;
        right -= 2;
        bottom -= 2;
    }
    const int cell = static_cast<int>(std::min((right - left) / w, (bottom - top) / h));
    if (cell <= 0)
        return false;
    int totalWidth = static_cast<int>(cell * w);
    int totalHeight = static_cast<int>(cell * h);
    if (!simple) {
        totalWidth += 3;
        totalHeight += 3;
    }
    if (settings_.showScale) {
        totalWidth += 2;
        totalHeight += 2;
    }
    layout_.cell = cell;
    layout_.gridLeft = static_cast<int>(left + (right - left - totalWidth) / 2 + cell * margin);
    layout_.gridTop = static_cast<int>(top + (bottom - top - totalHeight) / 2 + cell * margin);
    layout_.gridRight = layout_.gridLeft + (shown.width() - 1) * cell;
    layout_.gridBottom = layout_.gridTop + (shown.height() - 1) * cell;
    return true;
}

PixelRect BoardViewState::boardRect() const {
    const int border = static_cast<int>(0.8 * layout_.cell);
    return PixelRect{layout_.gridLeft - border, layout_.gridTop - border, layout_.gridRight + border,
                     layout_.gridBottom + border};
}

// ---- position and mask ----

void BoardViewState::setPosition(const BoardGrid& grid) {
    if (!grid.isUsable())
        return;
    const bool resized = !grid.sameSize(position_);
    position_.copyFrom(grid);
    if (!mask_.sameSize(position_) || !mask_.isUsable())
        resetMaskToSize();
    if (resized) {
        const int code = transform_.code();
        transform_ = BoardTransform(code, position_);
        layout();
    }
    notify();
}

bool BoardViewState::setMask(const BoardGrid& mask) {
    if (!mask.isUsable() || !mask.sameSize(position_))
        return false;
    mask_.copyFrom(mask);
    notify();
    return true;
}

// ---- display transform ----

void BoardViewState::setTransformCode(int code) {
    const BoardGeometry before = displayedGeometry();
    transform_.setCode(code);
    if (!displayedGeometry().sameSize(before))
        layout();
    notify();
}

void BoardViewState::toggleFlipX() {
    BoardTransform flags = transform_;
    flags.flipX = !flags.flipX;
    setTransformCode(flags.code());
}

void BoardViewState::toggleFlipY() {
    BoardTransform flags = transform_;
    flags.flipY = !flags.flipY;
    setTransformCode(flags.code());
}

void BoardViewState::toggleTranspose() {
    BoardTransform flags = transform_;
    flags.transpose = !flags.transpose;
    setTransformCode(flags.code());
}

void BoardViewState::rotateCounterClockwise() {
    BoardTransform flags = transform_;
    switch (transform_.code()) {
    case 0: case 4: flags.flipX = false; flags.flipY = false; break;
    case 1: case 5: flags.flipX = true; flags.flipY = true; break;
    case 3: case 6: flags.flipX = true; flags.flipY = false; break;
    default: flags.flipX = false; flags.flipY = true; break;  // identity or 2
    }
    flags.transpose = !transform_.transpose;
    setTransformCode(flags.code());
}

void BoardViewState::rotateClockwise() {
    BoardTransform flags = transform_;
    switch (transform_.code()) {
    case 0: case 4: flags.flipX = true; flags.flipY = true; break;
    case 1: case 5: flags.flipX = false; flags.flipY = false; break;
    case 3: case 6: flags.flipX = false; flags.flipY = true; break;
    default: flags.flipX = true; flags.flipY = false; break;  // identity or 2
    }
    flags.transpose = !transform_.transpose;
    setTransformCode(flags.code());
}

BoardGeometry BoardViewState::displayedGeometry() const { return transform_.resultGeometry(); }

int32_t BoardViewState::toDisplayed(int32_t gamePoint) const {
    if (!position_.isValidPoint(gamePoint))
        return -1;
    return transform_.isIdentity() ? gamePoint : transform_.mapPoint(gamePoint);
}

int32_t BoardViewState::toGame(int32_t displayedPoint) const {
    if (transform_.isIdentity())
        return position_.isValidPoint(displayedPoint) ? displayedPoint : -1;
    BoardTransform back = transform_;
    back.inverse = true;
    return back.mapPoint(displayedPoint);
}

namespace {

std::string columnLetter(int x) { return std::string(1, static_cast<char>('A' + x + (x >= 8 ? 1 : 0))); }

}  // namespace

std::string BoardViewState::bottomCoordinate(int displayedColumn) const {
    int x = 0;
    int y = 0;
    if (!position_.coordsOf(toGame(displayedGeometry().pointAt(displayedColumn, 0)), x, y))
        return {};
    return transform_.transpose ? std::to_string(position_.height() - y) : columnLetter(x);
}

std::string BoardViewState::rightCoordinate(int displayedRow) const {
    int x = 0;
    int y = 0;
    if (!position_.coordsOf(toGame(displayedGeometry().pointAt(0, displayedRow)), x, y))
        return {};
    return transform_.transpose ? columnLetter(x) : std::to_string(position_.height() - y);
}

PointList BoardViewState::starPoints() const {
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

// ---- pixel geometry ----

bool BoardViewState::intersectionOf(int32_t point, int& x, int& y) const {
    const int32_t shown = toDisplayed(point);
    int column = 0;
    int row = 0;
    if (layout_.cell == 0 || shown < 0 || !displayedGeometry().coordsOf(shown, column, row))
        return false;
    x = layout_.gridLeft + column * layout_.cell;
    y = layout_.gridTop + row * layout_.cell;
    return true;
}

std::optional<PixelRect> BoardViewState::cellRect(int32_t point) const {
    int x = 0;
    int y = 0;
    if (!intersectionOf(point, x, y))
        return std::nullopt;
    const int half = layout_.cell / 2;
    return PixelRect{x - half, y - half, x + half, y + half};
}

int32_t BoardViewState::pointAtPixel(int x, int y) const {
    const int cell = layout_.cell;
    if (cell == 0)
        return -1;
    // Integer division rounds toward zero, as the layout rules state.
    const int column = (x - layout_.gridLeft + cell / 2) / cell;
    const int row = (y - layout_.gridTop + cell / 2) / cell;
    const int32_t shown = displayedGeometry().pointAt(column, row);
    return shown < 0 ? -1 : toGame(shown);
}

PointList BoardViewState::pointsInside(const PixelRect& rect) const {
    PointList inside;
    for (int32_t p = 0; p < position_.area(); ++p) {
        int x = 0;
        int y = 0;
        if (intersectionOf(p, x, y) && x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom)
            inside.push_back(p);
    }
    return inside;
}

// ---- markup ----

void BoardViewState::addMark(int32_t point, int type) {
    marks_.push_back(Mark{static_cast<int16_t>(type), point});
    notify();
}

bool BoardViewState::removeMark(int32_t point, int type) {
    const auto before = marks_.size();
    std::erase_if(marks_, [&](const Mark& m) { return m.point == point && m.kind == type; });
    if (marks_.size() == before)
        return false;
    notify();
    return true;
}

bool BoardViewState::hasMark(int32_t point, int type) const {
    return std::any_of(marks_.begin(), marks_.end(),
                       [&](const Mark& m) { return m.point == point && m.kind == type; });
}

void BoardViewState::toggleMark(int32_t point, int type) {
    if (type < kViewCircle || type > kViewTriangle)
        return;
    if (clearPoint(point))
        return;
    addMark(point, type);
}

bool BoardViewState::clearPoint(int32_t point) {
    bool removed = eraseAt(labels_, point);
    removed = eraseAt(hints_, point) || removed;
    removed = eraseAt(marks_, point) || removed;
    if (removed)
        notify();
    return removed;
}

void BoardViewState::toggleGroupMarks(int32_t point) {
    const int value = position_.get(point);
    if (value != kBlack && value != kWhite)
        return;
    PointList group;
    floodRegion(position_, point, group);
    const bool anyMarked =
        std::any_of(group.begin(), group.end(), [&](int32_t p) { return hasMark(p, kViewRedSquare); });
    for (int32_t p : group) {
        std::erase_if(marks_, [&](const Mark& m) { return m.point == p && m.kind == kViewRedSquare; });
        if (!anyMarked)
            marks_.push_back(Mark{kViewRedSquare, p});
    }
    notify();
}

// ---- labels and hints ----

bool BoardViewState::addLabel(int32_t point, uint32_t colour, const std::string& text) {
    if (!labelTextAcceptable(text))
        return false;
    labels_.push_back(Label{point, colour, text});
    notify();
    return true;
}

bool BoardViewState::setLabel(int32_t point, uint32_t colour, const std::string& text) {
    clearPoint(point);
    return addLabel(point, colour, text);
}

bool BoardViewState::addNextLetter(int32_t point, uint32_t colour) {
    if (clearPoint(point))
        return false;
    const std::string_view sequence(kNextLetterSequence);
    int furthest = -1;
    for (const Label& label : labels_) {
        if (label.text.size() != 1)
            continue;
        const auto at = sequence.find(label.text[0]);
        if (at != std::string_view::npos)
            furthest = std::max(furthest, static_cast<int>(at));
    }
    const size_t next = static_cast<size_t>(furthest + 1);
    if (next >= sequence.size())
        return false;
    return addLabel(point, colour, std::string(1, sequence[next]));
}

bool BoardViewState::addHint(int32_t point, uint32_t colour, bool fewGames, const std::string& text) {
    if (!labelTextAcceptable(text))
        return false;
    hints_.push_back(HintMark{point, colour, text, fewGames});
    notify();
    return true;
}

void BoardViewState::addRegion(const RegionRect& region) {
    regions_.push_back(region);
    notify();
}

void BoardViewState::clearOverlay() {
    marks_.clear();
    labels_.clear();
    hints_.clear();
    regions_.clear();
    notify();
}

void BoardViewState::setMarks(std::vector<Mark> marks) {
    marks_ = std::move(marks);
    notify();
}

void BoardViewState::setLabels(std::vector<Label> labels) {
    std::erase_if(labels, [](const Label& l) { return !labelTextAcceptable(l.text); });
    labels_ = std::move(labels);
    notify();
}

void BoardViewState::setHints(std::vector<HintMark> hints) {
    std::erase_if(hints, [](const HintMark& h) { return !labelTextAcceptable(h.text); });
    hints_ = std::move(hints);
    notify();
}

void BoardViewState::setRegions(std::vector<RegionRect> regions) {
    regions_ = std::move(regions);
    notify();
}

std::vector<DrawRecord> BoardViewState::drawRecords() const {
    std::vector<DrawRecord> records;
    records.reserve(regions_.size());
    for (const RegionRect& r : regions_)
        records.push_back(r.toDrawRecord());
    return records;
}

void BoardViewState::setDrawRecords(const std::vector<DrawRecord>& records) {
    regions_.clear();
    for (const DrawRecord& r : records)
        regions_.push_back(RegionRect::fromDrawRecord(r));
    notify();
}

// ---- cursor ----

void BoardViewState::setCursor(int32_t point) {
    cursor_ = point;
    notify();
}

void BoardViewState::setCursorShown(bool shown) {
    cursorShown_ = shown;
    notify();
}

bool BoardViewState::stepCursor(int columns, int rows) {
    if (!cursorShown_)
        return false;
    int x = 0;
    int y = 0;
    if (!position_.coordsOf(cursor_, x, y))
        x = y = 0;
    // Each coordinate wraps on its own: below 0 is the last line, beyond the last is line 0.
    auto wrap = [](int value, int size) { return value < 0 ? size - 1 : (value >= size ? 0 : value); };
    x = wrap(x + columns, position_.width());
    y = wrap(y + rows, position_.height());
    setCursor(position_.pointAt(x, y));
    return true;
}

// ---- rubber band ----

bool BoardViewState::beginRubberBand(int x, int y) {
    if (!rectSelect_)
        return false;
    dragging_ = true;
    band_ = PixelRect{x, y, x, y};
    return true;
}

bool BoardViewState::extendRubberBand(int x, int y) {
    if (!rectSelect_ || !dragging_)
        return false;
    band_.right = x;
    band_.bottom = y;
    return true;
}

bool BoardViewState::endRubberBand(int x, int y) {
    if (!rectSelect_ || !dragging_)
        return false;
    band_.right = x;
    band_.bottom = y;
    dragging_ = false;
    return true;
}

PixelRect BoardViewState::rubberBand() const {
    return PixelRect{std::min(band_.left, band_.right), std::min(band_.top, band_.bottom),
                     std::max(band_.left, band_.right), std::max(band_.top, band_.bottom)};
}

}  // namespace tessera
