#include "view/ui/board_widget.h"

#include <vector>

#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

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
        state.applySettings(simple);
        widget = std::make_unique<BoardWidget>(&state, nullptr, BoardPictureFolders{folder.path().string() + "/", ""});
        widget->resize(400, 400);  // cell 20, first line at 20
        widget->show();
        widget->onPointChosen = [this](int32_t p) { chosen.push_back(p); };
        widget->onRectangleSelected = [this] { ++rectangles; };
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
    BoardViewState state;
    std::unique_ptr<BoardWidget> widget;
    std::vector<int32_t> chosen;
    int rectangles = 0;
    int menus = 0;
};

TEST_F(BoardWidgetTest, ClicksArePostedAsGamePoints) {
    ASSERT_EQ(state.cell(), 20);
    press(Qt::LeftButton, QPoint(30, 20));
    EXPECT_TRUE(chosen.empty());  // posted, not sent from inside the event
    deliverPosted();
    EXPECT_EQ(chosen, std::vector<int32_t>{1});
    state.setTransformCode(0);  // flipped left-right: the displayed first column is game column 18
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
    state.setRectSelect(true);
    press(Qt::LeftButton, QPoint(300, 280));
    move(QPoint(200, 200));
    EXPECT_TRUE(state.dragging());
    // The band shows inverted on the window while the board image stays clean.
    const QImage during = widget->grab().toImage();
    const QRgb boardPixel = widget->boardImage().pixel(250, 200);
    EXPECT_NE(during.pixel(250, 200), boardPixel);
    release(QPoint(100, 90));
    EXPECT_EQ(rectangles, 0);
    deliverPosted();
    EXPECT_EQ(rectangles, 1);
    EXPECT_TRUE(chosen.empty());
    EXPECT_EQ(state.rubberBand(), (PixelRect{100, 90, 300, 280}));
    const QImage after = widget->grab().toImage();
    EXPECT_EQ(after.pixel(250, 200), widget->boardImage().pixel(250, 200));
}

TEST_F(BoardWidgetTest, KeysMoveTheCursorAndEnterChoosesIt) {
    const BoardGeometry board(19, 19);
    state.setCursor(board.pointAt(1, 4));
    key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(state.cursor(), board.pointAt(18, 4));
    key(Qt::Key_Left, Qt::ControlModifier);
    key(Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(state.cursor(), board.pointAt(12, 4));
    key(Qt::Key_Down);
    key(Qt::Key_Right);
    EXPECT_EQ(state.cursor(), board.pointAt(13, 5));
    key(Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(state.cursor(), board.pointAt(13, 2));
    key(Qt::Key_Return);
    deliverPosted();
    EXPECT_EQ(chosen, std::vector<int32_t>{board.pointAt(13, 2)});
    state.setCursor(-1);
    key(Qt::Key_Enter);
    deliverPosted();
    EXPECT_EQ(chosen.size(), 1u);
}

TEST_F(BoardWidgetTest, PaintsTheStateThroughTheOffscreenImage) {
    BoardGrid position(19, 19);
    position.set(0, kBlack);
    state.setPosition(position);
    const QImage shown = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(widget->boardImage().size(), QSize(400, 400));
    EXPECT_EQ(shown.pixel(24, 24), qRgb(0, 0, 0));  // inside the black stone at the first intersection
    EXPECT_EQ(shown, widget->boardImage());
    state.setPosition(BoardGrid(19, 19));  // a change repaints
    EXPECT_NE(widget->grab().toImage().convertToFormat(QImage::Format_RGB32).pixel(24, 24), qRgb(0, 0, 0));
}

}  // namespace
}  // namespace tessera
