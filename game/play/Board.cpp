#include "game/play/Board.h"

#include <algorithm>
#include <utility>

#include "framework/gfx/BitmapFont.h"
#include "framework/gfx/Image.h"
#include "framework/ui/ScreenManager.h"
#include "game/play/BoardHost.h"
#include "game/play/TileSheetComposer.h"
#include "game/play/TipPlacement.h"
#include "platform/Random.h"
#include "platform/TickCount.h"

namespace {

// The entry formations take turns over the whole program.
int gNextFormation = 1;

constexpr int kImageBases = 102;
constexpr int kImageStrip44 = 182;
constexpr int kImageSwapEffect = 209;
constexpr int kImageTransform = 179;
constexpr int kFontGlyphs = 217;
constexpr int32_t kScorePlateAlpha = 210;
// Wider than the text's advances by the glyphs' outline and overhang.
constexpr int kScorePlateMargin = 5;
constexpr uint32_t kScorePlateColour = 0x0E0C54;  // deep lacquer
constexpr int kFontMetrics = 216;
constexpr uint32_t kMagentaKey = 0xFF00FF;

constexpr int kSoundRefused = 174;
constexpr int kSoundSelect = 175;
constexpr int kSoundMatch = 176;
constexpr int kSoundCombo = 352;
constexpr int kSoundComplementHold = 379;
constexpr int kSoundStart = 350;

constexpr int kEntryMs = 750;

// The hint shake and the tip sway: a triangle of 0 to 6 pixels, one step per 38 ms.
int Sway(uint32_t elapsed)
{
    int w = static_cast<int>((elapsed / 38) % 12);
    return w > 6 ? 12 - w : w;
}

bool InRange(TileKind kind) { return kind >= 0 && kind <= kKindLast; }

}  // namespace

Board::Board(int mode, BoardHost* host, TickSource ticks)
    : mode_(mode), host_(host), ticks_(ticks ? ticks : &TickCount)
{
    flights_.reserve(kMaxFlights);
}

Board::~Board()
{
    if (tileSheet_ && GetManager()) GetManager()->DestroySurface(tileSheet_);
}

void Board::OnCreate()
{
    ScreenManager* manager = GetManager();
    if (manager) {
        for (int id : {kImageBases, kFontGlyphs, kImageStrip44, kImageSwapEffect, kImageTransform,
                       206, 177, 184})
            manager->LoadImage(id);
        for (int id : {175, 174, 176, 352, 347, 348, 378, 379, 349, 350, 351, 377, 376})
            manager->LoadSound(id, id == 347 || id == 348 || id == 378 || id == 376);
    }
    font_ = GetFont(kFontGlyphs, kFontMetrics);
    EnableUpdates(true);
    EnableClicks(true);
    EnableCommands(true);
    EnableChar(true);
}

void Board::OnDestroy()
{
    DropFlights();
    if (tileSheet_ && GetManager()) GetManager()->DestroySurface(tileSheet_);
    tileSheet_ = nullptr;
}

// ---------------------------------------------------------------------------------------------
// Level set-up

void Board::SetLevel(int layoutResId, int percent, uint32_t seed)
{
    layoutResId_ = layoutResId;
    percent_ = percent;
    seed_ = seed == kRandomSeed ? ticks_() : seed;
}

bool Board::LoadLayout()
{
    // Nothing may keep pointing at the tiles the new layout replaces.
    Deselect();
    StopHint();
    DropFlights();
    if (!layout_.LoadFromResource(layoutResId_)) {
        if (host_) host_->ShowLayoutError();
        return false;
    }
    dealChanged_ = false;
    ComputeScreenRects();
    return true;
}

void Board::PlaceTiles() { ComputeScreenRects(); }

Board::TileSetImages Board::ImagesOfTileSet(int tileSet)
{
    switch (tileSet) {
        case 0: return {101, 178, 0};
        case 2: return {313, 314, 6};
        case 3: return {315, 316, 7};
        case 4: return {317, 318, 0};
        case 5: return {319, 312, 0};
        default: return {215, 214, 0};
    }
}

