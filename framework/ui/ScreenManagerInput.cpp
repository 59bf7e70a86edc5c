// Input routing of the screen manager: pointer, buttons, keys, activation, capture, dragging,
// cursors and the full-screen corner.
#include <algorithm>

#include "framework/gfx/FrameSize.h"
#include "framework/gfx/Image.h"
#include "framework/sound/SoundService.h"
#include "framework/ui/CursorImages.h"
#include "framework/ui/ManagerWindow.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"
#include "framework/ui/Widget.h"

namespace {

constexpr Rect kCorner{kFrameWidth - 16, 0, kFrameWidth, 16};
constexpr uint32_t kTabCharacter = 9;

}  // namespace

void ScreenManager::ScalePoint(int32_t& x, int32_t& y) const {
    Rect view;
    if (!display_.GetStretchedViewport(view)) return;
    if (view.Width() <= 0 || view.Height() <= 0) return;
    x = static_cast<int32_t>(static_cast<int64_t>(x - view.left) * kFrameWidth / view.Width());
    y = static_cast<int32_t>(static_cast<int64_t>(y - view.top) * kFrameHeight / view.Height());
}

bool ScreenManager::IsCursorOutside(int32_t& x, int32_t& y) const {
    x = 0;
    y = 0;
    if (!window_) return true;
    window_->GetCursorPos(x, y);
    ScalePoint(x, y);
    return x < 0 || y < 0 || x > kFrameWidth || y > kFrameHeight ||
           !window_->IsPointerOverWindow();
}

bool ScreenManager::IsInCorner(int32_t x, int32_t y) const {
    return display_.IsFullScreen() && kCorner.Contains(x, y);
}

void ScreenManager::SetCursorKind(int32_t kind) {
    if (!softwareCursor_) {
        cursorKind_ = kind;
        if (window_) window_->SetSystemCursor(kind >= kCursorNormal && kind <= kCursorWait
                                                  ? kind
                                                  : kCursorNormal);
        return;
    }
    if (kind != cursorKind_) {
        cursorKind_ = kind;
        softwareCursorDirty_ = true;
    }
}

void ScreenManager::SetCursorFor(Widget* widget, int32_t kind, bool lock) {
    if (widget != hovered_ && !lock) {
        cursorLock_ = false;
        return;
    }
    SetCursorKind(kind);
    cursorLock_ = lock;
}

void ScreenManager::SetCaptureWidget(Widget* widget, bool on) {
    if (on) {
        capture_ = widget;
        return;
    }
    ClearCapture(true);
    ForgetHover();
    MarkRehitTest();
}

void ScreenManager::BeginDrag(Widget* widget, uint32_t flags, int32_t left, int32_t top,
                              int32_t right, int32_t bottom) {
    if (!widget) return;
    ClearCapture(true);
    if (window_) window_->SetMouseCapture(true);
    drag_ = DragState{};
    drag_.widget = widget;
    drag_.flags = flags;
    drag_.bounds = Rect{left, top, right, bottom};
    widget->GetPosition(drag_.startX, drag_.startY);
    drag_.lastX = drag_.startX;
    drag_.lastY = drag_.startY;
    if (window_) window_->GetCursorPos(drag_.cursorStartX, drag_.cursorStartY);
    ScalePoint(drag_.cursorStartX, drag_.cursorStartY);
}

void ScreenManager::ForgetWidget(Widget* widget) {
    if (!widget) return;
    if (hovered_ == widget) hovered_ = nullptr;
    if (capture_ == widget) capture_ = nullptr;
    if (drag_.widget == widget) {
        drag_ = DragState{};
        if (window_) window_->SetMouseCapture(false);
    }
}

void ScreenManager::NotifyHover(bool entered, uint32_t keys) {
    Widget* widget = hovered_;
    if (!widget || (capture_ && capture_ != widget) || widget->IsDeaf()) return;
    widget->OnHover(entered, keys);
}

