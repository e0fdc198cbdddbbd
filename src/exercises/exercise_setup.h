#pragma once
// The set-up forms of the picture and translation exercises: the language rules of their lists and
// the apply step that rebuilds the pool and restarts the question form.
#include <optional>
#include <string>
#include <vector>

#include "exercises/ex_transl_doc.h"
#include "exercises/exercise_session.h"
#include "foundation/content_locator.h"
#include "foundation/platform.h"

namespace lumora {

enum class LanguageChoice {
    Accepted,  // the language is taken and stored; a real-time exercise applies at once
    ForWindow, // taken for this window only (nothing stored, no rebuild)
    Refused,   // nothing changes; the list goes back to the current language
};

// Picture exercise, the language list: From = row; for rows up to 17 the To language follows
// (0 for French 5-8, else 5); "ExPicture"/"From" and "To" are written.
LanguageChoice pictureLanguageChosen(CExTranslDoc& doc, SettingsStore& store, LanguageId row);

// Translation exercise, the From list: the same language as To asks (14330), a pair without a
// dictionary asks (14340); OK takes the row for this window only.
LanguageChoice translationFromChosen(CExTranslDoc& doc, SettingsStore& store, const ContentLocator& locator,
                                     Prompts& prompts, std::optional<LanguageId> row);
// The To list: the same language as From, or a pair without a dictionary, is refused quietly.
LanguageChoice translationToChosen(CExTranslDoc& doc, SettingsStore& store, const ContentLocator& locator,
                                   std::optional<LanguageId> row);

// What choosing `row` in a language list would ask for, before it is chosen: the pair it gives
// (the picture list's To follows the From row as above; the translation lists keep the other side)
// and whether the course has that pair's dictionary (never for the same language on both sides).
// The lists mark the rows that would build nothing; they stay selectable.
struct LanguageRowPair {
    LanguageId from = 0, to = 0;
    bool available = false;
};
LanguageRowPair languageRowPair(const CExTranslDoc& doc, const ContentLocator& locator, ExerciseKind kind,
                                bool fromList, LanguageId row);

// The window title: the exercise's name, and for the translation exercise " : From - To".
std::string exerciseWindowTitle(const CExTranslDoc& doc, ExerciseKind kind);

// The apply step: builds the pool from the "Selected" items; with nothing built the answers are
// hidden and 28692 is shown, else the question form reloads. Returns the number of questions.
std::size_t applyChoice(CExTranslDoc& doc, ExerciseKind kind, ExerciseServices services, ExerciseSession& session,
                        const std::vector<std::string>& selected);

// A "Selected" item for catalogue entry `index`: its title, a tab, the index and a line feed.
std::string selectionItem(const std::string& title, int index);

} // namespace lumora
