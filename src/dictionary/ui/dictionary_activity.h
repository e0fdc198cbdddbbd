#pragma once
// The bilingual dictionary activity (command 1450): its descriptor and the factory of its window
// (DictionaryActivity, dictionary/ui/dictionary_frame.h).
#include "foundation/ui/activity.h"

namespace lumora {

ActivityType dictionaryActivity();

} // namespace lumora
