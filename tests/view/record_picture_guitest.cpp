#include "view/record_picture.h"

#include <gtest/gtest.h>

#include "support/test_support.h"
#include "view/gui_application.h"

namespace tessera {
namespace {

// A 9 x 9 record: black C7, white G3 (with a circle on C3 and a label on E5), black C3.
GameRecord smallGame() {
    GameRecord record;
    record.info.boardWidth = record.info.boardHeight = 9;
    const BoardGeometry board(9, 9);
    GameNode root;
    root.fullSetup = 1;
    root.sideToMove = kBlack;
    record.tree.addNode(root);
    record.recomputePositions();
    GameNode* first = playMoveAtNode(record.tree, board, 0, {kBlack, board.pointAt(2, 2)});
    GameNode* second = playMoveAtNode(record.tree, board, first->id, {kWhite, board.pointAt(6, 6)});
    second->marks.push_back(Mark{kMarkCircle, board.pointAt(2, 6)});
    second->labels.push_back(Label{board.pointAt(4, 4), 0, "A"});
    playMoveAtNode(record.tree, board, second->id, {kBlack, board.pointAt(2, 6)});
    return record;
}

class RecordPictureTest : public ::testing::Test {
protected:
    void SetUp() override { test::ensureApplication(); }
    test::ScratchFolder folder;
    BoardPainter painter{BoardPictureFolders{folder.path().string() + "/", folder.path().string() + "/bin/"}};
};

TEST_F(RecordPictureTest, ShowsTheChosenNodeWithItsMarkup) {
    const GameRecord record = smallGame();
    QImage picture;
    std::string error;
    ASSERT_TRUE(renderRecordPicture(record, {2, kStyleSimple, 300, false, -1}, painter, picture, error)) << error;
    const BoardDisplay display(9, 9);
    BoardViewport viewport;
    viewport.applySettings(BoardViewSettings{kStyleSimple, false, true, false, 0});
    viewport.setClientSize(300, 300);
    const BoardScreen view(display, viewport);
    const BoardGeometry board(9, 9);
    auto centre = [&](int x, int y) {
        int px = 0, py = 0;
        view.intersectionOf(board.pointAt(x, y), px, py);
        return picture.pixel(px, py);
    };
    EXPECT_EQ(centre(2, 2), qRgb(0, 0, 0));
    EXPECT_EQ(centre(6, 6), qRgb(255, 255, 255));
    EXPECT_EQ(centre(2, 6), qRgb(255, 0, 0));  // the circle, no stone yet
    const PixelRect last = *view.cellRect(board.pointAt(6, 6));
    EXPECT_EQ(picture.pixel(last.left + 2, last.top), qRgb(0, 0, 255));

    // Without a move number: the end of the main line, where C3 holds a black stone.
    ASSERT_TRUE(renderRecordPicture(record, {}, painter, picture, error));
    EXPECT_EQ(picture.size(), QSize(600, 600));
    EXPECT_FALSE(renderRecordPicture(record, {4, kStyleSimple, 300, false, -1}, painter, picture, error));
    EXPECT_EQ(error, "the main line has only 3 moves");
    EXPECT_FALSE(renderRecordPicture(GameRecord(), {}, painter, picture, error));
}

}  // namespace
}  // namespace tessera