void Board::BuildTileSheet(int tileSet)
{
    ScreenManager* manager = GetManager();
    if (!manager) return;
    const TileSetImages images = ImagesOfTileSet(tileSet);
    highlightImage_ = images.highlightImage;
    manager->LoadImage(highlightImage_);
    if (!tileSheet_) tileSheet_ = manager->CreateSurface(TileSheetComposer::kWidth,
                                                         TileSheetComposer::kHeight);
    if (!tileSheet_) return;
    TileSheetComposer::Compose(tileSheet_, manager->LoadImage(kImageBases),
                               manager->LoadImage(images.faceImage), images.baseCell);
    MarkDirty();
}

void Board::ComputeScreenRects()
{
    int minLeft = kWidth, minTop = kHeight, maxRight = 0, maxBottom = 0;
    for (int i = 0; i < layout_.Count(); ++i) {
        Tile* tile = layout_.TileAt(i);
        TileRect& r = tile->screenRect;
        r.left = 6 * tile->z + 21 * tile->x - 6;
        r.top = 26 * tile->y - 6 * tile->z + 6;
        r.right = r.left + 48;
        r.bottom = r.top + 58;
        minLeft = std::min(minLeft, r.left);
        minTop = std::min(minTop, r.top);
        maxRight = std::max(maxRight, r.right);
        maxBottom = std::max(maxBottom, r.bottom);
    }
    offsetX_ = (kWidth - (maxRight - minLeft)) / 2 - minLeft;
    offsetY_ = (kHeight - (maxBottom - minTop)) / 2 - minTop;
}

void Board::Reset()
{
    ended_ = false;
    collecting_ = false;
    Deselect();
    DropFlights();
    StopHint();
    scoreTexts_.clear();
    trayKind1_ = trayKind2_ = 0;
    moveNumber_ = 0;
    // dealChanged_ stays: a restart after a shuffle or a resume must deal the seed's kinds again.
    clockPending_ = true;
    // A shuffle cut short leaves the tiles' rectangles in the corners.
    movePhase_ = kPhaseEntry;
    moveRemaining_ = 0;
    ComputeScreenRects();
}

void Board::StartLevel(bool newDeal, bool keepState, bool newSeed)
{
    levelRunning_ = true;
    lastPress_ = 0;
    tipNoMovesShown_ = false;
    if (newSeed) seed_ = ticks_();
    if (!keepState) layout_.ClearMarks(newDeal || dealChanged_);
    SetEntryFormation(gNextFormation);
    moveDuration_ = moveRemaining_ = kEntryMs;
    gNextFormation = gNextFormation % 6 + 1;
    layout_.UpdateFreeFlags();
    if (newDeal || dealChanged_) {
        SRand(seed_);
        dealer_.Deal(&layout_, percent_, moveNumber_, false);
        if (!keepState) dealChanged_ = false;
    }
    exitMusicMark_ = -1;
    AfterChange();
    if (ScreenManager* manager = GetManager()) manager->StopAllSoundsExcept(-1);
    PlaySound(kSoundStart);
    MarkDirty();
}

void Board::SetEntryFormation(int formation)
{
    for (int i = 0; i < layout_.Count(); ++i) {
        Tile* tile = layout_.TileAt(i);
        const TileRect& r = tile->screenRect;
        switch (formation) {
            case 1: tile->startX = 376 - offsetX_; tile->startY = 197 - offsetY_; break;
            case 2: tile->startX = 10 - offsetX_; tile->startY = 10 - offsetY_; break;
            case 3: tile->startX = r.bottom; tile->startY = 336 - offsetY_; break;
            case 4: tile->startX = 376 - offsetX_; tile->startY = 336 - offsetY_; break;
            case 5: tile->startX = 742 - offsetX_; tile->startY = 10 - offsetY_; break;
            default: tile->startX = r.left; tile->startY = 336 - offsetY_; break;
        }
    }
}

