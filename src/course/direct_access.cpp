#include "course/direct_access.h"

#include <cstdlib>

#include "course/course_settings.h"
#include "course/media_paths.h"
#include "foundation/app_settings.h"
#include "foundation/language_table.h"

namespace lumora {

namespace {

// A font height stored as decimal text; text that is not a positive number keeps the default.
int parseHeight(const std::string& text, int def) {
    char* end = nullptr;
    const long v = std::strtol(text.c_str(), &end, 10);
    if (end == text.c_str() || v <= 0 || v > 1000) return def;
    return static_cast<int>(v);
}

} // namespace

DirectAccessModel::DirectAccessModel(SettingsStore& store, const LessonCatalogue& catalogue, PlaybackRunner& playback)
    : store_(store), catalogue_(catalogue), playback_(playback) {
    rememberedDirect_ = CourseSettings::kDirectRemembered.read(store_);
    const int lang = CourseSettings::kDirectLanguage.readOr(store_, rememberedDirect_);
    language_ = lang >= 0 && lang < kLanguageCount ? lang : 0;
    const std::string section = catalogue_.positionSection();
    lesson_ = AppSettings::kLesson.read(store_, section);
    page_ = AppSettings::kPage.read(store_, section);
    const int voice = CourseSettings::kDirectVoice.read(store_);
    voice_ = voice >= 0 && voice <= 3 ? voice : 0;
    refillPages();
}

int DirectAccessModel::layoutFor(int screenWidth) { return screenWidth <= 640 ? kSmallLayout : kLargeLayout; }

std::vector<std::string> DirectAccessModel::lessonItems() const {
    std::vector<std::string> out;
    const int n = catalogue_.count();
    out.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) out.push_back(decodeText(catalogue_.title(i, 0), encodingForLanguage(0)));
    return out;
}

std::vector<std::string> DirectAccessModel::pageItemTexts() const {
    std::vector<std::string> out;
    out.reserve(pages_.size());
    for (const std::string& p : pages_) out.push_back(decodeText(p, font_.encoding));
    return out;
}

std::string DirectAccessModel::languageName() const { return LanguageTable::languageName(language_); }
std::string DirectAccessModel::languageFlag() const { return LanguageTable::flagPicture(language_); }

void DirectAccessModel::refillPages() {
    const DisplayFont def = LanguageTable::defaultFont(language_);
    const std::string section = LanguageTable::section(language_);
    font_.face = section.empty() ? def.face : CourseSettings::kTranslationFace.readOr(store_, section, def.face);
    font_.height = section.empty() ? def.height
                                   : parseHeight(CourseSettings::kTranslationSize.readOr(store_, section, std::to_string(def.height)),
                                                 def.height);
    font_.encoding = textEncoding(font_.face, language_);
    pages_.clear();
    const int n = catalogue_.pageCount(lesson_);
    pages_.reserve(static_cast<std::size_t>(n));
    for (int p = 0; p < n; ++p) pages_.push_back(" " + catalogue_.TranslationText(lesson_, p, 1, language_) + " ");
}

void DirectAccessModel::chooseLesson(int index) {
    if (index < 0 || index >= catalogue_.count()) return;
    lesson_ = index;
    page_ = 0;
    refillPages();
}

void DirectAccessModel::choosePage(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= pages_.size()) return;
    page_ = index;
    // The page chosen before is not heard out: its plan gives way to this one (empty with the voice
    // off or without voice files, which only silences the previous one).
    if (voice_ == 3) {
        playback_.run(PlaybackPlan{});
        return;
    }
    // The dialog's lesson may not be the current one: its directory is computed without recording it.
    const std::string dir = lessonMediaDirectory(store_, catalogue_, lesson_);
    const std::string stem = catalogue_.SoundStem(lesson_, page_, 1);
    playback_.run(VoicePlan(catalogue_.locator().files(), MaleVoiceName(dir, stem), FemaleVoiceName(dir, stem),
                            voice_ == 0 || voice_ == 1, voice_ == 0 || voice_ == 2));
}

void DirectAccessModel::chooseLanguage(int languageId) {
    if (languageId < 0 || languageId >= kLanguageCount) return;
    language_ = languageId;
    CourseSettings::kDirectRemembered.write(store_, languageId);
    refillPages();
}

void DirectAccessModel::chooseVoice(int voice) {
    if (voice >= 0 && voice <= 3) voice_ = voice;
}

void DirectAccessModel::accept() {
    const std::string section = catalogue_.positionSection();
    AppSettings::kLesson.write(store_, section, lesson_);
    AppSettings::kPage.write(store_, section, page_);
    AppSettings::kCurrentDir.write(store_, safeLessonStem(catalogue_, lesson_));
    CourseSettings::kDirectLanguage.write(store_, language_);
    CourseSettings::kDirectVoice.write(store_, voice_);
}

void DirectAccessModel::cancel() { CourseSettings::kDirectRemembered.write(store_, rememberedDirect_); }

} // namespace lumora
