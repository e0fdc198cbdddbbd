#include "content/media_gen.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "course/dib.h"
#include "course/metafile.h"
#include "course/wave.h"
#include "foundation/text_util.h"

namespace fs = std::filesystem;

namespace lumora::content {
namespace {

// The drawing generators need a QGuiApplication; the tests run on the offscreen platform. It lives
// until the process ends.
QGuiApplication* guiApplication = nullptr;

void ensureGuiApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "lumora_content_tests";
    static char* argv[] = {name, nullptr};
    guiApplication = new QGuiApplication(argc, argv);
}

Bytes readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

struct ProcessRun {
    int exitCode = -1;
    QString out;
};

ProcessRun run(const QString& program, const QStringList& args) {
    ProcessRun r;
    const QString exe = QStandardPaths::findExecutable(program);
    if (exe.isEmpty()) return r;
    QProcess proc;
    proc.setProcessChannelMode(QProcess::MergedChannels);
    proc.start(exe, args);
    if (!proc.waitForFinished(120000)) {
        proc.kill();
        proc.waitForFinished();
        return r;
    }
    r.exitCode = proc.exitStatus() == QProcess::NormalExit ? proc.exitCode() : -1;
    r.out = QString::fromUtf8(proc.readAll());
    return r;
}

bool haveProgram(const char* name) {
    return !QStandardPaths::findExecutable(QString::fromLatin1(name)).isEmpty();
}

class MediaGenTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ensureGuiApplication(); }
    fs::path path(const std::string& name) const { return fs::path(dir_.path().toStdString()) / name; }
    // Files left in the folder (temporary files must not survive).
    std::set<std::string> listing() const {
        std::set<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir_.path().toStdString()))
            names.insert(entry.path().filename().string());
        return names;
    }
    QTemporaryDir dir_;
};

// ------------------------------------------------------------------------------------- voices

struct Wave {
    std::uint16_t format = 0, channels = 0, bits = 0;
    std::uint32_t rate = 0;
    std::vector<std::int16_t> samples;
};

