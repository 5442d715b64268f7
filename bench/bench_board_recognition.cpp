// Speed of reading a board picture: a 1000 x 1000 picture of a busy 19 x 19 position with
// coordinates, in each style, read with the grid found automatically (finding the grid and
// reading the stones), and with the plain tone rule over known corners.
// Target: below 100 ms a picture.

#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QGuiApplication>
#include <QImage>

#include "go/move.h"
#include "view/board_painter.h"
#include "view/board_picture_reader.h"
#include "view/tone_rule.h"

namespace tessera {
namespace {

// Fonts need a QGuiApplication; the offscreen platform serves when there is no display.
void ensureGuiApplication() {
    if (QGuiApplication::instance())
        return;
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "bench_board_recognition";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
}

// A 1000 x 1000 picture of about 240 stones, where its grid lies and what it shows.
PixelImage busyPicture(int style, ImageRect& corners, BoardGrid* shown = nullptr) {
    ensureGuiApplication();
    BoardViewport viewport;
    viewport.applySettings(BoardViewSettings{style, true, true, false, 0});
    viewport.setClientSize(1000, 1000);
    BoardDisplay display;
    BoardGrid& position = display.position;
    uint32_t state = 11;
    for (int32_t p = 0; p < 361; ++p) {
        state = state * 1103515245u + 12345u;
        const int roll = (state >> 16) % 3;
        position.set(p, roll == 0 ? 0 : roll == 1 ? kBlack : kWhite);
    }
    BoardPainter painter;
    const BoardLayout layout = BoardScreen(display, viewport).gridLayout();
    corners = {layout.gridLeft, layout.gridTop, layout.gridRight, layout.gridBottom};
    if (shown)
        *shown = position;
    return PixelImage::fromQImage(painter.render(display, viewport));
}

void BM_ReadPictureFindingTheGrid(benchmark::State& state) {
    ImageRect corners;
    BoardGrid shown;
    const PixelImage picture = busyPicture(static_cast<int>(state.range(0)), corners, &shown);
    BoardPictureReading reading;
    for (auto _ : state) {
        reading = readBoardPicture(picture);
        benchmark::DoNotOptimize(reading.position.bytes().data());
    }
    int wrong = 0;  // points read otherwise than drawn
    for (int32_t p = 0; p < 361; ++p)
        wrong += reading.position.width() != 19 || reading.position.get(p) != shown.get(p) ? 1 : 0;
    state.counters["stones"] = reading.position.countValue(kBlack) + reading.position.countValue(kWhite);
    state.counters["wrong"] = wrong;
}
BENCHMARK(BM_ReadPictureFindingTheGrid)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_PlainToneRule(benchmark::State& state) {
    ImageRect corners;
    const PixelImage picture = busyPicture(kStyleSimple, corners);
    BoardGrid grid(19, 19);
    for (auto _ : state) {
        recognizeBoard(picture, corners, grid);
        benchmark::DoNotOptimize(grid.bytes().data());
    }
}
BENCHMARK(BM_PlainToneRule)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessera
