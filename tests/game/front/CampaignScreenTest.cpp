// The campaign screen over a story play screen: its buttons, the start of a level with the slide
// to the play field, the return after a win with and without an advance, the end of the campaign,
// the resume question, the music's move after a win, leaving, and what closing it stops.
#include "game/front/CampaignScreen.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "framework/ui/Button.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/CampaignMap.h"
#include "game/front/IntroScreen.h"
#include "game/front/LeaveNoticeDialog.h"
#include "game/front/MainMenuScreen.h"
#include "game/front/SlidePanel.h"
#include "game/play/Hud.h"
#include "game/play/MessageDialog.h"
#include "game/play/PlayFlow.h"
#include "tests/game/front/StoryHarness.h"

namespace {

class QuietFlow : public PlayFlow {
public:
    int infos = 0;
    void OpenGameMenu(PlayScreen*) override {}
    void ShowLayoutComplete(PlayScreen*, const LayoutOutcome&) override {}
    void ShowLevelComplete(PlayScreen*, int, int, const String&) override {}
    void AskQuestion(PlayScreen*, int, bool) override {}
    void ShowInfo(int, int) override { ++infos; }
    void ShowNoMoves(PlayScreen*) override {}
    bool OpenTip(PlayScreen*, Board*, int, bool, const TipAnchor*) override { return false; }
    void OpenCampaign(PlayScreen*, bool) override {}
    void LeaveToMainMenu() override {}
    void LeaveToLayoutSelect() override {}
    int BackgroundCount() const override { return 15; }
};

class CampaignScreenTest : public ::testing::Test {
protected:
    // The story page with the campaign laid over it as it is when the page is first shown.
    void Open(int completed) {
        CurrentProfile().storyLevelsDone = completed;
        play = new PlayScreen(PlayScreen::kStory, &flow);
        s.ui.manager.PushScreen(play, false, false, false);
        campaign = new CampaignScreen(play);
        s.ui.manager.PushScreen(campaign, false, false, false);
        s.ui.Frames(1);
    }
    // The same page after a won level: the campaign comes back over the play field.
    void ComeBack(int completed, bool advanced) {
        Open(completed);
        s.ui.manager.PopScreens(false, 1);
        campaign = new CampaignScreen(play);
        s.ui.manager.PushScreen(campaign, true, false, false);
        campaign->Enter(advanced);
    }
    // Frames until the map has slid in over the play field.
    void SlideIn() {
        for (int i = 0; i < 60 && campaign->GetSlidePanel()->IsSliding(); ++i) s.ui.Frames(1);
        ASSERT_FALSE(campaign->GetSlidePanel()->IsSliding());
        ASSERT_TRUE(OnStack(campaign));
    }
    // Frames until the map has slid away and the campaign screen is gone.
    void SlideAway() {
        for (int i = 0; i < 60 && OnStack(campaign); ++i) s.ui.Frames(1);
        ASSERT_FALSE(OnStack(campaign));
        campaign = nullptr;
    }
    bool OnStack(const Screen* screen) const {
        const auto& screens = s.ui.manager.GetScreens();
        return std::find(screens.begin(), screens.end(), screen) != screens.end();
    }
    int Calls(const std::string& line) const {
        const auto& calls = s.ui.sound.calls;
        return static_cast<int>(std::count(calls.begin(), calls.end(), line));
    }
    bool ControlsEnabled() const {
        return campaign->GetMap()->IsEnabled() && campaign->GetLeaveButton()->IsEnabled() &&
               campaign->GetPlayButton()->IsEnabled() && campaign->GetTimelineButton()->IsEnabled();
    }
    bool ControlsDisabled() const {
        return !campaign->GetMap()->IsEnabled() && !campaign->GetLeaveButton()->IsEnabled() &&
               !campaign->GetPlayButton()->IsEnabled() &&
               !campaign->GetTimelineButton()->IsEnabled();
    }
    void CloseAll() {
        s.ui.manager.ClearScreens(true);
        s.ui.Frames(1);
        play = nullptr;
        campaign = nullptr;
    }
    // Starts `level`, makes a move and leaves the page, which saves the game.
    void LeaveLevelInProgress(int level) {
        std::remove(CurrentProfile().MakeSaveFileNameD(level).CStr());
        Open(level);
        campaign->SendCommand(CampaignScreen::kPlayCommand);
        SlideAway();
        s.ui.Frames(40);
        ASSERT_TRUE(StoryHarness::MatchOnePair(play));
        s.ui.Frames(40);
        CloseAll();
        ASSERT_TRUE(s.SavedGameExists(level));
    }
    void Click(int32_t x, int32_t y) {
        s.ui.manager.OnLButtonDown(kKeyLButton, x, y);
        s.ui.manager.OnLButtonUp(0, x, y);
    }

