#pragma once
// The course (with the story reading opened from the stories list) and keyboard learning.
#include "foundation/ui/activity.h"

namespace lumora {

ActivityType courseActivity();
ActivityType keyboardLearningActivity(); // not in this build yet: no child frame

// The course toolbar of the course and keyboard-learning windows, left to right (0: a separator).
const std::vector<int>& courseToolbar();

} // namespace lumora
