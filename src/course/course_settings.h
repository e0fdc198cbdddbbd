#pragma once
// The settings of the course, keyboard learning and the voice studio, each entry's section, name,
// kind and default written once (foundation/setting.h). The place reached in a lesson lives in the
// position section of the current catalogue (foundation/app_settings.h).
#include <limits>
#include <string>

#include "foundation/app_settings.h"
#include "foundation/setting.h"
#include "foundation/settings_store.h"

namespace lumora {

class CourseSettings {
public:
    static constexpr IntSetting kIdeogramSet = AppSettings::kIdeogramSet; // 0 simplified, 1 traditional
    static constexpr IntSetting kShowPhonetic{"Course", "Phonetic", 1};
    static constexpr IntSetting kShowTranslation{"Course", "Show Translate", 1};
    // Keyboard learning: 1 hides the model lines (dictation); 1 shows the guide lines.
    static constexpr IntSetting kDictation{"Course", "Dictee", 1};
    static constexpr IntSetting kGuide{"Course", "Guide", 0};
    static constexpr IntSetting kZoom{"Course", "Zoom", 100};
    // 1: the course page is shown at the scale that fits it whole into the window (the zoom steps
    // keep their own entry). With nothing stored, the page fits unless the learner has chosen a zoom.
    static constexpr IntSetting kFitPage{"Course", "Fit Page", 1};
    static constexpr IntSetting kSlowScrollMs{"Lesson", "Timer", 5000};
    // At the end of a lesson: 0 next lesson, 1 verify your learning, 2 ask, anything else nothing.
    static constexpr IntSetting kEndOfLesson{"EndLesson", "UserChoice", 1};
    // The page display keeps the first phrase's picture name and, as a trace nothing reads, the
    // screen height it laid the page out for.
    static constexpr StringSetting kFirstPicture{"Course", "ChFilename", ""};
    static constexpr IntSetting kTraceHeight{"Debug", "Hauteur", 0};
    // The direct-access dialog: the language of its page list, the voices it plays, and the language
    // remembered while it is open.
    static constexpr IntSetting kDirectLanguage{"Direct", "Langue", 0};
    static constexpr IntSetting kDirectVoice{"Direct", "SoundType", 0};
    static constexpr IntSetting kDirectRemembered{"Lesson", "Direct", 0};
    // In a language's own section: the face and size of its translation font (stored as text; the
    // default is the language's own font).
    static constexpr StringEntry kTranslationFace{"FontTranslate", "Arial"};
    static constexpr StringEntry kTranslationSize{"SizeTranslate", "35"};

    explicit CourseSettings(SettingsStore& store) : store_(store) {}

    int ideogramSet() const { return kIdeogramSet.read(store_); }
    void setIdeogramSet(int set) { kIdeogramSet.write(store_, set); }
    bool showPhonetic() const { return kShowPhonetic.read(store_) == 1; }
    int togglePhonetic() { return kShowPhonetic.toggle(store_); }
    bool showTranslation() const { return kShowTranslation.read(store_) == 1; }
    int toggleTranslation() { return kShowTranslation.toggle(store_); }
    bool fitPage() const {
        constexpr int kAbsent = std::numeric_limits<int>::min();
        const int fit = kFitPage.readOr(store_, kAbsent);
        if (fit != kAbsent) return fit == 1;
        return kZoom.readOr(store_, kAbsent) == kAbsent; // a zoom once chosen is kept
    }
    void setFitPage(bool on) { kFitPage.write(store_, on ? 1 : 0); }
    int slowScrollMs() const { return kSlowScrollMs.read(store_); }
    int endOfLesson() const { return kEndOfLesson.read(store_); }

private:
    SettingsStore& store_;
};

} // namespace lumora
