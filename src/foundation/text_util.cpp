#include "foundation/text_util.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace lumora {

std::string tabField(const std::string& text, int n) {
    if (text.empty()) return {};
    std::size_t i = 0;
    if (n > 1) {
        int tabs = 0;
        while (i < text.size() && tabs < n - 1) {
            if (text[i] == '\n') {
                ++i; // the copy starts after the line feed
                break;
            }
            if (text[i] == '\t') ++tabs;
            ++i;
        }
    }
    std::string out;
    while (i < text.size() && text[i] != '\t' && text[i] != '\n') out.push_back(text[i++]);
    return out;
}

std::string fixedField(const std::uint8_t* record, std::size_t offset, std::size_t width) {
    const std::uint8_t* p = record + offset;
    std::size_t len = 0;
    while (len < width && p[len] != 0) ++len;
    return std::string(reinterpret_cast<const char*>(p), len);
}

std::string fixedField(const Bytes& record, std::size_t offset, std::size_t width) {
    if (offset >= record.size()) return {};
    if (offset + width > record.size()) width = record.size() - offset;
    return fixedField(record.data(), offset, width);
}

void putFixedField(Bytes& record, std::size_t offset, std::size_t width, const std::string& text) {
    if (record.size() < offset + width) record.resize(offset + width, 0);
    for (std::size_t i = 0; i < width; ++i)
        record[offset + i] = i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0;
}

std::uint16_t le16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | (p[1] << 8)); }
std::uint32_t le32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
std::int32_t les32(const std::uint8_t* p) { return static_cast<std::int32_t>(le32(p)); }
void putLe16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
void putLe32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::string format(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    va_list ap2;
    va_copy(ap2, ap);
    const int n = std::vsnprintf(nullptr, 0, fmt, ap);
    va_end(ap);
    std::string out;
    if (n > 0) {
        std::vector<char> buf(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(buf.data(), buf.size(), fmt, ap2);
        out.assign(buf.data(), static_cast<std::size_t>(n));
    }
    va_end(ap2);
    return out;
}

} // namespace lumora
