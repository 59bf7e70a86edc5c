#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/core/DataStream.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"
#include "framework/ui/Button.h"
#include "framework/ui/RadioButton.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerProfile.h"
#include "game/play/BackgroundImage.h"
#include "game/play/Board.h"
#include "game/play/Hud.h"
#include "game/play/NoMovesDialog.h"
#include "game/play/PauseScreen.h"
#include "game/play/PlayFlow.h"
#include "game/play/PlayScreen.h"
#include "game/play/ToggleButton.h"
#include "game/play/TutorialPopup.h"
#include "tests/framework/ui/UiHarness.h"

namespace {

class RecordingFlow : public PlayFlow {
public:
    std::vector<std::string> calls;
    std::vector<int> tips;
    int backgrounds = 15;
    bool openPopups = false;
    LayoutOutcome outcome;

    void OpenGameMenu(PlayScreen*) override { calls.push_back("Menu"); }
    void ShowLayoutComplete(PlayScreen*, const LayoutOutcome& o) override {
        outcome = o;
        calls.push_back("LayoutComplete");
    }
    void ShowLevelComplete(PlayScreen*, int, int, const String&) override { calls.push_back("LevelComplete"); }
    void AskQuestion(PlayScreen*, int id, bool resume) override {
        calls.push_back("Ask " + std::to_string(id) + (resume ? " resume" : ""));
    }
    int infoLine = -1;
    void ShowInfo(int title, int line) override {
        calls.push_back("Info " + std::to_string(title));
        infoLine = line;
    }
    void ShowNoMoves(PlayScreen*) override { calls.push_back("NoMoves"); }
    bool OpenTip(PlayScreen* screen, Board* board, int step, bool, const TipAnchor* anchor) override {
        tips.push_back(step);
        if (openPopups) TutorialPopup::Open(screen->GetManager(), step, board, anchor);
        return true;
    }
    void OpenCampaign(PlayScreen*, bool) override { calls.push_back("Campaign"); }
    void LeaveToMainMenu() override { calls.push_back("MainMenu"); }
    void LeaveToLayoutSelect() override { calls.push_back("LayoutSelect"); }
    int BackgroundCount() const override { return backgrounds; }

    int Count(const std::string& call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }
};

// Four undealt tiles with room between them: every one is free.
std::vector<uint8_t> FourTileLayout()
{
    TileLayout layout;
    layout.SetName(String("Four"));
    for (int i = 0; i < 4; ++i) layout.AddTile(4 * i, 0, 0, 0);
    DataStream stream;
    stream.OpenWriteMemory();
    layout.SerializeLayout(&stream);
    return {stream.Written().begin(), stream.Written().end()};
}

class PlayScreenTest : public ::testing::Test {
protected:
    UiHarness h;
    RecordingFlow flow;
    MemoryResources assets;
    PlayScreen* screen = nullptr;

    void SetUp() override {
        // Test cases run side by side: each keeps its saved games in a folder of its own.
        folder_ = testing::TempDir() + "play-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        mkdir(folder_.c_str(), 0700);
        PlayerFolders::Set(String(folder_.c_str()), String("/opt/quillomar/"));
        CurrentProfile() = PlayerProfile(12);
        CurrentProfile().firstGameTip = true;
        assets.Add("LAYOUTS", PlayScreen::kFirstFreeLayoutResource + 5, FourTileLayout());
        assets.Add("LAYOUTS", PlayScreen::kFirstFreeLayoutResource, FourTileLayout());
        assets.AddString(19, "%d. %s");
        SetAssetModule(&assets);
        PlayScreen::ResetBackgroundRotation();
    }
    void TearDown() override {
        SetAssetModule(nullptr);
        PlayerFolders::Set(String(folder_.c_str()), String("/opt/quillomar/"));
        std::remove(CurrentProfile().MakeSaveFileName(5).CStr());
        std::remove(CurrentProfile().MakeSaveFileName(0).CStr());
        std::remove(PlayerProfile::MakeProfileFileName(CurrentProfile().id).CStr());
        rmdir(folder_.c_str());
    }

    std::string folder_;

