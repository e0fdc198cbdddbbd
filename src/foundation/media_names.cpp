#include "foundation/media_names.h"

#include "foundation/app_settings.h"

namespace lumora {

std::string safeLessonStem(const LessonCatalogue& catalogue, int lesson) {
    std::string stem = catalogue.title(lesson, -1);
    return isSafeStem(stem) ? stem : std::string();
}

std::string lessonMediaDirectory(const SettingsStore& store, const LessonCatalogue& catalogue, int lesson) {
    const std::string stem = safeLessonStem(catalogue, lesson);
    if (stem.empty()) return {};
    return AppSettings::kCdromDrive.read(store) + "\\" + stem + "\\";
}

std::string MediaDirectory(SettingsStore& store, const LessonCatalogue& catalogue, int lesson) {
    AppSettings::kCurrentDir.write(store, safeLessonStem(catalogue, lesson));
    return lessonMediaDirectory(store, catalogue, lesson);
}

std::string MaleVoiceName(const std::string& mediaDirectory, const std::string& soundStem) {
    if (mediaDirectory.empty() || soundStem.empty()) return {};
    return mediaDirectory + "MALE\\" + soundStem + ".WAV";
}

std::string FemaleVoiceName(const std::string& mediaDirectory, const std::string& soundStem) {
    if (mediaDirectory.empty() || soundStem.empty()) return {};
    return mediaDirectory + "FEMALE\\" + soundStem + ".WAV";
}

std::string IdeogramPictureName(const std::string& mediaDirectory, const std::string& soundStem, int ideogramSet) {
    if (mediaDirectory.empty()) return {};
    return mediaDirectory + (ideogramSet == 0 ? "SIMPLIFY\\" : "TRADI\\") + soundStem + ".BMP";
}

std::string VideoPath(SettingsStore& store, const LessonCatalogue& catalogue, int lesson, int page, int phrase) {
    const std::string dir = MediaDirectory(store, catalogue, lesson);
    const std::string stem = catalogue.MediaStem(lesson, page, phrase);
    if (dir.empty() || stem.empty()) return {};
    const FileAccess& files = catalogue.locator().files();
    const std::string inAvi = dir + "AVI\\" + stem + ".AVI";
    if (files.exists(inAvi)) return inAvi;
    const std::string inDir = dir + stem + ".AVI";
    if (files.exists(inDir)) return inDir;
    return {};
}

} // namespace lumora
