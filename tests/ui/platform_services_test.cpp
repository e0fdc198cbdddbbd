// The Qt platform services: calls at a wall-clock second and the end of a sound come from the event
// loop, which keeps running meanwhile; a missing sound file plays nothing and ends at once.
#include <QDateTime>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <optional>

#include "foundation/playback.h"

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
    b.reserve(44 + samples);
    auto str = [&](const char* s) {
        for (int i = 0; i < 4; ++i) b.push_back(static_cast<std::uint8_t>(s[i]));
    };
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
    void soundReportsItsEnd();
    void planPlaysOverTheQtServices();
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
    bool due = false;
    std::int64_t dueAt = 0;
    clock.callAtSecond(start + 2, [&] {
        due = true;
        dueAt = clock.nowSeconds();
    });
    QVERIFY(!due); // never from inside the call
    QTRY_VERIFY_WITH_TIMEOUT(due, 4000);
    QVERIFY(dueAt >= start + 2);
    QVERIFY(elapsed.elapsed() >= 900);
    QVERIFY(ticks >= 5); // timers ran meanwhile: the pause is no busy wait
    QCOMPARE(clock.pendingCalls(), std::size_t(0));

    // A second already reached comes soon (before a timer armed at the same moment for less than
    // a second); a cancelled call never comes.
    bool soon = false, cancelled = false, late = false, soonFirst = false;
    QTimer::singleShot(400, [&] { late = true; });
    clock.callAtSecond(clock.nowSeconds(), [&] {
        soon = true;
        soonFirst = !late;
    });
    const Clock::CallId id = clock.callAtSecond(clock.nowSeconds() + 1, [&] { cancelled = true; });
    clock.cancelCall(id);
    clock.cancelCall(id + 100); // unknown: ignored
    QTRY_VERIFY(soon);
    QVERIFY(soonFirst);
    QTest::qWait(1200);
    QVERIFY(!cancelled);
    QCOMPARE(clock.pendingCalls(), std::size_t(0));
}

void PlatformServicesTest::soundReportsItsEnd() {
    QTemporaryDir dir;
    const QString wav = dir.path() + QStringLiteral("/one.wav");
    uitest::writeBytes(wav, silentWave(700));
    QtSoundPlayer player;
    QElapsedTimer t;
    t.start();
    int ends = 0;
    player.play((dir.path() + QStringLiteral("/missing.wav")).toStdString(), [&] { ++ends; });
    QCOMPARE(ends, 1); // a missing file plays nothing and ends at once
    QVERIFY(!player.playing());
    t.restart();
    player.play(wav.toStdString(), [&] { ++ends; });
    QVERIFY(player.playing());
    QCOMPARE(ends, 1);
    QTRY_VERIFY_WITH_TIMEOUT(ends == 2, 10000);
    QVERIFY2(t.elapsed() >= 400, qPrintable(QString::number(t.elapsed()))); // it played to its end
    QVERIFY(!player.playing());
    QTest::qWait(200);
    QCOMPARE(ends, 2); // once only

    // Stopped, or replaced by another sound: the end is reported at once, and only once.
    player.play(wav.toStdString(), [&] { ++ends; });
    player.stop();
    QCOMPARE(ends, 3);
    player.play(wav.toStdString(), [&] { ++ends; });
    player.play(wav.toStdString(), [&] { ends += 10; });
    QCOMPARE(ends, 4);
    QTRY_VERIFY_WITH_TIMEOUT(ends == 14, 10000);
    QTest::qWait(200);
    QCOMPARE(ends, 14);

    // A file that is no sound ends too (an error or invalid media), long before the watchdog.
    const QString bad = dir.path() + QStringLiteral("/bad.wav");
    uitest::writeBytes(bad, Bytes{'n', 'o', 't', ' ', 'a', ' ', 's', 'o', 'u', 'n', 'd'});
    player.play(bad.toStdString(), [&] { ++ends; });
    QTRY_VERIFY_WITH_TIMEOUT(ends == 15, 15000);
}

void PlatformServicesTest::planPlaysOverTheQtServices() {
    // Male voice, the 2-second pause, female voice: the plan ends once the seconds count has
    // advanced by 2 after the first sound, and timers run all along.
    QTemporaryDir dir;
    const QString wav = dir.path() + QStringLiteral("/one.wav");
    uitest::writeBytes(wav, silentWave(300));
    QtSoundPlayer player;
    QtClock clock;
    PlaybackRunner runner(player, clock);
    int ticks = 0;
    QTimer timer;
    connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(100);
    std::optional<PlaybackOutcome> outcome;
    QElapsedTimer t;
    t.start();
    runner.run(PlaybackPlan().play(wav.toStdString()).pause(2).play(wav.toStdString()),
               [&](PlaybackOutcome o) { outcome = o; });
    QVERIFY(runner.running());
    QTRY_VERIFY_WITH_TIMEOUT(outcome.has_value(), 15000);
    QCOMPARE(*outcome, PlaybackOutcome::Completed);
    QVERIFY2(t.elapsed() >= 1400, qPrintable(QString::number(t.elapsed())));
    QVERIFY(ticks >= 10);

    // Cancelled during its pause: it ends at once and nothing more plays.
    outcome.reset();
    runner.run(PlaybackPlan().play((dir.path() + QStringLiteral("/missing.wav")).toStdString()).pause(2).play(
                   wav.toStdString()),
               [&](PlaybackOutcome o) { outcome = o; });
    QVERIFY(runner.running());
    QCOMPARE(clock.pendingCalls(), std::size_t(1));
    runner.cancel();
    QCOMPARE(*outcome, PlaybackOutcome::Cancelled);
    QCOMPARE(clock.pendingCalls(), std::size_t(0));
    QVERIFY(!player.playing());
}

void PlatformServicesTest::webOpenerRefusesWhatIsNoAddress() {
    QtWebOpener web;
    QVERIFY(!web.openUrl(""));
    QVERIFY(!web.openUrl("not an address"));
}

QTEST_MAIN(PlatformServicesTest)
#include "platform_services_test.moc"