    StoryHarness s;
    QuietFlow flow;
    PlayScreen* play = nullptr;
    CampaignScreen* campaign = nullptr;
};

}  // namespace

TEST_F(CampaignScreenTest, BuildsItsButtonsAndReadsEveryLevelsDeal) {
    Open(51);
    struct Expected {
        Button* button;
        int32_t id, x, y;
        const char* caption;
    } expected[] = {
        {campaign->GetLeaveButton(), 228, 10, 545, "Menu"},
        {campaign->GetPlayButton(), 230, 665, 543, "Play"},
        {campaign->GetTimelineButton(), 364, 344, 543, "Timeline"},
    };
    for (const Expected& e : expected) {
        ASSERT_NE(e.button, nullptr);
        int32_t x = 0, y = 0;
        e.button->GetPosition(x, y);
        EXPECT_EQ(e.button->GetCommandId(), e.id);
        EXPECT_EQ(e.button->GetFrameCount(), 4);
        EXPECT_EQ(x, e.x);
        EXPECT_EQ(y, e.y);
        EXPECT_STREQ(e.button->GetCaption().CStr(), e.caption);
    }
    // The timeline waits for the last level.
    EXPECT_FALSE(campaign->GetTimelineButton()->IsVisible());
    EXPECT_TRUE(campaign->IsOpaque());
    EXPECT_EQ(Calls("LoadSound 340"), 1);
    EXPECT_EQ(campaign->Levels().At(0).percent, 10);
    EXPECT_EQ(campaign->Levels().At(51).seed, 1051u);
    EXPECT_STREQ(campaign->Levels().At(51).caption.CStr(), "Caption 51");

    Open(52);
    EXPECT_TRUE(campaign->GetTimelineButton()->IsVisible());
}

TEST_F(CampaignScreenTest, PlayStartsTheChosenLevelAndTheMapSlidesAwayBeforePlayBegins) {
    Open(4);  // level 4: the second of SHANG's four
    EXPECT_EQ(campaign->GetMap()->GetSelectedLevel(), 4);
    campaign->SendCommand(CampaignScreen::kPlayCommand);

    EXPECT_FALSE(campaign->IsOpaque());
    EXPECT_TRUE(ControlsDisabled());
    EXPECT_EQ(play->Index(), 4);
    EXPECT_FALSE(play->IsResuming());
    EXPECT_STREQ(play->GetHud()->Title().CStr(), "SHANG era");
    EXPECT_EQ(play->GetBoard()->Seed(), 1004u);
    EXPECT_EQ(play->GetBoard()->Layout().Count(), 4);
    EXPECT_EQ(flow.infos, 0);  // layout 389 was found
    EXPECT_TRUE(campaign->GetSlidePanel()->IsSliding());
    EXPECT_FALSE(campaign->GetSlidePanel()->IsOpening());
    EXPECT_EQ(Calls("PlaySound 340"), 1);
    EXPECT_FALSE(play->GetBoard()->IsLevelRunning());

    SlideAway();
    EXPECT_FALSE(OnStack(campaign));
    EXPECT_EQ(s.ui.manager.GetTopScreen(), play);
    EXPECT_TRUE(play->IsActive());
    for (Widget* widget : play->GetWidgets()) EXPECT_EQ(widget->GetClipList(), nullptr);
    EXPECT_TRUE(play->GetBoard()->IsLevelRunning());
    // Opened from the main menu, the music already plays from the right place.
    EXPECT_EQ(Calls("SetMusicJump 4"), 0);
    // The campaign's samples stop as it leaves, not later when it is freed: the level's opening
    // sound plays on.
    s.ui.Frames(2);
    const auto& calls = s.ui.sound.calls;
    const auto lastStop = std::find(calls.rbegin(), calls.rend(), "StopAllSoundsExcept -1");
    const auto lastStart = std::find(calls.rbegin(), calls.rend(), "PlaySound 350");
    ASSERT_NE(lastStart, calls.rend());
    EXPECT_GT(lastStop - calls.rbegin(), lastStart - calls.rbegin());
}

