// A game against the real GNU Go in the real window: the settings dialog, clicks on the
// board, the engine's answers, pass, resignation, the result and saving the game.

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QSpinBox>
#include <QTimer>

#include "engine/ui/match_setup_dialog.h"
#include "platform/process_channel.h"
#include "record/record_file.h"
#include "room/room_commands.h"
#include "room_window_fixture.h"
#include "support/test_support.h"

namespace tessera {
namespace {

class RoomMatchTest : public test::RoomWindowFixture {
protected:
    size_t nodes() const { return room->room().record().tree.size(); }
    bool enabled(RoomCommandId id) const { return findRoomCommand(id)->enabled(room->room()); }
    test::MessageCatcher messages;  // read and confirmed as they appear
};

TEST_F(RoomMatchTest, APersonPlaysGnuGoFromTheDialogToAResignation) {
    if (findProgram("gnugo", {"/usr/games"}).empty())
        GTEST_SKIP() << "GNU Go is not installed";
    // "对弈" opens the dialog: the person takes black, GNU Go white, on 9 x 9.
    bool dialogSeen = false;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<MatchSetupDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialogSeen = true;
        EXPECT_EQ(dialog->windowTitle(), "游戏设置");
        MatchSetup setup = dialog->setup();
        EXPECT_EQ(setup.blackKind, kPlayerComputer);
        EXPECT_EQ(setup.blackEngine.command, "gnugo");
        EXPECT_DOUBLE_EQ(setup.komi, 3.75);
        dialog->swapSides();  // the person to black
        setup = dialog->setup();
        EXPECT_EQ(setup.blackKind, kPlayerHuman);
        EXPECT_EQ(setup.whiteName, "东方不败");
        dialog->findChild<QSpinBox*>("boardSize")->setValue(9);
        dialog->accept();
    });
    room->room().setRules({kRulesJapanese, 6.5});  // what the record shown before was counted under
    room->runCommand(RoomCommandId::Match);
    ASSERT_TRUE(dialogSeen);
    ASSERT_TRUE(test::processUntil([&] { return nodes() == 1 && room->room().record().info.boardWidth == 9; }));
    EXPECT_EQ(room->room().rules(), (RuleSettings{kRulesChinese, 3.75}));  // the game's own, from its start
    EXPECT_EQ(room->room().roomKind(), kRoomEngineGame);
    EXPECT_NE(room->room().title().find("对局进行中"), std::string::npos) << room->room().title();
    EXPECT_FALSE(enabled(RoomCommandId::Undo));  // no undo in a match
    EXPECT_TRUE(enabled(RoomCommandId::Resign));

    click(4, 4);  // E5; GNU Go answers
    ASSERT_TRUE(test::processUntil([&] { return nodes() == 3; })) << nodes();
    EXPECT_EQ(room->room().record().tree.find(1)->move.point, 4 * 9 + 4);
    EXPECT_EQ(room->room().currentNode()->move.colour, static_cast<uint32_t>(kWhite));
    click(4, 4);  // occupied: nothing happens
    ASSERT_TRUE(test::processUntil([&] { return enabled(RoomCommandId::Pass); }));
    room->runCommand(RoomCommandId::Pass);  // GNU Go plays on (or passes too, which ends the game)
    ASSERT_TRUE(
        test::processUntil([&] { return nodes() >= 4 && (enabled(RoomCommandId::Pass) || !messages.texts.empty()); }));
    if (messages.texts.empty()) {
        room->runCommand(RoomCommandId::Resign);
        ASSERT_TRUE(test::processUntil([&] { return !messages.texts.empty(); }));
        EXPECT_NE(messages.texts.front().toStdString().find("白中盘胜"), std::string::npos)
            << messages.texts.front().toStdString();
        EXPECT_EQ(room->room().record().info.resultText, "W+R");
    }
    EXPECT_NE(messages.texts.front().toStdString().find("游戏结束"), std::string::npos);
    EXPECT_NE(room->room().title().find("对局结束"), std::string::npos) << room->room().title();
    EXPECT_FALSE(enabled(RoomCommandId::Resign));
    EXPECT_EQ(room->room().record().info.whiteName, "东方不败");

    // The finished game saves like any record and opens again with its moves and result.
    test::ScratchFolder folder;
    QString error;
    ASSERT_TRUE(room->saveFile(QString::fromStdString((folder / "match.sgg").string()), error)) << error.toStdString();
    GameRecord saved;
    std::string readError;
    ASSERT_TRUE(loadRecordFile(folder / "match.sgg", saved, readError)) << readError;
    EXPECT_EQ(saved.tree.size(), nodes());
    EXPECT_EQ(saved.info.resultText, room->room().record().info.resultText);

    // A new game starts at once in the same room.
    room->runCommand(RoomCommandId::NewGame);
    EXPECT_EQ(room->room().roomKind(), kRoomStudy);
}

TEST_F(RoomMatchTest, TheDialogRefusesHandicapOnABoardWithoutPlaceForIt) {
    MatchSetupDialog dialog;
    dialog.findChild<QSpinBox*>("boardSize")->setValue(8);
    dialog.findChild<QSpinBox*>("handicap")->setValue(4);
    dialog.show();
    dialog.accept();
    test::processUntil([&] { return !messages.texts.empty(); });
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_EQ(messages.texts[0], "只有棋盘大小为9,11,13,15,17或19的时候才支持让子棋!");
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.findChild<QSpinBox*>("boardSize")->setValue(15);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    // The rule sets its komi.
    dialog.findChild<QComboBox*>("rule")->setCurrentIndex(1);
    EXPECT_DOUBLE_EQ(dialog.setup().komi, 6.5);
    EXPECT_EQ(dialog.setup().rule, kMatchJapaneseRules);
}

}  // namespace
}  // namespace tessera
