// The front end opens the board's tips and the no-moves box over the play screen: overlays that
// fade in and leave the page below undimmed, a tip about a tile beside that tile.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "framework/core/DataStream.h"
#include "game/front/FrontPlayFlow.h"
#include "game/model/PlayerFolders.h"
#include "game/model/PlayerProfile.h"
#include "game/model/TileKind.h"
#include "game/model/TileLayout.h"
#include "game/play/Board.h"
#include "game/play/NoMovesDialog.h"
#include "game/play/PlayScreen.h"
#include "game/play/TileLegend.h"
#include "game/play/TipPlacement.h"
#include "game/play/TutorialPopup.h"
#include "tests/game/play/DialogHarness.h"

namespace {

class FrontPlayFlowTipTest : public DialogTest {
protected:
    // Four tiles side by side, every one free: undealt, or of the kinds given.
    static std::vector<uint8_t> Row(std::vector<TileKind> kinds)
    {
        TileLayout layout;
        layout.SetName(String("Row"));
        for (size_t i = 0; i < kinds.size(); ++i)
            layout.AddTile(4 * static_cast<int>(i), 0, 0, kinds[i]);
        DataStream stream;
        stream.OpenWriteMemory();
        layout.SerializeLayout(&stream);
        return {stream.Written().begin(), stream.Written().end()};
    }

    void SetUp() override
    {
        DialogTest::SetUp();
        folder_ = testing::TempDir() + "tips-" +
                  testing::UnitTest::GetInstance()->current_test_info()->name() + "/";
        mkdir(folder_.c_str(), 0700);
        PlayerFolders::Set(String(folder_.c_str()), String("/opt/quillomar/"));
        CurrentProfile() = PlayerProfile(2);
        CurrentProfile().firstGameTip = true;
        resources.AddString(19, "%d. %s");
        h.display.AddImage(291, 48, 24);
    }

    void TearDown() override
    {
        h.manager.ClearScreens(false);
        h.Frames(1);
        std::remove(CurrentProfile().MakeSaveFileName(0).CStr());
        std::remove(PlayerProfile::MakeProfileFileName(CurrentProfile().id).CStr());
        rmdir(folder_.c_str());
        PlayerFolders::Set(String(), String());
        DialogTest::TearDown();
    }

    // Opens free-play layout 0 laid out as `kinds`, as the grid does, and lets the tiles land.
    void OpenGame(std::vector<TileKind> kinds)
    {
        resources.Add("LAYOUTS", PlayScreen::kFirstFreeLayoutResource, Row(std::move(kinds)));
        play = new PlayScreen(PlayScreen::kFreePlay, &flow);
        play->SetLayout(0, false, PlayScreen::kFirstFreeLayoutResource, String("Row"));
        h.manager.PushScreen(play, false, false, false);
        play->OnTransitionIn();
        play->OnTransitionDone();
        h.Frames(40);
    }

    Tile* TileAt(int index) const { return play->GetBoard()->Layout().TileAt(index); }

    // Straight to the board's handlers: the recording display draws no tile, so no hit
    // rectangle would route a press to it.
    void Press(const Tile* tile, bool right)
    {
        Board* board = play->GetBoard();
        const int32_t x = tile->screenRect.left + board->OffsetX() + 20;
        const int32_t y = tile->screenRect.top + board->OffsetY() + 20;
        if (right)
            board->OnRButtonDown(kKeyRButton, x, y);
        else
            board->OnLButtonDown(kKeyLButton, x, y);
    }

    template <class T>
    T* Top() const
    {
        return dynamic_cast<T*>(h.manager.GetTopScreen());
    }

    FrontPlayFlow flow;
    PlayScreen* play = nullptr;
    std::string folder_;
};

TEST_F(FrontPlayFlowTipTest, TheFirstFreePlayGameWelcomesThePlayerWithoutDimmingTheGame)
{
    CurrentProfile().firstGameTip = false;
    OpenGame({0, 0, 0, 0});
    auto* tip = Top<TutorialPopup>();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->Step(), 8);
    EXPECT_EQ(h.manager.GetScreens().size(), 2u);
    EXPECT_FALSE(play->IsActive());
    EXPECT_EQ(play->GetDimLevel(), 0);
    bool picture = false;
    for (Widget* w : tip->GetWidgets())
        picture = picture || dynamic_cast<TileLegend*>(w) != nullptr;
    EXPECT_TRUE(picture);

    tip->OnCommand(TutorialPopup::kOkCommand);
    h.Frames(40);
    EXPECT_EQ(h.manager.GetTopScreen(), play);
    EXPECT_TRUE(play->IsActive());
    EXPECT_FALSE(play->GetBoard()->TipShowing());
}

TEST_F(FrontPlayFlowTipTest, ARightClickOnASpecialTileOpensItsTipBesideIt)
{
    OpenGame({kKindComplementFirst, kKindComplementSecond, 5, 5});
    ASSERT_EQ(h.manager.GetTopScreen(), play);
    const Tile* special = TileAt(0);
    Press(special, true);
    auto* tip = Top<TutorialPopup>();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(tip->Step(), 2);
    EXPECT_TRUE(h.manager.IsFading(tip));
    EXPECT_TRUE(play->GetBoard()->TipGlow());

    TipAnchor anchor;
    Board* board = play->GetBoard();
    anchor.drawnLeft = special->screenRect.left + board->OffsetX();
    anchor.drawnRight = special->screenRect.right + board->OffsetX();
    anchor.tileTop = special->screenRect.top;
    board->GetAbsolutePosition(anchor.boardX, anchor.boardY);
    anchor.offsetY = board->OffsetY();
    int32_t width = 0, height = 0;
    TutorialPopup::FrameSize(2, width, height);
    int px = 0, py = 0;
    PlaceTipBesideTile(anchor, width, height, &px, &py);
    int32_t x = 0, y = 0;
    tip->GetOrigin(x, y);
    EXPECT_EQ(x, px);
    EXPECT_EQ(y, py);

    h.Frames(20);
    tip->OnCommand(TutorialPopup::kOkCommand);
    h.Frames(40);
    EXPECT_FALSE(board->TipGlow());
}

TEST_F(FrontPlayFlowTipTest, WhenNoPairIsLeftTheBoxOffersUndoAndItsOkTakesTheMoveBack)
{
    OpenGame({5, 5, 6, 7});
    ASSERT_EQ(h.manager.GetTopScreen(), play);
    Press(TileAt(0), false);
    Press(TileAt(1), false);
    h.Frames(60);
    ASSERT_EQ(play->GetBoard()->Layout().TilesLeft(), 2);
    auto* box = Top<NoMovesDialog>();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(play->GetDimLevel(), 0);
    EXPECT_EQ(box->Selected(), NoMovesDialog::kUndo);

    box->OnCommand(NoMovesDialog::kOkCommand);
    h.Frames(60);
    EXPECT_EQ(h.manager.GetTopScreen(), play);
    EXPECT_EQ(play->GetBoard()->Layout().TilesLeft(), 4);
}

TEST_F(FrontPlayFlowTipTest, WithoutAScreenNothingOpens)
{
    EXPECT_FALSE(flow.OpenTip(nullptr, nullptr, 0, false, nullptr));
    flow.ShowNoMoves(nullptr);
    EXPECT_TRUE(h.manager.GetScreens().empty());
}

}  // namespace
