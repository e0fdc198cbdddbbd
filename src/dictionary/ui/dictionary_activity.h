#pragma once
// The bilingual dictionary (not in this build yet: no child frame, its command stays disabled).
#include "foundation/ui/activity.h"

namespace lumora {

ActivityType dictionaryActivity();

} // namespace lumora
