#include "exercises/ex_transl_doc.h"

#include "exercises/exercise_commands.h"
#include "exercises/exercise_settings.h"
#include "foundation/app_settings.h"
#include "foundation/media_settings.h"

namespace lumora {

namespace {
using S = ExerciseSettings;
constexpr const char* kPicture = "ExPicture";
constexpr const char* kTranslate = "ExTranslate";
} // namespace

CExTranslDoc::CExTranslDoc(SettingsStore& store, bool created) : store_(store) {
    ideogramStyle_ = AppSettings::kIdeogramSet.read(store_);
    kind_ = kindOfJob(AppSettings::kRemember.read(store_));
    if (kind_ == ExerciseKind::Picture) {
        realTime_ = S::kRefresh.read(store_, kPicture);
        from_ = store_.readInt(kPicture, S::kKindFrom.entry, created ? 11 : 18);
        if (from_ >= 0 && from_ <= 20) to_ = from_ >= 5 && from_ <= 8 ? 0 : 5;
        S::kKindFrom.write(store_, kPicture, from_);
        S::kKindTo.write(store_, kPicture, to_);
    } else if (kind_ == ExerciseKind::Translation) {
        realTime_ = S::kRefresh.read(store_, kTranslate);
        from_ = store_.readInt(kTranslate, S::kKindFrom.entry, 18);
        to_ = store_.readInt(kTranslate, S::kKindTo.entry, created ? 0 : 5);
    } else if (kind_ == ExerciseKind::Verify) {
        from_ = 18;
        to_ = AppSettings::kTranslationLanguage.read(store_);
        S::kVerifyFrom.write(store_, from_);
        S::kVerifyTo.write(store_, to_);
    }
    MediaSettings(store_).setMediaName(MediaSettings::kExercise, "");

    commandTable()
        .addChecked(cmd::exercise::Simplified, [this] { setIdeogramStyle(0); }, [this] { return ideogramStyle_ == 0; })
        .addChecked(cmd::exercise::Traditional, [this] { setIdeogramStyle(1); }, [this] { return ideogramStyle_ == 1; });
}

void CExTranslDoc::setIdeogramStyle(int style) {
    ideogramStyle_ = style;
    AppSettings::kIdeogramSet.write(store_, style);
    notifyStateChanged();
    if (onIdeogramStyleChanged) onIdeogramStyleChanged();
}

void CExTranslDoc::toggleRealTime() {
    realTime_ = realTime_ == 1 ? 0 : 1;
    if (kind_ == ExerciseKind::Picture) S::kRefresh.write(store_, kPicture, realTime_);
}

void CExTranslDoc::writeBack() {
    if (kind_ == ExerciseKind::Picture) {
        S::kKindFrom.write(store_, kPicture, from_);
        S::kKindTo.write(store_, kPicture, to_);
    } else if (kind_ == ExerciseKind::Translation) {
        S::kRefresh.write(store_, kTranslate, realTime_);
        S::kKindFrom.write(store_, kTranslate, from_);
        S::kKindTo.write(store_, kTranslate, to_);
    }
}

} // namespace lumora
