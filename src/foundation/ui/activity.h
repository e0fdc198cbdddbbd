#pragma once
// One activity on screen: a document of an activity type shown in a child window of the main
// frame. The child window owns the activity; closing it closes the document with all its views.
// An ActivityType pairs the activity's descriptor with the factory of its child frame; the
// ActivityHost is what an activity sees of the main frame.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "foundation/activity_descriptor.h"
#include "foundation/command_target.h"
#include "foundation/cours_app.h"

class QAction;
class QWidget;

namespace lumora {

class AppContext;

class Activity {
public:
    virtual ~Activity() = default;

    virtual ActivityTemplateId templateId() const = 0;

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
    // The preferences changed: the document's views show the new settings.
    virtual void updateAllViews() {}
    // The title of the child window when it opens.
    virtual QString initialCaption() const = 0;
};

// The main frame as its activities see it.
class ActivityHost {
public:
    virtual ~ActivityHost() = default;
    virtual AppContext& context() = 0;
    // The one action of a command id (for an activity's own toolbar).
    virtual QAction* action(int id) = 0;
    // Runs a command after the current event has been handled.
    virtual void postCommand(int id) = 0;
    virtual void setWaitCursor(bool on) = 0;
    virtual void setMainCaption(const std::string& caption) = 0;
    virtual void clearStatusMessage() = 0;
    // What the activity is doing, in the status bar until replaced (empty: nothing); a passing
    // message (a command's prompt) covers it for a moment.
    virtual void showStatusMessage(const std::string& text) { (void)text; }
    // Opens help on a context number; false when the help file is missing.
    virtual bool showHelpContext(int context) = 0;
    virtual bool dialogAvailable(int command) const = 0;
    virtual void runPreferences() = 0;
    virtual bool activityAvailable(ActivityTemplateId id) const = 0;
    // Closes the activity on screen, opens another one and asks it to start (the stories list
    // opening a story).
    virtual void closeActivityWindows() = 0;
    virtual bool openActivity(ActivityTemplateId id, const std::string& fileName) = 0;
    virtual void startActiveActivity(ActivityTemplateId id) = 0;
    // The window that dialogs of an activity belong to.
    virtual QWidget* dialogParent() = 0;
};

using ActivityFactory = std::function<std::unique_ptr<Activity>(ActivityHost&)>;

struct ActivityType {
    ActivityDescriptor descriptor;
    ActivityFactory factory; // empty: this build does not have the activity, its commands stay disabled
};

} // namespace lumora
