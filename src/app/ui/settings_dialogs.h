#pragma once
// The settings dialogs of the Settings menu: "系统设置" (the general values and the matrix-
// pattern flag), "棋盘属性设置" (the five board values, with apply, use defaults and cancel
// that restores), and the language dialog. Each edits values handed in and hands them back;
// the application decides what is stored where.

#include <QDialog>
#include <functional>

#include "app/settings.h"
#include "view/board_viewport.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QListWidget;
class QSlider;
class QSpinBox;

namespace tessera {

class SystemSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // values: the room's copy of the general values (the board and rule values are ignored).
    explicit SystemSettingsDialog(const DefaultSettings& values, QWidget* parent = nullptr);
    // The edited values (board and rule values as handed in).
    DefaultSettings values() const;
    // "保存为默认配置" is ticked.
    bool saveAsDefault() const;

private:
    DefaultSettings original_;
    QCheckBox* stoneSound_;
    QCheckBox* promptSound_;
    QSpinBox* stoneDelay_;
    QCheckBox* showKnowledge_;
    QCheckBox* showGlobalStats_;
    QCheckBox* showLocalStats_;
    QCheckBox* showMatrix_;
    QDoubleSpinBox* gfpPer_;
    QDoubleSpinBox* glpPer_;
    QCheckBox* showCue_;
    QCheckBox* showBranch_;
    QCheckBox* randomOrientation_;
    QCheckBox* saveDefault_;
};

class BoardPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    // roomValues: the room's board values; defaults: the default record's; apply: shows
    // values in the room at once (called by "应用" and, with the original values, on cancel).
    BoardPropertiesDialog(const BoardViewSettings& roomValues, const BoardViewSettings& defaults,
                          std::function<void(const BoardViewSettings&)> apply, QWidget* parent = nullptr);
    BoardViewSettings values() const;
    bool saveAsDefault() const;
    void reject() override;

private:
    void show(const BoardViewSettings& values);

    BoardViewSettings original_;
    BoardViewSettings defaults_;
    std::function<void(const BoardViewSettings&)> apply_;
    bool applied_ = false;
    QComboBox* style_;
    QCheckBox* showScale_;
    QCheckBox* showFrame_;
    QCheckBox* emphasize_;
    QSlider* light_;
    QLabel* lightValue_;
    QCheckBox* saveDefault_;
};

class LanguageDialog : public QDialog {
    Q_OBJECT
public:
    // current: the language index in use (0 English, 1 Simplified, 2 Traditional Chinese).
    explicit LanguageDialog(InterfaceLanguage current, QWidget* parent = nullptr);
    // The chosen language.
    InterfaceLanguage language() const;

private:
    QListWidget* list_;
};

// The values a BoardViewSettings holds, from and to the default record.
BoardViewSettings boardSettingsOf(const DefaultSettings& settings);
void storeBoardSettings(const BoardViewSettings& board, DefaultSettings& settings);

}  // namespace tessera
