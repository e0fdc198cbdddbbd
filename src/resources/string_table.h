#pragma once
// The string table: every text the program shows, by id. A command's entry holds its text, a line
// feed and its tooltip; the text before the line feed also serves as a caption or name.
// Texts are UTF-8.
#include <string>

namespace lumora::strings {

// The whole entry; empty for an unknown id.
std::string text(int id);
// The text before the first line feed.
std::string prompt(int id);
// The text after the first line feed (the tooltip); empty when there is none.
std::string tooltip(int id);
bool has(int id);

} // namespace lumora::strings

// String ids by name, for the entries code refers to by id.
namespace lumora::str {
constexpr int PleaseWait = 14360; // the wait message's line
} // namespace lumora::str
