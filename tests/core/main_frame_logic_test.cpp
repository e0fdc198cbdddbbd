#include "shell/main_frame_logic.h"

#include <algorithm>
#include <set>

#include "resources/string_table.h"
#include "test_support.h"

using namespace lumora;
using lumora::test::FakePrompts;

namespace {

// A main window on paper: a stack of child windows (the last one is active), and a log of what the
// frame asked for.
class FakeHost final : public MainFrameHost {
public:
    struct Child {
        ActivityTemplateId tmpl;
        std::string file;
        int doc; // windows of one document share the number
    };
    std::vector<Child> children;
    std::vector<std::string> log;
    std::set<ActivityTemplateId> available{ActivityTemplateId::LessonsList, ActivityTemplateId::StoriesList,
                                           ActivityTemplateId::Course};
    std::set<int> dialogs;
    std::set<std::string> existing;
    bool openFails = false;
    bool toolbar = true, statusBar = true;
    int nextDoc = 1;

    DocumentKind activeDocumentKind() const override {
        return children.empty() ? DocumentKind::None : documentKindOf(children.back().tmpl);
    }
    void closeActiveDocument() override {
        const int doc = children.back().doc;
        log.push_back("close " + std::to_string(static_cast<int>(children.back().tmpl)));
        children.erase(std::remove_if(children.begin(), children.end(), [doc](const Child& c) { return c.doc == doc; }),
                       children.end());
    }
    bool activityAvailable(ActivityTemplateId id) const override { return available.count(id) != 0; }
    bool openActivity(ActivityTemplateId id, const std::string& fileName) override {
        log.push_back("open " + std::to_string(static_cast<int>(id)) + " " + fileName);
        if (openFails) return false;
        children.push_back({id, fileName, nextDoc++});
        return true;
    }
    void startActiveActivity(ActivityTemplateId id) override { log.push_back("start " + std::to_string(static_cast<int>(id))); }
    std::string courseLessonTitle() const override { return "Greetings"; }
    void setMainCaption(const std::string& c) override { log.push_back("main " + c); }
    void setActiveChildCaption(const std::string& c) override { log.push_back("child " + c); }
    void setWaitCursor(bool on) override { log.push_back(on ? "wait on" : "wait off"); }
    void showInternetHint() override { log.push_back("hint"); }
    void enterContextHelp() override { log.push_back("context help"); }
    void exitApplication() override { log.push_back("exit"); }
    bool toolbarVisible() const override { return toolbar; }
    void setToolbarVisible(bool on) override { toolbar = on; }
    bool statusBarVisible() const override { return statusBar; }
    void setStatusBarVisible(bool on) override { statusBar = on; }
    bool dialogAvailable(int c) const override { return dialogs.count(c) != 0; }
    void runDialog(int c) override { log.push_back("dialog " + std::to_string(c)); }
    std::string localPath(const std::string& n) const override { return "/local/" + n; }
    bool fileExists(const std::string& n) const override { return existing.count(n) != 0; }
};


struct Frame {
    MemorySettingsStore store;
    FakeHost host;
    FakePrompts prompts;
    lumora::test::RecordingHelp help;
    lumora::test::RecordingWeb web;
    CMainFrameCommands commands{store, host, prompts, help, web};
};

} // namespace

TEST(MainFrameTables, ToolbarsInTheirOrder) {
    EXPECT_EQ(mainToolbar(), (std::vector<int>{1400, 0, 1410, 0, 1430, 0, 1440, 0, 0, 1460, 1465, 0, 1470, 1475, 0,
                                               1480, 1485, 0, 0, 1450, 0, 0, 1500, 1510, 0, 57669}));
    EXPECT_EQ(courseToolbar(), (std::vector<int>{6010, 6020, 6030, 6040, 6050, 6060, 6070, 6080, 6090, 0, 6095, 0,
                                                 3012, 3013, 3014, 3015, 0, 7010, 7011, 7012, 7013, 7014, 0, 7090,
                                                 7100, 0, 7110}));
    // Every button has a text and a tooltip in the string table.
    for (const auto* bar : {&mainToolbar(), &courseToolbar()})
        for (int id : *bar) {
            if (id != 0) {
                EXPECT_FALSE(strings::tooltip(id).empty()) << id;
            }
        }
}

