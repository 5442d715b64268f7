#pragma once
// "规则设置": the rule type and komi of a room, and whether they become the defaults.

#include <QDialog>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;

namespace tessera {

class RulesDialog : public QDialog {
    Q_OBJECT
public:
    // ruleType 1-3 preselects its entry (anything else the first); komi as the room holds it.
    RulesDialog(int ruleType, double komi, QWidget* parent = nullptr);
    int ruleType() const;  // 1 Chinese, 2 Japanese, 3 Korean (the entry index plus one)
    double komi() const;
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
