#include "BoardFixture.h"

#include <algorithm>

#include "game/play/TileSheetComposer.h"

namespace {

TEST_F(BoardTest, CentresTheLayoutAndRefusesClicksDuringTheEntry)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 5);
    Tile* b = Add(2, 0, 0, 5);
    board->PlaceTiles();
    EXPECT_EQ(a->screenRect.left, -6);
    EXPECT_EQ(b->screenRect.left, 36);
    EXPECT_EQ(a->screenRect.left + board->OffsetX(), 355);
    EXPECT_EQ(a->screenRect.top + board->OffsetY(), (452 - 58) / 2);

    board->Reset();
    board->StartLevel(false, false, false);
    ClearSounds();
    EXPECT_TRUE(Click(a));
    EXPECT_EQ(board->Selected(), nullptr);
    EXPECT_EQ(Played(174) + Played(175), 0);
    EXPECT_EQ(host.Count("PendingTutorial"), 0);

    Run(800);
    EXPECT_EQ(host.Count("PendingTutorial"), 1);
    Click(a);
    EXPECT_EQ(board->Selected(), a);
    EXPECT_EQ(Played(175), 1);
    EXPECT_EQ(host.Count("ClockOn"), 1);
}

TEST_F(BoardTest, EveryTileIsDrawnWithTheFaceOfItsKind)
{
    h.display.makesSurfaces = true;
    // Face f of the tile set's face picture is blue f + 1.
    Image* faces = h.display.AddImage(101, 228, 336);
    ASSERT_TRUE(faces->CreateBlank(228, 336));
    auto pixel = [](const Image* image, int x, int y) {
        return image->pixels + (image->height - 1 - y) * image->rowStep + 4 * x;
    };
    for (int y = 0; y < faces->height; ++y)
        for (int x = 0; x < faces->width; ++x) {
            uint8_t* p = pixel(faces, x, y);
            p[0] = static_cast<uint8_t>((y / 48) * 6 + x / 38 + 1);
            p[3] = 0xFF;
        }
    Make(Board::kFreePlay);
    for (int kind = 1; kind <= 42; ++kind) Add(4 * ((kind - 1) % 7), 4 * ((kind - 1) / 7), 0, kind);
    board->BuildTileSheet(0);
    Start();
    h.manager.MarkDirty();
    h.Frames(1);
    std::vector<int> drawnFaces;
    for (const RecordingDisplay::Draw& draw : h.display.LastFrame()) {
        if (!draw.image || draw.image->width != TileSheetComposer::kWidth || !draw.hasSource) continue;
        const int x = (draw.source.left + draw.source.right) / 2;
        const int y = (draw.source.top + draw.source.bottom) / 2;
        ASSERT_TRUE(x < draw.image->width && y < draw.image->height);
        drawnFaces.push_back(pixel(draw.image, x, y)[0]);
    }
    std::sort(drawnFaces.begin(), drawnFaces.end());
    std::vector<int> everyKind(42);
    for (int kind = 1; kind <= 42; ++kind) everyKind[static_cast<size_t>(kind - 1)] = kind;
    EXPECT_EQ(drawnFaces, everyKind);
}

