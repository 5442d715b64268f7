#pragma once
// "导入棋盘图象": turns a picture of a board (pasted or opened from a file) into a position.
// A loaded picture is searched for its grid at once; the corners found are shown and can be
// marked again with the mouse. "转换" reads the stones and shows them on a preview board in
// place of the picture; OK hands the position and the side to move to the caller.

#include <QDialog>
#include <QImage>

#include "go/board_grid.h"
#include "view/board_display.h"
#include "view/board_grid_finder.h"
#include "view/pixel_image.h"

class QComboBox;
class QLabel;
class QStackedWidget;

namespace tessera {

class BoardWidget;
class CornerPicker;

class ImageImportDialog : public QDialog {
    Q_OBJECT
public:
    explicit ImageImportDialog(QWidget* parent = nullptr);

    // Takes a picture, looks for its grid and shows it for marking; false (nothing changed)
    // for a null picture.
    bool loadPicture(const QImage& picture);
    // Reads the file with Qt's image readers; false with a message when it cannot be read.
    bool loadFile(const QString& path);
    // The clipboard's picture, if it holds one.
    void pasteFromClipboard();
    // Reads the stones inside the marked corners and shows the preview; false (the result
    // empty) without a picture or a selection of at least 40 x 40 pixels.
    bool convert();

    // The position read (unusable before a conversion) and the side to move chosen.
    const BoardGrid& position() const { return position_; }
    bool whiteToPlay() const;
    // The grid found in the last picture (lines 0 when none).
    const BoardGridGuess& gridFound() const { return found_; }
    CornerPicker* picker() const { return picker_; }
    BoardWidget* preview() const { return preview_; }
    // The board size chosen for the conversion (19, 13 or 9).
    int lines() const;

    // OK without a conversion converts first; an empty result keeps the dialog open.
    void accept() override;

private:
    void openFile();
    void clearResult();
    void showStatus(const QString& text);

    PixelImage pixels_;            // the picture as loaded (its own resolution)
    BoardGridGuess found_;         // the grid found in it
    BoardGrid position_;           // the result; unusable until converted
    BoardDisplay previewDisplay_;  // what the preview board shows
    CornerPicker* picker_ = nullptr;
    BoardWidget* preview_ = nullptr;
    QStackedWidget* stack_ = nullptr;
    QComboBox* side_ = nullptr;
    QComboBox* size_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace tessera
