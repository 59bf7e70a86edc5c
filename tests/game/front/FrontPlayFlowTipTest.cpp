// The front end opens the board's tips and the no-moves box over the play screen: overlays that
// fade in and leave the page below undimmed, a tip about a tile beside that tile.
#include <gtest/gtest.h>

#include "game/front/FrontPlayFlow.h"
#include "game/model/PlayerProfile.h"
#include "game/play/Board.h"
#include "game/play/NoMovesDialog.h"
#include "game/play/PlayScreen.h"
#include "game/play/TipPlacement.h"
#include "game/play/TutorialPopup.h"
#include "tests/game/play/DialogHarness.h"

namespace {

class FrontPlayFlowTipTest : public DialogTest {
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        CurrentProfile() = PlayerProfile(2);
        screen = new PlayScreen(PlayScreen::kFreePlay, &flow);
        h.manager.PushScreen(screen, false, false, false);
        h.Frames(1);
    }

    FrontPlayFlow flow;
    PlayScreen* screen = nullptr;
};

TEST_F(FrontPlayFlowTipTest, ATipCoversThePlayScreenWithoutDimmingIt)
{
    ASSERT_TRUE(flow.OpenTip(screen, screen->GetBoard(), 7, true, nullptr));
    auto* tip = dynamic_cast<TutorialPopup*>(h.manager.GetTopScreen());
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->Step(), 7);
    EXPECT_TRUE(h.manager.IsFading(tip));
    EXPECT_EQ(h.manager.GetScreens().size(), 2u);
    h.Frames(20);
    EXPECT_FALSE(screen->IsActive());
    EXPECT_EQ(screen->GetDimLevel(), 0);
    EXPECT_FALSE(screen->GetBoard()->IsEffectivelyEnabled());

    // Closing it hands the page back.
    tip->OnCommand(TutorialPopup::kOkCommand);
    h.Frames(40);
    EXPECT_EQ(h.manager.GetTopScreen(), screen);
    EXPECT_TRUE(screen->IsActive());
}

TEST_F(FrontPlayFlowTipTest, ATipAboutATileOpensBesideIt)
{
    TipAnchor anchor;
    anchor.drawnLeft = 600;
    anchor.drawnRight = 648;
    anchor.tileTop = 200;
    anchor.boardY = 66;
    ASSERT_TRUE(flow.OpenTip(screen, screen->GetBoard(), 4, false, &anchor));
    int32_t width = 0, height = 0, x = 0, y = 0;
    TutorialPopup::FrameSize(4, width, height);
    int px = 0, py = 0;
    PlaceTipBesideTile(anchor, width, height, &px, &py);
    h.manager.GetTopScreen()->GetOrigin(x, y);
    EXPECT_EQ(x, px);
    EXPECT_EQ(y, py);
    EXPECT_EQ(x, 600 - width);
}

TEST_F(FrontPlayFlowTipTest, TheNoMovesBoxFadesInOverThePlayScreen)
{
    flow.ShowNoMoves(screen);
    auto* box = dynamic_cast<NoMovesDialog*>(h.manager.GetTopScreen());
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(h.manager.IsFading(box));
    h.Frames(20);
    EXPECT_EQ(screen->GetDimLevel(), 0);
    EXPECT_EQ(box->Selected(), NoMovesDialog::kUndo);
}

TEST_F(FrontPlayFlowTipTest, WithoutAScreenNothingOpens)
{
    EXPECT_FALSE(flow.OpenTip(nullptr, nullptr, 0, false, nullptr));
    flow.ShowNoMoves(nullptr);
    EXPECT_EQ(h.manager.GetTopScreen(), screen);
}

}  // namespace
