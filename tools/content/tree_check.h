#pragma once
// Checks a content tree: the two catalogues, every lesson data file they name, every media file
// the lessons name, every dictionary with the files its entries name, the tips and the help file.
#include <filesystem>
#include <string>
#include <vector>

namespace lumora::content {

struct CheckReport {
    std::vector<std::string> problems; // one line each, paths relative to the root
    int lessons = 0;
    int stories = 0;
    int dictionaries = 0;
    int dictionaryEntries = 0;
    int filesChecked = 0;
    std::string summary() const; // "ok: 8 lessons, 3 stories, 16 dictionaries (... entries), N files checked"
};

CheckReport checkTree(const std::filesystem::path& root);

} // namespace lumora::content