TEST_F(BoardTest, MatchesAPairAndLandsItInTheTrayLeftMostFirst)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 9);
    Tile* b = Add(2, 0, 0, 7);
    Tile* c = Add(4, 0, 0, 7);
    Tile* d = Add(6, 0, 0, 9);
    Start();
    EXPECT_EQ(host.pairs, 1);
    EXPECT_EQ(host.tiles, 4);
    EXPECT_FALSE(b->free);

    ClearSounds();
    Match(d, a);  // the right one first: the tray still shows the left one on the left
    EXPECT_EQ(board->MoveNumber(), 1);
    EXPECT_EQ(a->removedAt, 1);
    EXPECT_EQ(d->removedAt, 1);
    EXPECT_TRUE(b->free);
    EXPECT_TRUE(c->free);
    EXPECT_EQ(host.score, 2 * 45);
    EXPECT_EQ(host.pairs, 1);
    EXPECT_EQ(host.tiles, 2);
    EXPECT_EQ(Played(176), 1);
    ASSERT_EQ(board->Flights().size(), 2u);
    EXPECT_EQ(board->Flights()[0].tile, a);
    EXPECT_EQ(board->Flights()[0].targetX, 364);
    EXPECT_EQ(board->Flights()[1].tile, d);
    EXPECT_EQ(board->Flights()[1].targetX, 416);
    ASSERT_EQ(board->ScoreTexts().size(), 1u);
    EXPECT_STREQ(board->ScoreTexts()[0].text.CStr(), "+90");

    Run(850);
    EXPECT_TRUE(board->Flights().empty());
    EXPECT_EQ(board->TrayKind1(), 9);
    EXPECT_EQ(board->TrayKind2(), 9);
    EXPECT_EQ(host.Count("NoMoves"), 0);
}

TEST_F(BoardTest, RefusesBlockedTilesAndEmptyClicks)
{
    Make(Board::kFreePlay);
    Add(0, 0, 0, 5);
    Tile* middle = Add(2, 0, 0, 5);
    Add(4, 0, 0, 6);
    Tile* top = Add(2, 0, 1, 6);
    Start();
    ClearSounds();
    // The left edge of the middle tile shows beside the one above it.
    board->OnLButtonDown(0, middle->screenRect.left + board->OffsetX() + 2,
                         middle->screenRect.top + board->OffsetY() + 40);
    EXPECT_EQ(board->Selected(), nullptr);
    EXPECT_EQ(Played(174), 1);
    board->OnLButtonDown(0, 2, 2);  // no tile there
    EXPECT_EQ(Played(174), 2);
    EXPECT_EQ(host.Count("ClockOn"), 0);
    Click(top);
    EXPECT_EQ(board->Selected(), top);
    Click(top);
    EXPECT_EQ(board->Selected(), nullptr);
}

TEST_F(BoardTest, PairAfterPairOfTheSameKindEarnsTheBonusAndUndoTakesItBack)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 3);
    Tile* b = Add(4, 0, 0, 3);
    Tile* c = Add(8, 0, 0, 3);
    Tile* d = Add(12, 0, 0, 3);
    Add(16, 0, 0, 30);
    Add(20, 0, 0, 30);
    Start();
    Match(a, b);
    Run(850);
    EXPECT_EQ(host.score, 30);
    Match(c, d);
    EXPECT_EQ(host.score, 30 + 30 + 500);
    EXPECT_EQ(Played(352), 1);
    ASSERT_EQ(board->ScoreTexts().size(), 2u);
    Run(850);

    board->Undo();
    EXPECT_EQ(board->MoveNumber(), 1);
    EXPECT_EQ(host.score, 30);  // the pair's points and the bonus
    EXPECT_EQ(board->TrayKind1(), 3);
    Run(450);
    EXPECT_EQ(c->removedAt, 0);
    EXPECT_EQ(d->removedAt, 0);
    EXPECT_TRUE(c->free);
    EXPECT_EQ(host.tiles, 4);

    board->Undo();
    Run(450);
    EXPECT_EQ(host.score, 0);
    EXPECT_EQ(board->TrayKind1(), 0);
    EXPECT_EQ(host.tiles, 6);
    board->Undo();  // nothing left to take back
    EXPECT_EQ(board->MoveNumber(), 0);
}

