#pragma once
// Drag and drop of record files onto the main window: the window accepts a drag that carries
// at least one local .sgf, .gib or .sgg file, and a drop opens each of them like File > Open.

#include <QObject>
#include <QStringList>

class QMimeData;

namespace tessera {

class MainWindow;

class RecordFileDrop : public QObject {
    Q_OBJECT
public:
    // Watches `window` (which must outlive this object) and lets it accept drops.
    explicit RecordFileDrop(MainWindow& window);

    // The local record files among the dragged data, in their order.
    static QStringList recordFilesIn(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainWindow& window_;
};

}  // namespace tessera
