#include "framework/ui/Widget.h"

#include <algorithm>
#include <cstdint>

#include "framework/gfx/Image.h"
#include "framework/ui/Screen.h"
#include "framework/ui/ScreenManager.h"
#include "framework/ui/WidgetEffect.h"
#include "platform/MulDiv.h"
#include "platform/Random.h"
#include "platform/TickCount.h"

// Every widget made reseeds the generator, so what its effects draw at random differs from run
// to run; a deal seeds the generator itself just before it deals.
Widget::Widget() { SRand(TickCount()); }

Widget::~Widget() {
    for (WidgetEffect* effect : effects_) delete effect;
    for (Widget* child : children_) delete child;
    WithdrawSelf();
    FreeTimers();
    FreeClipCopy();
}

void Widget::Attach(ScreenManager* manager, Screen* screen, int32_t x, int32_t y, Widget* parent) {
    manager_ = manager;
    screen_ = screen;
    x_ = x;
    y_ = y;
    parent_ = parent;
    // A widget joins a hidden or disabled branch hidden or disabled, its clock standing still.
    parentVisible_ = parent ? parent->IsShown() : true;
    parentEnabled_ = parent ? parent->IsEffectivelyEnabled() : (!screen || screen->IsActive());
    clockBase_ = GetManagerTime();
    if (!IsEffectivelyEnabled()) {
        clockPaused_ = true;
        pauseStart_ = clockBase_;
    }
    OnCreate();
}

void Widget::AddChild(Widget* child, int32_t x, int32_t y) {
    if (!child) return;
    // Attached first: children that the child's OnCreate adds beside it come before it.
    child->Attach(manager_, screen_, x, y, this);
    children_.push_back(child);
}

void Widget::AddEffect(WidgetEffect* effect) {
    if (!effect) return;
    effect->Attach(this);
    effects_.push_back(effect);
    if (clockPaused_) effect->SetClockPaused(true);
}

void Widget::DestroyChildren() {
    OnDestroy();
    for (Widget* child : children_) {
        child->DestroyChildren();
        delete child;
    }
    children_.clear();
    for (WidgetEffect* effect : effects_) delete effect;
    effects_.clear();
    WithdrawSelf();
    FreeTimers();
    FreeClipCopy();
}

void Widget::GetPosition(int32_t& x, int32_t& y) const {
    x = x_;
    y = y_;
}

void Widget::SetPosition(int32_t x, int32_t y) {
    x_ = x;
    y_ = y;
}

void Widget::GetAbsolutePosition(int32_t& x, int32_t& y) const {
    x = 0;
    y = 0;
    if (screen_) screen_->GetOrigin(x, y);
    for (const Widget* w = this; w; w = w->parent_) {
        x += w->x_;
        y += w->y_;
    }
}

Rect Widget::GetTreeBounds() const {
    Rect bounds = drawnBounds_;
    for (const Widget* child : children_) bounds = Rect::Union(bounds, child->GetTreeBounds());
    return bounds;
}

void Widget::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    if (!visible) drawnBounds_ = Rect{};
    for (Widget* child : children_) child->SetParentVisible(IsShown());
    if (manager_) manager_->MarkRehitTest();
    OnShowChanged();
    if (manager_) manager_->MarkDirty();
}

void Widget::SetParentVisible(bool on) {
    if (parentVisible_ == on) return;
    parentVisible_ = on;
    drawnBounds_ = Rect{};
    for (Widget* child : children_) child->SetParentVisible(IsShown());
    OnShowChanged();
}

void Widget::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    bool wasEnabled = IsEffectivelyEnabled();
    enabled_ = enabled;
    for (Widget* child : children_) child->SetParentEnabled(IsEffectivelyEnabled());
    if (wasEnabled != IsEffectivelyEnabled()) PauseClock(!IsEffectivelyEnabled());
    if (manager_) manager_->MarkRehitTest();
    OnEnableChanged();
    if (manager_) manager_->MarkDirty();
}

