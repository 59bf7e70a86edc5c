#include <gtest/gtest.h>

#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/gfx/BitmapFont.h"
#include "game/play/Hud.h"
#include "tests/framework/ui/UiHarness.h"

namespace {

class HudTest : public ::testing::Test {
protected:
    UiHarness h;
    MemoryResources texts;
    Hud* hud = nullptr;
    ProbeScreen* screen = nullptr;

    void SetUp() override {
        texts.AddString(6, "%d AD");
        texts.AddString(7, "%d BC");
        texts.AddString(39, "none yet");
        SetAssetModule(&texts);
    }
    void TearDown() override { SetAssetModule(nullptr); }

    void Make(int mode) {
        hud = new Hud(mode);
        screen = h.NewScreen("play");
        Hud* w = hud;
        screen->build = [w](ProbeScreen& s) { s.AddWidget(w, 0, 0); };
        h.manager.PushScreen(screen, false, false, false);
        h.Frames(1);
    }
    void RunSeconds(int seconds) { h.Frames(seconds * 40); }
};

TEST_F(HudTest, ClockCountsWholeSecondsAndStopsAtTheCap)
{
    Make(Hud::kFreePlay);
    EXPECT_STREQ(hud->ClockText().CStr(), "0:00:00");
    hud->StartClock(0);
    RunSeconds(3);
    EXPECT_EQ(hud->ElapsedSeconds(), 3);
    EXPECT_STREQ(hud->ClockText().CStr(), "0:00:03");
    hud->AddSeconds(20);
    EXPECT_EQ(hud->ElapsedSeconds(), 23);
    hud->StopClock();
    RunSeconds(2);
    EXPECT_EQ(hud->ElapsedSeconds(), 23);

    hud->StartClock(35990);  // a resumed game near ten hours
    EXPECT_STREQ(hud->ClockText().CStr(), "9:59:50");
    RunSeconds(30);
    EXPECT_EQ(hud->ElapsedSeconds(), 35999);
    EXPECT_STREQ(hud->ClockText().CStr(), "9:59:59");
    hud->StopClock();
    EXPECT_EQ(hud->ElapsedSeconds(), 35999);

    hud->ResetClock();
    EXPECT_EQ(hud->ElapsedSeconds(), 0);
    EXPECT_FALSE(hud->IsClockRunning());
    hud->AddSeconds(20);  // the shuffle's cost on a stopped clock
    EXPECT_EQ(hud->ElapsedSeconds(), 20);
}

TEST_F(HudTest, ClockStandsStillWhileADialogCoversThePage)
{
    Make(Hud::kFreePlay);
    hud->StartClock(0);
    RunSeconds(5);
    const int before = hud->ElapsedSeconds();
    ProbeScreen* dialog = h.NewScreen("dialog");
    h.manager.PushScreen(dialog, true, false, false);
    RunSeconds(60);
    EXPECT_EQ(hud->ElapsedSeconds(), before);
    h.manager.PopScreens(false, 1);
    h.Frames(1);
    EXPECT_EQ(hud->ElapsedSeconds(), before);
    RunSeconds(2);
    EXPECT_EQ(hud->ElapsedSeconds(), before + 2);
}

TEST_F(HudTest, WhenTheSecondTurnsOnlyTheClockIsDrawnAnew)
{
    texts.Add(kTextType, 202, std::string_view("H:14,12,0,6,1\nS:0x30,8,8,8,8,8,8,8,8,8,8,4\n"));
    BitmapFont numbers;
    ASSERT_TRUE(numbers.Load(203, 202, &texts));
    h.display.AddImage(203, 84, 14);
    h.display.fonts[203] = &numbers;
    Make(Hud::kFreePlay);
    hud->StartClock(0);
    h.Frames(1);
    h.display.clips.clear();
    const size_t frames = h.display.Frames().size();
    RunSeconds(1);
    ASSERT_EQ(h.display.Frames().size(), frames + 1);
    ASSERT_FALSE(h.display.clips.empty());
    const Rect clip = h.display.clips.front();
    EXPECT_LT(clip.Width() * clip.Height(), 800 * 600 / 100);
    // The clock's glyphs, left of the score's.
    int clockGlyphs = 0;
    for (const auto& glyph : h.display.ImagesIn(h.display.LastFrame(), 203)) {
        if (glyph.x >= 400) continue;
        ++clockGlyphs;
        EXPECT_EQ(Rect::Intersect(glyph.rect, clip), glyph.rect);
    }
    EXPECT_GT(clockGlyphs, 0);
}

TEST_F(HudTest, FormatsCountsYearsAndBestResults)
{
    Make(Hud::kStory);
    hud->SetCounters(-1, 5);
    EXPECT_TRUE(hud->CounterA().IsEmpty());
    EXPECT_STREQ(hud->CounterB().CStr(), "5");
    hud->SetCaption(String("Qin"), -221, 206);
    EXPECT_STREQ(hud->Title().CStr(), "Qin");
    EXPECT_STREQ(hud->FirstYear().CStr(), "221 BC");
    EXPECT_STREQ(hud->LastYear().CStr(), "206 AD");
    hud->SetBestTime(36000);
    EXPECT_STREQ(hud->BestTime().CStr(), "none yet");
    hud->SetBestTime(3725);
    EXPECT_STREQ(hud->BestTime().CStr(), "1:02:05");
    hud->SetScore(0);
    EXPECT_STREQ(hud->ScoreText().CStr(), "0");
}

TEST_F(HudTest, DrawsTheFrameOfItsModeAndTheProgressStrip)
{
    for (int id : {127, 125, 128, 126, 261, 263, 253, 254, 255}) h.display.AddImage(id, 10, 10);
    Make(Hud::kStory);
    hud->SetProgress(5, 2);
    h.manager.MarkDirty();
    h.Frames(1);
    const auto& frame = h.display.LastFrame();
    ASSERT_EQ(h.display.ImagesIn(frame, 128).size(), 1u);
    EXPECT_EQ(h.display.ImagesIn(frame, 128)[0].y, 504);
    EXPECT_TRUE(h.display.ImagesIn(frame, 261).empty());
    const auto strip = h.display.ImagesIn(frame, 253);
    ASSERT_EQ(strip.size(), 1u);
    EXPECT_EQ(strip[0].source, (Rect{0, 0, 2 * 55 + 6, 15}));
    EXPECT_EQ(h.display.ImagesIn(frame, 255).size(), 4u);
    ASSERT_EQ(h.display.ImagesIn(frame, 254).size(), 1u);
    EXPECT_EQ(h.display.ImagesIn(frame, 254)[0].x, 265 + 110);

    h.manager.PopScreensNow(1);
    Make(Hud::kFreePlay);
    h.manager.MarkDirty();
    h.Frames(1);
    const auto& free = h.display.LastFrame();
    ASSERT_EQ(h.display.ImagesIn(free, 263).size(), 1u);
    EXPECT_EQ(h.display.ImagesIn(free, 263)[0].x, 54);
    EXPECT_TRUE(h.display.ImagesIn(free, 127).empty());
    EXPECT_TRUE(h.display.ImagesIn(free, 253).empty());  // no strip before the levels are set
}

}  // namespace
