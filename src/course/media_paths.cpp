#include "course/media_paths.h"

namespace lumora {

std::string safeLessonStem(const LessonCatalogue& catalogue, int lesson) {
    std::string stem = catalogue.title(lesson, -1);
    return isSafeStem(stem) ? stem : std::string();
}

std::string lessonMediaDirectory(const SettingsStore& store, const LessonCatalogue& catalogue, int lesson) {
    const std::string stem = safeLessonStem(catalogue, lesson);
    if (stem.empty()) return {};
    return store.readString("CDROM", "Drive", "D:") + "\\" + stem + "\\";
}

std::string MediaDirectory(SettingsStore& store, const LessonCatalogue& catalogue, int lesson) {
    store.writeString("Course", "CurrentDir", safeLessonStem(catalogue, lesson));
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

std::string MetafilePath(SettingsStore& store, const LessonCatalogue& catalogue, int lesson, int page, int phrase) {
    const std::string dir = MediaDirectory(store, catalogue, lesson);
    const std::string stem = catalogue.MediaStem(lesson, page, phrase);
    if (dir.empty() || stem.empty()) return {};
    const std::string name = dir + stem + ".WMF";
    return catalogue.locator().files().exists(name) ? name : std::string();
}

PlaybackPlan VoicePlan(const FileAccess& files, const std::string& maleName, const std::string& femaleName,
                       bool wantMale, bool wantFemale) {
    const bool male = wantMale && !maleName.empty() && files.exists(maleName);
    const bool female = wantFemale && !femaleName.empty() && files.exists(femaleName);
    PlaybackPlan plan;
    if (male) plan.play(files.resolve(maleName).string());
    if (male && female) plan.pause(2);
    if (female) plan.play(files.resolve(femaleName).string());
    return plan;
}

} // namespace lumora
