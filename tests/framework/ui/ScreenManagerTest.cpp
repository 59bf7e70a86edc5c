#include <gtest/gtest.h>

#include "UiHarness.h"

namespace {

using Op = RecordingDisplay::Op;

TEST(ScreenManagerLifecycle, StartNeedsAWindowAndStopClosesWithoutNotices) {
    UiHarness h(false);
    h.window.hasHandle = false;
    EXPECT_FALSE(h.manager.Start(&h.window, false, 25));
    EXPECT_FALSE(h.manager.IsRunning());
    h.window.hasHandle = true;
    ASSERT_TRUE(h.manager.Start(&h.window, false, 25));
    EXPECT_TRUE(h.window.timerRunning);
    EXPECT_EQ(h.window.timerInterval, 25u);
    EXPECT_EQ(h.sound.calls.front(), "Init");

    h.manager.PushScreen(h.NewScreen("A"), false, false, false);
    h.manager.Stop();
    EXPECT_FALSE(h.Logged("A:Close"));
    EXPECT_TRUE(h.Logged("A:deleted"));
    EXPECT_FALSE(h.window.timerRunning);
    EXPECT_EQ(h.sound.calls.back(), "Shutdown");
}

TEST(ScreenManagerLifecycle, FailedDisplayModeIsReportedAndRetriedAtDesktopDepth) {
    UiHarness h(false);
    h.display.setModeResults = {-5, -6};
    EXPECT_FALSE(h.manager.Start(&h.window, true, 25));
    EXPECT_EQ(h.display.setModeCalls, 2);
    EXPECT_EQ(h.display.reportedErrors, std::vector<int32_t>{-6});

    UiHarness windowed(false);
    windowed.display.setModeResults = {-5};
    EXPECT_FALSE(windowed.manager.Start(&windowed.window, false, 25));
    EXPECT_EQ(windowed.display.setModeCalls, 1);
}

TEST(ScreenManagerLifecycle, CloseAllScreensNotifiesBottomFirst) {
    UiHarness h;
    h.manager.PushScreen(h.NewScreen("A"), false, false, false);
    h.manager.PushScreen(h.NewScreen("B"), true, false, false);
    h.manager.CloseAllScreens();
    EXPECT_LT(h.IndexOf("A:Close"), h.IndexOf("B:Close"));
    EXPECT_TRUE(h.manager.GetScreens().empty());
    EXPECT_FALSE(h.manager.IsRunning());
}

TEST(ScreenManagerStack, PushReplaceAndPopWithTheirNotices) {
    UiHarness h;
    ProbeScreen* a = h.NewScreen("A");
    ProbeScreen* b = h.NewScreen("B");
    ProbeScreen* c = h.NewScreen("C");
    h.manager.PushScreen(a, false, false, false);
    h.manager.PushScreen(b, true, false, false);
    EXPECT_TRUE(h.Logged("A:Inactive"));
    h.manager.ReplaceTopScreen(c, false, false);
    EXPECT_TRUE(h.Logged("B:Close"));
    EXPECT_FALSE(h.Logged("A:Active"));  // the screen below stays covered
    EXPECT_EQ(h.manager.GetScreens(), (std::vector<Screen*>{a, c}));
    EXPECT_EQ(h.manager.PopScreens(false, 1), a);
    EXPECT_TRUE(h.Logged("C:Close"));
    EXPECT_TRUE(h.Logged("A:Active"));
    h.Frames(1);
    EXPECT_TRUE(h.Logged("B:deleted"));
    EXPECT_TRUE(h.Logged("C:deleted"));
}

TEST(ScreenManagerStack, PopNowPassesOverAScreenFadingOut) {
    UiHarness h;
    ProbeScreen* a = h.NewScreen("A");
    ProbeScreen* b = h.NewScreen("B");
    ProbeScreen* c = h.NewScreen("C");
    h.manager.PushScreen(a, false, false, false);
    h.manager.PushScreen(b, true, false, false);
    h.manager.PushScreen(c, true, false, false);
    h.manager.PopScreensFaded(1);
    EXPECT_TRUE(c->IsFadingOut());
    EXPECT_EQ(h.manager.PopScreensNow(1), a);
    EXPECT_EQ(h.manager.GetScreens(), (std::vector<Screen*>{a, c}));
    EXPECT_TRUE(h.Logged("B:Close"));
    h.Frames(20);  // the fade ends closed: 255 in steps of 15 after one skipped frame
    EXPECT_TRUE(h.Logged("C:Close"));
    EXPECT_EQ(h.manager.GetScreens(), (std::vector<Screen*>{a}));
}

TEST(ScreenManagerRender, OpaqueScreenHidesWhatLiesBelowAndOverlaysDrawOverIt) {
    UiHarness h;
    h.manager.PushScreen(h.ScreenWith("A", h.NewWidget("a", 10, 10), 0, 0), false, false, false);
    h.manager.PushScreen(h.ScreenWith("B", h.NewWidget("b", 20, 20), 0, 0), false, false, false);
    h.Frames(1);
    ASSERT_EQ(h.display.LastFrame().size(), 1u);
    EXPECT_EQ(h.display.LastFrame()[0].rect, (Rect{0, 0, 20, 20}));
    h.manager.PushScreen(h.ScreenWith("C", h.NewWidget("c", 30, 30), 0, 0), true, false, false);
    h.Frames(1);
    ASSERT_EQ(h.display.LastFrame().size(), 2u);
    EXPECT_EQ(h.display.LastFrame()[1].rect, (Rect{0, 0, 30, 30}));
}

TEST(ScreenManagerRender, DrawsOnlyWhenSomethingChanged) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    bool change = false;
    w->onCreate = [](ProbeWidget& self) { self.EnableUpdates(true); };
    w->onUpdate = [&] { return change; };
    h.manager.PushScreen(h.ScreenWith("A", w, 0, 0), false, false, false);
    h.Frames(1);
    size_t frames = h.display.Frames().size();
    h.Frames(10);
    EXPECT_EQ(h.display.Frames().size(), frames);
    change = true;
    h.Frames(1);
    EXPECT_EQ(h.display.Frames().size(), frames + 1);
    EXPECT_FALSE(h.manager.IsRedrawWanted());

