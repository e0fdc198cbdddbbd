#pragma once
// Playing WAVE files with Qt Multimedia. Synchronous playback waits in a local event loop that
// keeps the window painting but holds user input back until the sound has ended.
#include <memory>

#include "foundation/platform.h"

class QMediaPlayer;
class QAudioOutput;

namespace lumora {

class QtSoundPlayer final : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;

    void playSync(const std::string& localPath) override;
    void playAsync(const std::string& localPath) override;
    void stop() override;

    bool busy() const { return depth_ > 0; }

private:
    bool load(const std::string& localPath);
    std::unique_ptr<QAudioOutput> output_;
    std::unique_ptr<QMediaPlayer> player_;
    int depth_ = 0;
};

} // namespace lumora
