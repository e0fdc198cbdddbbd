#include "content/pinyin.h"

#include <gtest/gtest.h>

namespace lumora::content {
namespace {

struct PinyinCase {
    const char* typed;
    const char* marked;
};

TEST(Pinyin, ToneMarksFollowThePlacementRules) {
    const PinyinCase cases[] = {
        // a and e take the mark first
        {"ni3 hao3", "n\u01D0 h\u01CEo"},
        {"zhuang1", "zhu\u0101ng"},
        {"xue2", "xu\u00E9"},
        {"er4", "\u00E8r"},
        {"mei2", "m\u00E9i"},
        // ou: the o
        {"dou4", "d\u00F2u"},
        {"zhou1", "zh\u014Du"},
        // otherwise the last vowel
        {"gui4", "gu\u00EC"},
        {"liu4", "li\u00F9"},
        {"huo3", "hu\u01D2"},
        {"xiong2", "xi\u00F3ng"},
        // v and u: are u-umlaut, with or without a tone
        {"lv4", "l\u01DC"},
        {"nu:3", "n\u01DA"},
        {"lve4", "l\u00FC\u00E8"},
        {"nv", "n\u00FC"},
        {"Lv3", "L\u01DA"},
        {"NU:3", "N\u01D9"},
        // neutral tone: 5 or no digit
        {"xie4xie5", "xi\u00E8xie"},
        {"ma5", "ma"},
        {"ma", "ma"},
        // capitals keep their case
        {"Zhong1 guo2", "Zh\u014Dng gu\u00F3"},
        {"An1 hui1", "\u0100n hu\u012B"},
        {"E2", "\u00C9"},
        // punctuation, spaces, other digits and characters stay
        {"xi1'an1", "x\u012B'\u0101n"},
        {"ni3 hao3 ma5?", "n\u01D0 h\u01CEo ma?"},
        {"  ni3,  hao3!  ", "  n\u01D0,  h\u01CEo!  "},
        {"san1 C", "s\u0101n C"},
        {"4S dian4", "4S di\u00E0n"},
        {"DVD", "DVD"},
        {"a6 a0", "a6 a0"},
        {"\xE4\xBD\xA0"
         "3",
         "\xE4\xBD\xA0"
         "3"},
        // syllables without a vowel lose the digit only
        {"m2", "m"},
        {"ng4", "ng"},
        {"", ""},
    };
    for (const PinyinCase& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(numberedToToneMarks(c.typed), std::string(c.marked));
    }
}

TEST(Pinyin, ProseConvertsOnlyTheNumberedSyllables) {
    const struct {
        const char* text;
        const char* marked;
    } cases[] = {
        {"Say zuo4 huo3 che1 for a train.", "Say zu\u00F2 hu\u01D2 ch\u0113 for a train."},
        {"Press F1 or F12, play an MP3 of lv4 (green).", "Press F1 or F12, play an MP3 of l\u01DC (green)."},
        {"very vivid, 2 or 3 times", "very vivid, 2 or 3 times"},
        {"ma5 is neutral; a b4x stays", "ma is neutral; a b4x stays"},
        {"abc12 x2y", "abc12 x2y"},
    };
    for (const auto& c : cases) EXPECT_EQ(toneMarksInProse(c.text), std::string(c.marked)) << c.text;
}

} // namespace
} // namespace lumora::content
