#include "framework/ui/SliderThumb.h"

#include "framework/ui/ScreenManager.h"
#include "framework/ui/Slider.h"

namespace {

int32_t ClampPercent(int32_t percent) {
    return percent < 0 ? 0 : (percent > 100 ? 100 : percent);
}

}  // namespace

SliderThumb::SliderThumb(int32_t imageId, int32_t minimumX, int32_t maximumX)
    : Button(imageId, 2, false), minimumX_(minimumX), maximumX_(maximumX) {}

bool SliderThumb::OnLButtonDown(uint32_t keys, int32_t x, int32_t y) {
    ScreenManager* manager = GetManager();
    if (!manager) return true;
    manager->PlaySound(kClickSoundId);
    int32_t left = 0, top = 0;
    GetPosition(left, top);
    manager->BeginDrag(this, ScreenManager::kDragMoveWidget | ScreenManager::kDragSendMoves,
                       minimumX_, top, maximumX_, top);
    return true;
}

bool SliderThumb::OnLButtonUp(uint32_t keys, int32_t x, int32_t y) { return true; }

void SliderThumb::OnDragEnd(uint32_t keys, int32_t x, int32_t y) { UpdateValue(); }

void SliderThumb::OnDragMove(uint32_t keys, int32_t x, int32_t y) { UpdateValue(); }

// An empty range has no percentage to speak of: it reads as 0 rather than dividing by zero.
void SliderThumb::UpdateValue() {
    int32_t x = 0, y = 0;
    GetPosition(x, y);
    int32_t range = maximumX_ - minimumX_;
    int32_t percent = range > 0 ? ClampPercent((x - minimumX_) * 100 / range) : 0;
    if (auto* slider = dynamic_cast<Slider*>(GetParent())) slider->SetValue(percent);
}

void SliderThumb::SetPercent(int32_t percent) {
    int32_t x = 0, y = 0;
    GetPosition(x, y);
    SetPosition(minimumX_ + (maximumX_ - minimumX_) * ClampPercent(percent) / 100, y);
    if (ScreenManager* manager = GetManager()) manager->MarkDirty();
}
