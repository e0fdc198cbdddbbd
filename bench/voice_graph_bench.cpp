// The comparison graph's redraw with three 10-second 44.1 kHz recordings, at zoom 100 on a
// 37 px/cm screen, into a 1600 x 1110 pixel raster:
//   PerSample  the graph as first designed: each paint reads every file twice (once for the
//              longest length, once to trace) and draws one line segment per sample;
//   Columns    ours: the files were read once at the change; a paint draws one vertical span per
//              pixel column from the cached reduction;
//   Change     ours when the voices change: read the three files, trace and reduce them.
// And the pitch analysis of one 10-second recording (the tone view, once per change).
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <vector>

#include "course/wave.h"
#include "foundation/file_access.h"
#include "foundation/settings_store.h"
#include "voice/pitch.h"
#include "voice/voice_files.h"
#include "voice/voice_graph.h"
#include "voice/voice_settings.h"
#include "voice/voice_trace.h"

namespace {

namespace fs = std::filesystem;
using namespace lumora;

constexpr int kRate = 44100;
constexpr int kWidth = 1600, kHeight = 1110;

// A voice-like recording: a gliding harmonic tone with syllable-shaped loudness and some noise.
Bytes recording(double baseHz, unsigned seed) {
    RecordedTake t;
    t.rate = kRate;
    t.samples.resize(10 * kRate);
    double phase = 0;
    for (std::size_t i = 0; i < t.samples.size(); ++i) {
        const double s = double(i) / kRate;
        const double hz = baseHz * (1 + 0.2 * std::sin(2 * std::numbers::pi * 0.7 * s));
        phase += 2 * std::numbers::pi * hz / kRate;
        const double env = 0.5 + 0.5 * std::sin(2 * std::numbers::pi * 2.5 * s);
        seed = seed * 1103515245u + 12345u;
        const double noise = (double((seed >> 16) & 0x7FFF) / 32768.0 - 0.5) * 0.05;
        t.samples[i] = static_cast<std::int16_t>(16000 * env * (std::sin(phase) + 0.4 * std::sin(2 * phase) + noise));
    }
    return encodeWave16(t);
}

struct Studio {
    fs::path root = fs::temp_directory_path() / "lumora-bench-voices";
    MemorySettingsStore store;
    FileAccess files{store, {{'D', root.string()}}};
    VoiceGraph graph{store, files};
    std::vector<std::uint8_t> raster = std::vector<std::uint8_t>(std::size_t(kWidth) * kHeight);

    Studio() {
        fs::create_directories(root);
        const char* names[3] = {"m.wav", "f.wav", "u.wav"};
        const double hz[3] = {120, 220, 180};
        const StringSetting* entries[3] = {&VoiceSettings::kMale, &VoiceSettings::kFemale, &VoiceSettings::kUser};
        for (int i = 0; i < 3; ++i) {
            const Bytes b = recording(hz[i], 7u + unsigned(i));
            std::ofstream(root / names[i], std::ios::binary)
                .write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
            entries[i]->write(store, std::string("D:\\") + names[i]);
        }
        graph.initialUpdate({37, 37});
        graph.refresh();
    }
    ~Studio() { fs::remove_all(root); }

    void plot(int x, int y) {
        if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) raster[std::size_t(y) * kWidth + std::size_t(x)] = 1;
    }
    // A one-pixel line, Bresenham.
    void line(int x0, int y0, int x1, int y1) {
        const int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            plot(x0, y0);
            if (x0 == x1 && y0 == y1) return;
            const int e2 = 2 * err;
            if (e2 >= dy) err += dy, x0 += sx;
            if (e2 <= dx) err += dx, y0 += sy;
        }
    }
};

void BM_RedrawPerSample(benchmark::State& state) {
    Studio s;
    const GraphMapping m = s.graph.screenMapping();
    const StringSetting* entries[3] = {&VoiceSettings::kMale, &VoiceSettings::kFemale, &VoiceSettings::kUser};
    for (auto _ : state) {
        CWave measure;
        int longest = 0;
        for (const auto* e : entries) {
            measure.Load(s.files.resolve(e->read(s.store)));
            longest = std::max(longest, measure.SampleCount());
        }
        for (int b = 0; b < 3; ++b) {
            CWave w;
            w.Load(s.files.resolve(entries[b]->read(s.store)));
            const VoiceTrace t = traceVoice(w, {b * 1000, b * 1000 + 1000, longest});
            int px = int(m.deviceX(0)), py = int(m.deviceY(t.ys.empty() ? 0 : t.ys[0]));
            for (std::size_t k = 1; k < t.ys.size(); ++k) {
                const int x = int(m.deviceX(double(k))), y = int(m.deviceY(t.ys[k]));
                s.line(px, py, x, y);
                px = x, py = y;
            }
        }
        benchmark::DoNotOptimize(s.raster.data());
    }
}
BENCHMARK(BM_RedrawPerSample)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_RedrawColumns(benchmark::State& state) {
    Studio s;
    const GraphMapping m = s.graph.screenMapping();
    const double sy = m.viewportY / 100.0;
    for (auto _ : state) {
        for (int b = 0; b < 3; ++b)
            for (const ColumnSpan& c : s.graph.columns(b, m)) {
                if (c.column >= kWidth) break;
                const int top = int(std::floor(c.yMin * sy)), bottom = int(std::floor(c.yMax * sy));
                for (int y = top; y <= bottom; ++y)
                    s.plot(c.column, y);
            }
        benchmark::DoNotOptimize(s.raster.data());
    }
}
BENCHMARK(BM_RedrawColumns)->Unit(benchmark::kMillisecond);

void BM_VoicesChanged(benchmark::State& state) {
    Studio s;
    const GraphMapping m = s.graph.screenMapping();
    for (auto _ : state) {
        s.graph.refresh();
        for (int b = 0; b < 3; ++b)
            benchmark::DoNotOptimize(s.graph.columns(b, m).size());
    }
}
BENCHMARK(BM_VoicesChanged)->Unit(benchmark::kMillisecond);

void BM_PitchOf10Seconds(benchmark::State& state) {
    CWave w;
    w.Load(recording(150, 3));
    for (auto _ : state)
        benchmark::DoNotOptimize(analysePitch(w).medianHz);
}
BENCHMARK(BM_PitchOf10Seconds)->Unit(benchmark::kMillisecond);

} // namespace
