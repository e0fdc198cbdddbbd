#pragma once
// The three exercises and the score graph (not in this build yet: no child frames, their commands
// stay disabled).
#include "foundation/ui/activity.h"

namespace lumora {

ActivityType verifyActivity();
ActivityType pictureExerciseActivity();
ActivityType translationExerciseActivity();
ActivityType scoreGraphActivity();

} // namespace lumora
