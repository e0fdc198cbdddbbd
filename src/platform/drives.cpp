#include "platform/drives.h"

#include <QDir>
#include <QStandardPaths>

namespace lumora {

DriveTable defaultDrives(const std::string& programDir) {
    DriveTable t;
    QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) data = QDir::homePath() + QStringLiteral("/.local/share");
    t['C'] = (data + QStringLiteral("/Lumora")).toStdString();
    const QString course =
        QDir::cleanPath(QString::fromStdString(programDir) + QStringLiteral("/../share/lumora/course"));
    t['D'] = course.toStdString();
    return t;
}

} // namespace lumora
