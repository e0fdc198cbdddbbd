#include <gtest/gtest.h>

#include "course/cours_view.h"

#include <algorithm>

#include "course_fixture.h"

using namespace lumora;
using namespace lumora::test;

namespace {

std::vector<DrawItem> ofKind(const std::vector<DrawItem>& items, DrawItem::Kind kind) {
    std::vector<DrawItem> out;
    std::copy_if(items.begin(), items.end(), std::back_inserter(out), [&](const DrawItem& i) { return i.kind == kind; });
    return out;
}

const DrawItem* textAt(const std::vector<DrawItem>& items, int x, const std::string& text) {
    for (const DrawItem& i : items)
        if (i.kind == DrawItem::Kind::Text && i.x == x && i.text == text) return &i;
    return nullptr;
}

const DrawItem* boldNumber(const std::vector<DrawItem>& items, int k) {
    for (const DrawItem& i : items)
        if (i.kind == DrawItem::Kind::Text && i.font.weight == 700 && i.text == " " + std::to_string(k)) return &i;
    return nullptr;
}

const DrawItem* iconAt(const std::vector<DrawItem>& items, int id, int n) {
    for (const DrawItem& i : items)
        if (i.kind == DrawItem::Kind::Icon && i.iconId == id && n-- == 0) return &i;
    return nullptr;
}

// A page with `phrases` phrases (texts present for phrases 1..phrases, stems for all of them).
std::vector<PhraseData> pageWith(const std::string& tag, int phrases) {
    std::vector<PhraseData> ph = phrasesOf(tag);
    for (int k = phrases; k < 4; ++k) ph[static_cast<std::size_t>(k)] = PhraseData{};
    return ph;
}

} // namespace

TEST(CoursView, BandRule) {
    EXPECT_EQ(band(480, 1, 2, 600), 1);
    EXPECT_EQ(band(599, 1, 2, 600), 1);
    EXPECT_EQ(band(600, 1, 2, 600), 2);
    EXPECT_EQ(band(767, 1, 2, 600), 2);
    EXPECT_EQ(band(768, 1, 2, 740), 947);  // 947.2
    EXPECT_EQ(band(1050, 1, 2, 430), 753); // 752.5 rounds up
    EXPECT_EQ(band(400, 1, 2, 600), 400);
}

TEST(CoursView, FourPhraseLayoutAt768And700) {
    struct Case {
        int H, P, T;
    };
    for (const Case k : {Case{768, 947, 1216}, Case{700, 740, 950}}) {
        SCOPED_TRACE(k.H);
        ViewFixture f;
        f.c.addLesson("L0", "One", {phrasesOf("a")});
        f.c.store.writeInt("Course", "Translate Language", 0);
        f.make();
        const auto items = f.view->layout(k.H, 96);
        for (int n = 1; n <= 4; ++n) {
            SCOPED_TRACE(n);
            const std::string num = " " + std::to_string(n);
            const DrawItem* number = textAt(items, 0, num);
            ASSERT_NE(number, nullptr);
            EXPECT_EQ(number->y, -(k.P + 50 * n - 15));
            EXPECT_EQ(number->font.face, "Arial");
            EXPECT_EQ(number->font.height, 30);
            EXPECT_EQ(number->font.weight, 400);
            const DrawItem* icon = iconAt(items, 701, n - 1);
            ASSERT_NE(icon, nullptr);
            EXPECT_EQ(icon->x, 40);
            EXPECT_EQ(icon->y, -(k.P + 50 * n + 5));
            const DrawItem* pinyin = textAt(items, 100, " a pinyin " + std::to_string(n));
            ASSERT_NE(pinyin, nullptr);
            EXPECT_EQ(pinyin->y, -(k.P + 50 * n - 15));
            EXPECT_EQ(pinyin->font.face, "Pinying");
            EXPECT_EQ(pinyin->font.height, 75);
            const DrawItem* tr = textAt(items, 180, " a en " + std::to_string(n));
            ASSERT_NE(tr, nullptr);
            EXPECT_EQ(tr->y, -(k.T + 70 * n - 30));
            EXPECT_EQ(tr->font.face, "Arial");
            EXPECT_EQ(tr->font.height, 53); // 35 * 144 / 96 = 52.5
            const DrawItem flag = ofKind(items, DrawItem::Kind::Flag).at(static_cast<std::size_t>(n - 1));
            EXPECT_EQ(flag.x, 130);
            EXPECT_EQ(flag.y, -(k.T + 70 * n - 20));
            EXPECT_EQ(flag.iconId, 18800);
        }
        const auto pictures = ofKind(items, DrawItem::Kind::Picture);
        ASSERT_EQ(pictures.size(), 4u);
        EXPECT_EQ(pictures[3].y, -580);
        EXPECT_EQ(pictures[3].x, 10);
        EXPECT_EQ(pictures[3].path, "D:\\L0\\SIMPLIFY\\aS4.BMP");
        EXPECT_EQ(f.c.store.readInt("Debug", "Hauteur", 0), k.H);
        EXPECT_EQ(f.c.store.readString("Course", "ChFilename", ""), "D:\\L0\\SIMPLIFY\\aS1.BMP");
    }
}

