#include "foundation/tone_fold.h"

#include "foundation/utf8.h"

namespace lumora {

PinyinLetter pinyinLetter(char32_t c) {
    if (c >= U'A' && c <= U'Z') c = c - U'A' + U'a';
    if (c >= U'a' && c <= U'z') return {static_cast<char>(c == U'v' ? 'v' : c), 0};
    struct Mark {
        char32_t cp;
        char base;
        int tone;
    };
    static const Mark marks[] = {
        {U'ā', 'a', 1}, {U'á', 'a', 2}, {U'ǎ', 'a', 3}, {U'à', 'a', 4}, {U'Ā', 'a', 1}, {U'Á', 'a', 2}, {U'Ǎ', 'a', 3},
        {U'À', 'a', 4}, {U'ē', 'e', 1}, {U'é', 'e', 2}, {U'ě', 'e', 3}, {U'è', 'e', 4}, {U'Ē', 'e', 1}, {U'É', 'e', 2},
        {U'Ě', 'e', 3}, {U'È', 'e', 4}, {U'ī', 'i', 1}, {U'í', 'i', 2}, {U'ǐ', 'i', 3}, {U'ì', 'i', 4}, {U'Ī', 'i', 1},
        {U'Í', 'i', 2}, {U'Ǐ', 'i', 3}, {U'Ì', 'i', 4}, {U'ō', 'o', 1}, {U'ó', 'o', 2}, {U'ǒ', 'o', 3}, {U'ò', 'o', 4},
        {U'Ō', 'o', 1}, {U'Ó', 'o', 2}, {U'Ǒ', 'o', 3}, {U'Ò', 'o', 4}, {U'ū', 'u', 1}, {U'ú', 'u', 2}, {U'ǔ', 'u', 3},
        {U'ù', 'u', 4}, {U'Ū', 'u', 1}, {U'Ú', 'u', 2}, {U'Ǔ', 'u', 3}, {U'Ù', 'u', 4}, {U'ǖ', 'v', 1}, {U'ǘ', 'v', 2},
        {U'ǚ', 'v', 3}, {U'ǜ', 'v', 4}, {U'Ǖ', 'v', 1}, {U'Ǘ', 'v', 2}, {U'Ǚ', 'v', 3}, {U'Ǜ', 'v', 4}, {U'ü', 'v', 0},
        {U'Ü', 'v', 0},
    };
    for (const Mark& m : marks)
        if (m.cp == c) return {m.base, m.tone};
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