void ScreenManager::OnMouseMove(uint32_t keys, int32_t x, int32_t y) {
    EventScope scope(*this);
    cursorLock_ = false;
    ScalePoint(x, y);
    if (softwareCursor_) softwareCursorDirty_ = true;

    if (Widget* widget = drag_.widget) {
        if (drag_.flags & kDragMoveWidget) {
            int32_t nx = drag_.startX + x - drag_.cursorStartX;
            int32_t ny = drag_.startY + y - drag_.cursorStartY;
            nx = nx < drag_.bounds.left ? drag_.bounds.left : std::min(nx, drag_.bounds.right);
            ny = ny < drag_.bounds.top ? drag_.bounds.top : std::min(ny, drag_.bounds.bottom);
            if (nx != drag_.lastX || ny != drag_.lastY) {
                drag_.lastX = nx;
                drag_.lastY = ny;
                widget->SetPosition(nx, ny);
                MarkDirty();
            }
        }
        if (drag_.flags & kDragSendMoves) widget->DispatchDragMove(keys, x, y);
        // Keep the display moving during a long drag that starves the frame timer.
        if (Now() - lastTick_ > 2 * interval_) OnFrameTimer();
        Render();
        return;
    }

    bool cornerForced = false;
    if (IsInCorner(x, y) && !capture_) {
        SetCursorKind(kCursorHand);
        cornerForced = true;
    }
    if (!capture_) {
        Widget* target = mouseMoveList_.FindFirst(
            [&](Widget* w) { return w->GetDrawnBounds().Contains(x, y); });
        if (target) target->DispatchMouseMove(keys, x, y);
    }

    Widget* candidate = hoverList_.FindFirst([&](Widget* w) {
        return w->GetDrawnBounds().Contains(x, y) && w->IsShownAndEnabled();
    });
    if (candidate) {
        if (candidate != hovered_) {
            if (hovered_ && hovered_->IsShownAndEnabled()) NotifyHover(false, keys);
            hovered_ = candidate;
            NotifyHover(true, keys);
        }
        bool captureElsewhere = capture_ && capture_ != hovered_;
        if (hovered_ && !captureElsewhere && !cursorLock_ && !cornerForced) {
            SetCursorKind(hovered_->GetCursorKind());
        }
    } else {
        if (!cursorLock_ && !cornerForced) SetCursorKind(kCursorNormal);
        if (hovered_) {
            if (hovered_->IsShownAndEnabled()) NotifyHover(false, keys);
            hovered_ = nullptr;
        }
    }
    Render();
}

bool ScreenManager::AskClickList(uint32_t message, uint32_t keys, int32_t x, int32_t y,
                                 bool doubleOnly) {
    bool handled = false;
    clickList_.ForEach([&](Widget* widget) {
        if (doubleOnly && !widget->WantsDoubleClicks()) return true;
        if (!widget->GetDrawnBounds().Contains(x, y)) return true;
        handled = widget->DispatchButton(message, keys, x, y);
        return !handled;
    });
    return handled;
}

void ScreenManager::Press(uint32_t message, uint32_t keys, int32_t x, int32_t y) {
    if (capture_) {
        capture_->DispatchButton(message, keys, x, y);
        return;
    }
    AskClickList(message, keys, x, y, false);
    if (message == kMsgLButtonDown && IsInCorner(x, y)) SetFullscreen(false, true);
}

void ScreenManager::Release(uint32_t message, uint32_t keys, int32_t x, int32_t y) {
    if (capture_) {
        capture_->DispatchButton(message, keys, x, y);
        return;
    }
    if (message == kMsgLButtonUp && drag_.widget) {
        Widget* widget = drag_.widget;
        drag_ = DragState{};
        if (window_) window_->SetMouseCapture(false);
        widget->DispatchDragEnd(keys, x, y);
    }
    AskClickList(message, keys, x, y, false);
}

void ScreenManager::DoubleClick(uint32_t message, uint32_t keys, int32_t x, int32_t y) {
    if (capture_) {
        capture_->DispatchButton(message, keys, x, y);
        return;
    }
    if (AskClickList(message, keys, x, y, true)) return;
    Press(message == kMsgLButtonDblClk ? kMsgLButtonDown : kMsgRButtonDown, keys, x, y);
}

void ScreenManager::OnLButtonDown(uint32_t keys, int32_t x, int32_t y) {
    EventScope scope(*this);
    ScalePoint(x, y);
    Press(kMsgLButtonDown, keys, x, y);
    Render();
}

void ScreenManager::OnLButtonUp(uint32_t keys, int32_t x, int32_t y) {
    EventScope scope(*this);
    ScalePoint(x, y);
    Release(kMsgLButtonUp, keys, x, y);
    Render();
}

