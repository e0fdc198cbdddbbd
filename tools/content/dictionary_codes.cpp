#include "content/dictionary_codes.h"

#include <cctype>

namespace lumora::content {

bool isDictionaryCode(const std::string& code) {
    for (const char* c : {"GB", "FF", "DE", "SP", "DU", "KH", "TH", "VI", "MA"})
        if (code == c) return true;
    return false;
}

FontEncoding encodingOfCode(const std::string& code) {
    if (code == "KH") return FontEncoding::Khmer;
    if (code == "TH") return FontEncoding::Tis620;
    if (code == "VI") return FontEncoding::Viscii;
    if (code == "MA") return FontEncoding::Pinying;
    return FontEncoding::Windows1252;
}

std::optional<std::pair<std::string, std::string>> dictionaryPairOfFile(const std::string& fileName) {
    if (fileName.size() != 8) return std::nullopt;
    std::string upper;
    for (char c : fileName)
        upper.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    if (upper.compare(4, 4, ".DIC") != 0) return std::nullopt;
    std::string from = upper.substr(0, 2), to = upper.substr(2, 2);
    if (!isDictionaryCode(from) || !isDictionaryCode(to)) return std::nullopt;
    return std::make_pair(from, to);
}

} // namespace lumora::content
