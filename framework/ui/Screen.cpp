#include "framework/ui/Screen.h"

#include "framework/ui/Button.h"
#include "framework/ui/Focusable.h"
#include "framework/ui/ScreenManager.h"
#include "framework/ui/Widget.h"

namespace {

constexpr int32_t kDimStart = 28;
constexpr int32_t kDimMax = 128;

}  // namespace

Screen::Screen(int32_t x, int32_t y) : x_(x), y_(y) {}

Screen::~Screen() {
    DestroyWidgets();
}

void Screen::DestroyWidgets() {
    tabOrder_.clear();
    focusIndex_ = -1;
    std::vector<Widget*> widgets;
    widgets.swap(widgets_);
    for (Widget* widget : widgets) {
        widget->DestroyChildren();
        delete widget;
    }
}

void Screen::Withdraw() {
    for (Widget* widget : widgets_) widget->Withdraw();
}

void Screen::AddWidget(Widget* widget, int32_t x, int32_t y) {
    if (!widget) return;
    // Attached first, as a widget's children are: widgets that its OnCreate adds come before it.
    widget->Attach(GetManager(), this, x, y, nullptr);
    widgets_.push_back(widget);
}

void Screen::AddFocusableWidget(Widget* widget, int32_t x, int32_t y) {
    AddWidget(widget, x, y);
    AddToTabOrder(widget);
}

void Screen::AddToTabOrder(Widget* widget) {
    if (!dynamic_cast<Focusable*>(widget)) return;
    tabOrder_.push_back(widget);
    if (focusIndex_ < 0) SetMemberFocus(0, true);
}

void Screen::SetMemberFocus(int32_t index, bool focus) {
    if (index < 0 || index >= static_cast<int32_t>(tabOrder_.size())) return;
    if (focus) focusIndex_ = index;
    if (auto* member = dynamic_cast<Focusable*>(tabOrder_[index])) member->SetFocus(focus);
}

Widget* Screen::GetFocused() const {
    if (focusIndex_ < 0 || focusIndex_ >= static_cast<int32_t>(tabOrder_.size())) return nullptr;
    return tabOrder_[focusIndex_];
}

void Screen::MoveFocus(int32_t step) {
    int32_t count = static_cast<int32_t>(tabOrder_.size());
    if (!active_ || count < 2) return;
    SetMemberFocus(focusIndex_, false);
    int32_t next = focusIndex_ + step;
    if (next >= count) next = 0;
    if (next < 0) next = count - 1;
    SetMemberFocus(next, true);
}

void Screen::FocusNext() {
    MoveFocus(1);
}

void Screen::FocusPrev() {
    MoveFocus(-1);
}

void Screen::SetFocus(Widget* widget) {
    if (!active_) return;
    for (size_t i = 0; i < tabOrder_.size(); ++i) {
        if (tabOrder_[i] != widget) continue;
        SetMemberFocus(focusIndex_, false);
        SetMemberFocus(static_cast<int32_t>(i), true);
        return;
    }
}

void Screen::OnActivateApp(bool active) {
    Widget* focused = GetFocused();
    if (focused && focused->IsEffectivelyEnabled()) {
        SetMemberFocus(focusIndex_, active);
        if (!active && GetManager()) GetManager()->MarkDirty();
    }
    OnAppActivate(active);
}

void Screen::SendCommand(int32_t commandId) {
    if (OnCommand(commandId)) return;
    commands_.ForEach([&](Widget* widget) {
        if (widget->IsDeaf()) return true;
        return !widget->OnCommand(commandId);
    });
}

void Screen::SetActive(bool active, bool dim) {
    if (active_ == active) return;
    active_ = active;
    dimWhenInactive_ = dim;
    ScreenManager* manager = GetManager();
    if (dim) {
        if (manager) manager->AddDimmingScreen(this);
        dimLevel_ = kDimStart;
    }
    if (pauseSoundsWhenInactive_ && manager) manager->PauseSounds(!active, false, Button::kClickSoundId);
    OnActiveChanging();
    for (Widget* widget : widgets_) widget->SetParentEnabled(active);
    if (manager) manager->MarkRehitTest();
    OnActiveChanged();
}

void Screen::Draw() {
    for (Widget* widget : widgets_) widget->DrawTree();
    if (active_ || !dimWhenInactive_ || !GetManager()) return;
    Rect bounds = GetBounds();
    if (!bounds.IsEmpty()) GetManager()->GetDisplay().BlendFrameRect(&bounds, dimLevel_, 0);
}

void Screen::GetOrigin(int32_t& x, int32_t& y) const {
    x = x_;
    y = y_;
}

Rect Screen::GetBounds() const {
    Rect bounds;
    for (const Widget* widget : widgets_) bounds = Rect::Union(bounds, widget->GetTreeBounds());
    return bounds;
}

void Screen::SetClipRegion(const ClipRect* list) {
    for (Widget* widget : widgets_) widget->SetClipRegion(list);
}

bool Screen::DimStep(int32_t step) {
    if (active_ || !dimWhenInactive_) return false;
    dimLevel_ += step;
    if (dimLevel_ < kDimMax + 1) return true;
    dimLevel_ = kDimMax;
    return false;
}

void Screen::SetFadeState(int32_t state) {
    fadeState_ = state;
    alpha_ = state == kFadeIn ? 0 : 255;
    skipNextFadeStep_ = true;
}

bool Screen::FadeStep(int32_t step, bool& closed) {
    if (skipNextFadeStep_) {
        skipNextFadeStep_ = false;
        return true;
    }
    if (fadeState_ == kFadeIn) {
        alpha_ += step;
        if (alpha_ >= 255) {
            alpha_ = 255;
            closed = false;
            fadeState_ = kFadeNone;
            return false;
        }
        return true;
    }
    alpha_ -= step;
    if (alpha_ < 1) {
        alpha_ = 0;
        closed = true;
        fadeState_ = kFadeNone;
        return false;
    }
    return true;
}
