#include "course/media_paths.h"

namespace lumora {

PlaybackPlan VoicePlan(const FileAccess& files, const std::string& maleName, const std::string& femaleName,
                       bool wantMale, bool wantFemale) {
    const bool male = wantMale && !maleName.empty() && files.exists(maleName);
    const bool female = wantFemale && !femaleName.empty() && files.exists(femaleName);
    PlaybackPlan plan;
    if (male) plan.play(files.resolve(maleName).string());
    if (male && female) plan.pause(2);
    if (female) plan.play(files.resolve(femaleName).string());
    return plan;
}

} // namespace lumora
