#pragma once
// "选择练习题库": the problem books by title in file order, the selected one preselected.
// OK with a book chosen (or a double click on one) accepts; without a book OK does nothing.

#include <QDialog>

#include "training/problem_books.h"

class QListWidget;
class QPushButton;

namespace tessera {

class ProblemBookDialog : public QDialog {
    Q_OBJECT
public:
    explicit ProblemBookDialog(const ProblemBookList& books, QWidget* parent = nullptr);
    // The chosen book's index, -1 when none.
    int chosenIndex() const;
    QListWidget* bookList() const { return list_; }

private:
    QListWidget* list_;
    QPushButton* ok_;
};

}  // namespace tessera
