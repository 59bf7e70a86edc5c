#include <algorithm>
#include <map>

#include "BoardFixture.h"
#include "framework/core/MemoryResources.h"
#include "framework/gfx/BitmapFont.h"

namespace {

std::map<int, int> KindsOnBoard(TileLayout& layout)
{
    std::map<int, int> kinds;
    for (int i = 0; i < layout.Count(); ++i)
        if (layout.TileAt(i)->OnBoard()) ++kinds[layout.TileAt(i)->kind];
    return kinds;
}

TEST_F(BoardTest, ManualHintsWalkTheKindsInTheirShuffledOrderAndCostPoints)
{
    Make(Board::kFreePlay);
    Tile* a1 = Add(0, 0, 0, 4);
    Add(4, 0, 0, 4);
    Tile* b1 = Add(8, 0, 0, 30);
    Add(12, 0, 0, 30);
    Start();
    ASSERT_EQ(board->KindsWithPair(), 2);
    const std::vector<int> order = board->HintOrder();
    ASSERT_EQ(order.size(), 2u);
    // The n-th kind with a free pair, counted upward: 0 is kind 4, 1 is kind 30.
    auto kindOf = [&](int n) { return n == 0 ? a1->kind : b1->kind; };

    host.score = 250;
    board->Hint(true);
    ASSERT_EQ(board->HintTiles().size(), 2u);
    EXPECT_EQ(board->HintTiles()[0]->kind, kindOf(order[1]));
    EXPECT_TRUE(board->HintTiles()[0]->wobble);
    board->Hint(true);
    EXPECT_EQ(board->HintTiles()[0]->kind, kindOf(order[0]));
    board->Hint(true);
    EXPECT_EQ(board->HintTiles()[0]->kind, kindOf(order[1]));
    EXPECT_EQ(host.score, 0);  // 250 - 100 - 100 - 100, held at 0
    board->Hint(true);
    EXPECT_EQ(host.score, 0);
    EXPECT_EQ(board->ScoreTexts().size(), 3u);

    // The shake ends on its own after 36 steps of 38 ms.
    Tile* shaking = board->HintTiles()[0];
    Run(1500);
    EXPECT_FALSE(shaking->wobble);
    EXPECT_TRUE(board->HintTiles().empty());
}

TEST_F(BoardTest, AScoreAndItsPlateFadeTogether)
{
    // Digits and signs 10 wide; the board's score font.
    MemoryResources resources;
    resources.Add(kTextType, 216, std::string_view("H:14,12,0,6,1\nS:0x2B,10,10,10,10,10,10,10,10,10,10,10,10,10,10,10\n"));
    BitmapFont font;
    ASSERT_TRUE(font.Load(217, 216, &resources));
    h.display.AddImage(217, 150, 14);
    h.display.fonts[217] = &font;
    Make(Board::kFreePlay);
    Add(0, 0, 0, 4);
    Add(4, 0, 0, 4);
    Start();
    host.score = 250;
    board->Hint(true);
    Run(700);  // well into the "-100"'s fade
    h.manager.MarkDirty();
    h.Frames(1);
    const auto glyphs = h.display.ImagesIn(h.display.LastFrame(), 217);
    ASSERT_FALSE(glyphs.empty());
    for (const RecordingDisplay::Draw& plate : h.display.LastFrame())
        if (plate.op == RecordingDisplay::Op::Blend) EXPECT_LE(plate.alpha, glyphs[0].alpha);
}

TEST_F(BoardTest, IdleHintComesAfterHalfAMinuteWhenThePlayerWantsIt)
{
    Make(Board::kFreePlay);
    Add(0, 0, 0, 4);
    Add(4, 0, 0, 4);
    Start();
    host.autoHint = true;
    Run(13500);
    EXPECT_TRUE(board->HintTiles().empty());
    Run(1000);  // the first comes 15 s after the start
    EXPECT_FALSE(board->HintTiles().empty());
    EXPECT_EQ(host.score, 0);
}

TEST_F(BoardTest, HintWithoutPairsShowsFreeSpecialTiles)
{
    Make(Board::kFreePlay);
    Tile* wild = AddFixed(0, 0, 0, kKindWildOne);
    Add(4, 0, 0, 4);
    Add(8, 0, 0, 5);
    Start();
    board->Hint(true);
    ASSERT_EQ(board->HintTiles().size(), 1u);
    EXPECT_EQ(board->HintTiles()[0], wild);
}

TEST_F(BoardTest, ShuffleDealsTheSameKindsAgainAndCostsTwentySeconds)
{
    Make(Board::kFreePlay);
    for (int i = 0; i < 6; ++i) Add(4 * i, 0, 0, i % 3 + 1);
    Tile* preset = AddFixed(24, 0, 0, kKindWildAll);
    Tile* gone1 = Add(28, 0, 0, 9);
    Tile* gone2 = Add(32, 0, 0, 9);
    Start();
    Match(gone1, gone2);
    Run(850);
    const auto before = KindsOnBoard(board->Layout());
    std::vector<TileRect> rects;
    for (int i = 0; i < board->Layout().Count(); ++i)
        rects.push_back(board->Layout().TileAt(i)->screenRect);

    board->Shuffle();
    EXPECT_EQ(host.Count("AddSeconds 20"), 1);
    EXPECT_EQ(board->MovePhaseNow(), Board::kPhaseShuffleOut);
    EXPECT_EQ(Played(349), 1);
    board->Undo();  // refused while the tiles are in the corners
    EXPECT_EQ(board->MoveNumber(), 1);
    Run(550);
    EXPECT_TRUE(board->DealChanged());
    EXPECT_EQ(board->MovePhaseNow(), Board::kPhaseShuffleBack);
    Run(550);
    EXPECT_EQ(board->MovePhaseNow(), Board::kPhaseEntry);
    EXPECT_EQ(board->ScoreTexts().size(), 1u);  // the penalty rises over the tiles come home
    EXPECT_EQ(KindsOnBoard(board->Layout()), before);
    EXPECT_EQ(preset->kind, kKindWildAll);
    EXPECT_EQ(gone1->kind, 9);
    for (int i = 0; i < board->Layout().Count(); ++i) {
        if (!board->Layout().TileAt(i)->OnBoard()) continue;
        EXPECT_EQ(board->Layout().TileAt(i)->screenRect.left, rects[static_cast<size_t>(i)].left);
        EXPECT_EQ(board->Layout().TileAt(i)->screenRect.top, rects[static_cast<size_t>(i)].top);
    }

    // Undo right after the shuffle brings back the move made before it, with its own kinds.
    board->Undo();
    Run(450);
    EXPECT_EQ(gone1->removedAt, 0);
    EXPECT_EQ(gone1->kind, 9);
    EXPECT_EQ(gone2->kind, 9);
}

TEST_F(BoardTest, AClearedFreePlayLayoutIsNotShuffled)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 1);
    Tile* b = Add(4, 0, 0, 1);
    Start();
    Match(a, b);
    Run(850);
    ASSERT_TRUE(board->IsEnded());
    const size_t calls = host.calls.size();
    board->Shuffle();  // as the no-moves box would
    EXPECT_EQ(board->MovePhaseNow(), Board::kPhaseEntry);
    EXPECT_EQ(host.calls.size(), calls);
}

