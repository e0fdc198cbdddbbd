#include "foundation/pinyin.h"

#include "foundation/tone_fold.h"
#include "foundation/utf8.h"

namespace lumora {

namespace {

// The code points of a typed line; bytes that are not valid UTF-8 are skipped.
std::u32string typedCodePoints(const std::string& utf8) {
    std::u32string out = codePointsOf(utf8);
    std::erase(out, U'\uFFFD');
    return out;
}

bool isSpace(char32_t c) { return c == ' ' || c == '\t' || c == 0xA0 || c == 0x3000; }

} // namespace

std::vector<PinyinSyllable> pinyinSyllables(const std::string& utf8, std::string* punctuation) {
    std::vector<PinyinSyllable> out;
    const std::u32string text = typedCodePoints(utf8);
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
        const PinyinLetter l = pinyinLetter(c);
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
    for (char32_t c : typedCodePoints(utf8)) {
        const PinyinLetter l = pinyinLetter(c);
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
