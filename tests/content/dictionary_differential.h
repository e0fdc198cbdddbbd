#pragma once
// The program's two dictionary scans (one read per entry, and the cached index) must give the same
// result lines on every dictionary of a built tree, for every mode, with and without tones ignored.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "dictionary/dictionary_search.h"
#include "foundation/codecs.h"

namespace lumora::content {

inline int differentialLanguageOfCode(const std::string& code) {
    static const std::map<std::string, int> ids{{"GB", 0},  {"FF", 5},  {"DE", 9},  {"SP", 11}, {"DU", 12},
                                                {"KH", 14}, {"TH", 15}, {"VI", 16}, {"MA", 18}};
    const auto it = ids.find(code);
    return it == ids.end() ? -1 : it->second;
}

// Returns the number of dictionaries compared.
inline int expectScansAgree(const std::filesystem::path& dataDir) {
    int compared = 0;
    const char* keys[] = {"", "a", "e", "the ", "la ", "ni", "hao", "nihao", "lv", "T", " ", "zzz"};
    for (const auto& file : std::filesystem::directory_iterator(dataDir)) {
        const std::string name = file.path().filename().string();
        if (name.size() != 8 || file.path().extension() != ".DIC") continue;
        const int from = differentialLanguageOfCode(name.substr(0, 2));
        const int to = differentialLanguageOfCode(name.substr(2, 2));
        if (from < 0 || to < 0) continue;
        const auto index = DictionaryIndex::load(file.path());
        EXPECT_NE(index, nullptr) << name;
        if (!index) continue;
        for (const char* key : keys) {
            const std::string bytes = encodeText(key, encodingForLanguage(from)).value_or(key);
            for (int mode = 0; mode <= 2; ++mode)
                for (const bool fold : {false, true}) {
                    const SearchQuery q{from, to, bytes, mode, fold};
                    EXPECT_EQ(SearchDictionaryPerEntry(file.path(), q).lines, SearchIndex(index, q).lines())
                        << name << " key '" << key << "' mode " << mode << (fold ? " folded" : "");
                }
        }
        ++compared;
    }
    return compared;
}

} // namespace lumora::content
