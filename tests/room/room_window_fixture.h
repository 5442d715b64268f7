#pragma once
// A main window on the offscreen platform with one empty room, driven through its board.

#include <gtest/gtest.h>

#include "room/ui/desktop_defaults.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "support/gui_test_support.h"
#include "view/ui/board_widget.h"

namespace tessera::test {

class RoomWindowFixture : public ::testing::Test {
protected:
    RoomWindowFixture() {
        guiApplication();
        defaults.board.style = kStyleSimple;
        defaults.stoneSound = false;
        window = std::make_unique<MainWindow>(defaults);
        window->resize(1100, 800);
        window->show();
        room = window->newRoom();
        processEvents();
    }

    int boardWidth() const { return room->room().record().info.boardWidth; }
    int32_t point(int x, int y) const { return y * boardWidth() + x; }
    // The client pixel of game point (x, y) as the board lays it out.
    QPoint pixelOf(int x, int y) const {
        int px = 0, py = 0;
        EXPECT_TRUE(room->board()->screen().intersectionOf(point(x, y), px, py));
        return QPoint(px, py);
    }
    void click(int x, int y) { leftClick(room->board(), pixelOf(x, y)); }
    const GameNode& current() const {
        const GameNode* node = room->room().currentNode();
        EXPECT_NE(node, nullptr);
        return *node;
    }

    DesktopDefaults defaults;
    std::unique_ptr<MainWindow> window;
    RoomWindow* room = nullptr;
};

}  // namespace tessera::test