TEST_F(BoardTest, SeasonsOrFlowersOfDifferentFacesEarnTheBonusOfTwoPairsOfAKind)
{
    Make(Board::kFreePlay);
    std::vector<Tile*> tiles;
    const TileKind kinds[] = {3, 3, 3, 3, 35, 36, 37, 38, 39, 40, 41, 42};
    for (int i = 0; i < 12; ++i) tiles.push_back(Add(4 * i, 0, 0, kinds[i]));
    Start();
    // What the second of two pairs earns beyond its tiles' points.
    auto bonusOfSecondPair = [&](int first) {
        Match(tiles[first], tiles[first + 1]);
        Run(850);
        const int before = host.score;
        Match(tiles[first + 2], tiles[first + 3]);
        Run(850);
        return host.score - before - 2 * TileScore(tiles[first + 3]->kind);
    };
    const int sameKind = bonusOfSecondPair(0);
    EXPECT_GT(sameKind, 0);
    EXPECT_EQ(bonusOfSecondPair(4), sameKind) << "seasons";
    EXPECT_EQ(bonusOfSecondPair(8), sameKind) << "flowers";
}

TEST_F(BoardTest, UndoOfAPairWithEqualStartPointsSendsTheSecondTileFromTheLeft)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 3);
    Tile* b = Add(4, 0, 0, 3);
    Add(8, 0, 0, 4);
    Add(12, 0, 0, 4);
    Start();
    Match(a, b);
    Run(850);
    a->startX = b->startX = 100;
    board->Undo();
    ASSERT_EQ(board->Flights().size(), 2u);
    auto startOf = [&](const Tile* tile) {
        for (const FlyingTile& flight : board->Flights())
            if (flight.tile == tile) return flight.startX;
        return -1;
    };
    EXPECT_LT(startOf(b), startOf(a));
}

TEST_F(BoardTest, UndoReturnsTilesThatCoverOthers)
{
    Make(Board::kFreePlay);
    Tile* base = Add(0, 0, 0, 1);
    Tile* left = Add(4, 0, 0, 1);
    Tile* t1 = Add(0, 0, 1, 2);
    Tile* t2 = Add(4, 0, 1, 2);
    Start();
    EXPECT_FALSE(base->free);
    Match(t1, t2);
    EXPECT_TRUE(base->free);
    EXPECT_TRUE(left->free);
    Run(850);
    board->Undo();
    Run(450);
    EXPECT_FALSE(base->free);
    EXPECT_FALSE(left->free);
    EXPECT_TRUE(t1->free);
    EXPECT_EQ(host.pairs, 1);
}

TEST_F(BoardTest, WildTakesEveryTileOfTheKindEvenBlockedOnesWhoseFaceShows)
{
    Make(Board::kFreePlay);
    Tile* wild = AddFixed(0, 0, 0, kKindWildAll);
    Tile* k1 = Add(4, 0, 0, 5);
    Tile* k2 = Add(6, 0, 0, 5);  // blocked on both sides
    Tile* k3 = Add(8, 0, 0, 5);
    Tile* other = Add(12, 0, 0, 6);
    Tile* other2 = Add(14, 0, 0, 6);
    Start();
    EXPECT_FALSE(k2->free);
    Click(wild);
    EXPECT_EQ(board->BlinkImage(), 177);
    EXPECT_EQ(Played(347), 1);
    Click(k2);
    EXPECT_EQ(CountSound("StopSound", 347), 1);
    EXPECT_EQ(k1->removedAt, 1);
    EXPECT_EQ(k2->removedAt, 1);
    EXPECT_EQ(k3->removedAt, 1);
    EXPECT_EQ(wild->removedAt, 1);
    EXPECT_EQ(other->removedAt, 0);
    EXPECT_EQ(host.score, 3 * 25);
    EXPECT_EQ(board->Flights().size(), 4u);
    Run(850);
    EXPECT_EQ(board->TrayKind1(), kKindWildAll);
    EXPECT_EQ(board->TrayKind2(), 5);

    board->Undo();
    EXPECT_EQ(host.score, 0);
    Run(450);
    EXPECT_EQ(wild->removedAt, 0);
    EXPECT_EQ(k2->removedAt, 0);
    EXPECT_FALSE(k2->free);
    EXPECT_TRUE(k1->free && k3->free);  // open on the outer side
    EXPECT_TRUE(other2->free);
}

