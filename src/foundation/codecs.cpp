#include "foundation/codecs.h"

#include <array>
#include <cstddef>
#include <unordered_map>

#include "foundation/utf8.h"

namespace lumora {

namespace {

using Table = std::array<char32_t, 256>; // 0 = undefined (except for byte 0)

constexpr std::size_t kEncodingCount = 5;

std::size_t indexOf(FontEncoding e) {
    return static_cast<std::size_t>(e);
}

void fillAscii(Table& t) {
    for (std::size_t b = 0; b < 0x80; ++b)
        t[b] = static_cast<char32_t>(b);
}

Table makeWindows1252() {
    Table t{};
    for (std::size_t b = 0; b < 256; ++b)
        t[b] = static_cast<char32_t>(b); // Latin-1 everywhere else
    // 0x80..0x9F: the typographic block; 0x81, 0x8D, 0x8F, 0x90 and 0x9D are undefined.
    constexpr char32_t k80[32] = {
        0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 0x80
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,      // 0x88
        0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 0x90
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178, // 0x98
    };
    for (std::size_t i = 0; i < 32; ++i)
        t[0x80 + i] = k80[i];
    return t;
}

Table makeTis620() {
    Table t{};
    fillAscii(t);
    // Thai letters and signs: 0xA1..0xDA -> U+0E01..U+0E3A, 0xDF..0xFB -> U+0E3F..U+0E5B.
    for (std::size_t b = 0xA1; b <= 0xDA; ++b)
        t[b] = static_cast<char32_t>(0x0E00 + (b - 0xA0));
    for (std::size_t b = 0xDF; b <= 0xFB; ++b)
        t[b] = static_cast<char32_t>(0x0E00 + (b - 0xA0));
    return t;
}

Table makeViscii() {
    Table t{};
    fillAscii(t);
    // Six control positions hold capital letters.
    t[0x02] = 0x1EB2; // Ẳ
    t[0x05] = 0x1EB4; // Ẵ
    t[0x06] = 0x1EAA; // Ẫ
    t[0x14] = 0x1EF6; // Ỷ
    t[0x19] = 0x1EF8; // Ỹ
    t[0x1E] = 0x1EF4; // Ỵ
    constexpr char32_t kHigh[128] = {
        0x1EA0, 0x1EAE, 0x1EB0, 0x1EB6, 0x1EA4, 0x1EA6, 0x1EA8, 0x1EAC, // 0x80 ẠẮẰẶẤẦẨẬ
        0x1EBC, 0x1EB8, 0x1EBE, 0x1EC0, 0x1EC2, 0x1EC4, 0x1EC6, 0x1ED0, // 0x88 ẼẸẾỀỂỄỆỐ
        0x1ED2, 0x1ED4, 0x1ED6, 0x1ED8, 0x1EE2, 0x1EDA, 0x1EDC, 0x1EDE, // 0x90 ỒỔỖỘỢỚỜỞ
        0x1ECA, 0x1ECE, 0x1ECC, 0x1EC8, 0x1EE6, 0x0168, 0x1EE4, 0x1EF2, // 0x98 ỊỎỌỈỦŨỤỲ
        0x00D5, 0x1EAF, 0x1EB1, 0x1EB7, 0x1EA5, 0x1EA7, 0x1EA9, 0x1EAD, // 0xA0 Õắằặấầẩậ
        0x1EBD, 0x1EB9, 0x1EBF, 0x1EC1, 0x1EC3, 0x1EC5, 0x1EC7, 0x1ED1, // 0xA8 ẽẹếềểễệố
        0x1ED3, 0x1ED5, 0x1ED7, 0x1EE0, 0x01A0, 0x1ED9, 0x1EDD, 0x1EDF, // 0xB0 ồổỗỠƠộờở
        0x1ECB, 0x1EF0, 0x1EE8, 0x1EEA, 0x1EEC, 0x01A1, 0x1EDB, 0x01AF, // 0xB8 ịỰỨỪỬơớƯ
        0x00C0, 0x00C1, 0x00C2, 0x00C3, 0x1EA2, 0x0102, 0x1EB3, 0x1EB5, // 0xC0 ÀÁÂÃẢĂẳẵ
        0x00C8, 0x00C9, 0x00CA, 0x1EBA, 0x00CC, 0x00CD, 0x0128, 0x1EF3, // 0xC8 ÈÉÊẺÌÍĨỳ
        0x0110, 0x1EE9, 0x00D2, 0x00D3, 0x00D4, 0x1EA1, 0x1EF7, 0x1EEB, // 0xD0 ĐứÒÓÔạỷừ
        0x1EED, 0x00D9, 0x00DA, 0x1EF9, 0x1EF5, 0x00DD, 0x1EE1, 0x01B0, // 0xD8 ửÙÚỹỵÝỡư
        0x00E0, 0x00E1, 0x00E2, 0x00E3, 0x1EA3, 0x0103, 0x1EEF, 0x1EAB, // 0xE0 àáâãảăữẫ
        0x00E8, 0x00E9, 0x00EA, 0x1EBB, 0x00EC, 0x00ED, 0x0129, 0x1EC9, // 0xE8 èéêẻìíĩỉ
        0x0111, 0x1EF1, 0x00F2, 0x00F3, 0x00F4, 0x00F5, 0x1ECF, 0x1ECD, // 0xF0 đựòóôõỏọ
        0x1EE5, 0x00F9, 0x00FA, 0x0169, 0x1EE7, 0x00FD, 0x1EE3, 0x1EEE, // 0xF8 ụùúũủýợỮ
    };
    for (std::size_t i = 0; i < 128; ++i)
        t[0x80 + i] = kHigh[i];
    return t;
}

Table makeKhmer() {
    Table t{};
    fillAscii(t);
    for (std::size_t b = 0x80; b < 0x100; ++b)
        t[b] = static_cast<char32_t>(0x1780 + (b - 0x80));
    return t;
}

// Our pinyin table (docs/encodings.md): ASCII; the tone vowels that Windows-1252 has at their
// Windows-1252 positions; the others in 0x80..0x9B. Every other high byte is undefined.
Table makePinying() {
    Table t{};
    fillAscii(t);
    constexpr unsigned char kLatin1[] = {
        0xE0, 0xE1, 0xE8, 0xE9, 0xEC, 0xED, 0xF2, 0xF3, 0xF9, 0xFA, 0xFC, // à á è é ì í ò ó ù ú ü
        0xC0, 0xC1, 0xC8, 0xC9, 0xCC, 0xCD, 0xD2, 0xD3, 0xD9, 0xDA, 0xDC, // À Á È É Ì Í Ò Ó Ù Ú Ü
    };
    for (unsigned char b : kLatin1)
        t[b] = b;
    constexpr char32_t k80[28] = {
        0x0101, 0x01CE, 0x0113, 0x011B, 0x012B, 0x01D0, 0x014D, 0x01D2, // 0x80 ā ǎ ē ě ī ǐ ō ǒ
        0x016B, 0x01D4, 0x01D6, 0x01D8, 0x01DA, 0x01DC,                 // 0x88 ū ǔ ǖ ǘ ǚ ǜ
        0x0100, 0x01CD, 0x0112, 0x011A, 0x012A, 0x01CF, 0x014C, 0x01D1, // 0x8E Ā Ǎ Ē Ě Ī Ǐ Ō Ǒ
        0x016A, 0x01D3, 0x01D5, 0x01D7, 0x01D9, 0x01DB,                 // 0x96 Ū Ǔ Ǖ Ǘ Ǚ Ǜ
    };
    for (std::size_t i = 0; i < 28; ++i)
        t[0x80 + i] = k80[i];
    return t;
}

const Table& table(FontEncoding e) {
    static const std::array<Table, kEncodingCount> tables = {makeWindows1252(), makeTis620(), makeViscii(), makeKhmer(),
                                                             makePinying()};
    return tables[indexOf(e)];
}

using Reverse = std::unordered_map<char32_t, unsigned char>;

const Reverse& reverse(FontEncoding e) {
    static const std::array<Reverse, kEncodingCount> maps = [] {
        std::array<Reverse, kEncodingCount> out;
        for (std::size_t i = 0; i < kEncodingCount; ++i) {
            const Table& t = table(static_cast<FontEncoding>(i));
            out[i].emplace(0, 0);
            for (std::size_t b = 1; b < 256; ++b)
                if (t[b] != 0) out[i].emplace(t[b], static_cast<unsigned char>(b));
        }
        return out;
    }();
    return maps[indexOf(e)];
}

// Face names compared without regard to case: ASCII letters and the Latin-1 letters of UTF-8
// (so "UHOÀI 1.1" names the same face as "UHoài 1.1").
std::string foldFace(const std::string& face) {
    std::string out = face;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (c >= 'A' && c <= 'Z') {
            out[i] = static_cast<char>(c + 32);
        } else if (i > 0 && static_cast<unsigned char>(out[i - 1]) == 0xC3 && c >= 0x80 && c <= 0x9E && c != 0x97) {
            out[i] = static_cast<char>(c + 0x20);
        }
    }
    return out;
}

} // namespace

