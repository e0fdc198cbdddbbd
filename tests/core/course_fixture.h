#pragma once
// A small content tree for the course tests, written into a temporary folder: catalogues (lessons
// and stories) and lesson data files on the "D:" drive, media files in the lesson directories, and
// recording fakes of the course windows, the sound player, the timer and the media window.
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "course/cours_doc.h"
#include "course/cours_view.h"
#include "course/direct_access.h"
#include "course/multimedia_ctrl.h"
#include "fixtures/content_tree.h"
#include "test_support.h"

namespace lumora::test {

class CourseContent : public ContentTree {
public:
    // Appends a lesson (or a story) to its catalogue and writes its data file on the CD.
    void addLesson(const std::string& stem, const std::string& englishTitle,
                   const std::vector<std::vector<PhraseData>>& pages, bool story = false) {
        Bytes& cat = story ? stories_ : lessons_;
        append(cat, catalogueEntry({.stem = stem, .english = englishTitle, .french = "Fr " + englishTitle}));
        writeData(story ? "WRITE.DAT" : "LISTE.DAT", cat);
        Bytes data;
        for (const auto& pg : pages)
            append(data, pageRecord(pg));
        if (!stem.empty()) writeData(stem + ".DAT", data);
    }
    // A lesson of `pages` four-phrase pages tagged stem + page number ("L1p0", ...).
    void addSimpleLesson(const std::string& stem, int pages, bool story = false) {
        std::vector<std::vector<PhraseData>> all;
        for (int p = 0; p < pages; ++p) all.push_back(phrasesOf(stem + "p" + std::to_string(p)));
        addLesson(stem, "Title " + stem, all, story);
    }
    // A file in a lesson's media directory on the CD, e.g. media("L1", "MALE/S1.WAV").
    void media(const std::string& lessonStem, const std::string& relative, const std::string& content = "x") {
        writeFile(cd.path() / lessonStem / relative, content);
    }
    std::string local(const std::string& lessonStem, const std::string& relative) const {
        return (cd.path() / lessonStem / relative).string();
    }
    void setPosition(int lesson, int page) {
        const std::string s = catalogue.positionSection();
        store.writeInt(s, "Lesson", lesson);
        store.writeInt(s, "Page", page);
    }
    int lesson() const { return store.readInt(catalogue.positionSection(), "Lesson", 0); }
    int page() const { return store.readInt(catalogue.positionSection(), "Page", 0); }

private:
    Bytes lessons_, stories_;
};

// Playback, pauses and other events in one ordered log: "play:<local path>", "async:<local path>",
// "wait:2" (a pause of two seconds on the clock), "stop".
struct EventLog {
    std::vector<std::string> events;
};

// A sound player whose sounds end at once, or, with `hold`, when finish() says so.
class LoggingPlayer : public SoundPlayer {
public:
    explicit LoggingPlayer(EventLog& log) : log_(log) {}
    bool hold = false;
    std::vector<std::string> missing; // files that are not there: nothing plays, the end comes at once
    void play(const std::string& localPath, std::function<void()> ended) override {
        endCurrent(); // the sound playing gives way
        const bool absent = std::find(missing.begin(), missing.end(), localPath) != missing.end();
        if (!absent) log_.events.push_back("play:" + localPath);
        if (hold && !absent)
            ended_ = std::move(ended);
        else if (ended)
            ended();
    }
    void playAsync(const std::string& localPath) override {
        endCurrent();
        log_.events.push_back("async:" + localPath);
    }
    void stop() override {
        log_.events.push_back("stop");
        endCurrent();
    }
    // The held sound has played to its end.
    void finish() { endCurrent(); }
    bool playing() const { return static_cast<bool>(ended_); }

private:
    void endCurrent() {
        auto ended = std::move(ended_);
        ended_ = {};
        if (ended) ended();
    }
    EventLog& log_;
    std::function<void()> ended_;
};

// A clock whose calls come at once (the clock jumps to their second), or, with `hold`, when fire()
// says so.
class LoggingClock : public Clock {
public:
    explicit LoggingClock(EventLog& log) : log_(log) {}
    std::int64_t now = 1000;
    bool hold = false;
    std::function<void()> duringWait; // run inside each pause (e.g. a timer tick falling due)

