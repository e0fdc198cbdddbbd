#include "foundation/tone_fold.h"

#include "foundation/utf8.h"

namespace lumora {

namespace {

// The tone-marked forms, tones 1 to 4, of the six pinyin vowels in lower and upper case.
struct ToneRow {
    char32_t plain;
    char base; // plain lower-case letter, 'v' for ü
    char32_t marked[4];
};
constexpr ToneRow kToneRows[] = {
    {U'a', 'a', {U'ā', U'á', U'ǎ', U'à'}}, {U'e', 'e', {U'ē', U'é', U'ě', U'è'}},
    {U'i', 'i', {U'ī', U'í', U'ǐ', U'ì'}}, {U'o', 'o', {U'ō', U'ó', U'ǒ', U'ò'}},
    {U'u', 'u', {U'ū', U'ú', U'ǔ', U'ù'}}, {U'ü', 'v', {U'ǖ', U'ǘ', U'ǚ', U'ǜ'}},
    {U'A', 'a', {U'Ā', U'Á', U'Ǎ', U'À'}}, {U'E', 'e', {U'Ē', U'É', U'Ě', U'È'}},
    {U'I', 'i', {U'Ī', U'Í', U'Ǐ', U'Ì'}}, {U'O', 'o', {U'Ō', U'Ó', U'Ǒ', U'Ò'}},
    {U'U', 'u', {U'Ū', U'Ú', U'Ǔ', U'Ù'}}, {U'Ü', 'v', {U'Ǖ', U'Ǘ', U'Ǚ', U'Ǜ'}},
};

} // namespace

char32_t toneMarkedVowel(char32_t vowel, int tone) {
    if (tone < 1 || tone > 4) return vowel;
    for (const ToneRow& row : kToneRows)
        if (row.plain == vowel) return row.marked[tone - 1];
    return vowel;
}

PinyinLetter pinyinLetter(char32_t c) {
    if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
    if (c >= U'a' && c <= U'z') return {static_cast<char>(c), 0};
    for (const ToneRow& row : kToneRows) {
        if (row.plain == c) return {row.base, 0}; // ü and Ü
        for (int t = 0; t < 4; ++t)
            if (row.marked[t] == c) return {row.base, t + 1};
    }
    return {};
}

namespace {

// Other accented Latin letters that a key or a text may hold, folded to their plain letter.
char32_t otherPlainLetter(char32_t c) {
    switch (c) {
    case U'â':
    case U'ä':
    case U'ã':
    case U'Â':
    case U'Ä':
    case U'Ã':
        return U'a';
    case U'ê':
    case U'ë':
    case U'Ê':
    case U'Ë':
        return U'e';
    case U'î':
    case U'ï':
    case U'Î':
    case U'Ï':
        return U'i';
    case U'ô':
    case U'ö':
    case U'õ':
    case U'Ô':
    case U'Ö':
    case U'Õ':
        return U'o';
    case U'û':
    case U'Û':
        return U'u';
    case U'ń':
    case U'ň':
    case U'ǹ':
    case U'Ń':
    case U'Ň':
    case U'Ǹ':
    case U'ñ':
    case U'Ñ':
        return U'n';
    case U'ḿ':
    case U'Ḿ':
        return U'm';
    case U'ç':
    case U'Ç':
        return U'c';
    default:
        return 0;
    }
}

// The plain lower-case letter of a tone-marked, accented or capital Latin letter ('v' for ü and v);
// 0 when `c` is none.
char32_t plainLetter(char32_t c) {
    const PinyinLetter l = pinyinLetter(c);
    if (l.base == 'v' || l.tone != 0 || (c >= U'A' && c <= U'Z')) return static_cast<char32_t>(l.base);
    return otherPlainLetter(c);
}

bool isLetter(char32_t c) {
    return (c >= U'a' && c <= U'z') || plainLetter(c) != 0;
}

} // namespace

std::u32string foldTones(std::u32string_view text) {
    std::u32string out;
    out.reserve(text.size());
    bool afterLetter = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == U' ' || c == U'\t') {
            afterLetter = false;
            continue;
        }
        if (c >= U'1' && c <= U'5' && afterLetter) {
            afterLetter = false; // one tone number a syllable
            continue;
        }
        if ((c == U'u' || c == U'U') && i + 1 < text.size() && text[i + 1] == U':') {
            out.push_back(U'v');
            ++i;
            afterLetter = true;
            continue;
        }
        const char32_t plain = plainLetter(c);
        out.push_back(plain != 0 ? plain : c);
        afterLetter = isLetter(c);
    }
    return out;
}

std::string foldTonesUtf8(std::string_view utf8) {
    std::string out;
    for (const char32_t c : foldTones(codePointsOf(utf8)))
        appendUtf8(out, c);
    return out;
}

} // namespace lumora
