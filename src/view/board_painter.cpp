#include "view/board_painter.h"

#include <algorithm>
#include <cstring>

#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

#include "view/board_text.h"
#include "view/last_move_mark.h"

namespace tessera {

namespace {

const QColor kBoardColour(255, 195, 101);  // the Simple board, and the box cleared under labels
const QColor kShadowGrey(160, 160, 160);
const QColor kRed(255, 0, 0);

// A colour stored as 0x00BBGGRR.
QColor colourOf(uint32_t bgr) { return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF); }

QRect toQRect(const PixelRect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

// Windows pen styles of region records: 0 solid, 1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot, 5 none.
Qt::PenStyle penStyleOf(int style) {
    switch (style) {
        case 1:
            return Qt::DashLine;
        case 2:
            return Qt::DotLine;
        case 3:
            return Qt::DashDotLine;
        case 4:
            return Qt::DashDotDotLine;
        case 5:
            return Qt::NoPen;
        default:
            return Qt::SolidLine;
    }
}

QImage makeHatch() {
    static constexpr uint8_t rows[8] = {0x11, 0x22, 0x44, 0x88, 0x11, 0x22, 0x44, 0x88};
    QImage hatch(8, 8, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            hatch.setPixel(x, y, (rows[y] & (0x80 >> x)) ? 0xFFFFFFFFu : 0u);
    return hatch;
}

}  // namespace

BoardPainter::BoardPainter(BoardPictureFolders folders) : pictures_(std::move(folders)), hatch_(makeHatch()) {}

void BoardPainter::prepareImages(const BoardViewSettings& settings) {
    pictures_.prepare(settings.style, settings.light);
    baseKey_.reset();
}

QImage BoardPainter::render(const BoardDisplay& display, const BoardViewport& viewport) {
    QImage image;
    paint(display, viewport, image);
    return image;
}

void BoardPainter::paint(const BoardDisplay& display, const BoardViewport& viewport, QImage& target) {
    const BoardScreen state(display, viewport);
    const int width = std::max(1, state.viewport().clientWidth());
    const int height = std::max(1, state.viewport().clientHeight());
    if (target.width() != width || target.height() != height || target.format() != QImage::Format_RGB32)
        target = QImage(width, height, QImage::Format_RGB32);
    const BoardViewSettings& settings = state.viewport().settings();
    if (!pictures_.preparedFor(settings.style, settings.light)) {
        pictures_.prepare(settings.style, settings.light);
        baseKey_.reset();
    }
    // Layers 1 to 6 change only with the settings, the size and the transform: they are drawn
    // once into the base image and copied from there on every paint.
    const BaseKey key{settings,
                      width,
                      height,
                      state.gridLayout(),
                      state.display().transformCode(),
                      state.display().position.width(),
                      state.display().position.height()};
    if (!baseKey_ || !(*baseKey_ == key)) {
        drawBase(state, width, height);
        baseKey_ = key;
    }
    std::memcpy(target.bits(), base_.constBits(), static_cast<size_t>(base_.sizeInBytes()));
    if (state.cell() == 0)
        return;
    QPainter p(&target);
    drawOverlay(p, state);
}

void BoardPainter::drawOverlay(QPainter& p, const BoardScreen& state) {
    drawHighlight(p, state);
    drawStones(p, state);
    drawTexts(p, state);
    drawMarkup(p, state);
    drawRegions(p, state);
    drawCursor(p, state);
    drawMask(p, state);
}

void BoardPainter::paintVector(const BoardDisplay& display, const BoardViewport& viewport, QPainter& p) {
    BoardViewport simple = viewport;
    BoardViewSettings settings = viewport.settings();
    settings.style = kStyleSimple;
    simple.applySettings(settings);
    const BoardScreen state(display, simple);
    p.fillRect(QRect(0, 0, std::max(1, simple.clientWidth()), std::max(1, simple.clientHeight())), kBoardColour);
    if (state.cell() == 0)
        return;
    vector_ = true;
    p.setRenderHint(QPainter::Antialiasing, true);
    if (settings.showScale)
        drawCoordinates(p, state);
    drawGrid(p, state);
    drawOverlay(p, state);
    vector_ = false;
}

void BoardPainter::drawBase(const BoardScreen& state, int width, int height) {
    base_ = QImage(width, height, QImage::Format_RGB32);
    const BoardViewSettings& settings = state.viewport().settings();
    QPainter p(&base_);
    p.fillRect(base_.rect(), settings.style == kStyleSimple ? kBoardColour : QColor(Qt::white));
    if (state.cell() == 0)
        return;
    if (settings.style == kStyleMarble)
        drawMarbleBoard(p, state);
    if (settings.showScale)
        drawCoordinates(p, state);
    if (settings.style == kStyleTraditional)
        drawTraditionalBoard(p, state);
    drawGrid(p, state);
}

void BoardPainter::drawMarbleBoard(QPainter& p, const BoardScreen& state) {
    // Background and board tiles are both anchored at the client area's top-left corner.
    p.setBrushOrigin(0, 0);
    const PixelRect board = state.boardRect();
    const QRect client(0, 0, state.viewport().clientWidth(), state.viewport().clientHeight());
    if (!pictures_.marbleBackground().isNull()) {
        const QBrush background(pictures_.marbleBackground());
        if (pictures_.marbleBoard().isNull()) {
            p.fillRect(client, background);
        } else {
            // The opaque board covers the middle: tile only the four bands around it.
            const QRect area = toQRect(board);
            const QRegion around = QRegion(client).subtracted(QRegion(area));
            for (const QRect& band : around)
                p.fillRect(band, background);
        }
    }
    if (!pictures_.marbleBoard().isNull())
        p.fillRect(toQRect(board), QBrush(pictures_.marbleBoard()));
    if (!state.viewport().settings().showFrame)
        return;
    // A soft dark edge: six nested one-pixel outlines fading inwards.
    for (int i = 0; i < 6; ++i) {
        const QColor shade(0, 0, 0, 128 - 21 * i);
        const int left = board.left + i, top = board.top + i;
        const int right = board.right - i - 1, bottom = board.bottom - i - 1;
        if (right <= left || bottom <= top)
            break;
        p.fillRect(QRect(left, top, right - left + 1, 1), shade);
        p.fillRect(QRect(left, top, 1, bottom - top + 1), shade);
        p.fillRect(QRect(left, bottom, right - left + 1, 1), shade);
        p.fillRect(QRect(right, top, 1, bottom - top + 1), shade);
    }
}

void BoardPainter::drawCoordinates(QPainter& p, const BoardScreen& state) {
    const BoardLayout& g = state.gridLayout();
    const bool simple = state.viewport().settings().style == kStyleSimple;
    const BoardGeometry shown = state.display().displayedGeometry();
    const int cell = g.cell;
    if (cell <= 0)
        return;
    p.setFont(boardTextFont(coordinateGlyphHeight(cell)));
    p.setPen(state.viewport().settings().style == kStyleMarble ? Qt::white : Qt::black);
    const int textHeight = p.fontMetrics().height();
    // Each label names the game line that runs beside it, so it moves with its line.
    const int bottomY = simple ? g.gridBottom + cell / 2 + 2 : static_cast<int>(0.8 * cell + g.gridBottom + 2.0);
    for (int column = 0; column < shown.width(); ++column) {
        const QString text = QString::fromStdString(state.display().bottomCoordinate(column));
        const int x = g.gridLeft + column * cell;
        p.drawText(QRect(x - cell, bottomY, 2 * cell, textHeight), Qt::AlignHCenter | Qt::AlignTop, text);
    }
    const int rightX = simple ? g.gridRight + cell / 2 + 2 : static_cast<int>(0.8 * cell + g.gridRight + 5.0);
    for (int row = 0; row < shown.height(); ++row) {
        const QString text = QString::fromStdString(state.display().rightCoordinate(row));
        const int y = g.gridTop + row * cell;
        p.drawText(QRect(rightX, y - cell, 3 * cell, 2 * cell), Qt::AlignLeft | Qt::AlignVCenter, text);
    }
}

void BoardPainter::drawTraditionalBoard(QPainter& p, const BoardScreen& state) {
    const PixelRect board = state.boardRect();
    const QRect area = toQRect(board);
    // Tiles start at the board's top-left corner; those at the right and bottom are cut.
    p.setBrushOrigin(board.left, board.top);
    p.fillRect(area, QBrush(pictures_.woodTile()));
    p.setBrushOrigin(0, 0);
    if (!state.viewport().settings().showFrame)
        return;
    p.fillRect(QRect(board.left + 2, board.bottom, area.width(), 3), kShadowGrey);
    p.fillRect(QRect(board.right, board.top + 2, 3, area.height()), kShadowGrey);
}

void BoardPainter::drawGrid(QPainter& p, const BoardScreen& state) {
    const BoardLayout& g = state.gridLayout();
    const BoardGeometry shown = state.display().displayedGeometry();
    // One-pixel lines as filled rectangles: exact pixels, and the fastest way to draw them.
    for (int row = 0; row < shown.height(); ++row)
        p.fillRect(QRect(g.gridLeft, g.gridTop + row * g.cell, g.gridRight - g.gridLeft, 1), Qt::black);
    for (int column = 0; column < shown.width(); ++column)
        p.fillRect(QRect(g.gridLeft + column * g.cell, g.gridTop, 1, g.gridBottom + 1 - g.gridTop), Qt::black);
    if (shown.width() != shown.height())
        return;
    if (state.viewport().settings().emphasizeEdge) {
        const int left = g.gridLeft - 1, top = g.gridTop - 1, right = g.gridRight + 1, bottom = g.gridBottom + 1;
        p.fillRect(QRect(left, top, right - left + 1, 1), Qt::black);
        p.fillRect(QRect(left, bottom, right - left + 1, 1), Qt::black);
        p.fillRect(QRect(left, top, 1, bottom - top + 1), Qt::black);
        p.fillRect(QRect(right, top, 1, bottom - top + 1), Qt::black);
    }
    const int radius = state.starRadius();
    if (radius <= 0)
        return;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (int32_t star : state.display().starPoints()) {
        const int column = star % shown.width();
        const int row = star / shown.width();
        p.drawEllipse(QPointF(g.gridLeft + column * g.cell + 0.5, g.gridTop + row * g.cell + 0.5), radius, radius);
    }
    p.restore();
}

void BoardPainter::drawStones(QPainter& p, const BoardScreen& state) {
    const BoardGrid& position = state.display().position;
    const int size = state.cell() - 2;
    if (size <= 0)
        return;
    const bool pictures = state.viewport().settings().style != kStyleSimple;
    const QImage none;
    const auto& bytes = position.bytes();
    for (int32_t point = 0; point < static_cast<int32_t>(bytes.size()); ++point) {
        const int colour = bytes[point];
        if (colour != kBlack && colour != kWhite)
            continue;
        const auto rect = state.cellRect(point);
        if (!rect)
            continue;
        const int x = rect->left + 1;
        const int y = rect->top + 1;
        if (vector_) {
            p.setPen(QPen(Qt::black, 1));
            p.setBrush(colour == kBlack ? Qt::black : Qt::white);
            p.drawEllipse(QRectF(x + 0.5, y + 0.5, size - 1, size - 1));
            continue;
        }
        const QImage& picture = pictures ? pictures_.stone(colour, size) : none;
        p.drawImage(x, y, picture.isNull() ? circleStone(colour, size) : picture);
    }
}

const QImage& BoardPainter::circleStone(int colour, int size) {
    QImage& stone = circles_[{colour, size}];
    if (stone.isNull()) {
        stone = QImage(size, size, QImage::Format_ARGB32_Premultiplied);
        stone.fill(Qt::transparent);
        QPainter p(&stone);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(colour == kBlack ? Qt::black : Qt::white);
        p.drawEllipse(QRectF(0.5, 0.5, size - 1, size - 1));
    }
    return stone;
}

void BoardPainter::drawTexts(QPainter& p, const BoardScreen& state) {
    const int cell = state.cell();
    const BoardGrid& position = state.display().position;
    const int style = state.viewport().settings().style;
    const PixelRect board = state.boardRect();
    // Clearing the box under a label on an empty point keeps grid lines out of the text. The
    // box gets the board's own surface: on the wood style a flat colour would show as a patch.
    auto clearBox = [&](const QRect& box) {
        if (style == kStyleMarble) {
            p.setBrushOrigin(0, 0);
            if (pictures_.marbleBoard().isNull())
                p.fillRect(box, Qt::white);
            else
                p.fillRect(box, QBrush(pictures_.marbleBoard()));
        } else if (style == kStyleTraditional && !pictures_.woodTile().isNull()) {
            p.setBrushOrigin(board.left, board.top);
            p.fillRect(box, QBrush(pictures_.woodTile()));
        } else {
            p.fillRect(box, kBoardColour);
        }
        p.setBrushOrigin(0, 0);
    };
    auto drawOne = [&](int32_t point, uint32_t colour, const std::string& utf8, bool hint, bool fewGames) {
        const auto rect = state.cellRect(point);
        // Texts a label may not hold (empty, or over four bytes in GB18030 form) are not drawn.
        if (!rect || utf8.empty() || gbByteLength(utf8) > Label::kMaxLabelBytes)
            return;
        const QString text = QString::fromStdString(utf8);
        const int value = position.get(point);
        const bool onStone = value == kBlack || value == kWhite;
        const bool small = onStone || text.size() > 1;
        // On a stone the text keeps inside the stone; on an empty point inside the cell.
        QFont font = fittedBoardTextFont(labelGlyphHeight(cell, small, hint), text, onStone ? cell - 4 : cell);
        if (fewGames) {
            font.setWeight(QFont::ExtraLight);  // half the normal weight
            font.setUnderline(true);
        }
        p.setFont(font);
        const QRect cellBox = toQRect(*rect);
        if (!onStone)
            clearBox(p.boundingRect(cellBox, Qt::AlignCenter, text));
        p.setPen(colourOf(colour));
        p.drawText(cellBox, Qt::AlignCenter, text);
    };
    for (const auto* list : {&state.display().labels, &state.display().moveNumbers})
        for (const Label& label : *list)
            drawOne(label.point, label.colour, label.text, false, false);
    for (const HintMark& hint : state.display().hints)
        drawOne(hint.point, hint.colour, hint.text, true, hint.fewGames);
}

void BoardPainter::drawMarkup(QPainter& p, const BoardScreen& state) {
    const BoardGrid& position = state.display().position;
    p.save();
    for (const auto* list : {&state.display().marks, &state.display().noteMarks})
        for (const Mark& mark : *list) {
            const auto rect = state.cellRect(mark.point);
            if (!rect)
                continue;
            // The middle third of the cell.
            const int dx = rect->width() / 3;
            const int dy = rect->height() / 3;
            const QRect inner(rect->left + dx, rect->top + dy, rect->width() - 2 * dx, rect->height() - 2 * dy);
            const QColor contrast = position.get(mark.point) == kBlack ? Qt::white : Qt::black;
            switch (mark.kind) {
                case kViewCircle:
                    p.setRenderHint(QPainter::Antialiasing, true);
                    p.setPen(QPen(contrast, 1));
                    p.setBrush(kRed);
                    p.drawEllipse(QRectF(inner).adjusted(0.5, 0.5, -0.5, -0.5));
                    break;
                case kViewCross:
                    p.setRenderHint(QPainter::Antialiasing, true);
                    p.setPen(QPen(contrast, 2, Qt::SolidLine, Qt::FlatCap));
                    p.drawLine(QPointF(inner.left(), inner.top()),
                               QPointF(inner.left() + inner.width(), inner.top() + inner.height()));
                    p.drawLine(QPointF(inner.left(), inner.top() + inner.height()),
                               QPointF(inner.left() + inner.width(), inner.top()));
                    break;
                case kViewSquare:
                    p.fillRect(inner, contrast);
                    break;
                case kViewTriangle: {
                    p.setRenderHint(QPainter::Antialiasing, true);
                    p.setPen(QPen(contrast, 1));
                    p.setBrush(contrast);
                    const QPolygonF triangle({QPointF(inner.left() + inner.width() / 2.0, inner.top()),
                                              QPointF(inner.left(), inner.top() + inner.height()),
                                              QPointF(inner.left() + inner.width(), inner.top() + inner.height())});
                    p.drawPolygon(triangle);
                    break;
                }
                case kViewRedSquare:
                    p.fillRect(inner, kRed);
                    break;
                case kViewBlackSquare:
                    p.fillRect(inner, Qt::black);
                    break;
                case kViewWhiteSquare:
                    p.fillRect(inner, Qt::white);
                    break;
                default:
                    break;
            }
        }
    p.restore();
}

void BoardPainter::drawRegions(QPainter& p, const BoardScreen& state) {
    p.save();
    p.setBrush(Qt::NoBrush);
    for (const RegionRect& region : state.display().regions) {
        const auto first = state.cellRect(region.firstPoint);
        const auto second = state.cellRect(region.secondPoint);
        if (!first || !second)
            continue;
        QPen pen(colourOf(region.colour), std::clamp(region.penWidth, 0, 64), penStyleOf(region.penStyle));
        p.setPen(pen);
        p.drawRect(QRect(QPoint(first->left, first->top), QPoint(second->right, second->bottom)).normalized());
    }
    p.restore();
}

void BoardPainter::drawCursor(QPainter& p, const BoardScreen& state) {
    if (!state.display().cursorShown)
        return;
    const int32_t point = state.display().cursor;
    const auto rect = state.cellRect(point);
    if (!rect)
        return;
    // A mark or text already on the stone shows which it is; a ring would only cover it.
    auto at = [point](const auto& items) {
        return std::any_of(items.begin(), items.end(), [point](const auto& item) { return item.point == point; });
    };
    const BoardDisplay& display = state.display();
    const bool covered = at(display.marks) || at(display.labels) || at(display.moveNumbers) || at(display.hints);
    drawLastMoveMark(p, toQRect(*rect), display.position.get(point), !covered);
}

void BoardPainter::drawHighlight(QPainter& p, const BoardScreen& state) {
    // A sky-blue cell under each stone of the pattern, unlike any board colour: its corners
    // show around the stone, and the stones and marks drawn on top stay readable.
    const auto& bytes = state.display().highlight.bytes();
    for (int32_t point = 0; point < static_cast<int32_t>(bytes.size()); ++point)
        if (bytes[point] != 0)
            if (const auto rect = state.cellRect(point))
                p.fillRect(toQRect(*rect), QColor(30, 144, 255, 180));
}

void BoardPainter::drawMask(QPainter& p, const BoardScreen& state) {
    const BoardGrid& mask = state.display().mask;
    const QBrush hatch(hatch_);
    const auto& bytes = mask.bytes();
    for (int32_t point = 0; point < static_cast<int32_t>(bytes.size()); ++point) {
        if (bytes[point] != 0)
            continue;
        const auto rect = state.cellRect(point);
        if (!rect)
            continue;
        p.setBrushOrigin(rect->left, rect->top);  // the pattern starts at the cell's corner
        p.fillRect(toQRect(*rect), hatch);
    }
    p.setBrushOrigin(0, 0);
}

}  // namespace tessera
