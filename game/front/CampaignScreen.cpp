#include "game/front/CampaignScreen.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "framework/core/String.h"
#include "framework/ui/Button.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/CampaignMap.h"
#include "game/front/GameFlow.h"
#include "game/front/IntroScreen.h"
#include "game/front/LeaveNoticeDialog.h"
#include "game/front/SlidePanel.h"
#include "game/model/CampaignTables.h"
#include "game/model/PlayerProfile.h"
#include "game/play/MessageDialog.h"
#include "game/play/PlayScreen.h"

namespace {

constexpr int32_t kCaptionFontImage = 160;
constexpr int32_t kCaptionFontMetrics = 159;
constexpr int32_t kCaptionDisabledAlpha = 64;
constexpr int32_t kLeaveCaption = 109;
constexpr int32_t kPlayCaption = 110;
constexpr int32_t kTimelineCaption = 111;
constexpr int32_t kHudCaptionFormat = 32;
constexpr int32_t kResumeTitle = 142;
constexpr int32_t kResumeLine = 139;
constexpr int32_t kResumeLabel = 140;
constexpr int32_t kNewGameLabel = 141;
constexpr int32_t kResumeButtonWidth = 120;
// After a won level the story music moves on at the next bar: even levels to one section, odd
// levels to the other.
constexpr int32_t kMusicJumpRows = 4;
constexpr int32_t kEvenLevelOrder = 13;
constexpr int32_t kOddLevelOrder = 0;

int32_t CompletedLevels() {
    return std::clamp(CurrentProfile().storyLevelsDone, 0, kStoryLevelCount);
}

bool FileExists(const String& path) {
    std::error_code error;
    return std::filesystem::exists(path.CStr(), error);
}

}  // namespace

CampaignScreen::CampaignScreen(PlayScreen* play) : Screen(0, 0), playScreen_(play) {}

Button* CampaignScreen::AddCaptionButton(int32_t id, int32_t captionId, int32_t right,
                                         int32_t baseline, int32_t x, int32_t y) {
    auto* button = new Button(id, 4, false);
    button->SetCaption(captionId, kCaptionFontImage, kCaptionFontMetrics, 0, right, baseline, 2, 2,
                       kCaptionDisabledAlpha);
    AddWidget(button, x, y);
    return button;
}

void CampaignScreen::OnAttach() {
    map_ = new CampaignMap(this);
    AddWidget(map_, 0, 0);
    leave_ = AddCaptionButton(kLeaveCommand, kLeaveCaption, 126, 24, 10, 545);
    play_ = AddCaptionButton(kPlayCommand, kPlayCaption, 128, 26, 665, 543);
    slide_ = new SlidePanel(playScreen_, [this] { OnSlideDone(); });
    AddWidget(slide_, 0, 0);
    timeline_ = AddCaptionButton(kTimelineCommand, kTimelineCaption, 120, 26, 344, 543);
    timeline_->SetVisible(CompletedLevels() >= kStoryLevelCount);
    levels_.LoadFromAssets();
    if (ScreenManager* manager = GetManager()) manager->LoadSound(kSlideSound, false);
}

void CampaignScreen::OnClose() {
    // The samples of the map and the slide end with the screen; the music plays on.
    if (ScreenManager* manager = GetManager()) manager->StopAllSoundsExcept(-1);
}

void CampaignScreen::SetControlsEnabled(bool enabled) {
    for (Widget* widget : {static_cast<Widget*>(map_), static_cast<Widget*>(leave_),
                           static_cast<Widget*>(play_), static_cast<Widget*>(timeline_)}) {
        if (widget) widget->SetEnabled(enabled);
    }
}

int32_t CampaignScreen::LevelToStart() const {
    if (!map_) return 0;
    const int32_t level = map_->GetSelectedLevel() + (map_->IsAdvancing() ? 1 : 0);
    return std::clamp(level, 0, kStoryLevelCount - 1);
}

void CampaignScreen::Enter(bool advanced) {
    if (!slide_) return;  // not pushed yet
    entering_ = true;
    cameBack_ = true;
    // Nothing to advance from before a level is done, whatever the caller says.
    advanced_ = advanced && CompletedLevels() > 0;
    if (advanced_) {
        map_->SetAdvancePending();
        if (CompletedLevels() >= kStoryLevelCount) timeline_->SetVisible(false);
    }
    slide_->StartOpen();
    SetControlsEnabled(false);
    if (ScreenManager* manager = GetManager()) manager->PlaySound(kSlideSound);
}