TEST(CoursView, TwoAndThreePhraseBands) {
    ViewFixture f;
    f.c.addLesson("L0", "One", {pageWith("a", 2), pageWith("b", 3)});
    f.c.store.writeInt("Course", "Translate Language", 0);
    f.make();
    auto items = f.view->layout(700, 96);
    // First phonetic line at depth 470 (its texts 15 above), first flag at depth 650.
    EXPECT_EQ(iconAt(items, 701, 0)->y, -475);
    EXPECT_EQ(textAt(items, 100, " a pinyin 1")->y, -455);
    EXPECT_EQ(ofKind(items, DrawItem::Kind::Flag).at(0).y, -650);
    EXPECT_EQ(textAt(items, 100, " a pinyin 3"), nullptr);
    EXPECT_EQ(ofKind(items, DrawItem::Kind::Picture).size(), 2u); // phrases 3, 4 have no stem

    f.c.setPosition(0, 1);
    items = f.view->layout(700, 96);
    EXPECT_EQ(iconAt(items, 701, 0)->y, -(550 + 50 + 5));
    EXPECT_EQ(ofKind(items, DrawItem::Kind::Flag).at(0).y, -(760 + 70 - 20));
}

TEST(CoursView, PhoneticOffKeepsTheBoldNumbers) {
    ViewFixture f;
    std::vector<PhraseData> ph = phrasesOf("a");
    ph[3].sound = "";
    f.c.addLesson("L0", "One", {ph});
    f.c.media("L0", "MALE/aS1.WAV");
    f.c.media("L0", "FEMALE/aS2.WAV");
    f.c.store.writeInt("Course", "Phonetic", 0);
    f.c.store.writeInt("Course", "Translate Language", 18); // Mandarin: no translation lines
    f.c.store.writeInt("Course", "Phonetic Language", 5);
    f.c.store.writeInt("TRANSL_FRENCH", "ColorPhonetic", 2);
    f.make();
    const auto items = f.view->layout(768, 96);
    EXPECT_EQ(iconAt(items, 701, 0), nullptr);
    EXPECT_TRUE(ofKind(items, DrawItem::Kind::Flag).empty());
    EXPECT_EQ(textAt(items, 180, " a en 1"), nullptr);
    int bold = 0;
    for (const DrawItem& i : items) {
        if (i.kind != DrawItem::Kind::Text) continue;
        EXPECT_EQ(i.font.weight, 700) << i.text; // only the voice numbers remain
        EXPECT_EQ(i.font.height, 25);
        EXPECT_EQ(i.colour, 0u); // nothing set a colour
        ++bold;
    }
    EXPECT_EQ(bold, 3); // phrases with a sound stem
    const int T = 1216;
    EXPECT_EQ(textAt(items, 0, " 1")->y, -(T - 20 + 70));
    ASSERT_NE(iconAt(items, 703, 0), nullptr);
    EXPECT_EQ(iconAt(items, 703, 0)->x, 30);
    EXPECT_EQ(iconAt(items, 703, 0)->y, -(T - 20 + 70 + 5));
    EXPECT_EQ(iconAt(items, 703, 1), nullptr);
    ASSERT_NE(iconAt(items, 704, 0), nullptr);
    EXPECT_EQ(iconAt(items, 704, 0)->x, 80);
    EXPECT_EQ(iconAt(items, 704, 0)->y, -(T - 20 + 140 + 5));

    // With the phonetic lines on, the numbers and the phonetic lines take the phonetic colour.
    f.c.store.writeInt("Course", "Phonetic", 1);
    const auto on = f.view->layout(768, 96);
    EXPECT_EQ(textAt(on, 0, " 1")->colour, LanguageTable::paletteColour(2));
    EXPECT_EQ(textAt(on, 100, " a pinyin 1")->colour, LanguageTable::paletteColour(2));
}

