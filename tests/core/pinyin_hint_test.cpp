// Pinyin typed in its usual ways, compared syllable by syllable with the model line.
#include <gtest/gtest.h>

#include "foundation/pinyin.h"

using namespace lumora;

TEST(PinyinHint, ExplainsTheFirstDifference) {
    const struct {
        const char* typed;
        const char* model;
        const char* hint;
    } cases[] = {
        {"", "ni3 hao3!", ""},
        {"ni3 hao3!", "ni3 hao3!", "right"},
        {"nǐ hǎo!", "ni3 hao3!", "right"},             // tone marks for numbers
        {"Ni3   HAO3 !", "ni3 hao3!", "right"},        // case and spaces
        {"ni3hao3!", "ni3 hao3!", "right"},            // a number ends a syllable
        {"nv3 ren2", "nü3 ren2", "right"},             // v for ü
        {"nu:3 ren2", "nü3 ren2", "right"},            // u: for ü
        {"nǚ rén", "nv3 ren2", "right"},
        {"nu3 ren2", "nü3 ren2", "spelling of syllable 1"},
        {"ni3 hao2!", "ni3 hao3!", "tone of syllable 2: you typed 2, it is 3"},
        {"ni hao3!", "ni3 hao3!", "tone of syllable 1: you typed 5 (neutral), it is 3"},
        {"xie4 xie", "xie4 xie5", "right"},            // no number: neutral
        {"xie4 xie0", "xie4 xie5", "right"},
        {"ni3 hso3!", "ni3 hao3!", "spelling of syllable 2"},
        {"ni3", "ni3 hao3!", "missing syllable 2"},
        {"ni3 hao3 ma5?", "ni3 hao3!", "extra syllable 3"},
        {"ni3 hao3", "ni3 hao3!", "punctuation"},
        {"ni3, hao3!", "ni3 hao3!", "punctuation"},
        {"nihao", "ni3 hao3", "spelling of syllable 1"},
        {"!!", "ni3 hao3!", "missing syllable 1"},
        {"\xFF\xFEni3", "ni3", "right"},               // invalid UTF-8 bytes are skipped
    };
    for (const auto& c : cases) EXPECT_EQ(pinyinHint(c.typed, c.model), c.hint) << c.typed << " / " << c.model;
}

TEST(PinyinHint, SyllablesAndFolding) {
    std::string marks;
    const auto s = pinyinSyllables("Nǚ3 rén, hǎo ma?", &marks);
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0], (PinyinSyllable{"nv", 3}));
    EXPECT_EQ(s[1], (PinyinSyllable{"ren", 2}));
    EXPECT_EQ(s[3], (PinyinSyllable{"ma", 5}));
    EXPECT_EQ(marks, ",?");
    EXPECT_EQ(foldPinyinTones("Nǐ hǎo, nǚ!"), "ni hao, nü!");
}
