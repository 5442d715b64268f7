#include "room/ui/node_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "record/game_node.h"

namespace tessera {

NodeDialog::NodeDialog(const NodeAnnotation& annotation, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("节点属性"));
    name_ = new QLineEdit(QString::fromStdString(annotation.name));
    tag_ = new QComboBox;
    for (uint32_t tag = 0; tag < kMoveTagCount; ++tag)
        tag_->addItem(QString::fromStdString(moveTagText(tag)));
    tag_->setCurrentIndex(static_cast<int>(std::min(annotation.moveTag, kMoveTagCount - 1)));
    evaluation_ = new QComboBox;
    for (int entry = 0; entry <= 10; ++entry)
        evaluation_->addItem(QString::fromStdString(evaluationText(entry)));
    evaluation_->setCurrentIndex(std::clamp(annotation.evaluationEntry, 0, 10));

    auto* form = new QFormLayout;
    form->addRow(tr("节点名称:"), name_);
    form->addRow(tr("着法标签:"), tag_);
    form->addRow(tr("形势判断:"), evaluation_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

NodeAnnotation NodeDialog::annotation() const {
    return NodeAnnotation{name_->text().toStdString(), static_cast<uint32_t>(std::max(0, tag_->currentIndex())),
                          std::max(0, evaluation_->currentIndex())};
}

}  // namespace tessera
