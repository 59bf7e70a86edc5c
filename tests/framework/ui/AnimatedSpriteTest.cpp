// Frame-strip animations: the four step modes, loops and repeat delays, holds, late frames,
// pauses of the owner, and drawing relative to the owner.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <vector>

#include "ControlScene.h"
#include "framework/ui/AnimatedSprite.h"

namespace {

constexpr int32_t kStrip = 60;

// A sprite on an owner at (40, 30); time is driven by the test: `At(ms)` moves the manager's
// game time to `ms` after the scene's start and runs one update of the sprite there.
struct SpriteScene : ControlScene {
    ProbeWidget* owner;
    AnimatedSprite* sprite;
    uint32_t start = 0;
    uint32_t origin = 0;

    explicit SpriteScene(int32_t frames, AnimatedSprite* s = new AnimatedSprite)
        : owner(nullptr), sprite(s) {
        h.display.AddImage(kStrip, frames * 10, 12);
        owner = h.NewWidget("owner", 5, 5);
        owner->draws = false;
        ProbeWidget* o = owner;
        Show([o](ProbeScreen& screen) { screen.AddWidget(o, 40, 30); });
        sprite->SetImage(3, 4, kStrip, 10);
        owner->AddEffect(sprite);
        Frame();
        start = h.manager.GetGameTime();
    }
    // One frame; learns the clock reading at game time 0 from it (frames sleep the fake clock).
    void Frame() {
        h.clock.sleeps.clear();
        h.manager.OnFrameTimer();
        uint32_t slept = 0;
        for (uint32_t ms : h.clock.sleeps) slept += ms;
        origin = h.clock.now - slept - h.manager.GetGameTime();
    }
    void SetTime(uint32_t ms) {
        h.clock.now = origin + start + ms;
        Frame();
    }
    bool At(uint32_t ms) {
        SetTime(ms);
        return sprite->Update(h.manager.GetGameTime());
    }
    // Frames after updates every `step` ms from `from`, `count` times.
    std::vector<int32_t> Sequence(uint32_t from, uint32_t step, int count) {
        std::vector<int32_t> frames;
        for (int i = 0; i < count; ++i) {
            At(from + step * static_cast<uint32_t>(i));
            frames.push_back(sprite->GetFrame());
        }
        return frames;
    }
};

class CountingSprite : public AnimatedSprite {
public:
    int steps = 0;
    int draws = 0;
    void OnStep() override { ++steps; }
    void AfterDraw() override { ++draws; }
};

}  // namespace

TEST(SpriteLoop, FourFramesTwoLoopsStopOnTheLastFrame) {
    SpriteScene c(4);
    EXPECT_EQ(c.sprite->GetFrameCount(), 4);
    c.sprite->Run(AnimatedSprite::kModeLoop, 100, 2, 0);
    c.At(1000);
    EXPECT_EQ(c.Sequence(1100, 100, 8), (std::vector<int32_t>{1, 2, 3, 0, 1, 2, 3, 3}));
    EXPECT_FALSE(c.sprite->IsRunning());
    EXPECT_TRUE(c.Drawn(kStrip).empty());
    c.sprite->SetDrawWhenStopped(true);
    auto draws = c.Drawn(kStrip);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].source, (Rect{30, 0, 40, 12}));
}

TEST(SpriteLoop, LateFrameMakesAllItsStepsAtOnceAndRestartsTheInterval) {
    SpriteScene c(8);
    c.sprite->Run(AnimatedSprite::kModeLoop, 100, AnimatedSprite::kForever, 0);
    EXPECT_FALSE(c.At(1000));
    EXPECT_FALSE(c.At(1099));
    EXPECT_TRUE(c.At(1350));
    EXPECT_EQ(c.sprite->GetFrame(), 3);
    EXPECT_FALSE(c.At(1449));
    EXPECT_TRUE(c.At(1450));
    EXPECT_EQ(c.sprite->GetFrame(), 4);
}

