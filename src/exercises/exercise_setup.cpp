#include "exercises/exercise_setup.h"

#include "exercises/exercise_settings.h"
#include "foundation/language_table.h"
#include "resources/string_table.h"

namespace lumora {

namespace {
using S = ExerciseSettings;
constexpr const char* kPicture = "ExPicture";
constexpr const char* kTranslate = "ExTranslate";

std::string replaceArg(std::string text, const char* arg, const std::string& value) {
    const auto at = text.find(arg);
    if (at != std::string::npos) text.replace(at, 2, value);
    return text;
}
} // namespace

LanguageRowPair languageRowPair(const CExTranslDoc& doc, const ContentLocator& locator, ExerciseKind kind,
                                bool fromList, LanguageId row) {
    LanguageRowPair pair{doc.fromLanguage(), doc.toLanguage(), false};
    if (row < 0 || row >= kLanguageCount) return pair;
    if (kind == ExerciseKind::Picture) {
        pair.from = row;
        if (row <= 17) pair.to = row >= 5 && row <= 8 ? 0 : 5;
    } else if (fromList) {
        pair.from = row;
    } else {
        pair.to = row;
    }
    pair.available = pair.from != pair.to && !dictionaryFile(locator, pair.from, pair.to).empty();
    return pair;
}

LanguageChoice pictureLanguageChosen(CExTranslDoc& doc, SettingsStore& store, LanguageId row) {
    if (row < 0 || row >= kLanguageCount) return LanguageChoice::Refused;
    doc.setFromLanguage(row);
    if (row <= 17) doc.setToLanguage(row >= 5 && row <= 8 ? 0 : 5);
    S::kKindFrom.write(store, kPicture, doc.fromLanguage());
    S::kKindTo.write(store, kPicture, doc.toLanguage());
    return LanguageChoice::Accepted;
}

LanguageChoice translationFromChosen(CExTranslDoc& doc, SettingsStore& store, const ContentLocator& locator,
                                     Prompts& prompts, std::optional<LanguageId> row) {
    const std::string caption = strings::text(28674);
    if (!row || *row < 0 || *row >= kLanguageCount || *row == doc.toLanguage()) {
        const MessageResult r = prompts.messageBox(strings::text(14330), caption, MessageIcon::Stop, MessageButtons::OkCancel);
        if (r == MessageResult::Ok && row && *row >= 0 && *row < kLanguageCount) {
            doc.setFromLanguage(*row);
            return LanguageChoice::ForWindow;
        }
        return LanguageChoice::Refused;
    }
    if (!dictionaryFile(locator, *row, doc.toLanguage()).empty()) {
        doc.setFromLanguage(*row);
        S::kKindFrom.write(store, kTranslate, *row);
        return LanguageChoice::Accepted;
    }
    const std::string text = replaceArg(replaceArg(strings::text(14340), "%1", LanguageTable::languageName(*row)), "%2",
                                        LanguageTable::languageName(doc.toLanguage()));
    if (prompts.messageBox(text, caption, MessageIcon::Stop, MessageButtons::OkCancel) == MessageResult::Ok) {
        doc.setFromLanguage(*row);
        return LanguageChoice::ForWindow;
    }
    return LanguageChoice::Refused;
}

LanguageChoice translationToChosen(CExTranslDoc& doc, SettingsStore& store, const ContentLocator& locator,
                                   std::optional<LanguageId> row) {
    if (!row || *row < 0 || *row >= kLanguageCount || *row == doc.fromLanguage()) return LanguageChoice::Refused;
    if (dictionaryFile(locator, doc.fromLanguage(), *row).empty()) return LanguageChoice::Refused;
    doc.setToLanguage(*row);
    S::kKindTo.write(store, kTranslate, *row);
    return LanguageChoice::Accepted;
}

std::string exerciseWindowTitle(const CExTranslDoc& doc, ExerciseKind kind) {
    std::string title = strings::prompt(kindRow(kind).nameStringId);
    if (kind != ExerciseKind::Picture) {
        auto shown = [](LanguageId id) { return id >= 0 && id <= 20 ? id : 0; };
        title += " : " + LanguageTable::languageName(shown(doc.fromLanguage())) + " - " +
                 LanguageTable::languageName(shown(doc.toLanguage()));
    }
    return title;
}

std::size_t applyChoice(CExTranslDoc& doc, ExerciseKind kind, ExerciseServices services, ExerciseSession& session,
                        const std::vector<std::string>& selected) {
    const std::size_t n =
        buildPool(services.locator, services.catalogue, kind, doc.fromLanguage(), doc.toLanguage(), selected);
    if (n < 1) {
        session.hideAnswers();
        services.prompts.messageBox(strings::text(28692), strings::text(28674), MessageIcon::Stop, MessageButtons::Ok);
        return 0;
    }
    S::kFrom.write(services.store, doc.fromLanguage());
    S::kTo.write(services.store, doc.toLanguage());
    session.reloadPool();
    return n;
}

std::string selectionItem(const std::string& title, int index) {
    return title + "\t" + std::to_string(index) + "\n";
}

} // namespace lumora
