#include <gtest/gtest.h>

#include "course/multimedia_ctrl.h"

#include "course_fixture.h"

using namespace lumora;
using namespace lumora::test;

namespace {
struct CtrlFixture {
    CourseContent c;
    FakeMediaSurface surface;
    CMultimediaCtrl ctrl{c.store, c.files, surface};
    CtrlFixture() {
        c.media("L0", "AVI/V1.AVI");
        c.media("L0", "V2.AVI");
        c.media("L0", "P1.WMF");
    }
    std::string v1() const { return c.local("L0", "AVI/V1.AVI"); }
    std::string v2() const { return c.local("L0", "V2.AVI"); }
    std::string wmf() const { return c.local("L0", "P1.WMF"); }
};
using Calls = std::vector<std::string>;
} // namespace

TEST(MultimediaCtrl, CreateGeometryAndCloseBox) {
    const MediaGeometry g = CMultimediaCtrl::createGeometry(1024, 17);
    EXPECT_EQ(g.x, 682);
    EXPECT_EQ(g.y, 100);
    EXPECT_EQ(g.width, 345);
    EXPECT_EQ(g.height, 320);
    CtrlFixture f;
    EXPECT_FALSE(f.ctrl.onCloseRequest());
}

// The frame keeps its media window inside the area beside the page, at its top right, small, and
// never off the screen.
TEST(MultimediaCtrl, MediaWindowStaysInsideTheAreaAndOnTheScreen) {
    const MediaGeometry small{0, 0, 1024, 768}, large{0, 0, 1920, 1080};
    struct Case {
        MediaGeometry area, screen, placed;
    };
    for (const Case& c : {
             Case{{0, 100, 1920, 900}, large, {1920 - 8 - 345, 108, 345, 320}}, // room enough: the designed size
             Case{{10, 120, 990, 600}, small, {1000 - 8 - 330, 128, 330, 306}}, // a third of the width at most
             Case{{900, 700, 600, 400}, small, {1024 - 200, 768 - 185, 200, 185}}, // pushed back onto the screen
             Case{{0, 0, 0, 0}, small, {0, 8, 345, 320}},                          // no area: the screen decides
         }) {
        EXPECT_EQ(placeMediaWindow(c.area, 345, 320, c.screen, 8), c.placed)
            << c.area.x << "," << c.area.y << " " << c.area.width << "x" << c.area.height;
    }
}

TEST(MultimediaCtrl, CourseVideoOpensOnceAndRestartsOnEachPaint) {
    CtrlFixture f;
    f.c.store.writeString("Multimedia", "AviCourseFile", "D:\\L0\\AVI\\V1.AVI");
    f.ctrl.OpenCourseVideo();
    f.ctrl.Paint();
    f.ctrl.Paint();
    EXPECT_EQ(f.surface.calls, (Calls{"open:" + f.v1(), "repaint", "grey", "play", "grey", "play"}));

    // Another video replaces it: never two child windows.
    f.surface.calls.clear();
    f.c.store.writeString("Multimedia", "AviCourseFile", "D:\\L0\\V2.AVI");
    f.ctrl.OpenCourseVideo();
    EXPECT_EQ(f.surface.calls, (Calls{"close", "open:" + f.v2(), "repaint"}));

    // A missing file opens nothing; the paint falls back to the course metafile.
    f.surface.calls.clear();
    f.surface.video.clear();
    f.c.store.writeString("Multimedia", "AviCourseFile", "D:\\L0\\NONE.AVI");
    f.c.store.writeString("Multimedia", "WmfCourseFile", "D:\\L0\\P1.WMF");
    f.ctrl.OpenCourseVideo();
    f.ctrl.Paint();
    EXPECT_EQ(f.surface.calls, (Calls{"repaint", "grey", "wmf:" + f.wmf()}));
}

TEST(MultimediaCtrl, CloseOldCourseVideoOnlyForAnExistingFile) {
    CtrlFixture f;
    f.surface.video = f.v1();
    f.c.store.writeString("Multimedia", "OldAviFile", "D:\\L0\\NONE.AVI");
    f.ctrl.CloseOldCourseVideo();
    EXPECT_TRUE(f.surface.calls.empty());
    EXPECT_EQ(f.c.store.readString("Multimedia", "OldAviFile", ""), "D:\\L0\\NONE.AVI");
    f.c.store.writeString("Multimedia", "OldAviFile", "D:\\L0\\AVI\\V1.AVI");
    f.ctrl.CloseOldCourseVideo();
    EXPECT_EQ(f.surface.calls, (Calls{"close"}));
    EXPECT_EQ(f.c.store.readString("Multimedia", "OldAviFile", "?"), "");
}

TEST(MultimediaCtrl, PaintRuleByViewAndKind) {
    struct Case {
        const char* name;
        int view;
        const char* section;
        const char* file;
        int kind;
        Calls want; // "V" stands for the video, "W" for the metafile
    };
    const Case cases[] = {
        {"exercise metafile closes the video", 2, "Exercise", "D:\\L0\\P1.WMF", 1, {"grey", "close", "W"}},
        {"exercise video plays", 2, "Exercise", "D:\\L0\\V2.AVI", 2, {"grey", "play"}},
        {"exercise file missing: grey only", 2, "Exercise", "D:\\L0\\NO.WMF", 1, {"grey"}},
        {"dictionary video plays", 1, "Dictionary", "D:\\L0\\V2.AVI", 0, {"grey", "play"}},
        {"dictionary other kind: metafile", 1, "Dictionary", "D:\\L0\\P1.WMF", 3, {"grey", "close", "W"}},
        {"unknown view: grey only", 5, "Exercise", "D:\\L0\\P1.WMF", 1, {"grey"}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        CtrlFixture f;
        f.surface.video = f.v2();
        f.c.store.writeInt("Multimedia", "View", k.view);
        f.c.store.writeString(k.section, "MMName", k.file);
        f.c.store.writeInt(k.section, "ViewType", k.kind);
        f.ctrl.Paint();
        Calls want;
        for (const std::string& w : k.want) want.push_back(w == "W" ? "wmf:" + f.wmf() : w);
        EXPECT_EQ(f.surface.calls, want);
    }
}

TEST(MultimediaCtrl, DestroyingTheControlClosesItsVideo) {
    CtrlFixture f;
    f.surface.video = f.v1();
    f.ctrl.onDestroy();
    EXPECT_FALSE(f.surface.hasVideo());
}

TEST(MultimediaCtrl, CoursePageWithVideoOnlyOnPhraseTwoPlaysIt) {
    CourseContent c;
    std::vector<PhraseData> ph = phrasesOf("a");
    ph[1].media = "V2";
    c.addLesson("L0", "One", {ph});
    c.media("L0", "V2.AVI");
    EventLog log;
    LoggingPlayer player(log);
    LoggingClock clock(log);
    FakePrompts prompts;
    FakeMediaSurface surface;
    CMultimediaCtrl ctrl(c.store, c.files, surface);
    FakeCourseFrame frame;
    frame.ctrl = &ctrl;
    CCoursDoc doc(c.store, c.catalogue, player, clock, prompts);
    doc.setFrame(&frame);
    doc.ShowPage();
    ctrl.Paint();
    EXPECT_EQ(surface.video, c.local("L0", "V2.AVI"));
    EXPECT_EQ(surface.calls.back(), "play");
    EXPECT_TRUE(surface.visible);
}
