#pragma once
// Start-up and shutdown of the application, over the platform services: program directory, usage
// clock, font record seeding, the ten activity templates and which of them opens first, and at exit
// the usage time and the "come back next time" question.
#include <array>
#include <cstdint>
#include <string>

#include "foundation/platform.h"
#include "foundation/settings_store.h"

namespace lumora {

// The ten activity types, in their registration order. Each is described once by its
// ActivityDescriptor (foundation/activity_descriptor.h).
enum class ActivityTemplateId {
    LessonsList,
    StoriesList,
    Course,
    KeyboardLearning,
    VoiceStudio,
    Dictionary,
    Verify,
    PictureExercise,
    TranslationExercise,
    ScoreGraph,
};

// JobCode 0..12: the last activity ("Startup"/"Remember").
struct JobCodeRow {
    int code;
    ActivityTemplateId opens;
    const char* fileName; // "" for none
    int nameStringId;     // 0 for no question
};
const JobCodeRow* jobCodeRow(int code); // nullptr outside 0..12

// What the main frame and its activities offer to start-up.
class AppShell {
public:
    virtual ~AppShell() = default;
    virtual bool createMainFrame() = 0; // shown maximised; false when it cannot be created
    virtual void runPreferences() = 0;  // modal preferences sheet
    virtual bool openActivity(ActivityTemplateId id, const std::string& fileName) = 0;
    virtual void setMainCaption(const std::string& caption) = 0;
    virtual void setActiveChildCaption(const std::string& caption) = 0;
    virtual void showTipOfTheDay() = 0;
};

// The usage clock, split and shown.
struct UsageSplit {
    std::int64_t days, hours, minutes, seconds;
};
UsageSplit splitUsage(std::int64_t totalSeconds);
std::int64_t joinUsage(std::int64_t days, std::int64_t hours, std::int64_t minutes, std::int64_t seconds);
std::string runPaneText(std::int64_t runSeconds);     // "%ih %imn %is"
std::string totalPaneText(std::int64_t totalSeconds); // "%imn %is", "%ih %imn %is", "%ld day ...", "%ld days ..."

// The program directory of a program path: the text before the last separator plus that separator.
// The whole path is used, however long.
std::string programDirectoryOf(const std::string& programPath);

// The 60-byte logical-font record seeded at the first start.
Bytes makeUserFontRecord(const std::string& face, int height);

class CCoursApp {
public:
    // The run starts at construction (start-up starts it again), so that the usage panes are right
    // from their first paint.
    CCoursApp(SettingsStore& store, Clock& clock, Prompts& prompts);

    // Runs start-up; false when the main frame cannot be created.
    bool startUp(const std::string& programPath, AppShell& shell);
    // Runs the shutdown steps (usage time, the come-back question).
    void shutDown();

    std::int64_t startTime() const { return startTime_; }
    std::int64_t accumulated() const { return total_; }
    std::int64_t runSeconds() const;
    std::string runPane() const { return runPaneText(runSeconds()); }
    std::string totalPane() const { return totalPaneText(total_ + runSeconds()); }

    // Content name of the help file: program directory + "HELP\WIN32\LESSONGB.HLP".
    std::string resolveHelpFile() const;
    // The web address of one of the four web strings (28705-28708).
    static std::string webAddress(int stringId);

private:
    void seedFontRecord();
    std::int64_t storedUsage() const;
    SettingsStore& store_;
    Clock& clock_;
    Prompts& prompts_;
    std::int64_t startTime_ = 0;
    std::int64_t total_ = 0;
    bool shutDown_ = false;
};

} // namespace lumora
