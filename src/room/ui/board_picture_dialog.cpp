#include "room/ui/board_picture_dialog.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "room/game_room.h"
#include "room/move_numbers.h"

namespace tessera {

BoardDisplay boardPictureDisplay(const GameRoom& room, bool moveNumbers) {
    BoardDisplay display = room.display();
    if (!moveNumbers)
        display.moveNumbers.clear();
    else if (display.moveNumbers.empty())
        display.moveNumbers = moveNumberLabels(room.record().tree, room.currentNodeId(), display.position, 4);
    return display;
}

BoardPictureDialog::BoardPictureDialog(const GameRoom& room, const BoardViewSettings& settings, int boardSize,
                                       QWidget* parent)
    : QDialog(parent), room_(room), settings_(settings) {
    setWindowTitle(tr("导出棋盘图片"));
    size_ = new QSpinBox;
    size_->setRange(100, 4000);
    size_->setSingleStep(100);
    size_->setSuffix(tr(" 像素"));
    size_->setValue(std::clamp(boardSize, 100, 4000));
    coordinates_ = new QCheckBox(tr("显示坐标"));
    coordinates_->setChecked(settings.showScale);
    moveNumbers_ = new QCheckBox(tr("显示手数"));
    moveNumbers_->setChecked(!room.display().moveNumbers.empty());
    auto* form = new QFormLayout;
    form->addRow(tr("图片大小:"), size_);
    form->addRow(coordinates_);
    form->addRow(moveNumbers_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* save = buttons->addButton(tr("保存..."), QDialogButtonBox::AcceptRole);
    QPushButton* copy = buttons->addButton(tr("复制"), QDialogButtonBox::ActionRole);
    connect(save, &QPushButton::clicked, this, &BoardPictureDialog::chooseFileAndSave);
    connect(copy, &QPushButton::clicked, this, &BoardPictureDialog::copyToClipboard);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

BoardExportOptions BoardPictureDialog::options() const {
    BoardExportOptions options;
    options.size = size_->value();
    options.coordinates = coordinates_->isChecked();
    options.moveNumbers = moveNumbers_->isChecked();
    return options;
}

bool BoardPictureDialog::saveTo(const QString& file, QString& error) {
    const BoardExportOptions chosen = options();
    std::string reason;
    if (!saveBoardPicture(file.toStdString(), boardPictureDisplay(room_, chosen.moveNumbers), settings_, chosen,
                          painter_, reason)) {
        error = tr("无法保存图片 %1").arg(file);
        return false;
    }
    return true;
}

void BoardPictureDialog::copyToClipboard() {
    const BoardExportOptions chosen = options();
    QGuiApplication::clipboard()->setImage(
        boardExportImage(boardPictureDisplay(room_, chosen.moveNumbers), settings_, chosen, painter_));
}

void BoardPictureDialog::chooseFileAndSave() {
    QString selected;
    const QString file = QFileDialog::getSaveFileName(this, tr("导出棋盘图片"), QString(),
                                                      tr("PNG 图片 (*.png);;SVG 图形 (*.svg)"), &selected);
    if (file.isEmpty())
        return;
    QString path = file;
    if (!path.endsWith(".png", Qt::CaseInsensitive) && !path.endsWith(".svg", Qt::CaseInsensitive))
        path += selected.contains("svg") ? ".svg" : ".png";
    QString error;
    if (!saveTo(path, error)) {
        QMessageBox::warning(this, tr("导出棋盘图片"), error);
        return;
    }
    accept();
}

}  // namespace tessera
