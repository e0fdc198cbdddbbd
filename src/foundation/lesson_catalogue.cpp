#include "foundation/lesson_catalogue.h"

#include "foundation/app_settings.h"
#include "foundation/language_table.h"
#include "foundation/text_util.h"

namespace lumora {

CatalogueKind LessonCatalogue::currentKind() const {
    return AppSettings::kCatalogue.read(locator_.store()) == "NO" ? CatalogueKind::Lessons
                                                                       : CatalogueKind::Stories;
}

std::string LessonCatalogue::positionSection() const {
    return currentKind() == CatalogueKind::Lessons ? AppSettings::kLessonsSection : AppSettings::kStoriesSection;
}

std::string LessonCatalogue::catalogueFile() const {
    return locator_.find(currentKind() == CatalogueKind::Lessons ? "DATA\\WIN32\\LISTE.DAT"
                                                                 : "DATA\\WIN32\\WRITE.DAT");
}

int LessonCatalogue::count() const {
    const auto size = locator_.files().size(catalogueFile());
    if (!size) return 0;
    const auto n = *size / CatalogueLayout::kEntrySize;
    return n > 0x7fffffff ? 0x7fffffff : static_cast<int>(n);
}

ReadResult LessonCatalogue::readEntry(int entry, Bytes& out) const {
    if (entry < 0) return readFailure(ReadStatus::Missing, "no entry " + std::to_string(entry));
    const std::string file = catalogueFile();
    const auto size = locator_.files().size(file);
    if (!size) return readFailure(ReadStatus::Missing, file + " cannot be opened");
    const std::uint64_t offset = static_cast<std::uint64_t>(entry) * CatalogueLayout::kEntrySize;
    if (offset >= *size) return readFailure(ReadStatus::Missing, "no entry " + std::to_string(entry));
    if (*size - offset < CatalogueLayout::kEntrySize)
        return readFailure(ReadStatus::Truncated, "entry " + std::to_string(entry) + " is cut short");
    auto rec = locator_.files().readAt(file, offset, CatalogueLayout::kEntrySize);
    if (!rec) return readFailure(ReadStatus::Missing, file + " cannot be read");
    out = std::move(*rec);
    return {};
}

std::string LessonCatalogue::title(int entry, int languageId) const {
    Bytes rec;
    if (!readEntry(entry, rec)) return {};
    if (languageId == -1) return fixedField(rec, CatalogueLayout::kStemOffset, CatalogueLayout::kStemWidth);
    const int offset = catalogueTitleField(languageId);
    if (offset < 0) return {};
    return fixedField(rec, static_cast<std::size_t>(offset), CatalogueLayout::kTitleWidth);
}

std::string LessonCatalogue::dataFile(int entry) const {
    const std::string stem = title(entry, -1);
    // An unsafe stem names no file inside the content roots; "DATA\WIN32\.DAT" never exists.
    const std::string safe = isSafeStem(stem) ? stem : std::string();
    return locator_.find("DATA\\WIN32\\" + safe + ".DAT");
}

int LessonCatalogue::pageCount(int entry) const {
    const std::string stem = title(entry, -1);
    if (!isSafeStem(stem)) return 0;
    const auto size = locator_.files().size(dataFile(entry));
    if (!size) return 0;
    const auto n = *size / PageLayout::kPageSize;
    return n > 0x7fffffff ? 0x7fffffff : static_cast<int>(n);
}

ReadResult LessonCatalogue::readPage(int lesson, int page, Bytes& out) const {
    Bytes entry;
    if (ReadResult r = readEntry(lesson, entry); !r) return r;
    const std::string stem = fixedField(entry, CatalogueLayout::kStemOffset, CatalogueLayout::kStemWidth);
    if (!isSafeStem(stem))
        return readFailure(ReadStatus::Corrupt, "entry " + std::to_string(lesson) + " names no safe file");
    const std::string file = locator_.find("DATA\\WIN32\\" + stem + ".DAT");
    const auto size = locator_.files().size(file);
    if (!size) return readFailure(ReadStatus::Missing, file + " cannot be opened");
    const std::uint64_t pages = *size / PageLayout::kPageSize;
    if (pages == 0) return readFailure(ReadStatus::Truncated, file + " holds no whole page");
    if (page < 0 || static_cast<std::uint64_t>(page) >= pages) page = 0;
    const std::uint64_t offset = static_cast<std::uint64_t>(page) * PageLayout::kPageSize;
    auto rec = locator_.files().readAt(file, offset, PageLayout::kPageSize);
    if (!rec) return readFailure(ReadStatus::Missing, file + " cannot be read");
    out = std::move(*rec);
    return {};
}

std::string LessonCatalogue::pageField(int lesson, int page, int phrase, std::size_t base, std::size_t width) const {
    if (phrase < 1 || phrase > PageLayout::kPhrases) return {};
    Bytes rec;
    if (!readPage(lesson, page, rec)) return {};
    return fixedField(rec, base + width * static_cast<std::size_t>(phrase - 1), width);
}

std::string LessonCatalogue::PhraseText(int lesson, int page, int phrase) const {
    return pageField(lesson, page, phrase, PageLayout::kPhrase, PageLayout::kTextWidth);
}

std::string LessonCatalogue::PhoneticText(int lesson, int page, int phrase) const {
    return pageField(lesson, page, phrase, PageLayout::kPhonetic, PageLayout::kTextWidth);
}

std::string LessonCatalogue::TranslationText(int lesson, int page, int phrase, int languageId) const {
    const int block = pageTranslationBlock(languageId);
    if (block < 0) return {};
    return pageField(lesson, page, phrase, static_cast<std::size_t>(block), PageLayout::kTextWidth);
}

std::string LessonCatalogue::SoundStem(int lesson, int page, int phrase) const {
    std::string s = pageField(lesson, page, phrase, PageLayout::kSound, PageLayout::kStemWidth);
    return isSafeStem(s) ? s : std::string();
}

std::string LessonCatalogue::MediaStem(int lesson, int page, int phrase) const {
    std::string s = pageField(lesson, page, phrase, PageLayout::kMedia, PageLayout::kStemWidth);
    return isSafeStem(s) ? s : std::string();
}

StudioPageFields LessonCatalogue::StudioPage(int lesson, int page) const {
    StudioPageFields out;
    Bytes rec;
    if (!readPage(lesson, page, rec)) return out;
    for (std::size_t k = 0; k < 4; ++k) {
        out.phonetic[k] = fixedField(rec, PageLayout::kPhonetic + PageLayout::kTextWidth * k, PageLayout::kTextWidth);
        std::string s = fixedField(rec, PageLayout::kSound + PageLayout::kStemWidth * k, PageLayout::kStemWidth);
        out.sound[k] = isSafeStem(s) ? s : std::string();
    }
    return out;
}

} // namespace lumora
