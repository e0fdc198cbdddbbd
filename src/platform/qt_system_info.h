#pragma once
// The machine's memory, disk space and system name: /proc/meminfo (or the Windows memory status),
// QStorageInfo and QSysInfo.
#include "foundation/system_info.h"

namespace lumora {

class QtSystemInfo final : public SystemInfo {
public:
    std::optional<MemoryStatus> memory() const override;
    std::optional<DiskSpace> diskSpace(const std::string& localPath) const override;
    std::string platformName() const override;
};

} // namespace lumora
