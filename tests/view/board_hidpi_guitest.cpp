// The board on a screen scaled by two. The ctest entry BoardOnAScaledScreen runs this program
// with QT_SCALE_FACTOR=2; without a scaled screen the test skips.

#include <algorithm>
#include <cmath>
#include <vector>

#include <gtest/gtest.h>
#include <QMouseEvent>

#include "support/test_support.h"
#include "view/gui_application.h"
#include "view/ui/board_cursors.h"
#include "view/ui/board_widget.h"

namespace tessera {
namespace {

TEST(BoardOnAScaledScreen, PaintsAtDevicePixelsAndClicksLandOnTheClickedPoint) {
    test::ensureApplication();
    test::ScratchFolder folder;
    BoardDisplay display;
    const int32_t black = 3 * 19 + 3, white = 15 * 19 + 16;
    display.position.set(black, 1);
    display.position.set(white, 2);
    BoardWidget widget(display, nullptr, BoardPictureFolders{folder.path().string() + "/", ""});
    BoardViewSettings simple;
    simple.style = kStyleSimple;
    widget.applySettings(simple);
    widget.resize(300, 300);
    widget.show();
    if (qEnvironmentVariable("QT_SCALE_FACTOR") != "2")
        GTEST_SKIP() << "needs QT_SCALE_FACTOR=2 (the ctest entry BoardOnAScaledScreen sets it)";
    ASSERT_EQ(widget.devicePixelRatioF(), 2.0);

    // The buffer and the window hold device pixels one to one, with a cell twice the logical one.
    const QImage shown = widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), QSize(600, 600));
    EXPECT_EQ(widget.boardImage().size(), QSize(600, 600));
    EXPECT_EQ(shown, widget.boardImage().convertToFormat(QImage::Format_RGB32));
    const int cell = widget.screen().cell();
    EXPECT_GE(cell, 28);  // 300 logical pixels would give 14

    // Stones round and sharp: from the centre, the stone's edge lies at the same distance in
    // every direction, and the step from stone to board takes at most two pixels.
    for (const auto [p, stone] : {std::pair{black, qRgb(0, 0, 0)}, std::pair{white, qRgb(255, 255, 255)}}) {
        int cx = 0, cy = 0;
        ASSERT_TRUE(widget.screen().intersectionOf(p, cx, cy));
        std::vector<double> edges;
        auto near = [](QRgb a, QRgb b) {
            return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) < 40;
        };
        // Rays between the grid lines (which are as black as a black stone).
        for (int ray = 0; ray < 16; ++ray) {
            if (ray % 4 == 0)
                continue;
            const double angle = ray * M_PI / 8, dx = std::cos(angle), dy = std::sin(angle);
            auto at = [&](double r) {
                return shown.pixel(cx + static_cast<int>(std::lround(r * dx)),
                                   cy + static_cast<int>(std::lround(r * dy)));
            };
            double r = 2;
            while (r < cell && near(at(r), stone))
                r += 0.5;
            edges.push_back(r);
            int blend = 0;
            for (double q = r; q < r + 6; q += 1)
                blend += !near(at(q), stone) && !near(at(q), qRgb(255, 195, 101)) && !near(at(q), qRgb(0, 0, 0));
            EXPECT_LE(blend, 2) << "ray " << ray << " of point " << p;
        }
        const auto [low, high] = std::minmax_element(edges.begin(), edges.end());
        EXPECT_LE(*high - *low, 1.5) << "point " << p;
        EXPECT_GT(*low, cell * 0.4);
    }

    // A click at a logical position goes to the point drawn under it, also a quarter cell off.
    std::vector<int32_t> chosen;
    widget.onPointChosen = [&](int32_t p) { chosen.push_back(p); };
    const std::vector<int32_t> targets{0, black, 9 * 19 + 9, white, 360};
    for (const int32_t p : targets) {
        int x = 0, y = 0;
        ASSERT_TRUE(widget.screen().intersectionOf(p, x, y));
        const QPointF logical((x + cell / 4.0) / 2.0, (y - cell / 4.0) / 2.0);
        QMouseEvent press(QEvent::MouseButtonPress, logical, widget.mapToGlobal(logical), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&widget, &press);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(chosen, targets);

    // The tool cursors are drawn for the screen too.
    EXPECT_EQ(boardCursor(0, widget.devicePixelRatioF()).pixmap().size(), QSize(64, 64));
}

}  // namespace
}  // namespace tessera
