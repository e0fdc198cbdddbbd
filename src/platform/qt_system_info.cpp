#include "platform/qt_system_info.h"

#include <QFile>
#include <QStorageInfo>
#include <QSysInfo>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace lumora {

std::optional<MemoryStatus> QtSystemInfo::memory() const {
#ifdef Q_OS_WIN
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status)) return std::nullopt;
    return MemoryStatus{status.ullAvailPhys, status.ullTotalPhys};
#else
    QFile meminfo(QStringLiteral("/proc/meminfo"));
    if (!meminfo.open(QIODevice::ReadOnly)) return std::nullopt;
    std::optional<std::uint64_t> total, available;
    // Lines such as "MemTotal:       16314748 kB".
    for (const QByteArray& line : meminfo.readAll().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() < 2) continue;
        bool ok = false;
        const std::uint64_t kb = parts[1].toULongLong(&ok);
        if (!ok) continue;
        if (parts[0] == "MemTotal:") total = kb * 1024;
        if (parts[0] == "MemAvailable:") available = kb * 1024;
    }
    if (!total || !available) return std::nullopt;
    return MemoryStatus{*available, *total};
#endif
}

std::optional<DiskSpace> QtSystemInfo::diskSpace(const std::string& localPath) const {
    QStorageInfo storage(QString::fromStdString(localPath));
    if (!storage.isValid() || !storage.isReady()) return std::nullopt;
    const qint64 free = storage.bytesAvailable();
    const qint64 total = storage.bytesTotal();
    if (free < 0 || total <= 0) return std::nullopt;
    return DiskSpace{static_cast<std::uint64_t>(free), static_cast<std::uint64_t>(total)};
}

std::string QtSystemInfo::platformName() const { return QSysInfo::prettyProductName().toStdString(); }

} // namespace lumora
