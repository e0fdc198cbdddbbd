#include "course/ui/course_activities.h"

#include "course/course_commands.h"
#include "course/ui/cours_child_wnd.h"
#include "course/ui/edit_course_window.h"
#include "foundation/app_commands.h"
#include "foundation/frame_commands.h"
#include "foundation/standard_menus.h"

namespace lumora {

namespace {
namespace c = cmd::course;
namespace app = cmd::app;
constexpr int S = app::Separator;

std::vector<MenuLayout> courseMenus() {
    return {
        {"&File",
         {{app::FilePrint, "&Print..."},
          {app::FilePrintPreview, "Print Pre&view"},
          {app::FilePrintSetup, "P&rint Setup..."},
          {S, ""},
          {cmd::frame::LessonsList, "&Lessons list"},
          {cmd::frame::ReadingCourse, "&Reading Course"},
          {S, ""},
          {app::Exit, "E&xit"}}},
        {"&Edit",
         {{c::EditUndo, "&Undo"},
          {S, ""},
          {c::EditCut, "Cu&t"},
          {c::EditCopy, "&Copy"},
          {c::EditPaste, "&Paste"},
          {c::EditDelete, "&Delete"}}},
        {"&View",
         {{app::ViewToolbar, "&Toolbar"},
          {app::ViewStatusBar, "&Status Bar"},
          {S, ""},
          {c::Zoom50, "&50%"},
          {c::Zoom75, "&75%"},
          {c::Zoom90, "&90%"},
          {c::Zoom100, "&100%"},
          {c::Zoom150, "15&0%"},
          {c::Zoom200, "&200%"},
          {c::Zoom300, "&300%"},
          {c::FitPage, "Fit &page"},
          {S, ""},
          {c::Fonts, "&Fonts"},
          {S, ""},
          {cmd::frame::TimeToZero, "Reset the counter to zero at the next startup"}}},
        {"&Lesson", {{c::Phonetic, "&Phonetic"}, {c::Translation, "&Translation"}, {S, ""}, {c::DirectAccess, "&Direct access to page ..."}}},
        {"&Utility", {{cmd::frame::Preferences, "&Preference"}}},
        {"I&deogram", {{cmd::app::Simplified, "&Simplify"}, {cmd::app::Traditional, "&Traditional"}}},
        menus::internet(),
        menus::help(),
    };
}
} // namespace

const std::vector<int>& courseToolbar() {
    static const std::vector<int> bar = {6010, 6020, 6030, 6040, 6050, 6060, 6070, 6080, 6090, S,    6095, S,    3012, 3013,
                                         3014, 3015, S,    7010, 7011, 7012, 7013, 7014, S,    7090, 7100, S,    7110,
                                         S,    4010};
    return bar;
}

ActivityType courseActivity() {
    ActivityDescriptor d;
    d.templateId = ActivityTemplateId::Course;
    d.resourceId = 10010;
    d.documentKind = DocumentKind::Cours;
    d.nameStringId = cmd::frame::Course;
    ActivityOpening course;
    course.command = cmd::frame::Course;
    course.jobCode = 1;
    course.file = OpenFile::ProgramName;
    course.steps = {OpenStep::CloseActive, OpenStep::Open, OpenStep::Start, OpenStep::Remember};
    // The story reading: the course template opened by a click in the stories list.
    ActivityOpening story;
    story.command = 0;
    story.jobCode = 8;
    story.file = OpenFile::LessonFile;
    story.steps = {OpenStep::WaitCursorOn, OpenStep::CloseActive, OpenStep::Remember,
                   OpenStep::Open,         OpenStep::Start,       OpenStep::WaitCursorOff};
    d.openings = {course, story};
    d.menus = courseMenus();
    d.toolbar = courseToolbar();
    d.accelerators = menus::activityAccelerators();
    d.accelerators.insert(d.accelerators.end(), {{"PgUp", c::PreviousStory},
                                                 {"Ctrl+PgUp", c::PreviousStory},
                                                 {"PgDown", c::NextStory},
                                                 {"Ctrl+PgDown", c::NextStory},
                                                 {"Left", c::PreviousPage},
                                                 {"Ctrl+Left", c::PreviousPage},
                                                 {"Right", c::NextPage},
                                                 {"Ctrl+Right", c::NextPage},
                                                 {"Ctrl+End", c::Stop},
                                                 {"Esc", c::Stop},
                                                 {"Ctrl+0", c::FitPage},
                                                 {"Ctrl+C", c::EditCopy},
                                                 {"Ctrl+Ins", c::EditCopy}});
    return {std::move(d), [](ActivityHost& host) { return std::make_unique<CourseActivity>(host); }};
}

ActivityType keyboardLearningActivity() {
    ActivityDescriptor d;
    d.templateId = ActivityTemplateId::KeyboardLearning;
    d.resourceId = 10050;
    d.documentKind = DocumentKind::Cours;
    d.nameStringId = cmd::frame::KeyboardLearning;
    ActivityOpening o;
    o.command = cmd::frame::KeyboardLearning;
    o.jobCode = 2;
    o.file = OpenFile::LessonFile;
    o.steps = {OpenStep::WaitCursorOn, OpenStep::CloseActive, OpenStep::Open,
               OpenStep::Start,        OpenStep::Remember,    OpenStep::WaitCursorOff};
    d.openings = {o};
    d.menus = courseMenus();
    d.toolbar = courseToolbar();
    d.accelerators = menus::activityAccelerators();
    d.accelerators.insert(d.accelerators.end(), {{"PgUp", c::PreviousStory},
                                                 {"Ctrl+PgUp", c::PreviousStory},
                                                 {"PgDown", c::NextStory},
                                                 {"Ctrl+PgDown", c::NextStory},
                                                 {"Ctrl+Left", c::PreviousPage},
                                                 {"Ctrl+Right", c::NextPage}});
    return {std::move(d), [](ActivityHost& host) { return std::make_unique<KeyboardLearningActivity>(host); }};
}

} // namespace lumora
