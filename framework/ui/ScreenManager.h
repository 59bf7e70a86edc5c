#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/PtrList.h"
#include "framework/gfx/DisplayDevice.h"
#include "framework/gfx/DisplaySettings.h"
#include "framework/gfx/Rect.h"

class BitmapFont;
class FrameClock;
class Image;
class ManagerWindow;
class Screen;
class SoundService;
class String;
class Widget;

// The root of the user interface: owns the screen stack, runs the black-veil transition between
// pages, fades and dims screens, keeps the game clock, runs the per-frame update and the render
// on demand, paces frames, and routes the window's input to the widgets.
//
// Closing a screen withdraws it at once (no input, command, update or manager pointer reaches its
// widgets any more) but frees it only when the outermost event or frame in progress is over, so
// hooks that close their own screen return into live objects.
class ScreenManager {
public:
    static constexpr uint32_t kFrameTimerId = 36211;

    enum TransitionState : int32_t {
        kTransitionNone = 0,
        kTransitionFadingOut = 1,
        kTransitionFadingIn = 2,
        kTransitionSwitching = 3,
    };

    enum CursorKind : int32_t {
        kCursorNormal = 0,
        kCursorHand = 1,
        kCursorIBeam = 2,
        kCursorSpecial = 3,
        kCursorWait = 4,
    };

    enum DragFlag : uint32_t { kDragMoveWidget = 1, kDragSendMoves = 2 };

    // The sound switches and volumes (0..100) of the stored settings. The application lends them
    // once the manager has started and reads the volumes back when it writes the settings.
    struct AudioSettings {
        bool soundsOn = true;
        int32_t soundVolume = 100;
        bool musicOn = true;
        int32_t musicVolume = 50;
    };

    // The display and clock are not owned; the sound service may be null (no sound).
    ScreenManager(DisplayDevice& display, FrameClock& clock, SoundService* sound);
    ~ScreenManager();
    ScreenManager(const ScreenManager&) = delete;
    ScreenManager& operator=(const ScreenManager&) = delete;

    // Lifecycle.
    bool Start(ManagerWindow* window, bool fullScreen, uint32_t intervalMs);
    void Stop();
    // Every screen's close notice, then Stop.
    void CloseAllScreens();
    // Every screen's close notice alone, the manager left as it is: where the display is gone and
    // nothing may be drawn or switched, the screens still keep what is theirs.
    void TellScreensOfClose();
    bool IsRunning() const { return running_ && !stopped_; }

    // Screen stack, bottom first.
    void PushScreen(Screen* screen, bool overlay, bool dimBelow, bool fadeIn);
    void ReplaceTopScreen(Screen* screen, bool popWithFade, bool pushWithFade);
    Screen* PopScreens(bool fade, int32_t count);
    Screen* PopScreensNow(int32_t count);
    void PopScreensFaded(int32_t count);
    void CloseScreen(Screen* screen, bool notify);
    void ClearScreens(bool notify);
    void AddDimmingScreen(Screen* screen);
    const std::vector<Screen*>& GetScreens() const { return stack_; }
    Screen* GetTopScreen() const { return stack_.empty() ? nullptr : stack_.back(); }
    bool IsDimming(const Screen* screen) const { return dimming_.Contains(screen); }
    bool IsFading(const Screen* screen) const { return fading_.Contains(screen); }

    // Page change through a black veil.
    void BeginTransition(Screen* screen);
    int32_t GetTransitionState() const { return transitionState_; }
    int32_t GetTransitionLevel() const { return transitionLevel_; }

    // Clock and frames.
    void OnFrameTimer();
    uint32_t GetGameTime() const { return gameTime_; }
    uint32_t GetFrameInterval() const { return interval_; }
    void Pause(bool pause);
    void PauseClock(bool pause);
    void Update(uint32_t gameTime, uint32_t delta);
    void Render();
    void Present();
    // Something visible changed: the next render draws the whole frame anew.
    void MarkDirty() { redrawWanted_ = true; }
    // Only `area` of the frame (frame coordinates) changed: unless the whole is wanted, the next
    // render draws every screen again limited to the union of such areas and keeps the rest of
    // the picture, which comes out as a whole render would draw it.
    void MarkDirty(const Rect& area);
    bool IsRedrawWanted() const { return redrawWanted_ || !dirtyArea_.IsEmpty(); }
    bool HasStackChanged() const { return stackChanged_; }

    // Window events.
    void OnWindowSized(int32_t sizeType);
    void OnWindowMoved(int32_t x, int32_t y);
    void OnPaint();

