#include <gtest/gtest.h>

#include "course/cours_doc.h"

#include <memory>

#include "course/dib.h"
#include "course_fixture.h"
#include "resources/string_table.h"

using namespace lumora;
using namespace lumora::test;

namespace {

// Three lessons of 3, 2 and 4 pages.
void threeLessons(CourseContent& c) {
    c.addSimpleLesson("L0", 3);
    c.addSimpleLesson("L1", 2);
    c.addSimpleLesson("L2", 4);
}

// A one-pixel 24-bit bitmap file.
Bytes tinyBitmap() {
    Bytes b(58, 0);
    b[0] = 'B';
    b[1] = 'M';
    putLe32(&b[2], 58);
    putLe32(&b[10], 54);
    putLe32(&b[14], 40);
    putLe32(&b[18], 1);
    putLe32(&b[22], 1);
    putLe16(&b[26], 1);
    putLe16(&b[28], 24);
    b[54] = 0x10;
    b[55] = 0x20;
    b[56] = 0x30;
    return b;
}

} // namespace

TEST(CoursDoc, NavigationTable) {
    struct Case {
        const char* name;
        int lesson, page, mode, command;
        int endLesson; // -1: nothing stored
        MessageResult answer;
        int wantLesson, wantPage;
        bool wantVerify, wantAsked;
    };
    const MessageResult Y = MessageResult::Yes, N = MessageResult::No;
    const Case cases[] = {
        {"previous page on 0/0 wraps to the last page of the last lesson", 0, 0, 0, 6040, -1, Y, 2, 3, false, false},
        {"previous page inside a lesson", 1, 1, 0, 6040, -1, Y, 1, 0, false, false},
        {"previous page from page 0", 1, 0, 0, 6040, -1, Y, 0, 2, false, false},
        {"previous page from a stored page beyond the last", 0, 9, 0, 6040, -1, Y, 0, 1, false, false},
        {"previous story, not scrolling: first page", 2, 3, 0, 6010, -1, Y, 1, 0, false, false},
        {"previous story while slow scrolling: last page", 2, 3, 10, 6010, -1, Y, 1, 1, false, false},
        {"previous story from lesson 0 wraps", 0, 1, 0, 6010, -1, Y, 2, 0, false, false},
        {"next story", 0, 2, 0, 6090, -1, Y, 1, 0, false, false},
        {"next story on the last lesson", 2, 1, 0, 6090, -1, Y, 0, 0, false, false},
        {"next page", 0, 0, 0, 6060, -1, Y, 0, 1, false, false},
        {"end of lesson, choice 0: next lesson", 0, 2, 0, 6060, 0, Y, 1, 0, false, false},
        {"end of lesson, default choice 1: verify", 0, 2, 0, 6060, -1, Y, 0, 2, true, false},
        {"end of lesson, choice 1: verify", 0, 2, 0, 6060, 1, Y, 0, 2, true, false},
        {"end of lesson, choice 2, Yes: verify", 0, 2, 0, 6060, 2, Y, 0, 2, true, true},
        {"end of lesson, choice 2, No: next lesson", 0, 2, 0, 6060, 2, N, 1, 0, false, true},
        {"end of lesson, other choice: nothing", 0, 2, 0, 6060, 7, Y, 0, 2, false, false},
        {"end of the last lesson while fast scrolling: lesson 0 without asking", 2, 3, 2, 6060, 2, Y, 0, 0, false,
         false},
        {"stored page beyond the last counts as the end", 1, 7, 0, 6060, 0, Y, 2, 0, false, false},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        DocFixture f;
        threeLessons(f.c);
        if (k.endLesson >= 0) f.c.store.writeInt("EndLesson", "UserChoice", k.endLesson);
        f.c.setPosition(k.lesson, k.page);
        CCoursDoc& doc = f.make();
        doc.setScrollingMode(k.mode);
        f.prompts.answers = {k.answer};
        EXPECT_TRUE(doc.onCommand(k.command));
        EXPECT_EQ(f.c.lesson(), k.wantLesson);
        EXPECT_EQ(f.c.page(), k.wantPage);
        EXPECT_EQ(f.frame.activities, k.wantVerify ? std::vector<int>{1460} : std::vector<int>{});
        EXPECT_EQ(f.prompts.asked.size(), k.wantAsked ? 1u : 0u);
        const bool moved = k.wantLesson != k.lesson || k.wantPage != k.page;
        if (moved) {
            const int n = f.c.catalogue.pageCount(k.wantLesson);
            EXPECT_EQ(f.frame.childCaption, format("Page %2d / %2d", k.wantPage + 1, n));
            EXPECT_EQ(f.frame.busy, (std::vector<bool>{true, false}));
            EXPECT_EQ(f.c.store.readString("Course", "CurrentDir", ""), "L" + std::to_string(k.wantLesson));
        } else {
            EXPECT_EQ(f.frame.childCaption, "");
        }
    }
}

