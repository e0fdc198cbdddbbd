#include "shell/standard_menus.h"

#include "course/course_commands.h"
#include "foundation/app_commands.h"
#include "shell/shell_commands.h"

namespace lumora::menus {

namespace app = cmd::app;

MenuLayout frameFile() {
    return {"&File",
            {{cmd::shell::LessonsList, "&Lessons list"},
             {cmd::shell::ReadingCourse, "&Reading Course"},
             {cmd::course::KeyboardLearning, "&Keyboard learning"},
             {app::Separator, ""},
             {app::Exit, "E&xit"}}};
}

MenuLayout internet() {
    return {"&Internet",
            {{app::WebLessons, "Lesson homepage"},
             {app::WebPatch, "Download the patch"},
             {app::WebOrder, "Online order"},
             {app::Separator, ""},
             {app::WebHome, "Home page"}}};
}

MenuLayout help() {
    return {"&Help",
            {{app::HelpFinder, "Help ..."},
             {app::Separator, ""},
             {app::About, "&About ..."},
             {app::TipOfTheDay, "Ti&p of the Day..."}}};
}

MenuLayout bars() { return {"&View", {{app::ViewToolbar, "&Toolbar"}, {app::ViewStatusBar, "&Status Bar"}}}; }

std::vector<Accelerator> activityAccelerators() {
    return {{"End", cmd::shell::LessonsList}, {"F11", cmd::course::Simplified}, {"F12", cmd::course::Traditional}};
}

std::vector<MenuLayout> exercise() {
    return {
        {"&File", {{app::Exit, "E&xit"}}},
        {"&Lesson", {{cmd::shell::LessonsList, "Lesson's list"}, {cmd::course::Course, "Back to current lesson"}}},
        internet(),
        help(),
    };
}

} // namespace lumora::menus
