#include "voice/ui/voice_activity.h"

#include "shell/standard_menus.h"
#include "voice/voice_commands.h"

namespace lumora {

ActivityType voiceStudioActivity() {
    ActivityDescriptor d;
    d.templateId = ActivityTemplateId::VoiceStudio;
    d.resourceId = 10030;
    d.documentKind = DocumentKind::Cours;
    d.nameStringId = cmd::voice::VoiceStudio;
    ActivityOpening o;
    o.command = cmd::voice::VoiceStudio;
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
