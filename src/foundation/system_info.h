#pragma once
// What the about box asks of the machine: its physical memory, the space of a disk and the name of
// the operating system. Figures are in bytes, 64 bits wide, so large memories and disks are whole.
#include <cstdint>
#include <optional>
#include <string>

namespace lumora {

struct MemoryStatus {
    std::uint64_t availableBytes = 0;
    std::uint64_t totalBytes = 0;
};

struct DiskSpace {
    std::uint64_t freeBytes = 0;
    std::uint64_t totalBytes = 0;
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;
    // Nothing when the platform cannot tell.
    virtual std::optional<MemoryStatus> memory() const = 0;
    // The disk that holds a local path.
    virtual std::optional<DiskSpace> diskSpace(const std::string& localPath) const = 0;
    // The operating system as people name it ("Debian GNU/Linux 12 (bookworm)").
    virtual std::string platformName() const = 0;
};

} // namespace lumora
