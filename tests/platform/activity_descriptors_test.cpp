// The real activity descriptors: their tables, and the frame's commands opening each activity
// through them.
#include <gtest/gtest.h>

#include <set>

#include "course/ui/course_activities.h"
#include "main_frame_fake_host.h"
#include "resources/string_table.h"
#include "shell/ui/activities.h"

using namespace lumora;
using lumora::test::FakeHost;

namespace {

// The real registry, as the program registers it.
const ActivityRegistry& registry() {
    static const ActivityRegistry r = [] {
        ActivityRegistry out;
        for (ActivityType& t : activityTypes()) out.add(std::move(t.descriptor));
        return out;
    }();
    return r;
}

// The menu bar and accelerators of a resource id (1600: the frame with no activity).
const std::vector<MenuLayout>& menuBar(int resource) {
    const ActivityDescriptor* d = registry().byResource(resource);
    return d ? d->menus : frameMenuBar();
}
std::vector<Accelerator> acceleratorsFor(int resource) {
    static const std::vector<Accelerator> none;
    const ActivityDescriptor* d = registry().byResource(resource);
    return lumora::acceleratorsFor(d ? d->accelerators : none);
}
std::optional<int> jobCodeForCommand(int id) {
    const auto [d, o] = registry().byCommand(id);
    return o ? std::optional<int>(o->jobCode) : std::nullopt;
}
std::optional<ActivityTemplateId> templateForCommand(int id) {
    const auto [d, o] = registry().byCommand(id);
    return d ? std::optional<ActivityTemplateId>(d->templateId) : std::nullopt;
}
std::string scoreGraphFile(int command, const SettingsStore& store) {
    const auto [d, o] = registry().byCommand(command);
    return o ? openingFileName(*o, store) : std::string();
}

// A frame on paper whose commands know the real activities.
struct Frame : lumora::test::Frame {
    Frame() {
        for (const ActivityDescriptor& d : registry().all()) {
            host.kinds[d.templateId] = d.documentKind;
            commands.registerActivity(d);
        }
    }
};

} // namespace

TEST(MainFrameTables, CourseToolbarInItsOrder) {
    EXPECT_EQ(courseToolbar(), (std::vector<int>{6010, 6020, 6030, 6040, 6050, 6060, 6070, 6080, 6090, 0, 6095, 0,
                                                 3012, 3013, 3014, 3015, 0, 7010, 7011, 7012, 7013, 7014, 0, 7090,
                                                 7100, 0, 7110, 0, 4010}));
    for (int id : courseToolbar()) {
        if (id != 0) {
            EXPECT_FALSE(strings::tooltip(id).empty()) << id;
        }
    }
    EXPECT_EQ(registry().byTemplate(ActivityTemplateId::Course)->toolbar, courseToolbar());
}

