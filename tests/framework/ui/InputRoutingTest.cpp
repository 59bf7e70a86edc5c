#include <gtest/gtest.h>

#include "UiHarness.h"

namespace {

// A pushed screen at origin (0, 0) holding the given probes at their positions, each registered
// for clicks, hover and mouse moves in the order given; drawn once so they have hit rectangles.
struct Scene {
    UiHarness& h;
    ProbeScreen* screen;

    Scene(UiHarness& harness, std::vector<std::pair<ProbeWidget*, Rect>> widgets,
          bool overlay = false)
        : h(harness), screen(harness.NewScreen("S")) {
        screen->build = [widgets](ProbeScreen& s) {
            for (auto& [w, at] : widgets) {
                s.AddWidget(w, at.left, at.top);
                w->EnableClicks(true);
                w->EnableHover(true);
                w->EnableMouseMove(true);
            }
        };
        h.window.cursorX = 799;  // the pointer rests away from every widget
        h.window.cursorY = 599;
        h.manager.PushScreen(screen, overlay, false, false);
        h.Frames(1);
        h.log.clear();
    }
};

TEST(InputClicks, NewestRegistrationFirstThenEarlierOnes) {
    UiHarness h;
    ProbeWidget* under = h.NewWidget("under", 50, 50);
    ProbeWidget* over = h.NewWidget("over", 50, 50);
    Scene scene(h, {{under, {0, 0}}, {over, {20, 20}}});
    h.manager.OnLButtonDown(1, 30, 30);
    EXPECT_TRUE(h.Logged("over:LDown 10,10"));
    EXPECT_FALSE(h.Logged("under:LDown 30,30"));
    over->onButton = [](uint32_t, int32_t, int32_t) { return false; };
    h.manager.OnLButtonUp(0, 30, 30);
    EXPECT_LT(h.IndexOf("over:LUp 10,10"), h.IndexOf("under:LUp 30,30"));
    h.log.clear();
    h.manager.OnLButtonDown(1, 60, 60);  // only `over` drew there
    EXPECT_TRUE(h.Logged("over:LDown 40,40"));
    h.manager.OnLButtonDown(1, 75, 75);  // outside both
    EXPECT_EQ(h.log.size(), 1u);
}

TEST(InputClicks, ScreensBelowTheTopAreDeaf) {
    UiHarness h;
    ProbeWidget* below = h.NewWidget("below", 50, 50);
    Scene scene(h, {{below, {0, 0}}});
    h.manager.PushScreen(h.NewScreen("Dialog"), true, false, false);
    h.Frames(1);
    h.manager.OnLButtonDown(1, 10, 10);
    h.manager.OnKeyDown(13, 1, 0);
    EXPECT_FALSE(h.Logged("below:LDown 10,10"));
}

TEST(InputClicks, CaptureTakesEveryButtonWherever) {
    UiHarness h;
    ProbeWidget* a = h.NewWidget("a", 10, 10);
    ProbeWidget* b = h.NewWidget("b", 10, 10);
    Scene scene(h, {{a, {0, 0}}, {b, {100, 0}}});
    a->SetCapture(true);
    h.manager.OnLButtonDown(1, 105, 5);
    h.manager.OnRButtonDblClk(2, 300, 300);
    EXPECT_TRUE(h.Logged("a:LDown 105,5"));
    EXPECT_TRUE(h.Logged("a:RDbl 300,300"));
    EXPECT_FALSE(h.Logged("b:LDown 5,5"));
    // No mouse-move or hover for others while captured.
    h.manager.OnMouseMove(0, 105, 5);
    EXPECT_FALSE(h.Logged("b:Move 5,5"));
    EXPECT_FALSE(h.Logged("b:Enter"));
    a->SetCapture(false);
    EXPECT_TRUE(h.Logged("a:CaptureLost"));
    EXPECT_EQ(h.manager.GetCaptureWidget(), nullptr);
}

TEST(InputClicks, DoubleClickGoesToWidgetsThatWantItElseArrivesAsAPress) {
    UiHarness h;
    ProbeWidget* plain = h.NewWidget("plain", 10, 10);
    ProbeWidget* wants = h.NewWidget("wants", 10, 10);
    Scene scene(h, {{plain, {0, 0}}, {wants, {100, 0}}});
    wants->SetWantsDoubleClicks(true);
    h.manager.OnLButtonDblClk(1, 5, 5);
    h.manager.OnLButtonDblClk(1, 105, 5);
    h.manager.OnRButtonDblClk(2, 5, 5);
    EXPECT_EQ(h.log, (std::vector<std::string>{"plain:LDown 5,5", "wants:LDbl 5,5",
                                               "plain:RDown 5,5"}));
}

TEST(InputHover, EnterLeaveAndTheHoveredWidgetsCursor) {
    UiHarness h;
    ProbeWidget* a = h.NewWidget("a", 10, 10);
    ProbeWidget* b = h.NewWidget("b", 10, 10);
    Scene scene(h, {{a, {0, 0}}, {b, {100, 0}}});
    b->SetCursorKind(ScreenManager::kCursorHand, false);
    h.manager.OnMouseMove(0, 5, 5);
    EXPECT_EQ(h.manager.GetHoveredWidget(), a);
    EXPECT_EQ(h.manager.GetCursorKind(), ScreenManager::kCursorNormal);
    h.manager.OnMouseMove(0, 105, 5);
    EXPECT_EQ(h.log, (std::vector<std::string>{"a:Move 5,5", "a:Enter", "b:Move 5,5", "a:Leave",
                                               "b:Enter"}));
    EXPECT_EQ(h.manager.GetCursorKind(), ScreenManager::kCursorHand);
    h.manager.OnMouseMove(0, 300, 300);
    EXPECT_EQ(h.log.back(), "b:Leave");
    EXPECT_EQ(h.manager.GetHoveredWidget(), nullptr);
    EXPECT_EQ(h.manager.GetCursorKind(), ScreenManager::kCursorNormal);
    // A disabled widget is not hovered.
    a->SetEnabled(false);
    h.manager.OnMouseMove(0, 5, 5);
    EXPECT_EQ(h.manager.GetHoveredWidget(), nullptr);
}

TEST(InputHover, RetestAfterRenderFollowsAShownWidget) {
    UiHarness h;
    ProbeWidget* a = h.NewWidget("a", 10, 10);
    Scene scene(h, {{a, {0, 0}}});
    a->SetVisible(false);
    h.window.cursorX = 5;
    h.window.cursorY = 5;
    h.Frames(1);
    EXPECT_FALSE(h.Logged("a:Enter"));
    a->SetVisible(true);
    h.Frames(1);  // draws the widget, then re-tests the pointer against what was drawn
    EXPECT_TRUE(h.Logged("a:Enter"));
    EXPECT_EQ(h.manager.GetHoveredWidget(), a);
}

TEST(InputHover, PushShowsTheWaitCursorUntilTheNextRetest) {
    UiHarness h;
    h.manager.PushScreen(h.NewScreen("S"), false, false, false);
    EXPECT_EQ(h.manager.GetCursorKind(), ScreenManager::kCursorWait);
    h.Frames(1);
    EXPECT_EQ(h.manager.GetCursorKind(), ScreenManager::kCursorNormal);
}

TEST(InputDrag, MovesWithinBoundsAndEndsOnRelease) {
    UiHarness h;
    ProbeWidget* thumb = h.NewWidget("thumb", 10, 10);
    Scene scene(h, {{thumb, {150, 200}}});
    h.window.cursorX = 155;
    h.window.cursorY = 205;
    h.manager.BeginDrag(thumb, ScreenManager::kDragMoveWidget | ScreenManager::kDragSendMoves,
                        100, 200, 300, 200);
    EXPECT_TRUE(h.window.mouseCaptured);
    h.manager.OnMouseMove(1, 500, 260);
    int32_t x, y;
    thumb->GetPosition(x, y);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 200);
    h.manager.OnMouseMove(1, 55, 0);
    thumb->GetPosition(x, y);
    EXPECT_EQ(x, 100);
    EXPECT_TRUE(h.Logged("thumb:DragMove -45,-200"));
    h.manager.OnLButtonUp(0, 60, 0);
    EXPECT_TRUE(h.Logged("thumb:DragEnd -40,-200"));
    EXPECT_EQ(h.manager.GetDragWidget(), nullptr);
    EXPECT_FALSE(h.window.mouseCaptured);
}

