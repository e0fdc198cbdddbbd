#include "dictionary/dictionary_entry.h"

#include <array>
#include <charconv>

#include "foundation/dictionary_record.h"
#include "foundation/text_util.h"

namespace lumora {

namespace {
using L = DictionaryLayout;

// An article list ends with an empty prefix.
constexpr std::array<const char*, 9> kEnglish{"1-", "1- ", "the ", "The ", "a ", "A ", "an ", "An ", ""};
constexpr std::array<const char*, 11> kFrench{"1-",  "1- ", "l' ",  "L' ",  "la ", "La ",
                                              "le ", "Le ", "les ", "Les ", ""};
constexpr std::array<const char*, 7> kSpanish{"el ", "El ", "la ", "La ", "las ", "Las ", ""};

const char* const* articlesOf(LanguageId from) {
    if (from >= 0 && from <= 4) return kEnglish.data();
    if (from >= 5 && from <= 8) return kFrench.data();
    if (from == 11) return kSpanish.data();
    return nullptr;
}
} // namespace

DictionaryEntry parseDictionaryEntry(const std::uint8_t* r) {
    DictionaryEntry e;
    e.source = fixedField(r, L::kSource, L::kTextWidth);
    e.target = fixedField(r, L::kTarget, L::kTextWidth);
    e.sound = fixedField(r, L::kSound, L::kStemWidth);
    e.media = fixedField(r, L::kMedia, L::kStemWidth);
    e.lesson = fixedField(r, L::kLesson, L::kStemWidth);
    e.mandarinSource = fixedField(r, L::kMandarinSource, L::kTextWidth);
    e.mandarinTarget = fixedField(r, L::kMandarinTarget, L::kTextWidth);
    e.picture = fixedField(r, L::kPicture, L::kStemWidth);
    return e;
}

std::optional<Bytes> readDictionaryFile(const FileAccess& files, const std::string& name) {
    return files.readAll(name, kMaxDictionaryBytes);
}

ReadResult ReadEntry(const FileAccess& files, const std::string& name, std::size_t index, DictionaryEntry& out) {
    const std::optional<std::uint64_t> size = files.size(name);
    if (!size) return readFailure(ReadStatus::Missing, name + ": no such dictionary");
    if (index >= dictionaryEntryCount(*size))
        return readFailure(ReadStatus::Truncated, format("entry %zu is past the last whole entry", index));
    const std::optional<Bytes> rec =
        files.readAt(name, static_cast<std::uint64_t>(index) * L::kEntrySize, L::kEntrySize);
    if (!rec) return readFailure(ReadStatus::Truncated, format("entry %zu cannot be read", index));
    out = parseDictionaryEntry(rec->data());
    return {};
}

const std::string& sourceSideText(const DictionaryEntry& e, LanguageId from) {
    return isMandarin(from) ? e.mandarinSource : e.source;
}

const std::string& targetSideText(const DictionaryEntry& e, LanguageId to) {
    return isMandarin(to) ? e.mandarinTarget : e.target;
}

std::string StripArticles(std::string_view text, LanguageId from) {
    const char* const* prefixes = articlesOf(from);
    if (prefixes == nullptr) return std::string(text);
    for (; **prefixes != '\0'; ++prefixes) {
        const std::string_view p(*prefixes);
        if (text.substr(0, p.size()) == p) text.remove_prefix(p.size());
    }
    return std::string(text);
}

std::string displayText(const DictionaryEntry& e, LanguageId from) {
    if (isMandarin(from)) return e.mandarinSource;
    if (from >= 0 && from <= 11) return StripArticles(e.source, from);
    return e.source;
}

std::string resultLine(std::string_view display, std::size_t index) {
    std::string line;
    line.reserve(display.size() + 12);
    line += ' ';
    line += display;
    line += " \t";
    line += format("%4zu", index);
    line += '\t';
    return line;
}

std::optional<std::size_t> EntryIndexOfLine(std::string_view line) {
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) return std::nullopt;
    std::string_view field = line.substr(tab + 1);
    field = field.substr(0, field.find('\t'));
    while (!field.empty() && field.front() == ' ')
        field.remove_prefix(1);
    std::size_t value = 0;
    const auto [end, ec] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (ec != std::errc() || end == field.data()) return std::nullopt;
    return value;
}

std::string detailText(const DictionaryEntry& e, LanguageId to) {
    return " " + targetSideText(e, to) + " ";
}

EntryResources entryResources(const DictionaryEntry& e, const std::string& cdromRoot) {
    EntryResources r;
    if (!isSafeStem(e.lesson)) return r; // an empty lesson code is refused too
    const std::string root = cdromRoot + "\\" + e.lesson + "\\";
    if (!e.sound.empty() && isSafeStem(e.sound)) {
        r.maleVoice = root + "MALE\\" + e.sound + ".WAV";
        r.femaleVoice = root + "FEMALE\\" + e.sound + ".WAV";
    }
    if (!e.picture.empty() && isSafeStem(e.picture)) {
        r.simplifiedPicture = root + "SIMPLIFY\\" + e.picture + ".BMP";
        r.traditionalPicture = root + "TRADI\\" + e.picture + ".BMP";
    }
    if (!e.media.empty() && isSafeStem(e.media)) {
        r.videoInAviFolder = root + "AVI\\" + e.media + ".AVI";
        r.video = root + e.media + ".AVI";
        r.metafile = root + e.media + ".WMF";
    }
    return r;
}

} // namespace lumora