TEST_F(BoardTest, AWildTakingTheKindOfThePairInTheTrayEarnsNoBonus)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 5);
    Tile* b = Add(4, 0, 0, 5);
    Tile* wild = AddFixed(8, 0, 0, kKindWildAll);
    Tile* c = Add(12, 0, 0, 5);
    Add(16, 0, 0, 5);
    Start();
    Match(a, b);
    Run(850);
    ASSERT_EQ(board->TrayKind1(), 5);
    const int before = host.score;
    Match(wild, c);
    EXPECT_EQ(host.score - before, 2 * TileScore(5));
}

TEST_F(BoardTest, AWildCannotTakeATileWhoseFaceIsHidden)
{
    Make(Board::kFreePlay);
    Tile* wild = AddFixed(0, 0, 0, kKindWildOne);
    Tile* hidden = Add(8, 0, 0, 5);
    Add(8, 0, 1, 6);  // right on top of it, over the whole face
    Start();
    ASSERT_FALSE(board->Layout().IsVisible(hidden));
    Click(wild);
    // Its uncovered bottom left corner takes the click.
    board->OnLButtonDown(0, hidden->screenRect.left + board->OffsetX() + 1,
                         hidden->screenRect.bottom + board->OffsetY() - 1);
    EXPECT_EQ(board->MoveNumber(), 0);
    EXPECT_TRUE(hidden->OnBoard());
    EXPECT_EQ(hidden->link, nullptr);
}

TEST_F(BoardTest, WildAfterANormalSelectionBecomesTheSelectionAndSeasonsAllGo)
{
    Make(Board::kFreePlay);
    Tile* n = Add(0, 0, 0, 8);
    Tile* wild = AddFixed(4, 0, 0, kKindWildAll);
    Tile* s1 = Add(8, 0, 0, 35);
    Tile* s2 = Add(12, 0, 0, 37);
    Start();
    Click(n);
    Click(wild);
    EXPECT_EQ(board->Selected(), wild);
    Click(s1);
    EXPECT_EQ(s1->removedAt, 1);
    EXPECT_EQ(s2->removedAt, 1);
    EXPECT_EQ(n->removedAt, 0);
    EXPECT_EQ(host.score, 200);
}

TEST_F(BoardTest, SingleWildAbsorbsATileAndUndoTurnsItBack)
{
    Make(Board::kFreePlay);
    Tile* wild = AddFixed(0, 0, 0, kKindWildOne);
    Tile* t = Add(4, 0, 0, 12);
    Add(8, 0, 0, 20);
    Add(12, 0, 0, 20);
    Start();
    Match(wild, t);
    EXPECT_EQ(t->removedAt, 1);
    EXPECT_EQ(t->link, wild);
    EXPECT_EQ(board->CurrentStep(), Board::kStepAbsorb);
    EXPECT_EQ(host.score, 0);
    Run(550);
    EXPECT_EQ(wild->kind, 12);
    EXPECT_EQ(wild->removedAt, 0);
    EXPECT_EQ(board->CurrentStep(), Board::kStepWildToTray);
    Run(550);
    EXPECT_EQ(board->TrayKind1(), kKindWildOne);

    board->Undo();
    EXPECT_EQ(board->CurrentStep(), Board::kStepUnabsorbToWild);
    Run(700);
    EXPECT_EQ(wild->kind, kKindWildOne);
    EXPECT_TRUE(wild->fixed);
    EXPECT_EQ(t->kind, 12);
    EXPECT_EQ(t->removedAt, 0);
    EXPECT_EQ(t->link, nullptr);
    EXPECT_TRUE(board->Flights().empty());
    EXPECT_EQ(board->MoveNumber(), 0);
}

