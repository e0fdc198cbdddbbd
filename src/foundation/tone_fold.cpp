#include "foundation/tone_fold.h"

#include "foundation/utf8.h"

namespace lumora {

namespace {

// The plain lower-case letter of a tone-marked or capital Latin letter; 0 when `c` is none.
char32_t plainLetter(char32_t c) {
    switch (c) {
    case U'ā':
    case U'á':
    case U'ǎ':
    case U'à':
    case U'Ā':
    case U'Á':
    case U'Ǎ':
    case U'À':
    case U'â':
    case U'ä':
    case U'ã':
    case U'Â':
    case U'Ä':
    case U'Ã':
        return U'a';
    case U'ē':
    case U'é':
    case U'ě':
    case U'è':
    case U'Ē':
    case U'É':
    case U'Ě':
    case U'È':
    case U'ê':
    case U'ë':
    case U'Ê':
    case U'Ë':
        return U'e';
    case U'ī':
    case U'í':
    case U'ǐ':
    case U'ì':
    case U'Ī':
    case U'Í':
    case U'Ǐ':
    case U'Ì':
    case U'î':
    case U'ï':
    case U'Î':
    case U'Ï':
        return U'i';
    case U'ō':
    case U'ó':
    case U'ǒ':
    case U'ò':
    case U'Ō':
    case U'Ó':
    case U'Ǒ':
    case U'Ò':
    case U'ô':
    case U'ö':
    case U'õ':
    case U'Ô':
    case U'Ö':
    case U'Õ':
        return U'o';
    case U'ū':
    case U'ú':
    case U'ǔ':
    case U'ù':
    case U'Ū':
    case U'Ú':
    case U'Ǔ':
    case U'Ù':
    case U'û':
    case U'Û':
        return U'u';
    case U'ü':
    case U'ǖ':
    case U'ǘ':
    case U'ǚ':
    case U'ǜ':
    case U'Ü':
    case U'Ǖ':
    case U'Ǘ':
    case U'Ǚ':
    case U'Ǜ':
    case U'V':
    case U'v':
        return U'v';
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
        break;
    }
    if (c >= U'A' && c <= U'Z') return c - U'A' + U'a';
    return 0;
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
    std::u32string cps;
    cps.reserve(utf8.size());
    std::size_t at = 0;
    while (at < utf8.size()) {
        char32_t cp = 0;
        if (nextCodePoint(utf8, at, cp)) {
            cps.push_back(cp);
        } else {
            cps.push_back(U'\uFFFD');
            ++at;
        }
    }
    std::string out;
    for (const char32_t c : foldTones(cps))
        appendUtf8(out, c);
    return out;
}

} // namespace lumora