TEST_F(BoardTest, ResetPutsTilesBackWhenAShuffleWasCutShort)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 1);
    Add(4, 0, 0, 1);
    Start();
    const TileRect home = a->screenRect;
    board->Shuffle();
    EXPECT_NE(a->screenRect.left, home.left);
    board->Reset();
    EXPECT_EQ(a->screenRect.left, home.left);
    EXPECT_EQ(a->screenRect.top, home.top);
    EXPECT_FALSE(board->MoveTimerRunning());
}

TEST_F(BoardTest, NoPairsLeftOffersTheDialogOrTheSpecialTileTipOnce)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 1);
    Tile* b = Add(4, 0, 0, 1);
    Add(8, 0, 0, 2);
    Add(12, 0, 0, 3);
    Start();
    Match(a, b);
    Run(850);
    EXPECT_EQ(host.Count("NoMoves"), 1);
    EXPECT_FALSE(board->IsEnded());
}

TEST_F(BoardTest, UndoWhileThePairThatLeavesNoMovesFliesTakesBackThatMoveAlone)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 1);
    Tile* b = Add(4, 0, 0, 1);
    Tile* c = Add(8, 0, 0, 2);
    Tile* d = Add(12, 0, 0, 2);
    Add(16, 0, 0, 3);
    Add(20, 0, 0, 4);
    Start();
    Match(a, b);
    Run(850);
    Match(c, d);
    ASSERT_FALSE(board->Flights().empty());
    board->Undo();
    EXPECT_EQ(host.Count("NoMoves"), 0);
    EXPECT_EQ(board->MoveNumber(), 1);
    Run(450);
    EXPECT_TRUE(c->OnBoard());
    EXPECT_TRUE(d->OnBoard());
    EXPECT_FALSE(a->OnBoard());
    EXPECT_EQ(host.Count("NoMoves"), 0);
}