TEST_F(BoardTest, ComplementaryPairRunsItsStepsAndRefusesUndoWhileTheSecondHolds)
{
    Make(Board::kFreePlay);
    Tile* first = AddFixed(0, 0, 0, kKindComplementFirst);
    Tile* second = AddFixed(4, 0, 0, kKindComplementSecond);
    Add(6, 0, 0, 9);  // the 45 is blocked on one side only here
    Tile* blocker = Add(2, 0, 1, 9);
    Start();
    Click(second);
    EXPECT_EQ(board->Selected(), nullptr);  // a 45 alone cannot be selected
    Click(first);
    Click(second);
    EXPECT_EQ(first->removedAt, 1);
    EXPECT_EQ(second->removedAt, 0);
    EXPECT_EQ(board->CurrentStep(), Board::kStepComplementSwap);
    Run(425);
    EXPECT_EQ(board->CurrentStep(), Board::kStepComplementHold);
    EXPECT_EQ(board->TrayKind1(), kKindComplementFirst);
    EXPECT_EQ(Played(379), 1);
    board->Undo();
    EXPECT_EQ(board->MoveNumber(), 1);
    Click(blocker);
    EXPECT_EQ(board->Selected(), nullptr);
    Run(1050);
    EXPECT_EQ(second->removedAt, 1);
    EXPECT_EQ(board->CurrentStep(), Board::kStepComplementToTray);
    Run(550);
    EXPECT_EQ(board->TrayKind2(), kKindComplementSecond);
    EXPECT_EQ(host.score, 0);

    board->Undo();
    Run(450);
    EXPECT_EQ(first->removedAt, 0);
    EXPECT_EQ(second->removedAt, 0);
}

TEST_F(BoardTest, TheSecondOfAComplementaryPairIsNotTakenAfterAnyOtherTile)
{
    Make(Board::kFreePlay);
    AddFixed(0, 0, 0, kKindComplementFirst);
    Tile* second = AddFixed(4, 0, 0, kKindComplementSecond);
    Tile* wild = AddFixed(8, 0, 0, kKindWildAll);
    Tile* plain = Add(12, 0, 0, 9);
    Add(16, 0, 0, 9);
    Start();
    for (Tile* selected : {plain, wild}) {
        Click(selected);
        Click(second);
        EXPECT_EQ(board->Selected(), selected);
        Click(selected);
    }
}

TEST_F(BoardTest, RestartAsksOnlyWhileAGameIsInProgressAndBarIsHeldDuringTheEntry)
{
    Make(Board::kFreePlay);
    Add(0, 0, 0, 1);
    Add(2, 0, 0, 1);
    board->PlaceTiles();
    board->Reset();
    board->StartLevel(false, false, false);
    EXPECT_TRUE(board->OnCommand(Board::kCmdRestartFree));
    EXPECT_EQ(host.Count("NewDeal"), 0);
    Run(800);
    EXPECT_TRUE(board->OnCommand(Board::kCmdRestartFree));
    EXPECT_EQ(host.Count("NewDeal"), 1);
    EXPECT_EQ(host.Count("ClockOn"), 1);
    host.gameInProgress = true;
    EXPECT_TRUE(board->OnCommand(Board::kCmdRestart));
    EXPECT_EQ(host.Count("AskRestart"), 1);
    EXPECT_FALSE(board->OnCommand(999));
}

TEST_F(BoardTest, LayoutInProgressOnlyAfterAMove)
{
    Make(Board::kFreePlay);
    Tile* a = Add(0, 0, 0, 1);
    Tile* b = Add(2, 0, 0, 1);
    Start();
    EXPECT_EQ(board->LayoutIfInProgress(), nullptr);
    Match(a, b);
    EXPECT_EQ(board->LayoutIfInProgress(), &board->Layout());
    Run(850);
    EXPECT_TRUE(board->IsEnded());
    EXPECT_EQ(board->LayoutIfInProgress(), nullptr);
    Run(150);
    EXPECT_EQ(host.Count("LayoutComplete"), 1);
    Run(500);
    EXPECT_EQ(host.Count("LayoutComplete"), 1);
    ClearSounds();
    Click(a);
    EXPECT_TRUE(h.sound.calls.empty());
}

}  // namespace
