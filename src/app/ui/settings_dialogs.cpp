#include "app/ui/settings_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tessera {

namespace {

QCheckBox* checkBox(const QString& text, int value) {
    auto* box = new QCheckBox(text);
    box->setChecked(value != 0);
    return box;
}

QDoubleSpinBox* proportionBox(double value) {
    auto* box = new QDoubleSpinBox;
    box->setRange(kMinDisplayProportion, kMaxDisplayProportion);
    box->setDecimals(2);
    box->setSingleStep(0.01);
    box->setValue(value);
    return box;
}

}  // namespace

BoardViewSettings boardSettingsOf(const DefaultSettings& settings) {
    BoardViewSettings board;
    board.style = settings.boardStyle;
    board.showScale = settings.showScale != 0;
    board.showFrame = settings.showGraphBoardFrame != 0;
    board.emphasizeEdge = settings.emphasizeBoard != 0;
    board.light = settings.graphBoardLight;
    return board;
}

void storeBoardSettings(const BoardViewSettings& board, DefaultSettings& settings) {
    settings.boardStyle = board.style;
    settings.showScale = board.showScale ? 1 : 0;
    settings.showGraphBoardFrame = board.showFrame ? 1 : 0;
    settings.emphasizeBoard = board.emphasizeEdge ? 1 : 0;
    settings.graphBoardLight = board.light;
}

// ---- system settings --------------------------------------------------------------------------

SystemSettingsDialog::SystemSettingsDialog(const DefaultSettings& values, QWidget* parent)
    : QDialog(parent), original_(values) {
    setWindowTitle(tr("系统设置"));
    stoneSound_ = checkBox(tr("落子声"), values.stoneSound);
    promptSound_ = checkBox(tr("提示音"), values.promptSound);
    stoneDelay_ = new QSpinBox;
    stoneDelay_->setRange(10, 60000);
    stoneDelay_->setSingleStep(100);
    stoneDelay_->setSuffix(tr(" 毫秒"));
    stoneDelay_->setValue(values.stoneDelay);
    showKnowledge_ = checkBox(tr("显示全局知识库信息"), values.showGfpKnow);
    showGlobalStats_ = checkBox(tr("显示全局统计分析信息"), values.showGfpState);
    showLocalStats_ = checkBox(tr("显示局部统计分析信息"), values.showGlpState);
    showMatrix_ = checkBox(tr("显示矩阵模式匹配(*)"), values.showMatrixPatterns);
    gfpPer_ = proportionBox(values.gfpPer);
    glpPer_ = proportionBox(values.glpPer);
    showCue_ = checkBox(tr("训练时显示提示"), values.showCue);
    showBranch_ = checkBox(tr("训练时显示答案分枝"), values.showBranch);
    randomOrientation_ = checkBox(tr("练习题随机变换方向"), values.randCoor);
    saveDefault_ = new QCheckBox(tr("保存为默认配置"));

    auto* sound = new QGroupBox(tr("声音与打谱"));
    auto* soundForm = new QFormLayout(sound);
    soundForm->addRow(stoneSound_);
    soundForm->addRow(promptSound_);
    soundForm->addRow(tr("自动打谱间隔:"), stoneDelay_);
    auto* stats = new QGroupBox(tr("统计分析"));
    auto* statsForm = new QFormLayout(stats);
    statsForm->addRow(showKnowledge_);
    statsForm->addRow(showGlobalStats_);
    statsForm->addRow(showLocalStats_);
    statsForm->addRow(showMatrix_);
    statsForm->addRow(tr("全局统计显示比例:"), gfpPer_);
    statsForm->addRow(tr("局部统计显示比例:"), glpPer_);
    auto* training = new QGroupBox(tr("死活和官子训练"));
    auto* trainingForm = new QFormLayout(training);
    trainingForm->addRow(showCue_);
    trainingForm->addRow(showBranch_);
    trainingForm->addRow(randomOrientation_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sound);
    layout->addWidget(stats);
    layout->addWidget(training);
    layout->addWidget(saveDefault_);
    layout->addWidget(buttons);
}

DefaultSettings SystemSettingsDialog::values() const {
    DefaultSettings values = original_;
    values.stoneSound = stoneSound_->isChecked();
    values.promptSound = promptSound_->isChecked();
    values.stoneDelay = stoneDelay_->value();
    values.showGfpKnow = showKnowledge_->isChecked();
    values.showGfpState = showGlobalStats_->isChecked();
    values.showGlpState = showLocalStats_->isChecked();
    values.showMatrixPatterns = showMatrix_->isChecked();
    values.gfpPer = clampDisplayProportion(gfpPer_->value());
    values.glpPer = clampDisplayProportion(glpPer_->value());
    values.showCue = showCue_->isChecked();
    values.showBranch = showBranch_->isChecked();
    values.randCoor = randomOrientation_->isChecked();
    return values;
}

