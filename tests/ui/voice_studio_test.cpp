// The voice studio as a learner meets it, with a real microphone: a headless PulseAudio server whose
// default source is a 440 Hz sine (the monitor of a null sink that plays it). The studio records about two seconds,
// saves, and the learner's file holds that tone; a take left unsaved is saved when the learner leaves; the keys and the
// accessible names of the media windows; the tone view's switch is remembered.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QFileInfo>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>

#include <unistd.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <numbers>

#include "course/wave.h"
#include "course/course_commands.h"
#include "ui/ui_fixture.h"
#include "voice/ui/voice_media_window.h"
#include "voice/ui/voice_studio_window.h"
#include "voice/voice_commands.h"
#include "voice/voice_files.h"

using namespace lumora;
using lumora::uitest::Program;

namespace {

constexpr double kSineHz = 440;
std::string g_pulseDir;
bool g_pulse = false;

// Without the server program the recording cases cannot run; with it, a server that does not
// start is a failure.
bool pulseInstalled() {
    return std::system("command -v pulseaudio >/dev/null 2>&1") == 0;
}
#define REQUIRE_PULSE()                                                                                                \
    do {                                                                                                               \
        if (!g_pulse && !pulseInstalled()) QSKIP("pulseaudio is not installed");                                       \
        QVERIFY2(g_pulse, "the PulseAudio server did not start");                                                      \
    } while (0)

// Starts a PulseAudio server of our own in a temporary folder (null sink, sine source) and points
// this process at it. Returns false when the server cannot run here.
bool startPulse() {
    char tmpl[] = "/tmp/lumora-pulse-XXXXXX";
    if (!mkdtemp(tmpl)) return false;
    g_pulseDir = tmpl;
    const std::string socket = g_pulseDir + "/native";
    const std::string cmd = "cd '" + g_pulseDir + "' && HOME='" + g_pulseDir + "' XDG_RUNTIME_DIR='" + g_pulseDir +
                            "' PULSE_RUNTIME_PATH='" + g_pulseDir +
                            "' pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --log-target=stderr"
                            " -L 'module-native-protocol-unix socket=" +
                            socket +
                            " auth-anonymous=1'"
                            " -L 'module-null-sink sink_name=nullsink'"
                            // A sine played into the null sink: its monitor is the microphone. (The
                            // sine source module hands out two seconds at a time; a monitor is no input device to Qt, a
                            // source remapped from it is.)
                            " -L 'module-sine sink=nullsink frequency=440'"
                            " -L 'module-remap-source source_name=mic master=nullsink.monitor'"
                            " >'" +
                            g_pulseDir + "/log' 2>&1 & echo $! >'" + g_pulseDir + "/server.pid'";
    if (std::system(cmd.c_str()) != 0) return false;
    const std::string server = "unix:" + socket;
    for (int i = 0; i < 50; ++i) {
        if (std::system(("PULSE_SERVER=" + server + " pactl set-default-source mic >/dev/null 2>&1").c_str()) == 0) {
            setenv("PULSE_SERVER", server.c_str(), 1);
            return true;
        }
        usleep(100000);
    }
    return false;
}

void stopPulse() {
    std::ifstream in(g_pulseDir + "/server.pid");
    long pid = 0;
    if (in >> pid && pid > 0) kill(static_cast<pid_t>(pid), SIGTERM);
    std::system(("rm -rf '" + g_pulseDir + "'").c_str());
}

Bytes sineWave(double hz, double seconds, int rate = 22050) {
    RecordedTake t;
    t.rate = rate;
    for (int i = 0; i < static_cast<int>(seconds * rate); ++i)
        t.samples.push_back(static_cast<std::int16_t>(9000 * std::sin(2 * std::numbers::pi * hz * i / rate)));
    return encodeWave16(t);
}

VoiceStudioActivity* openStudio(Program& p) {
    // Model voices for every phrase of L01's first page, the template beside the program.
    for (int k = 1; k <= 4; ++k) {
        const QString stem = QStringLiteral("P01%1").arg(k);
        uitest::writeBytes(p.root + "/L01/MALE/" + stem + ".WAV", sineWave(130, 0.4));
        uitest::writeBytes(p.root + "/L01/FEMALE/" + stem + ".WAV", sineWave(220, 0.3));
    }
    uitest::writeBytes(p.program + "/USER.WAV", silentTemplate());
    p.store->writeInt("Course", "Lesson", 0);
    p.store->writeInt("Course", "Page", 0);
    p.frame->dispatch(cmd::frame::VoiceStudio);
    auto* a = p.frame->currentActivity();
    if (!a || a->templateId() != ActivityTemplateId::VoiceStudio) return nullptr;
    auto* studio = static_cast<VoiceStudioActivity*>(a);
    // The studio starts from the event loop.
    for (int i = 0; i < 50 && p.store->readString("SPECTRE", "User", "").empty(); ++i)
        QTest::qWait(100);
    return studio;
}

std::filesystem::path learnerFile(Program& p, const std::string& stem) {
    return std::filesystem::path((p.dir.path() + "/data/L01/").toStdString()) / (stem + ".WAV");
}

// The frequency of a tone from its rising zero crossings.
double frequencyOf(const CWave& w, int from) {
    int crossings = 0, first = -1, last = -1;
    for (int i = from + 1; i < w.SampleCount(); ++i)
        if (w.GetSample(i - 1) < 0 && w.GetSample(i) >= 0) {
            if (first < 0) first = i;
            last = i;
            ++crossings;
        }
    if (crossings < 2) return 0;
    return (crossings - 1) * double(w.samplesPerSecond()) / (last - first);
}

} // namespace