TEST_F(BoardTest, TwoLoneWildsBringTheTipNotTheDialog)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 1);
    Tile* b = Add(4, 0, 0, 1);
    Tile* c = Add(8, 0, 0, 6);
    Tile* d = Add(12, 0, 0, 6);
    AddFixed(16, 0, 0, kKindWildOne);
    AddFixed(20, 0, 0, kKindWildOne);
    Add(24, 0, 0, 7);
    Start();
    Match(a, b);
    Run(850);
    Match(c, d);
    Run(900);
    EXPECT_EQ(host.Count("NoMoves"), 0);
    ASSERT_EQ(host.tipsOpened.size(), 1u);
    EXPECT_EQ(host.tipsOpened[0], 5);
    EXPECT_TRUE(host.tipSounds[0]);
    EXPECT_TRUE(board->TipShowing());
    board->Undo();
    Run(450);
    Match(c, d);
    Run(900);
    EXPECT_EQ(host.tipsOpened.size(), 1u);  // once a level
}

TEST_F(BoardTest, ExitPairWithNothingElseLeftGoesStraightToTheEnd)
{
    Make(Board::kStory);
    Tile* e1 = AddFixed(0, 0, 0, kKindExit);
    Tile* e2 = AddFixed(4, 0, 0, kKindExit);
    Start();
    ClearSounds();
    Match(e1, e2);
    EXPECT_TRUE(board->IsEnded());
    EXPECT_EQ(host.score, 2000);
    EXPECT_EQ(host.Count("ButtonsOff"), 1);
    EXPECT_EQ(host.Count("ClockOff"), 1);
    EXPECT_EQ(host.Count("BestTime"), 1);
    EXPECT_EQ(host.Count("Unlock"), 1);
    EXPECT_EQ(Played(377), 1);
    board->Undo();
    EXPECT_EQ(board->MoveNumber(), 1);
    Run(850);
    EXPECT_EQ(board->CurrentStep(), Board::kStepFinal);
    EXPECT_FALSE(board->IsCollecting());
    EXPECT_EQ(host.Count("BestScore"), 1);
    Run(450);
    EXPECT_FALSE(board->IsLevelRunning());
    EXPECT_EQ(board->TrayKind1(), kKindExit);
    EXPECT_EQ(host.score, 2000);
    Run(150);
    EXPECT_EQ(host.Count("StoryWon"), 1);
}

