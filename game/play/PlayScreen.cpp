#include "game/play/PlayScreen.h"

#include <algorithm>
#include <cstdio>

#include "framework/ui/Button.h"
#include "framework/ui/ScreenManager.h"
#include "game/model/PlayerProfile.h"
#include "game/model/SaveFailureNotice.h"
#include "game/play/BackgroundImage.h"
#include "game/play/Board.h"
#include "game/play/Hud.h"
#include "game/play/PauseScreen.h"
#include "game/play/PlayFlow.h"
#include "game/play/SavedGameRecord.h"
#include "game/play/ToggleButton.h"
#include "platform/RegularFile.h"

namespace {

struct BarButton {
    int storyId;
    int freeId;
    int caption;
    int x;
    int y;
    int captionRight;
    int baseline;
};

constexpr BarButton kBar[] = {
    {Board::kCmdUndo, Board::kCmdUndoFree, 162, 279, 546, 80, 24},
    {Board::kCmdHint, Board::kCmdHintFree, 153, 475, 546, 82, 23},
    {Board::kCmdShuffle, Board::kCmdShuffleFree, 159, 560, 546, 100, 23},
    {PlayScreen::kCmdMenu, PlayScreen::kCmdMenuFree, 155, 696, 530, 86, 21},
    {PlayScreen::kCmdPause, PlayScreen::kCmdPauseFree, 156, 696, 565, 86, 22},
};

constexpr int kToggleFree = 367;
constexpr int kToggleStory = 368;

// The free-play rotation of backgrounds, one for the whole program.
int gBackgroundRotation = -1;

}  // namespace

PlayScreen::PlayScreen(int mode, PlayFlow* flow) : Screen(0, 0), mode_(mode), flow_(flow) {}

PlayScreen::~PlayScreen()
{
    if (ScreenManager* manager = GetManager()) manager->StopAllSoundsExcept(-1);
}

void PlayScreen::ResetBackgroundRotation() { gBackgroundRotation = -1; }

void PlayScreen::OnAttach()
{
    background_ = new BackgroundImage;
    AddWidget(background_, 0, 60);
    hud_ = new Hud(mode_);
    AddWidget(hud_, 0, 0);
    toggle_ = new ToggleButton(mode_ == kFreePlay ? kToggleFree : kToggleStory);
    toggle_->SetChecked(CurrentProfile().veil);
    AddWidget(toggle_, 211, 547);
    toggle_->SetEnabled(false);
    for (size_t i = 0; i < bar_.size(); ++i) {
        const BarButton& b = kBar[i];
        const int id = mode_ == kFreePlay ? b.freeId : b.storyId;
        bar_[i] = new Button(id, 4, false);
        bar_[i]->SetCaption(b.caption, 160, 159, 0, b.captionRight, b.baseline, 2, 2, 64);
        AddWidget(bar_[i], b.x, b.y);
        bar_[i]->SetEnabled(false);
    }
    board_ = new Board(mode_, this);
    AddWidget(board_, 0, kBoardTop);
    ApplyTileSet();
    if (mode_ == kStory && GetManager()) GetManager()->LoadMusic(kStoryMusic);
}

// ---------------------------------------------------------------------------------------------
// Starting games

void PlayScreen::SetLayout(int index, bool resume, int layoutResId, const String& name)
{
    index_ = std::clamp(index, 0, kFreeLayouts - 1);
    resume_ = resume;
    layoutResId_ = layoutResId;
    layoutName_ = name;
    PlayerProfile& profile = CurrentProfile();
    if (!profile.firstGameTip) {
        profile.firstGameTip = true;
        profile.Save();
        pendingTutorial_ = 8;
    }
}

void PlayScreen::OnTransitionIn()
{
    PlayerProfile& profile = CurrentProfile();
    if (mode_ == kStory) {
        if (flow_) flow_->OpenCampaign(this, false);
        if (GetManager())
            GetManager()->PlayMusic(kStoryMusic, false, 1100,
                                    profile.storyLevelsDone % 2 == 0 ? 13 : 0);
        return;
    }
    board_->SetLevel(layoutResId_, profile.dealPercent, Board::kRandomSeed);
    hud_->SetTitle(layoutName_);
    hud_->SetCounters(-1, -1);
    hud_->SetBestTime(profile.bestTimes[static_cast<size_t>(index_)]);
    hud_->SetBestScore(profile.bestScores[static_cast<size_t>(index_)]);
    board_->LoadLayout();
    PickBackground();
    Refresh();
}

void PlayScreen::OnTransitionDone()
{
    // The choices saved on the way here, the layout and the first-game tip, may have failed.
    TellOfUnsavedProgress();
    if (mode_ == kFreePlay) BeginPlay();
}

