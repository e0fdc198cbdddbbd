#include "foundation/utf8.h"

#include <gtest/gtest.h>

#include <string>

namespace lumora {
namespace {

TEST(Utf8, EncodesAndDecodesEveryLength) {
    const struct {
        char32_t cp;
        std::string bytes;
    } cases[] = {
        {0x0000, std::string(1, '\0')},
        {0x0041, "A"},
        {0x007F, "\x7F"},
        {0x0080, "\xC2\x80"},
        {0x00E9, "\xC3\xA9"},             // é
        {0x07FF, "\xDF\xBF"},
        {0x0800, "\xE0\xA0\x80"},
        {0x4F60, "\xE4\xBD\xA0"},         // 你
        {0xFFFD, "\xEF\xBF\xBD"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},    // the first that needs four bytes
        {0x1F600, "\xF0\x9F\x98\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8Of(c.cp), c.bytes) << std::hex << unsigned(c.cp);
        const Utf8Char d = decodeUtf8At(c.bytes, 0);
        EXPECT_EQ(d.codePoint, c.cp) << std::hex << unsigned(c.cp);
        EXPECT_EQ(d.length, c.bytes.size()) << std::hex << unsigned(c.cp);
    }
}

TEST(Utf8, EveryScalarValueRoundTrips) {
    std::string text;
    for (char32_t cp = 0; cp <= 0x10FFFF; ++cp)
        if (cp < 0xD800 || cp > 0xDFFF) appendUtf8(text, cp);
    std::size_t at = 0;
    char32_t cp = 0;
    for (char32_t want = 0; want <= 0x10FFFF; ++want) {
        if (want >= 0xD800 && want <= 0xDFFF) continue;
        ASSERT_TRUE(nextCodePoint(text, at, cp)) << std::hex << unsigned(want);
        ASSERT_EQ(cp, want);
    }
    EXPECT_EQ(at, text.size());
    EXPECT_EQ(firstInvalidUtf8(text), std::string::npos);
}

TEST(Utf8, ValuesThatAreNoCharacterAreWrittenAsReplacement) {
    for (char32_t cp : {char32_t{0xD800}, char32_t{0xDFFF}, char32_t{0x110000}, char32_t{0xFFFFFFFF}})
        EXPECT_EQ(utf8Of(cp), "\xEF\xBF\xBD") << std::hex << unsigned(cp);
}

TEST(Utf8, MalformedSequencesAreRefused) {
    const std::string refused[] = {
        "\x80",                 // lone continuation byte
        "\xBF",
        "\xC3",                 // cut two-byte sequence
        "\xE2\x82",             // cut three-byte sequence
        "\xF0\x9F\x98",         // cut four-byte sequence
        "\xC0\xAF",             // overlong "/"
        "\xC1\xBF",             // overlong U+007F
        "\xE0\x80\xAF",         // overlong "/"
        "\xE0\x9F\xBF",         // overlong U+07FF
        "\xF0\x80\x80\xAF",     // overlong "/"
        "\xF0\x8F\xBF\xBF",     // overlong U+FFFF
        "\xED\xA0\x80",         // surrogate U+D800
        "\xED\xBF\xBF",         // surrogate U+DFFF
        "\xF4\x90\x80\x80",     // U+110000
        "\xF7\xBF\xBF\xBF",     // far above U+10FFFF
        "\xF8\x88\x80\x80\x80", // five-byte form
        "\xFE",
        "\xFF",
        "\xE2\x28\xA1",         // second byte is no continuation
        "\xF0\x9F\x28\x80",     // third byte is no continuation
    };
    for (const std::string& s : refused) {
        EXPECT_EQ(decodeUtf8At(s, 0).length, 0u) << testing::PrintToString(s);
        std::size_t at = 0;
        char32_t cp = 0;
        EXPECT_FALSE(nextCodePoint(s, at, cp));
        EXPECT_EQ(at, 0u);
        EXPECT_EQ(firstInvalidUtf8("ok" + s), 2u) << testing::PrintToString(s);
    }
    EXPECT_EQ(decodeUtf8At("abc", 3).length, 0u); // at the end
    EXPECT_EQ(firstInvalidUtf8(""), std::string::npos);
    EXPECT_EQ(firstInvalidUtf8("a\xC3\xA9\xE4\xBD\xA0\xF0\x9F\x98\x80z\x80"), 11u);
}

} // namespace
} // namespace lumora
