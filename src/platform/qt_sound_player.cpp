#include "platform/qt_sound_player.h"

#include <algorithm>

#include <QAudioOutput>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QTimer>
#include <QUrl>

namespace lumora {

QtSoundPlayer::QtSoundPlayer()
    : output_(std::make_unique<QAudioOutput>()), player_(std::make_unique<QMediaPlayer>()) {
    player_->setAudioOutput(output_.get());
}

QtSoundPlayer::~QtSoundPlayer() { player_->stop(); }

bool QtSoundPlayer::load(const std::string& localPath) {
    if (localPath.empty()) return false;
    const QFileInfo info(QString::fromStdString(localPath));
    if (!info.isFile()) return false; // no default sound for a missing file
    player_->stop();
    player_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    return true;
}

void QtSoundPlayer::playAsync(const std::string& localPath) {
    if (!load(localPath)) return;
    player_->play();
}

void QtSoundPlayer::playSync(const std::string& localPath) {
    if (!load(localPath)) return;
    ++depth_;
    QEventLoop loop;
    // A back end that never reports the end must not hold the program for ever: a watchdog ends the
    // wait a few seconds after the sound's own length (or after 20 s while the length is unknown).
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(player_.get(), &QMediaPlayer::durationChanged, &loop, [&watchdog](qint64 ms) {
        if (ms > 0) watchdog.start(static_cast<int>(std::min<qint64>(ms + 5000, 30 * 60 * 1000)));
    });
    QObject::connect(player_.get(), &QMediaPlayer::mediaStatusChanged, &loop, [&loop](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia || s == QMediaPlayer::InvalidMedia || s == QMediaPlayer::NoMedia)
            loop.quit();
    });
    QObject::connect(player_.get(), &QMediaPlayer::errorOccurred, &loop, [&loop] { loop.quit(); });
    QObject::connect(player_.get(), &QMediaPlayer::playbackStateChanged, &loop, [&loop](QMediaPlayer::PlaybackState s) {
        if (s == QMediaPlayer::StoppedState) loop.quit();
    });
    watchdog.start(20000);
    player_->play();
    if (player_->error() == QMediaPlayer::NoError && player_->mediaStatus() != QMediaPlayer::EndOfMedia &&
        player_->mediaStatus() != QMediaPlayer::InvalidMedia)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    QObject::disconnect(player_.get(), nullptr, &loop, nullptr);
    player_->stop();
    --depth_;
}

void QtSoundPlayer::stop() { player_->stop(); }

} // namespace lumora
