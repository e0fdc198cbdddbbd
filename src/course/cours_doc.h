#pragma once
// The lesson document shared by the course, keyboard learning and the voice studio. It keeps no
// lesson text: the position (current lesson and page) lives in the settings store ("Course" or,
// while the stories catalogue is current, "Write" / "Lesson", "Page") and every display reads the
// lesson data file again. It owns navigation, phrase playback, the ideogram set, the scrolling mode
// that the course view drives, the picture the views draw ideograms with, and the direct-access
// dialog's model.
//
// Commands (course/course_commands.h), declared in its command table:
//   6010 previous story (first page; its last page while scrolling)   6090 next story (wraps to 0)
//   6040 previous page (from page 0: last page of the previous lesson)
//   6060 next page (on the last page: the end-of-lesson rule)          6095 direct access
//   7010..7013 listen phrase 1..4     7014 listen all phrases
//   7100 preferences, then every view redrawn                          7110 the lesson's help topic
//   13100 simplified ideograms (checked when the set is 0)   13110 traditional (checked when 1)
//
// Settings: "Course"/"Ideogram" (0, read at construction), "Course"/"CurrentDir" (written),
// "Multimedia"/"View" (:= 0 at construction), "Multimedia"/"AviCourseFile" and "OldAviFile",
// "EndLesson"/"UserChoice" (default 1 here: 0 next story, 1 verify, 2 ask, other nothing), and
// those of the direct-access dialog (direct_access.h).
#include <memory>
#include <optional>
#include <string>

#include "foundation/lesson_catalogue.h"
#include "foundation/platform.h"
#include "foundation/playback.h"
#include "foundation/settings_store.h"
#include "foundation/command_target.h"

namespace lumora {

class CDIB;
class CMultimediaCtrl;
class DirectAccessModel;

// What the document needs from the windows of its activity (the active child frame, the main frame
// and the views). Texts are UTF-8.
class CourseFrame {
public:
    virtual ~CourseFrame() = default;
    virtual void setChildCaption(const std::string& caption) = 0; // the active child frame's caption
    virtual void setMainCaption(const std::string& caption) = 0;  // the main frame's caption
    virtual void clearStatusMessage() = 0;                        // first pane of the status bar
    virtual void updateAllViews() = 0;                            // every view of the document redraws
    // The first course view repaints its whole area with the background erased (ideogram set change).
    virtual void repaintCourseView() = 0;
    virtual void setBusyCursor(bool on) = 0;
    // Runs a main-frame activity command (1460 "Verify your learning"). Opening an activity closes
    // the course window and this document with it: the frame must do it after the current command
    // has returned (queued), and the document touches nothing of itself after this call.
    virtual void openActivity(int commandId) = 0;
    // Opens the help file on a context number.
    virtual void showHelpContext(int context) = 0;
    // Runs the preferences sheet modally (its OK writes its own settings).
    virtual void runPreferences() = 0;
    // Runs the direct-access dialog modally over the model; true when it ended with OK. The dialog
    // forwards choices to the model but never calls accept()/cancel(): the document does.
    virtual bool runDirectAccess(DirectAccessModel& model) = 0;
    // The media control of the active child frame; nullptr when the frame has none.
    virtual CMultimediaCtrl* mediaControl() = 0;
};

class CCoursDoc : public CommandTarget {
public:
    enum ScrollMode { kNotScrolling = 0, kFastReversed = 1, kFastForward = 2, kSlowReversed = 10, kSlowForward = 20 };

    // Loads the ideogram set, scrolling mode 0, voices not played; stores "Multimedia"/"View" := 0.
    CCoursDoc(SettingsStore& store, const LessonCatalogue& catalogue, SoundPlayer& player, Clock& clock,
              Prompts& prompts);
    ~CCoursDoc() override;
    CCoursDoc(const CCoursDoc&) = delete;
    CCoursDoc& operator=(const CCoursDoc&) = delete;

    // The windows, set once they exist (nullptr: nothing is shown, the rules still run).
    void setFrame(CourseFrame* frame) { frame_ = frame; }

    // Opens the current lesson; the file name is ignored ("zup.txt", the title ...). Stores
    // "CurrentDir", creates a 320 x 240 picture and succeeds only when the lesson data file exists.
    // A failed open shows nothing.
    bool open(const std::string& fileName = std::string());

    // The page display: the running plan is cancelled, caption "Page %2d / %2d" (page + 1, page count; a stored page beyond the last
    // shows the last one), voices-played := false, all views redrawn, status pane cleared, main caption
    // = the lesson title (English column, decoded), and the video of phrase 1 (else phrase 2) handed
    // to the media control unless fast scrolling.
    void ShowPage();

    // The phrase (1 or 2) whose video the last page display handed to the media control; 0 none.
    int videoPhrase() const { return videoPhrase_; }

    // Starts the plan of phrase 1..4 of the current page: male, 2-second pause, female; only one
    // voice: no pause. Returns whether the plan plays a voice file; with none, nothing starts (a
    // running plan goes on).
    bool PlayPhrase(int phrase);
    // Starts one plan of phrases 1 to 4, each followed by a 2-second pause when it has a voice.
    // Returns whether it plays a voice file; with none, nothing starts.
    bool PlayAllPhrases();
    // The plans of one phrase and of the whole page, without starting them.
    PlaybackPlan phrasePlan(int phrase);
    PlaybackPlan allPhrasesPlan();
    // Cancels the running plan (closing the window).
    void StopPlayback() { playback_.cancel(); }
    // The runner of the document's plans (the views and the window listen to it; the direct-access
    // dialog plays through it).
    PlaybackRunner& playback() { return playback_; }
    // Reads a bitmap (content name) into a new picture; on success it replaces the document's picture
    // and returns true; otherwise the old picture stays.
    bool LoadPicture(const std::string& contentName);
    const CDIB* picture() const { return picture_.get(); }

    // The help context of command 7110: (lesson * 4 + 404) * 25 for lessons, (lesson * 4 + 800) * 25
    // for stories.
    int lessonHelpContext() const;

    int ideogramSet() const { return ideogramSet_; }
    void setIdeogramSet(int set); // stores "Course"/"Ideogram", repaints the course view
    int scrollingMode() const { return scrollMode_; }
    void setScrollingMode(int mode);
    bool voicesPlayed() const { return voicesPlayed_; }
    void setVoicesPlayed(bool played) { voicesPlayed_ = played; }
    // True while a plan of the document plays (slow scrolling waits for its end).
    bool isPlaying() const { return playback_.running(); }

    // Current position as stored (the section follows the stories flag).
    int currentLesson() const;
    int currentPage() const;

    // The navigation commands, also run by the course view's scrolling.
    void PreviousPage();
    void NextPage();
    void PreviousStory();
    void NextStory();
    void DirectAccess();

    const LessonCatalogue& catalogue() const { return catalogue_; }
    SettingsStore& store() const { return store_; }

private:
    void declareCommands();
    void storeLesson(int lesson);
    void storePage(int page);
    void storeCurrentDir(int lesson);
    void goToPreviousLesson(bool firstPage);
    void showPageBusy();
    std::string decodedTitle(int lesson) const;

    SettingsStore& store_;
    const LessonCatalogue& catalogue_;
    Prompts& prompts_;
    CourseFrame* frame_ = nullptr;
    std::unique_ptr<CDIB> picture_;
    int ideogramSet_ = 0;
    int scrollMode_ = kNotScrolling;
    bool voicesPlayed_ = false;
    int videoPhrase_ = 0;
    PlaybackRunner playback_; // last: its plans stop before anything else of the document goes
};

} // namespace lumora