TEST(InputDrag, LongDragStillRunsFrames) {
    UiHarness h;
    ProbeWidget* thumb = h.NewWidget("thumb", 10, 10);
    Scene scene(h, {{thumb, {0, 0}}});
    h.manager.BeginDrag(thumb, ScreenManager::kDragMoveWidget, 0, 0, 800, 600);
    uint32_t before = h.manager.GetGameTime();
    h.clock.now += 20;  // 45 ms since the last frame began
    h.manager.OnMouseMove(1, 5, 5);
    EXPECT_EQ(h.manager.GetGameTime(), before);
    h.clock.now += 10;
    h.manager.OnMouseMove(1, 6, 6);
    EXPECT_GT(h.manager.GetGameTime(), before);
}

TEST(InputKeys, KeyDownStopsAtTheFirstTakerCharactersReachEveryone) {
    UiHarness h;
    ProbeWidget* older = h.NewWidget("older", 10, 10);
    ProbeWidget* newer = h.NewWidget("newer", 10, 10);
    ProbeWidget* hidden = h.NewWidget("hidden", 10, 10);
    ProbeScreen* screen = h.NewScreen("S");
    screen->build = [=](ProbeScreen& s) {
        for (ProbeWidget* w : {older, newer, hidden}) {
            s.AddWidget(w, 0, 0);
            w->EnableKeyDown(true);
            w->EnableChar(true);
        }
    };
    h.manager.PushScreen(screen, false, false, false);
    hidden->SetVisible(false);
    h.log.clear();
    newer->onKeyDown = [](uint32_t key) { return key == 13; };
    h.manager.OnKeyDown(13, 1, 0);
    h.manager.OnKeyDown(27, 1, 0);
    h.manager.OnChar('x', 1, 0);
    EXPECT_EQ(h.log, (std::vector<std::string>{"newer:Key 13", "newer:Key 27", "older:Key 27",
                                               "newer:Char 120", "older:Char 120"}));
}

