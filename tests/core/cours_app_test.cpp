#include <gtest/gtest.h>

#include "foundation/cours_app.h"
#include "foundation/text_util.h"
#include "resources/string_table.h"
#include "test_support.h"

using namespace lumora;
using lumora::test::FakeClock;
using lumora::test::FakePrompts;

namespace {

class RecordingShell : public AppShell {
public:
    std::vector<std::string> calls;
    bool frameOk = true;
    bool createMainFrame() override {
        calls.push_back("frame");
        return frameOk;
    }
    void runPreferences() override { calls.push_back("preferences"); }
    bool openActivity(ActivityTemplateId id, const std::string& fileName) override {
        calls.push_back("open " + std::to_string(static_cast<int>(id)) + (fileName.empty() ? "" : " " + fileName));
        return true;
    }
    void setMainCaption(const std::string& c) override { calls.push_back("main " + c); }
    void setActiveChildCaption(const std::string& c) override { calls.push_back("child " + c); }
    void showTipOfTheDay() override { calls.push_back("tip"); }
};

struct App {
    MemorySettingsStore store;
    FakeClock clock;
    FakePrompts prompts;
    RecordingShell shell;
    CCoursApp app{store, clock, prompts};
};

std::string openOf(ActivityTemplateId id, const std::string& file = "") {
    return "open " + std::to_string(static_cast<int>(id)) + (file.empty() ? "" : " " + file);
}

} // namespace