void Widget::SetParentEnabled(bool on) {
    if (parentEnabled_ == on) return;
    bool wasEnabled = IsEffectivelyEnabled();
    parentEnabled_ = on;
    for (Widget* child : children_) child->SetParentEnabled(IsEffectivelyEnabled());
    if (wasEnabled != IsEffectivelyEnabled()) PauseClock(!IsEffectivelyEnabled());
    OnEnableChanged();
}

void Widget::PauseClock(bool pause) {
    for (WidgetEffect* effect : effects_) effect->SetClockPaused(pause);
    if (pause && !clockPaused_) {
        pauseStart_ = GetManagerTime();
        clockPaused_ = true;
    } else if (!pause && clockPaused_) {
        clockBase_ += GetManagerTime() - pauseStart_;
        clockPaused_ = false;
    }
}

uint32_t Widget::GetManagerTime() const {
    return manager_ ? manager_->GetGameTime() : 0;
}

uint32_t Widget::LocalTimeAt(uint32_t gameTime) const {
    return (clockPaused_ ? pauseStart_ : gameTime) - clockBase_;
}

uint32_t Widget::GetLocalTime() const {
    return LocalTimeAt(GetManagerTime());
}

void Widget::SetRegistration(bool& flag, bool on, PtrList<Widget>* list) {
    if (flag == on || !list) return;
    flag = on;
    if (on) list->PushFront(this);
    else list->Remove(this);
}

void Widget::EnableHover(bool on) {
    SetRegistration(hoverOn_, on, manager_ ? &manager_->HoverList() : nullptr);
}

void Widget::EnableCommands(bool on) {
    SetRegistration(commandsOn_, on, screen_ ? &screen_->CommandList() : nullptr);
}

void Widget::EnableClicks(bool on) {
    SetRegistration(clicksOn_, on, manager_ ? &manager_->ClickList() : nullptr);
}

void Widget::EnableMouseMove(bool on) {
    SetRegistration(mouseMoveOn_, on, manager_ ? &manager_->MouseMoveList() : nullptr);
}

void Widget::EnableKeyDown(bool on) {
    SetRegistration(keyDownOn_, on, manager_ ? &manager_->KeyDownList() : nullptr);
}

void Widget::EnableChar(bool on) {
    SetRegistration(charOn_, on, manager_ ? &manager_->CharList() : nullptr);
}

void Widget::EnableUpdates(bool on) {
    if (updatesOn_ == on || !manager_) return;
    SetRegistration(updatesOn_, on, &manager_->UpdateList());
    if (on) localTime_ = GetLocalTime();
    frameDelta_ = 0;
}

void Widget::SetCapture(bool on) {
    if (manager_) manager_->SetCaptureWidget(this, on);
}

void Widget::SetCursorKind(int32_t kind, bool lock) {
    if (cursorKind_ == kind) return;
    cursorKind_ = kind;
    if (manager_) manager_->SetCursorFor(this, kind, lock);
}

void Widget::SetClipRegion(const ClipRect* list) {
    FreeClipCopy();
    if (acceptsClipping_ && list) {
        ClipRect** tail = &clipList_;
        for (const ClipRect* c = list; c; c = c->next) {
            *tail = new ClipRect{c->rect.Offset(-x_, -y_), nullptr};
            tail = &(*tail)->next;
        }
    }
    for (Widget* child : children_) child->SetClipRegion(list);
}

void Widget::FreeClipCopy() {
    while (clipList_) {
        ClipRect* next = clipList_->next;
        delete clipList_;
        clipList_ = next;
    }
}

void Widget::SetTimer(int32_t id, uint32_t intervalMs, int32_t count, int32_t perFiring) {
    auto* timer = new WidgetTimer;
    timer->id = id;
    timer->lastFiring = GetLocalTime();
    timer->interval = intervalMs;
    timer->remaining = count;
    timer->total = count;
    timer->perFiring = perFiring;
    timers_.PushFront(timer);
}

void Widget::FreeTimers() {
    timers_.ForEach([](WidgetTimer* timer) {
        delete timer;
        return true;
    });
    timers_.Clear();
}

