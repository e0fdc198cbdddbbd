#include "foundation/atomic_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <random>
#include <system_error>

namespace lumora {
namespace fs = std::filesystem;

namespace {

std::string randomTag() {
    static thread_local std::mt19937_64 engine{[] {
        std::random_device rd;
        return (static_cast<std::uint64_t>(rd()) << 32) ^ rd();
    }()};
    static constexpr char kHex[] = "0123456789abcdef";
    std::uint64_t v = engine();
    std::string tag(12, '0');
    for (char& c : tag) {
        c = kHex[v & 0xF];
        v >>= 4;
    }
    return tag;
}

} // namespace

AtomicFile::AtomicFile(fs::path target, std::string_view suffix) : target_(std::move(target)) {
    if (target_.empty() || !target_.has_filename()) {
        failed("no file named");
        return;
    }
    std::error_code ec;
    const fs::path dir = target_.parent_path();
    if (!dir.empty() && !fs::is_directory(dir, ec)) {
        fs::create_directories(dir, ec);
        if (ec) {
            failed("cannot create the folder: " + ec.message());
            return;
        }
    }
    // "x": the file is created new, so two writers never share a temporary file.
    for (int attempt = 0; attempt < 64; ++attempt) {
        const fs::path candidate = dir / ("." + target_.filename().string() + "." + randomTag() + std::string(suffix));
        errno = 0;
        std::FILE* f = std::fopen(candidate.c_str(), "wbx");
        if (f) {
            temp_ = candidate;
            if (std::fclose(f) != 0) failed("cannot create a temporary file");
            return;
        }
        if (errno != EEXIST) {
            failed(std::string("cannot create a temporary file: ") + std::strerror(errno));
            return;
        }
    }
    failed("cannot create a temporary file with a new name");
}

AtomicFile::~AtomicFile() {
    if (!temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
    }
}

bool AtomicFile::failed(const std::string& reason) {
    error_ = target_.string() + ": cannot be written: " + reason;
    if (!temp_.empty()) {
        std::error_code ec;
        fs::remove(temp_, ec);
        temp_.clear();
    }
    return false;
}

bool AtomicFile::write(std::string_view data) {
    if (!ok()) return false;
    std::FILE* f = std::fopen(temp_.c_str(), "wb");
    if (!f) return failed(std::string("cannot open the temporary file: ") + std::strerror(errno));
    const bool written = data.empty() || std::fwrite(data.data(), 1, data.size(), f) == data.size();
    const bool flushed = std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    if (!written || !flushed || !closed) return failed("the data could not be stored (disk full?)");
    return true;
}

bool AtomicFile::commit() {
    if (!ok()) return false;
    std::error_code ec;
    fs::rename(temp_, target_, ec);
    if (ec) return failed(ec.message());
    temp_.clear();
    return true;
}

bool writeFileAtomically(const fs::path& target, std::string_view data, std::string* error) {
    AtomicFile file(target);
    if (file.write(data) && file.commit()) return true;
    if (error) *error = file.error();
    return false;
}

} // namespace lumora
