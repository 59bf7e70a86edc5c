// The wipe between two screens: where each screen is clipped as the panel moves, where the panel
// image is drawn, when each direction ends (with its exact boundary), and the vertical-blank wait
// that is held only while it moves.
#include "game/front/SlidePanel.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "tests/game/front/FrontHarness.h"

namespace {

std::optional<Rect> OnlyClip(const Widget* widget) {
    const ClipRect* clip = widget->GetClipList();
    if (!clip) return std::nullopt;
    EXPECT_EQ(clip->next, nullptr);
    return clip->rect;
}

class SlidePanelTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.Picture(SlidePanel::kImageId, 152, 600);
        playField = f.ui.NewWidget("field", 800, 600);
        play = f.ui.ScreenWith("play", playField, 0, 0);
        f.ui.manager.PushScreen(play, false, false, false);
        map = f.ui.NewWidget("map", 800, 600);
        panel = new SlidePanel(play, [this] { doneAtX.push_back(lastX); });
        ProbeScreen* campaign = f.ui.NewScreen("campaign");
        campaign->build = [this](ProbeScreen& s) {
            s.AddWidget(map, 0, 0);
            s.AddWidget(panel, 0, 0);
        };
        f.ui.manager.PushScreen(campaign, true, false, false);
        f.ui.Frames(1);
    }
    // Makes the next frame late, so it and the frames after it fall `ms` later on the 25 ms
    // schedule: the k-th frame from here sees the slide 25 k + ms old.
    void ShiftSchedule(uint32_t ms) { f.ui.clock.now += 25 + ms; }
    // One frame, remembering where the panel stood before it.
    void Step() {
        lastX = panel->GetX();
        f.ui.Frames(1);
    }

    FrontHarness f;
    ProbeScreen* play = nullptr;
    ProbeWidget* playField = nullptr;
    ProbeWidget* map = nullptr;
    SlidePanel* panel = nullptr;
    int32_t lastX = 0;
    std::vector<int32_t> doneAtX;
};

}  // namespace

TEST_F(SlidePanelTest, ClosingSweepsLeftAPixelAMillisecondWithTheSeamAtThePanel) {
    EXPECT_FALSE(panel->IsSliding());
    EXPECT_EQ(panel->GetX(), SlidePanel::kIdle);
    panel->StartClose();
    EXPECT_TRUE(f.ui.display.vsyncWait);
    EXPECT_EQ(panel->GetX(), 840);
    int32_t before = panel->GetX();
    int frames = 0;
    while (panel->IsSliding() && frames < 100) {
        Step();
        ++frames;
        if (!panel->IsSliding()) break;
        const int32_t x = panel->GetX();
        EXPECT_EQ(before - x, static_cast<int32_t>(panel->GetFrameDelta()));
        before = x;
        EXPECT_EQ(OnlyClip(map), (Rect{0, 0, x + 46, 600}));
        EXPECT_EQ(OnlyClip(playField), (Rect{x + 108, 0, 800, 600}));
        // The panel ignores its own screen's clip and is drawn whole at x.
        EXPECT_EQ(panel->GetClipList(), nullptr);
        auto drawn = f.Images(SlidePanel::kImageId);
        ASSERT_EQ(drawn.size(), 1u);
        EXPECT_EQ(drawn[0].x, x);
        EXPECT_EQ(drawn[0].y, 0);
        EXPECT_FALSE(drawn[0].hasSource);
    }
    // 983 pixels at 25 a frame.
    EXPECT_EQ(frames, 40);
    ASSERT_EQ(doneAtX.size(), 1u);
    EXPECT_GE(doneAtX[0], -143);
    EXPECT_EQ(panel->GetX(), SlidePanel::kIdle);
    EXPECT_FALSE(f.ui.display.vsyncWait);
    EXPECT_GT(f.ui.display.vsyncPresents, 0);
    f.ui.Frames(5);
    EXPECT_EQ(doneAtX.size(), 1u);
    EXPECT_TRUE(f.Images(SlidePanel::kImageId).empty());
}

TEST_F(SlidePanelTest, ClosingEndsOnlyOncePastTheLeftEdge) {
    panel->StartClose();
    ShiftSchedule(8);
    for (int i = 0; i < 39; ++i) Step();  // 983 ms
    EXPECT_EQ(panel->GetX(), -143);
    EXPECT_TRUE(panel->IsSliding());
    EXPECT_TRUE(doneAtX.empty());
    Step();
    EXPECT_FALSE(panel->IsSliding());
    EXPECT_EQ(doneAtX.size(), 1u);
}

TEST_F(SlidePanelTest, OpeningHidesItsScreenAtOnceAndEndsWhenItReachesTheRightEdge) {
    panel->StartOpen();
    EXPECT_EQ(panel->GetX(), -184);
    EXPECT_TRUE(panel->IsOpening());
    EXPECT_TRUE(f.ui.display.vsyncWait);
    // Before the first step the map is clipped to nothing and the play field is whole.
    ASSERT_TRUE(OnlyClip(map).has_value());
    EXPECT_TRUE(OnlyClip(map)->IsEmpty());
    EXPECT_FALSE(OnlyClip(playField).has_value());
    ShiftSchedule(8);
    for (int i = 0; i < 39; ++i) Step();  // 983 ms: one short of the edge
    EXPECT_EQ(panel->GetX(), 799);
    EXPECT_EQ(OnlyClip(map), (Rect{0, 0, 845, 600}));
    EXPECT_EQ(OnlyClip(playField), (Rect{907, 0, 800, 600}));
    EXPECT_TRUE(doneAtX.empty());
    Step();
    EXPECT_EQ(doneAtX.size(), 1u);
    EXPECT_FALSE(f.ui.display.vsyncWait);

    doneAtX.clear();
    panel->StartOpen();
    ShiftSchedule(9);
    for (int i = 0; i < 39; ++i) Step();  // exactly 984 ms: the edge itself ends it
    EXPECT_EQ(doneAtX.size(), 1u);
    EXPECT_EQ(doneAtX[0], 775);  // where it stood before the last step
}

TEST_F(SlidePanelTest, ClosingItsScreenMidSlideReleasesTheVerticalBlankWait) {
    panel->StartClose();
    f.ui.Frames(3);
    ASSERT_TRUE(f.ui.display.vsyncWait);
    f.ui.manager.PopScreens(false, 1);
    f.ui.Frames(1);  // the closed screen is freed after the frame
    EXPECT_FALSE(f.ui.display.vsyncWait);
    EXPECT_TRUE(doneAtX.empty());
}