TEST_F(CampaignScreenTest, BeforeTheFirstLevelTheMapIgnoresClicksAndWelcomesThePlayer) {
    Open(0);
    Click(72, 69);  // level 0's marker
    EXPECT_EQ(Calls("PlaySound 105"), 0);
    EXPECT_EQ(campaign->GetMap()->GetBannerAlpha(), 0);
    campaign->OnTransitionDone();
    s.ui.Frames(10);
    EXPECT_GT(campaign->GetMap()->GetBannerAlpha(), 0);

    campaign->SendCommand(CampaignScreen::kPlayCommand);
    EXPECT_EQ(play->Index(), 0);
    EXPECT_STREQ(play->GetHud()->Title().CStr(), "XIA era");
}

TEST_F(CampaignScreenTest, AfterReplayingAnOldLevelTheMapSlidesBackWithoutAnAdvance) {
    ComeBack(5, false);
    EXPECT_TRUE(campaign->IsEntering());
    EXPECT_TRUE(campaign->CameBack());
    EXPECT_TRUE(ControlsDisabled());
    EXPECT_TRUE(campaign->GetSlidePanel()->IsOpening());
    EXPECT_FALSE(campaign->GetMap()->IsAdvancePending());
    SlideIn();
    EXPECT_TRUE(campaign->IsOpaque());
    EXPECT_FALSE(campaign->IsEntering());
    EXPECT_TRUE(ControlsEnabled());
    for (Widget* widget : campaign->GetWidgets()) EXPECT_EQ(widget->GetClipList(), nullptr);
    for (Widget* widget : play->GetWidgets()) EXPECT_EQ(widget->GetClipList(), nullptr);
    EXPECT_FALSE(campaign->GetMap()->IsAdvancing());
    EXPECT_EQ(campaign->GetMap()->GetSelectedLevel(), 5);
}

TEST_F(CampaignScreenTest, WinningADynastysLastLevelShowsItsBannerThenAdvances) {
    ComeBack(3, true);  // level 2, the end of XIA, was just won
    EXPECT_TRUE(campaign->GetMap()->IsAdvancePending());
    EXPECT_EQ(campaign->GetMap()->GetSelectedLevel(), 2);
    EXPECT_EQ(campaign->LevelToStart(), 2);
    SlideIn();
    EXPECT_TRUE(ControlsEnabled());
    EXPECT_TRUE(campaign->GetMap()->IsAdvancing());
    EXPECT_STREQ(campaign->GetMap()->GetBannerText().CStr(), "XIA is complete");
    EXPECT_EQ(Calls("PlaySound 380"), 1);
    // While it advances a start plays the level it moves to.
    EXPECT_EQ(campaign->LevelToStart(), 3);
    // Banner in (765 ms), held 3 s, out (765 ms), then the advance itself (1275 ms).
    s.ui.Frames(240);
    EXPECT_FALSE(campaign->GetMap()->IsAdvancing());
    EXPECT_EQ(campaign->GetMap()->GetSelectedLevel(), 3);
    EXPECT_EQ(campaign->LevelToStart(), 3);
    EXPECT_TRUE(campaign->GetLeaveButton()->IsEnabled());
}