class VoiceStudioTest : public QObject {
    Q_OBJECT
private slots:
    void recordsTheMicrophoneAndSavesIt();
    void leavingWithAnUnsavedTakeSavesIt();
    void keysNamesAndTheToneView();
    void aLearnerGoesThroughTheSampleCourse();
};

void VoiceStudioTest::recordsTheMicrophoneAndSavesIt() {
    REQUIRE_PULSE();
    Program p;
    QVERIFY(p.start());
    VoiceStudioActivity* studio = openStudio(p);
    QVERIFY(studio);
    QCOMPARE(p.store->readString("SPECTRE", "User", ""), std::string("C:\\\\L01\\P014.WAV"));
    const auto file = learnerFile(p, "P014");
    QVERIFY(std::filesystem::exists(file)); // made from the template

    studio->toggleRecording();
    QVERIFY(studio->studio().recording());
    QVERIFY(studio->mediaWindow(VoiceSlot::Learner)->levelMeter()->isVisible());
    // The server takes a moment to deliver its first samples; the meter shows them.
    QTRY_VERIFY_WITH_TIMEOUT(studio->mediaWindow(VoiceSlot::Learner)->levelMeter()->value() > 0, 5000);
    QTest::qWait(2000);
    p.frame->dispatch(cmd::voice::SaveVoice);
    QVERIFY(!studio->studio().recording());

    CWave take;
    QVERIFY(take.Load(file).ok());
    QCOMPARE(int(take.bitsPerSample()), 16);
    QCOMPARE(int(take.channels()), 1);
    const double seconds = double(take.SampleCount()) / take.samplesPerSecond();
    QVERIFY2(seconds > 1.8 && seconds < 3.5, qPrintable(QString::number(seconds)));
    int peak = 0;
    for (int i = 0; i < take.SampleCount(); ++i)
        peak = std::max(peak, std::abs(take.GetSample(i)));
    QVERIFY2(peak > 2000, qPrintable(QString::number(peak)));
    const double hz = frequencyOf(take, take.SampleCount() / 10);
    QVERIFY2(std::abs(hz - kSineHz) < kSineHz * 0.05, qPrintable(QString::number(hz)));
    // The graph shows it in the learner's band.
    QVERIFY(!studio->graph().voices()[2].trace.empty());
}

void VoiceStudioTest::leavingWithAnUnsavedTakeSavesIt() {
    REQUIRE_PULSE();
    Program p;
    QVERIFY(p.start());
    VoiceStudioActivity* studio = openStudio(p);
    QVERIFY(studio);
    const auto file = learnerFile(p, "P014");
    const auto before = std::filesystem::file_size(file);
    studio->toggleRecording();
    QTRY_VERIFY_WITH_TIMEOUT(studio->mediaWindow(VoiceSlot::Learner)->levelMeter()->value() > 0, 5000);
    QTest::qWait(800);
    studio->toggleRecording(); // stopped, not saved
    QVERIFY(studio->studio().hasPendingTake());
    p.frame->dispatch(cmd::frame::LessonsList); // another activity
    QTRY_VERIFY(!p.frame->currentActivity() ||
                p.frame->currentActivity()->templateId() != ActivityTemplateId::VoiceStudio);
    QVERIFY(std::filesystem::file_size(file) > before + 10000);
}

