// The room's dialogs: rules and game information.

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTranslator>

#include "record/ui/game_info_dialog.h"
#include "room/ui/rules_dialog.h"
#include "support/gui_test_support.h"

namespace tessera {
namespace {

TEST(RulesDialog, KomiLabelFollowsTheRuleTypeAndTheIndexGivesTheType) {
    test::guiApplication();
    RulesDialog dialog(RuleSettings{kRulesJapanese, 6.5});
    EXPECT_EQ(dialog.rules(), (RuleSettings{kRulesJapanese, 6.5}));
    EXPECT_EQ(dialog.komiLabel(), "贴目数:");
    dialog.ruleBox()->setCurrentIndex(0);
    EXPECT_EQ(dialog.rules(), (RuleSettings{kRulesChinese, 6.5}));
    EXPECT_EQ(dialog.komiLabel(), "贴子数:");
    EXPECT_FALSE(dialog.saveAsDefault());
    RulesDialog ing(RuleSettings{kRulesIng, 8});  // Ing rules are not offered: the first entry is preselected
    EXPECT_EQ(ing.rules().ruleType, kRulesChinese);
}

TEST(GameInfoDialog, EditsEveryPageAndKeepsWhatItDoesNotShow) {
    test::guiApplication();
    GameInfo info;
    info.libraryId = 42;
    info.blackName = "李世石";
    info.whiteName = "AlphaGo";
    info.komi = 7.5;
    info.ruleType = 1;
    info.resultType = 2;
    GameInfoDialog dialog(info);
    EXPECT_EQ(dialog.pages()->count(), 5);
    EXPECT_EQ(dialog.info(), info);  // nothing changed, nothing lost
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (edit->text() == "李世石")
            edit->setText("  Lee Sedol ");
    }
    GameInfo edited = dialog.info();
    EXPECT_EQ(edited.blackName, "Lee Sedol");
    EXPECT_EQ(edited.whiteName, "AlphaGo");
    EXPECT_EQ(edited.libraryId, 42);
    EXPECT_DOUBLE_EQ(edited.komi, 7.5);
    EXPECT_EQ(edited.resultType, 2);
}

TEST(GameInfoDialog, TabLabelsAreNamesOfPagesInEveryLanguage) {
    test::guiApplication();
    const QString folder = QCoreApplication::applicationDirPath() + "/../dist/bin/translations/";
    for (const char* file : {"", "tessera_en.qm", "tessera_zh_TW.qm"}) {
        QTranslator translator;
        if (*file) {
            ASSERT_TRUE(translator.load(folder + file)) << file;
            QCoreApplication::installTranslator(&translator);
        }
        GameInfoDialog dialog(GameInfo{});
        QStringList labels;
        for (int i = 0; i < dialog.pages()->count(); ++i)
            labels << dialog.pages()->tabText(i);
        if (*file)
            QCoreApplication::removeTranslator(&translator);
        for (const QString& label : labels) {
            EXPECT_FALSE(label.contains('.') || label.contains(QChar(0x2026)) || label.contains(QChar(0x3002)))
                << file << ": " << label.toStdString();
        }
        if (QString(file) == "tessera_en.qm") {
            EXPECT_EQ(labels, (QStringList{"Record", "Event", "Rules", "Players", "Result"}));
        }
    }
}

TEST(GameInfoDialog, ANegativeBoardSizeKeepsTheDialogOpen) {
    test::guiApplication();
    GameInfoDialog dialog(GameInfo{});
    dialog.show();
    QSpinBox* width = nullptr;  // the board width field: the first spin box showing 19
    for (QSpinBox* box : dialog.findChildren<QSpinBox*>())
        if (width == nullptr && box->value() == 19)
            width = box;
    ASSERT_NE(width, nullptr);
    width->setValue(-1);
    test::MessageCatcher messages;
    dialog.accept();
    EXPECT_EQ(messages.texts, QStringList{"错误的棋盘尺寸"});
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_TRUE(dialog.isVisible());
    width->setValue(13);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(dialog.info().boardWidth == 13 || dialog.info().boardHeight == 13);
}

}  // namespace
}  // namespace tessera
