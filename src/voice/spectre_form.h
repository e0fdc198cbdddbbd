#pragma once
// The voice studio's form: the lesson drop-down, the phrase list built from the lesson's pages,
// and what choosing a phrase sets up (the ideogram picture, the heading, the three voices). Every
// change of lesson or phrase first saves what the learner recorded for the previous phrase.
//
// The lesson and page come from section "Write" when "Write"/"Write" is exactly "YES", from
// "Course" otherwise; a page that is not below the lesson's page count is page 0.
#include <string>
#include <vector>

#include "foundation/lesson_catalogue.h"
#include "foundation/settings_store.h"
#include "voice/voice_studio.h"

namespace lumora {

// A phrase of the list: the item text is " " + phonetic + " \t" + stem + "\t" + stem + "\t".
struct PhraseItem {
    std::string text; // field 1: the phrase text with its blanks
    std::string stem; // fields 2 and 3: the sound and the picture stem
    int page = 0;
    std::string item() const { return text + "\t" + stem + "\t" + stem + "\t"; }
};

class StudioFormFrame {
public:
    virtual ~StudioFormFrame() = default;
    virtual void setChildCaption(const std::string& caption) = 0; // bytes of the catalogue title
    virtual void pictureChanged() = 0;                            // the ideogram panes redraw
    virtual void listsChanged() = 0;                              // the drop-down and the phrase list
};

class SpectreForm {
public:
    static constexpr int kTabStops[3] = {500, 1000, 1500};

    // The form's layout for a screen height: 15010 at 480 pixels, 15012 above 600, 15011 otherwise.
    static int layoutFor(int screenHeight) { return screenHeight == 480 ? 15010 : screenHeight > 600 ? 15012 : 15011; }
    // The width of the graph's pane in the studio window, and the height of the form's pane for a
    // proposed pane height `cy`.
    static int graphPaneWidth(int screenHeight) { return screenHeight <= 600 ? 200 : 300; }
    static int formPaneHeight(int screenHeight, int cy) {
        return screenHeight > 600 ? cy + 60 : (cy - 40 < 20 ? 20 : cy - 40);
    }

    SpectreForm(SettingsStore& store, const LessonCatalogue& catalogue, VoiceStudio& studio);
    void setFrame(StudioFormFrame* frame) { frame_ = frame; }

    // Draw := 0; lesson and page read; lists filled; Draw := 1 (the media windows are the caller's).
    void initialUpdate();
    // Reads the lesson and page again and sets the child caption to the lesson's title.
    void loadStudioLesson();
    // The lesson chosen in the drop-down: saves the learner's voice, fills the phrase list again,
    // sets the caption (not written to the settings).
    void chooseLesson(int lesson);
    // A phrase chosen in the list: saves the learner's voice, then prepares the phrase.
    void choosePhrase(int index);
    // Sets up the selected phrase (nothing when none is selected).
    void preparePhrase();
    // The save button.
    SaveOutcome save() { return studio_.saveLearnerVoice(); }

    int lesson() const { return lesson_; }
    int page() const { return page_; }
    const std::vector<std::string>& lessonTitles() const { return lessons_; }
    const std::vector<PhraseItem>& phrases() const { return phrases_; }
    int selected() const { return selected_; } // -1 for none

private:
    void readPosition();
    void fillPhrases();
    SettingsStore& store_;
    const LessonCatalogue& catalogue_;
    VoiceStudio& studio_;
    StudioFormFrame* frame_ = nullptr;
    int lesson_ = 0;
    int page_ = 0;
    std::vector<std::string> lessons_;
    std::vector<PhraseItem> phrases_;
    int selected_ = -1;
};

} // namespace lumora
