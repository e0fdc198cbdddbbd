#pragma once
// The voice studio: its descriptor (command 1430, menus, toolbar, keys) and its window.
#include <vector>

#include "foundation/ui/activity.h"

namespace lumora {

ActivityType voiceStudioActivity();
// The studio window's own toolbar (0: a separator).
const std::vector<int>& voiceStudioToolbar();

} // namespace lumora