TEST(MainFrameTables, AcceleratorsOfTheCourseAndKeyboardTemplates) {
    auto find = [](int resource, const std::string& keys) {
        for (const Accelerator& a : acceleratorsFor(resource))
            if (a.keys == keys) return a.id;
        return 0;
    };
    struct Case {
        int resource;
        const char* keys;
        int id;
    } cases[] = {
        {10010, "PgUp", 6010},       {10010, "Ctrl+PgUp", 6010}, {10010, "PgDown", 6090}, {10010, "Ctrl+PgDown", 6090},
        {10010, "Left", 6040},       {10010, "Ctrl+Left", 6040}, {10010, "Right", 6060},  {10010, "Ctrl+Right", 6060},
        {10010, "End", 1400},        {10010, "Ctrl+End", 6050},  {10010, "F11", 13100},   {10010, "F12", 13110},
        {10010, "F1", 57666},        {10010, "Del", 3004},       {10050, "Ctrl+Left", 6040}, {10050, "Left", 0},
        {10050, "Right", 0},         {10050, "Ctrl+End", 0},     {1540, "End", 1400},     {1540, "PgDown", 0},
        {1600, "End", 0},            {1600, "F1", 57666},        {13007, "F12", 13110},
    };
    for (const Case& c : cases) EXPECT_EQ(find(c.resource, c.keys), c.id) << c.resource << " " << c.keys;
    // No key is bound twice in one template.
    for (int r : {1600, 1540, 10010, 10050, 10030, 13007, 12002, 13011, 13012, 10060}) {
        std::set<std::string> seen;
        for (const Accelerator& a : acceleratorsFor(r)) EXPECT_TRUE(seen.insert(a.keys).second) << r << " " << a.keys;
    }
}

TEST(MainFrameTables, MenusFollowTheActivity) {
    auto ids = [](int resource) {
        std::set<int> out;
        for (const MenuLayout& m : menuBar(resource))
            for (const MenuEntry& e : m.entries) out.insert(e.id);
        return out;
    };
    const auto course = ids(10010);
    for (int id : {3000, 3004, 4001, 4007, 32771, 7130, 3013, 3015, 1500, 13100, 13110, 20010, 20040, 57667})
        EXPECT_TRUE(course.count(id)) << id;
    const auto frame = ids(1600);
    for (int id : {57665, 59392, 59393, 20010, 20020, 20030, 20040, 57667, 57664, 2000}) EXPECT_TRUE(frame.count(id)) << id;
    EXPECT_FALSE(frame.count(4001));
    EXPECT_TRUE(ids(12002).count(1410));
    EXPECT_TRUE(ids(13007).count(28685));
    EXPECT_TRUE(ids(10060).count(1400));
    EXPECT_FALSE(ids(1540).count(59392)); // only the frame's own menu has View
}

TEST(MainFrameTables, JobCodeAndTemplateOfEachActivityCommand) {
    struct Case {
        int id;
        int job;
        ActivityTemplateId tmpl;
    } cases[] = {
        {1400, 0, ActivityTemplateId::LessonsList},        {1410, 1, ActivityTemplateId::Course},
        {1420, 2, ActivityTemplateId::KeyboardLearning},   {1430, 3, ActivityTemplateId::VoiceStudio},
        {1450, 4, ActivityTemplateId::Dictionary},         {1470, 5, ActivityTemplateId::PictureExercise},
        {1480, 6, ActivityTemplateId::TranslationExercise}, {1490, 7, ActivityTemplateId::StoriesList},
        {1460, 9, ActivityTemplateId::Verify},             {1465, 10, ActivityTemplateId::ScoreGraph},
        {1475, 11, ActivityTemplateId::ScoreGraph},        {1485, 12, ActivityTemplateId::ScoreGraph},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(jobCodeForCommand(c.id), c.job) << c.id;
        EXPECT_EQ(templateForCommand(c.id), c.tmpl) << c.id;
        // The job code reopens the same template at start-up.
        ASSERT_NE(jobCodeRow(c.job), nullptr);
        EXPECT_EQ(jobCodeRow(c.job)->opens, c.tmpl) << c.id;
    }
    EXPECT_FALSE(jobCodeForCommand(1440));
    EXPECT_FALSE(templateForCommand(1500));
}

