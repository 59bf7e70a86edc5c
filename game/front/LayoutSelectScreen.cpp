#include "game/front/LayoutSelectScreen.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "framework/gfx/Image.h"
#include "framework/ui/Button.h"
#include "framework/ui/ScreenManager.h"
#include "game/front/GameFlow.h"
#include "game/front/InfoDialog.h"
#include "game/front/LayoutPageCache.h"
#include "game/front/LayoutPagerLabel.h"
#include "game/front/LayoutSelectBackdrop.h"
#include "game/front/LayoutSlot.h"
#include "game/front/UnsavedNotice.h"
#include "game/model/CampaignTables.h"
#include "game/model/PlayerProfile.h"
#include "game/model/TileLayout.h"
#include "game/play/MessageDialog.h"

namespace {

constexpr int32_t kColumns[] = {62, 299, 536};
constexpr int32_t kRows[] = {57, 217, 377};
constexpr int32_t kBlankImage = 187;
constexpr int32_t kFaceImage = 186;
constexpr uint32_t kKey = 0xFF00FF;
constexpr int32_t kLoadFailedTitle = 107;
constexpr int32_t kLoadFailedLine = 106;
constexpr int32_t kResumeLabel = 140;
constexpr int32_t kNewGameLabel = 141;
constexpr int32_t kResumeTitle = 142;
constexpr int32_t kResumeLine = 139;
constexpr int32_t kMusic[] = {338, 336, 337};
constexpr int32_t kMusicFadeMs = 1100;
constexpr int32_t kNameFormat = 19;

// The menu music turns over with every visit of the run.
int g_musicTurn = 0;

int32_t LastPageStart() {
    return (LayoutSelectScreen::kLayoutCount - 1) / 9 * 9;
}

// The page files carry no mark of the layouts they were made from: a line that no longer names
// the layout of its place or counts other tiles comes from other layouts, and so does the
// miniature beside it.
bool LineFitsLayout(const PageCacheLine& line, int32_t index) {
    TileLayout layout;
    if (!layout.LoadFromResource(FreeLayoutResourceId(index))) return false;
    String name;
    name.FormatResString(kNameFormat, index + 1, layout.Name().CStr());
    return layout.Count() == line.tiles && name == line.name;
}

}  // namespace

LayoutSelectScreen::LayoutSelectScreen(PlayScreenMaker makePlayScreen)
    : Screen(0, 0), makePlayScreen_(std::move(makePlayScreen)) {}

LayoutSelectScreen::~LayoutSelectScreen() = default;

Button* LayoutSelectScreen::AddPageButton(int32_t id, int32_t x, int32_t y) {
    auto* button = new Button(id, 4, false);
    button->SetHasDisabledFrame(false);
    AddWidget(button, x, y);
    return button;
}

Button* LayoutSelectScreen::AddCaptionButton(int32_t id, int32_t captionId, int32_t x, int32_t y) {
    auto* button = new Button(id, 3, false);
    button->SetCaption(captionId, 160, 159, 0, 144, 24, 2, 2, 255);
    AddWidget(button, x, y);
    return button;
}

void LayoutSelectScreen::OnAttach() {
    AddWidget(new LayoutSelectBackdrop(), 0, 0);
    for (int i = 0; i < kSlots; ++i) {
        slots_[i] = new LayoutSlot(i, this);
        AddWidget(slots_[i], kColumns[i % 3], kRows[i / 3]);
    }
    AddPageButton(kPreviousPage, 104, 530);
    AddPageButton(kNextPage, 636, 530);
    AddCaptionButton(kMainMenu, 14, 245, 551);
    AddCaptionButton(kPlay, 15, 419, 551);
    int32_t current = CurrentProfile().currentLayout;
    if (current < 0 || current >= kLayoutCount) current = 0;
    pageStart_ = current / 9 * 9;
    selected_ = current % 9;
    pager_ = new LayoutPagerLabel(kLayoutCount, [this] { return BuildPageCacheStep(); });
    AddWidget(pager_, 0, 0);
    ShowPage();
    StartMusic();
}

void LayoutSelectScreen::ResetMusicRotation() { g_musicTurn = 0; }

void LayoutSelectScreen::StartMusic() {
    ScreenManager* manager = GetManager();
    if (!manager) return;
    int32_t music = kMusic[g_musicTurn];
    manager->LoadMusic(music);
    manager->PlayMusic(music, false, kMusicFadeMs, 0);
    g_musicTurn = (g_musicTurn + 1) % 3;
}

void LayoutSelectScreen::ShowPage() {
    if (pageStart_ + selected_ >= kLayoutCount) selected_ = 0;
    CurrentProfile().currentLayout = pageStart_ + selected_;
    int32_t previous = pageStart_ - 9 < 0 ? LastPageStart() : pageStart_ - 9;
    int32_t next = pageStart_ + 9 >= kLayoutCount ? 0 : pageStart_ + 9;
    if (pager_) {
        pager_->SetRanges(previous, std::min(previous + 8, kLayoutCount - 1), next,
                          std::min(next + 8, kLayoutCount - 1));
    }
    LoadPageCache();
    for (int i = 0; i < kSlots; ++i) slots_[i]->SetSelected(i == selected_);
    if (GetManager()) GetManager()->MarkDirty();
}