TEST(CoursView, TranslationFontColourAndPageBeyondTheLast) {
    ViewFixture f;
    f.c.addLesson("L0", "One", {phrasesOf("a"), phrasesOf("b")});
    f.c.store.writeInt("Course", "Translate Language", 15);
    f.c.store.writeString("TRANSL_THAI", "FontTranslate", "Surin");
    f.c.store.writeString("TRANSL_THAI", "SizeTranslate", "40");
    f.c.store.writeInt("TRANSL_THAI", "ColorTranslate", 4);
    f.c.store.writeInt("Course", "Ideogram", 1);
    f.c.setPosition(0, 9);
    f.make();
    const auto items = f.view->layout(768, 120);
    const auto flags = ofKind(items, DrawItem::Kind::Flag);
    ASSERT_TRUE(flags.empty()); // the fixture has no Thai block text
    EXPECT_EQ(textAt(items, 100, " a pinyin 1")->font.height, 60); // page 0, 50 * 144 / 120
    EXPECT_EQ(f.c.store.readString("Course", "ChFilename", ""), "D:\\L0\\TRADI\\aS1.BMP");

    f.c.store.writeInt("Course", "Translate Language", 5);
    f.c.store.writeString("TRANSL_FRENCH", "FontTranslate", "Surin");
    f.c.store.writeString("TRANSL_FRENCH", "SizeTranslate", "40");
    f.c.store.writeInt("TRANSL_FRENCH", "ColorTranslate", 4);
    const auto fr = f.view->layout(768, 120);
    const DrawItem* t = textAt(fr, 180, " a fr 1");
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->font.face, "Surin");
    EXPECT_EQ(t->font.height, 48);
    EXPECT_EQ(t->font.encoding, FontEncoding::Tis620);
    EXPECT_EQ(t->colour, LanguageTable::paletteColour(4));
    EXPECT_EQ(boldNumber(fr, 4)->colour, LanguageTable::paletteColour(4)); // bold numbers follow
    EXPECT_EQ(textAt(fr, 0, " 4")->colour, 0u);                            // phonetic colour: black
    EXPECT_EQ(ofKind(fr, DrawItem::Kind::Flag).at(0).iconId, 18750);
}

