#include "voice/ui/voice_activity.h"

#include "foundation/frame_commands.h"
#include "foundation/standard_menus.h"

namespace lumora {

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
    d.menus = {menus::frameFile(), menus::bars(), menus::internet(), menus::help()};
    d.accelerators = menus::activityAccelerators();
    return {std::move(d), nullptr};
}

} // namespace lumora
