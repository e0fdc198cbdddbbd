#pragma once
// The binary records of a content tree, built from the encoded course model: catalogue entries,
// lesson page records and dictionary entries.
#include <string>

#include "content/course_source.h"
#include "foundation/bytes.h"
#include "foundation/dictionary_record.h"

namespace lumora::content {

// One 290-byte catalogue entry: the seven titles and the stem.
Bytes catalogueEntry(const CourseUnit& unit);
// The whole lesson data file: one 6120-byte record a page.
Bytes lessonFile(const CourseUnit& unit);

// What a dictionary entry says, in both languages.
struct DictionaryItem {
    std::string text;     // the non-Mandarin side, in its language's encoding
    std::string mandarin; // tone-marked pinyin, Pinying bytes
    std::string lesson;   // lesson code
    std::string sound;    // sound stem (empty: none)
    std::string picture;  // picture stem
    std::string media;    // media stem
};

// A 640-byte entry of the pair non-Mandarin -> Mandarin (`mandarinIsSource` false) or Mandarin ->
// non-Mandarin. A reader takes the Mandarin side from the Mandarin field of that side (330 for the
// source, 480 for the target) and the other side from its plain field (0 or 150). The pinyin is also
// written into the plain field of the Mandarin side: the search lists only entries whose plain
// source field is filled, and a reader that looks at the plain field still finds the phrase.
Bytes dictionaryEntry(const DictionaryItem& item, bool mandarinIsSource);

} // namespace lumora::content
