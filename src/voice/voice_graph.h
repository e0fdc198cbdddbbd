#pragma once
// The comparison graph of the voice studio: three bands, male on top, female in the middle, the
// learner at the bottom, under a heading with the phrase. Logical space: x is one sample, y runs
// down, 3000 units high, 1000 a band. Each band's right edge is the longest recording's length.
//
// The voices are read once per change (refresh()), never per paint; a paint asks the traces
// reduced to its pixel columns (cached per scale). The tone view draws each voice's pitch on a
// semitone scale around the speaker's median instead of its waveform.
//
// Zoom commands 4001..4007 (50..300 %) write "UserRec"/"Zoom", shared with the ideogram pane;
// command Tones toggles "UserRec"/"Tones".
#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "course/picture_view.h"
#include "foundation/command_target.h"
#include "foundation/file_access.h"
#include "foundation/language_table.h"
#include "foundation/settings_store.h"
#include "voice/pitch.h"
#include "voice/voice_trace.h"

namespace lumora {

class CWave;

struct GraphText {
    std::string text; // UTF-8
    std::string face;
    int height = 0;
    int x = 0;
    int y = 0;
    bool heading = false;
};

struct GraphVoice {
    std::string entry; // the content name ("" for none)
    TraceBand band;
    ColourRef colour = 0;
    std::string label;
    bool loaded = false;
    VoiceTrace trace;
    std::optional<PitchCurve> pitch;   // computed on first use after a refresh
    std::shared_ptr<const CWave> wave; // kept for the pitch analysis
};

// Logical units to device pixels: window extent 100, viewport extents per 100 units, the origin
// moved up by `originY` device pixels (the page of a print).
struct GraphMapping {
    int viewportX = 0;
    int viewportY = 0;
    int originY = 0;
    double scaleX() const { return viewportX / 100.0; }
    double deviceX(double x) const { return x * viewportX / 100.0; }
    double deviceY(double y) const { return y * viewportY / 100.0 - originY; }
};

class VoiceGraph : public CommandTarget {
public:
    static constexpr int kHeight = 3000;
    static constexpr int kBandHeight = 1000;
    static constexpr int kPrintPages = 2;
    static constexpr std::uint64_t kMaxVoiceBytes = 64u << 20;
    static constexpr int kSemitoneRange = 12; // the tone view shows +-12 semitones around the median

    VoiceGraph(SettingsStore& store, const FileAccess& files);

    // Longest 0, zoom from "UserRec"/"Zoom", scroll range for the screen.
    void initialUpdate(const Density& screen);
    // Reads the three voices again (after a phrase change, a save, an update notification).
    void refresh();

    bool drawing() const;
    std::vector<GraphText> texts() const;
    const std::array<GraphVoice, 3>& voices() const { return voices_; }
    int longest() const { return longest_; }
    int zoom() const { return zoom_; }
    void setZoom(int zoom);
    bool tones() const;
    void setTones(bool on);

    ScrollSize scrollSize() const;
    GraphMapping screenMapping() const;
    GraphMapping printMapping(const Density& printer, int page, int pageHeightPx) const;

    // The trace of a voice reduced to the pixel columns of a mapping (cached until the next refresh).
    const std::vector<ColumnSpan>& columns(int voice, const GraphMapping& mapping);
    // The pitch curve of a voice (computed once per refresh).
    const PitchCurve& pitch(int voice);
    // The logical y of a semitone in a voice's band (clamped to the band).
    double semitoneY(int voice, double semitone) const;

private:
    void declareCommands();
    SettingsStore& store_;
    const FileAccess& files_;
    std::array<GraphVoice, 3> voices_;
    int longest_ = 0;
    int zoom_ = 100;
    Density screen_{37, 37};
    std::map<std::pair<int, int>, std::vector<ColumnSpan>> columnCache_;
};

} // namespace lumora
