#pragma once
// The settings of the shell's own dialogs, each entry written once (setting.h). The start-up choice,
// the tip switch and the learner's data folder are read by start-up and live in AppSettings; the
// end-of-lesson choice and the translation font belong to the course (CourseSettings).
#include "foundation/setting.h"

namespace lumora {

class ShellSettings {
public:
    // The number of the next tip of the day.
    static constexpr IntSetting kTipNumber{"Tip", "Number", 1};
    // The Translation page selects this face in its font list when the language has none stored.
    static constexpr const char* kPreferredTranslationFace = "Pinying";
    static constexpr const char* kPreferredTranslationSize = "15";
    // The sample of the Translation page is drawn in these when the language has none stored.
    static constexpr const char* kSampleFace = "Arial";
    static constexpr int kSampleHeight = 15;
};

} // namespace lumora