void Board::SetMoveNumber(int moveNumber)
{
    moveNumber_ = std::max(moveNumber, 0);
    TrayFromLastMove();
    dealChanged_ = true;
    clockPending_ = false;
}

TileLayout* Board::LayoutIfInProgress()
{
    return levelRunning_ && !ended_ && moveNumber_ != 0 ? &layout_ : nullptr;
}

void Board::SettleMove()
{
    settling_ = true;
    // Each landing starts at most the next step of its move; no move has more than three.
    for (int guard = 0; guard < 4 && !flights_.empty() && step_ <= kStepUnabsorbHome; ++guard)
        Land();
    // A shuffle already paid for in seconds deals its kinds before the tiles come home.
    if (movePhase_ == kPhaseShuffleOut && moveRemaining_ > 0) Reshuffle();
    if (movePhase_ != kPhaseEntry) {
        movePhase_ = kPhaseEntry;
        moveRemaining_ = 0;
    }
    settling_ = false;
}

void Board::PostEvent(int eventId) { SetTimer(eventId, 100, 1, 1); }

void Board::ArmLevelTips(bool exitTip, bool flowerTip)
{
    tipExitPending_ = exitTip;
    tipFlowersPending_ = flowerTip;
}

// ---------------------------------------------------------------------------------------------
// Input

void Board::StartClockIfPending()
{
    if (!clockPending_) return;
    clockPending_ = false;
    if (host_) host_->SetClockRunning(true);
}

bool Board::FlightsBlockMoves() const
{
    return !flights_.empty() && step_ != kStepPairToTray && step_ != kStepUndoReturn;
}

bool Board::OnLButtonDown(uint32_t keys, int32_t x, int32_t y)
{
    if (ended_) return true;
    lastPress_ = Clock();
    if (FlightsBlockMoves() || movePhase_ != kPhaseEntry || moveRemaining_ > 0) return true;

    int layer = -1, tx = 0, ty = 0;
    Tile* tile = layout_.HitTest(x - offsetX_, y - offsetY_, &layer, &tx, &ty);
    if (!tile || !IsSelectable(tile) || !PassesVisibility(tile)) {
        PlaySound(kSoundRefused);
        return true;
    }
    StopHint();
    blinkImage_ = 0;
    if (specialSound_ != -1) StopSound(specialSound_);
    specialSound_ = -1;
    StartClockIfPending();

    if (tile == selected_) {
        selected_ = nullptr;
    } else if (selected_ && TilesMatch(selected_->kind, tile->kind)) {
        Tile* first = selected_;
        selected_ = nullptr;
        MatchPair(first, tile);
        MarkDirty();
        return true;
    } else {
        selected_ = tile;
        SelectFeedback(tile);
    }
    PlaySound(kSoundSelect);
    MarkDirty();
    return true;
}

bool Board::IsSelectable(const Tile* tile) const
{
    if (layout_.HasFixed() && selected_) {
        if (tile->kind == kKindComplementSecond)
            return selected_->kind == kKindComplementFirst;
        if (IsWild(selected_->kind) && tile->kind < kKindExit) return true;
    } else if (layout_.HasFixed() && tile->kind == kKindComplementSecond) {
        return false;
    }
    return tile->free;
}

bool Board::PassesVisibility(const Tile* tile) const
{
    if (!layout_.HasFixed() || !selected_) return true;
    const TileKind k = selected_->kind;
    if (k != kKindComplementFirst && !IsWild(k)) return true;
    return layout_.IsVisible(tile);
}

void Board::SelectFeedback(Tile* tile)
{
    int sound = -1;
    switch (tile->kind) {
        case kKindExit: blinkImage_ = 206; break;
        case kKindComplementFirst: blinkImage_ = 182; sound = 378; break;
        case kKindWildAll: blinkImage_ = 177; sound = 347; break;
        case kKindWildOne: blinkImage_ = 184; sound = 348; break;
        default: return;
    }
    blinkFrames_ = 7;
    blinkFrame_ = 0;
    blinkLast_ = Clock();
    specialSound_ = sound;
    if (sound != -1) PlaySound(sound);
}

