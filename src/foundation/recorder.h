#pragma once
// Recording from the microphone, as the voice studio asks it of the platform: 16-bit mono PCM
// samples collected in memory between start and stop, with the input level while recording.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace lumora {

// What a recording captured: 16-bit mono samples at `rate` per second.
struct RecordedTake {
    int rate = 0;
    std::vector<std::int16_t> samples;
    bool empty() const { return samples.empty() || rate <= 0; }
};

class Recorder {
public:
    virtual ~Recorder() = default;
    // Whether an audio input device is there at all.
    virtual bool available() const = 0;
    // Starts capturing; `level` is told the input level (0..100) from the event loop while it runs.
    // False when nothing could be started (no device, the device refused): error() says why.
    virtual bool start(std::function<void(int level)> level) = 0;
    // Stops capturing and hands over what was captured (nothing when it was not recording).
    virtual RecordedTake stop() = 0;
    virtual bool recording() const = 0;
    // Why the last start failed, in words for the learner (UTF-8).
    virtual std::string error() const = 0;
};

} // namespace lumora
