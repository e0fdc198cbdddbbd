#include "foundation/standard_menus.h"

#include "foundation/app_commands.h"
#include "foundation/frame_commands.h"

namespace lumora::menus {

namespace app = cmd::app;

MenuLayout frameFile() {
    return {"&File",
            {{cmd::frame::LessonsList, "&Lessons list"},
             {cmd::frame::ReadingCourse, "&Reading Course"},
             {cmd::frame::KeyboardLearning, "&Keyboard learning"},
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
    return {{"End", cmd::frame::LessonsList}, {"F11", cmd::app::Simplified}, {"F12", cmd::app::Traditional}};
}

std::vector<MenuLayout> exercise() {
    return {
        {"&File", {{app::Exit, "E&xit"}}},
        {"&Lesson", {{cmd::frame::LessonsList, "Lesson's list"}, {cmd::frame::Course, "Back to current lesson"}}},
        internet(),
        help(),
    };
}

} // namespace lumora::menus
