// Hooks that close their own screen: the screen must stop hearing anything at once and be freed
// only when the event or frame is over. These run under AddressSanitizer.
#include <gtest/gtest.h>

#include "UiHarness.h"

namespace {

// Pushes `top` over a plain page "Page" and draws one frame.
void PushOverPage(UiHarness& h, ProbeScreen* top) {
    h.window.cursorX = 799;
    h.window.cursorY = 599;
    h.manager.PushScreen(h.NewScreen("Page"), false, false, false);
    h.manager.PushScreen(top, true, true, false);
    h.Frames(1);
    h.log.clear();
}

TEST(ClosingScreens, TimerThatClosesItsOwnScreen) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    ProbeWidget* sibling = h.NewWidget("sibling", 10, 10);
    w->onCreate = [](ProbeWidget& self) {
        self.EnableUpdates(true);
        self.SetTimer(1, 50, 1, 1);
        self.SetTimer(2, 50, 5, 1);
    };
    w->onTimer = [&](int32_t id, int32_t) {
        h.manager.PopScreens(false, 1);
        return true;
    };
    ProbeScreen* dialog = h.NewScreen("Dialog");
    dialog->build = [=](ProbeScreen& s) {
        s.AddWidget(sibling, 0, 0);
        s.AddWidget(w, 0, 0);
        sibling->EnableUpdates(true);
    };
    PushOverPage(h, dialog);
    h.Frames(4);
    EXPECT_EQ(h.log, (std::vector<std::string>{"w:Timer 2 0 @75", "Dialog:Close",
                                               "Page:Active", "Dialog:deleted",
                                               "sibling:Destroy", "sibling:deleted", "w:Destroy",
                                               "w:deleted"}));
    EXPECT_TRUE(h.manager.UpdateList().IsEmpty());
}

TEST(ClosingScreens, CommandThatClosesTheScreenEndsTheCommandWalk) {
    UiHarness h;
    ProbeWidget* older = h.NewWidget("older", 10, 10);
    ProbeWidget* newer = h.NewWidget("newer", 10, 10);
    newer->onCommand = [&](int32_t) {
        h.manager.PopScreens(false, 1);
        return false;
    };
    ProbeScreen* dialog = h.NewScreen("Dialog");
    dialog->build = [=](ProbeScreen& s) {
        s.AddWidget(older, 0, 0);
        older->EnableCommands(true);
        s.AddWidget(newer, 0, 0);
        newer->EnableCommands(true);
        newer->EnableClicks(true);
    };
    // The click that sends the command arrives through the manager, as a button's would.
    newer->onButton = [&](uint32_t message, int32_t, int32_t) {
        dialog->SendCommand(7);
        EXPECT_FALSE(h.Logged("Dialog:deleted"));
        return true;
    };
    PushOverPage(h, dialog);
    h.manager.OnLButtonDown(1, 5, 5);
    EXPECT_TRUE(h.Logged("newer:Command 7"));
    EXPECT_FALSE(h.Logged("older:Command 7"));
    EXPECT_TRUE(h.Logged("Dialog:deleted"));
    EXPECT_TRUE(h.manager.ClickList().IsEmpty());
}

TEST(ClosingScreens, EnterThatClosesTheDialogEndsTheCharacterWalk) {
    UiHarness h;
    ProbeWidget* edit = h.NewWidget("edit", 10, 10);
    ProbeWidget* other = h.NewWidget("other", 10, 10);
    edit->onChar = [&](uint32_t character) {
        if (character == 13) h.manager.PopScreens(false, 1);
        h.log.push_back(edit->Name() + " goes on after the close");
    };
    ProbeScreen* dialog = h.NewScreen("Dialog");
    dialog->build = [=](ProbeScreen& s) {
        s.AddWidget(other, 0, 0);
        other->EnableChar(true);
        s.AddFocusableWidget(edit, 0, 0);
        edit->EnableChar(true);
    };
    PushOverPage(h, dialog);
    h.manager.OnChar(13, 1, 0);
    EXPECT_TRUE(h.Logged("edit:Char 13"));
    EXPECT_FALSE(h.Logged("other:Char 13"));
    EXPECT_TRUE(h.Logged("Dialog:deleted"));
    h.manager.OnChar(9, 1, 0);  // Tab now goes to the page below, which has no tab order
}