void PlayScreen::StartStoryLevel(int level, bool resume, int layoutResId, const String& hudCaption,
                                 int dynasty, int firstYear, int lastYear, int percent,
                                 uint32_t seed, const String& levelCaption)
{
    PlayerProfile& profile = CurrentProfile();
    index_ = std::clamp(level, 0, PlayerProfile::kStoryLevels - 1);
    resume_ = resume;
    board_->SetLevel(layoutResId, percent, seed);
    hud_->SetCaption(hudCaption, firstYear, lastYear);
    hud_->SetCounters(-1, -1);
    hud_->SetBestTime(profile.storyTimes[static_cast<size_t>(index_)]);
    hud_->SetBestScore(profile.storyScores[static_cast<size_t>(index_)]);
    board_->LoadLayout();
    background_->SetImage(kBackgrounds[static_cast<size_t>(std::clamp(4 + dynasty, 0, kBackgroundCount - 1))]);
    levelCaption_ = levelCaption;

    const int done = profile.storyLevelsDone;
    pendingTutorial_ = -1;
    if (!resume) {
        if (index_ == 0 && done == 0) pendingTutorial_ = 0;
        else if (index_ == 1 && done == 1) pendingTutorial_ = 6;
        else if (index_ == 3 && done == 3) pendingTutorial_ = 2;
        else if (index_ == 7 && done == 7) pendingTutorial_ = 3;
        else if (index_ == 12 && done == 12) pendingTutorial_ = 4;
    }
    board_->ArmLevelTips(index_ == 0 && done == 0, index_ == 1 && done == 1);
    Refresh();
}

void PlayScreen::SetHudFields(int levelsInDynasty, int place) { hud_->SetProgress(levelsInDynasty, place); }

void PlayScreen::BeginPlay()
{
    board_->StartLevel(true, resume_, false);
    if (GetManager() && !GetManager()->IsApplicationActive()) Pause();
}

void PlayScreen::StartLayout(bool resume)
{
    PlayerProfile& profile = CurrentProfile();
    resume_ = resume;
    layoutResId_ = FreeLayoutResource(index_);
    board_->SetLevel(layoutResId_, profile.dealPercent, Board::kRandomSeed);
    hud_->SetCounters(-1, -1);
    hud_->SetBestTime(profile.bestTimes[static_cast<size_t>(index_)]);
    hud_->SetBestScore(profile.bestScores[static_cast<size_t>(index_)]);
    board_->LoadLayout();
    String title;
    title.FormatResString(19, index_ + 1, board_->GetLayoutName().CStr());
    hud_->SetTitle(title);
    Refresh();
    BeginPlay();
}

void PlayScreen::NextLayout()
{
    index_ = (index_ + 1) % kFreeLayouts;
    PlayerProfile& profile = CurrentProfile();
    profile.currentLayout = index_;
    profile.Save();
    TellOfUnsavedProgress();
    if (!IsRegularFile(SaveFileName().CStr(), FileLinks::kRefuse)) {
        StartLayout(false);
        return;
    }
    if (flow_) flow_->AskQuestion(this, kAskResumeNext, true);
}

void PlayScreen::ReturnToCampaign()
{
    if (flow_) flow_->OpenCampaign(this, advanced_);
}

void PlayScreen::PickBackground()
{
    const int choice = CurrentProfile().background;
    if (choice >= 0 && choice < kBackgroundCount) {
        background_->SetImage(kBackgrounds[static_cast<size_t>(choice)]);
        return;
    }
    const int unlocked = flow_ ? flow_->BackgroundCount() : kBackgroundCount;
    ++gBackgroundRotation;
    if (gBackgroundRotation >= kBackgroundCount || gBackgroundRotation >= unlocked)
        gBackgroundRotation = 0;
    background_->SetImage(kBackgrounds[static_cast<size_t>(gBackgroundRotation)]);
}

void PlayScreen::ApplyTileSet()
{
    const PlayerProfile& profile = CurrentProfile();
    board_->BuildTileSheet(mode_ == kFreePlay ? profile.freeTileSet : profile.storyTileSet);
}

// ---------------------------------------------------------------------------------------------
// Saved games

String PlayScreen::SaveFileName() const
{
    const PlayerProfile& profile = CurrentProfile();
    return mode_ == kFreePlay ? profile.MakeSaveFileName(index_) : profile.MakeSaveFileNameD(index_);
}