TEST(SpriteLoop, RepeatDelayHoldsBetweenCyclesThenReloadsTheLoops) {
    SpriteScene c(2);
    c.sprite->SetRepeatDelay(500);
    c.sprite->Run(AnimatedSprite::kModeLoop, 100, 1, 0);
    c.At(1000);
    c.At(1100);
    c.At(1200);  // past the last frame: the loop ends, a hold of 500 begins
    EXPECT_EQ(c.sprite->GetFrame(), 0);
    EXPECT_TRUE(c.sprite->IsHolding());
    EXPECT_EQ(c.sprite->GetLoopsRemaining(), 1);
    EXPECT_FALSE(c.At(1699));
    EXPECT_FALSE(c.At(1700));  // the hold ends here; stepping restarts from now
    EXPECT_FALSE(c.sprite->IsHolding());
    EXPECT_TRUE(c.At(1800));
    EXPECT_EQ(c.sprite->GetFrame(), 1);
    EXPECT_TRUE(c.sprite->IsRunning());
}

TEST(SpriteLoop, StopRequestEndsTheSpriteAtTheEndOfItsLoop) {
    SpriteScene c(3);
    c.sprite->Run(AnimatedSprite::kModeLoop, 100, AnimatedSprite::kForever, 0);
    c.At(1000);
    c.At(1100);
    c.sprite->RequestStop();
    c.At(1200);
    EXPECT_TRUE(c.sprite->IsRunning());
    c.At(1300);
    EXPECT_FALSE(c.sprite->IsRunning());
    EXPECT_EQ(c.sprite->GetFrame(), 0);
    // A request seen while holding stops at the end of the hold.
    c.sprite->Run(AnimatedSprite::kModeLoop, 100, AnimatedSprite::kForever, 300);
    c.sprite->RequestStop();
    c.At(2000);
    EXPECT_TRUE(c.At(2300));
    EXPECT_FALSE(c.sprite->IsRunning());
}

// The direction turns on the step taken at an end frame, so each end frame shows for two steps.
TEST(SpritePingPong, RunsBackAndForthAndEndsALoopOnTheStepAtFrameZero) {
    SpriteScene c(4);
    c.sprite->Run(AnimatedSprite::kModePingPong, 100, 1, 0);
    c.At(1000);
    EXPECT_EQ(c.Sequence(1100, 100, 7), (std::vector<int32_t>{1, 2, 3, 3, 2, 1, 0}));
    EXPECT_TRUE(c.sprite->IsRunning());
    c.At(1800);
    EXPECT_EQ(c.sprite->GetFrame(), 0);
    EXPECT_FALSE(c.sprite->IsRunning());
}

TEST(SpriteStepHook, ModeZeroCallsTheHookOncePerStep) {
    auto* counting = new CountingSprite;
    SpriteScene c(4, counting);
    c.sprite->Run(AnimatedSprite::kModeStep, 50, AnimatedSprite::kForever, 0);
    c.At(1000);
    c.At(1175);
    EXPECT_EQ(counting->steps, 3);
    EXPECT_EQ(c.sprite->GetFrame(), 0);
    c.Drawn(kStrip);
    EXPECT_EQ(counting->draws, 1);
}