bool Widget::DispatchButton(uint32_t message, uint32_t keys, int32_t x, int32_t y) {
    int32_t ax = 0, ay = 0;
    GetAbsolutePosition(ax, ay);
    x -= ax;
    y -= ay;
    if (IsDeaf()) return false;
    switch (message) {
        case kMsgLButtonDown: return OnLButtonDown(keys, x, y);
        case kMsgLButtonUp: return OnLButtonUp(keys, x, y);
        case kMsgLButtonDblClk: return OnLButtonDblClk(keys, x, y);
        case kMsgRButtonDown: return OnRButtonDown(keys, x, y);
        case kMsgRButtonUp: return OnRButtonUp(keys, x, y);
        case kMsgRButtonDblClk: return OnRButtonDblClk(keys, x, y);
        default: return false;
    }
}

void Widget::DispatchMouseMove(uint32_t keys, int32_t x, int32_t y) {
    int32_t ax = 0, ay = 0;
    GetAbsolutePosition(ax, ay);
    if (IsDeaf()) return;
    OnMouseMove(keys, x - ax, y - ay);
}

void Widget::DispatchDragEnd(uint32_t keys, int32_t x, int32_t y) {
    int32_t ax = 0, ay = 0;
    GetAbsolutePosition(ax, ay);
    OnDragEnd(keys, x - ax, y - ay);
}

void Widget::DispatchDragMove(uint32_t keys, int32_t x, int32_t y) {
    int32_t ax = 0, ay = 0;
    GetAbsolutePosition(ax, ay);
    OnDragMove(keys, x - ax, y - ay);
}

DisplayDevice* Widget::Display() const {
    return manager_ ? &manager_->GetDisplay() : nullptr;
}

int32_t Widget::ScreenAlpha() const {
    return screen_ ? screen_->GetAlpha() : 255;
}

void Widget::DrawImage(int32_t x, int32_t y, int32_t imageId, const Rect* source, bool relative,
                       int32_t scaleX, int32_t scaleY, int32_t alpha) {
    DisplayDevice* display = Display();
    if (!display) return;
    BlitImage(BlitMode::Plain, x, y, display->GetImage(imageId, ImageModule::Assets), relative,
              0, source, scaleX, scaleY, alpha);
}

void Widget::DrawImagePtr(int32_t x, int32_t y, Image* image, const Rect* source, bool relative,
                          int32_t scaleX, int32_t scaleY, int32_t alpha) {
    BlitImage(BlitMode::Plain, x, y, image, relative, 0, source, scaleX, scaleY, alpha);
}

void Widget::DrawImageEx(int32_t x, int32_t y, int32_t imageId, uint32_t colourKey,
                         const Rect* source, bool relative, int32_t scaleX, int32_t scaleY,
                         int32_t alpha) {
    DisplayDevice* display = Display();
    if (!display) return;
    BlitImage(BlitMode::Keyed, x, y, display->GetImage(imageId, ImageModule::Assets), relative,
              colourKey, source, scaleX, scaleY, alpha);
}

void Widget::DrawGlyph(int32_t x, int32_t y, int32_t imageId, const Rect& source, int32_t scaleX,
                       int32_t scaleY, int32_t alpha) {
    DrawImage(x, y, imageId, &source, true, scaleX, scaleY, alpha);
}

void Widget::DrawGlyphKeyed(int32_t x, int32_t y, int32_t imageId, uint32_t colourKey,
                            const Rect& source, int32_t scaleX, int32_t scaleY, int32_t alpha) {
    DrawImageEx(x, y, imageId, colourKey, &source, true, scaleX, scaleY, alpha);
}

