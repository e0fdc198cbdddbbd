#pragma once
// The settings of the exercises, each entry's section, name, kind and default written once
// (foundation/setting.h). The exercise media ("Exercise"/"MMName", "ViewType") are in
// foundation/media_settings.h, the ideogram set in foundation/app_settings.h.
#include "foundation/setting.h"

namespace lumora {

class ExerciseSettings {
public:
    // The current question, read by the ideogram pane, the media window and the answer dialog.
    static constexpr StringSetting kQuestion{"Exercise", "Question", ""};
    static constexpr StringSetting kAnswer{"Exercise", "Answer", ""};
    static constexpr StringSetting kMaleSound{"Exercise", "MaleSound", ""};
    static constexpr StringSetting kFemaleSound{"Exercise", "FemaleSound", ""};
    static constexpr IntSetting kFrom{"Exercise", "From", 0};
    static constexpr IntSetting kTo{"Exercise", "To", 0};

    // The verify exercise and the ideogram pictures of every exercise.
    static constexpr StringSetting kSimplify{"Acquis", "Simplify", ""};
    static constexpr StringSetting kTraditional{"Acquis", "Traditional", ""};
    static constexpr IntSetting kVerifyFrom{"Acquis", "From", 0};
    static constexpr IntSetting kVerifyTo{"Acquis", "To", 5};
    static constexpr IntSetting kVerifyCount{"Acquis", "NbExercise", 0};
    static constexpr StringSetting kVerifyDictionary{"Acquis", "Dictionary File", ""};
    static constexpr StringSetting kVerifyMaleSound{"Acquis", "MaleSound", ""};
    static constexpr StringSetting kVerifyFemaleSound{"Acquis", "FemaleSound", ""};
    // The trace the verify window leaves when its form is first laid out.
    static constexpr StringSetting kVerifyTraceStart{"Acquis", "DebugDebut", ""};
    static constexpr StringSetting kVerifyTraceEnd{"Acquis", "DebugFin", ""};
    // The trace of the score graph: its update runs / the window is set up.
    static constexpr StringSetting kScoreGraphTrace{"Debug", "CScoreGraphicView", ""};

    // In the picture ("ExPicture") and translation ("ExTranslate") sections.
    static constexpr IntEntry kRefresh{"Refresh", 1}; // 1: "Real time job"
    static constexpr IntEntry kKindFrom{"From", 0};
    static constexpr IntEntry kKindTo{"To", 5};
};

} // namespace lumora