void VoiceStudioTest::keysNamesAndTheToneView() {
    Program p;
    QVERIFY(p.start());
    VoiceStudioActivity* studio = openStudio(p);
    QVERIFY(studio);
    const struct {
        int id;
        const char* key;
    } keys[] = {{cmd::voice::Record, "R"},
                {cmd::voice::PlayLearner, "Space"},
                {cmd::voice::PlayMale, "M"},
                {cmd::voice::PlayFemale, "F"},
                {cmd::voice::SaveVoice, "Ctrl+S"}};
    for (const auto& k : keys)
        QCOMPARE(p.frame->action(k.id)->shortcut().toString(QKeySequence::PortableText), QString::fromLatin1(k.key));
    for (VoiceSlot s : {VoiceSlot::Male, VoiceSlot::Female, VoiceSlot::Learner}) {
        VoiceMediaWindow* w = studio->mediaWindow(s);
        QVERIFY(!w->accessibleName().isEmpty());
        QVERIFY(w->playButton()->accessibleName().startsWith(w->accessibleName()));
        QVERIFY(!w->stopButton()->accessibleName().isEmpty());
    }
    QVERIFY(!studio->mediaWindow(VoiceSlot::Learner)->recordButton()->accessibleName().isEmpty());
    // The tone view is remembered and checked.
    p.frame->dispatch(cmd::voice::Tones);
    QCOMPARE(p.store->readInt("UserRec", "Tones", 0), 1);
    QVERIFY(p.frame->action(cmd::voice::Tones)->isChecked());
    QVERIFY(studio->graph().pitch(0).medianHz > 100); // the 130 Hz male model
    // The zoom is shared with the ideogram pane's setting.
    p.frame->dispatch(cmd::course::Zoom200);
    QCOMPARE(p.store->readInt("UserRec", "Zoom", 0), 200);
    QCOMPARE(studio->graph().zoom(), 200);
}

// The sample course built with the content tool, as a new learner meets it: five phrases of two
// lessons, each recorded, played back and saved; the studio left and opened again finds them. The
// model voices of a phrase differ in pitch as a man's and a woman's do.
void VoiceStudioTest::aLearnerGoesThroughTheSampleCourse() {
    REQUIRE_PULSE();
    const QString sources = QStringLiteral(LUMORA_SOURCE_DIR "/content");
    if (!QDir(sources + "/lessons").exists()) QSKIP("no sample course sources");
    Program p;
    const QString course = QStringLiteral(LUMORA_SAMPLE_COURSE); // built once by the test run, read only
    QVERIFY(QFileInfo::exists(course + "/DATA/WIN32/LISTE.DAT"));
    p.store->writeString("Drives", "D", course.toStdString());
    QVERIFY(p.start());
    uitest::writeBytes(p.program + "/USER.WAV", silentTemplate());
    p.store->writeInt("Course", "Lesson", 0);
    p.store->writeInt("Course", "Page", 0);
    p.frame->dispatch(cmd::frame::VoiceStudio);
    auto* studio = static_cast<VoiceStudioActivity*>(p.frame->currentActivity());
    QVERIFY(studio && studio->templateId() == ActivityTemplateId::VoiceStudio);
    QTRY_VERIFY_WITH_TIMEOUT(!p.store->readString("SPECTRE", "Male", "").empty(), 5000);

    // The model voices: a man's median pitch well below a woman's.
    const double male = studio->graph().pitch(0).medianHz, female = studio->graph().pitch(1).medianHz;
    qInfo("model voices: male median %.0f Hz, female median %.0f Hz", male, female);
    QVERIFY2(male > 60 && female > male * 1.3, qPrintable(QStringLiteral("%1 / %2 Hz").arg(male).arg(female)));

    std::vector<std::string> saved;
    const auto recordOne = [&] {
        studio->toggleRecording();
        QTRY_VERIFY_WITH_TIMEOUT(studio->mediaWindow(VoiceSlot::Learner)->levelMeter()->value() > 0, 5000);
        QTest::qWait(400);
        p.frame->dispatch(cmd::voice::SaveVoice);
        QVERIFY(!studio->studio().hasPendingTake());
        p.frame->dispatch(cmd::voice::PlayLearner);
        QTRY_VERIFY_WITH_TIMEOUT(studio->mediaWindow(VoiceSlot::Learner)->playing(), 3000);
        saved.push_back(p.store->readString("SPECTRE", "User", ""));
    };
    for (int lesson : {0, 1}) {
        studio->lessonList()->setCurrentIndex(lesson);
        for (int row = 0; row < (lesson == 0 ? 3 : 2); ++row) {
            studio->phraseList()->setCurrentRow(row);
            QTRY_VERIFY(!p.store->readString("SPECTRE", "User", "").empty());
            recordOne();
        }
    }
    QCOMPARE(saved.size(), std::size_t(5));
    // Leave, come back: every recording is there, and the studio's graph shows the last one.
    p.frame->dispatch(cmd::frame::LessonsList);
    p.frame->dispatch(cmd::frame::VoiceStudio);
    studio = static_cast<VoiceStudioActivity*>(p.frame->currentActivity());
    for (const std::string& name : saved) {
        CWave w;
        QVERIFY2(w.Load(p.context->files.resolve(name)).ok(), name.c_str());
        QVERIFY2(w.SampleCount() > 44100 / 4, name.c_str());
    }
}

int main(int argc, char** argv) {
    g_pulse = startPulse();
    int rc = 0;
    {
        QApplication app(argc, argv);
        VoiceStudioTest test;
        rc = QTest::qExec(&test, argc, argv);
    }
    if (g_pulse) stopPulse();
    return rc;
}

#include "voice_studio_test.moc"