TEST(ClosingScreens, ManagerForgetsHoverCaptureAndDragOfAClosedScreen) {
    UiHarness h;
    ProbeWidget* hovered = h.NewWidget("hovered", 10, 10);
    ProbeWidget* dragged = h.NewWidget("dragged", 10, 10);
    ProbeScreen* dialog = h.NewScreen("Dialog");
    dialog->build = [=](ProbeScreen& s) {
        s.AddWidget(hovered, 0, 0);
        hovered->EnableHover(true);
        s.AddWidget(dragged, 100, 100);
    };
    PushOverPage(h, dialog);
    h.manager.OnMouseMove(0, 5, 5);
    ASSERT_EQ(h.manager.GetHoveredWidget(), hovered);
    h.manager.BeginDrag(dragged, ScreenManager::kDragMoveWidget, 0, 0, 800, 600);
    hovered->SetCapture(true);
    h.manager.PopScreens(false, 1);
    EXPECT_EQ(h.manager.GetHoveredWidget(), nullptr);
    EXPECT_EQ(h.manager.GetCaptureWidget(), nullptr);
    EXPECT_EQ(h.manager.GetDragWidget(), nullptr);
    EXPECT_FALSE(h.window.mouseCaptured);
    h.Frames(1);
    EXPECT_TRUE(h.Logged("Dialog:deleted"));
    h.manager.OnMouseMove(1, 50, 50);
    h.manager.OnLButtonUp(0, 50, 50);
    EXPECT_FALSE(h.Logged("dragged:DragEnd 50,50"));
}

TEST(ClosingScreens, ClosedScreenLeavesTheDimmingListAndIsListedOnce) {
    UiHarness h;
    ProbeScreen* page = h.NewScreen("Page");
    h.manager.PushScreen(page, false, false, false);
    h.manager.PushScreen(h.NewScreen("Dialog"), true, true, false);
    h.manager.PopScreens(false, 1);  // uncovering asks to dim the page once more
    h.manager.PushScreen(h.NewScreen("Dialog2"), true, true, false);
    EXPECT_TRUE(h.manager.IsDimming(page));
    h.manager.PopScreensNow(2);  // closes the page while it is still darkening
    EXPECT_FALSE(h.manager.IsDimming(page));
    h.Frames(2);
    EXPECT_TRUE(h.Logged("Page:deleted"));
}

TEST(ClosingScreens, FadeThatEndsClosesTheScreenOnceAndFreesItAfterTheFrame) {
    UiHarness h;
    ProbeScreen* dialog = h.NewScreen("Dialog");
    PushOverPage(h, dialog);
    h.manager.PopScreens(true, 1);
    EXPECT_TRUE(h.manager.IsFading(dialog));
    h.Frames(30);
    EXPECT_EQ(h.Count("Dialog:Close"), 1);
    EXPECT_EQ(h.Count("Dialog:deleted"), 1);
    EXPECT_EQ(h.manager.GetScreens().size(), 1u);
}

TEST(ClosingScreens, WholeSubtreeIsWithdrawnAtCloseAndFreedAfterTheEvent) {
    UiHarness h;
    ProbeWidget* parent = h.NewWidget("parent", 10, 10);
    ProbeWidget* child = h.NewWidget("child", 5, 5);
    parent->onCreate = [=](ProbeWidget& self) {
        self.EnableClicks(true);
        self.EnableUpdates(true);
        self.AddChild(child, 0, 0);
        child->EnableHover(true);
        child->EnableKeyDown(true);
        child->EnableCommands(true);
    };
    ProbeScreen* dialog = h.ScreenWith("Dialog", parent, 0, 0);
    PushOverPage(h, dialog);
    h.manager.BeginDrag(child, ScreenManager::kDragSendMoves, 0, 0, 10, 10);
    h.manager.PopScreens(false, 1);
    EXPECT_TRUE(h.manager.ClickList().IsEmpty());
    EXPECT_TRUE(h.manager.UpdateList().IsEmpty());
    EXPECT_TRUE(h.manager.HoverList().IsEmpty());
    EXPECT_TRUE(h.manager.KeyDownList().IsEmpty());
    EXPECT_TRUE(dialog->CommandList().IsEmpty());
    EXPECT_EQ(h.manager.GetDragWidget(), nullptr);
    EXPECT_FALSE(h.Logged("Dialog:deleted"));
    h.Frames(1);
    EXPECT_TRUE(h.Logged("child:deleted"));
}

}  // namespace