void PlayScreen::Refresh()
{
    board_->Reset();
    if (resume_ && !LoadGame()) resume_ = false;
    // A resumed game keeps its file until it is saved again or ends, so that a crash while it is
    // played loses nothing; a new start, or a file that failed its checks, removes it.
    if (!resume_) {
        score_ = 0;
        hud_->SetScore(0);
        hud_->ResetClock();
        DeleteSavedGame();
    }
}

bool PlayScreen::LoadGame()
{
    SavedGameRecord record(&board_->Layout());
    if (!record.Load(SaveFileName().CStr(), mode_, index_, CurrentProfile().id)) return false;
    score_ = record.score;
    hud_->SetScore(score_);
    hud_->StartClock(record.elapsed);
    board_->SetMoveNumber(record.moveNumber);
    return true;
}

bool PlayScreen::SaveGame()
{
    if (!board_) return true;
    // A move still flying has changed only part of the tiles it concerns.
    board_->SettleMove();
    TileLayout* layout = board_->LayoutIfInProgress();
    // A board whose last pair was still flying to the tray is won, not a game to resume.
    if (!layout || board_->TilesLeft() == 0) {
        // Once the resumed game has begun, the file it kept would bring back moves since undone
        // or a game since won; before that, the file is still all there is of it.
        if (resume_ && board_->IsLevelRunning()) DeleteSavedGame();
        return true;
    }
    SavedGameRecord record(layout);
    record.mode = mode_;
    record.index = index_;
    record.playerId = CurrentProfile().id;
    record.score = score_;
    record.elapsed = hud_->ElapsedSeconds();
    record.moveNumber = board_->MoveNumber();
    const String fileName = SaveFileName();
    if (record.Save(fileName.CStr())) return true;
    std::fprintf(stderr, "quillomar: could not save the game in %s\n", fileName.CStr());
    return false;
}

bool PlayScreen::KeepGameBeforeLeaving()
{
    // The question promised that the game would be kept; when it cannot be, the player stays
    // with the game and is told, and only a second try leaves it behind.
    if (SaveGame() || leaveUnsaved_) return true;
    leaveUnsaved_ = true;
    if (GetManager()) GetManager()->PopScreens(true, 1);
    if (flow_) flow_->ShowInfo(kLeaveTitle, kGameNotSavedText);
    return false;
}

void PlayScreen::DeleteSavedGame() { std::remove(SaveFileName().CStr()); }

void PlayScreen::TellOfUnsavedProgress()
{
    if (flow_ && PlayerFilesNotice().Take()) flow_->ShowInfo(kNotSavedTitle, kProgressNotSavedText);
}

// ---------------------------------------------------------------------------------------------
// Play

void PlayScreen::AddScore(int delta)
{
    score_ = std::max(score_ + delta, 0);
    hud_->SetScore(score_);
}

void PlayScreen::SetHudCounters(int pairs, int tiles) { hud_->SetCounters(pairs, tiles); }

void PlayScreen::SetClockRunning(bool running)
{
    if (running) hud_->StartClock(0);
    else hud_->StopClock();
}

void PlayScreen::AddSeconds(int seconds) { hud_->AddSeconds(seconds); }

void PlayScreen::EnableButtons(bool enable)
{
    toggle_->SetEnabled(enable);
    for (Button* button : bar_) button->SetEnabled(enable);
}

void PlayScreen::ShowPendingTutorial()
{
    EnableButtons(true);
    if (pendingTutorial_ != -1) {
        board_->PostEvent(pendingTutorial_);
        if (pendingTutorial_ == 6) toggle_->SetHasDisabledFrame(false);
    }
    pendingTutorial_ = -1;
}

bool PlayScreen::IsGameInProgress() const { return board_ && board_->LayoutIfInProgress(); }

void PlayScreen::NewDeal()
{
    resume_ = false;
    board_->ConvertLinkedToWild();
    Refresh();
    if (mode_ == kFreePlay) board_->StartLevel(true, false, true);
    else board_->StartLevel(false, false, false);
}

void PlayScreen::UpdateStoryBestTime()
{
    PlayerProfile& profile = CurrentProfile();
    const int seconds = hud_->ElapsedSeconds();
    int32_t& best = profile.storyTimes[static_cast<size_t>(index_)];
    if (seconds < best) {
        best = seconds;
        hud_->SetBestTime(seconds);
        profile.Save();
    }
}

void PlayScreen::UpdateStoryBestScore(int finalScore)
{
    PlayerProfile& profile = CurrentProfile();
    int32_t& best = profile.storyScores[static_cast<size_t>(index_)];
    if (finalScore > best) {
        best = finalScore;
        hud_->SetBestScore(finalScore);
        profile.Save();
    }
}

