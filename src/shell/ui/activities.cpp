#include "shell/ui/activities.h"

#include "course/ui/cours_child_wnd.h"
#include "shell/ui/choix_view.h"
#include "shell/ui/main_frame.h"

namespace lumora {

void registerActivities(CMainFrame& frame) {
    frame.registerActivity(ActivityTemplateId::LessonsList, [](CMainFrame& f) {
        return std::make_unique<ChoixActivity>(f, CatalogueKind::Lessons);
    });
    frame.registerActivity(ActivityTemplateId::StoriesList, [](CMainFrame& f) {
        return std::make_unique<ChoixActivity>(f, CatalogueKind::Stories);
    });
    frame.registerActivity(ActivityTemplateId::Course, [](CMainFrame& f) { return std::make_unique<CourseActivity>(f); });
}

} // namespace lumora