TEST(CoursDoc, EndOfLessonQuestionNamesTheLesson) {
    DocFixture f;
    f.c.addLesson("L0", "Le\xE7on un", {phrasesOf("a")});
    f.c.store.writeInt("EndLesson", "UserChoice", 2);
    CCoursDoc& doc = f.make();
    f.prompts.answers = {MessageResult::No};
    doc.onCommand(6060);
    ASSERT_EQ(f.prompts.asked.size(), 1u);
    EXPECT_EQ(f.prompts.asked[0].text, "Do you want to verify your learning of : Le\xC3\xA7on un?");
    EXPECT_EQ(f.prompts.asked[0].caption, strings::text(28674));
    EXPECT_EQ(f.prompts.asked[0].icon, MessageIcon::Stop);
    EXPECT_EQ(f.prompts.asked[0].buttons, MessageButtons::YesNo);
    // No on the only lesson goes on to lesson 0, page 0 again; the main caption is the decoded title.
    EXPECT_EQ(f.frame.mainCaption, "Le\xC3\xA7on un");
}

TEST(CoursDoc, ShowPageOfAStoredPageBeyondTheLast) {
    DocFixture f;
    f.c.addSimpleLesson("L0", 5);
    f.c.setPosition(0, 7);
    CCoursDoc& doc = f.make();
    doc.setVoicesPlayed(true);
    doc.ShowPage();
    EXPECT_EQ(f.frame.childCaption, "Page  5 /  5");
    EXPECT_EQ(f.c.page(), 7); // the stored value is kept
    EXPECT_FALSE(doc.voicesPlayed());
    EXPECT_EQ(f.frame.updates, 1);
    EXPECT_EQ(f.frame.statusClears, 1);
    EXPECT_EQ(f.frame.mainCaption, "Title L0");
}

TEST(CoursDoc, ShowPageHandsPhraseTwosVideoToTheControl) {
    DocFixture f;
    std::vector<PhraseData> ph = phrasesOf("a");
    ph[0].media = "NONE";
    ph[1].media = "V2";
    f.c.addLesson("L0", "One", {ph, phrasesOf("b")});
    f.c.media("L0", "AVI/V2.AVI");
    f.c.media("L0", "OLD.AVI");
    f.c.store.writeString("Multimedia", "AviCourseFile", "D:\\L0\\OLD.AVI");
    f.c.store.writeString("Multimedia", "OldAviFile", "D:\\L0\\OLD.AVI");
    CCoursDoc& doc = f.make();
    f.surface.video = f.c.local("L0", "OLD.AVI");
    doc.ShowPage();
    EXPECT_EQ(f.c.store.readString("Multimedia", "AviCourseFile", ""), "D:\\L0\\AVI\\V2.AVI");
    EXPECT_EQ(f.c.store.readString("Multimedia", "OldAviFile", "?"), "D:\\L0\\OLD.AVI");
    EXPECT_EQ(f.surface.video, f.c.local("L0", "AVI/V2.AVI"));
    EXPECT_TRUE(f.surface.visible);
    const std::vector<std::string> calls = {"close", "hide", "open:" + f.c.local("L0", "AVI/V2.AVI"), "repaint", "show"};
    EXPECT_EQ(f.surface.calls, calls);

    // Page 1 has no video: the old one is closed and the control stays hidden.
    f.surface.calls.clear();
    doc.onCommand(6060);
    EXPECT_FALSE(f.surface.visible);
    EXPECT_EQ(f.surface.calls, (std::vector<std::string>{"close", "hide"}));
    EXPECT_EQ(f.c.store.readString("Multimedia", "OldAviFile", "?"), "");
}

