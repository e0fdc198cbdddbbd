#include "exercises/question_pool.h"

#include <charconv>
#include <filesystem>

#include "exercises/exercise_settings.h"
#include "foundation/app_settings.h"
#include "foundation/dictionary_record.h"
#include "foundation/text_util.h"

namespace lumora {

namespace {
using IL = ExerciseItemLayout;

// A selection file is a few lines; anything past this is not read.
constexpr std::uint64_t kMaxSelectionBytes = 1u << 20;

void removeFile(const FileAccess& files, const std::string& name) {
    const auto local = files.resolve(name);
    std::error_code ec;
    if (!local.empty()) std::filesystem::remove(local, ec);
}

// The lines of a selection file the way they were always read: text-mode pieces of at most 499
// bytes, stopping at a piece equal to the one before (which is also how the end shows).
std::vector<std::string> selectionPieces(const FileAccess& files, const std::string& name) {
    std::vector<std::string> pieces;
    const auto size = files.size(name);
    if (!size) return pieces;
    const auto data = files.readAt(name, 0, static_cast<std::size_t>(std::min(*size, kMaxSelectionBytes)));
    if (!data) return pieces;
    std::string text;
    text.reserve(data->size());
    for (std::size_t i = 0; i < data->size(); ++i) {
        const char c = static_cast<char>((*data)[i]);
        if (c == '\r' && i + 1 < data->size() && (*data)[i + 1] == '\n') continue;
        text += c;
    }
    std::string previous;
    std::size_t at = 0;
    while (true) {
        std::string piece;
        while (at < text.size() && piece.size() < 499) {
            piece += text[at++];
            if (piece.back() == '\n') break;
        }
        if (piece.empty()) piece = previous; // the end of the file keeps the last piece
        if (piece == previous) break;
        pieces.push_back(piece);
        previous = piece;
    }
    return pieces;
}

std::optional<int> decimal(const std::string& field) {
    int n = 0;
    const char* b = field.data();
    while (b < field.data() + field.size() && *b == ' ') ++b;
    const auto [ptr, ec] = std::from_chars(b, field.data() + field.size(), n);
    if (ec != std::errc() || ptr == b) return std::nullopt;
    return n;
}

} // namespace

ExerciseItem parseExerciseItem(const std::uint8_t* p) {
    ExerciseItem item;
    item.from = fixedField(p, IL::kFrom, IL::kTextWidth);
    item.to = fixedField(p, IL::kTo, IL::kTextWidth);
    item.sound = fixedField(p, IL::kSound, IL::kStemWidth);
    item.media = fixedField(p, IL::kMedia, IL::kStemWidth);
    item.lesson = fixedField(p, IL::kLesson, IL::kStemWidth);
    item.picture = fixedField(p, IL::kPicture, IL::kPictureWidth);
    return item;
}

Bytes serializeExerciseItem(const ExerciseItem& item) {
    Bytes b(IL::kRecordSize, 0);
    putFixedField(b, IL::kFrom, IL::kTextWidth, item.from);
    putFixedField(b, IL::kTo, IL::kTextWidth, item.to);
    putFixedField(b, IL::kSound, IL::kStemWidth, item.sound);
    putFixedField(b, IL::kMedia, IL::kStemWidth, item.media);
    putFixedField(b, IL::kLesson, IL::kStemWidth, item.lesson);
    putFixedField(b, IL::kPicture, IL::kPictureWidth, item.picture);
    return b;
}

ExerciseItem itemFromEntry(const DictionaryEntry& e, LanguageId from, LanguageId to) {
    return {sourceSideText(e, from), targetSideText(e, to), e.sound, e.media, e.lesson, e.picture};
}

std::vector<std::string> readSelection(const FileAccess& files, const std::string& selectionFile) {
    std::vector<std::string> items;
    for (const std::string& piece : selectionPieces(files, selectionFile)) {
        const std::string f1 = tabField(piece, 1);
        if (!f1.empty()) items.push_back(f1 + "\t" + tabField(piece, 2) + "\n");
    }
    return items;
}

std::string selectionLabel(const FileAccess& files, const std::string& selectionFile) {
    std::string label;
    for (const std::string& piece : selectionPieces(files, selectionFile)) {
        const std::string f1 = tabField(piece, 1);
        if (!f1.empty()) label += "\t" + f1 + "\n";
    }
    return label;
}

ExerciseMedia findExerciseMedia(const FileAccess& files, const std::string& cdromRoot, const std::string& lesson,
                                const std::string& media) {
    if (media.empty() || !isSafeStem(media) || !isSafeStem(lesson)) return {};
    const std::string root = cdromRoot + "\\" + lesson + "\\";
    const ExerciseMedia candidates[] = {
        {root + "AVI\\" + media + ".AVI", 2}, {root + media + ".AVI", 2}, {root + media + ".WMF", 1}};
    for (const ExerciseMedia& c : candidates)
        if (files.exists(c.name)) return c;
    return {};
}

std::size_t buildPool(const ContentLocator& locator, const LessonCatalogue& catalogue, ExerciseKind kind,
                      LanguageId from, LanguageId to, const std::vector<std::string>& selected) {
    const FileAccess& files = locator.files();
    const std::string dictionary = dictionaryFile(locator, from, to);
    if (dictionary.empty()) return 0;
    const auto dict = readDictionaryFile(files, dictionary);
    if (!dict) return 0;
    const ExerciseFiles names = exerciseFiles(locator.store(), kind);
    const std::size_t entries = dictionaryEntryCount(dict->size());
    std::vector<DictionaryEntry> parsed;
    parsed.reserve(entries);
    for (std::size_t i = 0; i < entries; ++i)
        parsed.push_back(parseDictionaryEntry(dict->data() + i * DictionaryLayout::kEntrySize));

    std::string selection;
    Bytes pool;
    std::size_t count = 0;
    const int lessons = catalogue.count();
    for (const std::string& item : selected) {
        const std::string f1 = tabField(item, 1), f2 = tabField(item, 2);
        selection += f1 + "\t" + f2 + "\t\r\n";
        const auto n = decimal(f2);
        if (!n || *n < 0 || *n >= lessons) continue; // not a lesson of this catalogue
        const std::string stem = catalogue.title(*n, -1);
        if (stem.empty()) continue;
        for (const DictionaryEntry& e : parsed) {
            if (e.lesson != stem) continue;
            if (kind == ExerciseKind::Picture && findExerciseMedia(files, locator.cdromRoot(), e.lesson, e.media).name.empty())
                continue;
            const Bytes rec = serializeExerciseItem(itemFromEntry(e, from, to));
            pool.insert(pool.end(), rec.begin(), rec.end());
            ++count;
        }
    }
    if (count == 0) {
        removeFile(files, names.selection);
        removeFile(files, names.pool);
        return 0;
    }
    if (!files.writeAtomically(names.selection, Bytes(selection.begin(), selection.end())) ||
        !files.writeAtomically(names.pool, pool))
        return 0;
    return count;
}

std::size_t buildVerifyPool(SettingsStore& store, const ContentLocator& locator, const LessonCatalogue& catalogue,
                            LanguageId from, LanguageId to) {
    const FileAccess& files = locator.files();
    const ExerciseFiles names = exerciseFiles(store, ExerciseKind::Verify);
    ExerciseSettings::kFrom.write(store, from);
    ExerciseSettings::kTo.write(store, to);
    const std::string dictionary = dictionaryFile(locator, from, to);
    const auto dict = dictionary.empty() ? std::nullopt : readDictionaryFile(files, dictionary);
    if (!dict) {
        removeFile(files, names.pool);
        return 0;
    }
    ExerciseSettings::kVerifyDictionary.write(store, dictionary);
    const int lesson = AppSettings::kLesson.read(store, catalogue.positionSection());
    const std::string stem = lesson >= 0 && lesson < catalogue.count() ? catalogue.title(lesson, -1) : std::string();
    Bytes pool;
    std::size_t count = 0;
    const std::size_t entries = dictionaryEntryCount(dict->size());
    for (std::size_t i = 0; i < entries && !stem.empty(); ++i) {
        const DictionaryEntry e = parseDictionaryEntry(dict->data() + i * DictionaryLayout::kEntrySize);
        if (e.lesson != stem) continue;
        const Bytes rec = serializeExerciseItem(itemFromEntry(e, from, to));
        pool.insert(pool.end(), rec.begin(), rec.end());
        ++count;
    }
    if (count == 0 || !files.writeAtomically(names.pool, pool)) {
        removeFile(files, names.pool);
        return 0;
    }
    return count;
}

std::size_t poolSize(const FileAccess& files, const std::string& poolFile) {
    const auto size = files.size(poolFile);
    return size ? static_cast<std::size_t>(*size / IL::kRecordSize) : 0;
}

} // namespace lumora
