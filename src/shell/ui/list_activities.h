#pragma once
// The lessons list and the stories list.
#include "foundation/ui/activity.h"

namespace lumora {

ActivityType lessonsListActivity();
ActivityType storiesListActivity();

} // namespace lumora
