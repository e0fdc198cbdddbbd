#include "dictionary/ui/dictionary_activity.h"

#include "dictionary/dictionary_commands.h"
#include "foundation/app_commands.h"
#include "foundation/frame_commands.h"
#include "foundation/standard_menus.h"

namespace lumora {

ActivityType dictionaryActivity() {
    ActivityDescriptor d;
    d.templateId = ActivityTemplateId::Dictionary;
    d.resourceId = 13007;
    d.documentKind = DocumentKind::Dictionary;
    d.nameStringId = cmd::frame::Dictionary;
    ActivityOpening o;
    o.command = cmd::frame::Dictionary;
    o.jobCode = 4;
    o.steps = {OpenStep::CloseActive, OpenStep::Remember, OpenStep::Open, OpenStep::Start};
    d.openings = {o};
    d.menus = {{"&File", {{cmd::dictionary::ExportAs, "Export as..."}, {cmd::app::Separator, ""}, {cmd::app::Exit, "E&xit"}}},
               menus::internet(),
               menus::help()};
    d.accelerators = menus::activityAccelerators();
    return {std::move(d), nullptr};
}

} // namespace lumora