void Widget::BlitImage(BlitMode mode, int32_t x, int32_t y, Image* image, bool relative,
                       uint32_t colourKey, const Rect* source, int32_t scaleX, int32_t scaleY,
                       int32_t alpha) {
    DisplayDevice* display = Display();
    if (!display || !image) return;
    int32_t offsetX = 0, offsetY = 0;
    if (relative) GetAbsolutePosition(offsetX, offsetY);
    auto blit = [&](int32_t dx, int32_t dy, const Rect* part, int32_t partAlpha) {
        Rect covered;
        if (mode == BlitMode::Keyed) {
            display->DrawImageKeyed(dx, dy, image, colourKey, part, scaleX, scaleY, partAlpha,
                                    covered);
        } else {
            display->DrawImage(dx, dy, image, part, scaleX, scaleY, partAlpha, covered);
        }
        AddDrawnRect(covered);
    };

    if (!clipList_) {
        int32_t screenAlpha = ScreenAlpha();
        if (screenAlpha != 255) alpha = screenAlpha * alpha / 255;
        blit(x + offsetX, y + offsetY, source, alpha);
        return;
    }

    // A scale of 0 or below draws nothing and must not reach the divisions below.
    if (scaleX <= 0 || scaleY <= 0) return;
    Rect src = source ? *source : Rect{0, 0, image->width, image->height};
    bool unscaled = scaleX == 100 && scaleY == 100;
    Rect dest{x, y, x + src.Width(), y + src.Height()};
    if (!unscaled) {
        dest.right = x + MulDiv(src.Width(), scaleX, 100);
        dest.bottom = y + MulDiv(src.Height(), scaleY, 100);
    }
    for (const ClipRect* clip = clipList_; clip; clip = clip->next) {
        Rect inter = Rect::Intersect(clip->rect, dest);
        if (inter.IsEmpty()) continue;
        Rect part;
        if (unscaled) {
            part.left = src.left + (inter.left - dest.left);
            part.top = src.top + (inter.top - dest.top);
            part.right = part.left + inter.Width();
            part.bottom = part.top + inter.Height();
        } else {
            part.left = src.left + MulDiv(inter.left - dest.left, 100, scaleX);
            part.top = src.top + MulDiv(inter.top - dest.top, 100, scaleY);
            part.right = std::min(part.left + MulDiv(inter.Width(), 100, scaleX), src.right);
            part.bottom = std::min(part.top + MulDiv(inter.Height(), 100, scaleY), src.bottom);
        }
        blit(inter.left + offsetX, inter.top + offsetY, &part, alpha);
    }
}

bool Widget::GetImageSize(int32_t imageId, int32_t& width, int32_t& height) const {
    width = 0;
    height = 0;
    DisplayDevice* display = Display();
    Image* image = display ? display->GetImage(imageId, ImageModule::Assets) : nullptr;
    if (!image) return false;
    width = image->width;
    height = image->height;
    return true;
}

BitmapFont* Widget::GetFont(int32_t glyphImageId, int32_t metricsId, uint32_t colourKey) const {
    DisplayDevice* display = Display();
    return display ? display->GetFont(glyphImageId, metricsId, colourKey, ImageModule::Assets)
                   : nullptr;
}

BitmapFont* Widget::GetExeFont(int32_t glyphImageId, int32_t metricsId,
                               uint32_t colourKey) const {
    DisplayDevice* display = Display();
    return display ? display->GetFont(glyphImageId, metricsId, colourKey,
                                      ImageModule::Executable)
                   : nullptr;
}

void Widget::FillRect(const Rect& rect, uint32_t colour, bool relative) {
    Fill(rect, ScreenAlpha(), colour, relative, false);
}

void Widget::FillRectAlpha(const Rect& rect, int32_t alpha, uint32_t colour, bool relative) {
    Fill(rect, alpha, colour, relative, true);
}

