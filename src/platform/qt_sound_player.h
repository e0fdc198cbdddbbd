#pragma once
// Playing WAVE files with Qt Multimedia, without waiting in place: play() starts the sound and
// returns; its end (end of media, an error, invalid media, or a watchdog for a back end that never
// reports the end) is reported from the event loop.
#include <cstdint>
#include <functional>
#include <memory>

#include <QObject>
#include <QTimer>

#include "foundation/platform.h"

class QMediaPlayer;
class QAudioOutput;

namespace lumora {

class QtSoundPlayer final : public QObject, public SoundPlayer {
    Q_OBJECT
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    void play(const std::string& localPath, std::function<void()> ended) override;
    void playAsync(const std::string& localPath) override;
    void stop() override;

    // True while a sound started by play() has not reported its end.
    bool playing() const { return static_cast<bool>(ended_); }

private:
    bool start(const std::string& localPath);
    // The sound numbered `sound` has ended: its callback runs (once), from the event loop.
    void endLater(std::uint64_t sound);
    void end();

    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    QTimer watchdog_;
    std::function<void()> ended_;
    std::uint64_t sound_ = 0; // numbers the sounds started, so that a late report of an old one is ignored
};

} // namespace lumora
