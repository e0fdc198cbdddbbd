// The keyboard-learning form without a window: marks, hints, hidden lines, dictation, guide and
// translation rows.
#include <gtest/gtest.h>

#include "course/course_commands.h"
#include "course/course_settings.h"
#include "course/edit_course_view.h"
#include "course_fixture.h"
#include "foundation/app_settings.h"

using namespace lumora;
using test::PhraseData;

namespace {

struct EditFixture : test::DocFixture {
    std::unique_ptr<CEditCourseView> view;
    CEditCourseView& build() {
        make(false);
        view = std::make_unique<CEditCourseView>(c.store, c.catalogue, c.files, *doc);
        view->loadPage();
        return *view;
    }
};

std::vector<PhraseData> twoPhrases() {
    return {{.text = "ni3 hao3!", .english = "Hello!", .french = "Bonjour !", .sound = "S1"},
            {.text = "xie4 xie5.", .english = "Thank you.", .sound = "S2"}};
}

} // namespace

TEST(EditCourseView, MarksFollowTheTypedBytesOfTheirOwnLine) {
    EditFixture f;
    f.c.addSimpleLesson("L1", 2);
    CEditCourseView& v = f.build();
    const std::string model4 = v.row(3).model;
    ASSERT_EQ(model4, "L1p0 typed 4");
    for (int i = 0; i < 4; ++i) EXPECT_FALSE(v.row(i).matches) << i;

    v.setTyped(2, model4); // phrase 4 typed in line 3: only line 3 changes, and it does not match
    EXPECT_FALSE(v.row(2).matches);
    EXPECT_FALSE(v.row(3).matches);
    v.setTyped(3, model4);
    EXPECT_TRUE(v.row(3).matches);
    EXPECT_FALSE(v.row(2).matches);
    v.setTyped(3, model4 + " "); // a trailing space
    EXPECT_FALSE(v.row(3).matches);
    v.setTyped(3, "l1p0 typed 4"); // case counts
    EXPECT_FALSE(v.row(3).matches);

    // The next page clears the lines.
    f.doc->NextPage();
    v.loadPage();
    EXPECT_EQ(v.page(), 1);
    EXPECT_EQ(v.row(3).typed, "");
    EXPECT_FALSE(v.row(3).matches);
    EXPECT_EQ(v.row(3).model, "L1p1 typed 4");
}

TEST(EditCourseView, TwoPhrasePageDictationGuideAndTranslations) {
    EditFixture f;
    f.c.addLesson("L1", "Greetings", {twoPhrases()});
    f.c.media("L1", "MALE/S1.WAV");
    f.c.media("L1", "FEMALE/S2.WAV");
    AppSettings::kTranslationLanguage.write(f.c.store, 5); // French
    CEditCourseView& v = f.build();
    // Two phrases: lines 3 and 4 and their marks are hidden.
    EXPECT_TRUE(v.row(0).lineShown);
    EXPECT_TRUE(v.row(1).lineShown);
    EXPECT_FALSE(v.row(2).lineShown);
    EXPECT_FALSE(v.row(3).lineShown);
    // Dictation by default: no model text is seen; no guide.
    EXPECT_TRUE(v.dictation());
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(v.row(i).modelShown);
        EXPECT_FALSE(v.row(i).guideShown);
    }
    // Translations in the translation language, under its flag; a missing one hides its row.
    EXPECT_EQ(v.translationLanguage(), 5);
    EXPECT_EQ(v.row(0).translation, "Bonjour !");
    EXPECT_TRUE(v.row(0).translationShown);
    EXPECT_FALSE(v.row(1).translationShown);
    EXPECT_FALSE(v.row(1).numberShown);
    // Voice icons only where the voice file exists.
    EXPECT_EQ(v.row(0).maleVoice, "D:\\L1\\MALE\\S1.WAV");
    EXPECT_EQ(v.row(0).femaleVoice, "");
    EXPECT_FALSE(v.row(0).maleVoice.empty());

    CourseSettings::kDictation.write(f.c.store, 0);
    CourseSettings::kGuide.write(f.c.store, 1);
    v.loadPage();
    EXPECT_TRUE(v.row(0).modelShown);
    EXPECT_EQ(v.row(0).modelLine, " ni3 hao3!");
    EXPECT_TRUE(v.row(0).guideShown);
    EXPECT_FALSE(v.row(2).guideShown);

    // 3015 hides the translation rows and is checked while they show.
    EXPECT_TRUE(v.commandState(cmd::course::Translation)->checked);
    EXPECT_TRUE(v.onCommand(cmd::course::Translation));
    EXPECT_EQ(CourseSettings::kShowTranslation.read(f.c.store), 0);
    EXPECT_FALSE(v.row(0).translationShown);
    EXPECT_FALSE(v.commandState(cmd::course::Translation)->checked);
}

TEST(EditCourseView, HintsExplainWithoutChangingTheMark) {
    EditFixture f;
    f.c.addLesson("L1", "Greetings", {twoPhrases()});
    CEditCourseView& v = f.build();
    v.setTyped(0, "ni3 hao3!");
    EXPECT_TRUE(v.row(0).matches);
    EXPECT_EQ(v.row(0).hint, "right");
    v.setTyped(0, "nǐ hǎo!"); // right syllables, other bytes: the mark stays n0
    EXPECT_FALSE(v.row(0).matches);
    EXPECT_EQ(v.row(0).hint, "right");
    v.setTyped(0, "ni3 hao2!");
    EXPECT_EQ(v.row(0).hint, "tone of syllable 2: you typed 2, it is 3");
    v.setTyped(1, "xie4");
    EXPECT_EQ(v.row(1).hint, "missing syllable 2");
    v.setTyped(1, "");
    EXPECT_EQ(v.row(1).hint, "");
    // A line longer than 199 characters is cut there.
    v.setTyped(0, std::string(300, 'a'));
    EXPECT_EQ(v.row(0).typed.size(), 199u);
    v.setTyped(7, "x"); // no such line: nothing happens
}

TEST(EditCourseView, PageBeyondTheLastShowsTheLastAndColoursComeFromTheRecord) {
    EditFixture f;
    f.c.addSimpleLesson("L1", 3);
    f.c.setPosition(0, 9);
    CEditCourseView& v = f.build();
    EXPECT_EQ(v.page(), 2);
    EXPECT_EQ(v.row(0).model, "L1p2 typed 1");
    EXPECT_EQ(v.textColour(), CEditCourseView::kDefaultColour);
    const std::uint8_t record[60] = {};
    const std::uint8_t colour[4] = {0x00, 0x00, 0xFF, 0x00}; // blue
    f.c.store.writeBinary(AppSettings::kFontRecordSection, "User", record, sizeof record);
    f.c.store.writeBinary(AppSettings::kColourRecordSection, "User", colour, sizeof colour);
    v.loadPage();
    EXPECT_EQ(v.textColour(), 0xFF0000u);
    EXPECT_EQ(v.translationFont().face, "Arial");
    EXPECT_EQ(v.translationFont().height, 25);
}
