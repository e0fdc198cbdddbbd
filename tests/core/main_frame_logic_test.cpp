#include <gtest/gtest.h>

#include "shell/main_frame_logic.h"

#include "main_frame_fake_host.h"
#include "resources/string_table.h"

using namespace lumora;
using lumora::test::FakeHost;
using lumora::test::Frame;

TEST(MainFrameTables, MainToolbarInItsOrder) {
    EXPECT_EQ(mainToolbar(), (std::vector<int>{1400, 0, 1410, 0, 1430, 0, 1440, 0, 0, 1460, 1465, 0, 1470, 1475, 0,
                                               1480, 1485, 0, 0, 1450, 0, 0, 1500, 1510, 0, 57669}));
    // Every button has a text and a tooltip in the string table.
    for (int id : mainToolbar()) {
        if (id != 0) {
            EXPECT_FALSE(strings::tooltip(id).empty()) << id;
        }
    }
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
