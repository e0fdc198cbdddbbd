#include "voice/ui/voice_activity.h"

#include "course/course_commands.h"
#include "foundation/app_commands.h"
#include "foundation/frame_commands.h"
#include "foundation/standard_menus.h"
#include "voice/ui/voice_studio_window.h"
#include "voice/voice_commands.h"

namespace lumora {

namespace {

namespace app = cmd::app;
namespace c = cmd::course;
namespace v = cmd::voice;
constexpr int S = app::Separator;

std::vector<MenuLayout> studioMenus() {
    return {
        {"&File",
         {{app::FilePrint, "&Print..."},
          {app::FilePrintPreview, "Print Pre&view"},
          {app::FilePrintSetup, "P&rint Setup..."},
          {S, ""},
          {cmd::frame::LessonsList, "&Lessons list"},
          {S, ""},
          {app::Exit, "E&xit"}}},
        {"&View",
         {{app::ViewToolbar, "&Toolbar"},
          {app::ViewStatusBar, "&Status Bar"},
          {S, ""},
          {v::Tones, "T&ones"},
          {S, ""},
          {c::Zoom50, "&50%"},
          {c::Zoom75, "&75%"},
          {c::Zoom90, "&90%"},
          {c::Zoom100, "&100%"},
          {c::Zoom150, "15&0%"},
          {c::Zoom200, "&200%"},
          {c::Zoom300, "&300%"}}},
        {"&Voice",
         {{v::PlayMale, "Play the &male voice"},
          {v::PlayFemale, "Play the &female voice"},
          {S, ""},
          {v::Record, "&Record my voice"},
          {v::PlayLearner, "&Play my voice"},
          {v::SaveVoice, "&Save my voice and update the spectrum"}}},
        menus::internet(),
        menus::help(),
    };
}

} // namespace

const std::vector<int>& voiceStudioToolbar() {
    static const std::vector<int> bar = {v::Tones,     S, v::PlayMale, v::PlayFemale, v::Record,  v::PlayLearner,
                                         v::SaveVoice, S, c::Zoom50,   c::Zoom100,    c::Zoom200, c::Zoom300};
    return bar;
}

ActivityType voiceStudioActivity() {
    ActivityDescriptor d;
    d.templateId = ActivityTemplateId::VoiceStudio;
    d.resourceId = 10030;
    d.documentKind = DocumentKind::Cours;
    d.nameStringId = cmd::frame::VoiceStudio;
    ActivityOpening o;
    o.command = cmd::frame::VoiceStudio;
    o.jobCode = 3;
    o.file = OpenFile::LessonFile;
    o.steps = {OpenStep::WaitCursorOn, OpenStep::CloseActive, OpenStep::Open,          OpenStep::MainCaption,
               OpenStep::ChildCaption, OpenStep::Remember,    OpenStep::WaitCursorOff, OpenStep::Start};
    o.mainCaption = Caption::CommandPrompt;
    o.childCaption = Caption::CourseLessonTitle;
    d.openings = {o};
    d.menus = studioMenus();
    d.toolbar = voiceStudioToolbar();
    d.accelerators = menus::activityAccelerators();
    d.accelerators.insert(d.accelerators.end(), {{"R", v::Record},
                                                 {"Space", v::PlayLearner},
                                                 {"M", v::PlayMale},
                                                 {"F", v::PlayFemale},
                                                 {"Ctrl+S", v::SaveVoice}});
    return {std::move(d), [](ActivityHost& host) { return std::make_unique<VoiceStudioActivity>(host); }};
}

} // namespace lumora
