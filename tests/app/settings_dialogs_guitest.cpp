// The board properties dialog: values in and out, apply, use defaults and cancel.

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSlider>

#include <vector>

#include "app/ui/settings_dialogs.h"
#include "support/gui_test_support.h"

namespace tessera {
namespace {

QPushButton* button(QDialog& dialog, const QString& text) {
    for (QPushButton* candidate : dialog.findChildren<QPushButton*>())
        if (candidate->text() == text)
            return candidate;
    return nullptr;
}

TEST(BoardPropertiesDialog, ApplyShowsAtOnceAndCancelRestores) {
    test::guiApplication();
    BoardViewSettings room;
    room.style = kStyleMarble;
    room.light = -20;
    BoardViewSettings defaults;
    defaults.style = kStyleTraditional;
    defaults.light = 30;
    std::vector<BoardViewSettings> applied;
    BoardPropertiesDialog dialog(room, defaults, [&](const BoardViewSettings& values) { applied.push_back(values); });
    EXPECT_EQ(dialog.values(), room);
    EXPECT_EQ(dialog.findChild<QSlider*>()->value(), 108);  // the slider shows light + 128

    dialog.findChild<QComboBox*>()->setCurrentIndex(kStyleSimple);
    ASSERT_NE(button(dialog, "应用"), nullptr);
    button(dialog, "应用")->click();
    ASSERT_EQ(applied.size(), 1u);
    EXPECT_EQ(applied.back().style, kStyleSimple);

    button(dialog, "使用默认配置")->click();
    EXPECT_EQ(dialog.values(), defaults);

    dialog.reject();
    ASSERT_EQ(applied.size(), 2u);
    EXPECT_EQ(applied.back(), room);  // cancelling puts back what the room had
}

TEST(BoardPropertiesDialog, NamesTheStylesAndOffersTheBrightnessForMarbleOnly) {
    test::guiApplication();
    BoardViewSettings room;
    room.style = kStyleTraditional;
    BoardPropertiesDialog dialog(room, room, nullptr);
    auto* style = dialog.findChild<QComboBox*>();
    ASSERT_EQ(style->count(), 3);
    EXPECT_EQ(style->itemText(kStyleMarble), "Marble风格");
    EXPECT_EQ(style->itemText(kStyleSimple), "简朴风格");
    auto* light = dialog.findChild<QSlider*>();
    EXPECT_FALSE(light->isEnabled());  // as opened, on the traditional board
    for (const int chosen : {kStyleMarble, kStyleSimple, kStyleMarble}) {
        style->setCurrentIndex(chosen);
        EXPECT_EQ(light->isEnabled(), chosen == kStyleMarble);
    }
}

}  // namespace
}  // namespace tessera
