// Speed of drawing the board: a full 19 x 19 position with move numbers, markup, hints, a
// region and a few masked points, painted into a 1000 x 1000 image in each style.
// Target: below 5 ms a paint.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>

#include <QGuiApplication>
#include <QImage>

#include "view/board_painter.h"

namespace tessera {
namespace {

// Fonts need a QGuiApplication; the offscreen platform serves when there is no display.
void ensureGuiApplication() {
    if (QGuiApplication::instance())
        return;
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_board_paint";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

BoardDisplay busyDisplay() {
    BoardDisplay display;
    const BoardGeometry board(19, 19);
    BoardGrid& position = display.position;
    uint32_t state = 7;
    for (int32_t p = 0; p < position.area(); ++p) {
        state = state * 1103515245u + 12345u;
        const int roll = (state >> 16) % 3;
        position.set(p, roll == 0 ? kEmpty : roll == 1 ? kBlack : kWhite);
    }
    // Move numbers on the latest fifty stones, as the room shows them.
    PointList stones;
    position.stones(stones);
    for (int i = 0; i < 50 && i < static_cast<int>(stones.size()); ++i) {
        const int32_t p = stones[stones.size() - 1 - i];
        display.moveNumbers.push_back(Label{p, position.get(p) == kBlack ? 0xFFFFFFu : 0u, std::to_string(250 - i)});
    }
    PointList empty;
    position.pointsWithValue(kEmpty, empty);
    for (int i = 0; i < 20 && i < static_cast<int>(empty.size()); ++i)
        display.hints.push_back(HintMark{empty[i], 0x0000FF, std::to_string(5 * i) + "%", i % 3 == 0});
    for (int i = 20; i < 26 && i < static_cast<int>(empty.size()); ++i)
        display.labels.push_back(Label{empty[i], kLabelBlue, std::string(1, static_cast<char>('a' + i - 20))});
    for (int kind = 0; kind <= 6; ++kind)
        display.marks.push_back(Mark{static_cast<int16_t>(kind), board.pointAt(2 + kind * 2, 16)});
    display.regions.push_back(RegionRect{board.pointAt(0, 0), board.pointAt(6, 6), 0x0000FF, 2, 0});
    display.cursor = stones.back();
    for (int x = 14; x < 19; ++x)
        display.mask.set(board.pointAt(x, 0), 0);
    return display;
}

void paintFullBoard(benchmark::State& run) {
    ensureGuiApplication();
    const BoardDisplay display = busyDisplay();
    BoardViewport viewport;
    viewport.applySettings(BoardViewSettings{static_cast<int>(run.range(0)), true, true, true, 20});
    viewport.setClientSize(1000, 1000);
    BoardPainter painter;
    QImage image;
    painter.paint(display, viewport, image);  // pictures and sized stones are prepared once, outside the loop
    for (auto _ : run) {
        painter.paint(display, viewport, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(paintFullBoard)->Arg(kStyleTraditional)->Arg(kStyleMarble)->Arg(kStyleSimple)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessera
