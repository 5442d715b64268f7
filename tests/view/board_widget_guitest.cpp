#include "view/ui/board_widget.h"

#include <vector>

#include <gtest/gtest.h>
#include <QKeyEvent>
#include <QMouseEvent>

#include "support/test_support.h"
#include "view/gui_application.h"

namespace tessera {
namespace {

class BoardWidgetTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ensureApplication();
        BoardViewSettings simple;
        simple.style = kStyleSimple;
        widget = std::make_unique<BoardWidget>(display, nullptr, BoardPictureFolders{folder.path().string() + "/", ""});
        widget->applySettings(simple);
        widget->resize(400, 400);  // cell 20, first line at 20
        widget->show();
        widget->onPointChosen = [this](int32_t p) { chosen.push_back(p); };
        widget->onRectangleSelected = [this](const PointList& points) { selected.push_back(points); };
        widget->onCursorStep = [this](int columns, int rows) { steps.emplace_back(columns, rows); };
        widget->onContextMenuRequested = [this](QPoint) { ++menus; };
    }
    void press(Qt::MouseButton button, QPoint at) {
        QMouseEvent event(QEvent::MouseButtonPress, at, widget->mapToGlobal(at), button, button, Qt::NoModifier);
        QCoreApplication::sendEvent(widget.get(), &event);
    }
    void move(QPoint at) {
        QMouseEvent event(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(widget.get(), &event);
    }
    void release(QPoint at) {
        QMouseEvent event(QEvent::MouseButtonRelease, at, widget->mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
                          Qt::NoModifier);
        QCoreApplication::sendEvent(widget.get(), &event);
    }
    void key(int code, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, code, modifiers);
        QCoreApplication::sendEvent(widget.get(), &event);
    }
    static void deliverPosted() { QCoreApplication::processEvents(); }

    test::ScratchFolder folder;
    BoardDisplay display;
    std::unique_ptr<BoardWidget> widget;
    std::vector<int32_t> chosen;
    std::vector<PointList> selected;
    std::vector<std::pair<int, int>> steps;
    int menus = 0;
};

TEST_F(BoardWidgetTest, ClicksArePostedAsGamePoints) {
    ASSERT_EQ(widget->screen().cell(), 20);
    press(Qt::LeftButton, QPoint(30, 20));
    EXPECT_TRUE(chosen.empty());  // posted, not sent from inside the event
    deliverPosted();
    EXPECT_EQ(chosen, std::vector<int32_t>{1});
    display.setTransformCode(0);  // flipped left-right: the displayed first column is game column 18
    press(Qt::LeftButton, QPoint(20, 20));
    press(Qt::LeftButton, QPoint(395, 20));  // off the board: nothing
    deliverPosted();
    EXPECT_EQ(chosen, (std::vector<int32_t>{1, 18}));
    press(Qt::RightButton, QPoint(200, 200));
    deliverPosted();
    EXPECT_EQ(menus, 1);
    EXPECT_EQ(chosen.size(), 2u);
}

TEST_F(BoardWidgetTest, RubberBandSelectsANormalisedRectangle) {
    display.rectSelect = true;
    press(Qt::LeftButton, QPoint(300, 280));
    move(QPoint(200, 200));
    EXPECT_TRUE(widget->viewport().dragging());
    // The band shows inverted on the window while the board image stays clean.
    const QImage during = widget->grab().toImage();
    const QRgb boardPixel = widget->boardImage().pixel(250, 200);
    EXPECT_NE(during.pixel(250, 200), boardPixel);
    release(QPoint(100, 90));
    EXPECT_TRUE(selected.empty());
    deliverPosted();
    EXPECT_TRUE(chosen.empty());
    ASSERT_EQ(selected.size(), 1u);
    EXPECT_EQ(widget->viewport().rubberBand(), (PixelRect{100, 90, 300, 280}));
    EXPECT_EQ(selected[0], widget->screen().pointsInside(PixelRect{100, 90, 300, 280}));
    EXPECT_EQ(selected[0].size(), 11u * 10u);  // columns 4..14, rows 4..13
    const QImage after = widget->grab().toImage();
    EXPECT_EQ(after.pixel(250, 200), widget->boardImage().pixel(250, 200));
}

TEST_F(BoardWidgetTest, KeysAskForCursorStepsAndEnterChoosesTheCursor) {
    const BoardGeometry board(19, 19);
    key(Qt::Key_Left, Qt::ControlModifier);
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{-3, 0}, {0, 1}, {1, 0}, {0, -3}}));
    EXPECT_EQ(display.cursor, -1);  // the widget never moves it itself
    display.cursor = board.pointAt(13, 2);
    key(Qt::Key_Return);
    deliverPosted();
    EXPECT_EQ(chosen, std::vector<int32_t>{board.pointAt(13, 2)});
    display.cursor = -1;
    key(Qt::Key_Enter);
    display.cursorShown = false;
    key(Qt::Key_Left);
    deliverPosted();
    EXPECT_EQ(chosen.size(), 1u);
    EXPECT_EQ(steps.size(), 4u);
}

TEST_F(BoardWidgetTest, PaintsTheDisplayThroughTheOffscreenImage) {
    BoardGrid position(19, 19);
    position.set(0, kBlack);
    display.position = position;
    widget->redraw();
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(widget->boardImage().size(), QSize(400, 400));
    EXPECT_EQ(shown.pixel(24, 24), qRgb(0, 0, 0));  // inside the black stone at the first intersection
    EXPECT_EQ(shown, widget->boardImage());
    display.position = BoardGrid(19, 19);
    widget->redraw();
    EXPECT_NE(widget->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(24, 24), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace tessera