// The sound as the program reads it, the samples on the signed 16-bit scale.
bool parseWave(const fs::path& file, Wave& wave) {
    CWave w;
    if (!w.Load(file)) return false;
    wave.format = w.formatTag();
    wave.channels = w.channels();
    wave.rate = w.samplesPerSecond();
    wave.bits = w.bitsPerSample();
    wave.samples.resize(static_cast<std::size_t>(w.SampleCount()));
    for (int i = 0; i < w.SampleCount(); ++i) wave.samples[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(w.GetSample(i));
    return true;
}

// Median fundamental frequency of the loud frames, by normalised autocorrelation over 60-500 Hz.
double medianPitch(const Wave& wave) {
    constexpr std::size_t frame = 1024;
    constexpr std::size_t hop = 512;
    const auto& s = wave.samples;
    std::vector<double> energies;
    for (std::size_t at = 0; at + frame <= s.size(); at += hop) {
        double e = 0;
        for (std::size_t i = 0; i < frame; ++i)
            e += double(s[at + i]) * s[at + i];
        energies.push_back(e);
    }
    if (energies.empty()) return 0;
    const double loudest = *std::max_element(energies.begin(), energies.end());
    std::vector<double> estimates;
    for (std::size_t k = 0; k < energies.size(); ++k) {
        if (energies[k] < loudest * 0.1) continue;
        const std::size_t at = k * hop;
        const auto minLag = static_cast<std::size_t>(wave.rate / 500);
        const auto maxLag = static_cast<std::size_t>(wave.rate / 60);
        double best = -1;
        std::size_t bestLag = 0;
        for (std::size_t lag = minLag; lag <= maxLag; ++lag) {
            double sum = 0;
            for (std::size_t i = 0; i + lag < frame; ++i)
                sum += double(s[at + i]) * s[at + i + lag];
            sum /= double(frame - lag);
            if (sum > best) {
                best = sum;
                bestLag = lag;
            }
        }
        if (bestLag > 0) estimates.push_back(double(wave.rate) / double(bestLag));
    }
    if (estimates.empty()) return 0;
    std::nth_element(estimates.begin(), estimates.begin() + static_cast<long>(estimates.size() / 2), estimates.end());
    return estimates[estimates.size() / 2];
}

TEST_F(MediaGenTest, MaleAndFemaleVoicesAreMonoPcmAtClearlyDifferentPitches) {
    std::string error;
    ASSERT_TRUE(synthesizeVoice("ni3 hao3", Voice::Male, path("MALE/P11.WAV"), &error)) << error;
    ASSERT_TRUE(synthesizeVoice("ni3 hao3", Voice::Female, path("FEMALE/P11.WAV"), &error)) << error;

    Wave male, female;
    ASSERT_TRUE(parseWave(path("MALE/P11.WAV"), male));
    ASSERT_TRUE(parseWave(path("FEMALE/P11.WAV"), female));
    for (const char* file : {"MALE/P11.WAV", "FEMALE/P11.WAV"}) {
        CWave wave;
        const ReadResult read = wave.Load(path(file));
        ASSERT_TRUE(read) << file << ": " << describe(read);
        EXPECT_EQ(wave.formatTag(), 1);
        EXPECT_EQ(wave.channels(), 1);
        EXPECT_EQ(wave.bitsPerSample(), 16);
    }
    for (const Wave* w : {&male, &female}) {
        EXPECT_EQ(w->format, 1);
        EXPECT_EQ(w->channels, 1);
        EXPECT_EQ(w->bits, 16);
        EXPECT_EQ(w->rate, 22050u);
        // Two syllables: well over a quarter second, and not padded with long silence.
        const double seconds = double(w->samples.size()) / w->rate;
        EXPECT_GT(seconds, 0.3);
        EXPECT_LT(seconds, 2.0);
        const auto peak = std::max_element(w->samples.begin(), w->samples.end(),
                                           [](int a, int b) { return std::abs(a) < std::abs(b); });
        EXPECT_GT(std::abs(int(*peak)), 3000) << "silent voice";
    }
    const double malePitch = medianPitch(male);
    const double femalePitch = medianPitch(female);
    EXPECT_GT(malePitch, 60);
    EXPECT_LT(malePitch, 160);
    EXPECT_GT(femalePitch, malePitch * 1.6) << "male " << malePitch << " Hz, female " << femalePitch << " Hz";
}

TEST_F(MediaGenTest, TypedUmlautSpellingsSpeakTheSame) {
    std::string error;
    ASSERT_TRUE(synthesizeVoice("nu:3 er2", Voice::Male, path("a.wav"), &error)) << error;
    ASSERT_TRUE(synthesizeVoice("nv3 er2", Voice::Male, path("b.wav"), &error)) << error;
    ASSERT_TRUE(synthesizeVoice("nu3 er2", Voice::Male, path("c.wav"), &error)) << error;
    EXPECT_EQ(readBytes(path("a.wav")), readBytes(path("b.wav")));
    EXPECT_NE(readBytes(path("a.wav")), readBytes(path("c.wav")));
}

TEST_F(MediaGenTest, HostileTextIsSpokenAsPlainText) {
    const fs::path canary = path("canary");
    const std::string c = canary.string();
    const std::vector<std::string> texts = {
        "; touch " + c, "$(touch " + c + ")", "`touch " + c + "`", "| touch " + c, "-w " + c, "--stdout > " + c,
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const fs::path out = path("hostile" + std::to_string(i) + ".wav");
        std::string error;
        EXPECT_TRUE(synthesizeVoice(texts[i], Voice::Female, out, &error)) << texts[i] << ": " << error;
        EXPECT_FALSE(fs::exists(canary)) << texts[i];
        Wave w;
        EXPECT_TRUE(parseWave(out, w)) << texts[i];
    }
}

TEST_F(MediaGenTest, BlankTextAndUnwritableTargetFailWithAReason) {
    std::string error;
    EXPECT_FALSE(synthesizeVoice(" \t\n", Voice::Male, path("blank.wav"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(path("blank.wav")));

    // The target is an existing folder: the rename fails, no temporary file stays behind.
    fs::create_directories(path("taken.wav"));
    error.clear();
    EXPECT_FALSE(synthesizeVoice("ma1", Voice::Male, path("taken.wav"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(listing(), (std::set<std::string>{"taken.wav"}));
}

// ----------------------------------------------------------------------------------- ideograms

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> grey; // top row first, grey level through the colour table
    int at(int x, int y) const { return grey[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// Reads an 8-bit bitmap file the way the program does and checks every header field we rely on.
void readPicture(const fs::path& file, Picture& pic) {
    const Bytes b = readBytes(file);
    ASSERT_GE(b.size(), 1078u);
    ASSERT_EQ(b[0], 'B');
    ASSERT_EQ(b[1], 'M');
    ASSERT_EQ(le32(b.data() + 2), b.size());
    const std::uint32_t offset = le32(b.data() + 10);
    ASSERT_EQ(le32(b.data() + 14), 40u);
    pic.width = les32(b.data() + 18);
    pic.height = les32(b.data() + 22);
    ASSERT_GT(pic.width, 0);
    ASSERT_GT(pic.height, 0);
    ASSERT_EQ(le16(b.data() + 26), 1);
    ASSERT_EQ(le16(b.data() + 28), 8);
    ASSERT_EQ(le32(b.data() + 30), 0u);
    const std::uint32_t used = le32(b.data() + 46);
    const std::uint32_t colours = used == 0 ? 256 : used;
    ASSERT_LE(colours, 256u);
    ASSERT_EQ(offset, 14 + 40 + colours * 4);
    const std::size_t stride = (std::size_t(pic.width) + 3) / 4 * 4;
    ASSERT_EQ(b.size(), offset + stride * std::size_t(pic.height));
    pic.grey.resize(std::size_t(pic.width) * std::size_t(pic.height));
    for (int y = 0; y < pic.height; ++y) {
        const std::uint8_t* row = b.data() + offset + std::size_t(pic.height - 1 - y) * stride;
        for (int x = 0; x < pic.width; ++x) {
            const std::uint8_t* entry = b.data() + 54 + std::size_t(row[x]) * 4;
            ASSERT_EQ(entry[0], entry[1]);
            ASSERT_EQ(entry[1], entry[2]);
            pic.grey[std::size_t(y) * std::size_t(pic.width) + std::size_t(x)] = entry[0];
        }
    }
}

TEST_F(MediaGenTest, IdeogramPicturesAreSizedToTheTextWithInkPaperAndGreys) {
    struct Case {
        const char* text;
        IdeogramSet set;
        int characters;
    };
    const Case cases[] = {
        {"你", IdeogramSet::Simplified, 1},     {"你好", IdeogramSet::Simplified, 2},
        {"學生", IdeogramSet::Traditional, 2},  {"一二三", IdeogramSet::Simplified, 3},
        {"中国人", IdeogramSet::Simplified, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string error;
        const fs::path out = path("SIMPLIFY/pic.BMP");
        ASSERT_TRUE(renderIdeogram(c.text, c.set, out, &error)) << error;
        Picture pic;
        readPicture(out, pic);
        if (HasFatalFailure()) return;
        // The program's reader sees the same picture.
        CDIB dib;
        const ReadResult read = dib.Read(readBytes(out), 0);
        ASSERT_TRUE(read) << describe(read);
        EXPECT_EQ(dib.width(), pic.width);
        EXPECT_EQ(dib.height(), pic.height);
        EXPECT_EQ(dib.bitCount(), 8);
        const RgbImage rgb = dib.toRgb();
        ASSERT_EQ(rgb.pixels.size(), pic.grey.size());
        for (std::size_t i = 0; i < rgb.pixels.size(); ++i) {
            if ((rgb.pixels[i] & 0xFFFFFF) != pic.grey[i] * 0x010101u) {
                ADD_FAILURE() << "pixel " << i << " differs in the program's reader";
                break;
            }
        }
        EXPECT_GE(pic.height, 95);
        EXPECT_LE(pic.height, 125);
        EXPECT_NEAR(pic.width, c.characters * 88 + 16, 8);
        int ink = 0, paper = 0, greys = 0;
        for (const int g : pic.grey) {
            ink += g < 64;
            paper += g == 255;
            greys += g >= 64 && g < 192;
        }
        EXPECT_GT(ink, 200 * c.characters);
        EXPECT_GT(paper, int(pic.grey.size()) / 2);
        EXPECT_GT(greys, 20) << "no anti-aliasing";
        // Nothing is cut: the outermost rows and columns are blank paper.
        for (int x = 0; x < pic.width; ++x) {
            EXPECT_EQ(pic.at(x, 0), 255);
            EXPECT_EQ(pic.at(x, pic.height - 1), 255);
        }
        for (int y = 0; y < pic.height; ++y) {
            EXPECT_EQ(pic.at(0, y), 255);
            EXPECT_EQ(pic.at(pic.width - 1, y), 255);
        }
    }
}

TEST_F(MediaGenTest, IdeogramPictureStandsUpright) {
    // "丄" has its long stroke at the bottom, "丅" at the top.
    std::string error;
    ASSERT_TRUE(renderIdeogram("丄", path("up.bmp"), &error)) << error;
    ASSERT_TRUE(renderIdeogram("丅", path("down.bmp"), &error)) << error;
    auto inkRowCentre = [](const Picture& pic) {
        double sum = 0, count = 0;
        for (int y = 0; y < pic.height; ++y)
            for (int x = 0; x < pic.width; ++x)
                if (pic.at(x, y) < 128) {
                    sum += y;
                    ++count;
                }
        return count > 0 ? sum / count / pic.height : -1.0;
    };
    Picture up, down;
    readPicture(path("up.bmp"), up);
    readPicture(path("down.bmp"), down);
    EXPECT_GT(inkRowCentre(up), 0.5); // more ink in the lower half
    EXPECT_LT(inkRowCentre(down), 0.5);
    EXPECT_GE(inkRowCentre(down), 0.0);
}

TEST_F(MediaGenTest, EmptyTextGivesASmallBlankPicture) {
    for (const char* text : {"", "   "}) {
        std::string error;
        ASSERT_TRUE(renderIdeogram(text, path("blank.bmp"), &error)) << error;
        Picture pic;
        readPicture(path("blank.bmp"), pic);
        EXPECT_LE(pic.width, 32);
        EXPECT_LE(pic.height, 32);
        EXPECT_TRUE(std::all_of(pic.grey.begin(), pic.grey.end(), [](int g) { return g == 255; }));
    }
}

// ------------------------------------------------------------------------------------------ video

// The frames of a video as grey levels (decoded by ffmpeg into one PGM stream).
std::vector<std::vector<std::uint8_t>> decodeFramesGrey(const fs::path& video, const fs::path& scratch, int& w,
                                                        int& h) {
    std::vector<std::vector<std::uint8_t>> frames;
    const fs::path pgm = scratch / "frames.pgm";
    const ProcessRun r = run(QStringLiteral("ffmpeg"),
                             {QStringLiteral("-nostdin"), QStringLiteral("-v"), QStringLiteral("error"),
                              QStringLiteral("-i"), QString::fromStdString(video.string()), QStringLiteral("-f"),
                              QStringLiteral("image2pipe"), QStringLiteral("-c:v"), QStringLiteral("pgm"),
                              QStringLiteral("-y"), QString::fromStdString(pgm.string())});
    if (r.exitCode != 0) return frames;
    const Bytes data = readBytes(pgm);
    std::size_t pos = 0;
    auto token = [&]() {
        while (pos < data.size() && std::isspace(data[pos]))
            ++pos;
        std::string t;
        while (pos < data.size() && !std::isspace(data[pos]))
            t += char(data[pos++]);
        return t;
    };
    while (pos < data.size()) {
        if (token() != "P5") break;
        w = std::stoi(token());
        h = std::stoi(token());
        token(); // max value
        ++pos;   // one white-space byte before the pixels
        const std::size_t n = std::size_t(w) * std::size_t(h);
        if (pos + n > data.size()) break;
        frames.emplace_back(data.begin() + long(pos), data.begin() + long(pos + n));
        pos += n;
    }
    return frames;
}

TEST_F(MediaGenTest, VideoWritesTheCharactersProgressively) {
    if (!haveProgram("ffprobe")) GTEST_SKIP() << "ffprobe is not installed";
    std::string error;
    const fs::path out = path("AVI/V1.AVI");
    ASSERT_TRUE(makeVideo("你好", out, &error)) << error;
    EXPECT_LT(fs::file_size(out), 300u * 1024u);

    const ProcessRun probe =
        run(QStringLiteral("ffprobe"),
            {QStringLiteral("-v"), QStringLiteral("error"), QStringLiteral("-show_entries"),
             QStringLiteral("stream=codec_name,width,height:format=format_name,duration"), QStringLiteral("-of"),
             QStringLiteral("default=noprint_wrappers=1"), QString::fromStdString(out.string())});
    ASSERT_EQ(probe.exitCode, 0) << probe.out.toStdString();
    std::map<std::string, std::string> fields;
    for (const QString& line : probe.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        fields[line.section(QLatin1Char('='), 0, 0).toStdString()] = line.section(QLatin1Char('='), 1).toStdString();
    EXPECT_EQ(fields["codec_name"], "mjpeg");
    EXPECT_EQ(fields["format_name"], "avi");
    EXPECT_EQ(fields["width"], "320");
    EXPECT_EQ(fields["height"], "240");
    const double duration = std::strtod(fields["duration"].c_str(), nullptr);
    EXPECT_GE(duration, 2.0);
    EXPECT_LE(duration, 4.0);

    // Dark ink grows from nothing to both characters, and never shrinks on the way.
    int w = 0, h = 0;
    const auto frames = decodeFramesGrey(out, path(""), w, h);
    ASSERT_GE(frames.size(), 24u);
    std::vector<int> ink;
    ink.reserve(frames.size());
    for (const auto& f : frames)
        ink.push_back(int(std::count_if(f.begin(), f.end(), [](std::uint8_t g) { return g < 70; })));
    EXPECT_LT(ink.front(), 50);
    EXPECT_GT(ink.back(), 2000);
    EXPECT_GT(ink[ink.size() / 2], ink.back() / 8);
    EXPECT_LT(ink[ink.size() / 2], ink.back() * 7 / 8);
    for (std::size_t i = 1; i < ink.size(); ++i)
        EXPECT_GE(ink[i], ink[i - 1] - 60) << "frame " << i;
}

TEST_F(MediaGenTest, VideoDecodesInGStreamer) {
    if (!haveProgram("gst-launch-1.0")) GTEST_SKIP() << "gst-launch-1.0 is not installed";
    std::string error;
    const fs::path out = path("V1.AVI");
    ASSERT_TRUE(makeVideo("谢谢", out, &error)) << error;
    const ProcessRun r = run(QStringLiteral("gst-launch-1.0"),
                             {QStringLiteral("-q"), QStringLiteral("filesrc"),
                              QStringLiteral("location=") + QString::fromStdString(out.string()), QStringLiteral("!"),
                              QStringLiteral("decodebin"), QStringLiteral("!"), QStringLiteral("fakesink")});
    EXPECT_EQ(r.exitCode, 0) << r.out.toStdString();
}

TEST_F(MediaGenTest, VideoOfNoCharacterFails) {
    std::string error;
    EXPECT_FALSE(makeVideo(" \n ", path("none.avi"), &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(listing().empty());
}

// ------------------------------------------------------------------------------------- metafiles

struct MetaRecord {
    std::uint16_t function = 0;
    std::vector<std::int16_t> params;
};

// Walks a placeable metafile by hand, checking the frame headers; records in file order.
void readMetafile(const fs::path& file, std::vector<MetaRecord>& records) {
    const Bytes b = readBytes(file);
    ASSERT_GE(b.size(), 22u + 18u);
    ASSERT_EQ(le32(b.data()), 0x9AC6CDD7u);
    std::uint16_t sum = 0;
    for (std::size_t i = 0; i < 10; ++i)
        sum ^= le16(b.data() + 2 * i);
    EXPECT_EQ(le16(b.data() + 20), sum) << "placeable checksum";
    EXPECT_EQ(static_cast<std::int16_t>(le16(b.data() + 6)), 0);     // left
    EXPECT_EQ(static_cast<std::int16_t>(le16(b.data() + 8)), 0);     // top
    EXPECT_EQ(static_cast<std::int16_t>(le16(b.data() + 10)), 8400); // right
    EXPECT_EQ(static_cast<std::int16_t>(le16(b.data() + 12)), 6300); // bottom
    EXPECT_EQ(le16(b.data() + 14), 2540);                            // units an inch: 0.01 mm

    const std::uint8_t* h = b.data() + 22;
    EXPECT_EQ(le16(h), 1);          // on disk
    EXPECT_EQ(le16(h + 2), 9);      // header words
    EXPECT_EQ(le16(h + 4), 0x0300); // version
    EXPECT_EQ(le32(h + 6) * 2, b.size() - 22);
    const std::uint16_t objects = le16(h + 10);
    const std::uint32_t maxRecord = le32(h + 12);

    std::uint32_t largest = 0;
    std::vector<bool> live(objects, false);
    for (std::size_t pos = 22 + 18; pos < b.size();) {
        ASSERT_LE(pos + 6, b.size());
        const std::uint32_t words = le32(b.data() + pos);
        ASSERT_GE(words, 3u);
        ASSERT_LE(pos + std::size_t(words) * 2, b.size());
        largest = std::max(largest, words);
        MetaRecord r;
        r.function = le16(b.data() + pos + 4);
        for (std::uint32_t i = 3; i < words; ++i)
            r.params.push_back(static_cast<std::int16_t>(le16(b.data() + pos + 2 * std::size_t(i))));
        // Object handles: a create takes the lowest free slot, select and delete name a live one.
        if (r.function == 0x02FA || r.function == 0x02FB || r.function == 0x02FC) {
            const auto slot = std::find(live.begin(), live.end(), false);
            ASSERT_NE(slot, live.end()) << "more objects than the header announces";
            *slot = true;
        } else if (r.function == 0x012D || r.function == 0x01F0) {
            ASSERT_FALSE(r.params.empty());
            const auto index = static_cast<std::uint16_t>(r.params[0]);
            ASSERT_LT(index, objects);
            ASSERT_TRUE(live[index]) << "object " << index << " is not live";
            if (r.function == 0x01F0) live[index] = false;
        }
        records.push_back(r);
        pos += std::size_t(words) * 2;
        if (r.function == 0) {
            EXPECT_EQ(pos, b.size()) << "records after the end record";
        }
    }
    EXPECT_EQ(largest, maxRecord);
    ASSERT_FALSE(records.empty());
    EXPECT_EQ(records.back().function, 0) << "no end record";
}

TEST_F(MediaGenTest, SceneMetafilesUseCommonRecordsInAnUprightFrame) {
    const std::vector<std::string> expected = {"sun", "house", "cup", "clock", "arrow", "coin", "train", "family"};
    ASSERT_EQ(sceneNames(), expected);
    const std::set<std::uint16_t> common = {
        0x0000, 0x0102, 0x0106, 0x0209, 0x020B, 0x020C, 0x012D, 0x012E, 0x01F0, 0x02FA,
        0x02FB, 0x02FC, 0x0213, 0x0214, 0x0324, 0x0325, 0x0418, 0x041B, 0x0521,
    };
    for (const std::string& scene : expected) {
        SCOPED_TRACE(scene);
        std::string error;
        const fs::path out = path(scene + ".WMF");
        ASSERT_TRUE(writeSceneMetafile(scene, out, &error)) << error;
        std::vector<MetaRecord> records;
        readMetafile(out, records);
        if (HasFatalFailure()) return;
        // The program's reader takes it as it is.
        Metafile parsed;
        const ReadResult read = parseMetafile(readBytes(out), parsed);
        ASSERT_TRUE(read) << describe(read);
        EXPECT_TRUE(parsed.placeable);
        EXPECT_TRUE(parsed.checksumOk);
        EXPECT_EQ(parsed.bounds, (wmf::Rect{0, 0, 8400, 6300}));
        EXPECT_EQ(parsed.unitsPerInch, 2540);
        EXPECT_EQ(parsed.records.size() + 1, records.size()); // it leaves the end record out
        int texts = 0;
        for (const wmf::Record& r : parsed.records) {
            if (const auto* t = std::get_if<wmf::MetaTextOut>(&r)) {
                EXPECT_EQ(t->text, scene);
                ++texts;
            }
        }
        EXPECT_EQ(texts, 1);
        std::map<std::uint16_t, int> count;
        std::string label;
        for (const MetaRecord& r : records) {
            EXPECT_TRUE(common.count(r.function)) << std::hex << r.function;
            ++count[r.function];
            if (r.function == 0x020B) { // window origin: y, x
                EXPECT_EQ(r.params, (std::vector<std::int16_t>{6300, 0}));
            } else if (r.function == 0x020C) { // window extent: y, x
                EXPECT_EQ(r.params, (std::vector<std::int16_t>{-6300, 8400}));
            } else if (r.function == 0x0521) { // text: length, bytes, y, x
                const auto length = std::size_t(r.params.at(0));
                for (std::size_t i = 0; i < length; ++i)
                    label += char((r.params.at(1 + i / 2) >> (8 * (i % 2))) & 0xFF);
            }
        }
        EXPECT_EQ(count[0x020B], 1);
        EXPECT_EQ(count[0x020C], 1);
        EXPECT_EQ(count[0x0521], 1);
        EXPECT_EQ(label, scene);
        EXPECT_GE(count[0x041B] + count[0x0418] + count[0x0324] + count[0x0325] + count[0x0213], 8)
            << "hardly a drawing";
    }
}

TEST_F(MediaGenTest, UnknownSceneFailsAndWritesNothing) {
    std::string error;
    EXPECT_FALSE(writeSceneMetafile("dragon", path("X.WMF"), &error));
    EXPECT_NE(error.find("dragon"), std::string::npos);
    EXPECT_TRUE(listing().empty());
}

} // namespace
} // namespace lumora::content
