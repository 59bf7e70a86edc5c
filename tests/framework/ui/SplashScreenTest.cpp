// The splash: the plain splash's pictures and version, the optional logo first, and the steps
// onward after two seconds each.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <string_view>

#include "ControlScene.h"
#include "FakeUiHost.h"
#include "framework/core/MemoryResources.h"
#include "framework/gfx/BitmapFont.h"
#include "framework/ui/SplashScreen.h"
#include "framework/ui/SplashView.h"

namespace {

// A display that can "load" the logo file: a path ending in "SplashLogo" in the folder the test
// names gives an image of the chosen size.
class LogoDisplay : public RecordingDisplay {
public:
    std::string logoFolder;
    int32_t logoWidth = 400;
    int32_t logoHeight = 300;
    std::vector<std::string> filesAsked;

    bool LoadImageFile(int32_t id, const char* path) override {
        filesAsked.emplace_back(path);
        if (logoFolder.empty() || std::string(path) != logoFolder + "SplashLogo") return false;
        AddImage(id, logoWidth, logoHeight);
        return true;
    }
};

struct SplashHarness {
    std::vector<std::string> log;
    LogoDisplay display;
    FakeClock clock;
    ScriptedWindow window;
    RecordingSound sound;
    ScreenManager manager{display, clock, &sound};
    FakeUiHost host;

    SplashHarness() {
        for (int32_t id : {79, 77, 80, 55, 81, 78}) display.AddImage(id, 20, 10);
        display.AddImage(58, 15, 14);
        host.folder = "/opt/game/";
        manager.Start(&window, false, 25);
    }
    void Frames(int count) {
        for (int i = 0; i < count; ++i) manager.OnFrameTimer();
    }
    // Runs frames until `ms` of game time passed.
    void RunFor(uint32_t ms) {
        uint32_t end = manager.GetGameTime() + ms;
        while (manager.GetGameTime() < end) manager.OnFrameTimer();
    }
    SplashScreen* Top() { return dynamic_cast<SplashScreen*>(manager.GetTopScreen()); }
    bool Filled(uint32_t colour) {
        for (const auto& d : display.LastFrame()) {
            if (d.op == RecordingDisplay::Op::Fill && d.colour == colour &&
                d.rect == (Rect{0, 0, 800, 600})) {
                return true;
            }
        }
        return false;
    }
    // Until the transition to the first screen is over.
    void Open(SplashScreen* screen) {
        manager.BeginTransition(screen);
        for (int i = 0; i < 200 && manager.GetTransitionState() != 0; ++i) Frames(1);
    }
};

}  // namespace

TEST(SplashPlain, DrawsTheFrameworkPicturesOnDarkBlueWithTheVersion) {
    SplashHarness s;
    MemoryResources exe;
    exe.Add(kTextType, 57, std::string_view("H:14,12,0,4,1\nS:0x2e,3\nS:0x76,6\n"));
    BitmapFont font;
    ASSERT_TRUE(font.Load(58, 57, &exe));
    s.display.fonts[58] = &font;
    s.host.version = "v.";
    s.Open(new SplashScreen(false));
    ASSERT_NE(s.Top(), nullptr);
    EXPECT_FALSE(s.Top()->HasLogo());
    EXPECT_TRUE(s.display.filesAsked.empty());
    s.manager.MarkDirty();
    s.Frames(1);
    EXPECT_TRUE(s.Filled(SplashView::kGroundColour));
    const std::pair<int32_t, Rect> expected[] = {
        {79, {277, 109, 297, 119}}, {77, {224, 146, 244, 156}}, {80, {361, 410, 381, 420}},
        {55, {333, 426, 353, 436}}, {81, {466, 426, 486, 436}}, {78, {226, 565, 246, 575}},
    };
    for (const auto& [id, rect] : expected) {
        auto draws = s.display.ImagesIn(s.display.LastFrame(), id);
        ASSERT_EQ(draws.size(), 1u) << id;
        EXPECT_EQ(draws[0].rect, rect) << id;
    }
    // "v." is 6 + 3 wide, right-aligned at 790 with baseline 595.
    auto glyphs = s.display.ImagesIn(s.display.LastFrame(), 58);
    ASSERT_EQ(glyphs.size(), 2u);
    EXPECT_EQ(glyphs[0].x, 790 - 9);
    EXPECT_EQ(glyphs[0].y, 595 - 12);
    EXPECT_EQ(glyphs[1].x, 790 - 3);
    EXPECT_TRUE(s.host.links);
}