// Unclipped, alpha 255 fills solid and anything else blends. Clipped, a plain fill is solid
// (clipped drawing ignores the screen's fade) and an alpha fill blends, part by part. The
// rectangle meets the clip copy as given, relative or not, and only then moves onto the frame,
// exactly as clipped blits do, so a fill and a blit of one place are cut alike.
void Widget::Fill(const Rect& rect, int32_t alpha, uint32_t colour, bool relative, bool blendClipped) {
    DisplayDevice* display = Display();
    if (!display) return;
    int32_t offsetX = 0, offsetY = 0;
    if (relative) GetAbsolutePosition(offsetX, offsetY);
    if (!clipList_) {
        const Rect moved = rect.Offset(offsetX, offsetY);
        if (alpha >= 255) display->FillFrameRect(&moved, colour);
        else display->BlendFrameRect(&moved, alpha, colour);
        AddDrawnRect(moved);
        return;
    }
    for (const ClipRect* clip = clipList_; clip; clip = clip->next) {
        const Rect inter = Rect::Intersect(rect, clip->rect).Offset(offsetX, offsetY);
        if (inter.IsEmpty()) continue;
        if (blendClipped) display->BlendFrameRect(&inter, alpha, colour);
        else display->FillFrameRect(&inter, colour);
        AddDrawnRect(inter);
    }
}

void Widget::DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour,
                      bool relative) {
    Rect line;
    if (x1 == x2) line = Rect{x1, y1, x1 + 1, y2};
    else if (y1 == y2) line = Rect{x1, y1, x2, y1 + 1};
    else return;
    FillRect(line, colour, relative);
}

void Widget::DrawFrame(const Rect& rect, uint32_t colour, bool relative) {
    DrawLine(rect.left, rect.top, rect.right, rect.top, colour, relative);
    DrawLine(rect.right, rect.top, rect.right, rect.bottom, colour, relative);
    DrawLine(rect.left, rect.bottom, rect.right + 1, rect.bottom, colour, relative);
    DrawLine(rect.left, rect.top, rect.left, rect.bottom, colour, relative);
}

void Widget::AddDrawnRect(const Rect& rect) {
    if (tracksBounds_) drawnBounds_ = Rect::Union(drawnBounds_, rect);
}

void Widget::DrawTree() {
    drawnBounds_ = Rect{};
    if (!IsShown()) return;
    if (!effectsUnder_) Draw();
    for (WidgetEffect* effect : effects_) effect->Draw();
    if (effectsUnder_) Draw();
    for (Widget* child : children_) child->DrawTree();
}

bool Widget::Tick(uint32_t gameTime) {
    if (IsDeaf()) return false;
    uint32_t local = LocalTimeAt(gameTime);
    frameDelta_ = local - localTime_;
    localTime_ = local;
    bool changed = false;
    auto stackChanged = [this] { return manager_ && manager_->HasStackChanged(); };

    timers_.ForEach([&](WidgetTimer* timer) {
        if (local - timer->lastFiring > timer->interval) {
            timer->lastFiring += timer->interval;
            // A count of 0 runs below zero and so ends only when OnTimer answers false. A firing
            // makes all its calls, the stack being looked at between timers: a screen closed by
            // one of them is freed only after the frame, so the rest still reach a live widget.
            bool finished = false;
            for (int32_t call = 0; call < timer->perFiring && !finished; ++call) {
                --timer->remaining;
                if (!OnTimer(timer->id, timer->total - timer->remaining - 1)) timer->remaining = 0;
                finished = timer->remaining == 0;
            }
            if (finished) {
                timers_.Remove(timer);
                delete timer;
            }
        }
        return !stackChanged();
    });
    if (stackChanged()) return changed;

    for (WidgetEffect* effect : effects_) {
        Rect area;
        if (effect->Update(gameTime)) {
            if (manager_ && effect->GetChangedArea(area)) manager_->MarkDirty(area);
            else changed = true;
        }
        if (stackChanged()) return changed;
    }
    if (Update()) changed = true;
    return changed;
}

void Widget::Withdraw() {
    for (Widget* child : children_) child->Withdraw();
    WithdrawSelf();
}

void Widget::WithdrawSelf() {
    EnableHover(false);
    EnableCommands(false);
    EnableClicks(false);
    EnableMouseMove(false);
    EnableKeyDown(false);
    EnableChar(false);
    EnableUpdates(false);
    if (manager_) manager_->ForgetWidget(this);
}
