#include "content/utf8.h"

#include <cstdio>

namespace lumora::content {
namespace {

// Length of the sequence starting at `i`, or 0 when it is malformed.
std::size_t sequenceLength(const std::string& s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t len = 0;
    char32_t min = 0;
    char32_t cp = 0;
    if (b < 0x80) return 1;
    if ((b & 0xE0) == 0xC0) {
        len = 2;
        min = 0x80;
        cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        len = 3;
        min = 0x800;
        cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        len = 4;
        min = 0x10000;
        cp = b & 0x07;
    } else {
        return 0;
    }
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return len;
}

} // namespace

std::size_t firstInvalidUtf8(const std::string& text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = sequenceLength(text, i);
        if (len == 0) return i;
        i += len;
    }
    return std::string::npos;
}

std::vector<std::string> utf8Characters(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = sequenceLength(text, i);
        if (len == 0) len = 1;
        out.push_back(text.substr(i, len));
        i += len;
    }
    return out;
}

std::string codePointName(const std::string& c) {
    char32_t cp = 0;
    if (c.empty()) return "U+0000";
    const auto b = static_cast<unsigned char>(c[0]);
    std::size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : 4;
    cp = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
    for (std::size_t k = 1; k < len && k < c.size(); ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(c[k]) & 0x3F);
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(cp));
    return buf;
}

std::string cutUtf8(const std::string& text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

} // namespace lumora::content