TEST_F(BoardTest, ExitPairCollectsTheRestLowestKindFirstWithBonuses)
{
    Make(Board::kStory);
    Tile* e1 = AddFixed(0, 0, 0, kKindExit);
    Tile* e2 = AddFixed(4, 0, 0, kKindExit);
    Tile* five1 = Add(8, 0, 0, 5);
    Tile* five2 = Add(12, 0, 0, 5);
    Tile* three = Add(16, 0, 0, 3);
    Start();
    Match(e1, e2);
    Run(850);
    EXPECT_TRUE(board->IsCollecting());
    EXPECT_EQ(three->removedAt, 1);
    EXPECT_EQ(five2->removedAt, 1);  // the 3 and the second 5 go together
    EXPECT_EQ(five1->removedAt, 0);
    EXPECT_EQ(host.score, 2000);
    Run(400);
    EXPECT_EQ(host.score, 2200);
    EXPECT_EQ(five1->removedAt, 1);
    Run(400);
    EXPECT_EQ(host.score, 2400);  // a single normal tile: 200
    EXPECT_EQ(board->CurrentStep(), Board::kStepFinal);
    Run(600);
    EXPECT_EQ(host.Count("StoryWon"), 1);
}

TEST_F(BoardTest, TheCollectionPaysMoreForASpecialTileThanForAPair)
{
    Make(Board::kStory);
    Tile* e1 = AddFixed(0, 0, 0, kKindExit);
    Tile* e2 = AddFixed(4, 0, 0, kKindExit);
    Add(8, 0, 0, 5);
    Add(12, 0, 0, 5);
    AddFixed(16, 0, 0, kKindWildAll);
    Start();
    Match(e1, e2);
    Run(850);
    ASSERT_TRUE(board->IsCollecting());
    const int before = host.score;
    Run(400);  // the pair lands; the wild flies alone
    const int pairBonus = host.score - before;
    Run(400);
    const int specialBonus = host.score - before - pairBonus;
    EXPECT_GT(pairBonus, 0);
    EXPECT_GT(specialBonus, pairBonus);
    EXPECT_EQ(host.bestScore, host.score);  // the result recorded when the level was decided
}

TEST_F(BoardTest, TheTileCounterCountsTheMatchedExitPairUntilTheLevelEnds)
{
    Make(Board::kStory);
    Tile* e1 = AddFixed(0, 0, 0, kKindExit);
    Tile* e2 = AddFixed(4, 0, 0, kKindExit);
    for (int i = 0; i < 4; ++i) Add(8 + 4 * i, 0, 0, 5 + i / 2);
    Start();
    const int before = host.tiles;
    Match(e1, e2);
    EXPECT_EQ(host.tiles, before);
    Run(850);
    ASSERT_TRUE(board->IsCollecting());
    Run(800);
    EXPECT_EQ(board->CurrentStep(), Board::kStepFinal);
    EXPECT_EQ(host.tiles, 2);  // the exit pair alone
    Run(450);
    EXPECT_EQ(host.tiles, 0);
}

TEST_F(BoardTest, EnterSkipsTheCollectionAndPaysForTheRest)
{
    Make(Board::kStory);
    Tile* e1 = AddFixed(0, 0, 0, kKindExit);
    Tile* e2 = AddFixed(4, 0, 0, kKindExit);
    for (int i = 0; i < 12; ++i) Add(8 + 4 * i, 0, 0, 10 + i / 2);
    AddFixed(60, 0, 0, kKindWildAll);
    Start();
    Match(e1, e2);
    Run(850);
    ASSERT_TRUE(board->IsCollecting());
    ASSERT_EQ(board->Flights().size(), 2u);  // the lowest pair is in the air
    const int before = host.score;
    board->OnChar(13, 1, 0);
    // 200 for the pair in flight, 5 pairs left at 200, the wild at 500.
    EXPECT_EQ(host.score - before, 200 + 1000 + 500);
    EXPECT_EQ(host.pairs, 0);
    EXPECT_EQ(host.tiles, 2);  // the exit pair alone
    EXPECT_EQ(board->CurrentStep(), Board::kStepFinal);
    EXPECT_FALSE(board->IsCollecting());
}

