#pragma once
// The one JSON helper the content tool's dumps share.
#include <string>

namespace lumora::content {

// `utf8` as a quoted JSON string: quote, backslash and control characters escaped (\n, \t, ...,
// \u00XX), other characters kept as UTF-8. A byte that does not start a valid UTF-8 sequence is
// written as \ufffd, so the result is always valid JSON.
std::string jsonString(const std::string& utf8);

} // namespace lumora::content
