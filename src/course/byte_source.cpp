#include "course/byte_source.h"

#include <cstring>
#include <limits>

namespace lumora {

bool MemorySource::read(std::uint64_t offset, void* dst, std::size_t n) {
    if (!holds(offset, n)) return false;
    if (n != 0) std::memcpy(dst, data_ + offset, n);
    return true;
}

StreamSource::StreamSource(std::istream& in) : in_(in) {
    in_.clear();
    const std::streampos start = in_.tellg();
    if (start == std::streampos(-1)) return; // not seekable: nothing is readable
    in_.seekg(0, std::ios::end);
    const std::streampos end = in_.tellg();
    in_.clear();
    in_.seekg(start);
    base_ = static_cast<std::streamoff>(start);
    if (end != std::streampos(-1) && end > start)
        size_ = static_cast<std::uint64_t>(static_cast<std::streamoff>(end) - base_);
}

bool StreamSource::read(std::uint64_t offset, void* dst, std::size_t n) {
    if (!holds(offset, n)) return false;
    if (n == 0) return true;
    if (n > static_cast<std::uint64_t>(std::numeric_limits<std::streamsize>::max())) return false;
    in_.clear();
    in_.seekg(base_ + static_cast<std::streamoff>(offset));
    if (!in_) return false;
    in_.read(static_cast<char*>(dst), static_cast<std::streamsize>(n));
    return in_.gcount() == static_cast<std::streamsize>(n);
}

void StreamSource::seek(std::uint64_t offset) {
    in_.clear();
    in_.seekg(base_ + static_cast<std::streamoff>(offset));
}

} // namespace lumora
