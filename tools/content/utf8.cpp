#include "content/utf8.h"

#include <cstdio>

namespace lumora::content {

std::vector<std::string> utf8Characters(const std::string& text) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = decodeUtf8At(text, i).length;
        if (len == 0) len = 1;
        out.push_back(text.substr(i, len));
        i += len;
    }
    return out;
}

std::string codePointName(const std::string& c) {
    if (c.empty()) return "U+0000";
    const Utf8Char ch = decodeUtf8At(c, 0);
    char buf[16];
    std::snprintf(buf, sizeof buf, "U+%04X", static_cast<unsigned>(ch.length == 0 ? char32_t{0xFFFD} : ch.codePoint));
    return buf;
}

} // namespace lumora::content
