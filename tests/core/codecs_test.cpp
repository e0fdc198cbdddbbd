#include "foundation/codecs.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>

namespace lumora {
namespace {

// The code point glibc's iconv gives for one byte; nothing when it refuses the byte.
std::optional<char32_t> iconvCodePoint(const char* charset, unsigned char byte) {
    iconv_t cd = iconv_open("UTF-32LE", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    char in = static_cast<char>(byte);
    unsigned char out[16] = {};
    char* inPtr = &in;
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1;
    std::size_t outLeft = sizeof out;
    const std::size_t r = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (r == static_cast<std::size_t>(-1) || sizeof out - outLeft != 4) return std::nullopt;
    return static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (static_cast<std::uint32_t>(out[3]) << 24));
}

struct IconvCase {
    FontEncoding encoding;
    const char* charset;
};

class CodecAgainstIconv : public ::testing::TestWithParam<IconvCase> {};

TEST_P(CodecAgainstIconv, EveryByteDecodesAsGlibcDoes) {
    const auto [encoding, charset] = GetParam();
    iconv_t probe = iconv_open("UTF-32LE", charset);
    if (probe == reinterpret_cast<iconv_t>(-1)) GTEST_SKIP() << "iconv lacks " << charset;
    iconv_close(probe);
    for (int b = 0; b < 256; ++b) {
        const auto expected = iconvCodePoint(charset, static_cast<unsigned char>(b));
        SCOPED_TRACE(::testing::Message() << charset << " byte 0x" << std::hex << b);
        EXPECT_EQ(codePoint(static_cast<unsigned char>(b), encoding), expected.value_or(0));
    }
}

INSTANTIATE_TEST_SUITE_P(Tables, CodecAgainstIconv,
                         ::testing::Values(IconvCase{FontEncoding::Windows1252, "CP1252"},
                                           IconvCase{FontEncoding::Tis620, "TIS-620"},
                                           IconvCase{FontEncoding::Viscii, "VISCII"}),
                         [](const auto& info) {
                             switch (info.param.encoding) {
                             case FontEncoding::Windows1252:
                                 return std::string("Cp1252");
                             case FontEncoding::Tis620:
                                 return std::string("Tis620");
                             default:
                                 return std::string("Viscii");
                             }
                         });

// Every defined byte decodes to UTF-8 and encodes back to itself; an undefined byte decodes to
// U+FFFD; no two bytes share a character.
TEST(CodecTables, EveryDefinedByteRoundTrips) {
    for (FontEncoding e : {FontEncoding::Windows1252, FontEncoding::Tis620, FontEncoding::Viscii, FontEncoding::Khmer,
                           FontEncoding::Pinying}) {
        for (int b = 0; b < 256; ++b) {
            const std::string one(1, static_cast<char>(b));
            const std::string utf8 = decodeText(one, e);
            SCOPED_TRACE(::testing::Message() << "encoding " << static_cast<int>(e) << " byte " << b);
            if (b != 0 && codePoint(static_cast<unsigned char>(b), e) == 0) {
                EXPECT_EQ(utf8, "\xEF\xBF\xBD");
                continue;
            }
            EXPECT_EQ(encodeText(utf8, e), one);
        }
    }
}

TEST(CodecTables, TextsRoundTrip) {
    struct Case {
        FontEncoding encoding;
        std::string utf8;
        std::string bytes;
    };
    const Case cases[] = {
        {FontEncoding::Windows1252, "Caf\xC3\xA9 \xE2\x82\xAC 5", "Caf\xE9 \x80 5"},             // Café € 5
        {FontEncoding::Tis620, "\xE0\xB8\x81\xE0\xB8\xB2\xE0\xB8\xA3", "\xA1\xD2\xC3"},          // การ
        {FontEncoding::Viscii, "Th\xC3\xA1ng gi\xC3\xAAng", "Th\xE1ng gi\xEAng"},                // Tháng giêng
        {FontEncoding::Viscii, "\xE1\xBA\xB2 \xE1\xBB\xAE \xC6\xB0", "\x02 \xFF \xDF"},          // Ẳ Ữ ư
        {FontEncoding::Khmer, "\xE1\x9E\x80 \xE1\x9F\x92 \xE1\x9F\xBF", "\x80 \xD2 \xFF"},       // ក ្ U+17FF
        {FontEncoding::Pinying, "n\xC7\x90 h\xC7\x8Eo", "n\x85 h\x81o"},                         // nǐ hǎo
        {FontEncoding::Pinying, "l\xC7\x9C \xC3\xA0 \xC3\x9C \xC4\x80", "l\x8D \xE0 \xDC \x8E"}, // lǜ à Ü Ā
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.utf8);
        EXPECT_EQ(encodeText(c.utf8, c.encoding), c.bytes);
        EXPECT_EQ(decodeText(c.bytes, c.encoding), c.utf8);
    }
}

TEST(CodecTables, PinyingHoldsEveryToneVowel) {
    // Four tones of a e i o u ü, lower and upper case, then plain ü and Ü.
    const char32_t vowels[] = {
        0x0101, 0x00E1, 0x01CE, 0x00E0, 0x0113, 0x00E9, 0x011B, 0x00E8, 0x012B, 0x00ED, 0x01D0, 0x00EC, 0x014D,
        0x00F3, 0x01D2, 0x00F2, 0x016B, 0x00FA, 0x01D4, 0x00F9, 0x01D6, 0x01D8, 0x01DA, 0x01DC, 0x0100, 0x00C1,
        0x01CD, 0x00C0, 0x0112, 0x00C9, 0x011A, 0x00C8, 0x012A, 0x00CD, 0x01CF, 0x00CC, 0x014C, 0x00D3, 0x01D1,
        0x00D2, 0x016A, 0x00DA, 0x01D3, 0x00D9, 0x01D5, 0x01D7, 0x01D9, 0x01DB, 0x00FC, 0x00DC,
    };
    for (char32_t v : vowels) {
        int found = -1;
        for (int b = 0x80; b < 256; ++b)
            if (codePoint(static_cast<unsigned char>(b), FontEncoding::Pinying) == v) found = b;
        SCOPED_TRACE(::testing::Message() << "U+" << std::hex << static_cast<std::uint32_t>(v));
        ASSERT_GE(found, 0x80);
        // Where Windows-1252 has the letter, Pinying keeps its position.
        for (int b = 0x80; b < 256; ++b) {
            if (codePoint(static_cast<unsigned char>(b), FontEncoding::Windows1252) == v) {
                EXPECT_EQ(found, b);
            }
        }
    }
}

TEST(CodecTables, RefusesMalformedUtf8AndUnencodableCharacters) {
    const std::string refused[] = {
        "abc\x80",          // lone continuation byte
        "\xC3",             // cut sequence
        "\xC0\xAF",         // overlong "/"
        "\xE0\x80\xAF",     // overlong "/"
        "\xED\xA0\x80",     // surrogate
        "\xF4\x90\x80\x80", // above U+10FFFF
        "\xFF",             // never valid
    };
    for (const std::string& s : refused)
        EXPECT_FALSE(encodeText(s, FontEncoding::Windows1252).has_value());

    EXPECT_FALSE(encodeText("\xE4\xBD\xA0", FontEncoding::Windows1252)); // 你
    EXPECT_FALSE(encodeText("\xC3\xA9", FontEncoding::Tis620));          // é
    EXPECT_FALSE(encodeText("\xC4\x81", FontEncoding::Windows1252));     // ā
    EXPECT_FALSE(encodeText("\xC3\xB1", FontEncoding::Pinying));         // ñ is not pinyin
    EXPECT_FALSE(encodeText("a\xCC\x84", FontEncoding::Pinying));        // a + combining macron
    EXPECT_FALSE(encodeText("\xEF\xBF\xBD", FontEncoding::Viscii));      // U+FFFD
    EXPECT_EQ(encodeText("", FontEncoding::Khmer), std::string());
}

TEST(CodecFaces, FaceAndLanguageChooseTheTable) {
    EXPECT_EQ(encodingForFace("Arial"), FontEncoding::Windows1252);
    EXPECT_EQ(encodingForFace("Times New Roman"), FontEncoding::Windows1252);
    EXPECT_EQ(encodingForFace("SURIN"), FontEncoding::Tis620);
    EXPECT_EQ(encodingForFace("UHo\xC3\xA0i 1.1"), FontEncoding::Viscii);
    EXPECT_EQ(encodingForFace("uho\xC3\x80I 1.1"), FontEncoding::Viscii);
    EXPECT_EQ(encodingForFace("UHoai 1.1"), FontEncoding::Windows1252);
    EXPECT_EQ(encodingForFace("ekreach"), FontEncoding::Khmer);
    EXPECT_EQ(encodingForFace("Pinying"), FontEncoding::Pinying);

    const std::pair<int, FontEncoding> byLanguage[] = {
        {0, FontEncoding::Windows1252},  {13, FontEncoding::Windows1252}, {14, FontEncoding::Khmer},
        {15, FontEncoding::Tis620},      {16, FontEncoding::Viscii},      {17, FontEncoding::Viscii},
        {18, FontEncoding::Pinying},     {20, FontEncoding::Pinying},     {21, FontEncoding::Windows1252},
        {-1, FontEncoding::Windows1252},
    };
    for (const auto& [id, enc] : byLanguage)
        EXPECT_EQ(encodingForLanguage(id), enc) << id;
}

TEST(CodecFaces, TextEncodingFollowsCourseFacesElseTheLanguage) {
    // A Thai translation drawn with the default "Arial" is still TIS-620 text.
    EXPECT_EQ(textEncoding("Arial", 15), FontEncoding::Tis620);
    EXPECT_EQ(textEncoding("Arial", 16), FontEncoding::Viscii);
    EXPECT_EQ(textEncoding("Arial", 5), FontEncoding::Windows1252);
    EXPECT_EQ(textEncoding("Surin", 0), FontEncoding::Tis620);
    EXPECT_EQ(textEncoding("Pinying", 15), FontEncoding::Pinying);
}

TEST(CodecFaces, RawDumpKeepsEveryByteValue) {
    EXPECT_EQ(rawBytesAsUtf8(std::string("A\x00\x81\xFF", 4)), std::string("A\x00\xC2\x81\xC3\xBF", 6));
}

} // namespace
} // namespace lumora
