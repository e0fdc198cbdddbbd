#pragma once
// CEditCourseView: the keyboard-learning form without a window. For the current page it holds the
// four model phrases, what the learner typed on each line, the match marks ("n100" the moment the
// typed bytes equal the model exactly, "n0" otherwise), a pinyin hint beside each mark, the guide
// and model lines, and the translation rows. The course document turns the pages and plays them.
//
// Commands: 3015 flips "Course"/"Show Translate" (checked when 1) and rebuilds the rows.
// Settings read: "Course"/"Dictee" (1: the model lines are hidden), "Course"/"Guide" (1: guide lines
// shown), "Course"/"Show Translate", "Course"/"Translate Language", the translation face and size of
// that language's section, and the learner's colour record ("Color"/"User" when "Font"/"User" exists).
#include <array>
#include <functional>
#include <string>

#include "course/cours_doc.h"
#include "foundation/codecs.h"
#include "foundation/command_target.h"
#include "foundation/file_access.h"
#include "foundation/language_table.h"
#include "foundation/lesson_catalogue.h"
#include "foundation/settings_store.h"

namespace lumora {

constexpr std::size_t kTypedLineMax = 199; // characters kept of an edit line

struct EditFont {
    std::string face;
    int height = 0;
    FontEncoding encoding = FontEncoding::Windows1252;
};

struct EditRow {
    std::string model;        // the phrase text (bytes in Windows-1252)
    std::string typed;        // what the learner typed, in the same bytes
    bool lineShown = false;   // the edit line and its mark (the model is not empty)
    bool modelShown = false;  // the model line (dictation off)
    std::string modelLine;    // " " + model
    bool guideShown = false;  // the guide line and its keyboard icon
    bool matches = false;     // mark "n100"; "n0" otherwise
    std::string hint;         // UTF-8, empty when nothing is typed
    bool translationShown = false; // translation text, flag and voice icons
    bool numberShown = true;
    std::string translation;  // bytes in the translation font's encoding
    std::string maleVoice;    // content names of the voice files that exist ("" when missing)
    std::string femaleVoice;
};

class CEditCourseView : public CommandTarget {
public:
    static constexpr ColourRef kDefaultColour = 0x00FF0080; // red 128, green 0, blue 255

    CEditCourseView(SettingsStore& store, const LessonCatalogue& catalogue, const FileAccess& files, CCoursDoc& doc);

    // The page of the document (first display and after every page move): steps of the page load in
    // order (fonts, position with the last-page rule, lines cleared, guide, marks, translation rows,
    // dictation), then the page's phrases are played.
    void onUpdate();
    // The same without playing (3015 and the preferences).
    void loadPage();

    // Runs after a command of the form has rebuilt the page (the window shows it again).
    void setRebuiltListener(std::function<void()> listener) { rebuilt_ = std::move(listener); }

    // An edit line changed: `utf8` is its text; the mark and the hint follow at once.
    void setTyped(int row, const std::string& utf8);

    const EditRow& row(int i) const { return rows_[static_cast<std::size_t>(i)]; }
    static constexpr int kRows = 4;
    const EditFont& modelFont() const { return modelFont_; }       // model and edit lines
    const EditFont& guideFont() const { return guideFont_; }
    const EditFont& translationFont() const { return translationFont_; }
    ColourRef textColour() const { return colour_; }
    LanguageId translationLanguage() const { return language_; } // its flag on the rows
    bool dictation() const { return dictation_; }
    int lesson() const { return lesson_; }
    int page() const { return page_; }

private:
    void declareCommands();
    void evaluate(int row);

    SettingsStore& store_;
    const LessonCatalogue& catalogue_;
    const FileAccess& files_;
    CCoursDoc& doc_;
    std::array<EditRow, kRows> rows_{};
    EditFont modelFont_, guideFont_, translationFont_;
    ColourRef colour_ = kDefaultColour;
    LanguageId language_ = 1;
    bool dictation_ = true;
    int lesson_ = 0;
    int page_ = 0;
    std::function<void()> rebuilt_;
};

} // namespace lumora