    // A device that cannot draw keeps the wish for the next frame.
    h.display.canDraw = false;
    h.Frames(1);
    EXPECT_TRUE(h.manager.IsRedrawWanted());
    change = false;
    h.display.canDraw = true;
    h.Frames(1);
    EXPECT_EQ(h.display.Frames().size(), frames + 2);
}

TEST(ScreenManagerRender, PresentsAtLeastOnceASecondWhenIdle) {
    UiHarness h;
    h.Frames(1);
    int presents = h.display.presents;
    h.Frames(39);  // 975 ms
    EXPECT_EQ(h.display.presents, presents);
    h.Frames(2);
    EXPECT_EQ(h.display.presents, presents + 1);
}

TEST(ScreenManagerTransition, BlackVeilTiming) {
    UiHarness h;
    h.manager.PushScreen(h.ScreenWith("A", h.NewWidget("a", 10, 10), 0, 0), false, false, false);
    h.Frames(1);
    ProbeScreen* next = h.ScreenWith("B", h.NewWidget("b", 10, 10), 0, 0);
    h.manager.BeginTransition(next);
    EXPECT_TRUE(h.Logged("A:Inactive"));
    int frames = 0;
    while (h.manager.GetTransitionState() == ScreenManager::kTransitionFadingOut) {
        h.Frames(1);
        ++frames;
        if (h.manager.GetTransitionState() == ScreenManager::kTransitionFadingOut) {
            const auto& veil = h.display.LastFrame().back();
            EXPECT_EQ(veil.op, Op::Blend);
            EXPECT_EQ(veil.alpha, 255 - h.manager.GetTransitionLevel());
        }
    }
    EXPECT_EQ(frames, 32);  // 8 a frame: about 800 ms to black
    // Switching: nothing but black.
    ASSERT_EQ(h.display.LastFrame().size(), 1u);
    EXPECT_EQ(h.display.LastFrame()[0].op, Op::Fill);
    h.Frames(1);
    EXPECT_EQ(h.manager.GetTransitionState(), ScreenManager::kTransitionFadingIn);
    EXPECT_TRUE(h.Logged("A:Close"));
    EXPECT_TRUE(h.Logged("B:TransitionIn"));
    EXPECT_EQ(h.manager.GetScreens(), (std::vector<Screen*>{next}));
    h.Frames(1);  // skipped step
    EXPECT_EQ(h.manager.GetTransitionLevel(), 0);
    frames = 0;
    while (h.manager.GetTransitionState() != ScreenManager::kTransitionNone) {
        h.Frames(1);
        ++frames;
    }
    EXPECT_EQ(frames, 32);
    EXPECT_TRUE(h.Logged("B:TransitionDone"));
    EXPECT_TRUE(h.Logged("A:deleted"));
}

