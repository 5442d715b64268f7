// A room window on the offscreen platform, driven through real input events on the board.

#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextBrowser>
#include <QTimer>
#include <QTreeWidget>
#include <QWheelEvent>

#include <filesystem>
#include <set>

#include "record/record_file.h"
#include "room/room_commands.h"
#include "room/ui/board_picture_dialog.h"
#include "room/ui/node_dialog.h"
#include "room_window_fixture.h"
#include "support/test_support.h"
#include "view/ui/board_cursors.h"
#include "view/ui/board_widget.h"

namespace tessera {
namespace {

class RoomWindowTest : public test::RoomWindowFixture {
protected:
    // A left-button drag on the board from one pixel to another.
    void drag(QPoint from, QPoint to) {
        BoardWidget* board = room->board();
        const QPoint middle = (from + to) / 2;
        QMouseEvent press(QEvent::MouseButtonPress, from, board->mapToGlobal(from), Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent move(QEvent::MouseMove, middle, board->mapToGlobal(middle), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, to, board->mapToGlobal(to), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        for (QMouseEvent* event : {&press, &move, &release})
            QCoreApplication::sendEvent(board, event);
        test::processEvents();
    }
    void trigger(const QString& text) {
        QAction* action = test::findAction(window.get(), text);
        ASSERT_NE(action, nullptr) << text.toStdString();
        action->trigger();
        test::processEvents();
    }
    void wheel(int delta) {
        BoardWidget* board = room->board();
        const QPointF at(board->width() / 2.0, board->height() / 2.0);
        QWheelEvent event(at, board->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(board, &event);
        test::processEvents();
    }
};

TEST_F(RoomWindowTest, AClickOnTheBoardPlaysAStoneOnThatPoint) {
    ASSERT_GT(room->board()->screen().cell(), 0);
    click(3, 3);
    EXPECT_EQ(current().move.point, point(3, 3));
    EXPECT_EQ(current().move.colour, 1u);
    click(15, 16);
    EXPECT_EQ(current().move.point, point(15, 16));
    EXPECT_EQ(current().move.colour, 2u);
    // The board shows the stones where they were played, and the tree lists both moves.
    EXPECT_EQ(room->board()->display().position.get(point(3, 3)), 1);
    EXPECT_EQ(room->board()->display().position.get(point(15, 16)), 2);
    EXPECT_EQ(room->variationTreeWidget()->topLevelItemCount(), 3);
    // An occupied point is refused silently.
    const int32_t before = room->room().currentNodeId();
    click(3, 3);
    EXPECT_EQ(room->room().currentNodeId(), before);
}

TEST_F(RoomWindowTest, ADraggedBandMasksThePointsInsideItAndTheBoardShowsThem) {
    click(3, 3);
    trigger("掩码操作");
    trigger("选者矩形区域");
    ASSERT_TRUE(room->board()->display().rectSelect);
    // From beside C16 (2, 3) down-left to beside D15 (3, 4), dragged right to left.
    drag(pixelOf(3, 4) + QPoint(3, 3), pixelOf(2, 3) - QPoint(3, 3));
    const BoardGrid& mask = room->room().display().mask;
    EXPECT_EQ(mask.countValue(0), 4);
    for (auto [x, y] : {std::pair{2, 3}, {3, 3}, {2, 4}, {3, 4}})
        EXPECT_EQ(mask.get(point(x, y)), 0) << x << "," << y;
    EXPECT_EQ(current().maskPoints.size(), 361u - 4u);  // stored in the node
    // The widget draws the room's own value: the hatching shows on the masked points only.
    // (Row 0 of the hatch pattern is white at column 3.)
    const QImage shown = room->board()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto masked = room->board()->screen().cellRect(point(2, 3));
    const auto open = room->board()->screen().cellRect(point(10, 10));
    ASSERT_TRUE(masked && open);
    EXPECT_EQ(shown.pixel(masked->left + 3, masked->top), qRgb(255, 255, 255));
    EXPECT_NE(shown.pixel(open->left + 3, open->top), qRgb(255, 255, 255));
    // Dragging again over the same points shows them again.
    drag(pixelOf(2, 3) - QPoint(3, 3), pixelOf(3, 4) + QPoint(3, 3));
    EXPECT_TRUE(room->room().display().mask.allMarked());
}

TEST_F(RoomWindowTest, TheWheelStepsBackAndForward) {
    click(3, 3);
    click(4, 4);
    click(5, 5);
    const int32_t last = room->room().currentNodeId();
    wheel(120);
    wheel(120);
    EXPECT_EQ(current().move.point, point(3, 3));
    wheel(-120);
    EXPECT_EQ(current().move.point, point(4, 4));
    wheel(-240);  // two notches at once; the line ends after one
    EXPECT_EQ(room->room().currentNodeId(), last);
}

TEST_F(RoomWindowTest, CommandsFollowTheRoomAndTheTreeNavigates) {
    click(2, 2);
    click(3, 3);
    QAction* back = test::findAction(window.get(), "前一手");
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->isEnabled());
    back->trigger();
    test::processEvents();
    EXPECT_EQ(current().move.point, point(2, 2));
    room->runCommand(RoomCommandId::FirstMove);  // the root
    EXPECT_FALSE(back->isEnabled());
    // Clicking the tree item of the last move goes there.
    QTreeWidget* tree = room->variationTreeWidget();
    QTreeWidgetItem* lastItem = tree->topLevelItem(tree->topLevelItemCount() - 1);
    emit tree->itemClicked(lastItem, 0);
    EXPECT_EQ(current().move.point, point(3, 3));
    EXPECT_EQ(tree->currentItem(), lastItem);
}

TEST_F(RoomWindowTest, ContextMenuOffersTheInformationSwitchesAndTheBoardPicture) {
    std::unique_ptr<QMenu> menu(room->makeContextMenu());
    ASSERT_EQ(menu->actions().size(), 9);
    EXPECT_EQ(menu->actions()[0]->text(), "显示解说信息");
    EXPECT_TRUE(menu->actions()[4]->isSeparator());
    EXPECT_FALSE(menu->actions()[5]->isCheckable());
    const bool before = menu->actions()[0]->isChecked();
    menu->actions()[0]->trigger();
    EXPECT_EQ(room->room().infoPanels() & 1u, before ? 0u : 1u);
}

TEST_F(RoomWindowTest, TheBoardGoesToTheClipboardAndToPngAndSvgFiles) {
    click(3, 3);
    click(15, 15);
    click(9, 9);  // the last move's mark is not on the stones looked at
    room->runCommand(RoomCommandId::CopyBoardPicture);
    const QImage copied = QGuiApplication::clipboard()->image();
    ASSERT_FALSE(copied.isNull());
    EXPECT_EQ(copied.width(), std::min(room->board()->width(), room->board()->height()));

    BoardPictureDialog dialog(room->room(), room->boardSettings(), 300);
    test::ScratchFolder folder;
    QString error;
    for (const char* name : {"board.png", "board.SVG"}) {
        const QString file = QString::fromStdString((folder / name).string());
        ASSERT_TRUE(dialog.saveTo(file, error)) << error.toStdString();
        QImage picture;
        if (file.endsWith("png")) {
            ASSERT_TRUE(picture.load(file));
        } else {
            QSvgRenderer svg(file);
            ASSERT_TRUE(svg.isValid());
            picture = QImage(300, 300, QImage::Format_RGB32);
            QPainter painter(&picture);
            svg.render(&painter);
        }
        ASSERT_EQ(picture.size(), QSize(300, 300)) << name;
        // Black's stone and White's stone, wherever the layout puts them.
        BoardDisplay display = boardPictureDisplay(room->room(), false);
        BoardViewport viewport;
        viewport.applySettings(room->boardSettings());
        viewport.setClientSize(300, 300);
        const BoardScreen screen(display, viewport);
        int x = 0, y = 0;
        ASSERT_TRUE(screen.intersectionOf(point(3, 3), x, y));
        EXPECT_LT(qGray(picture.pixel(x + 2, y + 2)), 80) << name;
        ASSERT_TRUE(screen.intersectionOf(point(15, 15), x, y));
        EXPECT_GT(qGray(picture.pixel(x + 2, y + 2)), 180) << name;
    }
    EXPECT_FALSE(dialog.saveTo(QString::fromStdString((folder / "missing" / "board.png").string()), error));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(RoomWindowTest, EditsMarkTheRoomAndClosingAsksToSaveThem) {
    QMdiSubWindow* sub = nullptr;
    for (QMdiSubWindow* candidate : window->mdiArea()->subWindowList())
        if (candidate->widget() == room)
            sub = candidate;
    ASSERT_NE(sub, nullptr);
    EXPECT_FALSE(room->roomTitle().startsWith("*"));
    click(3, 3);
    EXPECT_TRUE(room->roomTitle().startsWith("*"));
    // The comment pane is the node's comment, typed in place.
    room->commentPane()->setPlainText("好棋");
    EXPECT_EQ(current().comment(), "好棋");
    int asked = 0;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    room->saveQuestion = [&] {
        ++asked;
        return answer;
    };
    window->close();  // quitting asks too, and a cancel keeps everything open
    test::processEvents();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(window->roomCount(), 1);

    test::ScratchFolder folder;
    const QString file = QString::fromStdString((folder / "game.sgf").string());
    QString error;
    ASSERT_TRUE(room->saveFile(file, error)) << error.toStdString();
    EXPECT_FALSE(room->roomTitle().startsWith("*"));
    room->commentPane()->setPlainText("好棋，但太缓");
    answer = QMessageBox::Save;  // saved into the room's own file, then closed
    sub->close();
    test::processEvents();
    EXPECT_EQ(asked, 2);
    EXPECT_EQ(window->roomCount(), 0);
    GameRecord saved;
    std::string reason;
    ASSERT_TRUE(loadRecordFile(file.toStdString(), saved, reason)) << reason;
    EXPECT_EQ(saved.tree.mainLine().back()->comment(), "好棋，但太缓");
}

TEST_F(RoomWindowTest, SavedSggReopensIdenticalInANewRoom) {
    click(3, 3);
    click(16, 15);
    click(2, 15);
    test::ScratchFolder folder;
    const QString file = QString::fromStdString((folder / "game.sgg").string());
    QString error;
    ASSERT_TRUE(room->saveFile(file, error)) << error.toStdString();
    EXPECT_TRUE(room->roomTitle().startsWith("game.sgg")) << room->roomTitle().toStdString();
    ASSERT_TRUE(window->openRecordFile(file));
    RoomWindow* reopened = window->activeRoom();
    ASSERT_NE(reopened, room);
    EXPECT_EQ(window->roomCount(), 2);
    const GameTree& a = room->room().record().tree;
    const GameTree& b = reopened->room().record().tree;
    ASSERT_EQ(a.size(), b.size());
    reopened->runCommand(RoomCommandId::LastMove);
    EXPECT_EQ(reopened->room().currentNode()->move.point, point(2, 15));
    EXPECT_EQ(reopened->room().currentNode()->position, room->room().currentNode()->position);
}

TEST_F(RoomWindowTest, ARecordWithFiftyThousandNestedVariationsOpensAndCloses) {
    // Every B[aa] has two children: the next level and a one-node side line. Under ASan a
    // recursive walk of the tree with a frame as small as one can write overflows the 8 MB
    // stack from about 43,000 levels on.
    constexpr int kLevels = 50'000;
    std::string text = "(;GM[1]SZ[5]";  // a small board keeps 100,001 positions cheap
    text.reserve(20 * kLevels);
    for (int i = 0; i < kLevels; ++i)
        text += "(;B[aa]";
    for (int i = 0; i < kLevels; ++i)
        text += "(;W[bb]))";
    text += ")";
    test::ScratchFolder folder;
    ASSERT_TRUE(test::writeBytes(folder / "deep.sgf", text));
    QString error;
    ASSERT_TRUE(room->openFile(QString::fromStdString((folder / "deep.sgf").string()), error)) << error.toStdString();
    EXPECT_EQ(room->room().record().tree.size(), 2u * kLevels + 1);
    EXPECT_GT(room->variationTreeWidget()->topLevelItemCount(), 0);
    // The deepest node is shown and selected in the tree.
    room->room().goLast();
    ASSERT_NE(room->variationTreeWidget()->currentItem(), nullptr);
    EXPECT_EQ(room->variationTreeWidget()->currentItem()->data(0, Qt::UserRole).toInt(), room->room().currentNodeId());
    test::processEvents();
    window.reset();  // the window and its items go without recursion
}

TEST_F(RoomWindowTest, TheBoardGoesWhileItsRoomWindowIsStillWhole) {
    // The board's destructor calls into the window's view state: it must run before the
    // window's members are destroyed, not from QWidget's destructor afterwards.
    QString typeAtBoardEnd;
    QObject::connect(room->board(), &QObject::destroyed,
                     [&, w = room] { typeAtBoardEnd = w->metaObject()->className(); });
    window.reset();
    EXPECT_EQ(typeAtBoardEnd, "tessera::RoomWindow");
}

TEST_F(RoomWindowTest, TheOutsideEditorsCopyIsPrivateAndGoesWithTheRoom) {
    test::ScratchFolder folder;
    defaults.programFolder = (folder / "bin").string() + "/";
    std::filesystem::create_directories(folder / "bin");
    click(3, 3);
    QString file, error;
    ASSERT_TRUE(room->writeExternalCopy(file, error)) << error.toStdString();
    const std::filesystem::path copy = file.toStdString();
    EXPECT_EQ(copy.parent_path(), folder / "bin/temp");
    EXPECT_EQ(std::filesystem::status(copy).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    EXPECT_NE(test::readBytes(copy).find(";B[dd]"), std::string::npos);
    // A second copy replaces the first; closing the room deletes it.
    QString second;
    ASSERT_TRUE(room->writeExternalCopy(second, error));
    EXPECT_NE(second, file);
    EXPECT_FALSE(std::filesystem::exists(copy));
    window.reset();
    EXPECT_FALSE(std::filesystem::exists(second.toStdString()));

    // A temp/ that is a symlink (another user's planted link) is never written through.
    std::filesystem::remove_all(folder / "bin/temp");
    std::filesystem::create_directories(folder / "elsewhere");
    std::filesystem::create_directory_symlink(folder / "elsewhere", folder / "bin/temp");
    window = std::make_unique<MainWindow>(defaults);
    room = window->newRoom();
    EXPECT_FALSE(room->writeExternalCopy(file, error));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "elsewhere"));
}

TEST_F(RoomWindowTest, TheBoardsContextMenuSetsTheNodesNameTagAndEvaluation) {
    click(3, 3);
    room->room().markSaved();
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<NodeDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->evaluationBox()->currentIndex(), 5);  // "形势两分" for a new node
        dialog->nameEdit()->setText("天元");
        dialog->tagBox()->setCurrentIndex(16);
        dialog->evaluationBox()->setCurrentIndex(3);
        dialog->accept();
    });
    std::unique_ptr<QMenu> menu(room->makeContextMenu());
    QAction* edit = menu->actions().back();
    ASSERT_EQ(edit->text(), "节点属性...");
    ASSERT_TRUE(edit->isEnabled());
    edit->trigger();
    test::processEvents();
    EXPECT_EQ(current().name, "天元");
    EXPECT_EQ(current().moveTag, 16u);
    EXPECT_DOUBLE_EQ(current().evaluation, 0.3);
    EXPECT_TRUE(room->roomTitle().startsWith("*"));
    EXPECT_EQ(room->variationTreeWidget()->currentItem()->text(0), "D16 天元( 1, 0.3, 16 )");
}

TEST_F(RoomWindowTest, TheMouseCursorOverTheBoardFollowsTheTool) {
    BoardWidget* board = room->board();
    auto hover = [&](QPoint at) {
        QMouseEvent move(QEvent::MouseMove, at, board->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(board, &move);
    };
    hover(pixelOf(9, 9));
    EXPECT_EQ(board->shownCursor(), 0);  // black to play
    EXPECT_EQ(board->cursor().shape(), Qt::BitmapCursor);
    click(9, 9);
    EXPECT_EQ(board->shownCursor(), 1);  // then white
    hover(QPoint(2, 2));                 // off the points: the arrow in play mode
    EXPECT_EQ(board->shownCursor(), -1);
    EXPECT_NE(board->cursor().shape(), Qt::BitmapCursor);
    const std::pair<const char*, int> tools[] = {
        {"添加黑子", 0}, {"添加白子", 1}, {"标记死子", 2}, {"掩码操作", 3},  {"添加文字", 5},     {"添加圆圈", 6},
        {"添加叉", 8},   {"添加方块", 7}, {"添加三角", 9}, {"删除标记", 10}, {"添加自由文字", 11}};
    for (const auto& [tool, index] : tools) {
        trigger(tool);
        EXPECT_EQ(board->shownCursor(), index) << tool;
    }
    trigger("掩码操作");
    trigger("选者矩形区域");
    EXPECT_EQ(board->shownCursor(), 4);
    std::set<QByteArray> pictures;  // twelve different pictures
    for (int index = 0; index < kBoardCursorCount; ++index) {
        const QImage picture = boardCursor(index).pixmap().toImage();
        pictures.insert(QByteArray(reinterpret_cast<const char*>(picture.constBits()), picture.sizeInBytes()));
    }
    EXPECT_EQ(pictures.size(), 12u);
}

TEST_F(RoomWindowTest, BrowsingAwayFromAModifiedLibraryRecordAsksFirst) {
    struct TwoRecords : RoomLibraryList {
        int size() const override { return 2; }
        bool load(int index, GameRecord& record, std::string&) override {
            record = GameRecord();
            record.info.gameName = index == 0 ? "first" : "second";
            GameNode root;
            root.id = 0;
            root.fullSetup = 1;
            root.position = BoardGrid(19, 19);
            record.tree.addNode(std::move(root));
            record.recomputePositions();
            return true;
        }
        int customStatus(int) const override { return -1; }
        bool setCustomStatus(int, int32_t, int) override { return false; }
    };
    std::string error;
    ASSERT_TRUE(room->room().openFromLibrary(std::make_shared<TwoRecords>(), 0, kRoomLibrary, error)) << error;
    click(3, 3);
    int asked = 0;
    QMessageBox::StandardButton answer = QMessageBox::Cancel;
    room->saveQuestion = [&] {
        ++asked;
        return answer;
    };
    trigger("下一个棋谱");
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(room->room().libraryIndex(), 0);  // cancelled: the move is still there
    EXPECT_EQ(room->room().record().tree.size(), 2u);
    // Auto replay at the record's end asks too; a cancel stops it rather than ask on every tick.
    room->room().startAutoReplay();
    room->room().onTimer(kAutoReplayTimer);
    EXPECT_EQ(asked, 2);
    EXPECT_FALSE(room->room().autoReplay());
    answer = QMessageBox::Discard;
    trigger("下一个棋谱");
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(room->room().record().info.gameName, "second");
    EXPECT_FALSE(room->roomTitle().startsWith("*"));
}

}  // namespace
}  // namespace tessera