TEST_F(CampaignScreenTest, WinningTheLastLevelEndsOnTheTimeline) {
    ComeBack(52, true);
    EXPECT_FALSE(campaign->GetTimelineButton()->IsVisible());
    SlideIn();
    EXPECT_FALSE(campaign->GetLeaveButton()->IsEnabled());
    EXPECT_FALSE(campaign->GetPlayButton()->IsEnabled());
    EXPECT_TRUE(campaign->GetMap()->IsAdvancing());
    EXPECT_STREQ(campaign->GetMap()->GetBannerText().CStr(), "QING is complete");
    EXPECT_EQ(campaign->LevelToStart(), 51);  // never beyond the last level
    s.ui.Frames(240);
    EXPECT_FALSE(campaign->GetMap()->IsAdvancing());
    EXPECT_FALSE(campaign->GetTimelineButton()->IsVisible());
    EXPECT_EQ(s.ui.manager.GetTopScreen(), campaign);
    s.ui.Frames(45);  // a second after the advance
    EXPECT_TRUE(campaign->GetTimelineButton()->IsVisible());
    EXPECT_TRUE(ControlsEnabled());
    EXPECT_NE(dynamic_cast<IntroScreen*>(s.ui.manager.GetTopScreen()), nullptr);
}

TEST_F(CampaignScreenTest, TheTimelineButtonOpensTheTimelineOverTheMap) {
    Open(52);
    campaign->SendCommand(CampaignScreen::kTimelineCommand);
    auto* intro = dynamic_cast<IntroScreen*>(s.ui.manager.GetTopScreen());
    ASSERT_NE(intro, nullptr);
    EXPECT_TRUE(OnStack(campaign));
    EXPECT_FALSE(intro->IsOpaque());
    EXPECT_FALSE(campaign->OnCommand(999));
}

TEST_F(CampaignScreenTest, ASavedLevelAsksWhetherToResumeAndEachAnswerStartsIt) {
    for (int32_t answer : {MessageDialog::kAccept, MessageDialog::kDecline}) {
        LeaveLevelInProgress(1);
        Open(1);
        campaign->SendCommand(CampaignScreen::kPlayCommand);
        auto* question = dynamic_cast<MessageDialog*>(s.ui.manager.GetTopScreen());
        ASSERT_NE(question, nullptr);
        EXPECT_EQ(question->DialogId(), CampaignScreen::kResumeQuestion);
        EXPECT_FALSE(campaign->GetSlidePanel()->IsSliding());
        question->OnCommand(answer);
        const bool resumed = answer == MessageDialog::kAccept;
        EXPECT_EQ(play->IsResuming(), resumed);
        EXPECT_EQ(play->GetBoard()->MoveNumber(), resumed ? 1 : 0);
        EXPECT_EQ(s.SavedGameExists(1), resumed);  // kept while resumed, gone once given up
        EXPECT_TRUE(campaign->GetSlidePanel()->IsSliding());
        SlideAway();
        EXPECT_EQ(s.ui.manager.GetTopScreen(), play);
        CloseAll();
    }
}

TEST_F(CampaignScreenTest, TheMusicMovesOnAfterAWinByTheLevelStarted) {
    for (int level : {12, 13}) {
        ComeBack(14, false);
        SlideIn();
        const MapPoint& marker = LevelMarker(level);
        Click(marker.x, marker.y);
        ASSERT_EQ(campaign->GetMap()->GetSelectedLevel(), level);
        campaign->SendCommand(CampaignScreen::kPlayCommand);
        SlideAway();
        EXPECT_EQ(play->Index(), level);
        EXPECT_EQ(s.ui.sound.jumpOrder, level % 2 == 0 ? 13 : 0) << "level " << level;
        CloseAll();
    }
}

TEST_F(CampaignScreenTest, ClosingItStopsTheSamplesButNotTheMusic) {
    Open(3);
    s.ui.sound.calls.clear();
    s.ui.manager.PopScreens(false, 1);
    EXPECT_EQ(Calls("StopAllSoundsExcept -1"), 1);
    EXPECT_EQ(Calls("PauseMusic 1"), 0);
}

