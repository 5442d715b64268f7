#include "view/board_viewport.h"

#include <algorithm>

namespace tessera {

// ---- viewport ----

bool BoardViewport::applySettings(const BoardViewSettings& settings) {
    const bool picturesChanged = settings.style != settings_.style || settings.light != settings_.light;
    settings_ = settings;
    return picturesChanged;
}

int BoardViewport::clampedLight() const { return std::clamp(settings_.light, -128, 128); }

void BoardViewport::setClientSize(int width, int height) {
    clientWidth_ = std::max(0, width);
    clientHeight_ = std::max(0, height);
}

void BoardViewport::beginRubberBand(int x, int y) {
    dragging_ = true;
    band_ = PixelRect{x, y, x, y};
}

bool BoardViewport::extendRubberBand(int x, int y) {
    if (!dragging_)
        return false;
    band_.right = x;
    band_.bottom = y;
    return true;
}

bool BoardViewport::endRubberBand(int x, int y) {
    if (!extendRubberBand(x, y))
        return false;
    dragging_ = false;
    return true;
}

PixelRect BoardViewport::rubberBand() const {
    return PixelRect{std::min(band_.left, band_.right), std::min(band_.top, band_.bottom),
                     std::max(band_.left, band_.right), std::max(band_.top, band_.bottom)};
}

// ---- screen ----

namespace {

BoardLayout layOut(const BoardViewSettings& settings, int clientWidth, int clientHeight, const BoardGeometry& shown) {
    if (clientWidth < 10 || clientHeight < 10)
        return {};
    int left = 2;
    int top = 2;
    int right = clientWidth - 2;
    int bottom = clientHeight - 2;
    double w = shown.width();
    double h = shown.height();
    double margin = 0.5;
    const bool simple = settings.style == kStyleSimple;
    if (!simple) {
        w += 0.6;
        h += 0.6;
        right -= 3;
        bottom -= 3;
        margin = 0.8;
    }
    if (settings.showScale) {
        w += 0.3;
        h += 0.3;
        right -= 2;
        bottom -= 2;
    }
    const int cell = static_cast<int>(std::min((right - left) / w, (bottom - top) / h));
    if (cell <= 0)
        return {};
    int totalWidth = static_cast<int>(cell * w);
    int totalHeight = static_cast<int>(cell * h);
    if (!simple) {
        totalWidth += 3;
        totalHeight += 3;
    }
    if (settings.showScale) {
        totalWidth += 2;
        totalHeight += 2;
    }
    BoardLayout layout;
    layout.cell = cell;
    layout.gridLeft = static_cast<int>(left + (right - left - totalWidth) / 2 + cell * margin);
    layout.gridTop = static_cast<int>(top + (bottom - top - totalHeight) / 2 + cell * margin);
    layout.gridRight = layout.gridLeft + (shown.width() - 1) * cell;
    layout.gridBottom = layout.gridTop + (shown.height() - 1) * cell;
    return layout;
}

}  // namespace

BoardScreen::BoardScreen(const BoardDisplay& display, const BoardViewport& viewport)
    : display_(display),
      viewport_(viewport),
      shown_(display.displayedGeometry()),
      layout_(layOut(viewport.settings(), viewport.clientWidth(), viewport.clientHeight(), shown_)) {}

PixelRect BoardScreen::boardRect() const {
    const int border = static_cast<int>(0.8 * layout_.cell);
    return PixelRect{layout_.gridLeft - border, layout_.gridTop - border, layout_.gridRight + border,
                     layout_.gridBottom + border};
}

bool BoardScreen::intersectionOf(int32_t point, int& x, int& y) const {
    const int32_t shown = display_.toDisplayed(point);
    int column = 0;
    int row = 0;
    if (layout_.cell == 0 || shown < 0 || !shown_.coordsOf(shown, column, row))
        return false;
    x = layout_.gridLeft + column * layout_.cell;
    y = layout_.gridTop + row * layout_.cell;
    return true;
}

std::optional<PixelRect> BoardScreen::cellRect(int32_t point) const {
    int x = 0;
    int y = 0;
    if (!intersectionOf(point, x, y))
        return std::nullopt;
    const int half = layout_.cell / 2;
    return PixelRect{x - half, y - half, x + half, y + half};
}

int32_t BoardScreen::pointAtPixel(int x, int y) const {
    const int cell = layout_.cell;
    if (cell == 0)
        return -1;
    // Integer division rounds toward zero, as the layout rules state.
    const int column = (x - layout_.gridLeft + cell / 2) / cell;
    const int row = (y - layout_.gridTop + cell / 2) / cell;
    const int32_t shown = shown_.pointAt(column, row);
    return shown < 0 ? -1 : display_.toGame(shown);
}

PointList BoardScreen::pointsInside(const PixelRect& rect) const {
    PointList inside;
    for (int32_t p = 0; p < display_.position.area(); ++p) {
        int x = 0;
        int y = 0;
        if (intersectionOf(p, x, y) && x >= rect.left && x <= rect.right && y >= rect.top && y <= rect.bottom)
            inside.push_back(p);
    }
    return inside;
}

}  // namespace tessera
