#pragma once
// The question pool of an exercise: the selection file (which lessons feed it), the pool file of
// fixed 348-byte records copied from the pair's dictionary, and the builders of both.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "dictionary/dictionary_entry.h"
#include "exercises/exercise_kind.h"
#include "foundation/bytes.h"
#include "foundation/lesson_catalogue.h"

namespace lumora {

struct ExerciseItemLayout {
    static constexpr std::size_t kRecordSize = 348;
    static constexpr std::size_t kFrom = 0, kTo = 150, kTextWidth = 150;
    static constexpr std::size_t kSound = 300, kMedia = 310, kLesson = 320, kStemWidth = 10;
    static constexpr std::size_t kZero = 332; // a 32-bit 0
    static constexpr std::size_t kPicture = 336, kPictureWidth = 12;
};

struct ExerciseItem {
    std::string from;    // the word or phrase in the From language
    std::string to;      // ... in the To language
    std::string sound;   // stem of the voices
    std::string media;   // stem of a video or metafile picture
    std::string lesson;  // the lesson's content folder
    std::string picture; // stem of the ideogram pictures
};

ExerciseItem parseExerciseItem(const std::uint8_t* record);
Bytes serializeExerciseItem(const ExerciseItem& item);
// The pool record of a dictionary entry for a pair (the Mandarin texts for a Mandarin side).
ExerciseItem itemFromEntry(const DictionaryEntry& entry, LanguageId from, LanguageId to);

// The items of the "Selected" list held by a selection file: field 1, a tab, field 2 and a line
// feed for each line whose first field is not empty. Lines are read in pieces of at most 499 bytes
// and the reading stops at a piece equal to the one before it. A missing file gives no item.
std::vector<std::string> readSelection(const FileAccess& files, const std::string& selectionFile);
// The label handed to the score history: a tab, field 1 and a line feed for each such line.
std::string selectionLabel(const FileAccess& files, const std::string& selectionFile);

// The picture exercise's media of an entry: the first existing of R + "AVI\" + media + ".AVI",
// R + media + ".AVI" (both view type 2) and R + media + ".WMF" (1). Empty when none exists.
struct ExerciseMedia {
    std::string name;
    int viewType = 0;
};
ExerciseMedia findExerciseMedia(const FileAccess& files, const std::string& cdromRoot, const std::string& lesson,
                                const std::string& media);

// Builds the selection file and the pool of the picture or translation exercise from the "Selected"
// items: the entries of each selected lesson in dictionary order (the picture exercise keeps only
// entries with an existing media file). Both files are written whole or not at all; when no
// record is taken both are removed. Returns the number of records; 0 without a dictionary.
std::size_t buildPool(const ContentLocator& locator, const LessonCatalogue& catalogue, ExerciseKind kind,
                      LanguageId from, LanguageId to, const std::vector<std::string>& selected);

// Builds the verify exercise's pool: every entry of the current lesson. Writes "Exercise"/"From",
// "Exercise"/"To" and "Acquis"/"Dictionary File". Removes the pool when it has no record.
std::size_t buildVerifyPool(SettingsStore& store, const ContentLocator& locator, const LessonCatalogue& catalogue,
                            LanguageId from, LanguageId to);

// The number of whole records of the kind's pool file (0 when it is missing).
std::size_t poolSize(const FileAccess& files, const std::string& poolFile);

} // namespace lumora
