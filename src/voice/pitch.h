#pragma once
// The pitch (fundamental frequency) of a voice over time, for the graph's tone view: computed with
// aubio's YIN tracker (its FFT form, "yinfast") on the channels mixed to mono, hop by hop, from the
// first loud sample on. Frames that are quiet or where the tracker is not confident are unvoiced
// (no value). The voiced
// values are smoothed with a running median and placed on a semitone scale around the speaker's
// median pitch.
#include <optional>
#include <vector>

namespace lumora {

class CWave;

struct PitchFrame {
    double x = 0;                   // logical x of the frame's centre (trace units: samples after the first loud one)
    std::optional<double> hz;       // nothing: unvoiced
    std::optional<double> semitone; // 12 * log2(hz / median)
};

struct PitchCurve {
    std::vector<PitchFrame> frames;
    double medianHz = 0; // 0 when no frame is voiced
    bool empty() const { return medianHz <= 0; }
};

struct PitchOptions {
    double minHz = 60;
    double maxHz = 600;
    double confidence = 0.8;
    int smoothFrames = 5; // odd
};

PitchCurve analysePitch(const CWave& wave, const PitchOptions& options = {});

} // namespace lumora
