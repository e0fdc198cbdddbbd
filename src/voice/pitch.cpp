#include "voice/pitch.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "course/wave.h"
#include "voice/voice_trace.h"

namespace lumora {

namespace {

struct AubioPitch {
    aubio_pitch_t* pitch = nullptr;
    fvec_t* in = nullptr;
    fvec_t* out = nullptr;
    AubioPitch(uint_t window, uint_t hop, uint_t rate) {
        pitch = new_aubio_pitch("yinfast", window, hop, rate);
        in = new_fvec(hop);
        out = new_fvec(1);
        if (pitch) {
            aubio_pitch_set_unit(pitch, "Hz");
            aubio_pitch_set_tolerance(pitch, 0.15f);
            aubio_pitch_set_silence(pitch, -45.0f);
        }
    }
    ~AubioPitch() {
        if (pitch) del_aubio_pitch(pitch);
        if (in) del_fvec(in);
        if (out) del_fvec(out);
    }
    AubioPitch(const AubioPitch&) = delete;
    AubioPitch& operator=(const AubioPitch&) = delete;
    bool ok() const { return pitch && in && out; }
};

double median(std::vector<double> v) {
    if (v.empty()) return 0;
    const auto mid = v.begin() + static_cast<std::ptrdiff_t>(v.size() / 2);
    std::nth_element(v.begin(), mid, v.end());
    return *mid;
}

} // namespace

PitchCurve analysePitch(const CWave& wave, const PitchOptions& options) {
    PitchCurve curve;
    const int channels = std::max<int>(1, wave.channels());
    const int rate = static_cast<int>(wave.samplesPerSecond());
    const int total = wave.SampleCount();
    if (rate < 4000 || rate > 192000 || total <= 0) return curve;
    const int first = firstLoudSample(wave, total);
    if (first < 0) return curve;
    const int firstFrame = first / channels;
    const int frames = total / channels;

    // A window that holds two periods of the lowest pitch; hops of about 5 ms.
    uint_t window = 512;
    while (window < static_cast<uint_t>(2.0 * rate / options.minHz) && window < 8192)
        window *= 2;
    const uint_t hop = std::max<uint_t>(64, static_cast<uint_t>(rate / 200));
    AubioPitch yin(window, hop, static_cast<uint_t>(rate));
    if (!yin.ok()) return curve;

    std::vector<std::optional<double>> raw;
    for (int f = firstFrame; f + static_cast<int>(hop) <= frames; f += static_cast<int>(hop)) {
        for (uint_t j = 0; j < hop; ++j) {
            double sum = 0;
            const int base = (f + static_cast<int>(j)) * channels;
            for (int c = 0; c < channels; ++c)
                sum += wave.GetSample(base + c);
            yin.in->data[j] = static_cast<smpl_t>(sum / channels / 32768.0);
        }
        aubio_pitch_do(yin.pitch, yin.in, yin.out);
        const double hz = yin.out->data[0];
        const double conf = aubio_pitch_get_confidence(yin.pitch);
        PitchFrame frame;
        // aubio reports the pitch of a window ending at this hop: its centre lies half a window back.
        const double centre = (f - firstFrame) + static_cast<double>(hop) - window / 2.0;
        frame.x = std::max(0.0, centre) * channels;
        curve.frames.push_back(frame);
        if (hz >= options.minHz && hz <= options.maxHz && conf >= options.confidence)
            raw.emplace_back(hz);
        else
            raw.emplace_back(std::nullopt);
    }

    // Running median over the voiced neighbours; a voiced frame with no voiced neighbour is dropped.
    const int half = std::max(0, options.smoothFrames / 2);
    std::vector<double> voiced;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (!raw[i]) continue;
        std::vector<double> window_;
        for (int d = -half; d <= half; ++d) {
            const auto j = static_cast<std::ptrdiff_t>(i) + d;
            if (j >= 0 && j < static_cast<std::ptrdiff_t>(raw.size()) && raw[static_cast<std::size_t>(j)])
                window_.push_back(*raw[static_cast<std::size_t>(j)]);
        }
        if (window_.size() < 2) continue;
        curve.frames[i].hz = median(window_);
        voiced.push_back(*curve.frames[i].hz);
    }
    curve.medianHz = median(voiced);
    if (curve.medianHz > 0)
        for (auto& f : curve.frames)
            if (f.hz) f.semitone = 12.0 * std::log2(*f.hz / curve.medianHz);
    return curve;
}

} // namespace lumora