TEST(ScreenManagerTransition, FirstTransitionOnAnEmptyStack) {
    UiHarness h;
    h.manager.OnChar(9, 1, 0);  // Tab with no screen at all
    h.manager.BeginTransition(h.NewScreen("First"));
    h.manager.OnChar(9, 1, 0);
    h.Frames(80);
    EXPECT_TRUE(h.Logged("First:TransitionDone"));
    ASSERT_EQ(h.manager.GetScreens().size(), 1u);
}

TEST(ScreenManagerClock, FramesPaceToTheIntervalWithoutCatchingUp) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    uint32_t work = 10;
    w->onCreate = [](ProbeWidget& self) { self.EnableUpdates(true); };
    w->onUpdate = [&] {
        h.clock.now += work;
        return false;
    };
    h.manager.PushScreen(h.ScreenWith("A", w, 0, 0), false, false, false);
    h.Frames(3);
    EXPECT_EQ(h.clock.sleeps, (std::vector<uint32_t>{15, 15, 15}));
    h.clock.sleeps.clear();
    work = 60;
    h.Frames(1);
    work = 10;
    uint32_t start = h.clock.now;
    h.Frames(10);
    EXPECT_EQ(h.clock.sleeps.back(), 15u);
    // No burst of short frames to make up for the slow one.
    EXPECT_GE(h.clock.now - start, 10u * 25u - 15u);
}

TEST(ScreenManagerClock, FrameCountWrapKeepsTheFrameLength) {
    UiHarness h;
    h.Frames(65535);
    h.clock.sleeps.clear();
    h.Frames(2);  // the 65,536th frame wraps the count
    EXPECT_EQ(h.clock.sleeps, (std::vector<uint32_t>{25, 25}));
}

TEST(ScreenManagerClock, MinimisedSpanIsLeftOutOfGameTimeAndTimers) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    w->onCreate = [](ProbeWidget& self) {
        self.EnableUpdates(true);
        self.SetTimer(1, 1000, 0, 1);
    };
    h.manager.PushScreen(h.ScreenWith("A", w, 0, 0), false, false, false);
    h.Frames(20);  // game time 475
    h.manager.OnWindowSized(1);
    EXPECT_FALSE(h.manager.IsRunning());
    h.clock.now += 10000;
    h.Frames(5);
    h.manager.OnWindowSized(0);
    h.Frames(1);
    EXPECT_EQ(h.manager.GetGameTime(), 500u);
    EXPECT_FALSE(h.Logged("w:Timer 1 0 @500"));
    EXPECT_EQ(h.Count("w:Timer 1 0 @1025"), 0);
    h.Frames(30);
    EXPECT_EQ(h.Count("w:Timer 1 0 @1025"), 1);
}

TEST(ScreenManagerClock, NestedPausesStopFramesUntilAllAreUndone) {
    UiHarness h;
    h.Frames(4);
    h.manager.Pause(true);
    h.manager.Pause(true);
    h.manager.Pause(false);
    EXPECT_FALSE(h.manager.IsRunning());
    h.clock.now += 500;
    h.manager.Pause(false);
    EXPECT_TRUE(h.manager.IsRunning());
    h.Frames(1);
    EXPECT_EQ(h.manager.GetGameTime(), 100u);
}

TEST(ScreenManagerStack, UpdateThatPopsItsScreenEndsThePass) {
    UiHarness h;
    ProbeWidget* older = h.NewWidget("older", 10, 10);
    ProbeWidget* newer = h.NewWidget("newer", 10, 10);
    int olderUpdates = 0;
    older->onUpdate = [&] {
        ++olderUpdates;
        return false;
    };
    newer->onUpdate = [&] {
        h.manager.PopScreens(false, 1);
        return false;
    };
    ProbeScreen* top = h.NewScreen("Top");
    top->build = [=](ProbeScreen& s) {
        s.AddWidget(newer, 0, 0);
        newer->EnableUpdates(true);
    };
    h.manager.PushScreen(h.ScreenWith("Below", older, 0, 0), false, false, false);
    older->EnableUpdates(true);
    h.manager.PushScreen(top, true, false, false);
    h.Frames(1);
    EXPECT_EQ(olderUpdates, 0);
    EXPECT_TRUE(h.Logged("Top:deleted"));
    h.Frames(1);
    EXPECT_EQ(olderUpdates, 1);
}

}  // namespace