void Board::Deselect()
{
    selected_ = nullptr;
    blinkImage_ = 0;
    if (specialSound_ != -1) StopSound(specialSound_);
    specialSound_ = -1;
}

bool Board::OnCommand(int32_t commandId)
{
    lastPress_ = Clock();
    const bool undo = commandId == kCmdUndo || commandId == kCmdUndoFree;
    const bool hint = commandId == kCmdHint || commandId == kCmdHintFree;
    const bool restart = commandId == kCmdRestart || commandId == kCmdRestartFree;
    const bool shuffle = commandId == kCmdShuffle || commandId == kCmdShuffleFree;
    const bool bar = undo || hint || restart || shuffle;
    if (bar && (ended_ || movePhase_ != kPhaseEntry || moveRemaining_ > 0)) return true;
    StartClockIfPending();
    if (undo) {
        Undo();
    } else if (hint) {
        Hint(true);
    } else if (restart) {
        if (host_ && host_->IsGameInProgress()) host_->AskRestart();
        else if (host_) host_->NewDeal();
    } else if (shuffle) {
        Shuffle();
    }
    return bar;
}

void Board::OnChar(uint32_t character, int32_t repeat, uint32_t keyFlags)
{
    if ((character == 13 || character == 32) && ended_ && collecting_) SkipCollection();
}

bool Board::OnRButtonDown(uint32_t keys, int32_t x, int32_t y)
{
    if (!layout_.HasFixed()) return false;
    int layer = -1, tx = 0, ty = 0;
    Tile* tile = layout_.HitTest(x - offsetX_, y - offsetY_, &layer, &tx, &ty);
    if (!tile) return false;
    switch (tile->kind) {
        case kKindComplementFirst:
        case kKindComplementSecond: OpenTip(2, -1, tile); break;
        case kKindWildAll: OpenTip(4, -1, tile); break;
        case kKindWildOne: OpenTip(3, -1, tile); break;
        default: break;
    }
    return false;
}

bool Board::OnTimer(int32_t timerId, int32_t firingIndex)
{
    if (timerId == kEventStoryWon) {
        if (host_) host_->OnStoryLevelWon();
    } else if (timerId == kEventLayoutDone) {
        if (host_) host_->OnLayoutComplete();
    } else if (timerId >= 0 && timerId <= 8) {
        OpenTip(timerId, firingIndex, nullptr);
    }
    return false;
}

void Board::OpenTip(int step, int firingIndex, const Tile* anchorTile)
{
    if (!host_) return;
    const bool wasShowing = tipShowing_;
    const bool wasGlowing = tipGlow_;
    tipShowing_ = true;
    switch (step) {
        case 1: tipGlow_ = true; tipGlowKind1_ = kKindExit; tipGlowKind2_ = -1; break;
        case 2: tipGlow_ = true; tipGlowKind1_ = kKindComplementFirst; tipGlowKind2_ = kKindComplementSecond; break;
        case 3: tipGlow_ = true; tipGlowKind1_ = kKindWildOne; tipGlowKind2_ = -1; break;
        case 4: tipGlow_ = true; tipGlowKind1_ = kKindWildAll; tipGlowKind2_ = -1; break;
        case 7: tipGlow_ = true; tipGlowKind1_ = 39; tipGlowKind2_ = 40; break;
        default: break;
    }
    const bool soundsGoOn = step == 0 || step == 5 || step == 6 || step == 8 ||
                            (step >= 2 && step <= 4 && firingIndex != -1);
    TipAnchor anchor;
    if (anchorTile) {
        anchor.drawnLeft = anchorTile->screenRect.left + offsetX_;
        anchor.drawnRight = anchorTile->screenRect.right + offsetX_;
        anchor.tileTop = anchorTile->screenRect.top;
        GetAbsolutePosition(anchor.boardX, anchor.boardY);
        anchor.offsetY = offsetY_;
    }
    if (!host_->OpenTip(step, soundsGoOn, anchorTile ? &anchor : nullptr)) {
        // Nothing covers the board, so nothing would clear these.
        tipShowing_ = wasShowing;
        tipGlow_ = wasGlowing;
    }
    MarkDirty();
}