void ScreenManager::OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) {
    EventScope scope(*this);
    ScalePoint(x, y);
    DoubleClick(kMsgLButtonDblClk, keys, x, y);
    Render();
}

void ScreenManager::OnRButtonDown(uint32_t keys, int32_t x, int32_t y) {
    EventScope scope(*this);
    ScalePoint(x, y);
    Press(kMsgRButtonDown, keys, x, y);
    Render();
}

void ScreenManager::OnRButtonUp(uint32_t keys, int32_t x, int32_t y) {
    EventScope scope(*this);
    ScalePoint(x, y);
    Release(kMsgRButtonUp, keys, x, y);
    Render();
}

void ScreenManager::OnRButtonDblClk(uint32_t keys, int32_t x, int32_t y) {
    EventScope scope(*this);
    ScalePoint(x, y);
    DoubleClick(kMsgRButtonDblClk, keys, x, y);
    Render();
}

void ScreenManager::OnKeyDown(uint32_t virtualKey, int32_t repeat, uint32_t keyFlags) {
    EventScope scope(*this);
    keyDownList_.ForEach([&](Widget* widget) {
        if (widget->IsDeaf()) return true;
        return !widget->OnKeyDown(virtualKey, repeat, keyFlags);
    });
    Render();
}

void ScreenManager::OnChar(uint32_t character, int32_t repeat, uint32_t keyFlags) {
    EventScope scope(*this);
    charList_.ForEach([&](Widget* widget) {
        if (!widget->IsDeaf()) widget->OnChar(character, repeat, keyFlags);
        return true;
    });
    // The stack may be empty (start-up) or changed by a listener: ask for the top only now.
    if (character == kTabCharacter) {
        if (Screen* top = GetTopScreen()) {
            bool shift = window_ && (window_->GetKeyState() & kKeyShift);
            if (shift) top->FocusPrev();
            else top->FocusNext();
        }
    }
    Render();
}

void ScreenManager::OnActivateApp(bool active) {
    if (appActive_ == active) return;
    EventScope scope(*this);
    appActive_ = active;
    if (!active) {
        if (hovered_) {
            SetCursorKind(kCursorNormal);
            NotifyHover(false, window_ ? window_->GetKeyState() : 0);
            hovered_ = nullptr;
        }
        ClearCapture(true);
    }
    std::vector<Screen*> screens = stack_;
    for (auto it = screens.rbegin(); it != screens.rend(); ++it) {
        if (!(*it)->IsFadingOut()) (*it)->OnActivateApp(active);
    }
    if (sound_) sound_->SetActive(active);
    Render();
}

void ScreenManager::DrawSoftwareCursor(bool restore) {
    int32_t x = 0, y = 0;
    bool outside = IsCursorOutside(x, y);
    if (restore && softwareCursorDrawn_) {
        display_.RestoreUnderCursor();
        softwareCursorDrawn_ = false;
    }
    if (outside) {
        if (!systemArrowShown_ && window_) window_->SetSystemCursor(ManagerWindow::kSystemArrow);
        systemArrowShown_ = true;
        softwareCursorDrawn_ = false;
        // Nothing is left to draw until the pointer moves back in, which marks the cursor again.
        softwareCursorDirty_ = false;
        return;
    }
    if (window_) window_->SetSystemCursor(ManagerWindow::kNone);
    CursorImage cursor = CursorImageOf(cursorKind_);
    int32_t left = x - cursor.hotX;
    int32_t top = y - cursor.hotY;
    Rect save{left, top, left + 32, top + 32};
    display_.SaveUnderCursor(save);
    softwareCursorRect_ = save;
    softwareCursorDrawn_ = true;
    Rect covered;
    if (Image* image = display_.GetImage(cursor.imageId, ImageModule::Executable)) {
        display_.DrawImage(left, top, image, nullptr, 100, 100, 255, covered);
    }
    softwareCursorDirty_ = false;
    systemArrowShown_ = false;
}

void ScreenManager::RetestPointer() {
    retestPending_ = false;
    if (!window_) return;
    int32_t x = 0, y = 0;
    window_->GetCursorPos(x, y);
    retesting_ = true;
    OnMouseMove(window_->GetKeyState(), x, y);
    retesting_ = false;
}
