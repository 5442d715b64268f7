#pragma once
// "规则设置": the rule type and komi of a room, and whether they become the defaults.

#include <QDialog>

#include "room/room_settings.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace tessera {

class RulesDialog : public QDialog {
    Q_OBJECT
public:
    // Chinese, Japanese and Korean rules preselect their entry (any other the first).
    explicit RulesDialog(const RuleSettings& rules, QWidget* parent = nullptr);
    // The chosen rules: Chinese, Japanese or Korean, and the komi.
    RuleSettings rules() const;
    bool saveAsDefault() const;  // "保存为缺省规则"
    // The komi label: "贴子数:" under Chinese rules (counted in stones), "贴目数:" otherwise.
    QString komiLabel() const;
    QComboBox* ruleBox() const { return rules_; }

private:
    QComboBox* rules_;
    QDoubleSpinBox* komi_;
    QLabel* komiLabel_;
    QCheckBox* saveDefault_;
};

}  // namespace tessera
