#include "game/front/IntroScreen.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "framework/ui/Button.h"
#include "game/front/TimelinePanel.h"
#include "tests/game/front/FrontHarness.h"

namespace {

class IntroScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        f.Text(150, "Well done, %s");
        f.Text(104, "Xia\tShang");
        f.Text(151, "Map");
        f.Text(149, "Menu");
        f.Fonts({160, 296, 302});
        f.Picture(371, 420, 40);
        f.Picture(372, 420, 40);
        f.Picture(361, 800, 600);
        f.Picture(363, 660, 400);
        map = f.ui.NewScreen("map");
        f.ui.manager.PushScreen(map, false, false, false);
        intro = new IntroScreen("Ann");
        f.ui.manager.PushScreen(intro, true, false, true);
        f.ui.Frames(1);
    }

    FrontHarness f;
    ProbeScreen* map = nullptr;
    IntroScreen* intro = nullptr;
};

}  // namespace

TEST_F(IntroScreenTest, BuildsTheTimelineAndItsTwoButtonsAndPlaysItsSound) {
    ASSERT_NE(intro->GetPanel(), nullptr);
    EXPECT_EQ(intro->GetPanel()->GetTitle(), "Well done, Ann");
    int32_t x = 0, y = 0;
    intro->GetBackButton()->GetPosition(x, y);
    EXPECT_EQ(x, 14);
    EXPECT_EQ(y, 545);
    EXPECT_EQ(intro->GetBackButton()->GetCaption(), "Map");
    EXPECT_EQ(intro->GetBackButton()->GetFrameWidth(), 140);  // three frames
    intro->GetMainMenuButton()->GetPosition(x, y);
    EXPECT_EQ(x, 661);
    EXPECT_EQ(intro->GetMainMenuButton()->GetCommandId(), IntroScreen::kMainMenuCommand);
    const auto& calls = f.ui.sound.calls;
    EXPECT_NE(std::find(calls.begin(), calls.end(), "LoadSound 373"), calls.end());
    EXPECT_NE(std::find(calls.begin(), calls.end(), "PlaySound 373"), calls.end());
    EXPECT_FALSE(map->IsActive());
}

TEST_F(IntroScreenTest, BackReturnsToTheMapWithItEnabled) {
    // Let the timeline make the screen opaque first.
    while (!intro->IsOpaque()) f.ui.Frames(1);
    intro->SendCommand(IntroScreen::kBackCommand);
    EXPECT_FALSE(intro->IsOpaque());
    EXPECT_TRUE(map->IsActive());
    f.ui.Frames(40);
    ASSERT_EQ(f.ui.manager.GetScreens().size(), 1u);
    EXPECT_EQ(f.ui.manager.GetTopScreen(), map);
}

TEST_F(IntroScreenTest, OtherCommandsAreNotTheScreens) {
    EXPECT_FALSE(intro->OnCommand(1));
    // Without an application there is no main menu to go to: handled, nothing changes.
    EXPECT_TRUE(intro->OnCommand(IntroScreen::kMainMenuCommand));
    EXPECT_EQ(f.ui.manager.GetScreens().size(), 2u);
}
