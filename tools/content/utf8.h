#pragma once
// UTF-8 helpers of the content tool's error messages, over the strict decoder of the core.
#include <string>
#include <vector>

#include "foundation/utf8.h"

namespace lumora::content {

using lumora::firstInvalidUtf8;
// The characters of a UTF-8 text, one string each; a malformed byte stands alone.
std::vector<std::string> utf8Characters(const std::string& text);
// "U+0E01" for the first character of a UTF-8 text ("U+FFFD" when it is malformed).
std::string codePointName(const std::string& utf8Char);

} // namespace lumora::content
