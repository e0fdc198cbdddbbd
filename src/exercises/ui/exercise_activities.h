#pragma once
// The three exercises and the score graph: their descriptors and the factories of their windows
// (exercise_window.h, score_graph_window.h).
#include "foundation/ui/activity.h"

namespace lumora {

ActivityType verifyActivity();
ActivityType pictureExerciseActivity();
ActivityType translationExerciseActivity();
ActivityType scoreGraphActivity();

} // namespace lumora