TEST(CoursDoc, FastScrollingShowsNoVideo) {
    DocFixture f;
    std::vector<PhraseData> ph = phrasesOf("a");
    ph[0].media = "V1";
    f.c.addLesson("L0", "One", {ph});
    f.c.media("L0", "V1.AVI");
    CCoursDoc& doc = f.make();
    doc.setScrollingMode(CCoursDoc::kFastForward);
    doc.ShowPage();
    EXPECT_EQ(f.c.store.readString("Multimedia", "AviCourseFile", ""), "");
    EXPECT_FALSE(f.surface.visible);
    doc.setScrollingMode(CCoursDoc::kSlowForward);
    doc.ShowPage();
    EXPECT_EQ(f.c.store.readString("Multimedia", "AviCourseFile", ""), "D:\\L0\\V1.AVI");
    EXPECT_TRUE(f.surface.visible);
}

TEST(CoursDoc, PhrasePlaybackOrderAndPauses) {
    DocFixture f;
    std::vector<PhraseData> ph = phrasesOf("a");
    ph[3].sound = ""; // phrase 4 has no sound stem
    f.c.addLesson("L0", "One", {ph});
    f.c.media("L0", "MALE/aS1.WAV");
    f.c.media("L0", "FEMALE/aS1.WAV");
    f.c.media("L0", "FEMALE/aS3.WAV"); // phrase 2 has no voice file at all
    CCoursDoc& doc = f.make();
    const std::string m1 = "play:" + f.c.local("L0", "MALE/aS1.WAV");
    const std::string f1 = "play:" + f.c.local("L0", "FEMALE/aS1.WAV");
    const std::string f3 = "play:" + f.c.local("L0", "FEMALE/aS3.WAV");

    doc.onCommand(7010);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{m1, "wait:2", f1}));
    f.log.events.clear();
    doc.onCommand(7012);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{f3}));
    f.log.events.clear();
    doc.onCommand(7011);
    doc.onCommand(7013);
    EXPECT_TRUE(f.log.events.empty());
    doc.onCommand(7014);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{m1, "wait:2", f1, "wait:2", f3, "wait:2"}));
    EXPECT_FALSE(doc.isPlaying());
}

TEST(CoursDoc, PhrasePlansReplaceEachOther) {
    DocFixture f;
    f.c.addLesson("L0", "One", {phrasesOf("a")});
    f.c.media("L0", "MALE/aS1.WAV");
    f.c.media("L0", "FEMALE/aS1.WAV");
    f.c.media("L0", "MALE/aS3.WAV");
    CCoursDoc& doc = f.make();
    f.player.hold = true;
    const std::string m1 = "play:" + f.c.local("L0", "MALE/aS1.WAV");
    const std::string m3 = "play:" + f.c.local("L0", "MALE/aS3.WAV");
    EXPECT_TRUE(doc.PlayAllPhrases());
    EXPECT_TRUE(doc.isPlaying());
    // A phrase without voice files starts nothing: the page goes on playing.
    EXPECT_FALSE(doc.PlayPhrase(2));
    EXPECT_TRUE(doc.isPlaying());
    // Another phrase replaces the page's plan.
    EXPECT_TRUE(doc.PlayPhrase(3));
    EXPECT_EQ(f.log.events, (std::vector<std::string>{m1, "stop", m3}));
    f.player.finish();
    EXPECT_FALSE(doc.isPlaying());
    EXPECT_EQ(f.log.events.size(), 3u); // no pause after a single phrase, nothing more of the page
    // The whole page, stopped during its first pause.
    f.log.events.clear();
    f.clock.hold = true;
    doc.PlayAllPhrases();
    f.player.finish();
    doc.StopPlayback();
    f.clock.advanceTo(2000);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{m1, "wait:2", "stop"}));
}

