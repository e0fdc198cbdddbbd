#pragma once
// One recording as one line of the comparison graph, and the same line reduced to what the pixel
// columns of a display can show.
//
// The trace of a wave in a band (top T, bottom B, right edge R; half height H = (B - T) / 2):
// samples are taken one after the other (interleaved channels are not separated), at most
// min(R, SampleCount) of them; leading samples within +-500 are skipped; from the first louder one
// every sample is drawn, the k-th at x = k, y = T + H - (H * s) / 32768 (truncating), joined by
// straight lines starting at (0, T + H) for the pen but with no line to the first point.
#include <cstdint>
#include <vector>

namespace lumora {

class CWave;

struct TraceBand {
    int top = 0;
    int bottom = 0;
    int right = 0;
    int halfHeight() const { return (bottom - top) / 2; }
    int centre() const { return top + halfHeight(); }
};

// The drawn points: point k is at x = k, y = ys[k] (logical units).
struct VoiceTrace {
    std::vector<int> ys;
    bool empty() const { return ys.empty(); }
};

constexpr int kTraceThreshold = 500;

// The y of a sample in a band.
int traceY(const TraceBand& band, int sample);
// The trace of a loaded wave in a band.
VoiceTrace traceVoice(const CWave& wave, const TraceBand& band);
// Index of the first sample whose absolute value exceeds the threshold, or -1.
int firstLoudSample(const CWave& wave, int limit);

// A trace reduced to pixel columns: logical x maps to device x = x * scale (pixels per logical
// unit, > 0); column c holds every device x in [c, c + 1]. For each column the logical y range
// that the polyline covers there (its points inside the column and the points where its segments
// cross the column's edges), so a vertical line from yMin to yMax per column covers the same rows
// as the full polyline.
struct ColumnSpan {
    int column = 0;
    double yMin = 0;
    double yMax = 0;
};

std::vector<ColumnSpan> reduceToColumns(const VoiceTrace& trace, double scale);

} // namespace lumora