void PlayScreen::CheckStoryUnlock()
{
    // The level is won: a file kept for its resumed game must not let it be won again.
    DeleteSavedGame();
    PlayerProfile& profile = CurrentProfile();
    advanced_ = index_ == profile.storyLevelsDone;
    if (!advanced_) return;
    profile.storyLevelsDone = index_ + 1;
    profile.Save();
}

void PlayScreen::OnLayoutComplete()
{
    // The layout is cleared: a file kept for its resumed game must not let it be won again.
    DeleteSavedGame();
    PlayerProfile& profile = CurrentProfile();
    LayoutOutcome outcome;
    outcome.seconds = hud_->ElapsedSeconds();
    outcome.score = score_;
    int32_t& bestScore = profile.bestScores[static_cast<size_t>(index_)];
    int32_t& bestTime = profile.bestTimes[static_cast<size_t>(index_)];
    if (score_ > bestScore) {
        bestScore = score_;
        hud_->SetBestScore(score_);
        outcome.newBestScore = true;
    }
    if (outcome.seconds < bestTime) {
        bestTime = outcome.seconds;
        hud_->SetBestTime(outcome.seconds);
        outcome.newBestTime = true;
    }
    if (outcome.newBestScore || outcome.newBestTime) profile.Save();
    outcome.bestScore = bestScore;
    outcome.bestSeconds = bestTime;
    if (flow_) flow_->ShowLayoutComplete(this, outcome);
    TellOfUnsavedProgress();
}

void PlayScreen::OnStoryLevelWon()
{
    const int seconds = hud_->ElapsedSeconds();
    if (GetManager()) GetManager()->StopAllSoundsExcept(-1);
    if (flow_) flow_->ShowLevelComplete(this, seconds, score_, levelCaption_);
    // The level's results were saved as it was decided, while its tiles still flew.
    TellOfUnsavedProgress();
}

bool PlayScreen::VeilBlockedTiles() const { return CurrentProfile().veil; }

bool PlayScreen::AutoHint() const { return CurrentProfile().autoHint; }

void PlayScreen::ShowLayoutError()
{
    if (flow_) flow_->ShowInfo(107, 106);
}

void PlayScreen::AskRestart()
{
    if (flow_) flow_->AskQuestion(this, kAskRestart, false);
}

void PlayScreen::ShowNoMoves()
{
    if (flow_) flow_->ShowNoMoves(this);
}

bool PlayScreen::OpenTip(int step, bool soundsGoOn, const TipAnchor* anchor)
{
    if (!flow_) return false;
    if (soundsGoOn) SetPauseSoundsWhenInactive(false);
    const bool opened = flow_->OpenTip(this, board_, step, soundsGoOn, anchor);
    SetPauseSoundsWhenInactive(true);
    return opened;
}

void PlayScreen::Undo() { board_->Undo(); }

void PlayScreen::Shuffle() { board_->Shuffle(); }

// ---------------------------------------------------------------------------------------------
// Screen hooks and answers

bool PlayScreen::OnCommand(int32_t commandId)
{
    if (commandId == kCmdMenu || commandId == kCmdMenuFree) {
        if (flow_) flow_->OpenGameMenu(this);
        return true;
    }
    if (commandId == kCmdPause || commandId == kCmdPauseFree) {
        Pause();
        return true;
    }
    // The veil switch saved the player's choice before it sent its command.
    if (commandId == kToggleFree || commandId == kToggleStory) TellOfUnsavedProgress();
    return false;
}

void PlayScreen::OnAppActivate(bool active)
{
    if (!active && bar_[4] && bar_[4]->IsEffectivelyEnabled()) Pause();
}

void PlayScreen::Pause()
{
    ScreenManager* manager = GetManager();
    if (!manager || !IsActive()) return;
    manager->PushScreen(new PauseScreen, true, true, false);
}

void PlayScreen::OnClose() { SaveGame(); }

bool PlayScreen::Accept(int dialogId)
{
    switch (dialogId) {
        case kAskLeaveToMenu:
        case kAskLeaveToMenuFromLayouts:
            if (KeepGameBeforeLeaving() && flow_) flow_->LeaveToMainMenu();
            return false;
        case kAskLeaveToLayouts:
            if (KeepGameBeforeLeaving() && flow_) flow_->LeaveToLayoutSelect();
            return false;
        case kAskResumeNext:
            StartLayout(true);
            return true;
        case kAskRestart:
            if (GetManager()) GetManager()->PopScreens(true, 1);
            NewDeal();
            return false;
        default:
            return false;
    }
}

bool PlayScreen::Decline(int dialogId)
{
    if (dialogId == kAskResumeNext) StartLayout(false);
    return true;
}
