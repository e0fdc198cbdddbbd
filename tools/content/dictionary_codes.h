#pragma once
// The two-letter language codes of dictionary file names and the encodings of their texts.
#include <optional>
#include <string>
#include <utility>

#include "foundation/codecs.h"

namespace lumora::content {

// GB FF DE SP DU (Windows-1252), KH (Khmer), TH (TIS-620), VI (VISCII), MA (Pinying).
bool isDictionaryCode(const std::string& code);
FontEncoding encodingOfCode(const std::string& code); // Windows-1252 for an unknown code
// "FFMA.DIC" (any case) -> {"FF", "MA"}; nothing for other names.
std::optional<std::pair<std::string, std::string>> dictionaryPairOfFile(const std::string& fileName);

} // namespace lumora::content
