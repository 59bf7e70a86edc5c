#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/PtrList.h"
#include "framework/gfx/DisplayDevice.h"
#include "framework/gfx/GlyphCanvas.h"
#include "framework/gfx/Rect.h"
#include "framework/ui/ClipRect.h"
#include "framework/ui/WidgetTimer.h"

class BitmapFont;
class Image;
class Screen;
class ScreenManager;
class WidgetEffect;

// Mouse and key flags handed to input hooks.
enum KeyFlag : uint32_t {
    kKeyLButton = 1,
    kKeyRButton = 2,
    kKeyShift = 4,
    kKeyControl = 8,
    kKeyMButton = 16,
};

// Button messages, numbered as the window system numbers them.
enum ButtonMessage : uint32_t {
    kMsgLButtonDown = 0x201,
    kMsgLButtonUp = 0x202,
    kMsgLButtonDblClk = 0x203,
    kMsgRButtonDown = 0x204,
    kMsgRButtonUp = 0x205,
    kMsgRButtonDblClk = 0x206,
};

// The base of every visible element. A widget lives in a tree owned by a screen, draws itself
// through clipping, scaling and fading operations, remembers the rectangle it drew last (its hit
// rectangle), hears only the kinds of input it registered for, keeps a local clock that stands
// still while it or an ancestor is disabled, and runs timers from the frame update.
class Widget : public GlyphCanvas {
public:
    Widget();
    virtual ~Widget();
    Widget(const Widget&) = delete;
    Widget& operator=(const Widget&) = delete;

    virtual void Draw() = 0;
    // Runs at the end of attaching: build children and register for input here.
    virtual void OnCreate() = 0;
    virtual void OnDestroy() {}
    virtual bool OnCommand(int32_t commandId) { return false; }
    virtual bool OnLButtonDown(uint32_t keys, int32_t x, int32_t y) { return false; }
    virtual bool OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y) { return false; }
    virtual bool OnLButtonUp(uint32_t keys, int32_t x, int32_t y) { return false; }
    virtual bool OnRButtonDown(uint32_t keys, int32_t x, int32_t y) { return false; }
    virtual bool OnRButtonDblClk(uint32_t keys, int32_t x, int32_t y) { return false; }
    virtual bool OnRButtonUp(uint32_t keys, int32_t x, int32_t y) { return false; }
    virtual void OnMouseMove(uint32_t keys, int32_t x, int32_t y) {}
    virtual void OnDragEnd(uint32_t keys, int32_t x, int32_t y) {}
    virtual void OnDragMove(uint32_t keys, int32_t x, int32_t y) {}
    virtual void OnHover(bool entered, uint32_t keys) {}
    virtual bool OnKeyDown(uint32_t virtualKey, int32_t repeat, uint32_t keyFlags) { return false; }
    virtual void OnChar(uint32_t character, int32_t repeat, uint32_t keyFlags) {}
    // Called once a frame while registered for updates; true when something visible changed.
    virtual bool Update() { return false; }
    // True keeps the timer running.
    virtual bool OnTimer(int32_t timerId, int32_t firingIndex) { return false; }
    virtual void OnShowChanged() {}
    virtual void OnEnableChanged() {}
    virtual void OnCaptureLost() {}

    // Tree.
    void Attach(ScreenManager* manager, Screen* screen, int32_t x, int32_t y, Widget* parent);
    void AddChild(Widget* child, int32_t x, int32_t y);
    void AddEffect(WidgetEffect* effect);
    void DestroyChildren();
    ScreenManager* GetManager() const { return manager_; }
    Screen* GetScreen() const { return screen_; }
    Widget* GetParent() const { return parent_; }
    const std::vector<Widget*>& GetChildren() const { return children_; }

    // Position and bounds.
    void GetPosition(int32_t& x, int32_t& y) const;
    void SetPosition(int32_t x, int32_t y);
    void GetAbsolutePosition(int32_t& x, int32_t& y) const;
    const Rect& GetDrawnBounds() const { return drawnBounds_; }
    Rect GetTreeBounds() const;

    // Visibility and enabling. The "parent" flags say whether every ancestor (and, for enabling,
    // the screen) allows it.
    void SetVisible(bool visible);
    void SetEnabled(bool enabled);
    bool IsVisible() const { return visible_; }
    bool IsEnabled() const { return enabled_; }
    bool IsShown() const { return visible_ && parentVisible_; }
    bool IsEffectivelyEnabled() const { return enabled_ && parentEnabled_; }
    bool IsShownAndEnabled() const { return IsShown() && IsEffectivelyEnabled(); }
    // True when the widget must not hear input, commands, hover notices or updates now.
    bool IsDeaf() const { return inputOnlyWhenShown_ && !IsShownAndEnabled(); }
    void PauseClock(bool pause);

    // Clocks.
    uint32_t GetManagerTime() const;
    uint32_t GetLocalTime() const;
    uint32_t GetFrameDelta() const { return frameDelta_; }

    // Input registration.
    void EnableHover(bool on);
    void EnableCommands(bool on);
    void EnableClicks(bool on);
    void EnableMouseMove(bool on);
    void EnableKeyDown(bool on);
    void EnableChar(bool on);
    void EnableUpdates(bool on);
    void SetCapture(bool on);
    void SetCursorKind(int32_t kind, bool lock);
    int32_t GetCursorKind() const { return cursorKind_; }
    void SetClipRegion(const ClipRect* list);
    const ClipRect* GetClipList() const { return clipList_; }

    void SetTracksBounds(bool on) { tracksBounds_ = on; }
    bool TracksBounds() const { return tracksBounds_; }
    void SetAcceptsClipping(bool on) { acceptsClipping_ = on; }
    void SetEffectsUnder(bool on) { effectsUnder_ = on; }
    void SetInputOnlyWhenShown(bool on) { inputOnlyWhenShown_ = on; }
    void SetWantsDoubleClicks(bool on) { wantsDoubleClicks_ = on; }
    bool WantsDoubleClicks() const { return wantsDoubleClicks_; }

    // Timers.
    void SetTimer(int32_t id, uint32_t intervalMs, int32_t count, int32_t perFiring);
    size_t TimerCount() const { return timers_.Count(); }

    // Input dispatch from the manager; coordinates are frame coordinates.
    bool DispatchButton(uint32_t message, uint32_t keys, int32_t x, int32_t y);
    void DispatchMouseMove(uint32_t keys, int32_t x, int32_t y);
    void DispatchDragEnd(uint32_t keys, int32_t x, int32_t y);
    void DispatchDragMove(uint32_t keys, int32_t x, int32_t y);

    // Drawing; coordinates relative to the widget when `relative`, frame coordinates otherwise.
    void DrawImage(int32_t x, int32_t y, int32_t imageId, const Rect* source, bool relative,
                   int32_t scaleX = 100, int32_t scaleY = 100, int32_t alpha = 255);
    void DrawImagePtr(int32_t x, int32_t y, Image* image, const Rect* source, bool relative,
                      int32_t scaleX = 100, int32_t scaleY = 100, int32_t alpha = 255);
    void DrawImageEx(int32_t x, int32_t y, int32_t imageId, uint32_t colourKey, const Rect* source,
                     bool relative, int32_t scaleX = 100, int32_t scaleY = 100,
                     int32_t alpha = 255);
    // Bitmap fonts draw their glyphs through these, relative to the widget.
    void DrawGlyph(int32_t x, int32_t y, int32_t imageId, const Rect& source, int32_t scaleX,
                   int32_t scaleY, int32_t alpha) override;
    void DrawGlyphKeyed(int32_t x, int32_t y, int32_t imageId, uint32_t colourKey,
                        const Rect& source, int32_t scaleX, int32_t scaleY,
                        int32_t alpha) override;
    bool GetImageSize(int32_t imageId, int32_t& width, int32_t& height) const;
    BitmapFont* GetFont(int32_t glyphImageId, int32_t metricsId,
                        uint32_t colourKey = 0xFFFFFFFF) const;
    BitmapFont* GetExeFont(int32_t glyphImageId, int32_t metricsId,
                           uint32_t colourKey = 0xFFFFFFFF) const;
    void FillRect(const Rect& rect, uint32_t colour, bool relative);
    void FillRectAlpha(const Rect& rect, int32_t alpha, uint32_t colour, bool relative);
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, uint32_t colour, bool relative);
    void DrawFrame(const Rect& rect, uint32_t colour, bool relative);
    void AddDrawnRect(const Rect& rect);

    // Frame work driven by the screen and the manager.
    void DrawTree();
    bool Tick(uint32_t gameTime);
    // What the screen or the parent allows; a screen that turns inactive disables its widgets.
    void SetParentEnabled(bool on);
    void SetParentVisible(bool on);

    // Closing: withdraws every registration of the subtree and makes the manager forget it, so
    // nothing reaches the subtree before its screen frees it.
    void Withdraw();