FontEncoding encodingForFace(const std::string& face) {
    const std::string f = foldFace(face);
    if (f == "surin") return FontEncoding::Tis620;
    if (f == "uho\xC3\xA0i 1.1") return FontEncoding::Viscii;
    if (f == "ekreach") return FontEncoding::Khmer;
    if (f == "pinying") return FontEncoding::Pinying;
    return FontEncoding::Windows1252;
}

FontEncoding textEncoding(const std::string& face, int languageId) {
    const FontEncoding byFace = encodingForFace(face);
    return byFace != FontEncoding::Windows1252 ? byFace : encodingForLanguage(languageId);
}

FontEncoding encodingForLanguage(int languageId) {
    if (languageId == 14) return FontEncoding::Khmer;
    if (languageId == 15) return FontEncoding::Tis620;
    if (languageId == 16 || languageId == 17) return FontEncoding::Viscii;
    if (languageId >= 18 && languageId <= 20) return FontEncoding::Pinying;
    return FontEncoding::Windows1252;
}

char32_t codePoint(unsigned char byte, FontEncoding encoding) {
    return table(encoding)[byte];
}

std::string decodeText(const std::string& bytes, FontEncoding encoding) {
    const Table& t = table(encoding);
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        const char32_t cp = t[b];
        appendUtf8(out, (cp == 0 && b != 0) ? char32_t{0xFFFD} : cp);
    }
    return out;
}

std::optional<std::string> encodeText(const std::string& utf8, FontEncoding encoding) {
    const Reverse& r = reverse(encoding);
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        char32_t cp = 0;
        if (!nextCodePoint(utf8, i, cp)) return std::nullopt;
        const auto it = r.find(cp);
        if (it == r.end()) return std::nullopt;
        out.push_back(static_cast<char>(it->second));
    }
    return out;
}

std::string rawBytesAsUtf8(const std::string& bytes) {
    std::string out;
    out.reserve(bytes.size() * 2);
    for (char c : bytes)
        appendUtf8(out, static_cast<unsigned char>(c));
    return out;
}

} // namespace lumora
