#pragma once
// Playing a phrase's recorded voices (the names come from foundation/media_names.h).
#include <string>

#include "foundation/file_access.h"
#include "foundation/media_names.h"
#include "foundation/platform.h"

namespace lumora {

// Plays one phrase's recorded voices synchronously. With both wanted and both present: male, a
// 2-second pause (Clock::waitSeconds(2), never a busy wait), female. With only one present (or only
// one wanted), that one alone without a pause. Returns true when at least one file was played.
// Names are content names, resolved through `files` before reaching the player.
bool PlayVoices(SoundPlayer& player, Clock& clock, const FileAccess& files, const std::string& maleName,
                const std::string& femaleName, bool wantMale = true, bool wantFemale = true);

} // namespace lumora
