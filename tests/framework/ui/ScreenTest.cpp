#include <gtest/gtest.h>

#include "UiHarness.h"

namespace {

// A screen with three focusable probes a, b, c.
ProbeScreen* TabScreen(UiHarness& h, ProbeWidget*& a, ProbeWidget*& b, ProbeWidget*& c) {
    a = h.NewWidget("a", 10, 10);
    b = h.NewWidget("b", 10, 10);
    c = h.NewWidget("c", 10, 10);
    ProbeScreen* screen = h.NewScreen("S");
    screen->build = [=](ProbeScreen& s) {
        s.AddFocusableWidget(a, 0, 0);
        s.AddFocusableWidget(b, 0, 20);
        s.AddFocusableWidget(c, 0, 40);
    };
    return screen;
}

TEST(ScreenTabOrder, WrapsBothWaysAndOneMemberKeepsTheFocus) {
    UiHarness h;
    ProbeWidget *a, *b, *c;
    ProbeScreen* screen = TabScreen(h, a, b, c);
    h.manager.PushScreen(screen, false, false, false);
    EXPECT_TRUE(a->hasFocus);
    screen->FocusPrev();
    EXPECT_TRUE(c->hasFocus);
    EXPECT_FALSE(a->hasFocus);
    screen->FocusNext();
    EXPECT_TRUE(a->hasFocus);
    screen->SetFocus(b);
    EXPECT_TRUE(b->hasFocus);
    EXPECT_FALSE(a->hasFocus);
    screen->SetActive(false, false);
    screen->FocusNext();  // inactive screens keep their focus
    EXPECT_TRUE(b->hasFocus);

    ProbeWidget* only = h.NewWidget("only", 10, 10);
    ProbeScreen* single = h.NewScreen("T");
    single->build = [=](ProbeScreen& s) { s.AddFocusableWidget(only, 0, 0); };
    h.manager.PushScreen(single, false, false, false);
    h.manager.OnChar(9, 1, 0);
    EXPECT_TRUE(only->hasFocus);
    EXPECT_EQ(h.Count("only:Blur"), 0);
}

TEST(ScreenTabOrder, TabAndShiftTabMoveTheTopScreensFocus) {
    UiHarness h;
    ProbeWidget *a, *b, *c;
    h.manager.PushScreen(TabScreen(h, a, b, c), false, false, false);
    h.manager.OnChar(9, 1, 0);
    EXPECT_TRUE(b->hasFocus);
    h.window.keyState = kKeyShift;
    h.manager.OnChar(9, 1, 0);
    h.manager.OnChar(9, 1, 0);
    EXPECT_TRUE(c->hasFocus);
}

TEST(ScreenCommands, ScreenFirstThenNewestWidgetSkippingDeafOnes) {
    UiHarness h;
    ProbeWidget* older = h.NewWidget("older", 10, 10);
    ProbeWidget* newer = h.NewWidget("newer", 10, 10);
    ProbeWidget* hidden = h.NewWidget("hidden", 10, 10);
    ProbeScreen* screen = h.NewScreen("S");
    screen->build = [=](ProbeScreen& s) {
        for (ProbeWidget* w : {older, newer, hidden}) {
            s.AddWidget(w, 0, 0);
            w->EnableCommands(true);
        }
    };
    screen->onCommand = [](int32_t id) { return id == 1; };
    newer->onCommand = [](int32_t id) { return id == 2; };
    h.manager.PushScreen(screen, false, false, false);
    hidden->SetVisible(false);

    screen->SendCommand(1);
    EXPECT_FALSE(h.Logged("newer:Command 1"));
    screen->SendCommand(2);
    EXPECT_TRUE(h.Logged("newer:Command 2"));
    EXPECT_FALSE(h.Logged("older:Command 2"));
    screen->SendCommand(3);
    EXPECT_TRUE(h.IndexOf("newer:Command 3") < h.IndexOf("older:Command 3"));
    EXPECT_FALSE(h.Logged("hidden:Command 3"));

    screen->SetActive(false, false);
    screen->SendCommand(4);
    EXPECT_TRUE(h.Logged("S:Command 4"));
    EXPECT_FALSE(h.Logged("older:Command 4"));
}

TEST(ScreenActivation, CoveringDisablesWidgetsPausesSoundsAndUncoveringRestores) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    ProbeScreen* below = h.ScreenWith("A", w, 0, 0);
    h.manager.PushScreen(below, false, false, false);
    h.manager.PushScreen(h.NewScreen("B"), true, false, false);
    EXPECT_FALSE(below->IsActive());
    EXPECT_TRUE(w->IsDeaf());
    EXPECT_EQ(h.sound.calls.back(), "PauseSounds 1 0 105");
    h.manager.PopScreens(false, 1);
    EXPECT_TRUE(below->IsActive());
    EXPECT_FALSE(w->IsDeaf());
    EXPECT_EQ(h.sound.calls.back(), "PauseSounds 0 0 105");
}

TEST(ScreenDimming, VeilGrowsToItsLimitOverWhatTheScreenDrew) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 100, 50);
    ProbeScreen* below = h.ScreenWith("A", w, 0, 0);
    h.manager.PushScreen(below, false, false, false);
    h.Frames(1);
    h.manager.PushScreen(h.NewScreen("B"), true, true, false);
    EXPECT_TRUE(h.manager.IsDimming(below));
    EXPECT_EQ(below->GetDimLevel(), 28);
    h.Frames(1);  // the first frame after the push sees 25 ms: +8
    EXPECT_EQ(below->GetDimLevel(), 36);
    h.Frames(20);
    EXPECT_EQ(below->GetDimLevel(), 128);
    EXPECT_FALSE(h.manager.IsDimming(below));
    h.manager.MarkDirty();
    h.Frames(1);
    const auto& frame = h.display.LastFrame();
    ASSERT_FALSE(frame.empty());
    EXPECT_EQ(frame.back().op, RecordingDisplay::Op::Blend);
    EXPECT_EQ(frame.back().alpha, 128);
    EXPECT_EQ(frame.back().rect, (Rect{0, 0, 100, 50}));
}

TEST(ScreenFading, PushWithFadeStartsTransparentSkipsOneStepThenGrows) {
    UiHarness h;
    h.display.AddImage(9, 10, 10);
    ProbeScreen* screen = h.NewScreen("S");
    h.manager.PushScreen(screen, false, false, true);
    EXPECT_EQ(screen->GetAlpha(), 0);
    h.Frames(2);  // the frame of the push sees delta 0 and the skipped step; then +15
    EXPECT_EQ(screen->GetAlpha(), 15);
    h.Frames(16);
    EXPECT_EQ(screen->GetAlpha(), 255);
    EXPECT_FALSE(h.manager.IsFading(screen));
    EXPECT_EQ(screen->GetFadeState(), Screen::kFadeNone);
}

TEST(ScreenFading, FadeOutStepsDownAndEndsClosed) {
    ProbeScreen screen(nullptr, "S");
    bool closed = false;
    screen.SetFadeState(Screen::kFadeOut);
    EXPECT_TRUE(screen.FadeStep(100, closed));
    EXPECT_EQ(screen.GetAlpha(), 255);
    EXPECT_TRUE(screen.FadeStep(200, closed));
    EXPECT_EQ(screen.GetAlpha(), 55);
    EXPECT_FALSE(screen.FadeStep(55, closed));
    EXPECT_TRUE(closed);
    EXPECT_EQ(screen.GetAlpha(), 0);
}

}  // namespace
