#include "app/ui/application_icon.h"

#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <algorithm>

namespace tessera {

namespace {

// A plain drawn icon (a black and a white stone on a wooden square), so that no window is
// ever without one when the installed pictures are missing.
QIcon drawnIcon() {
    QIcon icon;
    for (const int size : {16, 32, 64, 128}) {
        QPixmap picture(size, size);
        picture.fill(Qt::transparent);
        QPainter p(&picture);
        p.setRenderHint(QPainter::Antialiasing, true);
        const qreal s = size;
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(222, 176, 102));
        p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.16, s * 0.16);
        p.setBrush(QColor(20, 20, 20));
        p.drawEllipse(QRectF(s * 0.08, s * 0.08, s * 0.5, s * 0.5));
        p.setPen(QPen(QColor(60, 60, 60), std::max(1.0, s / 32)));
        p.setBrush(QColor(245, 245, 245));
        p.drawEllipse(QRectF(s * 0.42, s * 0.42, s * 0.5, s * 0.5));
        p.end();
        icon.addPixmap(picture);
    }
    return icon;
}

}  // namespace

QIcon applicationIcon(const std::string& programFolder) {
    QIcon icon;
    const QDir folder(QString::fromStdString(programFolder + "icons"));
    for (const QString& name : folder.entryList({"*.png"}, QDir::Files))
        icon.addFile(folder.filePath(name));
    if (icon.isNull())
        icon = QIcon::fromTheme("org.tessera.Tessera");
    if (icon.isNull())
        icon = drawnIcon();
    return icon;
}

}  // namespace tessera