    // Opens free-play layout `index` as the free-play grid does and lets the entry land.
    void Open(int index, bool resume) {
        screen = new PlayScreen(PlayScreen::kFreePlay, &flow);
        screen->SetLayout(index, resume, PlayScreen::kFirstFreeLayoutResource + index, String("Four"));
        h.manager.PushScreen(screen, false, false, false);
        screen->OnTransitionIn();
        screen->OnTransitionDone();
        h.Frames(40);
    }
    void Close() {
        h.manager.PopScreensNow(1);
        h.Frames(1);
        screen = nullptr;
    }
    // Matches the first free pair through the board's click handler.
    void MatchOnePair() {
        TileLayout& layout = screen->GetBoard()->Layout();
        for (int i = 0; i < layout.Count(); ++i)
            for (int j = i + 1; j < layout.Count(); ++j) {
                Tile* a = layout.TileAt(i);
                Tile* b = layout.TileAt(j);
                if (!a->OnBoard() || !b->OnBoard() || !SameKind(a->kind, b->kind)) continue;
                Board* board = screen->GetBoard();
                board->OnLButtonDown(0, a->screenRect.left + board->OffsetX() + 20, a->screenRect.top + board->OffsetY() + 20);
                board->OnLButtonDown(0, b->screenRect.left + board->OffsetX() + 20, b->screenRect.top + board->OffsetY() + 20);
                return;
            }
    }
    bool SaveExists(int index) {
        FILE* f = std::fopen(CurrentProfile().MakeSaveFileName(index).CStr(), "rb");
        if (f) std::fclose(f);
        return f != nullptr;
    }
};

TEST_F(PlayScreenTest, StartsAFreePlayLayoutAndEnablesTheBarOnceTheTilesLanded)
{
    CurrentProfile().firstGameTip = false;
    screen = new PlayScreen(PlayScreen::kFreePlay, &flow);
    screen->SetLayout(5, false, PlayScreen::kFirstFreeLayoutResource + 5, String("Four"));
    EXPECT_TRUE(CurrentProfile().firstGameTip);
    EXPECT_EQ(screen->PendingTutorial(), 8);
    h.manager.PushScreen(screen, false, false, false);
    screen->OnTransitionIn();
    screen->OnTransitionDone();
    EXPECT_FALSE(screen->PauseButton()->IsEnabled());
    EXPECT_EQ(screen->GetBoard()->Layout().Count(), 4);
    EXPECT_EQ(screen->GetBoard()->Layout().CountUndealt(), 0);
    h.Frames(40);
    EXPECT_TRUE(screen->PauseButton()->IsEnabled());
    ASSERT_EQ(flow.tips.size(), 1u);
    EXPECT_EQ(flow.tips[0], 8);
    EXPECT_EQ(screen->PendingTutorial(), -1);
}

TEST_F(PlayScreenTest, LeavingAGameInProgressSavesItAndOpeningItAgainResumes)
{
    Open(5, false);
    MatchOnePair();
    screen->GetHud()->StartClock(42);  // as if the game had gone on that long
    const int score = screen->Score();
    EXPECT_GT(score, 0);
    h.Frames(40);
    Close();
    ASSERT_TRUE(SaveExists(5));

    Open(5, true);
    EXPECT_TRUE(screen->IsResuming());
    EXPECT_EQ(screen->Score(), score);
    EXPECT_EQ(screen->GetBoard()->MoveNumber(), 1);
    EXPECT_EQ(screen->GetBoard()->Layout().TilesLeft(), 2);
    EXPECT_GE(screen->GetHud()->ElapsedSeconds(), 42);
    EXPECT_TRUE(SaveExists(5));  // kept while the resumed game is played
    MatchOnePair();
    h.Frames(40);
    EXPECT_EQ(flow.Count("LayoutComplete"), 1);
    EXPECT_FALSE(SaveExists(5));  // a won game is none to resume
}

TEST_F(PlayScreenTest, ASavedGameOfAnotherPlayerIsNotResumedAndIsDeleted)
{
    Open(5, false);
    MatchOnePair();
    h.Frames(40);
    Close();
    ASSERT_TRUE(SaveExists(5));
    // The same file name, but the record names player 12 and the profile now says 3.
    const std::string name = CurrentProfile().MakeSaveFileName(5).CStr();
    CurrentProfile().id = 3;
    std::rename(name.c_str(), CurrentProfile().MakeSaveFileName(5).CStr());
    Open(5, true);
    EXPECT_FALSE(screen->IsResuming());
    EXPECT_EQ(screen->Score(), 0);
    EXPECT_EQ(screen->GetBoard()->MoveNumber(), 0);
    EXPECT_EQ(screen->GetBoard()->Layout().TilesLeft(), 4);
    EXPECT_FALSE(SaveExists(5));
}

TEST_F(PlayScreenTest, LeavingBeforeTheFirstMoveWritesNothing)
{
    Open(5, false);
    Close();
    EXPECT_FALSE(SaveExists(5));
}

TEST_F(PlayScreenTest, ScoreNeverGoesBelowZero)
{
    Open(5, false);
    screen->AddScore(50);
    screen->AddScore(-100);
    EXPECT_EQ(screen->Score(), 0);
    EXPECT_STREQ(screen->GetHud()->ScoreText().CStr(), "0");
}

TEST_F(PlayScreenTest, BackgroundsRotateOverTheUnlockedOnes)
{
    flow.backgrounds = 3;
    Open(5, false);
    std::vector<int> shown = {screen->GetBackground()->ImageId()};
    for (int i = 0; i < 3; ++i) {
        screen->PickBackground();
        shown.push_back(screen->GetBackground()->ImageId());
    }
    EXPECT_EQ(shown, (std::vector<int>{232, 233, 234, 232}));
    CurrentProfile().background = 4;
    screen->PickBackground();
    EXPECT_EQ(screen->GetBackground()->ImageId(), 219);
}

TEST_F(PlayScreenTest, NextLayoutWrapsAndAsksWhenASavedGameWaits)
{
    Open(0, false);
    MatchOnePair();
    h.Frames(40);
    Close();
    ASSERT_TRUE(SaveExists(0));

    screen = new PlayScreen(PlayScreen::kFreePlay, &flow);
    screen->SetLayout(125, false, PlayScreen::kFirstFreeLayoutResource + 125, String("Last"));
    h.manager.PushScreen(screen, false, false, false);
    screen->NextLayout();
    EXPECT_EQ(screen->Index(), 0);
    EXPECT_EQ(CurrentProfile().currentLayout, 0);
    EXPECT_EQ(flow.Count("Ask 30 resume"), 1);
    EXPECT_TRUE(screen->Accept(PlayScreen::kAskResumeNext));
    EXPECT_TRUE(screen->IsResuming());
    EXPECT_EQ(screen->GetBoard()->MoveNumber(), 1);
}

TEST_F(PlayScreenTest, LosingTheFocusPausesOnlyWhileThePauseButtonIsEnabled)
{
    screen = new PlayScreen(PlayScreen::kFreePlay, &flow);
    screen->SetLayout(5, false, PlayScreen::kFirstFreeLayoutResource + 5, String("Four"));
    h.manager.PushScreen(screen, false, false, false);
    screen->OnTransitionIn();
    screen->OnTransitionDone();
    screen->OnAppActivate(false);  // during the entry: the bar is still off
    EXPECT_EQ(h.manager.GetTopScreen(), screen);
    h.Frames(40);
    screen->OnAppActivate(false);
    EXPECT_NE(dynamic_cast<PauseScreen*>(h.manager.GetTopScreen()), nullptr);
    EXPECT_TRUE(screen->OnCommand(PlayScreen::kCmdMenuFree));
    EXPECT_EQ(flow.Count("Menu"), 1);
}

TEST_F(PlayScreenTest, ClearingTheLayoutRecordsBestResults)
{
    Open(5, false);
    MatchOnePair();
    h.Frames(40);
    MatchOnePair();
    h.Frames(60);
    ASSERT_EQ(flow.Count("LayoutComplete"), 1);
    EXPECT_TRUE(flow.outcome.newBestScore);
    EXPECT_TRUE(flow.outcome.newBestTime);
    EXPECT_EQ(CurrentProfile().bestScores[5], screen->Score());
    EXPECT_EQ(CurrentProfile().bestTimes[5], flow.outcome.seconds);
    Close();
    EXPECT_FALSE(SaveExists(5));  // a finished layout is not a game in progress
}

TEST_F(PlayScreenTest, AClearedLayoutsBestResultsAreOnDiskAtOnce)
{
    Open(5, false);
    MatchOnePair();
    h.Frames(40);
    MatchOnePair();
    h.Frames(60);
    ASSERT_EQ(flow.Count("LayoutComplete"), 1);
    PlayerProfile kept;
    ASSERT_TRUE(kept.Load(CurrentProfile().id, String()));
    EXPECT_EQ(kept.bestScores[5], screen->Score());
    EXPECT_EQ(kept.bestTimes[5], flow.outcome.seconds);
}

TEST_F(PlayScreenTest, AClearedLayoutThatCannotBeWrittenIsToldOnceAndWrittenAtTheNextSave)
{
    Open(5, false);
    PlayerFolders::Set(String((folder_ + "missing/").c_str()), String("/opt/quillomar/"));
    MatchOnePair();
    h.Frames(40);
    MatchOnePair();
    h.Frames(60);
    EXPECT_EQ(flow.calls.back(), "Info 188");
    EXPECT_EQ(flow.infoLine, PlayScreen::kProgressNotSavedText);
    screen->VeilToggle()->OnClick();
    EXPECT_EQ(flow.Count("Info 188"), 1);
    PlayerFolders::Set(String(folder_.c_str()), String("/opt/quillomar/"));
    screen->VeilToggle()->OnClick();
    PlayerProfile kept;
    ASSERT_TRUE(kept.Load(CurrentProfile().id, String()));
    EXPECT_EQ(kept.bestScores[5], screen->Score());
}

TEST_F(PlayScreenTest, LeavingAGameThatCannotBeSavedTellsThePlayerAndStaysOnce)
{
    Open(5, false);
    MatchOnePair();
    h.Frames(40);
    h.manager.PushScreen(h.NewScreen("question"), false, false, false);
    PlayerFolders::Set(String((folder_ + "missing/").c_str()), String("/opt/quillomar/"));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(screen->Accept(PlayScreen::kAskLeaveToMenu));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("could not save the game in " + folder_ + "missing/12_5.sav"),
              std::string::npos);
    EXPECT_EQ(flow.infoLine, PlayScreen::kGameNotSavedText);
    EXPECT_EQ(flow.Count("MainMenu"), 0);
    EXPECT_TRUE(screen->GetBoard()->LayoutIfInProgress());
    screen->Accept(PlayScreen::kAskLeaveToMenu);
    EXPECT_EQ(flow.Count("MainMenu"), 1);
}

