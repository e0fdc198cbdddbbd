#pragma once
// Pinyin as typed on a plain keyboard ("ni3 hao3", "lv4", "nu:3") turned into tone-marked pinyin.
#include <string>

namespace lumora::content {

// Returns the tone-marked spelling in UTF-8. A syllable is a run of letters (with "u:" standing for
// ü) directly followed by a tone digit 1 to 5; tone 5, or no digit at all, is the neutral tone and
// gets no mark. The mark goes on "a" or "e" when the syllable has one, on the "o" of "ou", and
// otherwise on the last vowel. "v" (and "u:") is written ü in a syllable of two letters or more
// whose letters after the first are lower case (so "lv4" gives lǜ but "DVD" stays as it is).
// Syllables without a vowel (m2, ng4) lose the digit and keep their letters. Every character that
// is not part of a syllable (spaces, punctuation, other digits) is kept as it stands.
std::string numberedToToneMarks(const std::string& typed);

// The same for pinyin written inside English prose ("say zuo4 huo3 che1 for train"): only a run of
// letters that holds a vowel and is directly followed by one tone digit (and then no letter or
// digit) is converted; every other word ("very", "F1", "MP3") stays exactly as it is.
std::string toneMarksInProse(const std::string& text);

} // namespace lumora::content
