#pragma once
// "导入题库": a folder of problem records and the book's titles. The Simplified Chinese name
// is required (it also names the index file); the English and Traditional Chinese titles may
// stay empty (the name, and the name in Traditional characters, are taken then).

#include <QDialog>

#include "training/book_import.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tessera {

class BookImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit BookImportDialog(QWidget* parent = nullptr);
    // What to import (paths holds the folder).
    BookImportRequest request() const;
    QLineEdit* folderEdit() const { return folder_; }
    QLineEdit* nameEdit() const { return name_; }
    QLineEdit* englishEdit() const { return english_; }

private:
    void updateOk();

    QLineEdit* folder_;
    QLineEdit* name_;
    QLineEdit* english_;
    QLineEdit* traditional_;
    QCheckBox* singlePlay_;
    QPushButton* ok_;
};

}  // namespace tessera
