#pragma once
// UTF-8 encoding and decoding shared by the program and the content tool.
//
// Decoding is strict: a sequence is valid only in its shortest form, never names a surrogate
// (U+D800..U+DFFF) and never goes past U+10FFFF; a sequence cut off by the end of the text is
// malformed too.
#include <cstddef>
#include <string>
#include <string_view>

namespace lumora {

// Appends the UTF-8 form of `cp`. A value that is no Unicode scalar value (a surrogate or anything
// above U+10FFFF) is written as U+FFFD, so the output is always valid UTF-8.
void appendUtf8(std::string& out, char32_t cp);
std::string utf8Of(char32_t cp);

// One decoded character: its code point and the number of bytes it takes; `length` 0 means the
// bytes at that position are no valid UTF-8 (or the position is at the end of the text).
struct Utf8Char {
    char32_t codePoint = 0;
    std::size_t length = 0;
};
Utf8Char decodeUtf8At(std::string_view text, std::size_t at);

// Steps over the character at `at`: true with its code point and `at` moved past it; false (and
// nothing moved) when the bytes there are malformed or `at` is at the end.
bool nextCodePoint(std::string_view text, std::size_t& at, char32_t& cp);

// Byte offset of the first malformed sequence, or npos when the whole text is valid UTF-8.
std::size_t firstInvalidUtf8(std::string_view text);

// The code points of a UTF-8 text; each byte that does not start a valid sequence becomes U+FFFD.
std::u32string codePointsOf(std::string_view text);

} // namespace lumora
