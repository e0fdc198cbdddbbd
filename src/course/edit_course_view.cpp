#include "course/edit_course_view.h"

#include "course/course_commands.h"
#include "course/course_settings.h"
#include "foundation/app_settings.h"
#include "foundation/media_names.h"
#include "foundation/pinyin.h"
#include "foundation/utf8.h"

namespace lumora {

namespace {

int sizeHeight(const std::string& text, int def) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || v <= 0 || v > 1000) return def;
    return static_cast<int>(v);
}

// The first `max` characters of a UTF-8 text.
std::string firstCharacters(const std::string& utf8, std::size_t max) {
    std::size_t at = 0, count = 0;
    char32_t cp = 0;
    while (at < utf8.size() && count < max) {
        if (!nextCodePoint(utf8, at, cp)) ++at;
        ++count;
    }
    return utf8.substr(0, at);
}

} // namespace

CEditCourseView::CEditCourseView(SettingsStore& store, const LessonCatalogue& catalogue, const FileAccess& files,
                                 CCoursDoc& doc)
    : store_(store), catalogue_(catalogue), files_(files), doc_(doc) {
    declareCommands();
}

void CEditCourseView::declareCommands() {
    commandTable().addChecked(
        cmd::course::Translation,
        [this] {
            CourseSettings::kShowTranslation.toggle(store_);
            loadPage();
            if (rebuilt_) rebuilt_();
            notifyStateChanged();
        },
        [this] { return CourseSettings::kShowTranslation.read(store_) == 1; });
}

void CEditCourseView::onUpdate() {
    loadPage();
    doc_.PlayAllPhrases();
}

void CEditCourseView::loadPage() {
    // 1. Fonts and colour.
    language_ = AppSettings::kTranslationLanguage.read(store_);
    const std::string section = languageSection(store_, true);
    modelFont_ = {"Arial", 40, FontEncoding::Windows1252};
    guideFont_ = {"Arial", 20, FontEncoding::Windows1252};
    translationFont_.face = CourseSettings::kTranslationFace.read(store_, section);
    translationFont_.height = sizeHeight(CourseSettings::kTranslationSize.readOr(store_, section, "25"), 25);
    translationFont_.encoding = textEncoding(translationFont_.face, language_);
    colour_ = kDefaultColour;
    std::uint8_t record[60];
    std::uint8_t colour[4];
    if (store_.readBinary(AppSettings::kFontRecordSection, AppSettings::kUserRecordEntry, record, sizeof record) != 0 &&
        store_.readBinary(AppSettings::kColourRecordSection, AppSettings::kUserRecordEntry, colour, sizeof colour) ==
            sizeof colour)
        colour_ = static_cast<ColourRef>(colour[0] | colour[1] << 8 | colour[2] << 16 | colour[3] << 24) & 0xFFFFFFu;

    // 2. Position: a page beyond the last is the last.
    lesson_ = doc_.currentLesson();
    const int pages = catalogue_.pageCount(lesson_);
    page_ = doc_.currentPage();
    if (pages > 0 && page_ >= pages) page_ = pages - 1;
    if (page_ < 0) page_ = 0;

    const bool guide = CourseSettings::kGuide.read(store_) == 1;
    const bool translations = CourseSettings::kShowTranslation.read(store_) == 1;
    dictation_ = CourseSettings::kDictation.read(store_) == 1;
    const std::string media = lessonMediaDirectory(store_, catalogue_, lesson_);
    for (int i = 0; i < kRows; ++i) {
        EditRow& r = rows_[static_cast<std::size_t>(i)];
        r = EditRow{};
        r.model = catalogue_.PhraseText(lesson_, page_, i + 1);
        // 3. Lines cleared; a line and its mark only for a phrase.
        r.lineShown = !r.model.empty();
        // 4. Guide.
        r.guideShown = guide && !r.model.empty();
        // 5. Marks.
        evaluate(i);
        // 6. Translation rows.
        if (translations) {
            r.translation = catalogue_.TranslationText(lesson_, page_, i + 1, language_);
            r.translationShown = !r.translation.empty();
            r.numberShown = r.translationShown;
            const std::string stem = catalogue_.SoundStem(lesson_, page_, i + 1);
            const std::string male = MaleVoiceName(media, stem), female = FemaleVoiceName(media, stem);
            if (!male.empty() && files_.exists(male)) r.maleVoice = male;
            if (!female.empty() && files_.exists(female)) r.femaleVoice = female;
        }
        // 7. Dictation.
        r.modelShown = !dictation_;
        r.modelLine = " " + r.model;
    }
}

void CEditCourseView::setTyped(int row, const std::string& utf8) {
    if (row < 0 || row >= kRows) return;
    const std::string text = firstCharacters(utf8, kTypedLineMax);
    // The line is compared as the bytes the model is stored in; a character that has no byte there
    // cannot match.
    rows_[static_cast<std::size_t>(row)].typed = encodeText(text, modelFont_.encoding).value_or(text);
    rows_[static_cast<std::size_t>(row)].hint.clear();
    evaluate(row);
    if (!text.empty())
        rows_[static_cast<std::size_t>(row)].hint =
            pinyinHint(text, decodeText(rows_[static_cast<std::size_t>(row)].model, modelFont_.encoding));
}

void CEditCourseView::evaluate(int row) {
    EditRow& r = rows_[static_cast<std::size_t>(row)];
    r.matches = r.typed == r.model;
}

} // namespace lumora