private:
    enum class BlitMode { Plain, Keyed };

    void BlitImage(BlitMode mode, int32_t x, int32_t y, Image* image, bool relative,
                   uint32_t colourKey, const Rect* source, int32_t scaleX, int32_t scaleY,
                   int32_t alpha);
    void Fill(const Rect& rect, int32_t alpha, uint32_t colour, bool relative, bool blendClipped);
    uint32_t LocalTimeAt(uint32_t gameTime) const;
    void SetRegistration(bool& flag, bool on, PtrList<Widget>* list);
    void WithdrawSelf();
    void FreeTimers();
    void FreeClipCopy();
    int32_t ScreenAlpha() const;
    DisplayDevice* Display() const;

    ScreenManager* manager_ = nullptr;
    Screen* screen_ = nullptr;
    Widget* parent_ = nullptr;
    int32_t x_ = 0;
    int32_t y_ = 0;
    Rect drawnBounds_;
    ClipRect* clipList_ = nullptr;
    bool acceptsClipping_ = true;
    bool tracksBounds_ = true;
    std::vector<Widget*> children_;
    std::vector<WidgetEffect*> effects_;
    bool effectsUnder_ = false;
    bool visible_ = true;
    bool parentVisible_ = true;
    bool enabled_ = true;
    bool parentEnabled_ = true;
    int32_t cursorKind_ = 0;
    uint32_t clockBase_ = 0;
    uint32_t pauseStart_ = 0;
    bool clockPaused_ = false;
    uint32_t frameDelta_ = 0;
    uint32_t localTime_ = 0;
    bool hoverOn_ = false;
    bool commandsOn_ = false;
    bool clicksOn_ = false;
    bool mouseMoveOn_ = false;
    bool keyDownOn_ = false;
    bool charOn_ = false;
    bool updatesOn_ = false;
    bool inputOnlyWhenShown_ = true;
    bool wantsDoubleClicks_ = false;
    PtrList<WidgetTimer> timers_;
};