void LayoutSelectScreen::LoadPageCache() {
    ScreenManager* manager = GetManager();
    if (manager) manager->UnloadImage(LayoutSlot::kPageImageId);
    for (LayoutSlot* slot : slots_) slot->Clear();
    String bmp, txt;
    LayoutPageCache::FileNames(pageStart_, &bmp, &txt);
    int32_t width = 0, height = 0;
    bool loaded = manager && manager->LoadImageFile(LayoutSlot::kPageImageId, bmp.CStr()) &&
                  manager->GetImageSize(LayoutSlot::kPageImageId, width, height) &&
                  width == LayoutPageCache::kPageWidth && height == LayoutPageCache::kPageHeight;
    if (loaded) {
        LayoutPageCache::Lines lines;
        int count = LayoutPageCache::ReadText(txt.CStr(), &lines);
        bool fits = count >= 0;
        for (int i = 0; fits && i < count; ++i) {
            fits = pageStart_ + i < kLayoutCount && LineFitsLayout(lines[i], pageStart_ + i);
        }
        if (fits) {
            for (int i = 0; i < count && pageStart_ + i < kLayoutCount; ++i) {
                slots_[i]->SetLayout(lines[i], pageStart_ + i);
            }
            buildIndex_ = kSlots;
            return;
        }
    }
    if (manager) manager->UnloadImage(LayoutSlot::kPageImageId);
    for (LayoutSlot* slot : slots_) slot->Clear();
    StartBuilding();
}

void LayoutSelectScreen::StartBuilding() {
    if (!page_) {
        page_ = std::make_unique<Image>();
        if (!page_->CreateBlank(LayoutPageCache::kPageWidth, LayoutPageCache::kPageHeight)) {
            page_.reset();
        }
    }
    if (page_) page_->Fill(0x00FF00FF);
    buildIndex_ = 0;
    if (pager_) pager_->StartBuilding();
}

bool LayoutSelectScreen::BuildPageCacheStep() {
    if (buildIndex_ >= kSlots || pageStart_ + buildIndex_ >= kLayoutCount) return false;
    ScreenManager* manager = GetManager();
    const Image* blank = manager ? manager->LoadImage(kBlankImage) : nullptr;
    const Image* faces = manager ? manager->LoadImage(kFaceImage) : nullptr;
    LayoutSlot* slot = slots_[buildIndex_];
    if (slot->RenderPreview(page_.get(), blank, faces, pageStart_ + buildIndex_)) {
        slot->SetSelected(buildIndex_ == selected_);
    } else {
        InfoDialog::Open(manager, kLoadFailedTitle, kLoadFailedLine);
    }
    ++buildIndex_;
    if (buildIndex_ < kSlots && pageStart_ + buildIndex_ < kLayoutCount) return true;
    if (!page_) return false;
    String bmp, txt;
    LayoutPageCache::FileNames(pageStart_, &bmp, &txt);
    if (!page_->SaveToFile(bmp.CStr())) return false;
    PageCacheLine lines[kSlots];
    for (int i = 0; i < kSlots; ++i) lines[i] = slots_[i]->GetInfo();
    if (!LayoutPageCache::WriteText(txt.CStr(), lines, kSlots)) std::remove(bmp.CStr());
    return false;
}

void LayoutSelectScreen::SelectSlot(int slot) {
    if (slot < 0 || slot >= kSlots) return;
    slots_[selected_]->SetSelected(false);
    selected_ = slot;
    CurrentProfile().currentLayout = pageStart_ + selected_;
    if (GetManager()) GetManager()->MarkDirty();
}

void LayoutSelectScreen::AskResume(int slot) {
    SelectSlot(slot);
    slots_[selected_]->SetSelected(true);
    ScreenManager* manager = GetManager();
    if (!slots_[selected_]->HasSavedGame() || !manager) {
        StartLayout(false);
        return;
    }
    auto* question = new MessageDialog(this, MessageDialog::kTall, kResumeQuestion, kResumeLabel,
                                       kNewGameLabel, false, 120, 120);
    manager->PushScreen(question, true, true, true);
    question->SetTitle(kResumeTitle);
    question->AddLine(kResumeLine, 0, 0, 90);
}

void LayoutSelectScreen::OnTransitionDone() { UnsavedNotice::Tell(GetManager()); }

bool LayoutSelectScreen::OnAccept(int32_t dialogId) {
    StartLayout(true);
    return false;
}

bool LayoutSelectScreen::OnDecline(int32_t dialogId) {
    StartLayout(false);
    return false;
}

void LayoutSelectScreen::StartLayout(bool resume) {
    FreePlayChoice choice;
    choice.index = pageStart_ + selected_;
    choice.resume = resume;
    choice.layoutId = FreeLayoutResourceId(choice.index);
    choice.name = slots_[selected_]->GetName();
    CurrentProfile().currentLayout = choice.index;
    CurrentProfile().Save();
    Screen* play = makePlayScreen_ ? makePlayScreen_(choice) : nullptr;
    if (play && GetManager()) GetManager()->BeginTransition(play);
}

bool LayoutSelectScreen::OnCommand(int32_t commandId) {
    switch (commandId) {
        case kPreviousPage:
            pageStart_ = pageStart_ - 9 < 0 ? LastPageStart() : pageStart_ - 9;
            ShowPage();
            return true;
        case kNextPage:
            pageStart_ = pageStart_ + 9 >= kLayoutCount ? 0 : pageStart_ + 9;
            ShowPage();
            return true;
        case kPlay:
            AskResume(selected_);
            return true;
        case kMainMenu:
            GameFlow::GoToMainMenu(GetManager());
            return true;
        default:
            return false;
    }
}
