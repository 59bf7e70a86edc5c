#include <gtest/gtest.h>

#include "UiHarness.h"
#include "framework/ui/ClipRect.h"
#include "framework/ui/Screen.h"
#include "platform/Random.h"

namespace {

// Pushes a plain screen holding `widget` at (x, y) and returns the screen.
ProbeScreen* Show(UiHarness& h, ProbeWidget* widget, int32_t x = 0, int32_t y = 0) {
    ProbeScreen* screen = h.ScreenWith("S", widget, x, y);
    h.manager.PushScreen(screen, false, false, false);
    return screen;
}

std::vector<std::string> TimerLines(const UiHarness& h) {
    std::vector<std::string> lines;
    for (const std::string& line : h.log) {
        if (line.find(":Timer ") != std::string::npos) lines.push_back(line);
    }
    return lines;
}

TEST(WidgetTimers, FireAfterEachIntervalWithCountingIndexesThenEnd) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    w->onCreate = [](ProbeWidget& self) {
        self.EnableUpdates(true);
        self.SetTimer(7, 500, 3, 1);
    };
    Show(h, w);
    h.Frames(80);  // game time 0 .. 1975
    EXPECT_EQ(TimerLines(h), (std::vector<std::string>{"w:Timer 7 0 @525", "w:Timer 7 1 @1025",
                                                       "w:Timer 7 2 @1525"}));
    EXPECT_EQ(w->TimerCount(), 0u);
}

TEST(WidgetTimers, LateUpdateFiresAtOnceAndAgainAtTheNextOne) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    w->onCreate = [](ProbeWidget& self) { self.SetTimer(1, 500, 3, 1); };
    Show(h, w);
    // The schedule advances by whole intervals from the last firing, not from now.
    w->Tick(1100);
    w->Tick(1125);
    w->Tick(1150);
    EXPECT_EQ(TimerLines(h), (std::vector<std::string>{"w:Timer 1 0 @0", "w:Timer 1 1 @0"}));
    EXPECT_EQ(w->TimerCount(), 1u);
}

TEST(WidgetTimers, AnswerFalseEndsAnyTimerAndCountZeroRunsUntilThen) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    int calls = 0;
    w->onTimer = [&](int32_t id, int32_t index) {
        ++calls;
        return !(id == 2 || index == 4);
    };
    w->onCreate = [](ProbeWidget& self) {
        self.SetTimer(2, 100, 50, 1);  // ends at its first call
        self.SetTimer(3, 100, 0, 1);   // runs until index 4 answers false
    };
    Show(h, w);
    for (uint32_t t = 101; t < 2000; t += 101) w->Tick(t);
    EXPECT_EQ(calls, 1 + 5);
    EXPECT_EQ(w->TimerCount(), 0u);
}

TEST(WidgetTimers, PerFiringCallsAndBelowOneNeverCalls) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    w->onCreate = [](ProbeWidget& self) {
        self.SetTimer(4, 100, 4, 2);
        self.SetTimer(5, 100, 4, 0);
        self.SetTimer(6, 0, 2, 1);  // interval 0: once per update that sees time move
    };
    Show(h, w);
    w->Tick(150);
    w->Tick(250);
    EXPECT_EQ(TimerLines(h), (std::vector<std::string>{"w:Timer 6 0 @0", "w:Timer 4 0 @0",
                                                       "w:Timer 4 1 @0", "w:Timer 6 1 @0",
                                                       "w:Timer 4 2 @0", "w:Timer 4 3 @0"}));
    EXPECT_EQ(w->TimerCount(), 1u);  // the timer that never calls stays
}

TEST(WidgetTimers, ClosingTheScreenEndsThePassBetweenTimersNotWithinAFiring) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    w->onCreate = [](ProbeWidget& self) {
        self.SetTimer(1, 100, 1, 1);
        self.SetTimer(2, 100, 2, 2);
    };
    w->onTimer = [&](int32_t, int32_t) {
        h.manager.PopScreens(false, 1);
        return true;
    };
    Show(h, w);
    w->Tick(150);
    EXPECT_EQ(TimerLines(h), (std::vector<std::string>{"w:Timer 2 0 @0", "w:Timer 2 1 @0"}));
}

