#include "app/ui/record_file_drop.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

#include "room/room_registry.h"
#include "room/ui/main_window.h"

namespace tessera {

RecordFileDrop::RecordFileDrop(MainWindow& window) : QObject(&window), window_(window) {
    window_.setAcceptDrops(true);
    window_.installEventFilter(this);
}

QStringList RecordFileDrop::recordFilesIn(const QMimeData* data) {
    QStringList files;
    if (data == nullptr || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile())
            continue;
        const QString file = url.toLocalFile();
        const QString suffix = QFileInfo(file).suffix().toLower();
        if (suffix == "sgf" || suffix == "gib" || suffix == "sgg")
            files << file;
    }
    return files;
}

bool RecordFileDrop::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_)
        return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
        auto* drag = static_cast<QDragMoveEvent*>(event);
        if (recordFilesIn(drag->mimeData()).isEmpty())
            return false;
        drag->acceptProposedAction();
        return true;
    }
    if (event->type() == QEvent::Drop) {
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = recordFilesIn(drop->mimeData());
        if (files.isEmpty())
            return false;
        drop->acceptProposedAction();
        // Each file goes through the same path as File > Open (a failure is reported there).
        for (const QString& file : files)
            if (!window_.openRecordFile(file) && window_.roomCount() >= kMaxOpenRooms)
                break;  // told once
        return true;
    }
    return false;
}

}  // namespace tessera
