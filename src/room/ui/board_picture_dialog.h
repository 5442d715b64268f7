#pragma once
// "导出棋盘图片": the room's board as a PNG or SVG file at a chosen size, with or without
// coordinates and move numbers; "复制" puts the same picture on the clipboard.

#include <QDialog>

#include "view/board_export.h"

class QCheckBox;
class QSpinBox;

namespace tessera {

class GameRoom;

// The room's display as a picture shows it: with move numbers asked for while the room shows
// none, every move's number is put on its stone.
BoardDisplay boardPictureDisplay(const GameRoom& room, bool moveNumbers);

class BoardPictureDialog : public QDialog {
    Q_OBJECT
public:
    // Starts from the board's size and settings.
    BoardPictureDialog(const GameRoom& room, const BoardViewSettings& settings, int boardSize,
                       QWidget* parent = nullptr);

    BoardExportOptions options() const;
    // Writes the picture (SVG by the ".svg" name, else PNG); false with a one-line reason.
    bool saveTo(const QString& file, QString& error);
    // The picture on the clipboard.
    void copyToClipboard();

private:
    void chooseFileAndSave();

    const GameRoom& room_;
    BoardViewSettings settings_;
    BoardPainter painter_;
    QSpinBox* size_;
    QCheckBox* coordinates_;
    QCheckBox* moveNumbers_;
};

}  // namespace tessera