TEST(SpriteHold, RandomDelayLiesInItsBoundsEitherWayRoundAndHidesTheSpriteWhenAsked) {
    for (int i = 0; i < 50; ++i) {
        SpriteScene c(6);
        c.sprite->Start(100, 3, 1, 1, 0, AnimatedSprite::kForever, AnimatedSprite::kRandomDelay,
                        false);
        ASSERT_GE(c.sprite->GetHold(), 250);
        ASSERT_LE(c.sprite->GetHold(), 1249);
        if (i == 0) {
            EXPECT_TRUE(c.Drawn(kStrip).empty());
            c.At(1000);
            c.At(1000 + static_cast<uint32_t>(c.sprite->GetHold()));
            EXPECT_EQ(c.Drawn(kStrip).size(), 1u);
        }
    }
    SpriteScene fixed(6);
    fixed.sprite->SetRandomDelayBounds(400, 400);
    fixed.sprite->Run(AnimatedSprite::kModeLoop, 100, 1, AnimatedSprite::kRandomDelay);
    EXPECT_EQ(fixed.sprite->GetHold(), 400);
    EXPECT_EQ(fixed.Drawn(kStrip).size(), 1u);  // drawn during holds unless told otherwise
    // The span excludes the maximum, and the remainder of a reversed span lies above the minimum.
    std::set<int32_t> holds;
    for (int i = 0; i < 40; ++i) {
        fixed.sprite->SetRandomDelayBounds(400, 401);
        fixed.sprite->Run(AnimatedSprite::kModeLoop, 100, 1, AnimatedSprite::kRandomDelay);
        ASSERT_EQ(fixed.sprite->GetHold(), 400);
        fixed.sprite->SetRandomDelayBounds(1000, 400);
        fixed.sprite->Run(AnimatedSprite::kModeLoop, 100, 1, AnimatedSprite::kRandomDelay);
        ASSERT_TRUE(fixed.sprite->GetHold() >= 1000 && fixed.sprite->GetHold() < 1600) << fixed.sprite->GetHold();
        holds.insert(fixed.sprite->GetHold());
    }
    EXPECT_GT(holds.size(), 1u);
}

TEST(SpritePause, DisabledOwnerDelaysTheStepByThePausedSpan) {
    SpriteScene c(8);
    c.sprite->Run(AnimatedSprite::kModeLoop, 100, AnimatedSprite::kForever, 0);
    c.At(1000);
    c.SetTime(1060);
    c.owner->SetEnabled(false);
    EXPECT_FALSE(c.At(2000));
    c.SetTime(3060);
    c.owner->SetEnabled(true);
    EXPECT_FALSE(c.At(3099));
    EXPECT_EQ(c.sprite->GetFrame(), 0);
    EXPECT_TRUE(c.At(3100));
    EXPECT_EQ(c.sprite->GetFrame(), 1);
}

TEST(SpritePause, OwnPauseAndClockPauseMustBothEnd) {
    SpriteScene c(8);
    c.sprite->Run(AnimatedSprite::kModeLoop, 100, AnimatedSprite::kForever, 0);
    c.At(1000);
    c.SetTime(1050);
    c.sprite->SetPaused(true);
    c.SetTime(1100);
    c.owner->SetEnabled(false);
    c.SetTime(1500);
    c.owner->SetEnabled(true);
    EXPECT_FALSE(c.At(2000));  // still paused by its owner
    c.sprite->SetPaused(false);
    EXPECT_FALSE(c.At(2049));
    EXPECT_TRUE(c.At(2050));
}

TEST(SpriteWander, StaysOnTheStripAndHoldsAtEachTurn) {
    for (int run = 0; run < 20; ++run) {
        SpriteScene c(10);
        c.sprite->Start(10, 5, 2, 2, 30, AnimatedSprite::kForever, 0, true);
        int32_t first = c.sprite->GetFrame();
        ASSERT_NE(first, 5);
        ASSERT_EQ(c.sprite->IsForward(), first < 5);
        uint32_t t = 1000;
        c.At(t);
        int turns = 0;
        for (int i = 0; i < 300; ++i) {
            t += 10;
            bool wasForward = c.sprite->IsForward();
            c.At(t);
            int32_t frame = c.sprite->GetFrame();
            ASSERT_GE(frame, 0);
            ASSERT_LE(frame, 9);
            if (c.sprite->IsForward() != wasForward) {
                ++turns;
                ASSERT_EQ(c.sprite->GetHold(), 30);
                ASSERT_EQ(frame, c.sprite->GetTurnFrame());
                // Forward turns lie at least the forward range past the pivot, backward ones at
                // least the backward range before it.
                if (wasForward) ASSERT_GE(frame, 7);
                else ASSERT_LE(frame, 3);
                t += 30;
                c.At(t);
            }
        }
        EXPECT_GT(turns, 4);
    }
}

