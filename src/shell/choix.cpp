#include "shell/choix.h"

#include "course/course_settings.h"

#include "course/course_commands.h"
#include "foundation/app_settings.h"
#include "foundation/codecs.h"
#include "foundation/frame_commands.h"
#include "foundation/media_names.h"
#include "resources/string_table.h"

namespace lumora {

ChoixTemplate choixTemplateForWidth(int screenWidth) {
    if (screenWidth <= 640) return {1550, 3, 115, 60};
    if (screenWidth <= 800) return {1560, 4, 115, 60};
    return {1570, 5, 95, 60};
}

ChoixLogic::ChoixLogic(SettingsStore& store, const LessonCatalogue& catalogue, CatalogueKind kind,
                         ChoixHost& host)
    : store_(store), catalogue_(catalogue), kind_(kind), host_(host) {}

void ChoixLogic::makeCurrent() {
    AppSettings(store_).setStoriesCurrent(kind_ == CatalogueKind::Stories);
}

void ChoixLogic::initialUpdate() { makeCurrent(); }

int ChoixLogic::entryCount() const { return catalogue_.count(); }

std::string ChoixLogic::title(int index) const {
    if (index < 0 || index >= catalogue_.count()) return {};
    return decodeText(catalogue_.title(index, 0), encodingForLanguage(0));
}

std::string ChoixLogic::tooltip(int buttonId) {
    const int i = buttonId - kChoixFirstButton;
    if (kind_ == CatalogueKind::Lessons) {
        makeCurrent();
        if (i >= 0 && i < catalogue_.count()) return title(i);
        return strings::prompt(cmd::frame::ReadingCourse);
    }
    return title(i);
}

void ChoixLogic::click(int buttonId) {
    const int i = buttonId - kChoixFirstButton;
    if (kind_ == CatalogueKind::Lessons) {
        makeCurrent();
        if (i < 0 || i >= catalogue_.count()) return;
        AppSettings settings(store_);
        settings.setLesson(AppSettings::kLessonsSection, i);
        settings.setPage(AppSettings::kLessonsSection, 0);
        host_.postCommand(cmd::frame::Course);
        return;
    }
    // The stories list reads its count in the stories catalogue, whichever catalogue another
    // window made current meanwhile.
    makeCurrent();
    if (i < 0 || i >= catalogue_.count()) return;
    AppSettings settings(store_);
    settings.setStoriesCurrent(true);
    settings.setLesson(AppSettings::kStoriesSection, i);
    host_.setWaitCursor(true);
    host_.closeActivityWindows();
    settings.setRemember(8);
    if (host_.openActivity(ActivityTemplateId::Course, "zup.txt")) host_.startActiveActivity(ActivityTemplateId::Course);
    host_.setWaitCursor(false);
}

std::string ChoixLogic::lessonPictureName(int index) const {
    if (index < 0 || index >= catalogue_.count()) return {};
    const std::string dir = lessonMediaDirectory(store_, catalogue_, index);
    const std::string sound = catalogue_.SoundStem(index, 0, 1);
    if (dir.empty() || sound.empty()) return {};
    // The pictures follow the ideogram set the learner chose (traditional after F12).
    return IdeogramPictureName(dir, sound, CourseSettings(store_).ideogramSet());
}

} // namespace lumora