TEST(WidgetClock, StandsStillWhileDisabledAndContinuesAfter) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    w->onCreate = [](ProbeWidget& self) { self.EnableUpdates(true); };
    Show(h, w);
    h.Frames(5);  // game time 100 at the last frame
    EXPECT_EQ(w->GetLocalTime(), 100u);
    w->SetEnabled(false);
    h.Frames(10);
    EXPECT_EQ(w->GetLocalTime(), 100u);
    w->SetEnabled(true);
    h.Frames(2);
    EXPECT_EQ(w->GetLocalTime(), 150u);
}

TEST(WidgetClock, GrandchildStaysDisabledWhileItsParentIs) {
    UiHarness h;
    ProbeWidget* top = h.NewWidget("top", 10, 10);
    ProbeWidget* mid = h.NewWidget("mid", 10, 10);
    ProbeWidget* leaf = h.NewWidget("leaf", 10, 10);
    top->onCreate = [&](ProbeWidget& self) { self.AddChild(mid, 0, 0); };
    mid->onCreate = [&](ProbeWidget& self) { self.AddChild(leaf, 0, 0); };
    Show(h, top);
    h.Frames(5);
    mid->SetEnabled(false);
    h.Frames(4);
    top->SetEnabled(false);
    h.Frames(4);
    top->SetEnabled(true);
    EXPECT_FALSE(leaf->IsEffectivelyEnabled());
    EXPECT_TRUE(leaf->IsDeaf());
    uint32_t frozen = leaf->GetLocalTime();
    h.Frames(4);
    EXPECT_EQ(leaf->GetLocalTime(), frozen);
    mid->SetEnabled(true);
    EXPECT_TRUE(leaf->IsEffectivelyEnabled());
    h.Frames(4);
    // Never backwards, and the grandchild's clock ran only while the whole chain was enabled.
    EXPECT_EQ(leaf->GetLocalTime(), frozen + 100);
    EXPECT_EQ(leaf->GetLocalTime(), mid->GetLocalTime());
}

TEST(WidgetClock, UpdatesOfADisabledWidgetThatStillTicksSeeNoTimePass) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    std::vector<uint32_t> deltas;
    w->onCreate = [](ProbeWidget& self) {
        self.SetInputOnlyWhenShown(false);
        self.EnableUpdates(true);
    };
    w->onUpdate = [&] {
        deltas.push_back(w->GetFrameDelta());
        return false;
    };
    Show(h, w);
    h.Frames(2);
    w->SetEnabled(false);
    h.Frames(2);
    w->SetEnabled(true);
    h.Frames(2);
    EXPECT_EQ(deltas, (std::vector<uint32_t>{0, 25, 0, 0, 25, 25}));
}

TEST(WidgetClock, ChildAddedToDisabledParentStartsDisabledAndStill) {
    UiHarness h;
    ProbeWidget* parent = h.NewWidget("p", 10, 10);
    Show(h, parent);
    h.Frames(3);
    parent->SetEnabled(false);
    parent->SetVisible(false);
    ProbeWidget* child = h.NewWidget("c", 10, 10);
    parent->AddChild(child, 0, 0);
    EXPECT_FALSE(child->IsEffectivelyEnabled());
    EXPECT_FALSE(child->IsShown());
    h.Frames(3);
    EXPECT_EQ(child->GetLocalTime(), 0u);
}

TEST(WidgetTree, HiddenParentHidesChildrenAndShowingRestoresThem) {
    UiHarness h;
    ProbeWidget* parent = h.NewWidget("p", 10, 10);
    ProbeWidget* child = h.NewWidget("c", 5, 5);
    parent->onCreate = [&](ProbeWidget& self) { self.AddChild(child, 20, 30); };
    Show(h, parent, 100, 50);
    h.Frames(1);
    EXPECT_EQ(child->GetDrawnBounds(), (Rect{120, 80, 125, 85}));
    EXPECT_EQ(parent->GetTreeBounds(), (Rect{100, 50, 125, 85}));
    parent->SetVisible(false);
    EXPECT_TRUE(child->GetDrawnBounds().IsEmpty());
    EXPECT_TRUE(child->IsVisible());
    h.Frames(1);
    EXPECT_TRUE(h.display.LastFrame().empty());
    parent->SetVisible(true);
    h.Frames(1);
    EXPECT_EQ(child->GetDrawnBounds(), (Rect{120, 80, 125, 85}));
}

