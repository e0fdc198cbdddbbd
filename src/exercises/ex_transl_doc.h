#pragma once
// The document behind every exercise window: the exercise's language pair, its "Real time job"
// flag and the ideogram set, carried between the settings and the views. The job code
// ("Startup"/"Remember") that opens it says which exercise it serves.
#include <functional>
#include <optional>

#include "exercises/exercise_kind.h"
#include "foundation/command_target.h"
#include "foundation/language_table.h"
#include "foundation/settings_store.h"

namespace lumora {

class CExTranslDoc : public CommandTarget {
public:
    // `created` tells a new document from an opened one (some defaults differ).
    CExTranslDoc(SettingsStore& store, bool created);

    std::optional<ExerciseKind> kind() const { return kind_; }
    int ideogramStyle() const { return ideogramStyle_; } // 0 simplified, 1 traditional
    int realTime() const { return realTime_; }
    LanguageId fromLanguage() const { return from_; }
    LanguageId toLanguage() const { return to_; }
    void setFromLanguage(LanguageId id) { from_ = id; }
    void setToLanguage(LanguageId id) { to_ = id; }
    // Toggles "Real time job"; the picture exercise stores it at once.
    void toggleRealTime();

    // Writes the languages (and, for the translation exercise, "Refresh") back to the kind's section,
    // as the question form does when it closes.
    void writeBack();

    // Run after 13100/13110 changed the ideogram set (the window redraws its ideogram view).
    std::function<void()> onIdeogramStyleChanged;

private:
    void setIdeogramStyle(int style);
    SettingsStore& store_;
    std::optional<ExerciseKind> kind_;
    int ideogramStyle_ = 0;
    int realTime_ = 0;
    LanguageId from_ = 0;
    LanguageId to_ = 0;
};

} // namespace lumora