TEST_F(PlayScreenTest, TheNoMovesBoxUndoesShufflesOrDealsAnew)
{
    // Confirms the box over the play screen with one of its choices, as the player would.
    auto confirm = [&](int choice) {
        auto* box = new NoMovesDialog;
        h.manager.PushScreen(box, true, false, true);
        h.Frames(20);
        for (Widget* w : box->GetWidgets())
            if (auto* r = dynamic_cast<RadioButton*>(w); r && r->GetValue() == choice) r->OnClick();
        ASSERT_EQ(box->Selected(), choice);
        EXPECT_TRUE(box->OnCommand(NoMovesDialog::kOkCommand));
        h.Frames(40);
        EXPECT_EQ(h.manager.GetTopScreen(), screen);
    };
    Open(5, false);
    MatchOnePair();
    h.Frames(40);
    ASSERT_EQ(screen->GetBoard()->Layout().TilesLeft(), 2);
    confirm(NoMovesDialog::kUndo);
    EXPECT_EQ(screen->GetBoard()->Layout().TilesLeft(), 4);

    MatchOnePair();
    h.Frames(40);
    const int before = screen->GetHud()->ElapsedSeconds();
    confirm(NoMovesDialog::kShuffle);
    EXPECT_GE(screen->GetHud()->ElapsedSeconds(), before + 20);  // a shuffle costs 20 seconds
    EXPECT_EQ(screen->GetBoard()->Layout().TilesLeft(), 2);

    confirm(NoMovesDialog::kNewDeal);
    EXPECT_EQ(screen->GetBoard()->MoveNumber(), 0);
    EXPECT_EQ(screen->Score(), 0);
    h.Frames(40);
    EXPECT_EQ(screen->GetBoard()->Layout().TilesLeft(), 4);
}

