#include "room/ui/rules_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

namespace tessera {

namespace {

// The rule types of the list, in its order.
constexpr RuleType kOffered[] = {kRulesChinese, kRulesJapanese, kRulesKorean};

}  // namespace

RulesDialog::RulesDialog(const RuleSettings& rules, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("规则设置"));
    rules_ = new QComboBox;
    rules_->addItems({tr("中国规则"), tr("日本规则"), tr("韩国规则")});
    rules_->setCurrentIndex(0);
    for (int index = 0; index < 3; ++index)
        if (kOffered[index] == rules.ruleType)
            rules_->setCurrentIndex(index);
    komi_ = new QDoubleSpinBox;
    komi_->setRange(-100, 100);
    komi_->setDecimals(2);
    komi_->setSingleStep(0.25);
    komi_->setValue(rules.komi);
    komiLabel_ = new QLabel;
    saveDefault_ = new QCheckBox(tr("保存为缺省规则"));
    auto updateLabel = [this] { komiLabel_->setText(komiLabel()); };
    connect(rules_, &QComboBox::currentIndexChanged, this, updateLabel);
    updateLabel();

    auto* form = new QFormLayout;
    form->addRow(tr("规则类型: "), rules_);
    form->addRow(komiLabel_, komi_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(saveDefault_);
    layout->addWidget(buttons);
}

RuleSettings RulesDialog::rules() const {
    return RuleSettings{kOffered[std::max(0, rules_->currentIndex())], komi_->value()};
}
bool RulesDialog::saveAsDefault() const { return saveDefault_->isChecked(); }
QString RulesDialog::komiLabel() const { return rules_->currentIndex() == 0 ? tr("贴子数:") : tr("贴目数:"); }

}  // namespace tessera
