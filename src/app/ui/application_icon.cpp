#include "app/ui/application_icon.h"

#include <QDir>

namespace tessera {

QIcon applicationIcon(const std::string& programFolder) {
    QIcon icon;
    const QDir folder(QString::fromStdString(programFolder + "icons"));
    for (const QString& name : folder.entryList({"*.png"}, QDir::Files))
        icon.addFile(folder.filePath(name));
    if (icon.isNull())
        icon = QIcon::fromTheme("org.tessera.Tessera");
    return icon;
}

}  // namespace tessera