TEST(CoursDoc, HelpContextOfTheLesson) {
    DocFixture f;
    threeLessons(f.c);
    f.c.addSimpleLesson("S0", 1, true);
    CCoursDoc& doc = f.make();
    f.c.setPosition(0, 0);
    doc.onCommand(7110);
    f.c.setPosition(1, 0);
    doc.onCommand(7110);
    f.c.store.writeString("Write", "Write", "YES");
    f.c.setPosition(0, 0);
    doc.onCommand(7110);
    EXPECT_EQ(f.frame.helpContexts, (std::vector<int>{10100, 10200, 20000}));
}

TEST(CoursDoc, IdeogramSetCommandsAndOpening) {
    DocFixture f;
    threeLessons(f.c);
    f.c.store.writeInt("Multimedia", "View", 2);
    f.c.setPosition(1, 0);
    CCoursDoc& doc = f.make();
    EXPECT_EQ(f.c.store.readInt("Multimedia", "View", -1), 0);
    EXPECT_TRUE(doc.open("zup.txt"));
    EXPECT_EQ(f.c.store.readString("Course", "CurrentDir", ""), "L1");
    ASSERT_NE(doc.picture(), nullptr);
    EXPECT_EQ(doc.picture()->width(), 320);

    EXPECT_TRUE(doc.commandState(13100)->checked);
    EXPECT_FALSE(doc.commandState(13110)->checked);
    doc.onCommand(13110);
    EXPECT_EQ(f.c.store.readInt("Course", "Ideogram", 0), 1);
    EXPECT_TRUE(doc.commandState(13110)->checked);
    EXPECT_FALSE(doc.commandState(13100)->checked);
    EXPECT_EQ(f.frame.courseRepaints, 1);
    EXPECT_FALSE(doc.commandState(6050).has_value()); // the view's command

    // A new document loads the set; a lesson whose data file is missing cannot be opened.
    CCoursDoc again(f.c.store, f.c.catalogue, f.player, f.clock, f.prompts);
    EXPECT_EQ(again.ideogramSet(), 1);
    std::filesystem::remove(f.c.cd.path() / "DATA" / "WIN32" / "L1.DAT");
    EXPECT_FALSE(again.open());
}

TEST(CoursDoc, LoadPictureReplacesOnlyOnSuccess) {
    DocFixture f;
    f.c.addSimpleLesson("L0", 1);
    writeFile(f.c.cd.path() / "L0" / "SIMPLIFY" / "P.BMP", tinyBitmap());
    writeFile(f.c.cd.path() / "L0" / "SIMPLIFY" / "BAD.BMP", std::string("BMnot a picture"));
    CCoursDoc& doc = f.make();
    ASSERT_TRUE(doc.open());
    const CDIB* before = doc.picture();
    EXPECT_FALSE(doc.LoadPicture("D:\\L0\\SIMPLIFY\\BAD.BMP"));
    EXPECT_FALSE(doc.LoadPicture("D:\\L0\\SIMPLIFY\\MISSING.BMP"));
    EXPECT_FALSE(doc.LoadPicture(""));
    EXPECT_EQ(doc.picture(), before);
    EXPECT_TRUE(doc.LoadPicture("D:\\L0\\SIMPLIFY\\P.BMP"));
    ASSERT_NE(doc.picture(), nullptr);
    EXPECT_EQ(doc.picture()->width(), 1);
    EXPECT_EQ(doc.picture()->height(), 1);
}

TEST(CoursDoc, PreferencesThenViewsRedrawn) {
    DocFixture f;
    f.c.addSimpleLesson("L0", 1);
    CCoursDoc& doc = f.make();
    doc.onCommand(7100);
    EXPECT_EQ(f.frame.preferences, 1);
    EXPECT_EQ(f.frame.updates, 1);
}