TEST(MainFrameTables, ScoreGraphFileByCatalogue) {
    MemorySettingsStore store;
    store.writeString("User", "Drive", "C:\\Work");
    struct Case {
        const char* write;
        int command;
        const char* file;
    } cases[] = {
        {"NO", 1465, "C:\\Work\\EX2GB.TXT"},  {"NO", 1475, "C:\\Work\\EX4GB.TXT"},  {"NO", 1485, "C:\\Work\\EX8GB.TXT"},
        {"YES", 1465, "C:\\Work\\EX3GB.TXT"}, {"YES", 1475, "C:\\Work\\EX5GB.TXT"}, {"YES", 1485, "C:\\Work\\EX9GB.TXT"},
        {"no", 1475, "C:\\Work\\EX5GB.TXT"}, // anything but "NO" is the stories catalogue
        {"NO", 1470, ""},
    };
    for (const Case& c : cases) {
        store.writeString("Write", "Write", c.write);
        EXPECT_EQ(scoreGraphFile(c.command, store), c.file) << c.write << " " << c.command;
    }
    MemorySettingsStore fresh; // default data folder "C:\" gives the doubled backslash
    EXPECT_EQ(scoreGraphFile(1465, fresh), "C:\\\\EX2GB.TXT");
}

TEST(CloseActivityWindows, ClosesInClassOrderWhateverBecomesActive) {
    FakeHost host;
    // Active last: a graph, under it a course, under it a lists window.
    host.children = {{ActivityTemplateId::LessonsList, "", 1},
                     {ActivityTemplateId::Course, "", 2},
                     {ActivityTemplateId::ScoreGraph, "", 3}};
    CloseActivityWindows(host);
    // The graph is tested last: the lists and course tests looked at the graph and did nothing.
    EXPECT_EQ(host.log, (std::vector<std::string>{"close 9"}));
    ASSERT_EQ(host.children.size(), 2u);

    // Now the course is active: it goes, then nothing later in the order matches the lists window.
    host.log.clear();
    CloseActivityWindows(host);
    EXPECT_EQ(host.log, (std::vector<std::string>{"close 2"}));

    // A course over a lists window: the lists test sees the course; the course goes; the lists
    // window, active now, is not tested again.
    host.children = {{ActivityTemplateId::LessonsList, "", 1}, {ActivityTemplateId::Course, "", 2}};
    host.log.clear();
    CloseActivityWindows(host);
    EXPECT_EQ(host.children.size(), 1u);

    // A lists window over a course: both go in one call.
    host.children = {{ActivityTemplateId::Course, "", 2}, {ActivityTemplateId::StoriesList, "", 1}};
    host.log.clear();
    CloseActivityWindows(host);
    EXPECT_TRUE(host.children.empty());
    EXPECT_EQ(host.log, (std::vector<std::string>{"close 1", "close 2"}));
}

TEST(MainFrameCommands, ActivityCommandsCloseOpenAndRemember) {
    Frame f;
    f.host.children = {{ActivityTemplateId::LessonsList, "", 99}};
    ASSERT_TRUE(f.commands.onCommand(1410));
    EXPECT_EQ(f.host.log, (std::vector<std::string>{"close 0", "open 2 Lumora", "start 2"}));
    EXPECT_EQ(f.store.readInt("Startup", "Remember", -1), 1);

    f.host.log.clear();
    ASSERT_TRUE(f.commands.onCommand(1400));
    EXPECT_EQ(f.host.log, (std::vector<std::string>{"close 2", "open 0 ", "main Lumora"}));
    EXPECT_EQ(f.store.readInt("Startup", "Remember", -1), 0);

    f.host.log.clear();
    ASSERT_TRUE(f.commands.onCommand(1490));
    EXPECT_EQ(f.store.readInt("Startup", "Remember", -1), 7);
    EXPECT_EQ(f.host.children.size(), 1u);
    EXPECT_EQ(f.host.children.back().tmpl, ActivityTemplateId::StoriesList);
}

TEST(MainFrameCommands, DictionaryWhileTheCourseIsOnScreen) {
    Frame f;
    f.host.available.insert(ActivityTemplateId::Dictionary);
    f.host.children = {{ActivityTemplateId::Course, "", 5}};
    ASSERT_TRUE(f.commands.onCommand(1450));
    EXPECT_EQ(f.host.log, (std::vector<std::string>{"close 2", "open 5 ", "start 5"}));
    EXPECT_EQ(f.store.readInt("Startup", "Remember", -1), 4);
}

TEST(MainFrameCommands, GraphOpensTheScoreTextOfTheCurrentCatalogue) {
    Frame f;
    f.host.available.insert(ActivityTemplateId::ScoreGraph);
    f.store.writeString("Write", "Write", "YES");
    ASSERT_TRUE(f.commands.onCommand(1475));
    EXPECT_EQ(f.host.log, (std::vector<std::string>{"open 9 C:\\\\EX5GB.TXT", "main Lumora"}));
    EXPECT_EQ(f.store.readInt("Startup", "Remember", -1), 11);
}

