#include "foundation/pinyin.h"

#include "foundation/utf8.h"

namespace lumora {

namespace {

struct Letter {
    char base = 0; // 'a'..'z', 'v' for ü; 0 when not a letter
    int tone = 0;  // 1..4 for a marked vowel
};

// Tone-marked vowels, lower and upper case, and ü.
Letter letterOf(char32_t c) {
    if (c >= 'A' && c <= 'Z') c = c - 'A' + 'a';
    if (c >= 'a' && c <= 'z') return {static_cast<char>(c), 0};
    struct Mark {
        char32_t cp;
        char base;
        int tone;
    };
    static const Mark marks[] = {
        {U'ā', 'a', 1}, {U'á', 'a', 2}, {U'ǎ', 'a', 3}, {U'à', 'a', 4}, {U'Ā', 'a', 1}, {U'Á', 'a', 2},
        {U'Ǎ', 'a', 3}, {U'À', 'a', 4}, {U'ē', 'e', 1}, {U'é', 'e', 2}, {U'ě', 'e', 3}, {U'è', 'e', 4},
        {U'Ē', 'e', 1}, {U'É', 'e', 2}, {U'Ě', 'e', 3}, {U'È', 'e', 4}, {U'ī', 'i', 1}, {U'í', 'i', 2},
        {U'ǐ', 'i', 3}, {U'ì', 'i', 4}, {U'Ī', 'i', 1}, {U'Í', 'i', 2}, {U'Ǐ', 'i', 3}, {U'Ì', 'i', 4},
        {U'ō', 'o', 1}, {U'ó', 'o', 2}, {U'ǒ', 'o', 3}, {U'ò', 'o', 4}, {U'Ō', 'o', 1}, {U'Ó', 'o', 2},
        {U'Ǒ', 'o', 3}, {U'Ò', 'o', 4}, {U'ū', 'u', 1}, {U'ú', 'u', 2}, {U'ǔ', 'u', 3}, {U'ù', 'u', 4},
        {U'Ū', 'u', 1}, {U'Ú', 'u', 2}, {U'Ǔ', 'u', 3}, {U'Ù', 'u', 4}, {U'ǖ', 'v', 1}, {U'ǘ', 'v', 2},
        {U'ǚ', 'v', 3}, {U'ǜ', 'v', 4}, {U'Ǖ', 'v', 1}, {U'Ǘ', 'v', 2}, {U'Ǚ', 'v', 3}, {U'Ǜ', 'v', 4},
        {U'ü', 'v', 0}, {U'Ü', 'v', 0},
    };
    for (const Mark& m : marks)
        if (m.cp == c) return {m.base, m.tone};
    return {};
}

std::u32string codePoints(const std::string& utf8) {
    std::u32string out;
    std::size_t at = 0;
    char32_t cp = 0;
    while (at < utf8.size()) {
        if (nextCodePoint(utf8, at, cp))
            out.push_back(cp);
        else
            ++at; // an invalid byte is skipped
    }
    return out;
}

bool isSpace(char32_t c) { return c == ' ' || c == '\t' || c == 0xA0 || c == 0x3000; }

} // namespace

std::vector<PinyinSyllable> pinyinSyllables(const std::string& utf8, std::string* punctuation) {
    std::vector<PinyinSyllable> out;
    const std::u32string text = codePoints(utf8);
    PinyinSyllable cur;
    bool open = false;
    auto finish = [&](int tone) {
        if (!open) return;
        if (tone != 0) cur.tone = tone;
        if (cur.tone == 0) cur.tone = 5;
        out.push_back(cur);
        cur = {};
        open = false;
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        const Letter l = letterOf(c);
        if (l.base != 0) {
            if (!open) {
                cur = {};
                cur.tone = 0;
                open = true;
            }
            // "u:" is ü.
            if (l.base == 'u' && i + 1 < text.size() && text[i + 1] == ':') {
                cur.letters.push_back('v');
                ++i;
            } else {
                cur.letters.push_back(l.base);
            }
            if (l.tone != 0 && cur.tone == 0) cur.tone = l.tone;
            continue;
        }
        if (c >= '0' && c <= '5' && open) {
            finish(c == '0' ? 5 : static_cast<int>(c - '0'));
            continue;
        }
        finish(0);
        if (punctuation && !isSpace(c)) appendUtf8(*punctuation, c);
    }
    finish(0);
    return out;
}

std::string foldPinyinTones(const std::string& utf8) {
    std::string out;
    for (char32_t c : codePoints(utf8)) {
        const Letter l = letterOf(c);
        if (l.base == 'v' && c != 'v' && c != 'V')
            out += "\xC3\xBC"; // ü
        else if (l.base != 0)
            out.push_back(l.base);
        else
            appendUtf8(out, c);
    }
    return out;
}

namespace {

std::string toneName(int tone) { return tone == 5 ? "5 (neutral)" : std::to_string(tone); }

} // namespace

std::string pinyinHint(const std::string& typedUtf8, const std::string& modelUtf8) {
    std::string typedMarks, modelMarks;
    const auto typed = pinyinSyllables(typedUtf8, &typedMarks);
    const auto model = pinyinSyllables(modelUtf8, &modelMarks);
    if (typed.empty() && typedMarks.empty()) return {};
    const std::size_t n = typed.size() < model.size() ? typed.size() : model.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::string k = std::to_string(i + 1);
        if (typed[i].letters != model[i].letters) return "spelling of syllable " + k;
        if (typed[i].tone != model[i].tone)
            return "tone of syllable " + k + ": you typed " + toneName(typed[i].tone) + ", it is " +
                   toneName(model[i].tone);
    }
    if (typed.size() < model.size()) return "missing syllable " + std::to_string(typed.size() + 1);
    if (typed.size() > model.size()) return "extra syllable " + std::to_string(model.size() + 1);
    if (typedMarks != modelMarks) return "punctuation";
    return "right";
}

} // namespace lumora