TEST(DirectAccess, CancelRestoresTheBrowsedLanguage) {
    DocFixture f;
    threeLessons(f.c);
    f.c.store.writeInt("Lesson", "Direct", 5);
    f.c.setPosition(0, 1);
    CCoursDoc& doc = f.make();
    f.frame.directAccess = [&](DirectAccessModel& m) {
        EXPECT_EQ(m.language(), 5); // "Direct"/"Langue" defaults to "Lesson"/"Direct"
        EXPECT_EQ(m.pageItems()[1], " L0p1 fr 1 ");
        m.chooseLanguage(0);
        EXPECT_EQ(f.c.store.readInt("Lesson", "Direct", -1), 0); // written at once
        EXPECT_EQ(m.pageItems()[1], " L0p1 en 1 ");
        m.chooseLanguage(9);
        m.chooseLanguage(18);
        EXPECT_EQ(m.pageItems()[0], "  "); // no Mandarin translation block
        m.chooseLesson(2);
        m.choosePage(3);
        return false;
    };
    doc.onCommand(6095);
    EXPECT_EQ(f.c.store.readInt("Lesson", "Direct", -1), 5);
    EXPECT_FALSE(f.c.store.contains("Direct", "Langue"));
    EXPECT_EQ(f.c.lesson(), 0);
    EXPECT_EQ(f.c.page(), 1);
    EXPECT_EQ(f.frame.childCaption, ""); // nothing shown
}

TEST(DirectAccess, OkStoresTheChoicesAndShowsThePage) {
    DocFixture f;
    threeLessons(f.c);
    f.c.media("L2", "MALE/L2p3S1.WAV");
    f.c.media("L2", "FEMALE/L2p3S1.WAV");
    f.c.setPosition(0, 0);
    CCoursDoc& doc = f.make();
    f.frame.directAccess = [&](DirectAccessModel& m) {
        EXPECT_EQ(m.lessonItems(), (std::vector<std::string>{"Title L0", "Title L1", "Title L2"}));
        m.chooseLanguage(2);
        m.chooseLesson(2);
        EXPECT_EQ(m.pageItems().size(), 4u);
        EXPECT_EQ(m.page(), 0);
        m.chooseVoice(2); // female only
        m.choosePage(3);
        return true;
    };
    doc.onCommand(6095);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"play:" + f.c.local("L2", "FEMALE/L2p3S1.WAV")}));
    EXPECT_EQ(f.c.lesson(), 2);
    EXPECT_EQ(f.c.page(), 3);
    EXPECT_EQ(f.c.store.readInt("Direct", "Langue", -1), 2);
    EXPECT_EQ(f.c.store.readInt("Direct", "SoundType", -1), 2);
    EXPECT_EQ(f.c.store.readInt("Lesson", "Direct", -1), 2);
    EXPECT_EQ(f.frame.childCaption, "Page  4 /  4");
}

TEST(DirectAccess, VoiceChoicesAndLayout) {
    DocFixture f;
    f.c.addSimpleLesson("L0", 1);
    f.c.media("L0", "MALE/L0p0S1.WAV");
    f.c.media("L0", "FEMALE/L0p0S1.WAV");
    PlaybackRunner runner(f.player, f.clock);
    DirectAccessModel m(f.c.store, f.c.catalogue, runner);
    const std::string male = "play:" + f.c.local("L0", "MALE/L0p0S1.WAV");
    const std::string female = "play:" + f.c.local("L0", "FEMALE/L0p0S1.WAV");
    m.choosePage(0);
    m.chooseVoice(1);
    m.choosePage(0);
    m.chooseVoice(3);
    m.choosePage(0);
    m.choosePage(5); // no such page: nothing
    EXPECT_EQ(f.log.events, (std::vector<std::string>{male, "wait:2", female, male}));
    EXPECT_EQ(DirectAccessModel::layoutFor(640), 28703);
    EXPECT_EQ(DirectAccessModel::layoutFor(641), 28704);
}
