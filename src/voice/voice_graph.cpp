#include "voice/voice_graph.h"

#include <algorithm>
#include <cmath>

#include "course/course_commands.h"
#include "course/wave.h"
#include "resources/string_table.h"
#include "voice/voice_commands.h"
#include "voice/voice_settings.h"

namespace lumora {

namespace {

constexpr ColourRef rgb(int r, int g, int b) {
    return static_cast<ColourRef>(r) | (static_cast<ColourRef>(g) << 8) | (static_cast<ColourRef>(b) << 16);
}

struct BandRow {
    const StringSetting* entry;
    int top;
    ColourRef colour;
    int labelId;
    int labelY;
};

const BandRow kBands[3] = {
    {&VoiceSettings::kMale, 0, rgb(128, 0, 128), 28693, 600},
    {&VoiceSettings::kFemale, 1000, rgb(0, 0, 255), 28694, 1600},
    {&VoiceSettings::kUser, 2000, rgb(255, 0, 255), 28695, 2600},
};

} // namespace

VoiceGraph::VoiceGraph(SettingsStore& store, const FileAccess& files) : store_(store), files_(files) {
    for (int i = 0; i < 3; ++i) {
        voices_[i].band = {kBands[i].top, kBands[i].top + kBandHeight, 0};
        voices_[i].colour = kBands[i].colour;
        voices_[i].label = strings::text(kBands[i].labelId);
    }
    declareCommands();
}

void VoiceGraph::declareCommands() {
    for (int id = cmd::course::Zoom50; id <= cmd::course::Zoom300; ++id) {
        const int z = PictureView::zoomOfCommand(id);
        commandTable().addChecked(
            id,
            [this, z] {
                VoiceSettings::kZoom.write(store_, z);
                setZoom(z);
                notifyStateChanged();
            },
            [this, z] { return zoom_ == z; });
    }
    commandTable().addChecked(
        cmd::voice::Tones, [this] { setTones(!tones()); }, [this] { return tones(); });
}

void VoiceGraph::initialUpdate(const Density& screen) {
    screen_ = screen;
    longest_ = 0;
    setZoom(VoiceSettings::kZoom.read(store_));
}

bool VoiceGraph::drawing() const {
    return VoiceSettings::kDraw.read(store_) != 0;
}
bool VoiceGraph::tones() const {
    return VoiceSettings::kTones.read(store_) == 1;
}

void VoiceGraph::setTones(bool on) {
    VoiceSettings::kTones.write(store_, on ? 1 : 0);
    notifyStateChanged();
}

void VoiceGraph::setZoom(int zoom) {
    zoom_ = zoom;
}

void VoiceGraph::refresh() {
    columnCache_.clear();
    // One wave object for the longest length, as the graph always measured it: a file that fails to
    // load counts with the length of the one loaded before it (16 samples of a new object).
    CWave measure;
    longest_ = 0;
    for (int i = 0; i < 3; ++i) {
        GraphVoice& v = voices_[i];
        v.entry = kBands[i].entry->read(store_);
        v.loaded = false;
        v.trace = {};
        v.pitch.reset();
        v.wave.reset();
        if (v.entry.empty()) continue;
        auto wave = std::make_shared<CWave>();
        const auto path = files_.resolve(v.entry);
        const auto size = files_.size(v.entry);
        if (!path.empty() && size && *size <= kMaxVoiceBytes && wave->Load(path).ok()) {
            v.loaded = true;
            measure = *wave;
        }
        longest_ = std::max(longest_, measure.SampleCount());
        v.wave = std::move(wave);
    }
    for (auto& v : voices_) {
        v.band.right = longest_;
        if (v.wave) v.trace = traceVoice(*v.wave, v.band);
    }
}

std::vector<GraphText> VoiceGraph::texts() const {
    std::vector<GraphText> out;
    out.push_back({" " + VoiceSettings::kPhrase.read(store_), "Pinying", 100, 10, 50, true});
    for (int i = 0; i < 3; ++i)
        out.push_back({voices_[i].label, "Arial", 50, 10, kBands[i].labelY, false});
    return out;
}

ScrollSize VoiceGraph::scrollSize() const {
    return {longest_ / 100 * screen_.x * zoom_ / 100, 10000 / 100 * screen_.y * zoom_ / 100};
}

GraphMapping VoiceGraph::screenMapping() const {
    return {zoom_ * screen_.x / 500, zoom_ * screen_.y / 100, 0};
}

GraphMapping VoiceGraph::printMapping(const Density& printer, int page, int pageHeightPx) const {
    return {zoom_ * printer.x / 2000, zoom_ * printer.y / 160, (page - 1) * pageHeightPx};
}

const std::vector<ColumnSpan>& VoiceGraph::columns(int voice, const GraphMapping& mapping) {
    const auto key = std::make_pair(voice, mapping.viewportX);
    auto it = columnCache_.find(key);
    if (it == columnCache_.end())
        it = columnCache_.emplace(key, reduceToColumns(voices_[voice].trace, mapping.scaleX())).first;
    return it->second;
}

const PitchCurve& VoiceGraph::pitch(int voice) {
    GraphVoice& v = voices_[voice];
    if (!v.pitch) v.pitch = (v.wave && v.loaded) ? analysePitch(*v.wave) : PitchCurve{};
    return *v.pitch;
}

double VoiceGraph::semitoneY(int voice, double semitone) const {
    const TraceBand& b = voices_[voice].band;
    const double h = b.halfHeight() * 0.8;
    const double s = std::clamp(semitone, -double(kSemitoneRange), double(kSemitoneRange));
    return b.centre() - s * h / kSemitoneRange;
}

} // namespace lumora
