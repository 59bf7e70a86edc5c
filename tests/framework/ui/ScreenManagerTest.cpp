#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "../gfx/FakeRenderBackend.h"
#include "UiHarness.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/SdlDisplayDevice.h"
#include "framework/ui/AnimatedSprite.h"

namespace {

using Op = RecordingDisplay::Op;

// A 32-bit bitmap resource: the info header, then the rows bottom-up, pixel (x, y) of the
// picture being colour(x, y) as ARGB.
std::vector<uint8_t> Bitmap32(int32_t width, int32_t height, uint32_t (*colour)(int32_t, int32_t)) {
    std::vector<uint8_t> bytes(40 + static_cast<size_t>(width) * height * 4, 0);
    auto put = [&](size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    put(0, 40);
    put(4, static_cast<uint32_t>(width));
    put(8, static_cast<uint32_t>(height));
    bytes[12] = 1;
    bytes[14] = 32;
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) put(40 + (static_cast<size_t>(height - 1 - y) * width + x) * 4, colour(x, y));
    }
    return bytes;
}

// Draws one picture of the asset module at its corner.
class PictureWidget : public Widget {
public:
    explicit PictureWidget(int32_t imageId) : imageId_(imageId) {}
    void Draw() override { DrawImage(0, 0, imageId_, nullptr, true); }
    void OnCreate() override {}

private:
    int32_t imageId_;
};

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

TEST(ScreenManagerRender, APartialRepaintDrawsWhatAWholeRepaintDraws) {
    MemoryResources assets;
    assets.Add(kBitmapType, 1, Bitmap32(400, 300, [](int32_t x, int32_t y) {
        return 0xFF000000u | static_cast<uint32_t>(x * 255 / 399) << 16 | static_cast<uint32_t>(y * 255 / 299) << 8 | 0x30;
    }));
    // Four frames of 24x24, each a disc of its own colour fading towards its rim, on a faint
    // square that reaches the frame's edges.
    assets.Add(kBitmapType, 2, Bitmap32(96, 24, [](int32_t x, int32_t y) {
        const int32_t dx = x % 24 - 12, dy = y - 12, d = dx * dx + dy * dy;
        const uint32_t alpha = d >= 144 ? 60 : static_cast<uint32_t>(255 - d * 195 / 144);
        return alpha << 24 | static_cast<uint32_t>(x / 24 * 80) << 16 | 0x00A0u << 8 | static_cast<uint32_t>(255 - x / 24 * 60);
    }));
    assets.Add(kBitmapType, 3, Bitmap32(60, 20, [](int32_t x, int32_t) { return 0x80FFFFFFu - static_cast<uint32_t>(x); }));
    // The accelerated path's arrow, translucent, so that one drawn twice shows.
    MemoryResources exe;
    exe.Add(kBitmapType, 71, Bitmap32(32, 32, [](int32_t x, int32_t y) { return x + y < 24 ? 0x90102030u : 0u; }));
    const ResourceModule* previousAssets = AssetModule();
    const ResourceModule* previousExe = ExeModule();
    SetAssetModule(&assets);
    SetExeModule(&exe);

    for (bool accelerated : {false, true}) {
        SCOPED_TRACE(accelerated ? "accelerated" : "software");
        DisplaySettings settings;
        settings.hardwareAcceleration = accelerated;
        FakeRenderBackend* backend = nullptr;
        ScreenManager* manager = nullptr;
        SdlDisplayDevice display(
            [&](bool) -> std::unique_ptr<RenderBackend> {
                auto made = std::make_unique<FakeRenderBackend>();
                backend = made.get();
                return made;
            },
            settings, {}, nullptr, [&] {
                if (manager) manager->MarkDirty();
            });
        FakeClock clock;
        ScriptedWindow window;
        // Over the sprite, where the accelerated path draws its cursor into the frame.
        window.cursorX = 100;
        window.cursorY = 95;
        ScreenManager screens(display, clock, nullptr);
        manager = &screens;
        ASSERT_TRUE(screens.Start(&window, false, 25));
        ASSERT_EQ(display.IsDirect3DInUse(), accelerated);

        auto* sprite = new AnimatedSprite();
        auto* screen = new ProbeScreen(nullptr, "S");
        screen->build = [sprite](ProbeScreen& s) {
            s.AddWidget(new PictureWidget(1), 0, 0);
            auto* holder = new ProbeWidget(nullptr, "holder", 0, 0);
            holder->draws = false;
            s.AddWidget(holder, 100, 80);
            holder->AddEffect(sprite);
            sprite->SetImage(0, 0, 2, 24);
            sprite->Run(AnimatedSprite::kModeLoop, 100, AnimatedSprite::kForever, 0);
            holder->EnableUpdates(true);
            // Over the sprite's path.
            s.AddWidget(new PictureWidget(3), 110, 90);
        };
        screens.PushScreen(screen, false, false, false);
        // The sprite's clock starts with the first frame after game time 0.
        for (int32_t i = 0; i < 2; ++i) {
            clock.now += 100;
            screens.OnFrameTimer();
        }

        auto picture = [&] {
            std::vector<uint8_t> pixels(static_cast<size_t>(800) * 600 * 4);
            if (accelerated) {
                EXPECT_TRUE(display.ReadBackBuffer(Rect{0, 0, 800, 600}, pixels.data(), 800 * 4));
            } else {
                for (int32_t y = 0; y < 600; ++y) {
                    std::memcpy(pixels.data() + static_cast<size_t>(y) * 800 * 4,
                                display.Frame() + static_cast<int64_t>(y) * display.FramePitch(), 800 * 4);
                }
            }
            return pixels;
        };
        for (int32_t step = 1; step <= 6; ++step) {
            SCOPED_TRACE(step);
            sprite->SetPosition(step * 9, step * 4);
            window.cursorX += 5;
            clock.now += 100;
            const int32_t clippedBefore = backend->clippedDraws;
            screens.OnFrameTimer();
            const std::vector<uint8_t> partial = picture();
            std::vector<uint32_t> frame(partial.size() / 4);
            std::memcpy(frame.data(), partial.data(), partial.size());
            EXPECT_TRUE(backend->shown == frame) << "the picture shown is the frame";
            const Rect taken = backend->frameTaken;
            if (accelerated) {
                EXPECT_GT(backend->clippedDraws, clippedBefore) << "drawn in part";
            } else {
                EXPECT_LT(taken.Width() * taken.Height(), 800 * 600 / 20) << "sent in part";
            }

            screens.MarkDirty();
            screens.Render();
            EXPECT_TRUE(partial == picture()) << "the frame drawn in part is the frame drawn whole";
        }
        screens.Stop();
    }
    SetAssetModule(previousAssets);
    SetExeModule(previousExe);
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

TEST(ScreenManagerRender, AFrameThatTakesTimeIsPresentedOnce) {
    UiHarness h;
    ProbeWidget* w = h.NewWidget("w", 10, 10);
    w->onCreate = [](ProbeWidget& self) { self.EnableUpdates(true); };
    w->onUpdate = [&] {
        h.clock.now += 3;
        return true;
    };
    h.manager.PushScreen(h.ScreenWith("A", w, 0, 0), false, false, false);
    h.Frames(1);
    const int presents = h.display.presents;
    h.Frames(10);
    EXPECT_EQ(h.display.presents, presents + 10);
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
