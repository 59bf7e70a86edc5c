// The play screen's questions as the front end asks them: the restart question over a game in
// progress, and the resume question when the next layout has a saved game; each answer reaches
// the play screen.
#include <gtest/gtest.h>

#include <fstream>

#include "game/front/FrontPlayFlow.h"
#include "game/play/MessageDialog.h"
#include "tests/game/front/PlayOverlayTest.h"

namespace {

class FrontPlayFlowQuestionTest : public PlayOverlayTest {
protected:
    void OpenFrontGame()
    {
        CurrentProfile().firstGameTip = true;  // no welcome tip over the game
        play = new PlayScreen(PlayScreen::kFreePlay, &front);
        play->SetLayout(kLayout, false, PlayScreen::kFirstFreeLayoutResource + kLayout, String("Four"));
        h.manager.PushScreen(play, false, false, false);
        play->OnTransitionIn();
        play->OnTransitionDone();
        h.Frames(40);
    }

    int TilesOnBoard() const
    {
        int count = 0;
        TileLayout& layout = play->GetBoard()->Layout();
        for (int i = 0; i < layout.Count(); ++i) count += layout.TileAt(i)->OnBoard() ? 1 : 0;
        return count;
    }

    FrontPlayFlow front;
};

TEST_F(FrontPlayFlowQuestionTest, RestartingAGameInProgressAsksFirstAndADealFollowsYes)
{
    OpenFrontGame();
    MatchOnePair();
    h.Frames(60);
    ASSERT_EQ(TilesOnBoard(), 2);

    play->SendCommand(Board::kCmdRestartFree);
    h.Frames(20);
    auto* question = Top<MessageDialog>();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->DialogId(), PlayScreen::kAskRestart);
    EXPECT_EQ(question->Type(), MessageDialog::kShort);
    EXPECT_FALSE(h.manager.IsDimming(play));

    question->OnCommand(MessageDialog::kAccept);
    h.Frames(60);
    EXPECT_EQ(Top<MessageDialog>(), nullptr);
    EXPECT_EQ(TilesOnBoard(), 4);
}

TEST_F(FrontPlayFlowQuestionTest, TheNextLayoutWithASavedGameAsksWhetherToResumeIt)
{
    OpenFrontGame();
    std::ofstream(CurrentProfile().MakeSaveFileName(kLayout + 1).CStr()) << "saved";
    play->NextLayout();
    h.Frames(20);
    auto* question = Top<MessageDialog>();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(question->DialogId(), PlayScreen::kAskResumeNext);
    EXPECT_EQ(question->Type(), MessageDialog::kTall);

    question->OnCommand(MessageDialog::kDecline);
    h.Frames(60);
    EXPECT_EQ(Top<MessageDialog>(), nullptr);
    EXPECT_EQ(play->Index(), kLayout + 1);
    EXPECT_FALSE(play->IsResuming());
}

}  // namespace