void CampaignScreen::OnTransitionDone() {
    if (CompletedLevels() == 0 && map_) map_->StartWelcome();
}

void CampaignScreen::StartSelectedLevel() {
    ScreenManager* manager = GetManager();
    if (!manager || slide_->IsSliding()) return;
    if (!FileExists(CurrentProfile().MakeSaveFileNameD(LevelToStart()))) {
        ShowLevel(false);
        return;
    }
    auto* question = new MessageDialog(this, MessageDialog::kTall, kResumeQuestion, kResumeLabel,
                                       kNewGameLabel, false, kResumeButtonWidth,
                                       kResumeButtonWidth);
    manager->PushScreen(question, true, true, true);
    question->SetTitle(kResumeTitle);
    question->AddLine(kResumeLine, 0, 0, 90);
}

bool CampaignScreen::OnAccept(int32_t dialogId) {
    if (dialogId == kResumeQuestion) ShowLevel(true);
    return true;
}

bool CampaignScreen::OnDecline(int32_t dialogId) {
    if (dialogId == kResumeQuestion) ShowLevel(false);
    return true;
}

void CampaignScreen::ShowLevel(bool resume) {
    if (!playScreen_ || !slide_ || slide_->IsSliding()) return;
    SetOpaque(false);
    SetControlsEnabled(false);
    const int32_t level = LevelToStart();
    const DynastySlot slot = LevelToDynasty(level);
    String caption;
    caption.FormatResString(kHudCaptionFormat, DynastyName(slot.dynasty));
    const StoryLevelRecord& record = levels_.At(level);
    playScreen_->StartStoryLevel(level, resume, StoryLayoutId(level), caption, slot.dynasty,
                                 DynastyFromYear(slot.dynasty), DynastyToYear(slot.dynasty),
                                 record.percent, record.seed, record.caption);
    playScreen_->SetHudFields(slot.count, slot.index);
    slide_->StartClose();
    if (ScreenManager* manager = GetManager()) manager->PlaySound(kSlideSound);
}

void CampaignScreen::OnSlideDone() {
    ScreenManager* manager = GetManager();
    if (entering_) {
        SetOpaque(true);
        SetClipRegion(nullptr);
        if (playScreen_) playScreen_->SetClipRegion(nullptr);
        entering_ = false;
        SetControlsEnabled(true);
        if (!advanced_) return;
        const int32_t completed = CompletedLevels();
        if (completed >= kStoryLevelCount) {
            leave_->SetEnabled(false);
            play_->SetEnabled(false);
        }
        const int32_t won = completed - 1;
        map_->StartAdvance(IsLastLevelOfDynasty(won), DynastyName(LevelToDynasty(won).dynasty));
        return;
    }
    // The map has slid away: the play field takes over.
    if (manager) manager->PopScreens(false, 1);
    if (!playScreen_) return;
    playScreen_->SetClipRegion(nullptr);
    playScreen_->BeginPlay();
    if (cameBack_ && manager) {
        manager->SetMusicSync(kMusicJumpRows,
                              playScreen_->Index() % 2 == 0 ? kEvenLevelOrder : kOddLevelOrder);
    }
}

void CampaignScreen::OnCampaignComplete() {
    timeline_->SetVisible(true);
    SetControlsEnabled(true);
    PushIntro();
}

void CampaignScreen::PushIntro() {
    if (ScreenManager* manager = GetManager()) {
        manager->PushScreen(new IntroScreen(CurrentProfile().name), true, false, true);
    }
}

bool CampaignScreen::OnCommand(int32_t commandId) {
    switch (commandId) {
        case kLeaveCommand:
            Leave();
            return true;
        case kPlayCommand:
            StartSelectedLevel();
            return true;
        case kTimelineCommand:
            PushIntro();
            return true;
        default:
            return false;
    }
}

void CampaignScreen::Leave() {
    ScreenManager* manager = GetManager();
    if (!manager) return;
    if (CurrentProfile().showLeaveNotice) {
        manager->PushScreen(new LeaveNoticeDialog, true, false, true);
        return;
    }
    GameFlow::GoToMainMenu(manager);
}