TEST(UsageClock, SplitAndTexts) {
    struct Case {
        std::int64_t s;
        const char* total;
        const char* run;
    } cases[] = {
        {0, "0mn 0s", "0h 0mn 0s"},
        {59, "0mn 59s", "0h 0mn 59s"},
        {3600, "1h 0mn 0s", "1h 0mn 0s"},
        {86400 + 3600, "1 day 1h 0mn 0s", "25h 0mn 0s"},
        {2 * 86400 + 61, "2 days 0h 1mn 1s", "48h 1mn 1s"},
        {86400, "1 day 0h 0mn 0s", "24h 0mn 0s"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(totalPaneText(c.s), c.total) << c.s;
        EXPECT_EQ(runPaneText(c.s), c.run) << c.s;
    }
}

TEST(CCoursApp, FreshStoreIsSeededAndUsageStoredAtExit) {
    App a;
    a.store.writeString("CDROM", "Drive", "D:");
    ASSERT_TRUE(a.app.startUp("/opt/a/very/long/installation/path/that/is/longer/than/forty/bin/lumora", a.shell));
    EXPECT_EQ(a.store.readString("Course", "SysDir", ""),
              "/opt/a/very/long/installation/path/that/is/longer/than/forty/bin/"); // never cut
    auto font = a.store.readBlock("Font", "User");
    ASSERT_TRUE(font.has_value());
    ASSERT_EQ(font->size(), 60u);
    EXPECT_EQ(les32(font->data()), 40);
    EXPECT_EQ(les32(font->data() + 16), 400);
    EXPECT_EQ((*font)[27], 2);
    EXPECT_EQ(fixedField(*font, 28, 32), "Arial");
    auto colour = a.store.readBlock("Color", "User");
    ASSERT_TRUE(colour.has_value());
    EXPECT_EQ(le32(colour->data()), 0x00FF0000u);
    EXPECT_EQ(colour->size(), 4u);

    // 1 day 2 h 3 min 4 s stored, plus a run of one hour.
    App b;
    b.store.writeInt("Time", "Day", 1);
    b.store.writeInt("Time", "Hour", 2);
    b.store.writeInt("Time", "Minute", 3);
    b.store.writeInt("Time", "Seconde", 4);
    b.app.startUp("/x/lumora", b.shell);
    b.clock.now += 3600;
    EXPECT_EQ(b.app.totalPane(), "1 day 3h 3mn 4s");
    b.app.shutDown();
    EXPECT_EQ(b.store.readInt("Time", "Day", -1), 1);
    EXPECT_EQ(b.store.readInt("Time", "Hour", -1), 3);
    EXPECT_EQ(b.store.readInt("Time", "Minute", -1), 3);
    EXPECT_EQ(b.store.readInt("Time", "Seconde", -1), 4);
}

// The panes are right before start-up too (the frame shows them as soon as it has the application).
TEST(CCoursApp, UsagePanesBeforeStartUp) {
    MemorySettingsStore store;
    store.writeInt("Time", "Hour", 2);
    store.writeInt("Time", "Seconde", 5);
    FakeClock clock;
    clock.now = 1'800'000'000;
    FakePrompts prompts;
    CCoursApp app(store, clock, prompts);
    EXPECT_EQ(app.runPane(), "0h 0mn 0s");
    EXPECT_EQ(app.totalPane(), "2h 0mn 5s");
    clock.now += 61;
    EXPECT_EQ(app.runPane(), "0h 1mn 1s");
}

TEST(CCoursApp, ExistingFontRecordOfAnyLengthIsKept) {
    App a;
    const std::uint8_t one = 7;
    a.store.writeBinary("Font", "User", &one, 1);
    a.app.startUp("/x/lumora", a.shell);
    EXPECT_EQ(a.store.readBlock("Font", "User")->size(), 1u);
    EXPECT_FALSE(a.store.readBlock("Color", "User").has_value());
}

TEST(CCoursApp, ProgramDirectoryOfPaths) {
    EXPECT_EQ(programDirectoryOf(""), "");
    EXPECT_EQ(programDirectoryOf("lumora"), "\\");
    EXPECT_EQ(programDirectoryOf("C:\\Program Files\\Lumora\\LUMORA.EXE"), "C:\\Program Files\\Lumora\\");
    EXPECT_EQ(programDirectoryOf("/usr/bin/lumora"), "/usr/bin/");
}

TEST(CCoursApp, StartupDecision) {
    const std::string lessons = openOf(ActivityTemplateId::LessonsList);
    struct Case {
        int userChoice, back, remember;
        std::string opened;
        int rememberAfter;
    } cases[] = {
        {0, 0, 5, lessons, 0},
        {0, 1, 5, lessons, 0},
        {1, 0, 1, openOf(ActivityTemplateId::Course, "zup.txt"), 1},
        {1, 0, 8, openOf(ActivityTemplateId::Course, "zup.txt"), 8},
        {1, 0, 7, openOf(ActivityTemplateId::StoriesList), 7},
        {1, 0, 11, openOf(ActivityTemplateId::ScoreGraph), 11},
        {1, 0, 13, "", 13}, // an unknown job opens nothing
        {2, 1, 4, openOf(ActivityTemplateId::Dictionary), 4},
        {2, 0, 4, lessons, 0}, // "ask" answered No last time: lessons list, Remember reset
        {3, 1, 4, lessons, 0},
    };
    for (const Case& c : cases) {
        App a;
        a.store.writeString("CDROM", "Drive", "D:");
        a.store.writeInt("Startup", "UserChoice", c.userChoice);
        a.store.writeInt("Startup", "Back", c.back);
        a.store.writeInt("Startup", "Remember", c.remember);
        a.store.writeInt("Tip", "StartUp", 1);
        a.app.startUp("/x/lumora", a.shell);
        std::string opened;
        for (const std::string& call : a.shell.calls)
            if (call.rfind("open ", 0) == 0) opened = call;
        EXPECT_EQ(opened, c.opened) << c.userChoice << "/" << c.back << "/" << c.remember;
        EXPECT_EQ(a.store.readInt("Startup", "Remember", -1), c.rememberAfter);
    }
}

TEST(CCoursApp, FirstRunAsksPreferencesThenListsLessonsAndShowsTip) {
    App a;
    a.app.startUp("/x/lumora", a.shell);
    const std::vector<std::string> expected = {"frame", "preferences", openOf(ActivityTemplateId::LessonsList),
                                               "main Lumora", "child " + strings::prompt(1400), "tip"};
    EXPECT_EQ(a.shell.calls, expected);

    App b;
    b.shell.frameOk = false;
    EXPECT_FALSE(b.app.startUp("/x/lumora", b.shell));
}

TEST(CCoursApp, ShutdownQuestionAndTimeToZero) {
    {
        App a;
        a.store.writeInt("Startup", "UserChoice", 2);
        a.app.startUp("/x/lumora", a.shell);
        a.store.writeInt("Startup", "Remember", 5); // the learner opened the picture exercise
        a.prompts.answers = {MessageResult::No};
        a.app.shutDown();
        ASSERT_EQ(a.prompts.asked.size(), 1u);
        EXPECT_EQ(a.prompts.asked[0].text, strings::text(28690) + strings::prompt(1470));
        EXPECT_EQ(a.prompts.asked[0].caption, "Lumora");
        EXPECT_EQ(a.prompts.asked[0].icon, MessageIcon::Stop);
        EXPECT_EQ(a.store.readInt("Startup", "Back", -1), 0);
    }
    {
        App a; // mode 2 with Back 0 resets Remember at start-up, so nothing is asked at exit
        a.store.writeInt("Startup", "UserChoice", 2);
        a.store.writeInt("Startup", "Remember", 5);
        a.store.writeInt("Startup", "Back", 0);
        a.store.writeString("CDROM", "Drive", "D:");
        a.app.startUp("/x/lumora", a.shell);
        a.app.shutDown();
        EXPECT_TRUE(a.prompts.asked.empty());
    }
    {
        App a;
        a.store.writeInt("Time", "Hour", 5);
        a.store.writeInt("Course", "TimeToZero", 1);
        a.store.writeInt("Startup", "UserChoice", 2);
        a.store.writeInt("Startup", "Remember", 13);
        a.app.startUp("/x/lumora", a.shell);
        a.store.writeInt("Startup", "Remember", 13);
        a.clock.now += 100;
        a.app.shutDown();
        EXPECT_EQ(a.store.readInt("Course", "TimeToZero", -1), 0);
        EXPECT_EQ(a.store.readInt("Time", "Hour", -1), 0);
        EXPECT_EQ(a.store.readInt("Time", "Seconde", -1), 0);
        ASSERT_EQ(a.prompts.asked.size(), 1u); // a job above 12 has no name
        EXPECT_EQ(a.prompts.asked[0].text, strings::text(28690));
        EXPECT_EQ(a.store.readInt("Startup", "Back", -1), 1);
    }
}

TEST(CCoursApp, HelpFileName) {
    App a;
    a.app.startUp("/opt/lumora/bin/lumora", a.shell);
    EXPECT_EQ(a.app.resolveHelpFile(), "/opt/lumora/bin/HELP\\WIN32\\LESSONGB.HLP");
}
