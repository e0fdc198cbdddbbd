#include <gtest/gtest.h>

#include "shell/choix.h"

#include "fixtures/content_tree.h"
#include "resources/string_table.h"

using namespace lumora;

namespace {

Bytes entries(const std::string& prefix, int n) {
    Bytes out;
    for (int i = 0; i < n; ++i)
        test::append(out, test::catalogueEntry({.stem = (prefix == "Lesson" ? "L" : "S") + std::to_string(i),
                                                .english = prefix + " " + std::to_string(i),
                                                .french = "fr"}));
    return out;
}

class FakeChoixHost final : public ChoixHost {
public:
    std::vector<std::string> log;
    void postCommand(int id) override { log.push_back("post " + std::to_string(id)); }
    void setWaitCursor(bool on) override { log.push_back(on ? "wait on" : "wait off"); }
    void closeActivityWindows() override { log.push_back("close"); }
    bool openActivity(ActivityTemplateId id, const std::string& f) override {
        log.push_back("open " + std::to_string(static_cast<int>(id)) + " " + f);
        return true;
    }
    void startActiveActivity(ActivityTemplateId id) override { log.push_back("start " + std::to_string(static_cast<int>(id))); }
};

struct Lists : test::ContentTree {
    FakeChoixHost host;
    ChoixLogic lessons{store, catalogue, CatalogueKind::Lessons, host};
    ChoixLogic stories{store, catalogue, CatalogueKind::Stories, host};
    Lists(int lessonCount, int storyCount) {
        store.writeString("Course", "SysDir", (cd.path() / "nowhere").string() + "/");
        if (lessonCount >= 0) writeData("LISTE.DAT", entries("Lesson", lessonCount));
        if (storyCount >= 0) writeData("WRITE.DAT", entries("Story", storyCount));
    }
};

} // namespace

TEST(Choix, TemplateByScreenWidth) {
    struct Case {
        int width, id, perRow, buttonWidth;
    } cases[] = {{320, 1550, 3, 115}, {640, 1550, 3, 115}, {641, 1560, 4, 115},
                 {800, 1560, 4, 115}, {801, 1570, 5, 95},  {2560, 1570, 5, 95}};
    for (const Case& c : cases) {
        const ChoixTemplate t = choixTemplateForWidth(c.width);
        EXPECT_EQ(t.id, c.id) << c.width;
        EXPECT_EQ(t.perRow, c.perRow) << c.width;
        EXPECT_EQ(t.buttonWidth, c.buttonWidth) << c.width;
        EXPECT_EQ(t.buttonHeight, 60);
    }
}

TEST(Choix, LessonClickWritesThePositionAndPostsTheCourse) {
    Lists l(20, 3);
    l.store.writeString("Write", "Write", "YES");
    l.store.writeInt("Course", "Page", 4);
    l.lessons.click(1007);
    EXPECT_EQ(l.store.readString("Write", "Write", ""), "NO");
    EXPECT_EQ(l.store.readInt("Course", "Lesson", -1), 7);
    EXPECT_EQ(l.store.readInt("Course", "Page", -1), 0);
    EXPECT_EQ(l.host.log, (std::vector<std::string>{"post 1410"}));
}

TEST(Choix, ButtonsBeyondTheCatalogueDoNothing) {
    Lists l(20, 3);
    l.store.writeInt("Course", "Lesson", 2);
    for (int id : {1020, 1023, 1033}) {
        l.lessons.click(id);
        l.stories.click(id);
    }
    l.stories.click(1003);
    EXPECT_TRUE(l.host.log.empty());
    EXPECT_EQ(l.store.readInt("Course", "Lesson", -1), 2);
    EXPECT_EQ(l.store.readInt("Write", "Lesson", -1), -1);
}

TEST(Choix, StoryClickOpensTheCourseOnTheStory) {
    Lists l(20, 3);
    l.store.writeString("Write", "Write", "NO");
    l.store.writeInt("Write", "Page", 2);
    l.stories.click(1002);
    EXPECT_EQ(l.store.readString("Write", "Write", ""), "YES");
    EXPECT_EQ(l.store.readInt("Write", "Lesson", -1), 2);
    EXPECT_EQ(l.store.readInt("Write", "Page", -1), 2); // the story's page is kept
    EXPECT_EQ(l.store.readInt("Startup", "Remember", -1), 8);
    EXPECT_EQ(l.host.log, (std::vector<std::string>{"wait on", "close", "open 2 zup.txt", "start 2", "wait off"}));
}

TEST(Choix, StoryClickCountsTheStoriesWhateverCatalogueWasCurrent) {
    // 20 lessons but 3 stories: story button 1010 does nothing even while the lessons catalogue is
    // the current one when it is clicked.
    Lists l(20, 3);
    l.store.writeString("Write", "Write", "NO");
    l.stories.click(1010);
    EXPECT_TRUE(l.host.log.empty());
    EXPECT_EQ(l.store.readInt("Startup", "Remember", -1), -1);
}

TEST(Choix, TooltipsAndInitialUpdate) {
    Lists l(2, 1);
    l.stories.initialUpdate();
    EXPECT_EQ(l.store.readString("Write", "Write", ""), "YES");
    EXPECT_EQ(l.stories.tooltip(1000), "Story 0");
    EXPECT_EQ(l.stories.tooltip(1001), "");
    // The lessons list makes its catalogue current at each tooltip.
    EXPECT_EQ(l.lessons.tooltip(1001), "Lesson 1");
    EXPECT_EQ(l.store.readString("Write", "Write", ""), "NO");
    EXPECT_EQ(l.lessons.tooltip(1002), strings::prompt(1490));
    l.lessons.initialUpdate();
    EXPECT_EQ(l.store.readString("Write", "Write", ""), "NO");
}

TEST(Choix, MissingCatalogueMakesEveryLessonTooltipTheReadingCourse) {
    Lists l(-1, -1);
    EXPECT_EQ(l.lessons.entryCount(), 0);
    EXPECT_EQ(l.lessons.tooltip(1000), "Reading Course");
    l.lessons.click(1000);
    EXPECT_TRUE(l.host.log.empty());
}

TEST(Choix, TitlesAreDecodedFromTheWesternEncoding) {
    Lists l(0, -1);
    l.writeData("LISTE.DAT", test::catalogueEntry({.stem = "L0", .english = "Caf\xE9"}));
    l.lessons.initialUpdate();
    EXPECT_EQ(l.lessons.title(0), "Caf\xC3\xA9");
}

TEST(Choix, LessonPictureIsThePictureOfTheFirstPhrase) {
    Lists l(2, -1);
    l.store.writeString("CDROM", "Drive", "D:");
    test::PhraseData first;
    first.sound = "P011";
    l.writeData("L0.DAT", test::pageRecord({first}));
    first.sound = "..";
    l.writeData("L1.DAT", test::pageRecord({first}));
    l.lessons.initialUpdate();
    EXPECT_EQ(l.lessons.lessonPictureName(0), "D:\\L0\\SIMPLIFY\\P011.BMP");
    EXPECT_EQ(l.lessons.lessonPictureName(1), ""); // an unsafe stem names no picture
    EXPECT_EQ(l.lessons.lessonPictureName(2), ""); // beyond the catalogue
    l.store.writeInt("Course", "Ideogram", 1); // traditional characters chosen
    EXPECT_EQ(l.lessons.lessonPictureName(0), "D:\\L0\\TRADI\\P011.BMP");
}