void Board::OnEnableChanged()
{
    if (IsEffectivelyEnabled()) tipShowing_ = false;
}

// ---------------------------------------------------------------------------------------------
// Matching

FlyingTile Board::FlightFrom(Tile* tile, int duration) const
{
    FlyingTile flight;
    flight.tile = tile;
    flight.kind = tile->kind;
    flight.startX = DrawnX(tile);
    flight.startY = DrawnY(tile);
    flight.duration = flight.remaining = duration;
    return flight;
}

FlyingTile Board::FlightOfKind(TileKind kind, int x, int y, int duration) const
{
    FlyingTile flight;
    flight.kind = kind;
    flight.startX = x;
    flight.startY = y;
    flight.duration = flight.remaining = duration;
    return flight;
}

void Board::AddFlight(FlyingTile flight, int targetX, int targetY)
{
    if (static_cast<int>(flights_.size()) >= kMaxFlights) return;
    flight.targetX = targetX;
    flight.targetY = targetY;
    flights_.push_back(flight);
}

void Board::MatchPair(Tile* a, Tile* b)
{
    ++moveNumber_;
    FinishFlights();
    switch (a->kind) {
        case kKindExit: MatchExitPair(a, b); return;
        case kKindComplementFirst: MatchComplement(a, b); PlaySound(kSoundMatch); return;
        case kKindWildAll: MatchWildAll(a, b); PlaySound(kSoundMatch); return;
        case kKindWildOne: MatchWildOne(a, b); PlaySound(kSoundMatch); return;
        default: break;
    }
    a->removedAt = moveNumber_;
    b->removedAt = moveNumber_;
    layout_.CollectFreedByPair(a, b, {}, true);
    AfterChange();
    DropFlights();
    FlyingTile fa = FlightFrom(a, 800);
    FlyingTile fb = FlightFrom(b, 800);
    if (fb.startX < fa.startX) std::swap(fa, fb);
    AddFlight(fa, kTrayLeftX, kTrayY);
    AddFlight(fb, kTrayRightX, kTrayY);
    step_ = kStepPairToTray;
    AwardPoints(b, 2, true);
    PlaySound(kSoundMatch);
}

void Board::MatchComplement(Tile* a, Tile* b)
{
    a->removedAt = moveNumber_;
    DropFlights();
    AddFlight(FlightFrom(a, 400), kTrayLeftX, kTrayY);
    FlyingTile swap = FlightFrom(b, 400);
    swap.startX = DrawnX(a);
    swap.startY = DrawnY(a);
    AddFlight(swap, DrawnX(b), DrawnY(b));
    layout_.CollectFreedByPair(a, nullptr, {}, true);
    step_ = kStepComplementSwap;
}

void Board::MatchWildAll(Tile* a, Tile* b)
{
    a->removedAt = moveNumber_;
    DropFlights();
    AddFlight(FlightFrom(a, 800), kTrayLeftX, kTrayY);
    std::vector<Tile*> taken(kMaxMoveTiles);
    const int count = std::min(layout_.CollectByKind(b->kind, taken), kMaxMoveTiles);
    taken.resize(static_cast<size_t>(count));
    for (Tile* tile : taken) {
        tile->removedAt = moveNumber_;
        AddFlight(FlightFrom(tile, 800), kTrayRightX, kTrayY);
    }
    AwardPoints(b, count, false);
    taken.push_back(a);
    layout_.CollectFreedBy(taken, {}, true);
    AfterChange();
    step_ = kStepPairToTray;
}

void Board::MatchWildOne(Tile* a, Tile* b)
{
    b->link = a;
    b->removedAt = moveNumber_;
    layout_.CollectFreedByPair(b, nullptr, {}, true);
    DropFlights();
    AddFlight(FlightFrom(b, 500), DrawnX(a), DrawnY(a));
    step_ = kStepAbsorb;
}