TEST(CoursView, ScrollingStateMachine) {
    ViewFixture f;
    f.c.addSimpleLesson("L0", 3);
    f.c.addSimpleLesson("L1", 2);
    f.c.addSimpleLesson("L2", 2);
    f.c.store.writeInt("Lesson", "Timer", 3000);
    f.c.setPosition(2, 1);
    f.make();
    CCoursView& v = *f.view;

    v.onCommand(6080);
    EXPECT_EQ(f.timer.interval, 500);
    EXPECT_EQ(f.doc->scrollingMode(), 2);
    v.onTimer(); // last page of the last lesson: on to lesson 0 without asking
    EXPECT_EQ(f.c.lesson(), 0);
    EXPECT_EQ(f.c.page(), 0);
    EXPECT_TRUE(f.prompts.asked.empty());
    v.onCommand(6080); // the same command again stops
    EXPECT_EQ(f.timer.interval, 0);
    EXPECT_EQ(f.doc->scrollingMode(), 0);
    f.doc->onCommand(6010); // not scrolling: previous lesson, first page
    EXPECT_EQ(f.c.lesson(), 2);
    EXPECT_EQ(f.c.page(), 0);

    v.onCommand(6030);
    EXPECT_EQ(f.timer.interval, 3000);
    EXPECT_EQ(f.doc->scrollingMode(), 10);
    v.onTimer(); // backwards from page 0: last page of lesson 1
    EXPECT_EQ(f.c.lesson(), 1);
    EXPECT_EQ(f.c.page(), 1);
    v.onCommand(6070); // another scroll command while scrolling also stops
    EXPECT_EQ(f.doc->scrollingMode(), 0);
    EXPECT_EQ(f.timer.interval, 0);
    v.onTimer(); // a stray tick does nothing
    EXPECT_EQ(f.c.page(), 1);

    v.onCommand(6020);
    EXPECT_EQ(f.doc->scrollingMode(), 1);
    EXPECT_TRUE(v.onCommand(6050));
    EXPECT_EQ(f.doc->scrollingMode(), 0);
    v.onCommand(6070);
    EXPECT_EQ(f.doc->scrollingMode(), 20);
    v.onClose();
    EXPECT_EQ(f.doc->scrollingMode(), 0);
    EXPECT_EQ(f.timer.interval, 0);
    EXPECT_EQ(f.timer.starts, (std::vector<int>{500, 3000, 500, 3000}));
}

TEST(CoursView, PlaysOnArrivalOnceAndNotWhenFastScrolling) {
    ViewFixture f;
    f.c.addSimpleLesson("L0", 3);
    f.c.media("L0", "MALE/L0p0S1.WAV");
    f.c.media("L0", "MALE/L0p1S1.WAV");
    f.make();
    const std::string p0 = "play:" + f.c.local("L0", "MALE/L0p0S1.WAV");
    const std::string p1 = "play:" + f.c.local("L0", "MALE/L0p1S1.WAV");
    f.doc->ShowPage();
    EXPECT_TRUE(f.view->playOnArrival());
    EXPECT_FALSE(f.view->playOnArrival()); // a later repaint plays nothing
    EXPECT_EQ(f.log.events, (std::vector<std::string>{p0, "wait:2"}));

    f.doc->setScrollingMode(CCoursDoc::kFastForward);
    f.doc->NextPage();
    EXPECT_FALSE(f.view->playOnArrival());

    // Slow scrolling plays each page; a tick meanwhile does nothing, and the page's reading time
    // starts once it has been heard.
    f.log.events.clear();
    f.c.store.writeInt("Lesson", "Timer", 3000);
    f.c.setPosition(0, 1);
    f.doc->setScrollingMode(CCoursDoc::kSlowForward);
    f.doc->ShowPage();
    std::vector<int> pagesDuringWait;
    f.clock.duringWait = [&] {
        pagesDuringWait.push_back(f.c.page());
        f.view->onTimer();
    };
    f.timer.starts.clear();
    EXPECT_TRUE(f.view->playOnArrival());
    EXPECT_EQ(pagesDuringWait, (std::vector<int>{1}));
    EXPECT_EQ(f.c.page(), 1);
    EXPECT_EQ(f.timer.starts, (std::vector<int>{3000}));
    f.view->onTimer();
    EXPECT_EQ(f.c.page(), 2);
    EXPECT_EQ(f.timer.interval, 0); // one tick a page: the next page arms it again
    EXPECT_EQ(f.log.events, (std::vector<std::string>{p1, "wait:2"}));
}

