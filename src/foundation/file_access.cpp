#include "foundation/file_access.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>
#include <vector>

#include "foundation/app_settings.h"
#include "foundation/atomic_file.h"

namespace lumora {
namespace fs = std::filesystem;

namespace {

bool equalsNoCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// Splits on both separators, dropping empty components.
std::vector<std::string> components(const std::string& text) {
    std::vector<std::string> out;
    std::string cur;
    for (char c : text) {
        if (c == '\\' || c == '/') {
            if (!cur.empty()) out.push_back(cur);
            cur.clear();
        } else {
            cur.push_back(c);
        }
    }
    if (!cur.empty()) out.push_back(cur);
    return out;
}

fs::path joinMatching(fs::path base, const std::vector<std::string>& parts) {
    bool searching = true; // once a component is missing, the rest cannot exist either
    for (const std::string& part : parts) {
        if (part == ".") continue;
        fs::path exact = base / part;
        std::error_code ec;
        if (!searching || part == ".." || fs::exists(fs::symlink_status(exact, ec))) {
            base = exact;
            continue;
        }
        bool found = false;
        const fs::path dir = base.empty() ? fs::path(".") : base;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (equalsNoCase(name, part)) {
                base = base / name;
                found = true;
                break;
            }
        }
        if (!found) {
            base = exact;
            searching = false;
        }
    }
    return base;
}

} // namespace

fs::path resolveContentPath(const std::string& name, const DriveTable& drives) {
    if (name.empty()) return {};
    std::string rest = name;
    fs::path base;
    if (rest.size() >= 2 && rest[1] == ':' && std::isalpha(static_cast<unsigned char>(rest[0]))) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(rest[0])));
        auto it = drives.find(letter);
        if (it == drives.end() || it->second.empty()) return {};
        base = fs::path(it->second);
        rest = rest.substr(2);
    } else if (rest[0] == '/' || rest[0] == '\\') {
        base = fs::path("/");
    }
    return joinMatching(base, components(rest));
}

FileAccess::FileAccess(const SettingsStore& store, DriveTable defaults) : store_(store), defaults_(std::move(defaults)) {}

fs::path FileAccess::resolve(const std::string& name) const {
    if (name.size() >= 2 && name[1] == ':' && std::isalpha(static_cast<unsigned char>(name[0]))) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
        auto it = defaults_.find(letter);
        const std::string def = it == defaults_.end() ? std::string() : it->second;
        DriveTable one{{letter, store_.readString(AppSettings::kDrivesSection, std::string(1, letter), def)}};
        return resolveContentPath(name, one);
    }
    return resolveContentPath(name, {});
}

bool FileAccess::exists(const std::string& name) const {
    const fs::path p = resolve(name);
    std::error_code ec;
    return !p.empty() && fs::is_regular_file(p, ec);
}

std::optional<std::uint64_t> FileAccess::size(const std::string& name) const {
    const fs::path p = resolve(name);
    std::error_code ec;
    if (p.empty() || !fs::is_regular_file(p, ec)) return std::nullopt;
    const auto n = fs::file_size(p, ec);
    if (ec) return std::nullopt;
    return n;
}

std::optional<Bytes> FileAccess::readAt(const std::string& name, std::uint64_t offset, std::size_t length) const {
    const fs::path p = resolve(name);
    if (p.empty()) return std::nullopt;
    std::ifstream in(p, std::ios::binary);
    if (!in) return std::nullopt;
    in.seekg(static_cast<std::streamoff>(offset));
    if (!in) return std::nullopt;
    Bytes buf(length);
    in.read(reinterpret_cast<char*>(buf.data()), static_cast<std::streamsize>(length));
    if (static_cast<std::size_t>(in.gcount()) != length) return std::nullopt;
    return buf;
}

std::optional<Bytes> FileAccess::readAll(const std::string& name, std::uint64_t maxBytes) const {
    const auto n = size(name);
    if (!n || *n > maxBytes) return std::nullopt;
    return readAt(name, 0, static_cast<std::size_t>(*n));
}

bool FileAccess::writeAtomically(const std::string& name, const Bytes& data) const {
    const fs::path p = resolve(name);
    if (p.empty()) return false;
    return writeFileAtomically(p, std::string_view(reinterpret_cast<const char*>(data.data()), data.size()));
}

bool isSafeStem(const std::string& stem) {
    if (stem.empty()) return false;
    if (stem.find_first_of("/\\:") != std::string::npos) return false;
    if (stem.find("..") != std::string::npos) return false;
    return true;
}

} // namespace lumora
