#pragma once
// The picture area of the board picture import: shows the picture fitted into the widget
// (aspect kept, centred), the two corner marks as red 8 x 8 squares and, when both are set,
// the grid they imply. A left click marks a corner, a right click clears both. Marks are kept
// in the picture's own pixels, so resizing the dialog moves nothing.

#include <functional>

#include <QImage>
#include <QWidget>

#include "view/corner_marks.h"

namespace tessera {

class CornerPicker : public QWidget {
    Q_OBJECT
public:
    explicit CornerPicker(QWidget* parent = nullptr);

    // Shows a new picture (a null image shows nothing); the marks are left to the caller.
    void setPicture(const QImage& picture);
    const QImage& picture() const { return picture_; }
    CornerMarks& marks() { return marks_; }
    const CornerMarks& marks() const { return marks_; }
    // The number of lines drawn between the corners (the board size chosen).
    void setLines(int lines);
    // The widget pixel showing picture pixel (x, y), and back; false without a picture.
    QPointF toWidget(double x, double y) const;
    bool toPicture(QPointF at, int& x, int& y) const;

    // Called after the marks changed through the mouse.
    std::function<void()> onMarksChanged;

    QSize sizeHint() const override { return QSize(560, 560); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRectF pictureArea() const;  // where the picture is drawn, in widget pixels

    QImage picture_;
    CornerMarks marks_;
    int lines_ = 19;
};

}  // namespace tessera
