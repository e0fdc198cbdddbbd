#include "foundation/playback.h"

#include <algorithm>
#include <utility>

namespace lumora {

PlaybackPlan& PlaybackPlan::play(std::string localPath) {
    steps_.push_back({PlaybackStep::Kind::Play, std::move(localPath), 0});
    return *this;
}

PlaybackPlan& PlaybackPlan::pause(int seconds) {
    steps_.push_back({PlaybackStep::Kind::Pause, {}, seconds});
    return *this;
}

PlaybackPlan& PlaybackPlan::start(std::string localPath) {
    steps_.push_back({PlaybackStep::Kind::Start, std::move(localPath), 0});
    return *this;
}

PlaybackPlan& PlaybackPlan::append(const PlaybackPlan& other) {
    steps_.insert(steps_.end(), other.steps_.begin(), other.steps_.end());
    return *this;
}

bool PlaybackPlan::playsSound() const {
    return std::any_of(steps_.begin(), steps_.end(),
                       [](const PlaybackStep& s) { return s.kind != PlaybackStep::Kind::Pause; });
}

PlaybackRunner::PlaybackRunner(SoundPlayer& player, Clock& clock) : player_(player), clock_(clock) {}

PlaybackRunner::~PlaybackRunner() {
    if (!running_) return;
    running_ = false;
    ++token_;
    if (call_ != 0) clock_.cancelCall(call_);
    player_.stop();
}

void PlaybackRunner::addListener(PlaybackListener& listener) {
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end())
        listeners_.push_back(&listener);
}

void PlaybackRunner::removeListener(PlaybackListener& listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), &listener), listeners_.end());
}

void PlaybackRunner::run(PlaybackPlan plan, Completion done) {
    // A listener may start yet another plan when told of the cancellation: that one goes too.
    while (running_) finish(PlaybackOutcome::Cancelled);
    steps_ = plan.steps();
    next_ = 0;
    done_ = std::move(done);
    running_ = true;
    inFlight_ = false;
    const std::uint64_t token = ++token_;
    const std::vector<PlaybackListener*> listeners = listeners_;
    for (PlaybackListener* l : listeners) {
        if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end()) l->playbackStarted();
        if (token != token_) return; // a listener cancelled or replaced the plan
    }
    pump();
}

void PlaybackRunner::cancel() {
    if (running_) finish(PlaybackOutcome::Cancelled);
}

void PlaybackRunner::pump() {
    if (pumping_) return; // the loop below goes on once the step that ended at once returns
    pumping_ = true;
    while (running_ && !inFlight_) {
        if (next_ >= steps_.size()) {
            pumping_ = false;
            finish(PlaybackOutcome::Completed);
            return;
        }
        const PlaybackStep step = steps_[next_++];
        switch (step.kind) {
        case PlaybackStep::Kind::Start:
            player_.playAsync(step.path);
            break;
        case PlaybackStep::Kind::Play: {
            inFlight_ = true;
            const std::uint64_t token = ++token_;
            player_.play(step.path, [this, token] { stepEnded(token); });
            break;
        }
        case PlaybackStep::Kind::Pause:
            if (step.seconds <= 0) break;
            inFlight_ = true;
            pauseUntil_ = clock_.nowSeconds() + step.seconds;
            armPause(++token_);
            break;
        }
    }
    pumping_ = false;
}

void PlaybackRunner::armPause(std::uint64_t token) {
    call_ = 0;
    const Clock::CallId id = clock_.callAtSecond(pauseUntil_, [this, token] { pauseDue(token); });
    // A call made before callAtSecond returned has cleared the step already.
    if (token == token_ && inFlight_) call_ = id;
}

void PlaybackRunner::stepEnded(std::uint64_t token) {
    if (!running_ || !inFlight_ || token != token_) return; // a step of a cancelled plan, or told twice
    inFlight_ = false;
    pump();
}

void PlaybackRunner::pauseDue(std::uint64_t token) {
    if (!running_ || !inFlight_ || token != token_) return;
    call_ = 0;
    if (clock_.nowSeconds() < pauseUntil_) {
        armPause(++token_); // called early: the pause lasts until the seconds count has advanced
        return;
    }
    inFlight_ = false;
    pump();
}

void PlaybackRunner::finish(PlaybackOutcome outcome) {
    if (!running_) return;
    const bool stopSound = outcome == PlaybackOutcome::Cancelled;
    running_ = false;
    inFlight_ = false;
    ++token_;
    steps_.clear();
    next_ = 0;
    if (call_ != 0) {
        const Clock::CallId id = call_;
        call_ = 0;
        clock_.cancelCall(id);
    }
    // The sound's own end report is stale now and ignored.
    if (stopSound) player_.stop();
    Completion done = std::move(done_);
    done_ = {};
    const std::vector<PlaybackListener*> listeners = listeners_;
    for (PlaybackListener* l : listeners)
        if (std::find(listeners_.begin(), listeners_.end(), l) != listeners_.end()) l->playbackEnded(outcome);
    if (done) done(outcome);
}

} // namespace lumora
