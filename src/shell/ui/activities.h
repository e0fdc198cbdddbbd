#pragma once
// The activity types of the program, in their registration order, and their registration on the
// main frame.
#include <vector>

#include "foundation/ui/activity.h"

namespace lumora {

class CMainFrame;

std::vector<ActivityType> activityTypes();
void registerActivities(CMainFrame& frame);

} // namespace lumora
