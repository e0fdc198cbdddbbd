#include "content/json_reader.h"

#include <vector>

#include "foundation/utf8.h"

namespace lumora::content {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

void JsonReader::skipSpace() {
    while (pos_ < text_.size() &&
           (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r'))
        ++pos_;
}

char JsonReader::peek() {
    if (failed_) return 0;
    skipSpace();
    return pos_ < text_.size() ? text_[pos_] : 0;
}

bool JsonReader::expect(char c) {
    if (peek() != c || c == 0) return fail();
    ++pos_;
    return true;
}

bool JsonReader::next(char close, bool& first) {
    const char c = peek();
    if (failed_) return false;
    if (c == close) {
        ++pos_;
        return false;
    }
    if (!first && !expect(',')) return false;
    first = false;
    if (peek() == close) return fail(); // a trailing comma
    return !failed_;
}

std::optional<std::string> JsonReader::string() {
    if (!expect('"')) return std::nullopt;
    std::string out;
    while (true) {
        if (pos_ >= text_.size()) {
            fail();
            return std::nullopt;
        }
        const char c = text_[pos_++];
        if (c == '"') return out;
        if (static_cast<unsigned char>(c) < 0x20) {
            fail();
            return std::nullopt;
        }
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (pos_ >= text_.size()) {
            fail();
            return std::nullopt;
        }
        const char e = text_[pos_++];
        switch (e) {
        case '"':
            out.push_back('"');
            break;
        case '\\':
            out.push_back('\\');
            break;
        case '/':
            out.push_back('/');
            break;
        case 'b':
            out.push_back('\b');
            break;
        case 'f':
            out.push_back('\f');
            break;
        case 'n':
            out.push_back('\n');
            break;
        case 'r':
            out.push_back('\r');
            break;
        case 't':
            out.push_back('\t');
            break;
        case 'u': {
            auto hex4 = [&](char32_t& v) {
                if (pos_ + 4 > text_.size()) return false;
                v = 0;
                for (int k = 0; k < 4; ++k) {
                    const int h = hexValue(text_[pos_++]);
                    if (h < 0) return false;
                    v = (v << 4) | static_cast<char32_t>(h);
                }
                return true;
            };
            char32_t v = 0;
            if (!hex4(v)) {
                fail();
                return std::nullopt;
            }
            if (v >= 0xD800 && v <= 0xDBFF && pos_ + 1 < text_.size() && text_[pos_] == '\\' &&
                text_[pos_ + 1] == 'u') {
                pos_ += 2;
                char32_t low = 0;
                if (!hex4(low)) {
                    fail();
                    return std::nullopt;
                }
                if (low >= 0xDC00 && low <= 0xDFFF)
                    v = 0x10000 + ((v - 0xD800) << 10) + (low - 0xDC00);
                else
                    v = 0xFFFD;
            } else if (v >= 0xD800 && v <= 0xDFFF) {
                v = 0xFFFD;
            }
            appendUtf8(out, v);
            break;
        }
        default:
            fail();
            return std::nullopt;
        }
    }
}

std::optional<std::string> JsonReader::key() {
    auto k = string();
    if (!k || !expect(':')) return std::nullopt;
    return k;
}

std::optional<std::int64_t> JsonReader::integer() {
    peek();
    if (failed_) return std::nullopt;
    std::size_t start = pos_;
    bool negative = false;
    if (pos_ < text_.size() && text_[pos_] == '-') {
        negative = true;
        ++pos_;
    }
    std::int64_t v = 0;
    std::size_t digits = 0;
    while (pos_ < text_.size() && text_[pos_] >= '0' && text_[pos_] <= '9') {
        if (++digits > 18) {
            fail();
            return std::nullopt;
        }
        v = v * 10 + (text_[pos_++] - '0');
    }
    if (digits == 0 || (pos_ < text_.size() && (text_[pos_] == '.' || text_[pos_] == 'e' || text_[pos_] == 'E'))) {
        pos_ = start;
        fail();
        return std::nullopt;
    }
    return negative ? -v : v;
}

bool JsonReader::skip() {
    // Iterative, with an explicit stack of open containers.
    std::vector<std::pair<char, bool>> stack; // closing bracket, first element
    while (true) {
        const char c = peek();
        if (failed_) return false;
        if (c == '{' || c == '[') {
            if (stack.size() >= 256) return fail();
            ++pos_;
            stack.emplace_back(c == '{' ? '}' : ']', true);
        } else if (c == '"') {
            if (!string()) return false;
        } else if (c == 't' || c == 'f' || c == 'n') {
            const std::string_view word = c == 't' ? "true" : c == 'f' ? "false" : "null";
            if (text_.substr(pos_, word.size()) != word) return fail();
            pos_ += word.size();
        } else if (c == '-' || (c >= '0' && c <= '9')) {
            ++pos_;
            while (pos_ < text_.size() &&
                   (std::string_view("0123456789.eE+-").find(text_[pos_]) != std::string_view::npos))
                ++pos_;
        } else {
            return fail();
        }
        // After a value: close containers that end here, or step to their next element.
        while (!stack.empty()) {
            auto& [close, first] = stack.back();
            if (first) {
                // The value just read opened this container: look at its first element.
                first = false;
                if (peek() == close) {
                    ++pos_;
                    stack.pop_back();
                    continue;
                }
                if (close == '}' && !key()) return false;
                break;
            }
            const char d = peek();
            if (d == close) {
                ++pos_;
                stack.pop_back();
                continue;
            }
            if (!expect(',')) return false;
            if (close == '}' && !key()) return false;
            break;
        }
        if (stack.empty()) return !failed_;
    }
}

} // namespace lumora::content