TEST(WidgetTree, WidgetsAddedFromOnCreateComeBeforeTheOneBeingCreated) {
    UiHarness h;
    ProbeWidget* parent = h.NewWidget("p", 10, 10);
    ProbeWidget* child = h.NewWidget("c", 5, 5);
    ProbeWidget* sibling = h.NewWidget("s", 5, 5);
    ProbeWidget* top = h.NewWidget("t", 5, 5);
    child->onCreate = [&](ProbeWidget&) { parent->AddChild(sibling, 0, 0); };
    parent->onCreate = [&](ProbeWidget& self) {
        self.AddChild(child, 0, 0);
        self.GetScreen()->AddWidget(top, 0, 0);
    };
    ProbeScreen* screen = Show(h, parent);
    EXPECT_EQ(parent->GetChildren(), (std::vector<Widget*>{sibling, child}));
    EXPECT_EQ(screen->GetWidgets(), (std::vector<Widget*>{top, parent}));
}

TEST(WidgetTree, MakingAWidgetReseedsTheGenerator) {
    SRand(1);
    const std::vector<int> unseeded{Rand(), Rand(), Rand()};
    SRand(1);
    std::vector<std::string> log;
    ProbeWidget widget(&log, "w", 1, 1);
    EXPECT_NE((std::vector<int>{Rand(), Rand(), Rand()}), unseeded);
}

TEST(WidgetDrawing, BoundsOffKeepsBoundsEmpty) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    w->onCreate = [](ProbeWidget& self) {
        self.SetTracksBounds(false);
        self.EnableClicks(true);
    };
    Show(h, w);
    h.Frames(1);
    EXPECT_EQ(h.display.LastFrame().size(), 1u);
    EXPECT_TRUE(w->GetDrawnBounds().IsEmpty());
    h.manager.OnLButtonDown(1, 5, 5);
    EXPECT_FALSE(h.Logged("w:LDown 5,5"));
}

TEST(WidgetDrawing, FrameOutlineIncludesRightAndBottomEdges) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 0, 0);
    w->draws = false;
    Show(h, w, 10, 20);
    w->DrawTree();
    h.display.BeginFrame();
    w->DrawFrame(Rect{0, 0, 10, 5}, 0xFF, true);
    h.display.EndFrame();
    EXPECT_EQ(w->GetDrawnBounds(), (Rect{10, 20, 21, 26}));
    ASSERT_EQ(h.display.LastFrame().size(), 4u);
    EXPECT_EQ(h.display.LastFrame()[2].rect, (Rect{10, 25, 21, 26}));
}

// Draws image 9 once, scaled, at the widget's origin.
class ImageProbe : public ProbeWidget {
public:
    using ProbeWidget::ProbeWidget;
    int32_t scale = 100;
    int32_t alpha = 200;
    void Draw() override { DrawImage(0, 0, 9, nullptr, true, scale, scale, alpha); }
};

TEST(WidgetDrawing, ScreenAlphaAppliesToUnclippedBlitsOnly) {
    UiHarness h;
    h.display.AddImage(9, 40, 20);
    auto* w = new ImageProbe(&h.log, "w", 0, 0);
    ProbeScreen* screen = Show(h, w, 5, 5);
    screen->SetAlpha(128);
    h.Frames(1);
    auto draws = h.display.ImagesIn(h.display.LastFrame(), 9);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].alpha, 128 * 200 / 255);
    EXPECT_EQ(w->GetDrawnBounds(), (Rect{5, 5, 45, 25}));

    ClipRect clip{Rect{10, 0, 30, 100}, nullptr};
    w->SetClipRegion(&clip);  // moved by the widget's own position (5, 5)
    h.manager.MarkDirty();
    h.Frames(1);
    draws = h.display.ImagesIn(h.display.LastFrame(), 9);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].alpha, 200);
    EXPECT_EQ(draws[0].source, (Rect{5, 0, 25, 20}));
    EXPECT_EQ(w->GetDrawnBounds(), (Rect{10, 5, 30, 25}));
}