    // Display modes.
    int32_t ApplyDisplayMode(bool fullScreen, bool retryAllowed);
    bool SetFullscreen(bool on, bool apply);
    // Switches the accelerated path; false when the device cannot accelerate or the mode cannot
    // be set again (the application is then told to quit).
    bool SetHardwareAcceleration(bool on);
    // Switches the centred 4:3 picture of a wide full screen; false when the mode cannot be set
    // again (the application is then told to quit).
    bool SetWideScreen(bool on);
    // The stored display switches ("WideScreen", "HardwareAcceleration", the self-test's
    // verdict). The manager keeps its own until the application lends it the ones the display
    // device reads, so that a switch made here reaches the device's next mode.
    void UseDisplaySettings(DisplaySettings& settings) { settings_ = &settings; }
    DisplaySettings& GetDisplaySettings() { return *settings_; }
    // Whether the screen is wide, so that the wide-screen switch means something.
    void SetWideDisplay(bool wide) { wideDisplay_ = wide; }
    bool IsWideDisplay() const { return wideDisplay_; }
    bool WasDirect3DInUseAtStart() const { return direct3DAtStart_; }

    // Forwarders to the sound service.
    void LoadSound(int32_t id, bool loop);
    void UnloadSound(int32_t id);
    void PlaySound(int32_t id);
    void StopSound(int32_t id);
    void StopAllSoundsExcept(int32_t id);
    void PauseSounds(bool pause, bool loopingOnly, int32_t exceptId);
    void LoadMusic(int32_t id);
    void PlayMusic(int32_t id, bool forceRestart, int32_t fadeInMs, int32_t startOrder);
    void PauseMusic(bool pause);
    void SetMusicSync(int32_t rows, int32_t order);
    // Store the volume, then pass it on, or 0 while that kind of sound is switched off.
    void SetAudioSettings(const AudioSettings& audio);
    const AudioSettings& GetAudioSettings() const { return audio_; }
    void SetSoundVolume(int32_t volume);
    void SetMusicVolume(int32_t volume);
    // Slides the music to `percent` of its volume; nothing while music is switched off.
    void SlideMusicVolume(int32_t percent, int32_t milliseconds);

    // Forwarders to the display device and its caches.
    DisplayDevice& GetDisplay() { return display_; }
    // With its decoded rows, for callers that read them (drawing may have let them go).
    Image* LoadImage(int32_t id);
    Image* LoadExeImage(int32_t id) { return display_.GetImage(id, ImageModule::Executable); }
    bool LoadImageFile(int32_t id, const char* path) { return display_.LoadImageFile(id, path); }
    void UnloadImage(int32_t id) { display_.UnloadImage(id); }
    bool GetImageSize(int32_t id, int32_t& width, int32_t& height);
    Image* CreateSurface(int32_t width, int32_t height) {
        return display_.CreateImage(width, height);
    }
    void DestroySurface(Image* image) { display_.DestroyImage(image); }
    BitmapFont* GetFont(int32_t glyphImageId, int32_t metricsId, uint32_t colourKey,
                        ImageModule module) {
        return display_.GetFont(glyphImageId, metricsId, colourKey, module);
    }

    // The clipboard of the main window; false when it cannot be read or written or holds no text.
    bool GetClipboardText(String& text);
    bool SetClipboardText(const String& text);

    // Mouse buttons and modifiers held now (the flags of the input hooks).
    uint32_t GetKeyState() const;

    // Input from the main window: client coordinates; keys 1 left, 2 right, 4 Shift, 8 Control,
    // 16 middle.
    void OnMouseMove(uint32_t keys, int32_t x, int32_t y);
    void OnLButtonDown(uint32_t keys, int32_t x, int32_t y);
    void OnLButtonUp(uint32_t keys, int32_t x, int32_t y);
    void OnLButtonDblClk(uint32_t keys, int32_t x, int32_t y);
    void OnRButtonDown(uint32_t keys, int32_t x, int32_t y);
    void OnRButtonUp(uint32_t keys, int32_t x, int32_t y);
    void OnRButtonDblClk(uint32_t keys, int32_t x, int32_t y);
    void OnKeyDown(uint32_t virtualKey, int32_t repeat, uint32_t keyFlags);
    void OnChar(uint32_t character, int32_t repeat, uint32_t keyFlags);
    void OnActivateApp(bool active);

    // Called by widgets.
    void SetCaptureWidget(Widget* widget, bool on);
    void BeginDrag(Widget* widget, uint32_t flags, int32_t left, int32_t top, int32_t right,
                   int32_t bottom);
    void SetCursorFor(Widget* widget, int32_t kind, bool lock);
    void MarkRehitTest() { retestPending_ = true; }
    void SetCursorKind(int32_t kind);
    void ScalePoint(int32_t& x, int32_t& y) const;
    bool IsCursorOutside(int32_t& x, int32_t& y) const;
    // Clears every pointer the manager holds to the widget (hover, capture, drag).
    void ForgetWidget(Widget* widget);

