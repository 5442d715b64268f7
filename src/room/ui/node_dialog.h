#pragma once
// "节点属性": the name, move tag and evaluation of the room's current node.

#include <QDialog>

#include "room/game_room.h"

class QComboBox;
class QLineEdit;

namespace tessera {

class NodeDialog : public QDialog {
    Q_OBJECT
public:
    // Shows annotation; the lists hold every move tag and evaluation entry in number order.
    explicit NodeDialog(const NodeAnnotation& annotation, QWidget* parent = nullptr);
    // What the dialog shows now.
    NodeAnnotation annotation() const;
    QLineEdit* nameEdit() const { return name_; }
    QComboBox* tagBox() const { return tag_; }
    QComboBox* evaluationBox() const { return evaluation_; }

private:
    QLineEdit* name_;
    QComboBox* tag_;
    QComboBox* evaluation_;
};

}  // namespace tessera