TEST_F(CampaignScreenTest, LeavingGoesThroughTheNoticeWhileThePlayerWantsIt) {
    Open(3);
    CurrentProfile().showLeaveNotice = true;
    campaign->SendCommand(CampaignScreen::kLeaveCommand);
    EXPECT_NE(dynamic_cast<LeaveNoticeDialog*>(s.ui.manager.GetTopScreen()), nullptr);
    EXPECT_EQ(s.ui.manager.GetTransitionState(), ScreenManager::kTransitionNone);
    CloseAll();

    Open(3);
    CurrentProfile().showLeaveNotice = false;
    campaign->SendCommand(CampaignScreen::kLeaveCommand);
    EXPECT_EQ(Calls("FadeMusicTo 0 1100"), 1);
    for (int i = 0; i < 200 && s.ui.manager.GetTransitionState() != 0; ++i) s.ui.Frames(1);
    EXPECT_NE(dynamic_cast<MainMenuScreen*>(s.ui.manager.GetTopScreen()), nullptr);
    EXPECT_EQ(s.ui.manager.GetScreens().size(), 1u);
}

TEST_F(CampaignScreenTest, ADoubleClickOnAReachedLevelStartsIt) {
    Open(9);
    const MapPoint& marker = LevelMarker(7);
    s.ui.manager.OnLButtonDown(kKeyLButton, marker.x, marker.y);
    s.ui.manager.OnLButtonUp(0, marker.x, marker.y);
    EXPECT_FALSE(campaign->GetSlidePanel()->IsSliding());
    s.ui.manager.OnLButtonDblClk(kKeyLButton, marker.x, marker.y);
    EXPECT_TRUE(campaign->GetSlidePanel()->IsSliding());
    EXPECT_EQ(play->Index(), 7);
    EXPECT_STREQ(play->GetHud()->Title().CStr(), "ZHOU era");
    // A second start while the map slides away is not taken.
    campaign->SendCommand(CampaignScreen::kPlayCommand);
    EXPECT_EQ(Calls("PlaySound 340"), 1);
}

TEST_F(CampaignScreenTest, StartingDuringTheAdvancePlaysTheLevelItMovesTo) {
    ComeBack(8, true);  // level 7 was just won: the advance runs from 7 to 8
    SlideIn();
    s.ui.Frames(10);
    ASSERT_TRUE(campaign->GetMap()->IsAdvancing());
    EXPECT_EQ(campaign->GetMap()->GetSelectedLevel(), 7);
    campaign->SendCommand(CampaignScreen::kPlayCommand);
    EXPECT_EQ(play->Index(), 8);
    EXPECT_EQ(play->GetBoard()->Seed(), 1008u);
}

TEST_F(CampaignScreenTest, OddLevelCountsAndAdvancesAreTakenSafely) {
    // An advance asked for with nothing done has nothing to advance from.
    ComeBack(0, true);
    EXPECT_FALSE(campaign->IsAdvanced());
    EXPECT_FALSE(campaign->GetMap()->IsAdvancePending());
    SlideIn();
    EXPECT_FALSE(campaign->GetMap()->IsAdvancing());
    CloseAll();

    // A screen not yet pushed has nothing to slide or start.
    CampaignScreen loose(nullptr);
    loose.Enter(true);
    loose.ShowLevel(false);
    EXPECT_TRUE(loose.OnCommand(CampaignScreen::kPlayCommand));
    EXPECT_FALSE(loose.IsEntering());

    // Counts out of range are taken to the nearest end.
    Open(-3);
    EXPECT_FALSE(campaign->GetTimelineButton()->IsVisible());
    EXPECT_EQ(campaign->LevelToStart(), 0);
    campaign->SendCommand(CampaignScreen::kPlayCommand);
    EXPECT_EQ(play->Index(), 0);
    CloseAll();

    ComeBack(99, true);
    EXPECT_FALSE(campaign->GetTimelineButton()->IsVisible());
    SlideIn();
    EXPECT_STREQ(campaign->GetMap()->GetBannerText().CStr(), "QING is complete");
    EXPECT_EQ(campaign->LevelToStart(), 51);
}
