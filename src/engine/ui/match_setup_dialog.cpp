#include "engine/ui/match_setup_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace tessera {

MatchSetupDialog::MatchSetupDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("游戏设置"));
    setObjectName("matchSetupDialog");

    rule_ = new QComboBox;
    rule_->setObjectName("rule");
    rule_->addItems({tr("中国规则"), tr("日本规则")});
    komiLabel_ = new QLabel;
    komi_ = new QDoubleSpinBox;
    komi_->setObjectName("komi");
    komi_->setRange(-100, 100);
    komi_->setDecimals(2);
    komi_->setSingleStep(0.25);
    connect(rule_, &QComboBox::currentIndexChanged, this, [this] {
        komi_->setValue(rule_->currentIndex() == 0 ? 3.75 : 6.5);
        updateKomiLabel();
    });
    handicap_ = new QSpinBox;
    handicap_->setObjectName("handicap");
    handicap_->setRange(0, 9);
    size_ = new QSpinBox;
    size_->setObjectName("boardSize");
    size_->setRange(5, 19);
    size_->setValue(19);
    auto* sizes = new QToolButton;
    sizes->setText("-->");
    sizes->setPopupMode(QToolButton::InstantPopup);
    auto* sizeMenu = new QMenu(sizes);
    const std::pair<QString, int> sizeEntries[] = {
        {tr("19*19 路( 标准棋盘 )"), 19}, {tr("5 * 5 路棋盘"), 5},  {tr("9 * 9 路棋盘"), 9},
        {tr("11*11 路棋盘"), 11},         {tr("13*13 路棋盘"), 13}, {tr("15*15 路棋盘"), 15},
    };
    for (const auto& [text, size] : sizeEntries)
        connect(sizeMenu->addAction(text), &QAction::triggered, this, [this, size = size] { size_->setValue(size); });
    sizes->setMenu(sizeMenu);
    blind_ = new QCheckBox(tr("盲棋"));
    blind_->setEnabled(false);

    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(size_, 1);
    sizeRow->addWidget(sizes);
    auto* form = new QFormLayout;
    form->addRow(tr("规则类型: "), rule_);
    form->addRow(komiLabel_, komi_);
    form->addRow(tr("让子 (0,2-9)"), handicap_);
    form->addRow(tr("棋盘大小(5-19)"), sizeRow);
    form->addRow(QString(), blind_);

    auto* panels = new QHBoxLayout;
    panels->addWidget(makePanel(black_, tr("黑方: ")));
    panels->addWidget(makePanel(white_, tr("白方: ")));
    auto* swap = new QPushButton(tr("交换黑白双方"));
    swap->setObjectName("swapSides");
    connect(swap, &QPushButton::clicked, this, &MatchSetupDialog::swapSides);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &MatchSetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(panels);
    layout->addWidget(swap, 0, Qt::AlignHCenter);
    layout->addLayout(form);
    layout->addWidget(buttons);

    // Defaults at opening: the computer takes black, a person white; Chinese rules.
    MatchSetup defaults;
    defaults.blackKind = kPlayerComputer;
    defaults.blackName = tr("东方不败").toStdString();
    defaults.whiteKind = kPlayerHuman;
    defaults.whiteName = tr("蜘蛛侠").toStdString();
    setSetup(defaults);
}

