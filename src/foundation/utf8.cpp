#include "foundation/utf8.h"

namespace lumora {

void appendUtf8(std::string& out, char32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

std::string utf8Of(char32_t cp) {
    std::string out;
    appendUtf8(out, cp);
    return out;
}

Utf8Char decodeUtf8At(std::string_view s, std::size_t at) {
    if (at >= s.size()) return {};
    const auto b0 = static_cast<unsigned char>(s[at]);
    if (b0 < 0x80) return {b0, 1};
    std::size_t len = 0;
    char32_t cp = 0;
    char32_t min = 0;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        cp = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        cp = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        cp = b0 & 0x07;
        min = 0x10000;
    } else {
        return {}; // a continuation byte or 0xF8..0xFF cannot start a character
    }
    if (s.size() - at < len) return {};
    for (std::size_t k = 1; k < len; ++k) {
        const auto b = static_cast<unsigned char>(s[at + k]);
        if ((b & 0xC0) != 0x80) return {};
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return {};
    return {cp, len};
}

bool nextCodePoint(std::string_view text, std::size_t& at, char32_t& cp) {
    const Utf8Char c = decodeUtf8At(text, at);
    if (c.length == 0) return false;
    cp = c.codePoint;
    at += c.length;
    return true;
}

std::size_t firstInvalidUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = decodeUtf8At(text, i).length;
        if (len == 0) return i;
        i += len;
    }
    return std::string_view::npos;
}

std::u32string codePointsOf(std::string_view text) {
    std::u32string out;
    out.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        char32_t cp = 0;
        if (nextCodePoint(text, at, cp)) {
            out.push_back(cp);
        } else {
            out.push_back(U'\uFFFD');
            ++at;
        }
    }
    return out;
}

} // namespace lumora