TEST(CoursView, TogglesAndZoomCommands) {
    ViewFixture f;
    f.c.addSimpleLesson("L0", 1);
    f.make();
    CCoursView& v = *f.view;
    v.initialUpdate({1024, 768, 320, 240}); // 32 px/cm
    // The surface covers the page as measured, and its margin: (1500 + 20) * 32 / 50 across.
    v.setPageExtent({1500, 1200});
    EXPECT_EQ(f.window.scrollWidth, 973);
    EXPECT_EQ(f.window.scrollHeight, 781);

    EXPECT_TRUE(v.commandState(3013)->checked);
    v.onCommand(3013);
    EXPECT_EQ(f.c.store.readInt("Course", "Phonetic", -1), 0);
    EXPECT_FALSE(v.commandState(3013)->checked);
    v.onCommand(3013);
    EXPECT_EQ(f.c.store.readInt("Course", "Phonetic", -1), 1);
    v.onCommand(3015);
    EXPECT_EQ(f.c.store.readInt("Course", "Show Translate", -1), 0);
    EXPECT_FALSE(v.commandState(3015)->checked);
    EXPECT_EQ(f.window.invalidations, 3);

    EXPECT_TRUE(v.onCommand(4001));
    EXPECT_EQ(f.c.store.readInt("Course", "Zoom", 0), 50);
    EXPECT_EQ(f.window.scrollWidth, 487);
    EXPECT_TRUE(v.commandState(4001)->checked);
    EXPECT_EQ(f.window.invalidations, 4);
    EXPECT_TRUE(v.onCommand(4008));
    EXPECT_EQ(f.window.invalidations, 4);
    EXPECT_FALSE(v.onCommand(6060)); // the document's command
}

// The view and the document tell their listeners when their command states change, also when the
// change comes from outside a command: the scrolling stopping as the window closes, the ideogram
// set chosen elsewhere. Each target declares whether its commands carry a check mark.
TEST(CoursView, StateChangesReachTheListeners) {
    ViewFixture f;
    f.c.addSimpleLesson("L0", 2);
    f.make();
    int docChanges = 0, viewChanges = 0;
    StateSubscription d = f.doc->addStateListener([&] { ++docChanges; });
    StateSubscription v = f.view->addStateListener([&] { ++viewChanges; });

    f.view->onCommand(6080); // starts scrolling: the document's mode changes
    EXPECT_EQ(docChanges, 1);
    docChanges = 0;
    f.view->onClose(); // stops it, without a command
    EXPECT_EQ(f.doc->scrollingMode(), CCoursDoc::kNotScrolling);
    EXPECT_EQ(docChanges, 1);
    f.view->onClose(); // nothing changes any more
    EXPECT_EQ(docChanges, 1);

    f.doc->setIdeogramSet(1);
    EXPECT_EQ(docChanges, 2);
    EXPECT_TRUE(f.doc->commandState(13110)->checked);
    f.view->onCommand(3013);
    f.view->onCommand(4005);
    EXPECT_EQ(viewChanges, 2);

    // A removed listener hears nothing; one that outlives its target is harmless.
    d.reset();
    f.doc->setIdeogramSet(0);
    EXPECT_EQ(docChanges, 2);
    f.view.reset();
    v.reset();

    for (int id : {13100, 13110}) EXPECT_TRUE(f.doc->isCheckable(id)) << id;
    for (int id : {6060, 7014, 7110}) EXPECT_FALSE(f.doc->isCheckable(id)) << id;
    EXPECT_FALSE(f.doc->declares(3013)); // the view's
}

