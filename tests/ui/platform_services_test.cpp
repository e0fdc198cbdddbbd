// The Qt platform services: pauses and synchronous playback wait in a local event loop that keeps
// timers running; a missing sound file plays nothing.
#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "platform/qt_clock.h"
#include "platform/qt_sound_player.h"
#include "platform/qt_web_opener.h"
#include "ui/ui_fixture.h"

using namespace lumora;

namespace {
// A mono 8-bit PCM WAVE file of `ms` milliseconds of silence at 11025 Hz.
Bytes silentWave(int ms) {
    const std::uint32_t samples = static_cast<std::uint32_t>(11025 * ms / 1000);
    Bytes b;
    auto str = [&](const char* s) { b.insert(b.end(), s, s + 4); };
    auto u32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    };
    auto u16 = [&](std::uint16_t v) {
        b.push_back(static_cast<std::uint8_t>(v & 0xFF));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
    };
    str("RIFF");
    u32(36 + samples);
    str("WAVE");
    str("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(11025);
    u32(11025);
    u16(1);
    u16(8);
    str("data");
    u32(samples);
    b.insert(b.end(), samples, 0x80);
    return b;
}
} // namespace

class PlatformServicesTest : public QObject {
    Q_OBJECT
private slots:
    void pauseKeepsTimersRunning();
    void synchronousPlaybackWaitsForTheEnd();
    void webOpenerRefusesWhatIsNoAddress();
};

void PlatformServicesTest::pauseKeepsTimersRunning() {
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(100);
    QtClock clock;
    const std::int64_t start = clock.nowSeconds();
    QElapsedTimer elapsed;
    elapsed.start();
    // Two whole seconds on the clock: between one and two seconds of real time.
    clock.waitSeconds(2);
    QVERIFY(clock.nowSeconds() >= start + 2);
    QVERIFY(elapsed.elapsed() >= 900);
    QVERIFY(ticks >= 5); // timers ran meanwhile: the pause is no busy wait
    elapsed.restart();
    clock.waitSeconds(0); // nothing to wait for
    QVERIFY(elapsed.elapsed() < 500);
}

void PlatformServicesTest::synchronousPlaybackWaitsForTheEnd() {
    QTemporaryDir dir;
    const QString wav = dir.path() + QStringLiteral("/one.wav");
    uitest::writeBytes(wav, silentWave(700));
    QtSoundPlayer player;
    QElapsedTimer t;
    t.start();
    player.playSync((dir.path() + QStringLiteral("/missing.wav")).toStdString());
    QVERIFY(t.elapsed() < 500); // a missing file plays nothing
    QVERIFY(!player.busy());
    t.restart();
    player.playSync(wav.toStdString());
    QVERIFY2(t.elapsed() >= 400, qPrintable(QString::number(t.elapsed()))); // it played to its end
    QVERIFY(!player.busy());
}

void PlatformServicesTest::webOpenerRefusesWhatIsNoAddress() {
    QtWebOpener web;
    QVERIFY(!web.openUrl(""));
    QVERIFY(!web.openUrl("not an address"));
}

QTEST_MAIN(PlatformServicesTest)
#include "platform_services_test.moc"
