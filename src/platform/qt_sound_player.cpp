#include "platform/qt_sound_player.h"

#include <algorithm>
#include <utility>

#include <QAudioOutput>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QUrl>

namespace lumora {

namespace {
// A back end that never reports the end must not hold a plan for ever: the watchdog ends the sound
// a few seconds after its own length, or after 20 s while the length is unknown.
constexpr int kUnknownLengthMs = 20000;
constexpr qint64 kGraceMs = 5000;
constexpr qint64 kLongestMs = 30 * 60 * 1000;
} // namespace

QtSoundPlayer::QtSoundPlayer()
    : output_(std::make_unique<QAudioOutput>()), player_(std::make_unique<QMediaPlayer>()) {
    player_->setAudioOutput(output_.get());
    watchdog_.setSingleShot(true);
    connect(&watchdog_, &QTimer::timeout, this, [this] { stop(); });
    connect(player_.get(), &QMediaPlayer::durationChanged, this, [this](qint64 ms) {
        if (ms > 0 && ended_) watchdog_.start(static_cast<int>(std::min(ms + kGraceMs, kLongestMs)));
    });
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus s) {
        if (s == QMediaPlayer::EndOfMedia || s == QMediaPlayer::InvalidMedia) endLater(sound_);
    });
    connect(player_.get(), &QMediaPlayer::errorOccurred, this, [this] { endLater(sound_); });
}

QtSoundPlayer::~QtSoundPlayer() {
    ended_ = {}; // nobody is told any more
    disconnect(player_.get(), nullptr, this, nullptr);
    player_->stop();
}

bool QtSoundPlayer::start(const std::string& localPath) {
    // The sound playing gives way: its end is reported now.
    stop();
    ++sound_;
    if (localPath.empty()) return false;
    const QFileInfo info(QString::fromStdString(localPath));
    if (!info.isFile()) return false; // no default sound for a missing file
    player_->setSource(QUrl::fromLocalFile(info.absoluteFilePath()));
    player_->play();
    return true;
}

void QtSoundPlayer::play(const std::string& localPath, std::function<void()> ended) {
    if (!start(localPath)) {
        if (ended) ended();
        return;
    }
    ended_ = std::move(ended);
    if (!ended_) return;
    watchdog_.start(kUnknownLengthMs);
    const qint64 ms = player_->duration();
    if (ms > 0) watchdog_.start(static_cast<int>(std::min(ms + kGraceMs, kLongestMs)));
    // A back end that failed at once has reported it before the callback was kept.
    if (player_->error() != QMediaPlayer::NoError || player_->mediaStatus() == QMediaPlayer::InvalidMedia)
        endLater(sound_);
}

void QtSoundPlayer::playAsync(const std::string& localPath) { start(localPath); }

void QtSoundPlayer::endLater(std::uint64_t sound) {
    // Reported from the event loop, never from inside the player's own signal: the callback may
    // start the next sound on this player.
    QTimer::singleShot(0, this, [this, sound] {
        if (sound == sound_) end();
    });
}

void QtSoundPlayer::end() {
    watchdog_.stop();
    std::function<void()> ended = std::move(ended_);
    ended_ = {};
    if (ended) ended();
}

void QtSoundPlayer::stop() {
    player_->stop();
    end();
}

} // namespace lumora