TEST_F(BoardTest, ExitMusicAndTheExitTipFollowTheFreeExitTiles)
{
    Make(Board::kStory);
    Tile* e1 = AddFixed(0, 0, 0, kKindExit);
    AddFixed(4, 0, 0, kKindExit);
    Add(10, 0, 0, 7);
    Add(20, 0, 0, 7);
    Tile* a = Add(0, 0, 1, 2);
    Tile* b = Add(4, 0, 1, 2);
    board->ArmLevelTips(true, false);
    Start();
    EXPECT_FALSE(e1->free);
    EXPECT_EQ(h.sound.calls.end(),
              std::find(h.sound.calls.begin(), h.sound.calls.end(), "SetMusicJump 4"));
    Match(a, b);
    EXPECT_TRUE(e1->free);
    EXPECT_NE(h.sound.calls.end(),
              std::find(h.sound.calls.begin(), h.sound.calls.end(), "SetMusicJump 4"));
    Run(1200);
    ASSERT_FALSE(host.tipsOpened.empty());
    EXPECT_EQ(host.tipsOpened[0], 1);
    EXPECT_FALSE(host.tipSounds[0]);
    EXPECT_TRUE(board->TipGlow());
    board->StopTipGlow();
    EXPECT_FALSE(board->TipGlow());
}

TEST_F(BoardTest, RightClickOnASpecialTileOpensItsTipBesideIt)
{
    Make(Board::kFreePlay);
    Add(0, 0, 0, 1);
    Tile* wild = AddFixed(4, 0, 0, kKindWildAll);
    Tile* plain = Add(8, 0, 0, 1);
    Start();
    EXPECT_FALSE(board->OnRButtonDown(0, plain->screenRect.left + board->OffsetX() + 20,
                                      plain->screenRect.top + board->OffsetY() + 20));
    EXPECT_TRUE(host.tipsOpened.empty());
    board->OnRButtonDown(0, wild->screenRect.left + board->OffsetX() + 20,
                         wild->screenRect.top + board->OffsetY() + 20);
    ASSERT_EQ(host.tipsOpened.size(), 1u);
    EXPECT_EQ(host.tipsOpened[0], 4);
    EXPECT_FALSE(host.tipSounds[0]);
    ASSERT_EQ(host.tipAnchors.size(), 1u);
    EXPECT_EQ(host.tipAnchors[0].drawnLeft, wild->screenRect.left + board->OffsetX());
    EXPECT_EQ(host.tipAnchors[0].boardY, 66);

    board->StopTipGlow();
    host.tipOpens = false;
    board->OnTimer(7, 0);
    EXPECT_FALSE(board->TipGlow());  // no popup opened, so nothing sways
}

TEST(TipPlacementTest, OpensLeftOfTheTileWhenThereIsRoomElseRightOrInTheCorner)
{
    TipAnchor anchor;
    anchor.boardX = 0;
    anchor.boardY = 66;
    anchor.offsetY = 100;
    anchor.tileTop = 50;
    int x = 0, y = 0;

    anchor.drawnLeft = 500;
    anchor.drawnRight = 548;
    PlaceTipBesideTile(anchor, 300, 200, &x, &y);
    EXPECT_EQ(x, 200);
    EXPECT_EQ(y, 50 - 100 + 66 + 100 + 29);

    anchor.drawnLeft = 100;
    anchor.drawnRight = 148;
    PlaceTipBesideTile(anchor, 300, 200, &x, &y);
    EXPECT_EQ(x, 148);

    // Near the right edge with no room on the left either: the corner.
    anchor.drawnLeft = 250;
    anchor.drawnRight = 520;
    PlaceTipBesideTile(anchor, 300, 200, &x, &y);
    EXPECT_EQ(x, 20);
    EXPECT_EQ(y, 86);

    // Kept above the bar and below the top of the board.
    anchor.drawnLeft = 500;
    anchor.tileTop = 400;
    PlaceTipBesideTile(anchor, 300, 200, &x, &y);
    EXPECT_EQ(y, 310);
    anchor.tileTop = -300;
    PlaceTipBesideTile(anchor, 300, 200, &x, &y);
    EXPECT_EQ(y, 71);
}

}  // namespace