TEST_F(PlayScreenTest, TheVeilSwitchStaysBrightUnderItsOwnTipAndDimsUnderOtherBoxes)
{
    flow.openPopups = true;
    CurrentProfile().storyLevelsDone = 1;
    screen = new PlayScreen(PlayScreen::kStory, &flow);
    h.manager.PushScreen(screen, false, false, false);
    screen->StartStoryLevel(1, false, PlayScreen::kFirstFreeLayoutResource + 5, String("Han"), 1, -206,
                            220, 100, 7, String("Level two"));
    ASSERT_EQ(screen->PendingTutorial(), 6);
    screen->BeginPlay();
    h.Frames(40);
    ASSERT_EQ(flow.tips, std::vector<int>{6});
    auto* tip = dynamic_cast<TutorialPopup*>(h.manager.GetTopScreen());
    ASSERT_NE(tip, nullptr);
    ToggleButton* toggle = screen->VeilToggle();
    EXPECT_FALSE(toggle->IsEffectivelyEnabled());
    EXPECT_EQ(toggle->LabelAlpha(), 255);

    tip->OnCommand(TutorialPopup::kOkCommand);
    h.Frames(40);
    EXPECT_EQ(h.manager.GetTopScreen(), screen);
    EXPECT_TRUE(toggle->IsEffectivelyEnabled());
    screen->Pause();
    h.Frames(2);
    EXPECT_EQ(toggle->LabelAlpha(), ToggleButton::kDimmedLabelAlpha);
}

}  // namespace