// With the forward range reaching the strip's end the turning point is the frame count: the
// sprite takes one step past its last frame, which draws as the last, and turns there.
TEST(SpriteWander, ForwardRangeReachingTheEndTurnsAtTheFrameCount) {
    SpriteScene c(6);
    c.sprite->Start(10, 3, 1, 3, 0, AnimatedSprite::kForever, 0, true);
    uint32_t t = 1000;
    c.At(t);
    int forwardTurns = 0;
    for (int i = 0; i < 200; ++i) {
        const bool wasForward = c.sprite->IsForward();
        c.At(t += 10);
        ASSERT_LE(c.sprite->GetFrame(), 6);
        if (wasForward && !c.sprite->IsForward()) {
            ++forwardTurns;
            ASSERT_EQ(c.sprite->GetFrame(), 6);
        }
    }
    EXPECT_GT(forwardTurns, 0);
}

// Ranges that pass the strip's ends turn on its end frames, and ranges of 0 a frame beyond the
// pivot, so the sprite stays on the strip.
TEST(SpriteWander, RangesPastTheEndsOrOfZeroTurnOnTheStrip) {
    for (const auto& [pivot, backward, forward] : {std::array{3, 1, 4}, {2, 4, 1}, {2, 0, 0}}) {
        SpriteScene c(6);
        c.sprite->Start(10, pivot, backward, forward, 0, AnimatedSprite::kForever, 0, true);
        for (uint32_t t = 1000; t < 3000; t += 10) {
            c.At(t);
            ASSERT_TRUE(c.sprite->GetFrame() >= 0 && c.sprite->GetFrame() <= 5) << pivot << " at " << t;
        }
    }
}

TEST(SpriteWander, SingleFrameStripStartsAtFrameZero) {
    SpriteScene c(1);
    c.sprite->Start(100, 3, 1, 1, 0, AnimatedSprite::kForever, 0, true);
    EXPECT_EQ(c.sprite->GetFrame(), 0);
    EXPECT_TRUE(c.sprite->IsForward());
}

TEST(SpriteDraw, DrawsItsFrameRelativeToTheOwnerPlainOrKeyed) {
    SpriteScene c(4);
    c.sprite->SetAlpha(77);
    c.sprite->SetFrame(2);
    c.sprite->Run(AnimatedSprite::kModeLoop, 100, AnimatedSprite::kForever, 0);
    c.sprite->SetFrame(2);
    auto draws = c.Drawn(kStrip);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].op, RecordingDisplay::Op::Image);
    EXPECT_EQ(draws[0].x, 43);
    EXPECT_EQ(draws[0].y, 34);
    EXPECT_EQ(draws[0].source, (Rect{20, 0, 30, 12}));
    EXPECT_EQ(draws[0].alpha, 77);
    c.sprite->SetKeyed(true, 0x00FF00FF);
    c.sprite->SetFrame(40);  // out of range: the last frame is drawn
    draws = c.Drawn(kStrip);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].op, RecordingDisplay::Op::KeyedImage);
    EXPECT_EQ(draws[0].colour, 0x00FF00FFu);
    EXPECT_EQ(draws[0].source, (Rect{30, 0, 40, 12}));
}

TEST(SpriteDraw, BadStripsAndIntervalsAreHarmless) {
    SpriteScene c(4);
    c.sprite->SetImage(0, 0, kStrip, 0);  // no frame width
    c.sprite->Run(AnimatedSprite::kModeLoop, 0, AnimatedSprite::kForever, 0);
    c.At(1000);
    EXPECT_TRUE(c.At(1010));
    EXPECT_TRUE(c.Drawn(kStrip).empty());
    c.sprite->SetImage(0, 0, 999, 10);  // no such image
    c.sprite->Start(100, 2, 1, 1, 0, 1, 0, true);
    c.At(2000);
    c.At(2500);
    EXPECT_TRUE(c.Drawn(kStrip).empty());
}