TEST(CoursView, SlowScrollingTurnsThePageItsTimeAfterItWasHeardAndClosingCancelsThePlan) {
    ViewFixture f;
    f.c.addSimpleLesson("L0", 3);
    f.c.media("L0", "MALE/L0p0S1.WAV");
    f.c.media("L0", "MALE/L0p1S1.WAV");
    f.c.store.writeInt("Lesson", "Timer", 3000);
    f.make();
    f.player.hold = true;
    const std::string p0 = "play:" + f.c.local("L0", "MALE/L0p0S1.WAV");
    const std::string p1 = "play:" + f.c.local("L0", "MALE/L0p1S1.WAV");
    f.view->onCommand(6070); // slow forward
    f.doc->ShowPage();
    EXPECT_TRUE(f.view->playOnArrival());
    EXPECT_TRUE(f.doc->isPlaying());
    f.view->onTimer();
    f.view->onTimer(); // ticks while the page is heard do nothing
    EXPECT_EQ(f.c.page(), 0);
    f.timer.starts.clear();
    f.player.finish(); // then the 2-second pause, and the plan has played
    EXPECT_FALSE(f.doc->isPlaying());
    EXPECT_EQ(f.c.page(), 0);
    EXPECT_EQ(f.timer.starts, (std::vector<int>{3000})); // the page's time, from the end of its voices
    f.view->onTimer();
    EXPECT_EQ(f.c.page(), 1);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{p0, "wait:2"}));

    // Closing the window while the next page plays stops it.
    EXPECT_TRUE(f.view->playOnArrival());
    f.view->onTimer();
    f.view->onClose();
    EXPECT_FALSE(f.doc->isPlaying());
    f.player.finish();
    EXPECT_EQ(f.c.page(), 1);
    EXPECT_EQ(f.doc->scrollingMode(), CCoursDoc::kNotScrolling);
    EXPECT_EQ(f.timer.interval, 0);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{p0, "wait:2", p1, "stop"}));
}

// Commands act while a page plays: a move cancels its plan and the new page plays its own; "Stop"
// ends the scrolling and the voices; the toggles leave the voices alone.
TEST(CoursView, CommandsActWhileAPagePlays) {
    ViewFixture f;
    f.c.addSimpleLesson("L0", 3);
    for (const char* v : {"MALE/L0p0S1.WAV", "FEMALE/L0p0S1.WAV", "MALE/L0p1S1.WAV"}) f.c.media("L0", v);
    f.make();
    f.player.hold = true;
    const std::string m0 = "play:" + f.c.local("L0", "MALE/L0p0S1.WAV");
    const std::string p1 = "play:" + f.c.local("L0", "MALE/L0p1S1.WAV");
    f.doc->ShowPage();
    ASSERT_TRUE(f.view->playOnArrival());
    EXPECT_TRUE(f.view->commandState(6050)->enabled); // something to stop: the voices
    f.view->onCommand(3013);                           // a toggle: the voice goes on
    f.view->onCommand(4005);
    EXPECT_TRUE(f.player.playing());
    EXPECT_TRUE(f.doc->onCommand(6060)); // next page at once
    EXPECT_EQ(f.c.page(), 1);
    EXPECT_FALSE(f.player.playing());
    EXPECT_TRUE(f.view->playOnArrival()); // the new page plays its own
    EXPECT_EQ(f.log.events, (std::vector<std::string>{m0, "stop", p1}));

    // "Stop" ends the voices when nothing scrolls, and then has nothing left to stop.
    EXPECT_TRUE(f.view->onCommand(6050));
    EXPECT_FALSE(f.doc->isPlaying());
    EXPECT_FALSE(f.view->commandState(6050)->enabled);

    // While slow scrolling: its button is the pressed one, the status says how to end it, and Stop
    // ends the scrolling and the page's voices together.
    f.view->onCommand(6070);
    EXPECT_TRUE(f.view->commandState(6070)->checked);
    EXPECT_FALSE(f.view->commandState(6080)->checked);
    EXPECT_NE(f.window.status.find("Slow forward"), std::string::npos);
    EXPECT_NE(f.window.status.find("Esc"), std::string::npos);
    f.doc->PlayAllPhrases();
    EXPECT_TRUE(f.player.playing());
    EXPECT_TRUE(f.view->onCommand(6050));
    EXPECT_EQ(f.doc->scrollingMode(), CCoursDoc::kNotScrolling);
    EXPECT_FALSE(f.player.playing());
    EXPECT_EQ(f.timer.interval, 0);
    EXPECT_EQ(f.window.status, "");
    EXPECT_FALSE(f.view->commandState(6070)->checked);
}

