#include "foundation/activity_descriptor.h"

#include "foundation/app_settings.h"
#include "resources/string_table.h"

namespace lumora {

std::string openingFileName(const ActivityOpening& opening, const SettingsStore& store) {
    switch (opening.file) {
    case OpenFile::None: return {};
    case OpenFile::ProgramName: return strings::text(28674);
    case OpenFile::LessonFile: return "zup.txt";
    case OpenFile::ScoreText: {
        // Anything but "NO" is the stories catalogue.
        const bool lessons = AppSettings::kCatalogue.read(store) == "NO";
        return AppSettings::kUserDrive.read(store) +
               (lessons ? opening.lessonsScorePrefix : opening.storiesScorePrefix) + "GB.TXT";
    }
    }
    return {};
}

void ActivityRegistry::add(ActivityDescriptor descriptor) {
    for (ActivityDescriptor& d : descriptors_) {
        if (d.templateId == descriptor.templateId) {
            d = std::move(descriptor);
            return;
        }
    }
    descriptors_.push_back(std::move(descriptor));
}

const ActivityDescriptor* ActivityRegistry::byTemplate(ActivityTemplateId id) const {
    for (const ActivityDescriptor& d : descriptors_)
        if (d.templateId == id) return &d;
    return nullptr;
}

const ActivityDescriptor* ActivityRegistry::byResource(int resourceId) const {
    for (const ActivityDescriptor& d : descriptors_)
        if (d.resourceId == resourceId) return &d;
    return nullptr;
}

std::pair<const ActivityDescriptor*, const ActivityOpening*> ActivityRegistry::byCommand(int command) const {
    if (command == 0) return {nullptr, nullptr};
    for (const ActivityDescriptor& d : descriptors_)
        for (const ActivityOpening& o : d.openings)
            if (o.command == command) return {&d, &o};
    return {nullptr, nullptr};
}

} // namespace lumora
