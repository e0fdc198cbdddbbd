#pragma once
// Pinyin as people type it, syllable by syllable: tone numbers ("hao3") or tone-marked vowels
// ("hǎo"), "ü" typed as "ü", "v" or "u:", any case, any spacing. Used to explain a typed line that
// does not match its model ("tone of syllable 2: you typed 3, it is 2") and to fold tones where
// pinyin is compared loosely.
#include <string>
#include <vector>

namespace lumora {

struct PinyinSyllable {
    std::string letters; // lower case, "ü" as "v", no tone
    int tone = 5;        // 1..4; 5 for the neutral tone (no mark, no number, or 5/0)
    bool operator==(const PinyinSyllable&) const = default;
};

// The syllables of a UTF-8 line: runs of letters, each ended by a tone number, a separator or
// punctuation. A run typed without any of these ("nihao") is one syllable (carrying its first tone
// mark). `punctuation` receives the other visible characters in order (spaces dropped).
std::vector<PinyinSyllable> pinyinSyllables(const std::string& utf8, std::string* punctuation = nullptr);

// The same line with its tones removed and its letters folded ("Nǐ hǎo!" -> "ni hao!").
std::string foldPinyinTones(const std::string& utf8);

// The hint beside a typed line, comparing it with its model syllable by syllable:
//   ""                                    nothing typed
//   "right"                               every syllable and the punctuation agree
//   "tone of syllable 2: you typed 3, it is 2"
//   "spelling of syllable 1"
//   "missing syllable 3"                  the line stops early
//   "extra syllable 4"                    the line goes on past the model
//   "punctuation"                         the syllables agree but not the punctuation
// Tone 5 is said "5 (neutral)" and a missing tone reads as neutral.
std::string pinyinHint(const std::string& typedUtf8, const std::string& modelUtf8);

} // namespace lumora
