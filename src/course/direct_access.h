#pragma once
// The direct-access dialog (command 6095, "Direct access to page ..."): choose a lesson of the
// current catalogue, a page of it and a dialog language; hear phrase 1 of a page by a voice choice.
// This model is the whole behaviour; the Qt dialog only shows it and forwards the learner's choices.
//
// Controls of the dialog, by id: 1160 lessons drop-down, 1140 pages list (tab stops 1000, 1100),
// 28680 language flags list (21 entries in language-id order), 1150 language name, 18750 flag of
// the dialog language, 9600..9603 voice radio buttons ("Male and Female voice", "Male voice",
// "Female voice", "Voice off"), 1 OK, 2 Cancel. Layout 28703 on screens at most 640 pixels wide,
// 28704 (wider lists) otherwise; both titled "Direct access to page ...".
//
// Settings: "Lesson"/"Direct" (language being browsed, written at each language choice),
// "Direct"/"Langue" (dialog language, default the value of "Lesson"/"Direct"), "Direct"/"SoundType"
// (voice choice 0 both, 1 male, 2 female, 3 off), the current position ("Course" or "Write" /
// "Lesson", "Page" by the stories flag).
//
// Life: construct when the dialog opens (remembers "Lesson"/"Direct"); the dialog shows the lists
// and forwards choices; when it ends, the document (not the dialog) calls accept() or cancel().
#include <string>
#include <vector>

#include "foundation/codecs.h"
#include "foundation/file_access.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/playback.h"
#include "foundation/settings_store.h"

namespace lumora {

// A font for content bytes: face, height in the dialog's units, and how to decode the bytes.
struct TextFont {
    std::string face;
    int height = 0;
    FontEncoding encoding = FontEncoding::Windows1252;
};

class DirectAccessModel {
public:
    static constexpr int kSmallLayout = 28703;
    static constexpr int kLargeLayout = 28704;
    static constexpr int kFirstVoiceButton = 9600;

    // Pages are heard through `playback` (the document's runner).
    DirectAccessModel(SettingsStore& store, const LessonCatalogue& catalogue, PlaybackRunner& playback);

    // 28703 when the screen is at most 640 pixels wide, else 28704.
    static int layoutFor(int screenWidth);

    // Lessons of the current catalogue by title (English column), decoded for display (UTF-8).
    std::vector<std::string> lessonItems() const;
    int lesson() const { return lesson_; }
    // Page list entries as stored bytes: " " + translation of phrase 1 in the dialog language + " ".
    const std::vector<std::string>& pageItems() const { return pages_; }
    // The same entries decoded with pageFont().encoding (UTF-8), for display.
    std::vector<std::string> pageItemTexts() const;
    // The page list's font: the dialog language's "FontTranslate"/"SizeTranslate" in its settings
    // section, defaulting to the language's display font (normal weight, variable pitch).
    const TextFont& pageFont() const { return font_; }
    int page() const { return page_; }

    int language() const { return language_; }
    std::string languageName() const; // UTF-8 name of the dialog language
    std::string languageFlag() const; // flag picture name of the dialog language
    int voice() const { return voice_; } // 0..3; the radio button is 9600 + voice()

    // The learner's choices:
    // another lesson: the page list is refilled and its first page selected (nothing plays);
    void chooseLesson(int index);
    // a page: selects it and starts the plan of phrase 1 of that page by the voice choice (both:
    // male, 2-second pause, female, or the one that exists; male only; female only; off: nothing),
    // which cancels the plan of the page chosen before;
    void choosePage(int index);
    // a language (0..20): becomes the dialog language, "Lesson"/"Direct" := id at once, the page
    // font is recreated and the list refilled (the selected page stays);
    void chooseLanguage(int languageId);
    // a voice radio button, 0..3.
    void chooseVoice(int voice);

    // OK: stores the chosen lesson and page as the current position (and "Course"/"CurrentDir"),
    // "Direct"/"Langue" := dialog language, "Direct"/"SoundType" := voice. The document then shows
    // the page.
    void accept();
    // Cancel: "Lesson"/"Direct" goes back to its value when the dialog opened; nothing else changes.
    void cancel();

private:
    void refillPages();
    SettingsStore& store_;
    const LessonCatalogue& catalogue_;
    PlaybackRunner& playback_;
    int rememberedDirect_ = 0;
    int lesson_ = 0;
    int page_ = 0;
    int language_ = 0;
    int voice_ = 0;
    std::vector<std::string> pages_;
    TextFont font_;
};

} // namespace lumora
