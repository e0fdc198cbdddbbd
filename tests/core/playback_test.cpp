#include <gtest/gtest.h>

#include "foundation/playback.h"

#include "course_fixture.h"

using namespace lumora;
using namespace lumora::test;

namespace {

struct Counting : PlaybackListener {
    std::vector<std::string> heard;
    void playbackStarted() override { heard.push_back("started"); }
    void playbackEnded(PlaybackOutcome o) override {
        heard.push_back(o == PlaybackOutcome::Completed ? "completed" : "cancelled");
    }
};

struct RunnerFixture {
    EventLog log;
    LoggingPlayer player{log};
    LoggingClock clock{log};
    PlaybackRunner runner{player, clock};
    Counting listener;
    std::vector<PlaybackOutcome> outcomes;
    RunnerFixture() { runner.addListener(listener); }
    void run(PlaybackPlan plan) {
        runner.run(std::move(plan), [this](PlaybackOutcome o) { outcomes.push_back(o); });
    }
};

} // namespace

TEST(PlaybackRunner, StepsRunInOrderAndAsyncStartsGoOnAtOnce) {
    RunnerFixture f;
    f.run(PlaybackPlan().play("a").pause(2).start("b").play("c").pause(0));
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"play:a", "wait:2", "async:b", "play:c"}));
    EXPECT_EQ(f.outcomes, (std::vector<PlaybackOutcome>{PlaybackOutcome::Completed}));
    EXPECT_EQ(f.listener.heard, (std::vector<std::string>{"started", "completed"}));
    EXPECT_FALSE(f.runner.running());
    EXPECT_EQ(f.clock.now, 1002);

    // An empty plan starts and ends at once.
    f.run(PlaybackPlan());
    EXPECT_EQ(f.outcomes.back(), PlaybackOutcome::Completed);
    EXPECT_EQ(f.listener.heard.size(), 4u);
}

TEST(PlaybackRunner, EachStepWaitsForItsEnd) {
    RunnerFixture f;
    f.player.hold = true;
    f.clock.hold = true;
    f.run(PlaybackPlan().play("m").pause(2).play("w"));
    EXPECT_TRUE(f.runner.running());
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"play:m"}));
    f.player.finish();
    EXPECT_EQ(f.log.events.back(), "wait:2");
    // The pause lasts until the seconds count has advanced by 2: a call that comes early (or at the
    // next second only) is made again for the same second.
    f.clock.fireEarly();
    f.clock.advanceTo(1001);
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"play:m", "wait:2", "wait:2"}));
    EXPECT_EQ(f.clock.pendingCalls(), 1u);
    f.clock.advanceTo(1002);
    EXPECT_EQ(f.log.events.back(), "play:w");
    EXPECT_TRUE(f.outcomes.empty());
    f.player.finish();
    EXPECT_EQ(f.outcomes, (std::vector<PlaybackOutcome>{PlaybackOutcome::Completed}));
}

TEST(PlaybackRunner, CancelAtEachStepKind) {
    // The plan: start "a", play "b", pause 2, play "c". Cancelled after `ends` steps have ended
    // (the async start ends at once), it stops the sound and never plays what is left.
    const struct {
        int ends; // 0: while "b" plays; 1: during the pause
        std::vector<std::string> log;
    } cases[] = {
        {0, {"async:a", "play:b", "stop"}},
        {1, {"async:a", "play:b", "wait:2", "stop"}},
    };
    for (const auto& c : cases) {
        RunnerFixture f;
        f.player.hold = true;
        f.clock.hold = true;
        f.run(PlaybackPlan().start("a").play("b").pause(2).play("c"));
        if (c.ends >= 1) f.player.finish();
        f.runner.cancel();
        EXPECT_EQ(f.log.events, c.log) << c.ends;
        EXPECT_EQ(f.outcomes, (std::vector<PlaybackOutcome>{PlaybackOutcome::Cancelled})) << c.ends;
        EXPECT_EQ(f.listener.heard, (std::vector<std::string>{"started", "cancelled"})) << c.ends;
        EXPECT_EQ(f.clock.pendingCalls(), 0u) << c.ends;
        EXPECT_FALSE(f.runner.running());
        // Late reports of the cancelled steps change nothing; a second cancel does nothing.
        f.player.finish();
        f.clock.advanceTo(2000);
        f.runner.cancel();
        EXPECT_EQ(f.log.events, c.log) << c.ends;
        EXPECT_EQ(f.outcomes.size(), 1u);
    }
}

TEST(PlaybackRunner, NewPlanReplacesTheRunningOne) {
    RunnerFixture f;
    f.player.hold = true;
    std::vector<std::string> order;
    f.runner.run(PlaybackPlan().play("first").pause(2).play("first-2"), [&](PlaybackOutcome o) {
        order.push_back(o == PlaybackOutcome::Cancelled ? "first cancelled" : "first completed");
    });
    f.runner.run(PlaybackPlan().play("second"), [&](PlaybackOutcome o) {
        order.push_back(o == PlaybackOutcome::Cancelled ? "second cancelled" : "second completed");
    });
    EXPECT_EQ(order, (std::vector<std::string>{"first cancelled"}));
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"play:first", "stop", "play:second"}));
    f.player.finish();
    EXPECT_EQ(order, (std::vector<std::string>{"first cancelled", "second completed"}));
    EXPECT_EQ(f.listener.heard, (std::vector<std::string>{"started", "cancelled", "started", "completed"}));
    EXPECT_EQ(f.log.events.size(), 3u); // nothing of the first plan played after all
}

TEST(PlaybackRunner, MissingFileEndsAtOnceAndThePlanGoesOn) {
    RunnerFixture f;
    f.player.hold = true;
    f.player.missing = {"gone"};
    f.run(PlaybackPlan().play("gone").pause(2).play("here"));
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"wait:2", "play:here"}));
    f.player.finish();
    EXPECT_EQ(f.outcomes, (std::vector<PlaybackOutcome>{PlaybackOutcome::Completed}));
}

TEST(PlaybackRunner, PlanStartedFromAnEndRunsAndListenersStayBalanced) {
    RunnerFixture f;
    f.player.hold = true;
    int chained = 0;
    f.runner.run(PlaybackPlan().play("one"), [&](PlaybackOutcome) {
        if (chained++ == 0) f.runner.run(PlaybackPlan().play("two"));
    });
    f.player.finish();
    EXPECT_TRUE(f.runner.running());
    EXPECT_EQ(f.log.events, (std::vector<std::string>{"play:one", "play:two"}));
    f.player.finish();
    EXPECT_FALSE(f.runner.running());
    EXPECT_EQ(f.listener.heard, (std::vector<std::string>{"started", "completed", "started", "completed"}));

    // A listener removed meanwhile hears nothing more; a destroyed runner stops its sound quietly.
    f.runner.removeListener(f.listener);
    {
        PlaybackRunner other(f.player, f.clock);
        other.addListener(f.listener);
        other.run(PlaybackPlan().play("three"));
        EXPECT_TRUE(f.player.playing());
    }
    EXPECT_FALSE(f.player.playing());
    EXPECT_EQ(f.log.events.back(), "stop");
    EXPECT_EQ(f.listener.heard.size(), 5u); // "started" of the destroyed runner's plan only
}
