#include "content/pinyin.h"

#include <vector>

#include "foundation/tone_fold.h"
#include "foundation/utf8.h"

namespace lumora::content {
namespace {

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isUpper(char32_t c) {
    return (c >= 'A' && c <= 'Z') || c == 0xDC;
}
char32_t lower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + ('a' - 'A');
    if (c == 0xDC) return 0xFC;
    return c;
}

bool isVowel(char32_t c) {
    const char32_t l = lower(c);
    return l == 'a' || l == 'e' || l == 'i' || l == 'o' || l == 'u' || l == 0xFC;
}

// Index of the letter that carries the tone mark, or -1 when the syllable has no vowel.
int markPosition(const std::vector<char32_t>& letters) {
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const char32_t l = lower(letters[i]);
        if (l == 'a' || l == 'e') return static_cast<int>(i);
    }
    for (std::size_t i = 0; i + 1 < letters.size(); ++i)
        if (lower(letters[i]) == 'o' && lower(letters[i + 1]) == 'u') return static_cast<int>(i);
    for (std::size_t i = letters.size(); i-- > 0;)
        if (isVowel(letters[i])) return static_cast<int>(i);
    return -1;
}

} // namespace

std::string numberedToToneMarks(const std::string& typed) {
    std::string out;
    const std::size_t n = typed.size();
    std::size_t i = 0;
    while (i < n) {
        if (!isAsciiLetter(typed[i])) {
            out.push_back(typed[i++]);
            continue;
        }
        // One run of letters; "u:" is one letter, ü.
        std::vector<char32_t> letters;
        std::size_t j = i;
        while (j < n) {
            if (isAsciiLetter(typed[j])) {
                letters.push_back(static_cast<unsigned char>(typed[j]));
                ++j;
            } else if (typed[j] == ':' && !letters.empty() && lower(letters.back()) == 'u') {
                letters.back() = letters.back() == 'U' ? 0xDC : 0xFC;
                ++j;
            } else {
                break;
            }
        }
        int tone = 0;
        if (j < n && typed[j] >= '1' && typed[j] <= '5') {
            tone = typed[j] - '0';
            ++j;
        }
        bool restLower = letters.size() >= 2;
        for (std::size_t k = 1; k < letters.size() && restLower; ++k)
            if (isUpper(letters[k])) restLower = false;
        if (restLower)
            for (char32_t& c : letters) {
                if (c == 'v') c = 0xFC;
                if (c == 'V') c = 0xDC;
            }
        if (tone >= 1 && tone <= 4) {
            const int at = markPosition(letters);
            if (at >= 0) letters[static_cast<std::size_t>(at)] = toneMarkedVowel(letters[static_cast<std::size_t>(at)], tone);
        }
        for (char32_t c : letters)
            appendUtf8(out, c);
        i = j;
    }
    return out;
}

std::string toneMarksInProse(const std::string& text) {
    const auto isLetter = [](char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); };
    const auto isVowel = [](char c) {
        switch (c) {
        case 'a': case 'e': case 'i': case 'o': case 'u': case 'v':
        case 'A': case 'E': case 'I': case 'O': case 'U': case 'V':
            return true;
        default:
            return false;
        }
    };
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isLetter(text[i]) || (i > 0 && (isLetter(text[i - 1]) || (text[i - 1] >= '0' && text[i - 1] <= '9')))) {
            out.push_back(text[i++]);
            continue;
        }
        std::size_t j = i;
        bool vowel = false;
        while (j < text.size() && (isLetter(text[j]) || text[j] == ':')) vowel = isVowel(text[j++]) || vowel;
        const bool toneDigit = j < text.size() && text[j] >= '1' && text[j] <= '5';
        const bool ends = j + 1 >= text.size() || !(isLetter(text[j + 1]) || (text[j + 1] >= '0' && text[j + 1] <= '9'));
        if (vowel && toneDigit && ends) {
            out += numberedToToneMarks(text.substr(i, j + 1 - i));
            i = j + 1;
        } else {
            out.append(text, i, j - i);
            i = j;
        }
    }
    return out;
}

} // namespace lumora::content