    Widget* GetCaptureWidget() const { return capture_; }
    Widget* GetHoveredWidget() const { return hovered_; }
    Widget* GetDragWidget() const { return drag_.widget; }
    int32_t GetCursorKind() const { return cursorKind_; }
    bool IsApplicationActive() const { return appActive_; }

    // Listener lists, newest registration first.
    PtrList<Widget>& HoverList() { return hoverList_; }
    PtrList<Widget>& ClickList() { return clickList_; }
    PtrList<Widget>& MouseMoveList() { return mouseMoveList_; }
    PtrList<Widget>& KeyDownList() { return keyDownList_; }
    PtrList<Widget>& CharList() { return charList_; }
    PtrList<Widget>& UpdateList() { return updateList_; }

private:
    // Marks an event or frame in progress; the outermost one frees the screens closed meanwhile.
    class EventScope {
    public:
        explicit EventScope(ScreenManager& manager);
        ~EventScope();
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;

    private:
        ScreenManager& manager_;
    };

    struct DragState {
        Widget* widget = nullptr;
        uint32_t flags = 0;
        Rect bounds;
        int32_t cursorStartX = 0;
        int32_t cursorStartY = 0;
        int32_t startX = 0;
        int32_t startY = 0;
        int32_t lastX = 0;
        int32_t lastY = 0;
    };

    uint32_t Now() const;
    void AttachScreen(Screen* screen);
    void DeactivateTop(bool dim);
    void ClearCapture(bool notify);
    void ForgetHover();
    void RemoveTopScreen(bool fade);
    void ReleaseClosedScreens();
    void SwitchTransitionScreen();
    void EndTransition();
    void StepTransition(uint32_t delta);
    void StepDimming(uint32_t delta);
    void StepFading(uint32_t delta);
    void UpdateWidgets(uint32_t gameTime);
    void DrawStack();
    void CompleteFrame();

    void Press(uint32_t message, uint32_t keys, int32_t x, int32_t y);
    void Release(uint32_t message, uint32_t keys, int32_t x, int32_t y);
    void DoubleClick(uint32_t message, uint32_t keys, int32_t x, int32_t y);
    bool AskClickList(uint32_t message, uint32_t keys, int32_t x, int32_t y, bool doubleOnly);
    void NotifyHover(bool entered, uint32_t keys);
    bool IsInCorner(int32_t x, int32_t y) const;
    void DrawSoftwareCursor(bool restore);
    void RetestPointer();
    // After a mode change: the cursor follows the path the device now draws on.
    void AdoptCursorForPath();
    // A mode change that failed: the error is shown and the application told to quit.
    bool FailModeChange(int32_t result);
    // A mode change that was made: the cursor suits the path, the clock runs again and every
    // screen hears of it; true.
    bool FinishModeChange();

    DisplayDevice& display_;
    FrameClock& clock_;
    SoundService* sound_;
    AudioSettings audio_;
    ManagerWindow* window_ = nullptr;
    uint32_t interval_ = 25;
    bool stopped_ = true;
    bool running_ = false;
    int32_t clockPauseCount_ = 0;
    int32_t pauseCount_ = 0;
    bool resumePending_ = false;
    uint32_t clockStart_ = 0;
    uint32_t clockPauseStart_ = 0;
    uint32_t lastPresent_ = 0;
    uint32_t lastTick_ = 0;
    bool appActive_ = true;
    Widget* capture_ = nullptr;
    bool retestPending_ = false;
    std::vector<Screen*> stack_;
    std::vector<Screen*> closed_;
    int32_t eventDepth_ = 0;
    PtrList<Widget> hoverList_;
    PtrList<Widget> clickList_;
    PtrList<Widget> mouseMoveList_;
    PtrList<Widget> keyDownList_;
    PtrList<Widget> charList_;
    PtrList<Widget> updateList_;
    PtrList<Screen> dimming_;
    PtrList<Screen> fading_;
    Widget* hovered_ = nullptr;
    DragState drag_;
    uint32_t gameTime_ = 0;
    uint32_t pacingBase_ = 0;
    uint16_t frameCount_ = 0;
    bool cursorLock_ = false;
    int32_t cursorKind_ = kCursorNormal;
    int32_t transitionState_ = kTransitionNone;
    int32_t transitionLevel_ = 255;
    Screen* nextScreen_ = nullptr;
    bool skipFirstTransitionStep_ = false;
    bool softwareCursor_ = false;
    bool softwareCursorDirty_ = true;
    bool systemArrowShown_ = false;
    bool softwareCursorDrawn_ = false;
    bool retesting_ = false;
    bool redrawWanted_ = false;
    Rect dirtyArea_;
    // Where the software cursor was drawn last.
    Rect softwareCursorRect_;
    bool stackChanged_ = false;
    DisplaySettings ownSettings_;
    DisplaySettings* settings_ = &ownSettings_;
    bool wideDisplay_ = false;
    bool direct3DAtStart_ = false;
};