void Board::AwardPoints(Tile* tile, int count, bool comboAllowed)
{
    int points = TileScore(tile->kind) * count;
    if (points < 1) return;
    const int x = DrawnX(tile);
    const int y = DrawnY(tile);
    scoreTexts_.emplace_back(points, x, y);
    if (comboAllowed && SameKind(tile->kind, trayKind1_)) {
        String text;
        text.FormatResString(12, 500);
        scoreTexts_.emplace_back(text, x + 50, y + 26);
        points += 500;
        PlaySound(kSoundCombo);
    }
    if (host_) host_->AddScore(points);
}

// ---------------------------------------------------------------------------------------------
// Landings of the matching steps

void Board::Land()
{
    switch (step_) {
        case kStepPairToTray: LandPair(); break;
        case kStepAbsorb: LandAbsorb(); break;
        case kStepWildToTray: LandWildToTray(); break;
        case kStepComplementSwap: LandComplementSwap(); break;
        case kStepComplementHold: LandComplementHold(); break;
        case kStepComplementToTray: LandComplementToTray(); break;
        case kStepUndoReturn: LandUndo(); break;
        case kStepUnabsorbToWild: LandUnabsorbToWild(); break;
        case kStepUnabsorbHome: LandUnabsorbHome(); break;
        case kStepExitPair: LandExitPair(); break;
        case kStepCollect: CollectStep(); break;
        case kStepFinal: LevelDone(); break;
        default: DropFlights(); break;
    }
}

void Board::LandPair()
{
    trayKind1_ = flights_.empty() ? 0 : flights_[0].kind;
    trayKind2_ = flights_.size() < 2 ? 0 : flights_[1].kind;
    DropFlights();
    CheckNoMoves();
}

void Board::LandAbsorb()
{
    Tile* tile = flights_.empty() ? nullptr : flights_[0].tile;
    DropFlights();
    Tile* wild = tile ? tile->link : nullptr;
    if (!wild) return;
    wild->kind = tile->kind;
    wild->fixed = tile->fixed;
    AfterChange();
    FlyingTile flight = FlightOfKind(kKindWildOne, DrawnX(wild), DrawnY(wild), 500);
    flight.tile = wild;
    AddFlight(flight, kTrayLeftX, kTrayY);
    step_ = kStepWildToTray;
}

void Board::LandWildToTray()
{
    trayKind1_ = kKindWildOne;
    trayKind2_ = 0;
    DropFlights();
    CheckNoMoves();
}

void Board::LandComplementSwap()
{
    Tile* second = flights_.size() < 2 ? nullptr : flights_[1].tile;
    trayKind1_ = kKindComplementFirst;
    trayKind2_ = 0;
    DropFlights();
    if (!second) return;
    FlyingTile hold = FlightOfKind(kKindUndealt, DrawnX(second), DrawnY(second), 1000);
    hold.tile = second;
    AddFlight(hold, DrawnX(second), DrawnY(second));
    step_ = kStepComplementHold;
    PlaySound(kSoundComplementHold);
}

void Board::LandComplementHold()
{
    Tile* second = flights_.empty() ? nullptr : flights_[0].tile;
    DropFlights();
    if (!second) return;
    second->removedAt = moveNumber_;
    layout_.CollectFreedByPair(second, nullptr, {}, true);
    AfterChange();
    AddFlight(FlightFrom(second, 500), kTrayRightX, kTrayY);
    step_ = kStepComplementToTray;
}

void Board::LandComplementToTray()
{
    trayKind2_ = kKindComplementSecond;
    DropFlights();
    CheckNoMoves();
}

// ---------------------------------------------------------------------------------------------
// Frame update

