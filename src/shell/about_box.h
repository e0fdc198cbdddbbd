#pragma once
// The about box's lines without a window: memory in kilobytes, disk space in megabytes (64-bit
// arithmetic), the program's version and the system it runs on, the caption and the credits.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "foundation/settings_store.h"
#include "foundation/system_info.h"

namespace lumora {

// A pattern's "%<width>d" fields filled in order with 64-bit values, right-aligned to the width.
std::string formatCounts(const std::string& pattern, const std::vector<std::uint64_t>& values);

// "Available memory (RAM) : %6d Kb on %6d Kb" (bytes / 1024); a memory the platform cannot tell is
// said so.
std::string aboutMemoryLine(const std::optional<MemoryStatus>& memory);
// "Free space on this disk : %10d Mb on %10d Mb" (bytes / 1048576).
std::string aboutDiskLine(const std::optional<DiskSpace>& disk);
// The disk the about box measures: the root of the program directory's drive ("C:\") for a drive
// path, the program directory itself otherwise (the disk that holds it).
std::string aboutDiskRoot(const std::string& programDirectory);
// "Version <version> (<bits> bits) for <platform>".
std::string aboutVersionLine(const std::string& version, int bits, const std::string& platform);
// "About Lumora".
std::string aboutCaption();
// The credit and rights lines.
std::vector<std::string> aboutCredits();

struct AboutLines {
    std::string caption, version, memory, disk;
    std::vector<std::string> credits;
};
// Every line, from "Course"/"SysDir" and the platform. `version` is the program's own.
AboutLines aboutLines(const SettingsStore& store, const SystemInfo& system, const std::string& version);

} // namespace lumora
