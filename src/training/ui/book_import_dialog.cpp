#include "training/ui/book_import_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

#include "platform/chinese_script.h"

namespace tessera {

BookImportDialog::BookImportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("导入题库"));
    folder_ = new QLineEdit;
    auto* browse = new QPushButton(tr("浏览..."));
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("题目所在的文件夹"), folder_->text());
        if (folder.isEmpty())
            return;
        folder_->setText(folder);
        if (name_->text().isEmpty())
            name_->setText(QFileInfo(folder).fileName());
    });
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_);
    folderRow->addWidget(browse);
    name_ = new QLineEdit;
    english_ = new QLineEdit;
    traditional_ = new QLineEdit;
    // The titles taken when the fields stay empty are shown in them.
    connect(name_, &QLineEdit::textChanged, this, [this](const QString& name) {
        english_->setPlaceholderText(name);
        traditional_->setPlaceholderText(QString::fromStdString(GbToBig5(name.toStdString())));
        updateOk();
    });
    connect(folder_, &QLineEdit::textChanged, this, [this] { updateOk(); });
    singlePlay_ = new QCheckBox(tr("一人研究 (不自动应对)"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout(this);
    form->addRow(tr("文件夹:"), folderRow);
    form->addRow(tr("题库名称:"), name_);
    form->addRow(tr("英文名称:"), english_);
    form->addRow(tr("繁体名称:"), traditional_);
    form->addRow(singlePlay_);
    form->addRow(buttons);
    updateOk();
    resize(460, 0);
}

void BookImportDialog::updateOk() {
    ok_->setEnabled(!folder_->text().trimmed().isEmpty() &&
                    !bookFileName(name_->text().trimmed().toStdString()).empty());
}

BookImportRequest BookImportDialog::request() const {
    BookImportRequest request;
    request.name = name_->text().trimmed().toStdString();
    request.englishTitle = english_->text().trimmed().toStdString();
    request.traditionalTitle = traditional_->text().trimmed().toStdString();
    request.paths = {folder_->text().trimmed().toStdString()};
    request.singlePlay = singlePlay_->isChecked() ? 1 : 0;
    return request;
}

}  // namespace tessera
