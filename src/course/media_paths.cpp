#include "course/media_paths.h"

namespace lumora {

bool PlayVoices(SoundPlayer& player, Clock& clock, const FileAccess& files, const std::string& maleName,
                const std::string& femaleName, bool wantMale, bool wantFemale) {
    const bool male = wantMale && !maleName.empty() && files.exists(maleName);
    const bool female = wantFemale && !femaleName.empty() && files.exists(femaleName);
    if (male) player.playSync(files.resolve(maleName).string());
    if (male && female) clock.waitSeconds(2);
    if (female) player.playSync(files.resolve(femaleName).string());
    return male || female;
}

} // namespace lumora