bool Board::Update()
{
    bool changed = redraw_;
    redraw_ = false;
    const int delta = static_cast<int>(GetFrameDelta());
    const uint32_t now = Clock();

    if (moveRemaining_ > 0) {
        changed = true;
        moveRemaining_ -= delta;
        if (moveRemaining_ <= 0) {
            moveRemaining_ = 0;
            switch (movePhase_) {
                case kPhaseEntry: if (host_) host_->ShowPendingTutorial(); break;
                case kPhaseShuffleOut: Reshuffle(); break;
                default: movePhase_ = kPhaseEntry; break;
            }
        }
    }

    if (!flights_.empty()) {
        changed = true;
        for (FlyingTile& flight : flights_) flight.remaining -= delta;
        if (flights_[0].remaining < 0) {
            Land();
            CheckCleared();
        }
    }

    if (selected_ && blinkImage_ && now - blinkLast_ >= 100) {
        ++blinkFrame_;
        blinkLast_ = now;
        changed = true;
    }

    if (!scoreTexts_.empty()) {
        changed = true;
        for (ScoreText& text : scoreTexts_) {
            const int waited = std::clamp(text.wait, 0, delta);
            text.wait -= waited;
            text.life -= delta - waited;
        }
        std::erase_if(scoreTexts_, [](const ScoreText& text) { return text.life < 0; });
    }

    if (lastPress_ == 0) lastPress_ = now - 15000;
    if (!ended_ && now - lastPress_ >= 30001) {
        lastPress_ = now;
        if (host_ && host_->AutoHint()) Hint(false);
    }
    return changed;
}

// ---------------------------------------------------------------------------------------------
// Drawing

void Board::Draw()
{
    const bool show = levelRunning_ && (IsShownAndEnabled() || tipShowing_);
    if (show) {
        veil_ = host_ && host_->VeilBlockedTiles();
        for (int i = 0; i < layout_.Count(); ++i) {
            Tile* tile = layout_.TileAt(i);
            if (tile->OnBoard()) DrawTile(tile);
        }
    }
    if (trayKind1_ > 0) DrawTileCell(TrayFace(0).left, kTrayY, trayKind1_, false, kTrayTrim);
    if (trayKind2_ > 0) DrawTileCell(TrayFace(1).left, kTrayY, trayKind2_, false, kTrayTrim);
    const Rect strip44{280, 0, 320, 50};
    if (!flights_.empty() && step_ == kStepComplementHold)
        DrawImage(372, 471, kImageStrip44, &strip44, true);
    if (!show) return;

    for (const FlyingTile& flight : flights_) DrawFlight(flight);
    if (collecting_) {
        DrawTileCell(kTrayLeftX, 370, kKindExit, false, 0);
        DrawTileCell(kTrayRightX, 370, kKindExit, false, 0);
    }
    DrawScoreTexts();
}

void Board::DrawTile(Tile* tile)
{
    const TileRect& r = tile->screenRect;
    int x = r.left;
    int y = r.top;
    if (moveRemaining_ > 0 && moveDuration_ > 0) {
        const int elapsed = std::clamp(moveDuration_ - moveRemaining_, 0, moveDuration_);
        x = tile->startX + (r.left - tile->startX) * elapsed / moveDuration_;
        y = tile->startY + (r.top - tile->startY) * elapsed / moveDuration_;
    }
    x += offsetX_;
    y += offsetY_;

    if (tile->wobbleStart != 0) {
        const uint32_t e = Clock() - static_cast<uint32_t>(tile->wobbleStart);
        if (tile->wobble) {
            if (e / 38 >= 36) {
                StopHint();
            } else {
                const int w = Sway(e);
                x += w;
                y -= w;
                redraw_ = true;
            }
        } else {
            const int lift = 13 - static_cast<int>(e / 30);
            if (lift >= 1) {
                x += lift;
                y -= lift;
                redraw_ = true;
            } else {
                tile->wobbleStart = 0;
            }
        }
    }
    if (tipGlow_ && (tile->kind == tipGlowKind1_ || tile->kind == tipGlowKind2_)) {
        const int w = Sway(GetManagerTime());
        x += w;
        y -= w;
        redraw_ = true;
    }
    DrawTileCell(x, y, tile->kind, tile == selected_, 0);
    if (veil_ && !tile->free) FillRectAlpha(Rect{x + 6, y, x + 48, y + 52}, 80, 0, true);
    if (step_ == kStepComplementHold && !flights_.empty() && flights_[0].tile == tile) {
        const FlyingTile& hold = flights_[0];
        const int frame = std::min(hold.Elapsed() * 18 / std::max(hold.duration, 1), 17);
        const Rect source{40 * frame, 0, 40 * frame + 40, 50};
        DrawImage(x + 7, y + 1, kImageTransform, &source, true);
    }
}

