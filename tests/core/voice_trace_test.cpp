// The waveform trace, its reduction to pixel columns, the comparison graph and the pitch curves.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "course/wave.h"
#include "fixtures/content_tree.h"
#include "voice/pitch.h"
#include "voice/voice_files.h"
#include "voice/voice_graph.h"
#include "voice/voice_settings.h"
#include "voice/voice_trace.h"

namespace lumora::test {
namespace {

namespace fs = std::filesystem;

CWave wave16(const std::vector<std::int16_t>& samples, int rate = 22050, int channels = 1) {
    RecordedTake t{rate, samples};
    Bytes b = encodeWave16(t);
    if (channels != 1) {
        b[22] = static_cast<std::uint8_t>(channels);
        b[32] = static_cast<std::uint8_t>(2 * channels);
    }
    CWave w;
    EXPECT_TRUE(w.Load(b).ok());
    return w;
}

CWave wave8(const std::vector<std::uint8_t>& bytes) {
    CWave w;
    EXPECT_TRUE(w.Create(static_cast<int>(bytes.size()), 11025, 8));
    for (std::size_t i = 0; i < bytes.size(); ++i)
        w.SetSample(static_cast<int>(i), (bytes[i] - 128) * 256);
    return w;
}

std::vector<std::int16_t> sine(double hz, double seconds, int rate, double amplitude = 12000) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::int16_t>(amplitude * std::sin(2 * std::numbers::pi * hz * i / rate));
    return out;
}

const TraceBand kBand{0, 1000, 1 << 30}; // H = 500

TEST(TraceVoice, SkipsLeadingQuietAndDrawsEverySampleAfter) {
    const CWave w = wave16({0, 500, -500, 120, 501, 0, -200, 32767, -32768});
    const VoiceTrace t = traceVoice(w, kBand);
    // From the first sample beyond +-500: 501, 0, -200, 32767, -32768 at x = 0..4.
    ASSERT_EQ(t.ys.size(), 5u);
    EXPECT_EQ(t.ys[0], 500 - (500 * 501) / 32768);
    EXPECT_EQ(t.ys[1], 500);
    EXPECT_EQ(t.ys[2], 500 - (500 * -200) / 32768); // truncation toward zero: 500 + 3
    EXPECT_EQ(t.ys[2], 503);
    EXPECT_EQ(t.ys[3], 500 - 499); // full scale up
    EXPECT_EQ(t.ys[4], 500 + 500); // full scale down
}

TEST(TraceVoice, QuietRecordingsAndLimitsDrawNothingOrLess) {
    EXPECT_TRUE(traceVoice(wave16({0, 500, -500, 499, -12}), kBand).empty());
    EXPECT_TRUE(traceVoice(CWave(), kBand).empty()); // a new wave: 16 silent samples
    // At most min(R, n) samples are considered, counted from the file's start.
    const CWave w = wave16({0, 0, 1000, 1000, 1000, 1000});
    EXPECT_EQ(traceVoice(w, {0, 1000, 4}).ys.size(), 2u);
    EXPECT_TRUE(traceVoice(w, {0, 1000, 2}).empty());
}

TEST(TraceVoice, EightBitAndInterleavedStereo) {
    // Byte 128 is the centre line, 255 is 127 * 256 = 32512 above it.
    const VoiceTrace t = traceVoice(wave8({128, 255, 128, 0}), kBand);
    ASSERT_EQ(t.ys.size(), 3u);
    EXPECT_EQ(t.ys[0], 500 - (500 * 32512) / 32768);
    EXPECT_EQ(t.ys[1], 500);
    EXPECT_EQ(t.ys[2], 1000);
    // Stereo: left and right taken one after another.
    const VoiceTrace s = traceVoice(wave16({1000, -1000, 2000, -2000}, 22050, 2), {1000, 2000, 100});
    ASSERT_EQ(s.ys.size(), 4u);
    EXPECT_EQ(s.ys[1], 1500 + (500 * 1000) / 32768);
}

// Rows of a device y: the pixel row that holds it.
int row(double deviceY) {
    return static_cast<int>(std::floor(deviceY));
}

// Every column of the reduction covers exactly the rows that the polyline covers in it, found here
// segment by segment: each segment clipped to each column it reaches.
void expectSameRows(const VoiceTrace& trace, double scaleX, double scaleY) {
    const auto cols = reduceToColumns(trace, scaleX);
    std::map<int, std::pair<int, int>> want;
    const auto cover = [&](int c, double y) {
        const int r = row(y * scaleY);
        auto [it, fresh] = want.try_emplace(c, r, r);
        if (!fresh) it->second = {std::min(it->second.first, r), std::max(it->second.second, r)};
    };
    cover(static_cast<int>(std::floor(0.0)), trace.ys[0]);
    for (std::size_t k = 1; k < trace.ys.size(); ++k) {
        const double x0 = double(k - 1), x1 = double(k), y0 = trace.ys[k - 1], y1 = trace.ys[k];
        const int first = static_cast<int>(std::floor(x0 * scaleX)), last = static_cast<int>(std::floor(x1 * scaleX));
        for (int c = first; c <= last; ++c) {
            const double a = std::max(x0, c / scaleX), b = std::min(x1, (c + 1) / scaleX);
            cover(c, y0 + (y1 - y0) * (a - x0));
            cover(c, y0 + (y1 - y0) * (b - x0));
        }
    }
    ASSERT_EQ(cols.size(), want.size());
    for (const ColumnSpan& c : cols) {
        const auto it = want.find(c.column);
        ASSERT_NE(it, want.end()) << "column " << c.column;
        EXPECT_EQ(row(c.yMin * scaleY), it->second.first) << "column " << c.column;
        EXPECT_EQ(row(c.yMax * scaleY), it->second.second) << "column " << c.column;
    }
}

TEST(ReduceToColumns, CoversTheRowsOfTheFullPolyline) {
    // Synthetic: a sine with noise and clicks, a square wave, a rising ramp.
    std::vector<std::int16_t> noisy = sine(220, 0.5, 22050);
    for (std::size_t i = 0; i < noisy.size(); i += 97)
        noisy[i] = static_cast<std::int16_t>(i % 2 ? 32767 : -32768);
    std::vector<std::int16_t> square(8000), ramp(6000);
    for (std::size_t i = 0; i < square.size(); ++i)
        square[i] = (i / 40) % 2 ? 20000 : -20000;
    for (std::size_t i = 0; i < ramp.size(); ++i)
        ramp[i] = static_cast<std::int16_t>(600 + i * 5);
    // A recorded voice: espeak-ng where it is there (the sample course's voices are made with it).
    std::vector<CWave> waves = {wave16(noisy), wave16(square), wave16(ramp)};
    TempDir dir;
    const auto spoken = dir.path() / "ni-hao.wav";
    if (std::system(("espeak-ng -v cmn-latn-pinyin -w '" + spoken.string() + "' 'ni3 hao3' >/dev/null 2>&1").c_str()) ==
        0) {
        CWave real;
        if (real.Load(spoken).ok()) waves.push_back(real);
    }
    // Zoom 50..300 at 37 px/cm on screen, and a 600 dpi printer.
    for (const CWave& w : waves) {
        const VoiceTrace t = traceVoice(w, {2000, 3000, 1 << 30});
        ASSERT_FALSE(t.empty());
        for (const double sx : {0.037, 0.0666, 0.222, 0.118, 1.7})
            expectSameRows(t, sx, 0.37);
    }
}

TEST(ReduceToColumns, IsMuchShorterThanThePolyline) {
    const VoiceTrace t = traceVoice(wave16(sine(200, 10, 44100)), kBand);
    const auto cols = reduceToColumns(t, 0.074);
    EXPECT_LE(cols.size(), static_cast<std::size_t>(t.ys.size() * 0.074) + 2);
}

// ---------------------------------------------------------------- the graph

class GraphTest : public ::testing::Test {
protected:
    ContentTree tree;
    VoiceGraph graph{tree.store, tree.files};
    void voice(const StringSetting& entry, const std::string& file, const Bytes& data) {
        writeFile(tree.cd.path() / file, data);
        entry.write(tree.store, "D:\\" + file);
    }
};

TEST_F(GraphTest, EmptyEntriesDrawOnlyHeadingAndLabels) {
    VoiceSettings::kPhrase.write(tree.store, "ni3 hao3");
    graph.initialUpdate({37, 37});
    graph.refresh();
    EXPECT_EQ(graph.longest(), 0);
    EXPECT_EQ(graph.scrollSize().width, 0);
    const auto texts = graph.texts();
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(texts[0].text, " ni3 hao3");
    EXPECT_EQ(texts[0].x, 10);
    EXPECT_EQ(texts[0].y, 50);
    EXPECT_EQ(texts[1].text, "Male voice");
    EXPECT_EQ(texts[2].y, 1600);
    EXPECT_EQ(texts[3].text, "Your voice");
    for (const auto& v : graph.voices())
        EXPECT_TRUE(v.trace.empty());
    EXPECT_TRUE(graph.drawing());
    VoiceSettings::kDraw.write(tree.store, 0);
    EXPECT_FALSE(graph.drawing());
}

TEST_F(GraphTest, LongestRecordingSetsEveryBandAndTheScrollRange) {
    voice(VoiceSettings::kMale, "m.wav", encodeWave16({22050, sine(200, 0.5, 22050)}));
    voice(VoiceSettings::kFemale, "f.wav", encodeWave16({22050, sine(300, 0.5, 22050)}));
    voice(VoiceSettings::kUser, "u.wav", encodeWave16({22050, sine(250, 1.0, 22050)}));
    graph.initialUpdate({37, 37});
    graph.refresh();
    EXPECT_EQ(graph.longest(), 22050);
    for (const auto& v : graph.voices())
        EXPECT_EQ(v.band.right, 22050);
    EXPECT_EQ(graph.voices()[2].band.top, 2000);
    EXPECT_EQ(graph.scrollSize().width, 22050 / 100 * 37 * 100 / 100);
    EXPECT_EQ(graph.scrollSize().height, 3700);
    const ScrollSize at100 = graph.scrollSize();
    ASSERT_TRUE(graph.onCommand(4007));
    EXPECT_EQ(graph.scrollSize().width, 3 * at100.width);
    EXPECT_EQ(graph.scrollSize().height, 3 * at100.height);
    EXPECT_EQ(VoiceSettings::kZoom.read(tree.store), 300);
    EXPECT_TRUE(graph.commandState(4007)->checked);
    EXPECT_FALSE(graph.commandState(4004)->checked);
    // The ideogram pane reads the same setting at its next initial update.
    PictureView pane(tree.store, VoiceSettings::kZoom, 600);
    pane.initialUpdate({1280, 1024, 346, 277});
    EXPECT_EQ(pane.zoom(), 300);
}

TEST_F(GraphTest, AFileThatFailsToLoadCountsWithThePreviousLength) {
    voice(VoiceSettings::kMale, "m.wav", encodeWave16({22050, sine(200, 0.2, 22050)}));
    voice(VoiceSettings::kFemale, "f.wav", Bytes{'n', 'o', 't', ' ', 'a', ' ', 'w', 'a', 'v', 'e'});
    graph.initialUpdate({37, 37});
    graph.refresh();
    EXPECT_EQ(graph.longest(), 4410);
    EXPECT_TRUE(graph.voices()[1].trace.empty());
    // Alone, a failed load counts as the 16 samples of a new wave.
    VoiceSettings::kMale.write(tree.store, "");
    graph.refresh();
    EXPECT_EQ(graph.longest(), 16);
}

TEST_F(GraphTest, BadModelVoicesDrawNothingAndNeverCrash) {
    const Bytes good = encodeWave16({22050, sine(200, 0.1, 22050)});
    const auto patched = [&](std::size_t at, std::initializer_list<std::uint8_t> bytes) {
        Bytes b = good;
        std::size_t i = at;
        for (auto v : bytes)
            b[i++] = v;
        return b;
    };
    Bytes noData(good.begin(), good.begin() + 36);
    const struct {
        const char* what;
        Bytes file;
    } cases[] = {
        {"not PCM", patched(20, {2, 0})},
        {"no data chunk", noData},
        {"a data size beyond the file", patched(40, {0xFF, 0xFF, 0xFF, 0x7F})},
        {"0 bits", patched(34, {0, 0})},
        {"not a wave", Bytes(100, 'x')},
        {"empty", Bytes{}},
    };
    for (const auto& c : cases) {
        voice(VoiceSettings::kMale, "m.wav", c.file);
        graph.initialUpdate({37, 37});
        graph.refresh();
        EXPECT_TRUE(graph.voices()[0].trace.empty()) << c.what;
        EXPECT_TRUE(graph.pitch(0).empty()) << c.what;
        EXPECT_EQ(graph.longest(), 16) << c.what;
    }
    // 0 channels loads (the samples are there) and still traces and tracks pitch as one channel.
    voice(VoiceSettings::kMale, "m.wav", patched(22, {0, 0}));
    graph.refresh();
    EXPECT_FALSE(graph.voices()[0].trace.empty());
    // A file beyond the graph's limit is not read at all.
    const auto huge = tree.cd.path() / "huge.wav";
    writeFile(huge, good);
    fs::resize_file(huge, VoiceGraph::kMaxVoiceBytes + 1);
    VoiceSettings::kMale.write(tree.store, "D:\\huge.wav");
    graph.refresh();
    EXPECT_TRUE(graph.voices()[0].trace.empty());
    EXPECT_FALSE(graph.voices()[0].loaded);
}

TEST_F(GraphTest, ScreenAndPrintMappings) {
    graph.initialUpdate({37, 37});
    const GraphMapping s = graph.screenMapping();
    EXPECT_EQ(s.viewportX, 100 * 37 / 500);
    EXPECT_EQ(s.viewportY, 37);
    // 600 dpi: 236 px/cm; page 2 continues page 1.
    const GraphMapping p1 = graph.printMapping({236, 236}, 1, 6600);
    const GraphMapping p2 = graph.printMapping({236, 236}, 2, 6600);
    EXPECT_EQ(p1.viewportX, 100 * 236 / 2000);
    EXPECT_EQ(p1.viewportY, 100 * 236 / 160);
    EXPECT_EQ(p2.deviceY(3000), p1.deviceY(3000) - 6600);
    EXPECT_EQ(VoiceGraph::kPrintPages, 2);
}

// ---------------------------------------------------------------- pitch

TEST(Pitch, AGlideFrom150To300HzRisesWithinASemitone) {
    const int rate = 22050;
    const double seconds = 1.5;
    std::vector<std::int16_t> s(static_cast<std::size_t>(rate * seconds));
    double phase = 0;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = double(i) / rate;
        const double hz = 150 * std::pow(2.0, t / seconds); // exponential glide: one octave
        phase += 2 * std::numbers::pi * hz / rate;
        s[i] = static_cast<std::int16_t>(10000 * std::sin(phase));
    }
    const PitchCurve c = analysePitch(wave16(s, rate));
    ASSERT_FALSE(c.empty());
    int voiced = 0;
    double last = -100;
    for (const PitchFrame& f : c.frames) {
        if (!f.hz) continue;
        ++voiced;
        const double t = f.x / rate;
        const double expected = 150 * std::pow(2.0, t / seconds);
        EXPECT_LT(std::abs(12 * std::log2(*f.hz / expected)), 1.0) << "at " << t << " s";
        EXPECT_GE(*f.semitone, last - 0.5);
        last = *f.semitone;
    }
    EXPECT_GT(voiced, static_cast<int>(c.frames.size()) * 3 / 4);
}

TEST(Pitch, SilenceAndNoiseAreUnvoiced) {
    EXPECT_TRUE(analysePitch(wave16(std::vector<std::int16_t>(22050, 0))).empty());
    std::vector<std::int16_t> noise(22050);
    unsigned x = 1;
    for (auto& v : noise)
        v = static_cast<std::int16_t>((x = x * 1103515245u + 12345u) >> 17) - 16384;
    const PitchCurve c = analysePitch(wave16(noise));
    int voiced = 0;
    for (const auto& f : c.frames)
        voiced += f.hz.has_value();
    EXPECT_LT(voiced, static_cast<int>(c.frames.size()) / 5);
}

} // namespace
} // namespace lumora::test
