#include "foundation/help_file.h"

#include <cerrno>
#include <cstdlib>

namespace lumora {
namespace {

constexpr const char* kMagic = "LUMORA HELP 1";

bool isSpace(char c) {
    return c == ' ' || c == '\t';
}

std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && isSpace(s[b]))
        ++b;
    while (e > b && isSpace(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

// Reads a whole decimal int (optionally signed); false on anything else or overflow.
bool readInt(const std::string& s, int& out) {
    if (s.empty() || s.size() > 11) return false;
    std::size_t i = (s[0] == '-' || s[0] == '+') ? 1 : 0;
    if (i == s.size()) return false;
    for (std::size_t k = i; k < s.size(); ++k)
        if (s[k] < '0' || s[k] > '9') return false;
    errno = 0;
    const long long v = std::strtoll(s.c_str(), nullptr, 10);
    if (errno != 0 || v < -2147483647LL - 1 || v > 2147483647LL) return false;
    out = static_cast<int>(v);
    return true;
}

} // namespace

std::vector<HelpTopic> parseHelpFile(const std::string& input) {
    std::vector<HelpTopic> topics;
    std::string text = input;
    if (text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);

    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    if (lines.empty() || trimmed(lines[0]) != kMagic) return topics;

    bool inTopic = false; // false before the first topic and after a refused topic line
    std::string paragraph;
    auto flush = [&]() {
        if (inTopic && !paragraph.empty()) topics.back().paragraphs.push_back(paragraph);
        paragraph.clear();
    };
    for (std::size_t n = 1; n < lines.size(); ++n) {
        const std::string& line = lines[n];
        if (line.rfind("@topic", 0) == 0 && (line.size() == 6 || isSpace(line[6]))) {
            flush();
            const std::string rest = trimmed(line.substr(6));
            std::size_t sp = 0;
            while (sp < rest.size() && !isSpace(rest[sp]))
                ++sp;
            int context = 0;
            inTopic = readInt(rest.substr(0, sp), context);
            if (inTopic) topics.push_back(HelpTopic{context, trimmed(rest.substr(sp)), {}});
            continue;
        }
        std::string body = line;
        if (body.rfind("@@", 0) == 0) {
            body.erase(0, 1);
        } else if (!body.empty() && body[0] == '@') {
            continue; // a directive of a later version
        }
        if (trimmed(body).empty()) {
            flush();
            continue;
        }
        if (!paragraph.empty()) paragraph.push_back('\n');
        paragraph += body;
    }
    flush();
    return topics;
}

std::string formatHelpFile(const std::vector<HelpTopic>& topics) {
    std::string out = std::string(kMagic) + "\n";
    for (const HelpTopic& topic : topics) {
        std::string title;
        for (char c : topic.title)
            title.push_back(c == '\n' || c == '\r' ? ' ' : c);
        out += "@topic " + std::to_string(topic.context) + (title.empty() ? "" : " " + title) + "\n";
        bool first = true;
        for (const std::string& paragraph : topic.paragraphs) {
            std::string body;
            std::size_t start = 0;
            while (start <= paragraph.size()) {
                std::size_t end = paragraph.find('\n', start);
                if (end == std::string::npos) end = paragraph.size();
                std::string line = paragraph.substr(start, end - start);
                if (!line.empty() && line.back() == '\r') line.pop_back();
                start = end + 1;
                if (trimmed(line).empty()) continue;
                if (line[0] == '@') line.insert(0, "@");
                body += line + "\n";
            }
            if (body.empty()) continue;
            if (!first) out += "\n";
            out += body;
            first = false;
        }
    }
    return out;
}

const HelpTopic* findHelpTopic(const std::vector<HelpTopic>& topics, int context) {
    for (const HelpTopic& t : topics)
        if (t.context == context) return &t;
    return nullptr;
}

} // namespace lumora
