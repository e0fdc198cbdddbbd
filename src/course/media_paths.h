#pragma once
// The plan that plays a phrase's recorded voices (the names come from foundation/media_names.h).
#include <string>

#include "foundation/file_access.h"
#include "foundation/media_names.h"
#include "foundation/playback.h"

namespace lumora {

// The plan of one phrase's recorded voices. With both wanted and both present: male, a 2-second
// pause, female. With only one present (or only one wanted), that one alone without a pause; with
// none, an empty plan (playsSound() false). Names are content names, resolved through `files`.
PlaybackPlan VoicePlan(const FileAccess& files, const std::string& maleName, const std::string& femaleName,
                       bool wantMale = true, bool wantFemale = true);

} // namespace lumora