    std::int64_t nowSeconds() const override { return now; }
    CallId callAtSecond(std::int64_t second, std::function<void()> due) override {
        log_.events.push_back("wait:" + std::to_string(second - now));
        const CallId id = ++last_;
        if (hold) {
            pending_.push_back({id, second, std::move(due)});
            return id;
        }
        now = std::max(now, second);
        if (duringWait) duringWait();
        due();
        return id;
    }
    void cancelCall(CallId id) override {
        std::erase_if(pending_, [id](const Pending& p) { return p.id == id; });
    }
    // The clock reaches `second`: the calls due by then are made, in order.
    void advanceTo(std::int64_t second) {
        now = second;
        while (true) {
            auto it = std::find_if(pending_.begin(), pending_.end(), [&](const Pending& p) { return p.second <= now; });
            if (it == pending_.end()) return;
            auto due = std::move(it->due);
            pending_.erase(it);
            due();
        }
    }
    // A call that comes before its second (a platform timer firing early).
    void fireEarly() {
        if (pending_.empty()) return;
        auto due = std::move(pending_.front().due);
        pending_.erase(pending_.begin());
        due();
    }
    std::size_t pendingCalls() const { return pending_.size(); }

private:
    struct Pending {
        CallId id;
        std::int64_t second;
        std::function<void()> due;
    };
    EventLog& log_;
    std::vector<Pending> pending_;
    CallId last_ = 0;
};

class FakeMediaSurface : public MediaSurface {
public:
    std::vector<std::string> calls;
    std::string video; // the open child media window's file, "" for none
    bool visible = false;
    void openVideo(const std::string& p) override {
        calls.push_back("open:" + p);
        video = p;
    }
    void closeVideo() override {
        calls.push_back("close");
        video.clear();
    }
    bool hasVideo() const override { return !video.empty(); }
    void playFromStart() override { calls.push_back("play"); }
    void repaint() override { calls.push_back("repaint"); }
    void fillGrey() override { calls.push_back("grey"); }
    void drawMetafile(const std::string& p) override { calls.push_back("wmf:" + p); }
    void setVisible(bool v) override {
        calls.push_back(v ? "show" : "hide");
        visible = v;
    }
};

class FakeCourseFrame : public CourseFrame {
public:
    std::string childCaption, mainCaption;
    int statusClears = 0, updates = 0, courseRepaints = 0, preferences = 0;
    std::vector<bool> busy;
    std::vector<int> activities, helpContexts;
    CMultimediaCtrl* ctrl = nullptr;
    std::function<bool(DirectAccessModel&)> directAccess; // the learner's actions in the dialog
    std::function<void()> onUpdateViews;                  // the views the document reaches

    void setChildCaption(const std::string& c) override { childCaption = c; }
    void setMainCaption(const std::string& c) override { mainCaption = c; }
    void clearStatusMessage() override { ++statusClears; }
    void updateAllViews() override {
        ++updates;
        if (onUpdateViews) onUpdateViews();
    }
    void repaintCourseView() override { ++courseRepaints; }
    void setBusyCursor(bool on) override { busy.push_back(on); }
    void openActivity(int id) override { activities.push_back(id); }
    void showHelpContext(int c) override { helpContexts.push_back(c); }
    void runPreferences() override { ++preferences; }
    bool runDirectAccess(DirectAccessModel& m) override { return directAccess ? directAccess(m) : false; }
    CMultimediaCtrl* mediaControl() override { return ctrl; }
};

class FakeTimer : public ViewTimer {
public:
    int interval = 0; // 0 when stopped
    std::vector<int> starts;
    void start(int ms) override {
        interval = ms;
        starts.push_back(ms);
    }
    void stop() override { interval = 0; }
};

class FakeViewWindow : public ViewWindow {
public:
    int invalidations = 0;
    int scrollWidth = 0, scrollHeight = 0;
    int toTop = 0;
    std::string copied, status;
    void invalidate() override { ++invalidations; }
    void scrollToTop() override { ++toTop; }
    void copyText(const std::string& text) override { copied = text; }
    void showScrollStatus(const std::string& text) override { status = text; }
    void setScrollSize(int w, int h) override {
        scrollWidth = w;
        scrollHeight = h;
    }
};

// A course document over a content tree, with recording fakes for its sound, clock, prompts and
// windows; `make()` builds it once the content is written. With a media control, the document's
// frame hands it one over a fake surface.
struct DocFixture {
    CourseContent c;
    EventLog log;
    LoggingPlayer player{log};
    LoggingClock clock{log};
    FakePrompts prompts;
    FakeCourseFrame frame;
    FakeMediaSurface surface;
    std::unique_ptr<CMultimediaCtrl> ctrl;
    std::unique_ptr<CCoursDoc> doc;

    CCoursDoc& make(bool withMediaControl = true) {
        if (withMediaControl) {
            ctrl = std::make_unique<CMultimediaCtrl>(c.store, c.files, surface);
            frame.ctrl = ctrl.get();
        }
        doc = std::make_unique<CCoursDoc>(c.store, c.catalogue, player, clock, prompts);
        doc->setFrame(&frame);
        return *doc;
    }
};

// The same with the course view over a fake timer and window (no media control).
struct ViewFixture : DocFixture {
    FakeTimer timer;
    FakeViewWindow window;
    std::unique_ptr<CCoursView> view;
    void make() {
        DocFixture::make(false);
        view = std::make_unique<CCoursView>(c.store, *doc, timer, window);
    }
};

} // namespace lumora::test
