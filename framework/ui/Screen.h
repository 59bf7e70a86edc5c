#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/PtrList.h"
#include "framework/gfx/Rect.h"
#include "framework/ui/Attachable.h"
#include "framework/ui/ClipRect.h"

class ScreenManager;
class Widget;

// One page or dialog on the screen manager's stack. It owns its top-level widgets, places them
// relative to its origin, applies its alpha to all they draw (so a whole screen fades), dims
// itself while covered, keeps a tab order and hands commands first to itself, then to the widgets
// registered for them.
class Screen : public Attachable<ScreenManager> {
public:
    enum FadeState : int32_t { kFadeNone = 0, kFadeOut = 1, kFadeIn = 2 };

    Screen(int32_t x, int32_t y);
    ~Screen() override;

    virtual void OnAppActivate(bool active) {}
    virtual bool OnCommand(int32_t commandId) { return false; }
    virtual void OnActiveChanging() {}
    virtual void OnActiveChanged() {}
    // The close notice, before the manager frees the screen.
    virtual void OnClose() {}
    virtual void OnTransitionIn() {}
    virtual void OnTransitionDone() {}
    virtual void OnEditEnter(Widget* editBox) {}
    // The display mode was switched (full screen, the accelerated path, the wide-screen picture).
    virtual void OnDisplayModeChanged() {}

    void AddWidget(Widget* widget, int32_t x, int32_t y);
    // Tab-order members implement Focusable; other widgets are not taken into it.
    void AddFocusableWidget(Widget* widget, int32_t x, int32_t y);
    void AddToTabOrder(Widget* widget);
    void FocusNext();
    void FocusPrev();
    void SetFocus(Widget* widget);
    Widget* GetFocused() const;

    void OnActivateApp(bool active);
    void SendCommand(int32_t commandId);
    void SetActive(bool active, bool dim);
    void Draw();

    void GetOrigin(int32_t& x, int32_t& y) const;
    Rect GetBounds() const;
    void SetClipRegion(const ClipRect* list);

    bool DimStep(int32_t step);
    void SetFadeState(int32_t state);
    bool FadeStep(int32_t step, bool& closed);

    ScreenManager* GetManager() const { return GetOwner(); }
    const std::vector<Widget*>& GetWidgets() const { return widgets_; }
    bool IsActive() const { return active_; }
    int32_t GetAlpha() const { return alpha_; }
    void SetAlpha(int32_t alpha) { alpha_ = alpha; }
    int32_t GetDimLevel() const { return dimLevel_; }
    int32_t GetFadeState() const { return fadeState_; }
    bool IsFadingOut() const { return fadeState_ == kFadeOut; }
    bool IsOpaque() const { return opaque_; }
    void SetOpaque(bool opaque) { opaque_ = opaque; }
    void SetDimWhenInactive(bool on) { dimWhenInactive_ = on; }
    void SetPauseSoundsWhenInactive(bool on) { pauseSoundsWhenInactive_ = on; }
    PtrList<Widget>& CommandList() { return commands_; }

    // Closing: the widgets stop hearing anything at once; they are freed with the screen later.
    void Withdraw();
    void DestroyWidgets();

protected:
    void OnAttach() override = 0;

private:
    void MoveFocus(int32_t step);
    void SetMemberFocus(int32_t index, bool focus);

    std::vector<Widget*> widgets_;
    int32_t x_ = 0;
    int32_t y_ = 0;
    bool active_ = true;
    int32_t alpha_ = 255;
    int32_t dimLevel_ = 0;
    int32_t fadeState_ = kFadeNone;
    bool skipNextFadeStep_ = false;
    std::vector<Widget*> tabOrder_;
    int32_t focusIndex_ = -1;
    bool dimWhenInactive_ = true;
    bool opaque_ = false;
    bool pauseSoundsWhenInactive_ = true;
    PtrList<Widget> commands_;
};