TEST(WidgetDrawing, ClippedScaledBlitMapsTheSourceAndScaleZeroDrawsNothing) {
    UiHarness h;
    h.display.AddImage(9, 40, 20);
    auto* w = new ImageProbe(&h.log, "w", 0, 0);
    w->scale = 200;
    Show(h, w);
    ClipRect second{Rect{70, 0, 200, 200}, nullptr};
    ClipRect first{Rect{10, 10, 30, 30}, &second};
    w->SetClipRegion(&first);
    h.Frames(1);
    auto draws = h.display.ImagesIn(h.display.LastFrame(), 9);
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].source, (Rect{5, 5, 15, 15}));
    EXPECT_EQ(draws[0].x, 10);
    EXPECT_EQ(draws[1].source, (Rect{35, 0, 40, 20}));

    w->scale = 0;
    h.manager.MarkDirty();
    h.Frames(1);
    EXPECT_TRUE(h.display.ImagesIn(h.display.LastFrame(), 9).empty());
}

TEST(WidgetDrawing, ClippedAlphaFillBlendsWithinTheClipWhereverTheWidgetLies) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 0, 0);
    w->draws = false;
    Show(h, w, 100, 66);
    ClipRect clip{Rect{120, 0, 800, 600}, nullptr};
    w->SetClipRegion(&clip);
    h.display.BeginFrame();
    w->FillRectAlpha(Rect{6, 10, 48, 62}, 80, 0, true);
    h.display.EndFrame();
    ASSERT_EQ(h.display.LastFrame().size(), 1u);
    const RecordingDisplay::Draw& veil = h.display.LastFrame()[0];
    EXPECT_EQ(veil.op, RecordingDisplay::Op::Blend);
    EXPECT_EQ(veil.alpha, 80);
    EXPECT_EQ(veil.rect, (Rect{120, 76, 148, 128}));
}

TEST(WidgetDrawing, NestedAbsoluteFillAndBlitMeetTheClipAlike) {
    UiHarness h;
    h.display.AddImage(9, 40, 20);
    ProbeWidget* parent = h.NewWidget("p", 0, 0);
    ProbeWidget* child = h.NewWidget("c", 0, 0);
    parent->draws = child->draws = false;
    parent->onCreate = [&](ProbeWidget& self) { self.AddChild(child, 20, 30); };
    Show(h, parent, 100, 50);
    ClipRect clip{Rect{0, 0, 150, 75}, nullptr};
    parent->SetClipRegion(&clip);
    h.display.BeginFrame();
    child->FillRect(Rect{110, 40, 150, 60}, 0, false);
    child->DrawImage(110, 40, 9, nullptr, false);
    h.display.EndFrame();
    ASSERT_EQ(h.display.LastFrame().size(), 2u);
    EXPECT_EQ(h.display.LastFrame()[0].rect, h.display.LastFrame()[1].rect);
}

TEST(WidgetRegistration, EachListHoldsAWidgetOnceAndLetsItGo) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    Show(h, w);
    w->EnableClicks(true);
    w->EnableClicks(true);
    w->EnableUpdates(true);
    EXPECT_EQ(h.manager.ClickList().Count(), 1u);
    w->EnableClicks(false);
    EXPECT_EQ(h.manager.ClickList().Count(), 0u);
    EXPECT_EQ(h.manager.UpdateList().Count(), 1u);
}

TEST(WidgetDispatch, ButtonsArriveInWidgetCoordinatesAndNotWhenDisabled) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    Show(h, w, 30, 40);
    EXPECT_TRUE(w->DispatchButton(kMsgRButtonUp, 0, 35, 47));
    EXPECT_TRUE(h.Logged("w:RUp 5,7"));
    EXPECT_FALSE(w->DispatchButton(0x207, 0, 35, 47));
    w->SetEnabled(false);
    EXPECT_FALSE(w->DispatchButton(kMsgLButtonDown, 0, 35, 47));
    w->SetInputOnlyWhenShown(false);
    EXPECT_TRUE(w->DispatchButton(kMsgLButtonDown, 0, 35, 47));
}

}  // namespace
