#include "view/ui/image_import_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "view/board_picture_reader.h"
#include "view/ui/board_widget.h"
#include "view/ui/corner_picker.h"

namespace tessera {

namespace {
constexpr int kBoardSizes[] = {19, 13, 9};
}

ImageImportDialog::ImageImportDialog(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("导入棋盘图象"));
    auto* paste = new QPushButton(tr("粘贴图象"));
    auto* open = new QPushButton(tr("打开图象文件"));
    auto* convertButton = new QPushButton(tr("转换"));
    side_ = new QComboBox;
    side_->addItems({tr("黑方"), tr("白方")});
    size_ = new QComboBox;
    for (int lines : kBoardSizes)
        size_->addItem(tr("%1 路").arg(lines), lines);
    auto* controls = new QHBoxLayout;
    controls->addWidget(paste);
    controls->addWidget(open);
    controls->addWidget(convertButton);
    controls->addSpacing(12);
    controls->addWidget(new QLabel(tr("当前该谁走: ")));
    controls->addWidget(side_);
    controls->addWidget(new QLabel(tr("棋盘: ")));
    controls->addWidget(size_);
    controls->addStretch();

    auto* instruction = new QLabel(tr("导入图象后, 请用鼠标左键标记棋盘位置( 棋盘对角位置), 右键重新标记. "));
    instruction->setWordWrap(true);
    status_ = new QLabel;
    status_->setWordWrap(true);

    picker_ = new CornerPicker;
    picker_->onMarksChanged = [this] { clearResult(); };
    previewDisplay_.cursorShown = false;
    preview_ = new BoardWidget(previewDisplay_);
    stack_ = new QStackedWidget;
    stack_->addWidget(picker_);
    stack_->addWidget(preview_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(instruction);
    layout->addWidget(stack_, 1);
    layout->addWidget(status_);
    layout->addWidget(buttons);

    connect(paste, &QPushButton::clicked, this, [this] { pasteFromClipboard(); });
    connect(open, &QPushButton::clicked, this, [this] { openFile(); });
    connect(convertButton, &QPushButton::clicked, this, [this] { convert(); });
    connect(size_, &QComboBox::currentIndexChanged, this, [this] {
        picker_->setLines(lines());
        clearResult();
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &ImageImportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &ImageImportDialog::reject);
    resize(640, 720);
}

int ImageImportDialog::lines() const { return size_->currentData().toInt(); }

bool ImageImportDialog::whiteToPlay() const { return side_->currentIndex() == 1; }

void ImageImportDialog::showStatus(const QString& text) { status_->setText(text); }

void ImageImportDialog::clearResult() {
    position_ = BoardGrid();
    previewDisplay_.showEmptyBoard(lines(), lines());
    preview_->redraw();
    stack_->setCurrentWidget(picker_);
}

bool ImageImportDialog::loadPicture(const QImage& picture) {
    PixelImage pixels = PixelImage::fromQImage(picture);
    if (!pixels.isUsable())
        return false;
    pixels_ = std::move(pixels);
    found_ = findBoardGrid(pixels_);
    picker_->setPicture(pixels_.toQImage());
    picker_->marks().clear();
    if (found_.found()) {
        picker_->marks().setCorners(found_.corners());
        const int index = size_->findData(found_.lines);
        if (index >= 0)
            size_->setCurrentIndex(index);
        showStatus(tr("找到 %1 路棋盘. 角不对时请用鼠标重新标记, 然后按“转换”.").arg(found_.lines));
    } else {
        showStatus(tr("没有找到棋盘, 请用鼠标标记棋盘的两个对角."));
    }
    picker_->setLines(lines());
    clearResult();
    return true;
}

bool ImageImportDialog::loadFile(const QString& path) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage picture = reader.read();
    if (picture.isNull() || !loadPicture(picture)) {
        showStatus(tr("无法读取图象文件 %1: %2").arg(path, reader.errorString()));
        return false;
    }
    return true;
}

void ImageImportDialog::openFile() {
    const QString path = QFileDialog::getOpenFileName(
        this, tr("打开图象文件"), QString(), tr("JPEG (*.jpg *.jpeg);;PNG (*.png);;BMP (*.bmp);;所有文件 (*)"));
    if (!path.isEmpty())
        loadFile(path);
}

void ImageImportDialog::pasteFromClipboard() {
    const QImage picture = QApplication::clipboard()->image();
    if (picture.isNull()) {
        showStatus(tr("剪贴板里没有图象."));
        return;
    }
    loadPicture(picture);
}

bool ImageImportDialog::convert() {
    clearResult();
    const auto selection = picker_->marks().usableSelection();
    if (!pixels_.isUsable() || !selection) {
        showStatus(tr("请先导入图象并标记棋盘的两个对角."));
        return false;
    }
    // The lines found keep their own (slightly uneven) places as long as the user agrees with
    // the corners and the size; otherwise the marked rectangle is divided evenly.
    const bool asFound = found_.found() && found_.lines == lines() && *selection == found_.corners();
    const BoardGridGuess grid = asFound ? found_ : BoardGridGuess::fromCorners(*selection, lines());
    position_ = readBoardPicture(pixels_, grid).position;
    if (!position_.isUsable())
        return false;
    previewDisplay_.showEmptyBoard(position_.width(), position_.height());
    previewDisplay_.position.copyFrom(position_);
    preview_->redraw();
    stack_->setCurrentWidget(preview_);
    showStatus(tr("黑子 %1, 白子 %2.").arg(position_.countValue(1)).arg(position_.countValue(2)));
    return true;
}

void ImageImportDialog::accept() {
    if (!position_.isUsable() && !convert())
        return;
    QDialog::accept();
}

}  // namespace tessera
