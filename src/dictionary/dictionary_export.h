#pragma once
// The export of a pair's whole dictionary as text: every entry in file order, entries with empty
// texts too, as its source-side text, a tab, its target-side text and CR LF. The texts are the
// entries' texts, no articles removed, each decoded with its language's codec: the file is UTF-8, so
// that any text editor shows the pinyin, Thai or Khmer sides (the stored bytes are in the display
// fonts' own encodings, which other programs cannot read). The file is written through a temporary file
// in the target folder and renamed into place, so a failed or interrupted export leaves no half
// file and never destroys the file it would replace.
#include <filesystem>
#include <string>

#include "foundation/language_table.h"
#include "foundation/read_result.h"

namespace lumora {

// The export text of a dictionary file (a local path); Missing when it cannot be read.
ReadResult dictionaryExportText(const std::filesystem::path& dictionary, LanguageId from, LanguageId to,
                                std::string& out);

enum class ExportStatus { Written, NoDictionary, Failed };
struct ExportOutcome {
    ExportStatus status = ExportStatus::Written;
    std::string error; // Failed: why, naming the file
};

ExportOutcome ExportDictionary(const std::filesystem::path& dictionary, LanguageId from, LanguageId to,
                               const std::filesystem::path& target);

} // namespace lumora
