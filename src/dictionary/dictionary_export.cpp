#include "dictionary/dictionary_export.h"

#include <fstream>

#include "dictionary/dictionary_entry.h"
#include "foundation/atomic_file.h"
#include "foundation/codecs.h"
#include "foundation/dictionary_record.h"

namespace lumora {

ReadResult dictionaryExportText(const std::filesystem::path& dictionary, LanguageId from, LanguageId to,
                                std::string& out) {
    std::ifstream in(dictionary, std::ios::binary);
    if (!in) return readFailure(ReadStatus::Missing, dictionary.string() + ": cannot be opened");
    std::string text;
    std::uint8_t record[DictionaryLayout::kEntrySize];
    while (in.read(reinterpret_cast<char*>(record), sizeof record)) {
        const DictionaryEntry e = parseDictionaryEntry(record);
        text += decodeText(sourceSideText(e, from), encodingForLanguage(from));
        text += '\t';
        text += decodeText(targetSideText(e, to), encodingForLanguage(to));
        text += "\r\n";
    }
    if (in.bad()) return readFailure(ReadStatus::Truncated, dictionary.string() + ": read failed");
    out = std::move(text);
    return {};
}

ExportOutcome ExportDictionary(const std::filesystem::path& dictionary, LanguageId from, LanguageId to,
                               const std::filesystem::path& target) {
    if (dictionary.empty()) return {ExportStatus::NoDictionary, {}};
    std::string text;
    const ReadResult read = dictionaryExportText(dictionary, from, to, text);
    if (read.status == ReadStatus::Missing) return {ExportStatus::NoDictionary, {}};
    if (!read) return {ExportStatus::Failed, describe(read)};
    std::string error;
    if (!writeFileAtomically(target, text, &error)) return {ExportStatus::Failed, error};
    return {};
}

} // namespace lumora
