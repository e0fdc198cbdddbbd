#pragma once
// One entry of a dictionary file (the 640-byte record of foundation/dictionary_record.h) and the
// rules every reader applies to it: which text serves each side of the pair, the display text of a
// source side (articles removed), the result line of the search and the entry it points back to, and
// the entry's voices, pictures and media on the CD-ROM.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "foundation/dictionary_record.h"
#include "foundation/file_access.h"
#include "foundation/language_table.h"
#include "foundation/read_result.h"

namespace lumora {

// DictionaryEntry, the record's fields, is defined beside the record's layout.

// Languages 18-20 are the forms of Mandarin Chinese.
inline bool isMandarin(LanguageId id) {
    return id >= 18 && id <= 20;
}

// Decodes one record of DictionaryLayout::kEntrySize bytes; each text ends at its first zero byte
// or at the end of its field.
DictionaryEntry parseDictionaryEntry(const std::uint8_t* record);

// The number of whole entries in a file of `bytes` bytes (a partial record at the end is ignored).
inline std::size_t dictionaryEntryCount(std::uint64_t bytes) {
    return static_cast<std::size_t>(bytes / DictionaryLayout::kEntrySize);
}

// Reads entry `index` of a dictionary (a content name). Missing file: Missing; an index at or past
// the last whole entry: Truncated. `out` is left as it was on failure.
ReadResult ReadEntry(const FileAccess& files, const std::string& name, std::size_t index, DictionaryEntry& out);

// The largest dictionary read whole (CC-CEDICT's pair is about 80 MB).
constexpr std::uint64_t kMaxDictionaryBytes = 256u << 20;
// The bytes of a whole dictionary (a content name); nothing when it is missing, unreadable or
// larger than kMaxDictionaryBytes.
std::optional<Bytes> readDictionaryFile(const FileAccess& files, const std::string& name);

// The text of the source side (Mandarin source text when `from` is Mandarin, else the source text)
// and of the target side (Mandarin target text when `to` is Mandarin, else the target text).
const std::string& sourceSideText(const DictionaryEntry& entry, LanguageId from);
const std::string& targetSideText(const DictionaryEntry& entry, LanguageId to);

// The display text of a source text: for English (0-4), French (5-8) and Spanish (11) each of the
// language's article prefixes, in order, is removed once when the text begins with it; every other
// language keeps the text unchanged.
std::string StripArticles(std::string_view text, LanguageId from);
// The display text of an entry for the result list: StripArticles of the source text for 0-11, the
// Mandarin source text for Mandarin, the unchanged source text for 12-17.
std::string displayText(const DictionaryEntry& entry, LanguageId from);

// A result line: a space, the display text, a space, a tab, the entry index as "%4d", a tab.
std::string resultLine(std::string_view display, std::size_t index);
// The entry index of a result line: its second tab-separated field read as a decimal number,
// leading spaces skipped. Nothing when that field holds no number (or one too large to be an index).
std::optional<std::size_t> EntryIndexOfLine(std::string_view line);

// The detail text of a selected entry: a space, its target-side text and a space.
std::string detailText(const DictionaryEntry& entry, LanguageId to);

// The files of an entry (content names on the CD-ROM root R = cdromRoot + "\" + lesson + "\"). A
// lesson code or stem that is not a plain file-name part gives empty names.
struct EntryResources {
    std::string maleVoice;          // R + "MALE\" + sound + ".WAV" (sound stem set)
    std::string femaleVoice;        // R + "FEMALE\" + sound + ".WAV"
    std::string simplifiedPicture;  // R + "SIMPLIFY\" + picture + ".BMP"
    std::string traditionalPicture; // R + "TRADI\" + picture + ".BMP"
    std::string videoInAviFolder;   // R + "AVI\" + media + ".AVI" (media stem set)
    std::string video;              // R + media + ".AVI"
    std::string metafile;           // R + media + ".WMF"

    const std::string& picture(int ideogramSet) const {
        return ideogramSet == 1 ? traditionalPicture : simplifiedPicture;
    }
};
EntryResources entryResources(const DictionaryEntry& entry, const std::string& cdromRoot);

} // namespace lumora
