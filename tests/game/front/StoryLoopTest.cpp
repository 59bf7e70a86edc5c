// The story mode end to end, with no window: the main menu's story button, the campaign over the
// story page, a level started with the slide, won, the result box's OK sliding the map back with
// the advance, and the next level started from there.
#include <gtest/gtest.h>

#include "framework/ui/Button.h"
#include "game/front/CampaignMap.h"
#include "game/front/CampaignScreen.h"
#include "game/front/LevelCompleteDialog.h"
#include "game/front/MainMenuScreen.h"
#include "game/front/SlidePanel.h"
#include "game/model/PlayerList.h"
#include "tests/game/front/StoryHarness.h"

namespace {

class StoryLoopTest : public ::testing::Test {
protected:
    void SetUp() override {
        ThePlayerList().Clear();
        ThePlayerList().SetCurrentId(StoryHarness::kPlayerId);
    }
    void TearDown() override {
        s.ui.manager.ClearScreens(false);
        ThePlayerList().Clear();
    }

    template <typename T>
    T* Top() const {
        return dynamic_cast<T*>(s.ui.manager.GetTopScreen());
    }
    // Frames until the page change through black has ended.
    void FinishTransition() {
        for (int i = 0; i < 200 && s.ui.manager.GetTransitionState() != 0; ++i) s.ui.Frames(1);
        ASSERT_EQ(s.ui.manager.GetTransitionState(), 0);
    }
    // Frames while `condition` holds, at most `limit`.
    template <typename Condition>
    void FramesWhile(Condition condition, int limit = 400) {
        for (int i = 0; i < limit && condition(); ++i) s.ui.Frames(1);
        ASSERT_FALSE(condition());
    }
    // Starts the campaign's selected level and waits until the map has slid away and the
    // level's tiles have landed.
    PlayScreen* PlaySelectedLevel(CampaignScreen* campaign) {
        const auto& screens = s.ui.manager.GetScreens();
        campaign->SendCommand(CampaignScreen::kPlayCommand);
        FramesWhile([&] { return Top<CampaignScreen>() != nullptr; });
        auto* play = Top<PlayScreen>();
        EXPECT_NE(play, nullptr);
        EXPECT_EQ(screens.size(), 1u);
        s.ui.Frames(40);
        return play;
    }
    void WinLevel(PlayScreen* play) {
        while (StoryHarness::MatchOnePair(play)) s.ui.Frames(40);
        s.ui.Frames(40);
    }

    StoryHarness s;
};

}  // namespace

TEST_F(StoryLoopTest, FromTheMainMenuThroughAWonLevelToTheNextOne) {
    CurrentProfile().storyLevelsDone = 4;
    s.ui.manager.BeginTransition(new MainMenuScreen);
    FinishTransition();
    ASSERT_NE(Top<MainMenuScreen>(), nullptr);

    // The story button changes place to the story page, which lays the map over itself.
    Top<MainMenuScreen>()->SendCommand(MainMenuScreen::kStory);
    FinishTransition();
    auto* campaign = Top<CampaignScreen>();
    ASSERT_NE(campaign, nullptr);
    ASSERT_EQ(s.ui.manager.GetScreens().size(), 2u);
    auto* play = dynamic_cast<PlayScreen*>(s.ui.manager.GetScreens()[0]);
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play->GetMode(), PlayScreen::kStory);
    EXPECT_TRUE(campaign->IsOpaque());
    EXPECT_FALSE(campaign->GetSlidePanel()->IsSliding());
    EXPECT_FALSE(campaign->CameBack());
    EXPECT_EQ(campaign->GetMap()->GetSelectedLevel(), 4);

    // Level 4 starts under the slide and is played to its end.
    ASSERT_EQ(PlaySelectedLevel(campaign), play);
    EXPECT_EQ(play->Index(), 4);
    EXPECT_TRUE(play->PauseButton()->IsEnabled());
    WinLevel(play);
    EXPECT_EQ(CurrentProfile().storyLevelsDone, 5);
    EXPECT_TRUE(play->Advanced());

    // The result box's OK brings the map back over the play field, and it advances.
    auto* result = Top<LevelCompleteDialog>();
    ASSERT_NE(result, nullptr);
    result->SendCommand(LevelCompleteDialog::kOkCommand);
    campaign = Top<CampaignScreen>();
    ASSERT_NE(campaign, nullptr);
    EXPECT_TRUE(campaign->CameBack());
    EXPECT_TRUE(campaign->GetSlidePanel()->IsOpening());
    EXPECT_FALSE(campaign->IsOpaque());
    FramesWhile([&] { return campaign->GetSlidePanel()->IsSliding(); });
    EXPECT_TRUE(campaign->IsOpaque());
    EXPECT_TRUE(campaign->GetMap()->IsAdvancing());
    FramesWhile([&] { return campaign->GetMap()->IsAdvancing(); });
    EXPECT_EQ(campaign->GetMap()->GetSelectedLevel(), 5);

    // The next level starts from the map, and the music moves to the odd levels' section.
    ASSERT_EQ(PlaySelectedLevel(campaign), play);
    EXPECT_EQ(play->Index(), 5);
    EXPECT_EQ(s.ui.sound.jumpOrder, 0);
    EXPECT_TRUE(play->GetBoard()->IsLevelRunning());
}
