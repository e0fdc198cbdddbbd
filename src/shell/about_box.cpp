#include "shell/about_box.h"

#include <cctype>

#include "foundation/app_settings.h"
#include "resources/string_table.h"

namespace lumora {

std::string formatCounts(const std::string& pattern, const std::vector<std::uint64_t>& values) {
    std::string out;
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == '%') {
            std::size_t j = i + 1;
            std::size_t width = 0;
            while (j < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[j])) && width < 64)
                width = width * 10 + static_cast<std::size_t>(pattern[j++] - '0');
            if (j < pattern.size() && pattern[j] == 'd' && next < values.size()) {
                const std::string digits = std::to_string(values[next++]);
                if (digits.size() < width) out.append(width - digits.size(), ' ');
                out += digits;
                i = j;
                continue;
            }
        }
        out.push_back(pattern[i]);
    }
    return out;
}

std::string aboutMemoryLine(const std::optional<MemoryStatus>& memory) {
    if (!memory) return "Available memory (RAM) : unknown";
    return formatCounts(strings::text(6193), {memory->availableBytes / 1024, memory->totalBytes / 1024});
}

std::string aboutDiskLine(const std::optional<DiskSpace>& disk) {
    if (!disk) return "Free space on this disk : unknown";
    constexpr std::uint64_t mb = 1048576;
    return formatCounts(strings::text(6194), {disk->freeBytes / mb, disk->totalBytes / mb});
}

std::string aboutDiskRoot(const std::string& programDirectory) {
    const std::string& d = programDirectory;
    if (d.size() >= 2 && std::isalpha(static_cast<unsigned char>(d[0])) && d[1] == ':') return d.substr(0, 3);
    return d;
}

std::string aboutVersionLine(const std::string& version, int bits, const std::string& platform) {
    return "Version " + version + " (" + std::to_string(bits) + " bits) for " + platform;
}

std::string aboutCaption() {
    std::string caption = strings::text(10000);
    const auto at = caption.find("%1");
    if (at != std::string::npos) caption.replace(at, 2, strings::text(28674));
    return caption;
}

std::vector<std::string> aboutCredits() {
    return {
        "A course of spoken and written Mandarin Chinese.",
        "Sample course voices synthesised with eSpeak NG (GPL 3 or later); ideogram and pinyin pictures "
        "drawn with Noto Sans CJK (SIL Open Font License 1.1); metafiles read with libUEMF (GPL 2 or later); "
        "built on Qt 6 (LGPL 3).",
        "Copyright (c) Varnelle. All rights reserved.",
    };
}

AboutLines aboutLines(const SettingsStore& store, const SystemInfo& system, const std::string& version) {
    AboutLines lines;
    lines.caption = aboutCaption();
    lines.version = aboutVersionLine(version, static_cast<int>(sizeof(void*) * 8), system.platformName());
    lines.memory = aboutMemoryLine(system.memory());
    const std::string root = aboutDiskRoot(AppSettings::kSysDir.read(store));
    lines.disk = aboutDiskLine(root.empty() ? std::nullopt : system.diskSpace(root));
    lines.credits = aboutCredits();
    return lines;
}

} // namespace lumora
