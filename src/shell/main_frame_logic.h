#pragma once
// The main frame's commands without a window: its toolbar, menus and accelerators, the closing of
// the activity on screen, the opening of any activity through its descriptor, and the frame's own
// command handler over an interface that the window implements.
#include <optional>
#include <string>
#include <vector>

#include "foundation/activity_descriptor.h"
#include "foundation/app_commands.h"
#include "foundation/command_target.h"
#include "foundation/cours_app.h"
#include "foundation/frame_commands.h"
#include "foundation/platform.h"
#include "foundation/settings_store.h"

namespace lumora {

// The main toolbar, left to right; cmd::app::Separator marks a separator.
const std::vector<int>& mainToolbar();
// The frame's own menu bar (resource 1600), shown while no activity is on screen.
const std::vector<MenuLayout>& frameMenuBar();
const std::vector<Accelerator>& frameAccelerators();
// Commands that are one choice among several (shown as radio items): the ideogram set, and the
// zoom steps with "Fit page".
const std::vector<std::vector<int>>& exclusiveCommandGroups();
// The frame's accelerators and an activity's together; where a key is in both, the activity's wins.
std::vector<Accelerator> acceleratorsFor(const std::vector<Accelerator>& activityKeys);

// Flips "Course"/"TimeToZero" between 0 and 1; returns the new value.
int toggleTimeToZero(SettingsStore& store);

class ActivityWindows {
public:
    virtual ~ActivityWindows() = default;
    virtual DocumentKind activeDocumentKind() const = 0; // None when no child window is active
    virtual void closeActiveDocument() = 0;              // closes the document with all its windows
};
// Five tests in turn, each on whichever child is active at that moment: close it when its document
// is a CChoixDoc, then a CCoursDoc, a CDictionaryDoc, a CExTranslDoc and a CGraphDoc.
void CloseActivityWindows(ActivityWindows& windows);

// What the main window offers to the frame's commands.
class MainFrameHost : public ActivityWindows {
public:
    // Whether an activity type can be opened by this build of the program.
    virtual bool activityAvailable(ActivityTemplateId id) const = 0;
    // Opens a new document of the template (fileName may be empty) in a maximised child window.
    virtual bool openActivity(ActivityTemplateId id, const std::string& fileName) = 0;
    // Asks the activity just opened to start: a course document on the current lesson and page,
    // the voice studio to load the lesson, the dictionary and exercise forms to begin.
    virtual void startActiveActivity(ActivityTemplateId id) = 0;
    // The title of "Course"/"Lesson" in the lessons catalogue for language 0, as UTF-8.
    virtual std::string courseLessonTitle() const = 0;
    virtual void setMainCaption(const std::string& caption) = 0;
    virtual void setActiveChildCaption(const std::string& caption) = 0;
    virtual void setWaitCursor(bool on) = 0;
    // Shows the hint of a web page that could not be opened.
    virtual void showInternetHint() = 0;
    virtual void enterContextHelp() = 0;
    virtual void exitApplication() = 0;
    virtual bool toolbarVisible() const = 0;
    virtual void setToolbarVisible(bool on) = 0;
    virtual bool statusBarVisible() const = 0;
    virtual void setStatusBarVisible(bool on) = 0;
    // Dialogs that later parts provide (preferences 1500, record folder 1510, about 57664, tip 2000):
    // a command whose dialog is missing stays disabled.
    virtual bool dialogAvailable(int command) const = 0;
    virtual void runDialog(int command) = 0;
    // The local path of a content name ("" when it does not resolve).
    virtual std::string localPath(const std::string& contentName) const = 0;
    virtual bool fileExists(const std::string& contentName) const = 0;
};

// The command handler of the main frame (and of the application object: help, web, about, tips).
// Every registered activity adds the commands that open it.
class MainFrameCommands final : public CommandTarget {
public:
    MainFrameCommands(SettingsStore& store, MainFrameHost& host, Prompts& prompts, HelpViewer& help, WebOpener& web);

    // Adds an activity and the commands that open it (a later descriptor of the same template
    // replaces the earlier one).
    void registerActivity(ActivityDescriptor descriptor);
    const ActivityRegistry& activities() const { return registry_; }

    // Opens an activity the way `opening` says: its steps in order (close the active activity, open
    // the template with the opening's file name, write "Startup"/"Remember", captions, start).
    void openActivity(const ActivityDescriptor& activity, const ActivityOpening& opening);

    // The help file's content name: program directory + "HELP\WIN32\LESSONGB.HLP".
    std::string helpFile() const;
    // Opens help through the help file when it exists; false when it does not.
    bool showHelp(HelpCommand command, int context);

private:
    std::string captionText(Caption caption, const ActivityOpening& opening) const;
    void openWebPage(int stringId);
    void addDialogCommand(int id);

    SettingsStore& store_;
    MainFrameHost& host_;
    Prompts& prompts_;
    HelpViewer& help_;
    WebOpener& web_;
    ActivityRegistry registry_;
};

} // namespace lumora
