#pragma once
// Small UTF-8 helpers of the content tool.
#include <string>
#include <vector>

namespace lumora::content {

// Byte offset of the first malformed sequence, or npos when the text is valid UTF-8.
std::size_t firstInvalidUtf8(const std::string& text);
// The characters of a valid UTF-8 text, one string each.
std::vector<std::string> utf8Characters(const std::string& text);
// "U+0E01" for the first character of a UTF-8 text.
std::string codePointName(const std::string& utf8Char);
// Cuts a valid UTF-8 text to at most `bytes` bytes without splitting a character.
std::string cutUtf8(const std::string& text, std::size_t bytes);

} // namespace lumora::content
