#include <algorithm>
#include <vector>

#include "BoardFixture.h"
#include "framework/core/DataStream.h"
#include "framework/core/MemoryResources.h"
#include "framework/core/ResourceModules.h"

namespace {

std::vector<TileKind> Kinds(TileLayout& layout)
{
    std::vector<TileKind> kinds;
    for (int i = 0; i < layout.Count(); ++i) kinds.push_back(layout.TileAt(i)->kind);
    return kinds;
}

class BoardRestartTest : public BoardTest {
protected:
    // Two rows of six undealt tiles side by side, dealt from a fixed seed as a story level is.
    void StartDealtStoryLevel()
    {
        Make(Board::kStory);
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 6; ++col) board->Layout().AddTile(2 * col, 2 * row, 0, 0);
        board->SetLevel(0, 50, 977);
        board->PlaceTiles();
        board->Reset();
        board->StartLevel(true, false, false);
        Run(800);
    }
    // What the play screen's restart does in story mode.
    void Restart()
    {
        board->ConvertLinkedToWild();
        board->Reset();
        board->StartLevel(false, false, false);
        Run(800);
    }
};

TEST_F(BoardRestartTest, RestartAfterAShuffleDealsTheLevelsOwnKindsAgain)
{
    StartDealtStoryLevel();
    const std::vector<TileKind> dealt = Kinds(board->Layout());
    board->Shuffle();
    Run(1100);
    ASSERT_NE(Kinds(board->Layout()), dealt);  // the shuffle did change the board

    Restart();
    EXPECT_EQ(Kinds(board->Layout()), dealt);
    EXPECT_FALSE(board->DealChanged());
    // A second restart keeps the deal as well.
    Restart();
    EXPECT_EQ(Kinds(board->Layout()), dealt);
}

TEST_F(BoardRestartTest, RestartOfAResumedGameDealsTheLevelsOwnKindsAgain)
{
    StartDealtStoryLevel();
    const std::vector<TileKind> dealt = Kinds(board->Layout());

    // A resumed game: kinds from the file, which the seed does not give.
    board->Reset();
    TileLayout& layout = board->Layout();
    std::vector<TileKind> stored = dealt;
    std::rotate(stored.begin(), stored.begin() + 1, stored.end());
    ASSERT_NE(stored, dealt);
    for (int i = 0; i < layout.Count(); ++i) layout.TileAt(i)->kind = stored[static_cast<size_t>(i)];
    board->SetMoveNumber(0);
    board->StartLevel(true, true, false);
    Run(800);
    EXPECT_EQ(Kinds(layout), stored);  // resuming keeps what was stored

    Restart();
    EXPECT_EQ(Kinds(layout), dealt);
}

TEST_F(BoardRestartTest, SettlingFinishesAShuffleAsTheFramesWould)
{
    StartDealtStoryLevel();
    board->Shuffle();
    Run(1100);
    const std::vector<TileKind> shuffled = Kinds(board->Layout());

    Restart();
    std::vector<TileRect> home;
    for (int i = 0; i < board->Layout().Count(); ++i) home.push_back(board->Layout().TileAt(i)->screenRect);
    board->Shuffle();
    Run(100);  // the tiles are on their way to the corners
    board->SettleMove();
    EXPECT_EQ(Kinds(board->Layout()), shuffled);
    EXPECT_TRUE(board->DealChanged());
    EXPECT_EQ(board->MovePhaseNow(), Board::kPhaseEntry);
    EXPECT_FALSE(board->MoveTimerRunning());
    for (int i = 0; i < board->Layout().Count(); ++i) {
        EXPECT_EQ(board->Layout().TileAt(i)->screenRect.left, home[static_cast<size_t>(i)].left);
        EXPECT_EQ(board->Layout().TileAt(i)->screenRect.top, home[static_cast<size_t>(i)].top);
    }
}

TEST_F(BoardRestartTest, SettlingAnAbsorptionIsSilentAndLeavesTheMusicAlone)
{
    Make(Board::kStory);
    Tile* wild = AddFixed(0, 0, 0, kKindWildOne);
    Add(6, 0, 0, 5);
    AddFixed(8, 0, 0, kKindExit);
    Tile* right = Add(10, 0, 0, 5);
    Add(18, 0, 0, 9);
    AddFixed(20, 0, 0, kKindExit);
    Add(22, 0, 0, 9);
    Start();
    Click(wild);
    Click(right);
    ASSERT_EQ(board->CurrentStep(), Board::kStepAbsorb);
    ClearSounds();
    board->SettleMove();
    EXPECT_TRUE(board->Flights().empty());
    EXPECT_EQ(wild->kind, 5);
    EXPECT_EQ(board->TrayKind1(), kKindWildOne);
    EXPECT_TRUE(h.sound.calls.empty());
}

TEST_F(BoardRestartTest, LoadingAnotherLayoutForgetsTheHintAndTheFlights)
{
    TileLayout next;
    for (int i = 0; i < 4; ++i) next.AddTile(4 * i, 0, 0, 0);
    DataStream stream;
    stream.OpenWriteMemory();
    next.SerializeLayout(&stream);
    MemoryResources assets;
    assets.Add("LAYOUTS", 500, {stream.Written().begin(), stream.Written().end()});
    SetAssetModule(&assets);

    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 3);
    Tile* b = Add(4, 0, 0, 3);
    Add(8, 0, 0, 6);
    Add(12, 0, 0, 6);
    Start();
    Match(a, b);  // flying to the tray
    board->Hint(true);
    ASSERT_FALSE(board->HintTiles().empty());

    board->SetLevel(500, 25, 1);
    ASSERT_TRUE(board->LoadLayout());
    EXPECT_TRUE(board->HintTiles().empty());
    EXPECT_TRUE(board->Flights().empty());
    board->Reset();
    board->StartLevel(true, false, false);
    Run(1200);
    EXPECT_EQ(board->Layout().Count(), 4);
    SetAssetModule(nullptr);
}

}  // namespace