TEST(InputActivation, DeactivationDropsHoverAndCaptureAndTellsScreensAndSound) {
    UiHarness h;
    ProbeWidget* a = h.NewWidget("a", 10, 10);
    Scene scene(h, {{a, {0, 0}}});
    h.manager.OnMouseMove(0, 5, 5);
    a->SetCapture(true);
    h.log.clear();
    h.manager.OnActivateApp(false);
    EXPECT_EQ(h.log, (std::vector<std::string>{"a:Leave", "a:CaptureLost", "S:AppInactive"}));
    EXPECT_EQ(h.sound.calls.back(), "SetActive 0");
    h.manager.OnActivateApp(false);
    EXPECT_EQ(h.log.size(), 3u);
}

TEST(InputFullScreen, CornerLeavesFullScreenEvenWhenAWidgetTookThePress) {
    UiHarness h;
    h.display.fullScreen = true;
    ProbeWidget* a = h.NewWidget("a", 50, 50);
    Scene scene(h, {{a, {770, 0}}});
    h.manager.OnMouseMove(0, 790, 5);
    EXPECT_EQ(h.manager.GetCursorKind(), ScreenManager::kCursorHand);
    h.manager.OnLButtonDown(1, 790, 5);
    EXPECT_TRUE(h.Logged("a:LDown 20,5"));
    EXPECT_FALSE(h.display.fullScreen);
    h.manager.OnLButtonDown(1, 790, 5);  // windowed: nothing more
    EXPECT_EQ(h.display.setModeCalls, 2);
}

TEST(InputFullScreen, StretchedDisplayScalesThePointer) {
    UiHarness h;
    h.display.fullScreen = true;
    h.display.stretched = true;
    h.display.viewport = Rect{160, 0, 1760, 1200};
    int32_t x = 960, y = 600;
    h.manager.ScalePoint(x, y);
    EXPECT_EQ(x, 400);
    EXPECT_EQ(y, 300);
    h.display.viewport = Rect{10, 10, 10, 10};  // degenerate: left unscaled
    x = 5;
    h.manager.ScalePoint(x, y);
    EXPECT_EQ(x, 5);
}

TEST(InputSoftwareCursor, DrawnIntoTheFrameAtItsHotSpot) {
    UiHarness h(false);
    h.display.direct3D = true;
    h.display.AddImage(70, 32, 32);
    h.display.AddImage(71, 32, 32);
    ASSERT_TRUE(h.manager.Start(&h.window, false, 25));
    h.window.cursorX = 100;
    h.window.cursorY = 50;
    h.manager.OnMouseMove(0, 100, 50);
    auto cursor = h.display.ImagesIn(h.display.LastFrame(), 71);
    ASSERT_EQ(cursor.size(), 1u);
    EXPECT_EQ(cursor[0].x, 99);
    EXPECT_EQ(cursor[0].y, 49);
    h.manager.SetCursorKind(ScreenManager::kCursorHand);
    h.Frames(1);  // only the cursor is redrawn: restore, save, draw
    ASSERT_EQ(h.display.LastFrame().size(), 3u);
    EXPECT_EQ(h.display.LastFrame()[0].op, RecordingDisplay::Op::RestoreCursor);
    EXPECT_EQ(h.display.ImagesIn(h.display.LastFrame(), 70)[0].x, 91);
    h.window.pointerOver = false;
    h.Frames(1);
    EXPECT_EQ(h.window.systemCursors.back(), ManagerWindow::kSystemArrow);
}

TEST(InputSoftwareCursor, NothingIsDrawnOrPresentedWhileThePointerStaysOutside) {
    UiHarness h(false);
    h.display.direct3D = true;
    h.display.AddImage(71, 32, 32);
    ASSERT_TRUE(h.manager.Start(&h.window, false, 25));
    h.window.cursorX = 100;
    h.window.cursorY = 50;
    h.manager.OnMouseMove(0, 100, 50);
    // The last move is reported as the pointer leaves the window.
    h.window.pointerOver = false;
    h.manager.OnMouseMove(0, 100, 50);
    h.Frames(1);  // takes the cursor out of the frame
    EXPECT_EQ(h.display.LastFrame().size(), 1u);
    EXPECT_EQ(h.display.LastFrame()[0].op, RecordingDisplay::Op::RestoreCursor);
    const size_t frames = h.display.Frames().size();
    const int32_t presents = h.display.presents;
    h.Frames(30);
    EXPECT_EQ(h.display.Frames().size(), frames);
    EXPECT_EQ(h.display.presents, presents);
    // Back inside, the cursor is drawn again.
    h.window.pointerOver = true;
    h.manager.OnMouseMove(0, 100, 50);
    h.Frames(1);
    EXPECT_EQ(h.display.ImagesIn(h.display.LastFrame(), 71).size(), 1u);
}

}  // namespace
