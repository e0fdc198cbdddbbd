#pragma once
// Content texts are 8-bit bytes in the encoding of the font face that draws them. The core keeps and
// compares them as bytes; these 256-entry tables turn them into UTF-8 for display and back for the
// content tool.
//   "Arial" and every Western face  Windows-1252
//   "Surin"                          TIS-620 (Thai)
//   "UHoài 1.1"                      VISCII (Vietnamese, one byte a letter)
//   "Ekreach"                        Khmer: the 128 code points U+1780..U+17FF in bytes 0x80..0xFF
//   "Pinying"                        pinyin: ASCII plus the tone-marked vowels in the high half
#include <optional>
#include <string>

namespace lumora {

enum class FontEncoding { Windows1252, Tis620, Viscii, Khmer, Pinying };

// The encoding of a face name (compared without regard to case); unknown faces are Western.
FontEncoding encodingForFace(const std::string& face);
// The encoding of a language's display font (ids 14 Khmer, 15 Thai, 16-17 Vietnamese, 18-20 pinyin).
FontEncoding encodingForLanguage(int languageId);

// The encoding of a language's text drawn with a face: one of the four course faces decides by
// itself; a Western face (the default "Arial") cannot draw Khmer, Thai or Vietnamese bytes, so the
// language's own encoding is used and the text is shown with a fallback font that has the glyphs.
FontEncoding textEncoding(const std::string& face, int languageId);

// Bytes -> UTF-8. Every byte decodes to something (an undefined byte gives U+FFFD).
std::string decodeText(const std::string& bytes, FontEncoding encoding);
// UTF-8 -> bytes; nothing when a character has no byte in the encoding or the UTF-8 is malformed.
std::optional<std::string> encodeText(const std::string& utf8, FontEncoding encoding);

// The Unicode code point of each byte (0 for an undefined byte other than 0).
char32_t codePoint(unsigned char byte, FontEncoding encoding);

// Every byte as the Unicode code point of the same value, in UTF-8 (for exact dumps).
std::string rawBytesAsUtf8(const std::string& bytes);

} // namespace lumora
