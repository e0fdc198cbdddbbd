#pragma once
// Folding a text for a tone-blind comparison of pinyin: "nǐ hǎo", "ni3 hao3", "Ni Hao" and "nihao"
// all fold to "nihao". The fold
//   - turns every tone-marked vowel into its plain vowel (ā á ǎ à a -> a, ...);
//   - writes ü (with or without a tone mark), "u:" and v alike, as "v" ("lǜ", "lu:4", "lv" -> "lv");
//   - drops a tone number 1 to 5 that follows a letter ("hao3" -> "hao");
//   - drops spaces (and tabs);
//   - lowers the case of Latin letters (A-Z, the Latin-1 capitals and the tone-marked capitals).
// Everything else stays as it is. Input and output are UTF-8; malformed bytes are kept one by one as
// U+FFFD, so the fold never fails.
#include <string>
#include <string_view>

namespace lumora {

// A pinyin letter: its plain lower-case base ('v' for ü, however it is written) and the tone its
// mark carries (1..4; 0 without a mark). `base` is 0 for anything but a Latin letter a-z/A-Z, a
// tone-marked vowel or ü.
struct PinyinLetter {
    char base = 0;
    int tone = 0;
};
PinyinLetter pinyinLetter(char32_t c);

// The tone-marked form of a pinyin vowel (a e i o u ü, lower or upper case) for tone 1 to 4; any
// other letter, and any other tone, comes back as it is.
char32_t toneMarkedVowel(char32_t vowel, int tone);

std::u32string foldTones(std::u32string_view text);
std::string foldTonesUtf8(std::string_view utf8);

} // namespace lumora
