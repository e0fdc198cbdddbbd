#pragma once
// What describes one activity, once, without a window: its template (resource id, document kind),
// the commands that open it with their JobCode, file name and open sequence, and its menus, toolbar
// and accelerators. Each subsystem's ui folder provides the descriptor of its activities with the
// factory of its child frame; the main frame and its command handler work from these alone.
#include <string>
#include <utility>
#include <vector>

#include "foundation/cours_app.h"
#include "foundation/settings_store.h"

namespace lumora {

// The document classes in the order CloseActivityWindows tests them.
enum class DocumentKind { None, Choix, Cours, Dictionary, ExTransl, Graph };

struct MenuEntry {
    int id = 0;        // cmd::app::Separator for a separator
    std::string text;  // with its '&' mnemonic; empty: the command's prompt
};
struct MenuLayout {
    std::string title;
    std::vector<MenuEntry> entries;
};

// An accelerator: keys in portable text ("Ctrl+PgUp", "Shift+Del", "F11") and the command.
struct Accelerator {
    std::string keys;
    int id;
};

// One step of opening an activity. The steps after Open that show the activity (captions, Start)
// run only when the document opened; the others always run.
enum class OpenStep {
    WaitCursorOn,
    CloseActive,  // CloseActivityWindows
    Remember,     // "Startup"/"Remember" := the JobCode
    Open,         // a new document of the template with the file name, in a maximised child window
    MainCaption,
    ChildCaption,
    Start,        // ask the new activity to start
    WaitCursorOff,
};

enum class OpenFile {
    None,         // ""
    ProgramName,  // the text of string 28674
    LessonFile,   // "zup.txt"
    ScoreText,    // the learner's score text file of the exercise (scorePrefix)
};

enum class Caption {
    None,
    ProgramName,       // string 28674
    CommandPrompt,     // the prompt of the opening command
    CourseLessonTitle, // the catalogue title of "Course"/"Lesson" in language 0
};

// One way of opening the activity: a command, or another activity (command 0: the stories list
// opens the story reading).
struct ActivityOpening {
    int command = 0;
    int jobCode = 0;
    OpenFile file = OpenFile::None;
    std::vector<OpenStep> steps;
    Caption mainCaption = Caption::None;
    Caption childCaption = Caption::None;
    // ScoreText: the name prefixes while the lessons / the stories catalogue is current.
    std::string lessonsScorePrefix, storiesScorePrefix;
};

struct ActivityDescriptor {
    ActivityTemplateId templateId = ActivityTemplateId::LessonsList;
    int resourceId = 0;       // menu, accelerators, icon and title string
    DocumentKind documentKind = DocumentKind::None;
    int nameStringId = 0;     // string whose prompt names the activity
    std::vector<ActivityOpening> openings;
    std::vector<MenuLayout> menus;
    std::vector<int> toolbar;             // the child frame's own toolbar; empty when it has none
    std::vector<Accelerator> accelerators; // added to the frame's
};

// The file name an opening passes to its template.
std::string openingFileName(const ActivityOpening& opening, const SettingsStore& store);

// The registered descriptors, in registration order.
class ActivityRegistry {
public:
    void add(ActivityDescriptor descriptor);
    const std::vector<ActivityDescriptor>& all() const { return descriptors_; }
    const ActivityDescriptor* byTemplate(ActivityTemplateId id) const;
    // The first descriptor with this resource id.
    const ActivityDescriptor* byResource(int resourceId) const;
    // The activity a command opens, with that opening; {nullptr, nullptr} for any other command.
    std::pair<const ActivityDescriptor*, const ActivityOpening*> byCommand(int command) const;

private:
    std::vector<ActivityDescriptor> descriptors_;
};

} // namespace lumora
