#include "content/json.h"

#include <cstdint>
#include <cstdio>

#include "foundation/utf8.h"

namespace lumora::content {

std::string jsonString(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size() + 2);
    out += '"';
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x80) {
            const std::size_t len = decodeUtf8At(utf8, i).length;
            if (len == 0) {
                out += "\\ufffd";
                ++i;
            } else {
                out.append(utf8, i, len);
                i += len;
            }
            continue;
        }
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
        ++i;
    }
    out += '"';
    return out;
}

} // namespace lumora::content
