#pragma once
// One activity on screen: a document of an activity type shown in a child window of the main
// frame. The child window owns the activity; closing it closes the document with all its views.
#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "foundation/cours_app.h"
#include "foundation/command_target.h"
#include "shell/main_frame_logic.h"

class QWidget;

namespace lumora {

class Activity {
public:
    virtual ~Activity() = default;

    virtual ActivityTemplateId templateId() const = 0;
    DocumentKind documentKind() const { return documentKindOf(templateId()); }
    int resourceId() const { return resourceIdOf(templateId()); }

    // Opens the document; false when it cannot be opened (the window then does not appear).
    virtual bool open(const std::string& fileName) = 0;
    // The widget shown in the child window (created by the activity, owned by the child window).
    virtual QWidget* widget() = 0;
    // Commands go to these targets in order (the active view, then the document).
    virtual std::vector<CommandTarget*> commandTargets() = 0;
    // The main frame asks the new activity to start (a course document on the current position).
    virtual void start() {}
    // The child window became the current one / stopped being it.
    virtual void activated() {}
    // Called just before the child window closes.
    virtual void closing() {}
    // The title of the child window when it opens.
    virtual QString initialCaption() const = 0;
};

} // namespace lumora
