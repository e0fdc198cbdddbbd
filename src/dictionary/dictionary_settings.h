#pragma once
// The settings of the dictionary, each entry's section, name, kind and default written once
// (foundation/setting.h). The media window's entries ("Dictionary"/"MMName", "ViewType",
// "Multimedia"/"View") are in foundation/media_settings.h, the ideogram set in
// foundation/app_settings.h.
#include <string>

#include "foundation/setting.h"
#include "foundation/settings_store.h"

namespace lumora {

class DictionarySettings {
public:
    static constexpr IntSetting kFrom{"Dictionary", "From", 5};             // source LanguageId
    static constexpr IntSetting kTo{"Dictionary", "To", 18};                // target LanguageId
    static constexpr StringSetting kLocate{"Dictionary", "Locate", ""};     // the key, at most 99 bytes
    static constexpr IntSetting kLocateType{"Dictionary", "LocateType", 0}; // 0 start, 1 contain, 2 end
    static constexpr IntSetting kRefresh{"Dictionary", "Refresh", 1};       // 1 real-time locate
    // Compare without tone marks, tone numbers, spaces and case (off by default).
    static constexpr IntSetting kIgnoreTones{"Dictionary", "IgnoreTones", 0};
    // The ideogram picture of the selected entry, read by the picture view at its next paint.
    static constexpr StringSetting kBmpFile{"Dictionary", "BmpFile", ""};
    // The zoom of the dictionary's picture view.
    static constexpr IntSetting kZoom{"Dict", "Zoom", 100};
    static constexpr int kMaxKeyBytes = 99;
};

} // namespace lumora