QGroupBox* MatchSetupDialog::makePanel(Panel& panel, const QString& title) {
    panel.box = new QGroupBox(title);
    panel.kind = new QComboBox;
    panel.kind->setObjectName("kind");
    panel.kind->addItems({tr("人"), tr("GNU Go + Tessera")});
    panel.name = new QLineEdit;
    panel.name->setObjectName("name");
    panel.name->setMaxLength(90);
    panel.engine = new QLineEdit;
    panel.engine->setObjectName("engine");
    auto* browse = new QToolButton;
    browse->setText("...");
    connect(browse, &QToolButton::clicked, this, [this, &panel] { chooseEngine(panel); });
    panel.level = new QSpinBox;
    panel.level->setObjectName("level");
    panel.level->setRange(1, 10);
    panel.book = new QCheckBox(tr("使用全局统计开局"));
    panel.book->setObjectName("book");

    panel.engineArea = new QWidget;
    auto* engineRow = new QHBoxLayout;
    engineRow->setContentsMargins(0, 0, 0, 0);
    engineRow->addWidget(panel.engine, 1);
    engineRow->addWidget(browse);
    auto* engineForm = new QFormLayout(panel.engineArea);
    engineForm->setContentsMargins(0, 0, 0, 0);
    engineForm->addRow(tr("引擎程序: "), engineRow);
    engineForm->addRow(tr("GNU Go 级别 (1-10)"), panel.level);
    engineForm->addRow(new QLabel(tr("GNU Go设置: ( 1级(最低水平,  10级(最高水平 ) )")));
    engineForm->addRow(panel.book);

    auto* form = new QFormLayout(panel.box);
    form->addRow(tr("游戏者类型: "), panel.kind);
    form->addRow(tr("游戏者名: "), panel.name);
    form->addRow(panel.engineArea);
    connect(panel.kind, &QComboBox::currentIndexChanged, this,
            [&panel](int index) { panel.engineArea->setVisible(index == 1); });
    return panel.box;
}

void MatchSetupDialog::chooseEngine(Panel& panel) {
    const QString file = QFileDialog::getOpenFileName(this, tr("选择围棋引擎"), panel.engine->text());
    if (!file.isEmpty())
        panel.engine->setText(file);
}

void MatchSetupDialog::updateKomiLabel() {
    komiLabel_->setText(rule_->currentIndex() == 0 ? tr("贴子数:") : tr("贴目数:"));
}

void MatchSetupDialog::putSide(Panel& panel, int kind, const std::string& name, const EngineSettings& engine) {
    panel.kind->setCurrentIndex(kind == kPlayerComputer ? 1 : 0);
    panel.engineArea->setVisible(kind == kPlayerComputer);
    panel.name->setText(QString::fromStdString(name));
    panel.engine->setText(QString::fromStdString(engine.command));
    panel.level->setValue(engine.level);
    panel.book->setChecked(engine.useBook);
}

int MatchSetupDialog::kindOf(const Panel& panel) {
    return panel.kind->currentIndex() == 1 ? kPlayerComputer : kPlayerHuman;
}

EngineSettings MatchSetupDialog::engineOf(const Panel& panel) {
    EngineSettings engine;
    engine.command = panel.engine->text().trimmed().toStdString();
    if (engine.command.empty())
        engine.command = "gnugo";
    engine.level = panel.level->value();
    engine.useBook = panel.book->isChecked();
    return engine;
}

void MatchSetupDialog::setSetup(const MatchSetup& setup) {
    putSide(black_, setup.blackKind, setup.blackName, setup.blackEngine);
    putSide(white_, setup.whiteKind, setup.whiteName, setup.whiteEngine);
    rule_->setCurrentIndex(setup.rule == kMatchJapaneseRules ? 1 : 0);
    komi_->setValue(setup.komi);
    updateKomiLabel();
    handicap_->setValue(setup.handicap);
    size_->setValue(setup.boardSize);
}

MatchSetup MatchSetupDialog::setup() const {
    MatchSetup setup;
    setup.blackKind = kindOf(black_);
    setup.blackName = black_.name->text().toStdString();
    setup.blackEngine = engineOf(black_);
    setup.whiteKind = kindOf(white_);
    setup.whiteName = white_.name->text().toStdString();
    setup.whiteEngine = engineOf(white_);
    setup.rule = rule_->currentIndex() + 1;
    setup.komi = komi_->value();
    setup.handicap = handicap_->value();
    setup.boardSize = size_->value();
    setup.blind = 0;
    return setup;
}

void MatchSetupDialog::swapSides() {
    const MatchSetup current = setup();
    putSide(black_, current.whiteKind, current.whiteName, current.whiteEngine);
    putSide(white_, current.blackKind, current.blackName, current.blackEngine);
}

void MatchSetupDialog::accept() {
    if (handicap_->value() != 0 && !handicapAllowed(size_->value())) {
        QMessageBox::warning(this, QApplication::applicationDisplayName(),
                             tr("只有棋盘大小为9,11,13,15,17或19的时候才支持让子棋!"));
        return;
    }
    QDialog::accept();
}

}  // namespace tessera