TEST(MainFrameCommands, MissingActivitiesAndDialogsAreDisabled) {
    Frame f;
    for (int id : {1420, 1430, 1450, 1460, 1465, 1470, 1475, 1480, 1485, 1500, 1510, 57664, 2000, 3012, 3014, 7090,
                   3000, 3004, 6060}) {
        EXPECT_FALSE(f.commands.commandState(id)) << id;
        EXPECT_FALSE(f.commands.onCommand(id)) << id;
    }
    EXPECT_TRUE(f.host.log.empty());
    EXPECT_EQ(f.store.writeCount(), 0u);
    for (int id : {1400, 1410, 1440, 1490, 7130, 57666, 57667, 57669, 20010, 20020, 20030, 20040, 57665})
        EXPECT_TRUE(f.commands.commandState(id).value_or(CommandState{false, false}).enabled) << id;
    f.host.dialogs.insert(1500);
    EXPECT_TRUE(f.commands.commandState(1500));
    EXPECT_TRUE(f.commands.onCommand(1500));
    EXPECT_EQ(f.host.log.back(), "dialog 1500");
}

TEST(MainFrameCommands, TimeToZeroTogglesWithItsCheckMark) {
    Frame f;
    EXPECT_FALSE(f.commands.commandState(7130)->checked);
    f.commands.onCommand(7130);
    EXPECT_EQ(f.store.readInt("Course", "TimeToZero", -1), 1);
    EXPECT_TRUE(f.commands.commandState(7130)->checked);
    f.commands.onCommand(7130);
    EXPECT_EQ(f.store.readInt("Course", "TimeToZero", -1), 0);
    EXPECT_FALSE(f.commands.commandState(7130)->checked);
    f.store.writeInt("Course", "TimeToZero", 5); // any stored value other than 1 toggles to 1
    EXPECT_EQ(toggleTimeToZero(f.store), 1);
}

TEST(MainFrameCommands, SummaryShowsTheFutureMessage) {
    Frame f;
    f.commands.onCommand(1440);
    ASSERT_EQ(f.prompts.asked.size(), 1u);
    EXPECT_EQ(f.prompts.asked[0].text, strings::text(12009));
    EXPECT_EQ(f.prompts.asked[0].caption, "Lumora");
}

TEST(MainFrameCommands, HelpOnlyWhenTheHelpFileExists) {
    Frame f;
    f.store.writeString("Course", "SysDir", "/opt/lumora/bin/");
    const std::string name = "/opt/lumora/bin/HELP\\WIN32\\LESSONGB.HLP";
    EXPECT_EQ(f.commands.helpFile(), name);
    f.commands.onCommand(57666);
    EXPECT_TRUE(f.help.calls.empty());
    f.host.existing.insert(name);
    f.commands.onCommand(57666);
    f.commands.onCommand(57667);
    ASSERT_EQ(f.help.calls.size(), 2u);
    EXPECT_EQ(f.help.calls[0].file, "/local/" + name);
    EXPECT_EQ(f.help.calls[0].command, HelpCommand::Contents);
    EXPECT_EQ(f.help.calls[1].command, HelpCommand::Finder);
}

TEST(MainFrameCommands, WebPagesAndTheHintOnFailure) {
    Frame f;
    const std::pair<int, int> pages[] = {{20010, 28706}, {20020, 28705}, {20030, 28707}, {20040, 28708}};
    for (auto [command, stringId] : pages) {
        f.commands.onCommand(command);
        EXPECT_EQ(f.web.urls.back(), strings::text(stringId));
    }
    EXPECT_TRUE(f.web.urls[0].ends_with("/lessons/mandarin/us/mandarin.htm"));
    EXPECT_TRUE(f.host.log.empty());
    f.web.succeed = false;
    f.commands.onCommand(20040);
    EXPECT_EQ(f.host.log, (std::vector<std::string>{"hint"}));
}

TEST(MainFrameCommands, BarsToggleWithCheckMarks) {
    Frame f;
    EXPECT_TRUE(f.commands.commandState(59392)->checked);
    f.commands.onCommand(59392);
    EXPECT_FALSE(f.host.toolbar);
    EXPECT_FALSE(f.commands.commandState(59392)->checked);
    f.commands.onCommand(59393);
    EXPECT_FALSE(f.commands.commandState(59393)->checked);
}
