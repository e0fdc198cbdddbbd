#pragma once
// `lumora-content search FILE KEY [--mode start|contain|end] [--from ID] [--to ID] [--ignore-tones]
// [--raw]`: the program's own dictionary search on one dictionary file. The key (UTF-8) is written
// with the source language's codec before the byte comparison; the result lines are printed
// decoded to UTF-8 (with --raw every byte as the code point of the same value), one a line, then
// the count text.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace lumora::content {

// Exit code: 0 done, 1 the file is not there or cannot be read, 2 bad arguments or a key the source
// language cannot write.
// A language id option's value: a decimal number from 0 to 20.
std::optional<int> parseLanguageId(const std::string& text);

int searchCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace lumora::content
