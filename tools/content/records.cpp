#include "content/records.h"

#include "foundation/lesson_catalogue.h"
#include "foundation/text_util.h"

namespace lumora::content {

Bytes catalogueEntry(const CourseUnit& unit) {
    Bytes rec(CatalogueLayout::kEntrySize, 0);
    const auto& cols = titleColumns();
    for (std::size_t i = 0; i < cols.size(); ++i)
        putFixedField(rec, cols[i].offset, CatalogueLayout::kTitleWidth, unit.titles[i]);
    putFixedField(rec, CatalogueLayout::kStemOffset, CatalogueLayout::kStemWidth, unit.stem);
    return rec;
}

Bytes lessonFile(const CourseUnit& unit) {
    Bytes file;
    file.reserve(unit.pages.size() * PageLayout::kPageSize);
    const auto& langs = translationLanguages();
    for (const CoursePage& page : unit.pages) {
        Bytes rec(PageLayout::kPageSize, 0);
        for (std::size_t k = 0; k < page.phrases.size() && k < static_cast<std::size_t>(PageLayout::kPhrases); ++k) {
            const CourseItem& item = page.phrases[k];
            const std::size_t text = PageLayout::kTextWidth * k;
            const std::size_t stem = PageLayout::kStemWidth * k;
            putFixedField(rec, PageLayout::kPhrase + text, PageLayout::kTextWidth, item.typed);
            putFixedField(rec, PageLayout::kPhonetic + text, PageLayout::kTextWidth, item.phonetic);
            for (std::size_t l = 0; l < langs.size(); ++l)
                putFixedField(rec, langs[l].offset + text, PageLayout::kTextWidth, item.translations[l]);
            putFixedField(rec, PageLayout::kSound + stem, PageLayout::kStemWidth, item.soundStem);
            putFixedField(rec, PageLayout::kMedia + stem, PageLayout::kStemWidth, item.mediaStem);
        }
        file.insert(file.end(), rec.begin(), rec.end());
    }
    return file;
}

Bytes dictionaryEntry(const DictionaryItem& item, bool mandarinIsSource) {
    DictionaryEntry f;
    if (mandarinIsSource) {
        f.source = item.mandarin;
        f.mandarinSource = item.mandarin;
        f.target = item.text;
    } else {
        f.source = item.text;
        f.target = item.mandarin;
        f.mandarinTarget = item.mandarin;
    }
    f.sound = item.sound;
    f.media = item.media;
    f.lesson = item.lesson;
    f.picture = item.picture;
    return dictionaryRecordBytes(f);
}

} // namespace lumora::content
