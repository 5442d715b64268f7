#include "training/ui/problem_book_dialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessera {

ProblemBookDialog::ProblemBookDialog(const ProblemBookList& books, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("选择练习题库"));
    list_ = new QListWidget;
    for (const ProblemBook& book : books.books)
        list_->addItem(QString::fromStdString(book.title));
    if (!books.books.empty())
        list_->setCurrentRow(books.selected);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    ok_->setEnabled(list_->currentRow() >= 0);
    connect(list_, &QListWidget::currentRowChanged, this, [this](int row) { ok_->setEnabled(row >= 0); });
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        if (chosenIndex() >= 0)
            accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    if (books.books.empty())
        layout->addWidget(new QLabel(tr("还没有题库. 用 \"导入题库\" 把一个文件夹的题目做成题库.")));
    layout->addWidget(list_);
    layout->addWidget(buttons);
    resize(360, 320);
}

int ProblemBookDialog::chosenIndex() const { return list_->currentRow(); }

}  // namespace tessera