TEST(ActivityDescriptors, TenTemplatesInRegistrationOrder) {
    const std::vector<ActivityTemplateId> order = {
        ActivityTemplateId::LessonsList,     ActivityTemplateId::StoriesList,        ActivityTemplateId::Course,
        ActivityTemplateId::KeyboardLearning, ActivityTemplateId::VoiceStudio,       ActivityTemplateId::Dictionary,
        ActivityTemplateId::Verify,          ActivityTemplateId::PictureExercise,    ActivityTemplateId::TranslationExercise,
        ActivityTemplateId::ScoreGraph};
    ASSERT_EQ(registry().all().size(), order.size());
    for (std::size_t i = 0; i < order.size(); ++i) EXPECT_EQ(registry().all()[i].templateId, order[i]) << i;
    // Every opening's JobCode reopens its template with its file name at start-up.
    for (const ActivityDescriptor& d : registry().all())
        for (const ActivityOpening& o : d.openings) {
            const JobCodeRow* row = jobCodeRow(o.jobCode);
            ASSERT_NE(row, nullptr) << o.jobCode;
            EXPECT_EQ(row->opens, d.templateId) << o.jobCode;
        }
    const auto& story = registry().byTemplate(ActivityTemplateId::Course)->openings.at(1);
    EXPECT_EQ(story.jobCode, 8);
    EXPECT_EQ(openingFileName(story, MemorySettingsStore{}), jobCodeRow(8)->fileName);
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


// Every activity command runs the open sequence of its activity, step by step. Each log entry
// notes "Startup"/"Remember" at that moment, which places its writing in the sequence.
TEST(MainFrameCommands, EachActivityCommandRunsItsOpenSequence) {
    struct Case {
        int command;
        std::vector<std::string> log;     // with a course window on screen
        std::vector<std::string> failed;  // when the template cannot open a document
        int remember;
    } cases[] = {
        {1400, {"close 2 [-1]", "open 0  [-1]", "main Lumora [-1]"}, {"close 2 [-1]", "open 0  [-1]"}, 0},
        {1490, {"close 2 [-1]", "open 1  [-1]", "main Lumora [-1]"}, {"close 2 [-1]", "open 1  [-1]"}, 7},
        {1410, {"close 2 [-1]", "open 2 Lumora [-1]", "start 2 [-1]"}, {"close 2 [-1]", "open 2 Lumora [-1]"}, 1},
        {1420,
         {"wait on [-1]", "close 2 [-1]", "open 3 zup.txt [-1]", "start 3 [-1]", "wait off [2]"},
         {"wait on [-1]", "close 2 [-1]", "open 3 zup.txt [-1]", "wait off [2]"},
         2},
        {1430,
         {"wait on [-1]", "close 2 [-1]", "open 4 zup.txt [-1]", "main Voice studio [-1]", "child Greetings [-1]",
          "wait off [3]", "start 4 [3]"},
         {"wait on [-1]", "close 2 [-1]", "open 4 zup.txt [-1]", "wait off [3]"},
         3},
        {1450, {"close 2 [-1]", "open 5  [4]", "start 5 [4]"}, {"close 2 [-1]", "open 5  [4]"}, 4},
        {1460, {"close 2 [-1]", "open 6  [9]"}, {"close 2 [-1]", "open 6  [9]"}, 9},
        {1470, {"close 2 [-1]", "open 7  [5]", "start 7 [5]"}, {"close 2 [-1]", "open 7  [5]"}, 5},
        {1480, {"close 2 [-1]", "open 8  [6]", "start 8 [6]"}, {"close 2 [-1]", "open 8  [6]"}, 6},
        {1465, {"close 2 [-1]", "open 9 C:\\\\EX2GB.TXT [10]", "main Lumora [10]"}, {"close 2 [-1]", "open 9 C:\\\\EX2GB.TXT [10]"}, 10},
        {1475, {"close 2 [-1]", "open 9 C:\\\\EX4GB.TXT [11]", "main Lumora [11]"}, {"close 2 [-1]", "open 9 C:\\\\EX4GB.TXT [11]"}, 11},
        {1485, {"close 2 [-1]", "open 9 C:\\\\EX8GB.TXT [12]", "main Lumora [12]"}, {"close 2 [-1]", "open 9 C:\\\\EX8GB.TXT [12]"}, 12},
    };
    for (bool fails : {false, true}) {
        for (const Case& c : cases) {
            Frame f;
            for (const ActivityDescriptor& d : registry().all()) f.host.available.insert(d.templateId);
            f.host.children = {{ActivityTemplateId::Course, "", 99}};
            f.host.watch = &f.store;
            f.host.openFails = fails;
            ASSERT_TRUE(f.commands.onCommand(c.command)) << c.command;
            EXPECT_EQ(f.host.log, fails ? c.failed : c.log) << c.command << (fails ? " failing" : "");
            EXPECT_EQ(f.store.readInt("Startup", "Remember", -1), c.remember) << c.command;
        }
    }
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

