#include "shell/ui/list_activities.h"

#include "foundation/frame_commands.h"
#include "foundation/standard_menus.h"
#include "shell/ui/choix_view.h"

namespace lumora {

namespace {
ActivityDescriptor listDescriptor(ActivityTemplateId id, int command, int jobCode) {
    ActivityDescriptor d;
    d.templateId = id;
    d.resourceId = 1540;
    d.documentKind = DocumentKind::Choix;
    d.nameStringId = command;
    ActivityOpening o;
    o.command = command;
    o.jobCode = jobCode;
    o.file = OpenFile::None;
    o.steps = {OpenStep::CloseActive, OpenStep::Open, OpenStep::MainCaption, OpenStep::Remember};
    o.mainCaption = Caption::ProgramName;
    d.openings = {o};
    d.menus = {menus::frameFile(), menus::internet(), menus::help()};
    d.accelerators = menus::activityAccelerators();
    return d;
}
} // namespace

ActivityType lessonsListActivity() {
    return {listDescriptor(ActivityTemplateId::LessonsList, cmd::frame::LessonsList, 0),
            [](ActivityHost& host) { return std::make_unique<ChoixActivity>(host, CatalogueKind::Lessons); }};
}

ActivityType storiesListActivity() {
    return {listDescriptor(ActivityTemplateId::StoriesList, cmd::frame::ReadingCourse, 7),
            [](ActivityHost& host) { return std::make_unique<ChoixActivity>(host, CatalogueKind::Stories); }};
}

} // namespace lumora
