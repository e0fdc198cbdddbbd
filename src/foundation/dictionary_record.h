#pragma once
// The dictionary entry record. A dictionary file (one per ordered language pair) is a plain array of
// 640-byte entries with no header; entry i starts at byte 640 * i. Every text field is 8-bit text in
// the display encoding of its language, ending at the first zero byte inside the field or, without
// one, at the end of the field. The reader (src/dictionary) and the content tool's writer share this
// layout.
#include <cstddef>
#include <string>

#include "foundation/bytes.h"
#include "foundation/text_util.h"

namespace lumora {

struct DictionaryLayout {
    static constexpr std::size_t kEntrySize = 640;
    static constexpr std::size_t kTextWidth = 150; // the four text fields
    static constexpr std::size_t kStemWidth = 10;  // the four stems
    static constexpr std::size_t kSource = 0;          // source text (non-Mandarin source); listed only when set
    static constexpr std::size_t kTarget = 150;        // target text (non-Mandarin target)
    static constexpr std::size_t kSound = 300;         // sound stem of the male and female voices
    static constexpr std::size_t kMedia = 310;         // media stem: a video or a metafile picture
    static constexpr std::size_t kLesson = 320;        // lesson code: the lesson's content folder
    static constexpr std::size_t kMandarinSource = 330; // the phrase when the source is Mandarin
    static constexpr std::size_t kMandarinTarget = 480; // the phrase when the target is Mandarin
    static constexpr std::size_t kPicture = 630;       // ideogram picture stem
};
static_assert(DictionaryLayout::kPicture + DictionaryLayout::kStemWidth == DictionaryLayout::kEntrySize);

// One entry, its texts as the 8-bit bytes of the record (the number is the field's offset).
struct DictionaryEntry {
    std::string source{};         // 0: non-Mandarin source side; the entry is listed only when set
    std::string target{};         // 150: non-Mandarin target side
    std::string sound{};          // 300: stem of the male and female voices
    std::string media{};          // 310: stem of a video or metafile picture
    std::string lesson{};         // 320: the lesson's content folder
    std::string mandarinSource{}; // 330: the source side when the source language is Mandarin
    std::string mandarinTarget{}; // 480: the target side when the target language is Mandarin
    std::string picture{};        // 630: ideogram picture stem
};

// The 640 bytes of an entry, each text cut to its width (zero-filled; a text as wide as its field
// has no terminator).
inline Bytes dictionaryRecordBytes(const DictionaryEntry& f) {
    using L = DictionaryLayout;
    Bytes rec(L::kEntrySize, 0);
    putFixedField(rec, L::kSource, L::kTextWidth, f.source);
    putFixedField(rec, L::kTarget, L::kTextWidth, f.target);
    putFixedField(rec, L::kSound, L::kStemWidth, f.sound);
    putFixedField(rec, L::kMedia, L::kStemWidth, f.media);
    putFixedField(rec, L::kLesson, L::kStemWidth, f.lesson);
    putFixedField(rec, L::kMandarinSource, L::kTextWidth, f.mandarinSource);
    putFixedField(rec, L::kMandarinTarget, L::kTextWidth, f.mandarinTarget);
    putFixedField(rec, L::kPicture, L::kStemWidth, f.picture);
    return rec;
}

} // namespace lumora
