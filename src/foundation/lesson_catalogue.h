#pragma once
// The two catalogues (lessons and stories) and the lesson data files they name. Nothing is kept:
// every call reads the settings and the files again, so a change of the current catalogue is seen
// at once.
#include <array>
#include <optional>
#include <string>

#include "foundation/content_locator.h"
#include "foundation/read_result.h"

namespace lumora {

enum class CatalogueKind { Lessons, Stories };

// Catalogue entry: seven 40-byte titles and a 10-byte data-file stem.
struct CatalogueLayout {
    static constexpr std::size_t kEntrySize = 290;
    static constexpr std::size_t kTitleWidth = 40;
    static constexpr std::size_t kStemOffset = 280;
    static constexpr std::size_t kStemWidth = 10;
    // Title offsets by catalogue column.
    static constexpr std::size_t kFrench = 0, kEnglish = 40, kGerman = 80, kSpanish = 120, kKhmer = 160,
                                 kThai = 200, kVietnamese = 240;
};

// Lesson page record: four phrases, each with its text, pinyin, eight translations and two stems.
struct PageLayout {
    static constexpr std::size_t kPageSize = 6120;
    static constexpr std::size_t kTextWidth = 150;
    static constexpr std::size_t kStemWidth = 10;
    static constexpr std::size_t kPhrase = 0;
    static constexpr std::size_t kPhonetic = 600;
    static constexpr std::size_t kFrench = 1200, kEnglish = 1800, kGerman = 2400, kSpanish = 3000, kDutch = 3600,
                                 kKhmer = 4200, kThai = 4800, kVietnamese = 5400;
    static constexpr std::size_t kSound = 6000;
    static constexpr std::size_t kMedia = 6040;
    static constexpr std::size_t kReserved = 6080;
    static constexpr int kPhrases = 4;
};

struct StudioPageFields {
    std::array<std::string, 4> phonetic;
    std::array<std::string, 4> sound;
};

class LessonCatalogue {
public:
    explicit LessonCatalogue(const ContentLocator& locator) : locator_(locator) {}

    CatalogueKind currentKind() const;
    // The section holding the current lesson and page: "Course" for lessons, "Write" for stories.
    std::string positionSection() const;
    // Content name of the current catalogue file.
    std::string catalogueFile() const;

    int count() const;
    // Title of `entry` for a language id (8-bit text in the language's display encoding); -1 gives
    // the data-file stem. Empty beyond the file, for a missing file or for a language without title.
    std::string title(int entry, int languageId) const;
    std::string dataFile(int entry) const;
    int pageCount(int entry) const;

    // Page fields; a page beyond the last reads page 0. Phrases are numbered 1 to 4.
    std::string PhraseText(int lesson, int page, int phrase) const;
    std::string PhoneticText(int lesson, int page, int phrase) const;
    std::string TranslationText(int lesson, int page, int phrase, int languageId) const;
    // Stems that are not plain file-name parts (separators, drives, "..") read as empty.
    std::string SoundStem(int lesson, int page, int phrase) const;
    std::string MediaStem(int lesson, int page, int phrase) const;
    StudioPageFields StudioPage(int lesson, int page) const;

    // The whole page record (page 0 when `page` is beyond the last) into `out`, left as it was on
    // failure: Missing when the entry, its data file or the catalogue is not there, Corrupt for an
    // unsafe data-file stem, Truncated when the file holds no whole page.
    ReadResult readPage(int lesson, int page, Bytes& out) const;
    // Entry `entry` of the current catalogue (290 bytes), the same way.
    ReadResult readEntry(int entry, Bytes& out) const;

    const ContentLocator& locator() const { return locator_; }

private:
    std::string pageField(int lesson, int page, int phrase, std::size_t base, std::size_t width) const;
    const ContentLocator& locator_;
};

} // namespace lumora
