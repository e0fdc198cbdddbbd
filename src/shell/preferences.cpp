#include "shell/preferences.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "course/course_settings.h"
#include "foundation/app_settings.h"
#include "shell/shell_settings.h"

namespace lumora {

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

std::string sizeText(int size) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2d", size);
    return buf;
}

} // namespace

std::vector<std::string> translationSizeList(bool arialScalable) {
    std::vector<std::string> sizes;
    if (arialScalable)
        for (int s : {8, 9, 10, 11, 12, 14, 16, 18, 20, 22}) sizes.push_back(sizeText(s));
    for (int s = 8; s <= 50; ++s) sizes.push_back(sizeText(s));
    std::stable_sort(sizes.begin(), sizes.end());
    return sizes;
}

std::vector<std::string> translationFontList(std::vector<std::string> families) {
    families.erase(std::remove(families.begin(), families.end(), std::string()), families.end());
    std::stable_sort(families.begin(), families.end(),
                     [](const std::string& a, const std::string& b) { return lower(a) < lower(b); });
    families.erase(std::unique(families.begin(), families.end()), families.end());
    return families;
}

int findListEntry(const std::vector<std::string>& list, const std::string& text) {
    const std::string want = lower(text);
    for (std::size_t i = 0; i < list.size(); ++i)
        if (lower(list[i]) == want) return static_cast<int>(i);
    return -1;
}

int sizeTextHeight(const std::string& text, int def) {
    const char* begin = text.c_str();
    char* end = nullptr;
    const long v = std::strtol(begin, &end, 10);
    if (end == begin || v < 1 || v > 500) return def;
    return static_cast<int>(v);
}

PreferencesModel::PreferencesModel(SettingsStore& store, std::vector<std::string> installedFamilies,
                                   bool arialScalable)
    : store_(store), fonts_(translationFontList(std::move(installedFamilies))),
      sizes_(translationSizeList(arialScalable)) {
    startup_ = AppSettings::kStartupChoice.read(store_);
    // The page shows what the course does with nothing stored, so that OK does not change it.
    endOfLesson_ = CourseSettings::kEndOfLesson.read(store_);
    font_ = fonts_.empty() ? -1 : 0;
    size_ = sizes_.empty() ? -1 : 0;
    reselectFaceAndSize();
}

void PreferencesModel::setStartupChoice(int choice) {
    if (choice >= 0 && choice < kChoiceCount) startup_ = choice;
}

void PreferencesModel::setEndOfLessonChoice(int choice) {
    if (choice >= 0 && choice < kChoiceCount) endOfLesson_ = choice;
}

void PreferencesModel::accept() {
    AppSettings::kStartupChoice.write(store_, startup_);
    CourseSettings::kEndOfLesson.write(store_, endOfLesson_);
}

LanguageId PreferencesModel::language() const { return AppSettings::kTranslationLanguage.read(store_); }

std::string PreferencesModel::languageSection() const { return lumora::languageSection(store_, true); }

int PreferencesModel::colourIndex() const {
    const int c = AppSettings::kTranslationColour.read(store_, languageSection());
    return c >= 0 && c < 16 ? c : -1;
}

void PreferencesModel::reselectFaceAndSize() {
    const std::string section = languageSection();
    const int f = findListEntry(
        fonts_, CourseSettings::kTranslationFace.readOr(store_, section, ShellSettings::kPreferredTranslationFace));
    if (f >= 0) font_ = f;
    const int s = findListEntry(
        sizes_, CourseSettings::kTranslationSize.readOr(store_, section, ShellSettings::kPreferredTranslationSize));
    if (s >= 0) size_ = s;
}

void PreferencesModel::selectLanguage(LanguageId id) {
    if (id < 0 || id >= kLanguageCount) return;
    AppSettings::kTranslationLanguage.write(store_, id);
    reselectFaceAndSize();
}

void PreferencesModel::selectFont(int index) {
    if (index < 0 || index >= static_cast<int>(fonts_.size())) return;
    font_ = index;
    CourseSettings::kTranslationFace.write(store_, languageSection(), fonts_[index]);
}

void PreferencesModel::selectSize(int index) {
    if (index < 0 || index >= static_cast<int>(sizes_.size())) return;
    size_ = index;
    CourseSettings::kTranslationSize.write(store_, languageSection(), sizes_[index]);
}

void PreferencesModel::selectColour(int index) {
    if (index < 0 || index >= 16) return;
    AppSettings::kTranslationColour.write(store_, languageSection(), index);
}

PreferencesModel::Sample PreferencesModel::sample() const {
    const std::string section = languageSection();
    Sample s;
    s.face = CourseSettings::kTranslationFace.readOr(store_, section, ShellSettings::kSampleFace);
    s.height = sizeTextHeight(
        CourseSettings::kTranslationSize.readOr(store_, section, std::to_string(ShellSettings::kSampleHeight)),
        ShellSettings::kSampleHeight);
    s.colour = textColour(store_, true);
    s.word = LanguageTable::sampleWord(language());
    s.encoding = textEncoding(s.face, language());
    return s;
}

} // namespace lumora
