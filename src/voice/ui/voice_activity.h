#pragma once
// The voice studio (not in this build yet: no child frame, its command stays disabled).
#include "foundation/ui/activity.h"

namespace lumora {

ActivityType voiceStudioActivity();

} // namespace lumora
