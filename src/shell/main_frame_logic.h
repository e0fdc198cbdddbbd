#pragma once
// The main frame's commands without a window: the toolbars, menus and accelerators of every
// activity, which activity and which JobCode each command opens, the score text file of the graph
// commands, the closing of the activity on screen, and the frame's own command handler over an
// interface that the window implements.
#include <optional>
#include <string>
#include <vector>

#include "foundation/cours_app.h"
#include "foundation/platform.h"
#include "foundation/settings_store.h"
#include "foundation/command_target.h"

namespace lumora {

// Framework command ids used by the menus.
namespace cmd {
constexpr int kSeparator = 0;
constexpr int kFileNew = 57600, kFileOpen = 57601, kFileSave = 57603;
constexpr int kFilePrintSetup = 57606, kFilePrint = 57607, kFilePrintPreview = 57609;
constexpr int kAppAbout = 57664, kAppExit = 57665, kHelpIndex = 57666, kHelpFinder = 57667, kContextHelp = 57669;
constexpr int kEditCopy = 57634, kEditCut = 57635, kEditPaste = 57637, kEditUndo = 57643;
constexpr int kViewToolbar = 59392, kViewStatusBar = 59393;
constexpr int kTipOfTheDay = 2000;
constexpr int kLessonsList = 1400, kCourse = 1410, kKeyboardLearning = 1420, kVoiceStudio = 1430,
              kSummary = 1440, kDictionary = 1450, kVerify = 1460, kVerifyGraph = 1465, kPictureExercise = 1470,
              kPictureGraph = 1475, kTranslationExercise = 1480, kTranslationGraph = 1485, kReadingCourse = 1490,
              kPreferences = 1500, kRecordDirectory = 1510;
constexpr int kTimeToZero = 7130;
constexpr int kLessonExplanation = 7110;
constexpr int kWebLessons = 20010, kWebHome = 20020, kWebPatch = 20030, kWebOrder = 20040;
} // namespace cmd

// Toolbars, left to right; cmd::kSeparator marks a separator.
const std::vector<int>& mainToolbar();
const std::vector<int>& courseToolbar();

struct MenuEntry {
    int id = 0;        // cmd::kSeparator for a separator
    std::string text;  // with its '&' mnemonic; empty: the command's prompt
};
struct MenuLayout {
    std::string title;
    std::vector<MenuEntry> entries;
};
// The menu bar of a menu resource: 1600 (the frame with no activity), 1540 (lists), 10010 (course),
// 10050 (keyboard learning), 10030 (voice studio), 13007 (dictionary), 12002/13011/13012 (exercises),
// 10060 (score graph). An unknown id gives the frame's menu.
const std::vector<MenuLayout>& menuBar(int resourceId);

// An accelerator: keys in portable text ("Ctrl+PgUp", "Shift+Del", "F11") and the command.
struct Accelerator {
    std::string keys;
    int id;
};
const std::vector<Accelerator>& frameAccelerators();
// The accelerators an activity template adds to the frame's.
const std::vector<Accelerator>& templateAccelerators(int resourceId);
// The frame's and the template's together; where a key is in both, the template's wins.
std::vector<Accelerator> acceleratorsFor(int resourceId);

// Activity commands: the template they open and the JobCode they write.
std::optional<ActivityTemplateId> templateForCommand(int id);
std::optional<int> jobCodeForCommand(int id);
int resourceIdOf(ActivityTemplateId id);

// The score text file of a graph command (1465, 1475, 1485): the learner's data folder, the
// exercise's prefix ("\EX2"/"\EX4"/"\EX8" for the lessons catalogue, "\EX3"/"\EX5"/"\EX9" for the
// stories) and "GB.TXT". Empty for any other command.
std::string scoreGraphFile(int command, const SettingsStore& store);

// Flips "Course"/"TimeToZero" between 0 and 1; returns the new value.
int toggleTimeToZero(SettingsStore& store);

// The document classes in the order CloseActivityWindows tests them.
enum class DocumentKind { None, Choix, Cours, Dictionary, ExTransl, Graph };
DocumentKind documentKindOf(ActivityTemplateId id);

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
class CMainFrameCommands final : public CommandTarget {
public:
    CMainFrameCommands(SettingsStore& store, MainFrameHost& host, Prompts& prompts, HelpViewer& help, WebOpener& web);

    bool onCommand(int id) override;
    std::optional<CommandState> commandState(int id) const override;

    // The help file's content name: program directory + "HELP\WIN32\LESSONGB.HLP".
    std::string helpFile() const;
    // Opens help through the help file when it exists; false when it does not.
    bool showHelp(HelpCommand command, int context);

private:
    bool openActivityCommand(int id);
    void openWebPage(int stringId);

    SettingsStore& store_;
    MainFrameHost& host_;
    Prompts& prompts_;
    HelpViewer& help_;
    WebOpener& web_;
};

} // namespace lumora