TEST(SplashPlain, EmptyVersionDrawsNoText) {
    SplashHarness s;
    MemoryResources exe;
    exe.Add(kTextType, 57, std::string_view("H:14,12,0,4,1\nS:0x2e,3\n"));
    BitmapFont font;
    ASSERT_TRUE(font.Load(58, 57, &exe));
    s.display.fonts[58] = &font;
    s.Open(new SplashScreen(false));
    s.manager.MarkDirty();
    s.Frames(1);
    EXPECT_TRUE(s.display.ImagesIn(s.display.LastFrame(), 58).empty());
    EXPECT_EQ(s.display.ImagesIn(s.display.LastFrame(), 79).size(), 1u);
}

TEST(SplashPlain, ShowsTheMainScreenOnceTwoSecondsAfterItsFirstUpdate) {
    SplashHarness s;
    s.manager.BeginTransition(new SplashScreen(false));
    SplashView* view = nullptr;
    uint32_t started = 0;
    for (int i = 0; i < 400 && s.host.mainScreenCalls == 0; ++i) {
        s.Frames(1);
        SplashScreen* top = s.Top();
        if (!view && top && !top->GetWidgets().empty()) {
            view = dynamic_cast<SplashView*>(top->GetWidgets()[0]);
        }
        if (view && started == 0 && view->GetCountdown() == SplashView::kShowMs) {
            started = s.manager.GetGameTime();
        }
        if (view && s.host.mainScreenCalls == 0) {
            EXPECT_GT(view->GetCountdown(), 0);
        }
    }
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(s.host.mainScreenCalls, 1);
    uint32_t shown = s.manager.GetGameTime() - started;
    EXPECT_GE(shown, 2000u);
    EXPECT_LT(shown, 2000u + 50u);
    EXPECT_EQ(view->GetCountdown(), 0);
    s.RunFor(3000);
    EXPECT_EQ(s.host.mainScreenCalls, 1);
}

TEST(SplashLogo, MissingLogoFileGivesThePlainSplashAndKeepsLinks) {
    SplashHarness s;
    s.Open(new SplashScreen(true));
    ASSERT_EQ(s.display.filesAsked.size(), 1u);
    EXPECT_EQ(s.display.filesAsked[0], "/opt/game/SplashLogo");
    ASSERT_NE(s.Top(), nullptr);
    EXPECT_FALSE(s.Top()->HasLogo());
    EXPECT_TRUE(s.host.links);
    s.manager.MarkDirty();
    s.Frames(1);
    EXPECT_TRUE(s.Filled(SplashView::kGroundColour));
    s.RunFor(2100);
    EXPECT_EQ(s.host.mainScreenCalls, 1);
}

TEST(SplashLogo, LogoAloneOnBlackThenThePlainSplash) {
    SplashHarness s;
    s.display.logoFolder = "/opt/game/";
    s.Open(new SplashScreen(true));
    SplashScreen* logo = s.Top();
    ASSERT_NE(logo, nullptr);
    EXPECT_TRUE(logo->HasLogo());
    EXPECT_FALSE(s.host.links);
    s.manager.MarkDirty();
    s.Frames(1);
    EXPECT_TRUE(s.Filled(0));
    auto drawn = s.display.ImagesIn(s.display.LastFrame(), SplashScreen::kLogoImageId);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].x, 200);
    EXPECT_EQ(drawn[0].y, 100);
    EXPECT_TRUE(s.display.ImagesIn(s.display.LastFrame(), 79).empty());

    s.RunFor(2100);
    for (int i = 0; i < 200 && s.manager.GetTransitionState() != 0; ++i) s.Frames(1);
    SplashScreen* plain = s.Top();
    ASSERT_NE(plain, nullptr);
    EXPECT_FALSE(plain->HasLogo());
    EXPECT_EQ(s.host.mainScreenCalls, 0);
    s.sound.calls.clear();
    s.RunFor(2100);
    EXPECT_EQ(s.host.mainScreenCalls, 1);
    EXPECT_FALSE(s.host.links);  // off for the rest of the run
}

TEST(SplashLogo, OddLogoSizesArePlacedByTheSameRule) {
    SplashHarness s;
    s.display.logoFolder = "/opt/game/";
    s.display.logoWidth = 801;
    s.display.logoHeight = 7;
    s.Open(new SplashScreen(true));
    s.manager.MarkDirty();
    s.Frames(1);
    auto drawn = s.display.ImagesIn(s.display.LastFrame(), SplashScreen::kLogoImageId);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].x, 0);  // (800 - 801) / 2 truncates toward zero
    EXPECT_EQ(drawn[0].y, 197);
}

TEST(SplashClose, ClosingTheSplashReleasesItsSound) {
    SplashHarness s;
    s.Open(new SplashScreen(false));
    s.sound.calls.clear();
    s.manager.ClearScreens(true);
    s.Frames(1);
    bool released = false;
    for (const auto& call : s.sound.calls) released = released || call == "UnloadSound 106";
    EXPECT_TRUE(released);
}