TEST(CoursView, SlowScrollingReadsAPageWithoutVoicesForItsTime) {
    ViewFixture f;
    f.c.addSimpleLesson("L0", 3); // no voice files at all
    f.c.store.writeInt("Lesson", "Timer", 4000);
    f.make();
    f.doc->ShowPage();
    f.view->onCommand(6070);
    EXPECT_EQ(f.timer.interval, 4000);
    f.view->onTimer();
    EXPECT_EQ(f.c.page(), 1);
    EXPECT_EQ(f.timer.interval, 0);
    f.timer.starts.clear();
    EXPECT_TRUE(f.view->playOnArrival()); // nothing to hear: its time starts at once
    EXPECT_EQ(f.timer.starts, (std::vector<int>{4000}));
}

// The scroll surface covers the deepest and the rightmost item the page draws, on every screen and
// for short and full pages; the first 800-unit surface do not on tall screens.
TEST(CoursView, ScrollSurfaceCoversWhatThePageDraws) {
    const ItemMeasure measure = [](const DrawItem& it) -> ItemSize {
        switch (it.kind) {
        case DrawItem::Kind::Picture: return {320, 120};
        case DrawItem::Kind::Icon: return {40, 30};
        case DrawItem::Kind::Flag: return {50, 35};
        case DrawItem::Kind::Text: return {30.0 * static_cast<double>(it.text.size()), double(it.font.height)};
        }
        return {};
    };
    for (int phrases : {2, 4}) {
        for (int H : {480, 700, 768, 1024}) {
            SCOPED_TRACE(::testing::Message() << phrases << " phrases at " << H);
            ViewFixture f;
            f.c.addLesson("L0", "One", {pageWith("a", phrases)});
            f.c.media("L0", "MALE/aS1.WAV");
            f.make();
            f.view->initialUpdate({1280, H, 340, 270});
            const auto items = f.view->layout(H, 96);
            f.view->setPageExtent(pageExtent(items, measure));
            double deepest = 0, rightmost = 0;
            for (const DrawItem& it : items) {
                deepest = std::max(deepest, -it.y + measure(it).height);
                rightmost = std::max(rightmost, it.x + measure(it).width);
            }
            if (H >= 768 && phrases == 4) {
                EXPECT_GT(deepest, CCoursView::kSurfaceHeight);
            }
            const LogicalMapping m = f.view->pictureView().mapping();
            EXPECT_GE(f.window.scrollHeight, m.lengthY(deepest));
            EXPECT_LE(f.window.scrollHeight, m.lengthY(deepest + CCoursView::kSurfaceMargin) + 1);
            EXPECT_GE(f.window.scrollWidth, m.lengthX(rightmost));
            EXPECT_LE(f.window.scrollWidth, m.lengthX(rightmost + CCoursView::kSurfaceMargin) + 1);
        }
    }
}