void Board::DrawTileCell(int x, int y, TileKind kind, bool selected, int trim)
{
    if (!InRange(kind)) return;
    if (tileSheet_) {
        const int left = 48 * (kind % 6);
        const int top = 58 * (kind / 6);
        const Rect source{left + trim, top, left + 48, top + 58 - trim};
        DrawImagePtr(x, y, tileSheet_, &source, true);
    }
    if (!selected || kind == kKindUndealt) return;
    if (blinkImage_) {
        const int frame = blinkFrame_ % std::max(blinkFrames_, 1);
        const Rect source{40 * frame, 0, 40 * frame + 40, 50};
        DrawImage(x - trim + 7, y + 1, blinkImage_, &source, true);
    } else if (kind < kKindExit) {
        const int cell = kind - 1;
        const Rect source{40 * (cell % 6), 50 * (cell / 6), 40 * (cell % 6) + 40,
                          50 * (cell / 6) + 50};
        DrawImage(x - trim + 7, y + 1, highlightImage_, &source, true);
    }
}

void Board::DrawFlight(const FlyingTile& flight)
{
    const int x = flight.X();
    const int y = flight.Y();
    if (step_ == kStepComplementSwap) {
        if (flight.kind != kKindComplementFirst) {
            DrawImage(x + 7, y + 1, kImageSwapEffect, nullptr, true);
        } else {
            const Rect base{96, 0, 144, 58};
            const Rect strip{280, 0, 320, 50};
            DrawImageEx(x, y, kImageBases, kMagentaKey, &base, true);
            DrawImage(x + 7, y + 1, kImageStrip44, &strip, true);
        }
    } else if (flight.kind > 0) {
        DrawTileCell(x, y, flight.kind, false, 0);
    }
}

void Board::DrawScoreTexts()
{
    if (!font_) return;
    for (const ScoreText& text : scoreTexts_) {
        const int elapsed = ScoreText::kLifeMs - text.life;
        const int alpha = elapsed > 400 ? text.life * 255 / 400 : 255;
        if (alpha < 1) continue;
        const int width = font_->TextWidth(text.text.CStr());
        int x = text.x + (40 - width) / 2 + 7;
        x = std::max(4, std::min(x, 796 - width));
        const int y = text.y - elapsed * 120 / ScoreText::kLifeMs + 30;
        // The score rises over tile faces of every colour: a dark plate keeps it readable. The
        // plate fades with its text, so no empty plate is left over a tile once the text is gone.
        const FontMetrics& metrics = font_->Metrics();
        const int top = y - metrics.baselineOffset;
        const Rect plate{x - kScorePlateMargin, top, x + width + kScorePlateMargin, top + metrics.rowHeight};
        FillRectAlpha(plate, kScorePlateAlpha * alpha / 255, kScorePlateColour, true);
        font_->DrawText(this, x, y, text.text.CStr(), -1, 100, 100, alpha);
    }
}

// ---------------------------------------------------------------------------------------------
// Services

void Board::PlaySound(int id)
{
    if (settling_) return;
    if (ScreenManager* manager = GetManager()) manager->PlaySound(id);
}

void Board::StopSound(int id)
{
    if (ScreenManager* manager = GetManager()) manager->StopSound(id);
}

void Board::SetMusicSync(int rows, int order)
{
    // A jump set while the page closes would fall on the music of the next place.
    if (settling_) return;
    if (ScreenManager* manager = GetManager()) manager->SetMusicSync(rows, order);
}

void Board::MarkDirty()
{
    if (ScreenManager* manager = GetManager()) manager->MarkDirty();
}
