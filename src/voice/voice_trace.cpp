#include "voice/voice_trace.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "course/wave.h"

namespace lumora {

int traceY(const TraceBand& band, int sample) {
    const int h = band.halfHeight();
    // Integer division truncates toward zero, as the graph's arithmetic does.
    return band.centre() - (h * sample) / 32768;
}

int firstLoudSample(const CWave& wave, int limit) {
    const int n = std::min(limit, wave.SampleCount());
    for (int i = 0; i < n; ++i)
        if (std::abs(wave.GetSample(i)) > kTraceThreshold) return i;
    return -1;
}

VoiceTrace traceVoice(const CWave& wave, const TraceBand& band) {
    VoiceTrace out;
    const int n = std::min(band.right, wave.SampleCount());
    const int first = firstLoudSample(wave, n);
    if (first < 0) return out;
    out.ys.reserve(static_cast<std::size_t>(n - first));
    for (int i = first; i < n; ++i)
        out.ys.push_back(traceY(band, wave.GetSample(i)));
    return out;
}

namespace {

void widen(std::vector<ColumnSpan>& cols, int column, double y) {
    if (cols.empty() || cols.back().column != column) {
        cols.push_back({column, y, y});
        return;
    }
    ColumnSpan& c = cols.back();
    c.yMin = std::min(c.yMin, y);
    c.yMax = std::max(c.yMax, y);
}

} // namespace

std::vector<ColumnSpan> reduceToColumns(const VoiceTrace& trace, double scale) {
    std::vector<ColumnSpan> cols;
    if (trace.empty() || !(scale > 0)) return cols;
    const auto& ys = trace.ys;
    const auto columnOf = [scale](double x) { return static_cast<int>(std::floor(x * scale)); };
    widen(cols, columnOf(0), ys[0]);
    for (std::size_t k = 1; k < ys.size(); ++k) {
        const double x0 = static_cast<double>(k - 1);
        const double x1 = static_cast<double>(k);
        const double y0 = ys[k - 1];
        const double y1 = ys[k];
        const int c0 = columnOf(x0);
        const int c1 = columnOf(x1);
        // The segment crosses the edges of the columns between its ends: each edge's y belongs to
        // both columns it separates.
        for (int c = c0 + 1; c <= c1; ++c) {
            const double xe = c / scale;
            const double y = y0 + (y1 - y0) * (xe - x0) / (x1 - x0);
            widen(cols, c - 1, y);
            widen(cols, c, y);
        }
        widen(cols, c1, y1);
    }
    return cols;
}

} // namespace lumora