TEST(CoursView, FitPageScalesTheWholePageIntoTheWindowAndFollowsIt) {
    // The largest zoom at which the units fit: 50 units at 40 px/cm are 40 px at zoom 100.
    struct Case {
        int w, d, availW, availH, zoom;
    };
    for (const Case k : {Case{1000, 500, 800, 800, 100}, Case{1000, 500, 400, 800, 50}, Case{1000, 2000, 800, 800, 50},
                         Case{100, 100, 2000, 2000, 300}, Case{1000, 1000, 10, 10, 10}, Case{1000, 1000, 0, 0, 10}}) {
        EXPECT_EQ(CCoursView::fitZoom(k.w, k.d, {40, 40}, k.availW, k.availH), k.zoom) << k.w << "x" << k.d;
    }

    ViewFixture f;
    f.c.addSimpleLesson("L0", 1);
    f.make(); // no zoom ever chosen: the page fits
    CCoursView& v = *f.view;
    EXPECT_TRUE(v.fitsPage());
    EXPECT_TRUE(v.commandState(4010)->checked);
    v.initialUpdate({1000, 1000, 250, 250}); // 40 px/cm
    v.setPageExtent({1480, 980});
    v.setAvailableSize(1000, 1000, 0); // (1480 + 20) units across take 1200 px at zoom 100
    EXPECT_EQ(v.pictureView().zoom(), 83);
    EXPECT_LE(f.window.scrollWidth, 1000);
    EXPECT_LE(f.window.scrollHeight, 1000);
    EXPECT_FALSE(v.commandState(4004)->checked);
    v.setAvailableSize(2000, 1000, 0); // a wider window: now the depth decides
    EXPECT_EQ(v.pictureView().zoom(), 125);
    EXPECT_LE(f.window.scrollHeight, 1000);
    EXPECT_EQ(f.c.store.readInt("Course", "Zoom", -1), -1); // the steps keep their own entry

    // A step ends the fitting and is kept; Ctrl+wheel moves by steps; Fit comes back with 4010.
    v.onCommand(4004);
    EXPECT_FALSE(v.fitsPage());
    EXPECT_EQ(f.c.store.readInt("Course", "Fit Page", -1), 0);
    v.setAvailableSize(500, 500, 0);
    EXPECT_EQ(v.pictureView().zoom(), 100);
    v.zoomBy(1);
    EXPECT_EQ(f.c.store.readInt("Course", "Zoom", -1), 150);
    v.zoomBy(-1);
    v.zoomBy(-1);
    EXPECT_EQ(v.pictureView().zoom(), 90);
    v.onCommand(4010);
    EXPECT_TRUE(v.fitsPage());
    EXPECT_EQ(v.pictureView().zoom(), 41);
    EXPECT_EQ(f.c.store.readInt("Course", "Fit Page", -1), 1);
    EXPECT_EQ(f.c.store.readInt("Course", "Zoom", -1), 90);

    // A learner who chose a zoom before keeps it.
    ViewFixture g;
    g.c.addSimpleLesson("L0", 1);
    g.c.store.writeInt("Course", "Zoom", 150);
    g.make();
    EXPECT_FALSE(g.view->fitsPage());
}

TEST(CoursView, NewPageStartsAtItsTopAndCopyGivesThePhrasesAsText) {
    ViewFixture f;
    f.c.addLesson("L0", "One", {pageWith("a", 2), pageWith("b", 4)});
    f.c.store.writeInt("Course", "Translate Language", 0);
    f.make();
    f.frame.onUpdateViews = [&] { f.view->onUpdate(); };
    f.doc->ShowPage();
    EXPECT_EQ(f.window.toTop, 1);
    f.view->onUpdate(); // the same page again (a toggle): the place is kept
    EXPECT_EQ(f.window.toTop, 1);
    f.doc->NextPage();
    EXPECT_EQ(f.window.toTop, 2);
    f.doc->PreviousPage();
    EXPECT_TRUE(f.view->onCommand(3002));
    EXPECT_EQ(f.window.copied, "a pinyin 1\ta en 1\na pinyin 2\ta en 2\n");
    EXPECT_TRUE(f.view->onCommand(57634)); // Ctrl+C of the frame's table
}

