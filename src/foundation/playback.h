#pragma once
// Playback as a plan: a list of steps (play a file to its end, pause n seconds, start a file and go
// on) that a runner carries out one step after the other over the platform's sound player and
// clock, without ever waiting in place. The user-interface thread stays free: the window paints
// and input arrives while a plan plays; what commands do meanwhile is up to the activity, which
// listens to the runner.
//
// One runner runs one plan at a time. Starting a plan cancels the running one; a plan can be
// cancelled at any step (the sound stops, the pending steps are dropped, its completion says
// Cancelled). A pause of n seconds ends once the clock, read in whole seconds, has advanced by n
// from the start of the pause.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "foundation/platform.h"

namespace lumora {

struct PlaybackStep {
    enum class Kind {
        Play,  // play the file to its end
        Pause, // wait until the clock in whole seconds has advanced by `seconds`
        Start, // start the file and go on at once
    };
    Kind kind = Kind::Play;
    std::string path; // local path (Play, Start)
    int seconds = 0;  // Pause
};

class PlaybackPlan {
public:
    PlaybackPlan& play(std::string localPath);
    PlaybackPlan& pause(int seconds);
    PlaybackPlan& start(std::string localPath);
    // Appends the steps of another plan.
    PlaybackPlan& append(const PlaybackPlan& other);

    const std::vector<PlaybackStep>& steps() const { return steps_; }
    bool empty() const { return steps_.empty(); }
    // True when a step plays or starts a file.
    bool playsSound() const;

private:
    std::vector<PlaybackStep> steps_;
};

enum class PlaybackOutcome { Completed, Cancelled };

// Told when a plan starts and when it ends. Every start is followed by exactly one end, though with
// a plan started from an end notification the order across listeners may interleave: count them.
class PlaybackListener {
public:
    virtual ~PlaybackListener() = default;
    virtual void playbackStarted() {}
    virtual void playbackEnded(PlaybackOutcome outcome) { (void)outcome; }
};

class PlaybackRunner {
public:
    using Completion = std::function<void(PlaybackOutcome)>;

    PlaybackRunner(SoundPlayer& player, Clock& clock);
    // Stops the sound and drops the pending call of a running plan without telling anyone: cancel()
    // first where listeners must hear of it.
    ~PlaybackRunner();
    PlaybackRunner(const PlaybackRunner&) = delete;
    PlaybackRunner& operator=(const PlaybackRunner&) = delete;

    // Cancels the running plan (if any), then runs `plan`; `done` runs when it has ended. An empty
    // plan starts and completes at once. Steps whose files are missing complete at once.
    void run(PlaybackPlan plan, Completion done = {});
    // Cancels the running plan: stops its sound, drops its pending steps, its completion and the
    // listeners hear Cancelled. Nothing happens when no plan runs.
    void cancel();
    bool running() const { return running_; }

    // Listeners are not owned; one must be removed before it is destroyed.
    void addListener(PlaybackListener& listener);
    void removeListener(PlaybackListener& listener);

private:
    void pump();
    void stepEnded(std::uint64_t token);
    void pauseDue(std::uint64_t token);
    void armPause(std::uint64_t token);
    void finish(PlaybackOutcome outcome);

    SoundPlayer& player_;
    Clock& clock_;
    std::vector<PlaybackStep> steps_;
    std::size_t next_ = 0;
    Completion done_;
    std::vector<PlaybackListener*> listeners_;
    bool running_ = false;
    bool inFlight_ = false; // a Play or Pause step waits for its end
    bool pumping_ = false;  // inside pump(): a step that ends at once does not recurse
    std::uint64_t token_ = 0; // names the step in flight; callbacks of any other are stale
    std::int64_t pauseUntil_ = 0;
    Clock::CallId call_ = 0;
};

} // namespace lumora
