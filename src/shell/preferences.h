#pragma once
// The preferences sheet without a window: the Startup and End of lesson choices (written when the
// sheet ends with OK) and the Translation page, whose language, face, size and colour are written at
// once, each into the section of the translation language current at the moment of the write.
#include <string>
#include <vector>

#include "foundation/codecs.h"
#include "foundation/language_table.h"
#include "foundation/settings_store.h"

namespace lumora {

// Radio buttons 13017, 13018, 13019 stand for the choices 0, 1, 2 of both choice pages.
constexpr int kFirstChoiceRadio = 13017;
constexpr int kChoiceCount = 3;

// The size list: "%2d" texts sorted as text, duplicates kept. With a scalable "Arial" the ten
// classic sizes 8..22 come first, then every size 8 to 50.
std::vector<std::string> translationSizeList(bool arialScalable);
// The font list: the installed families, sorted without regard to case, duplicates removed.
std::vector<std::string> translationFontList(std::vector<std::string> families);
// The entry equal to `text` without regard to case; -1 when none is.
int findListEntry(const std::vector<std::string>& list, const std::string& text);
// A stored size text read as a height: "15", " 8"; anything not a height from 1 to 500 gives `def`.
int sizeTextHeight(const std::string& text, int def);

class PreferencesModel {
public:
    PreferencesModel(SettingsStore& store, std::vector<std::string> installedFamilies, bool arialScalable);

    // The two choice pages: the choice shown (as stored; a stored value outside 0..2 checks no
    // button and is written back unchanged on OK unless the learner picks one).
    int startupChoice() const { return startup_; }
    int endOfLessonChoice() const { return endOfLesson_; }
    void setStartupChoice(int choice);
    void setEndOfLessonChoice(int choice);
    // OK: writes "Startup"/"UserChoice" and "EndLesson"/"UserChoice". Cancel is simply not calling it.
    void accept();

    // The Translation page.
    const std::vector<std::string>& fonts() const { return fonts_; }
    const std::vector<std::string>& sizes() const { return sizes_; }
    LanguageId language() const;     // "Course"/"Translate Language"
    std::string languageSection() const;
    int fontIndex() const { return font_; }     // -1: nothing selected
    int sizeIndex() const { return size_; }
    int colourIndex() const;                    // the stored palette index; -1 outside 0..15
    // Each selection writes at once; an index outside its list is ignored.
    void selectLanguage(LanguageId id);
    void selectFont(int index);
    void selectSize(int index);
    void selectColour(int index);

    // What the sample area draws: the stored face and size of the current language ("Arial", 15
    // when none), its colour and its sample word (bytes in `encoding`).
    struct Sample {
        std::string face;
        int height = 0;
        ColourRef colour = 0;
        std::string word;
        FontEncoding encoding = FontEncoding::Windows1252;
    };
    Sample sample() const;

private:
    void reselectFaceAndSize();

    SettingsStore& store_;
    std::vector<std::string> fonts_;
    std::vector<std::string> sizes_;
    int startup_ = 0;
    int endOfLesson_ = 0;
    int font_ = -1;
    int size_ = -1;
};

} // namespace lumora
