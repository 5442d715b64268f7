// Start-up of the desktop program against a scratch installation (root with the shipped
// defaults, program folder bin/).

#include <gtest/gtest.h>

#include <cstdlib>

#include <QCoreApplication>
#include <QDir>
#include <QMessageBox>
#include <QTabBar>
#include <QToolBar>

#include "app/language_choice.h"
#include "desktop_fixture.h"
#include "platform/failure_reason.h"
#include "platform/ui_text.h"
#include "room/ui/main_window.h"
#include "room/ui/room_window.h"
#include "support/gui_test_support.h"
#include "support/test_support.h"

namespace tessera {
namespace {

class StartupTest : public test::DesktopFixture {
protected:
    void shipDefaults(const std::string& lang, const std::string& rule, const std::string& vantor) {
        test::writeBytes(scratch / "lang.ini", lang);
        test::writeBytes(scratch / "rule.ini", rule);
        test::writeBytes(scratch / "vantor.ini", vantor);
    }
    // The translations the build made, copied into the scratch program folder.
    void shipTranslations() {
        const QString built = QCoreApplication::applicationDirPath() + "/../dist/bin/translations";
        std::filesystem::copy(built.toStdString(), scratch / "bin/translations",
                              std::filesystem::copy_options::recursive);
    }
};

TEST_F(StartupTest, EmptyCustomFolderGetsTheShippedFilesBeforeAnyValueIsRead) {
    std::filesystem::create_directories(scratch / "custom");
    const std::string lang = "[SETTING]\nLANG=10001\n";
    const std::string rule = "; shipped\n[SETTING]\nRULETYPE=1\nKOMI=3.75\n";
    const std::string vantor = "[SETTING]\nStoneDelay=1234\n[BOARD]\nBoardStyle=2\n";
    shipDefaults(lang, rule, vantor);
    auto desktop = start();
    EXPECT_EQ(test::readBytes(scratch / "custom/lang.ini"), lang);
    EXPECT_EQ(test::readBytes(scratch / "custom/rule.ini"), rule);
    EXPECT_EQ(test::readBytes(scratch / "custom/vantor.ini"), vantor);
    // The values are those of the copies: read after they were made.
    EXPECT_EQ(desktop->language(), kLanguageSimplifiedChinese);
    EXPECT_EQ(desktop->settings().ruleType, 1);
    EXPECT_DOUBLE_EQ(desktop->settings().komi, 3.75);
    EXPECT_EQ(desktop->settings().stoneDelay, 1234);
    EXPECT_EQ(desktop->settings().boardStyle, 2);
    // One empty room.
    ASSERT_NE(desktop->mainWindow(), nullptr);
    EXPECT_EQ(desktop->mainWindow()->roomCount(), 1);
    EXPECT_EQ(desktop->mainWindow()->roomTabs()->tabText(0), "棋室 100");
}

TEST_F(StartupTest, ExistingCustomFilesAreKept) {
    shipDefaults("[SETTING]\nLANG=10001\n", "[SETTING]\nRULETYPE=1\n", "");
    test::writeBytes(scratch / "custom/rule.ini", "[SETTING]\nRULETYPE=3\n");
    auto desktop = start();
    EXPECT_EQ(test::readBytes(scratch / "custom/rule.ini"), "[SETTING]\nRULETYPE=3\n");
    EXPECT_EQ(desktop->settings().ruleType, 3);
}

TEST_F(StartupTest, EnglishWithoutDictionaryStartsTranslated) {
    shipDefaults("[SETTING]\nLANG=10000\n", "", "");
    shipTranslations();
    ASSERT_FALSE(std::filesystem::exists(scratch / "bin/dic.db"));
    auto desktop = start();
    EXPECT_EQ(desktop->language(), kLanguageEnglish);
    EXPECT_TRUE(desktop->translationLoaded());
    EXPECT_FALSE(desktop->dictionaryLoaded());
    ASSERT_NE(desktop->mainWindow(), nullptr);
    EXPECT_EQ(desktop->mainWindow()->roomTabs()->tabText(0), "Room 100");
    // The window-free code translates through the same translation.
    EXPECT_EQ(uiText("tessera::MainWindow", "棋室"), "Room");
    // Reasons of failures are stated in English below the window: an English interface shows them whole.
    EXPECT_EQ(userFailureReason("cannot open a.sgf: no such file"), "cannot open a.sgf: no such file");
    desktop->shutDown();
    EXPECT_EQ(uiText("tessera::MainWindow", "棋室"), "棋室");
    // A Chinese interface never shows an English phrase: the kind of failure, else the log.
    EXPECT_EQ(userFailureReason("cannot write b.sgg: Permission denied"), "没有访问权限");
    EXPECT_EQ(userFailureReason("chunk 3 of the object at offset 9 is cut"),
              "数据有误, 无法处理 (详细原因已写入日志 log.txt)");
}

TEST_F(StartupTest, TraditionalChineseComesFromTheConvertedTranslation) {
    shipDefaults("[SETTING]\nLANG=10002\n", "", "");
    shipTranslations();
    auto desktop = start();
    EXPECT_EQ(desktop->language(), kLanguageTraditionalChinese);
    EXPECT_TRUE(desktop->translationLoaded());
    EXPECT_EQ(desktop->mainWindow()->roomTabs()->tabText(0), "棋室 100");
    EXPECT_EQ(uiText("tessera::MainWindow", "关闭所有窗口"), "關閉所有視窗");
    EXPECT_EQ(userFailureReason("cannot open a.sgf: No such file or directory"), "檔案不存在");
}

TEST_F(StartupTest, EveryToolButtonShowsInA1280By720WindowInEachLanguage) {
    shipTranslations();
    for (const char* lang : {"10001", "10000", "10002"}) {
        shipDefaults(std::string("[SETTING]\nLANG=") + lang + "\n", "", "");
        std::filesystem::remove_all(scratch / "custom");
        auto desktop = start();
        MainWindow* window = desktop->mainWindow();
        ASSERT_NE(window, nullptr);
        window->resize(1280, 720);
        window->show();
        test::processEvents();
        // A button that does not fit is hidden behind the bar's extension arrow.
        for (QToolBar* bar : window->findChildren<QToolBar*>())
            for (QAction* action : bar->isHidden() ? QList<QAction*>() : bar->actions()) {
                const QWidget* button = bar->widgetForAction(action);
                EXPECT_TRUE(action->isSeparator() || !action->isVisible() || (button && button->isVisible()))
                    << lang << ": " << action->text().toStdString();
            }
        if (std::string(lang) == "10000") {
            // The tool button is short; its tool tip keeps the menu's words.
            QAction* match = test::findAction(window, "Play Against the Computer...");
            ASSERT_NE(match, nullptr);
            EXPECT_EQ(match->iconText(), "Play");
            EXPECT_EQ(match->toolTip(), "Play Against the Computer");
        }
        if (const char* shots = std::getenv("TESSERA_SHOTS_DIR"))  // for a person to look at
            window->grab().save(QString("%1/window-1280x720-%2.png").arg(shots, lang));
        desktop->shutDown();
    }
}

TEST_F(StartupTest, RecordsOnTheCommandLineOpenInRoom100ThenInRoomsOfTheirOwn) {
    TESSERA_REQUIRE_SHARED();
    const auto games = test::corpusFiles({"pro"});
    ASSERT_GE(games.size(), 2u);
    shipDefaults("[SETTING]\nLANG=10001\n", "", "");
    StartupOptions options;
    options.files = {QString::fromStdString(games[0].string()), QString::fromStdString(games[1].string())};
    options.goToMove = 30;
    auto desktop = start(options);
    MainWindow* window = desktop->mainWindow();
    ASSERT_EQ(window->roomCount(), 2);  // the first record in the empty room 100
    EXPECT_EQ(window->roomTabs()->tabText(1), "棋室 101");
    for (int i = 0; i < 2; ++i) {
        const GameRoom& room = window->rooms()[static_cast<std::size_t>(i)]->room();
        EXPECT_EQ(room.filePath(), games[static_cast<std::size_t>(i)]);
        ASSERT_NE(room.currentNode(), nullptr);
        EXPECT_TRUE(room.currentNode()->move.isStoneMove());
        EXPECT_GT(room.record().tree.size(), 30u);
    }
}

TEST_F(StartupTest, ALanguageChoiceThatCannotBeSavedSaysSo) {
    shipDefaults("[SETTING]\nLANG=10001\n", "", "");
    auto desktop = start();
    // A folder where the file should be: no write can replace it, whatever the user's rights.
    std::filesystem::remove(scratch / "custom/lang.ini");
    std::filesystem::create_directory(scratch / "custom/lang.ini");
    test::MessageCatcher messages;
    emit desktop->mainWindow()->languageMenuChosen(kLangValueEnglishMenu);
    ASSERT_EQ(messages.texts.size(), 1);
    EXPECT_TRUE(messages.texts[0].contains("lang.ini")) << messages.texts[0].toStdString();
    EXPECT_FALSE(messages.texts[0].contains("重启")) << messages.texts[0].toStdString();
}

TEST_F(StartupTest, NothingShippedStillStartsOnBuiltInDefaults) {
    auto desktop = start();
    EXPECT_EQ(desktop->settings().ruleType, 2);
    EXPECT_DOUBLE_EQ(desktop->settings().komi, 6.5);
    EXPECT_EQ(desktop->mainWindow()->roomCount(), 1);
}

TEST_F(StartupTest, TheLogBeginsWithTheProgramAndEveryWindowShowsTheIcon) {
    auto desktop = start();
    const auto log = scratch / "bin/log.txt";
    EXPECT_NE(test::readBytes(log).find("started"), std::string::npos);
    // No icon files in this installation: the drawn icon stands in, on the main window and
    // on any dialog alike.
    EXPECT_FALSE(desktop->mainWindow()->windowIcon().isNull());
    QMessageBox box;
    EXPECT_FALSE(box.windowIcon().isNull());
    desktop->shutDown();
    EXPECT_NE(test::readBytes(log).find("stopped"), std::string::npos);
}

}  // namespace
}  // namespace tessera
