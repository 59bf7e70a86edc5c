#include "game/front/TimelinePanel.h"

#include <gtest/gtest.h>

#include "tests/game/front/FrontHarness.h"

namespace {

class TimelinePanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.Text(150, "Welcome back, %s");
        f.Text(104, "Xia\n2000 BC\tShang\tZhou\tQin\tHan\tSui\tT'ang\tSong\tYuan\tMing\tQing\tExtra");
        f.Fonts({296, 302});
        f.Picture(361, 800, 600);
        f.Picture(363, 660, 400);
        panel = new TimelinePanel("Ann");
        screen = f.ui.NewScreen("intro");
        screen->build = [this](ProbeScreen& s) { s.AddWidget(panel, 0, 0); };
        f.ui.manager.PushScreen(screen, true, false, false);
    }

    // Frames until the stage changes; how many it took.
    int FramesToNextStage() {
        int start = panel->GetStage();
        for (int frames = 1; frames <= 1000; ++frames) {
            f.ui.Frames(1);
            if (panel->GetStage() != start) return frames;
        }
        return -1;
    }

    FrontHarness f;
    TimelinePanel* panel = nullptr;
    ProbeScreen* screen = nullptr;
};

}  // namespace

TEST_F(TimelinePanelTest, TitleGreetsThePlayerAndCaptionsAreTheTabbedFields) {
    EXPECT_EQ(panel->GetTitle(), "Welcome back, Ann");
    EXPECT_EQ(panel->GetCaption(0), "Xia\n2000 BC");
    EXPECT_EQ(panel->GetCaption(10), "Qing");
}

TEST_F(TimelinePanelTest, ThePictureFadesInAfterASecondThenEachCaptionInASecond) {
    EXPECT_FALSE(screen->IsOpaque());
    // One second of delay, then three seconds of picture: the first caption starts after about
    // four seconds of 25 ms frames.
    int toFirstCaption = FramesToNextStage();
    EXPECT_GE(toFirstCaption, 4000 / 25);
    EXPECT_LE(toFirstCaption, 4400 / 25);
    EXPECT_TRUE(screen->IsOpaque());
    EXPECT_EQ(panel->GetStartDelay() <= 0, true);
    EXPECT_EQ(panel->GetAlpha(), 0);

    int toSecondCaption = FramesToNextStage();
    EXPECT_GE(toSecondCaption, 1000 / 25);
    EXPECT_LE(toSecondCaption, 1100 / 25);

    for (int stage = 2; stage < TimelinePanel::kDoneStage; ++stage) ASSERT_GT(FramesToNextStage(), 0);
    EXPECT_EQ(panel->GetStage(), TimelinePanel::kDoneStage);
    f.ui.Frames(100);
    EXPECT_EQ(panel->GetStage(), TimelinePanel::kDoneStage);
}

TEST_F(TimelinePanelTest, NothingFadesDuringTheDelay) {
    f.ui.Frames(30);
    EXPECT_EQ(panel->GetStage(), 0);
    EXPECT_EQ(panel->GetAlpha(), 0);
    EXPECT_GT(panel->GetStartDelay(), 0);
    EXPECT_FALSE(screen->IsOpaque());
}

TEST_F(TimelinePanelTest, FinishedCaptionsAreOpaqueAndTheCurrentOneFades) {
    while (panel->GetStage() < 3) f.ui.Frames(1);
    f.ui.Frames(20);
    f.ui.manager.MarkDirty();
    f.ui.Frames(1);
    auto picture = f.Images(363);
    ASSERT_EQ(picture.size(), 1u);
    EXPECT_EQ(picture[0].alpha, 255);
    EXPECT_EQ(picture[0].x, 68);
    auto captions = f.Images(302);
    // "Xia" and "2000BC" (two lines), "Shang", then "Zhou" fading.
    EXPECT_EQ(f.Spelled(302), "Xia2000BCShangZhou");
    ASSERT_EQ(captions.size(), 18u);
    EXPECT_EQ(captions[0].x, 409);
    EXPECT_EQ(captions[0].y, 115 - 12);
    EXPECT_EQ(captions[3].y, 115 - 12 + 14 - 7);  // the second line, the row height less 7 down
    EXPECT_EQ(captions[9].x, 538);
    EXPECT_EQ(captions[9].alpha, 255);
    EXPECT_EQ(captions[14].x, 646);
    EXPECT_EQ(captions[14].alpha, panel->GetAlpha());
    EXPECT_LT(captions[14].alpha, 255);
    EXPECT_EQ(f.Spelled(296), "Welcomeback,Ann");
}
