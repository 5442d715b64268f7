// The board picture import from the room's menu on the offscreen platform: a JPEG of a board
// is opened in the dialog, its grid is found, the stones are read and the room shows them.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QTimer>

#include "go/move.h"
#include "room_window_fixture.h"
#include "support/test_support.h"
#include "view/board_painter.h"
#include "view/ui/board_widget.h"
#include "view/ui/corner_picker.h"
#include "view/ui/image_import_dialog.h"

namespace tessera {
namespace {

class ImageImportWindow : public test::RoomWindowFixture {};

TEST_F(ImageImportWindow, APictureOpenedInTheDialogBecomesTheRoomsPosition) {
    test::ScratchFolder folder;
    // The picture: a position drawn on wood with coordinates, saved as JPEG.
    BoardGrid position(19, 19);
    const char* stones = "X.O..XXO.O.X..O.XO.";
    for (int p = 0; p < 361; p += 7)
        position.set(p, stones[p % 19] == 'X' ? kBlack : stones[p % 19] == 'O' ? kWhite : 0);
    BoardViewport viewport;
    viewport.applySettings({kStyleTraditional, true, true, false, 0});
    viewport.setClientSize(700, 700);
    BoardDisplay display;
    display.position.copyFrom(position);
    BoardPainter painter{BoardPictureFolders{folder.path().string() + "/", folder.path().string() + "/bin/"}};
    const QString file = QString::fromStdString((folder / "board.jpg").string());
    ASSERT_TRUE(painter.render(display, viewport).save(file, "JPEG", 80));

    QAction* import = test::findAction(window.get(), "导入棋盘图象");
    ASSERT_NE(import, nullptr);
    EXPECT_TRUE(import->isEnabled());

    int linesFound = 0;
    bool converted = false;
    bool previewShown = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<ImageImportDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        dialog->loadFile(file);
        linesFound = dialog->gridFound().lines;
        EXPECT_TRUE(dialog->picker()->marks().usableSelection().has_value());
        converted = dialog->convert();
        previewShown = dialog->preview()->isVisible();
        dialog->findChildren<QComboBox*>().front()->setCurrentIndex(1);  // white to play
        dialog->accept();
    });
    import->trigger();
    test::processEvents();

    EXPECT_EQ(linesFound, 19);
    EXPECT_TRUE(converted);
    EXPECT_TRUE(previewShown);
    const GameNode* node = room->room().currentNode();
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->fullSetup, 1u);
    EXPECT_EQ(node->sideToMove, kWhite);
    EXPECT_TRUE(node->position.equals(position));
    EXPECT_TRUE(room->board()->display().position.equals(position));
}

TEST_F(ImageImportWindow, MarksAlternateAndOKWithoutAPictureKeepsTheDialogOpen) {
    ImageImportDialog dialog;
    CornerMarks& marks = dialog.picker()->marks();
    marks.leftClick(10, 10);
    marks.leftClick(100, 120);
    marks.leftClick(30, 20);  // replaces the first corner
    ASSERT_TRUE(marks.selection().has_value());
    EXPECT_EQ(*marks.selection(), (ImageRect{30, 20, 100, 120}));
    EXPECT_FALSE(dialog.convert());  // no picture
    dialog.accept();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_FALSE(dialog.position().isUsable());
    EXPECT_FALSE(dialog.loadFile("/nonexistent/board.png"));
    marks.clear();
    EXPECT_FALSE(marks.isSet(0));
    marks.setCorners({0, 0, 39, 300});
    EXPECT_FALSE(marks.usableSelection().has_value());  // 39 pixels wide: too narrow
}

}  // namespace
}  // namespace tessera
