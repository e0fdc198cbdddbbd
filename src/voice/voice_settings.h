#pragma once
// The settings of the voice studio, each entry's section, name, kind and default written once.
// "SPECTRE" holds the voices shown (full content names, "" for none) and the phrase heading;
// "UserRec" the options of the graph and the ideogram pane.
#include <string>

#include "foundation/setting.h"
#include "foundation/settings_store.h"

namespace lumora {

class VoiceSettings {
public:
    static constexpr StringSetting kMale{"SPECTRE", "Male", ""};
    static constexpr StringSetting kFemale{"SPECTRE", "Female", ""};
    static constexpr StringSetting kUser{"SPECTRE", "User", ""};
    static constexpr StringSetting kPhrase{"SPECTRE", "Phrase", ""};
    static constexpr IntSetting kDraw{"SPECTRE", "Draw", 1};   // 0: the graph draws nothing
    static constexpr IntSetting kZoom{"UserRec", "Zoom", 100}; // shared by the graph and the ideogram pane
    static constexpr StringSetting kPicture{"UserRec", "BmpFile", ""};
    static constexpr IntSetting kTones{"UserRec", "Tones", 0}; // 1: the graph shows pitch curves
    static constexpr StringSetting kTraceGraph{"Debug", "CSoundInGraphicView", ""};
    static constexpr StringSetting kTraceForm{"Debug", "CSpectreView", ""};

    explicit VoiceSettings(SettingsStore& store) : store_(store) {}

    std::string male() const { return kMale.read(store_); }
    std::string female() const { return kFemale.read(store_); }
    std::string user() const { return kUser.read(store_); }
    std::string phrase() const { return kPhrase.read(store_); }
    bool drawing() const { return kDraw.read(store_) != 0; }
    int zoom() const { return kZoom.read(store_); }
    bool tones() const { return kTones.read(store_) == 1; }

private:
    SettingsStore& store_;
};

} // namespace lumora