bool SystemSettingsDialog::saveAsDefault() const { return saveDefault_->isChecked(); }

// ---- board properties -------------------------------------------------------------------------

BoardPropertiesDialog::BoardPropertiesDialog(const BoardViewSettings& roomValues, const BoardViewSettings& defaults,
                                             std::function<void(const BoardViewSettings&)> apply, QWidget* parent)
    : QDialog(parent), original_(roomValues), defaults_(defaults), apply_(std::move(apply)) {
    setWindowTitle(tr("棋盘属性设置"));
    style_ = new QComboBox;
    style_->addItems({tr("传统显示风格"), tr("Marble风格"), tr("简朴风格")});
    showScale_ = new QCheckBox(tr("显示坐标"));
    showFrame_ = new QCheckBox(tr("显示棋盘边框"));
    emphasize_ = new QCheckBox(tr("加粗棋盘边线"));
    light_ = new QSlider(Qt::Horizontal);
    light_->setRange(0, 256);  // GraphBoardLight + 128
    lightValue_ = new QLabel;
    lightValue_->setMinimumWidth(32);
    connect(light_, &QSlider::valueChanged, lightValue_, [this](int value) { lightValue_->setNum(value); });
    // The brightness works on the Marble board picture only: the slider is offered there alone.
    auto lightWhereItWorks = [this] {
        const bool marble = style_->currentIndex() == kStyleMarble;
        light_->setEnabled(marble);
        lightValue_->setEnabled(marble);
    };
    connect(style_, &QComboBox::currentIndexChanged, this, lightWhereItWorks);
    saveDefault_ = new QCheckBox(tr("保存为默认配置"));

    auto* form = new QFormLayout;
    form->addRow(tr("棋盘风格:"), style_);
    form->addRow(showScale_);
    form->addRow(showFrame_);
    form->addRow(emphasize_);
    auto* lightRow = new QHBoxLayout;
    lightRow->addWidget(light_);
    lightRow->addWidget(lightValue_);
    form->addRow(tr("棋盘亮度:"), lightRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QPushButton* applyButton = buttons->addButton(tr("应用"), QDialogButtonBox::ApplyRole);
    QPushButton* defaultsButton = buttons->addButton(tr("使用默认配置"), QDialogButtonBox::ResetRole);
    connect(applyButton, &QPushButton::clicked, this, [this] {
        applied_ = true;
        if (apply_)
            apply_(values());
    });
    connect(defaultsButton, &QPushButton::clicked, this, [this] { show(defaults_); });
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(saveDefault_);
    layout->addWidget(buttons);
    show(roomValues);
    lightWhereItWorks();
}

void BoardPropertiesDialog::show(const BoardViewSettings& values) {
    style_->setCurrentIndex(values.style >= 0 && values.style <= 2 ? values.style : 2);
    showScale_->setChecked(values.showScale);
    showFrame_->setChecked(values.showFrame);
    emphasize_->setChecked(values.emphasizeEdge);
    light_->setValue(std::clamp(values.light, -128, 128) + 128);
    lightValue_->setNum(light_->value());
}

BoardViewSettings BoardPropertiesDialog::values() const {
    BoardViewSettings values;
    values.style = style_->currentIndex();
    values.showScale = showScale_->isChecked();
    values.showFrame = showFrame_->isChecked();
    values.emphasizeEdge = emphasize_->isChecked();
    values.light = light_->value() - 128;
    return values;
}

bool BoardPropertiesDialog::saveAsDefault() const { return saveDefault_->isChecked(); }

void BoardPropertiesDialog::reject() {
    // Cancelling restores what the room had before the dialog.
    if (applied_ && apply_)
        apply_(original_);
    QDialog::reject();
}

// ---- language -----------------------------------------------------------------------------------

LanguageDialog::LanguageDialog(InterfaceLanguage current, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("选择语言"));
    list_ = new QListWidget;
    list_->addItems({tr("英文"), tr("简体中文(GB)"), tr("繁体中文(BIG5)")});
    list_->setCurrentRow(current);
    auto* note = new QLabel(tr("语言的设置将会在程序重启的时候有效."));
    note->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(note);
    layout->addWidget(buttons);
}

InterfaceLanguage LanguageDialog::language() const { return interfaceLanguageFromIndex(list_->currentRow()); }

}  // namespace tessera
