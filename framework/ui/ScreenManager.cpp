#include "framework/ui/ScreenManager.h"

#include <algorithm>

#include "framework/core/String.h"
#include "framework/gfx/FrameSize.h"
#include "framework/gfx/Image.h"
#include "framework/sound/SoundService.h"
#include "framework/ui/FrameClock.h"
#include "framework/ui/ManagerWindow.h"
#include "framework/ui/Screen.h"
#include "framework/ui/Widget.h"

namespace {

constexpr int32_t kSizeMinimised = 1;
constexpr int32_t kSizeMaxHide = 4;
constexpr uint32_t kPresentAtLeastEveryMs = 1000;
constexpr int32_t kCornerImageId = 53;
constexpr int32_t kPreloadedImages[] = {53, 70, 71, 73, 72, 74};

}  // namespace

ScreenManager::EventScope::EventScope(ScreenManager& manager) : manager_(manager) {
    ++manager_.eventDepth_;
}

ScreenManager::EventScope::~EventScope() {
    if (--manager_.eventDepth_ == 0) manager_.ReleaseClosedScreens();
}

ScreenManager::ScreenManager(DisplayDevice& display, FrameClock& clock, SoundService* sound)
    : display_(display), clock_(clock), sound_(sound) {}

ScreenManager::~ScreenManager() {
    if (running_) Stop();
    ClearScreens(false);
    delete nextScreen_;
    ReleaseClosedScreens();
}

uint32_t ScreenManager::Now() const {
    return clock_.Now();
}

bool ScreenManager::Start(ManagerWindow* window, bool fullScreen, uint32_t intervalMs) {
    interval_ = intervalMs;
    window_ = window;
    if (!window_ || !window_->HasHandle()) return false;
    lastTick_ = Now();
    int32_t result = ApplyDisplayMode(fullScreen, true);
    if (result < 0) {
        display_.ReportDirectXError(result);
        return false;
    }
    direct3DAtStart_ = display_.IsDirect3DInUse();
    softwareCursor_ = direct3DAtStart_;
    if (softwareCursor_) window_->SetSystemCursor(ManagerWindow::kNone);
    for (int32_t id : kPreloadedImages) display_.GetImage(id, ImageModule::Executable);
    if (sound_) sound_->Init();
    window_->StartFrameTimer(interval_);
    clockStart_ = pacingBase_ = Now();
    frameCount_ = 0;
    stopped_ = false;
    running_ = true;
    return true;
}

void ScreenManager::Stop() {
    display_.LeaveExclusiveMode();
    stopped_ = true;
    running_ = false;
    if (window_) window_->StopFrameTimer();
    ClearScreens(false);
    delete nextScreen_;
    nextScreen_ = nullptr;
    transitionState_ = kTransitionNone;
    transitionLevel_ = 255;
    if (sound_) sound_->Shutdown();
    dimming_.Clear();
    if (eventDepth_ == 0) ReleaseClosedScreens();
}

void ScreenManager::CloseAllScreens() {
    TellScreensOfClose();
    Stop();
}

void ScreenManager::TellScreensOfClose() {
    std::vector<Screen*> screens = stack_;
    for (Screen* screen : screens) screen->OnClose();
}

void ScreenManager::AttachScreen(Screen* screen) {
    stack_.push_back(screen);
    screen->Attach(this);
}

void ScreenManager::DeactivateTop(bool dim) {
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
        if ((*it)->IsFadingOut()) continue;
        (*it)->SetActive(false, dim);
        return;
    }
}

void ScreenManager::ClearCapture(bool notify) {
    Widget* widget = capture_;
    capture_ = nullptr;
    if (notify && widget) widget->OnCaptureLost();
}

void ScreenManager::ForgetHover() {
    hovered_ = nullptr;
}

void ScreenManager::PushScreen(Screen* screen, bool overlay, bool dimBelow, bool fadeIn) {
    if (!screen) return;
    if (!overlay) screen->SetOpaque(true);
    SetCursorKind(kCursorWait);
    ForgetHover();
    ClearCapture(true);
    DeactivateTop(dimBelow);
    AttachScreen(screen);
    if (fadeIn) {
        fading_.PushFrontUnique(screen);
        screen->SetFadeState(Screen::kFadeIn);
    }
    MarkRehitTest();
    MarkDirty();
}

void ScreenManager::ReplaceTopScreen(Screen* screen, bool popWithFade, bool pushWithFade) {
    if (!screen) return;
    SetCursorKind(kCursorWait);
    ForgetHover();
    ClearCapture(false);
    if (popWithFade) PopScreensFaded(1);
    else PopScreensNow(1);
    AttachScreen(screen);
    if (pushWithFade) {
        fading_.PushFrontUnique(screen);
        screen->SetFadeState(Screen::kFadeIn);
    }
    MarkRehitTest();
    MarkDirty();
}

Screen* ScreenManager::PopScreens(bool fade, int32_t count) {
    ClearCapture(false);
    ForgetHover();
    if (fade) PopScreensFaded(count);
    else PopScreensNow(count);
    Screen* top = nullptr;
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
        if (!(*it)->IsFadingOut()) {
            top = *it;
            break;
        }
    }
    if (top) top->SetActive(true, true);
    MarkDirty();
    return top;
}

Screen* ScreenManager::PopScreensNow(int32_t count) {
    int32_t done = 0;
    for (size_t i = stack_.size(); i-- > 0 && done < count;) {
        if (i >= stack_.size() || stack_[i]->IsFadingOut()) continue;
        CloseScreen(stack_[i], true);
        ++done;
    }
    for (auto it = stack_.rbegin(); it != stack_.rend(); ++it) {
        if (!(*it)->IsFadingOut()) return *it;
    }
    return nullptr;
}

void ScreenManager::PopScreensFaded(int32_t count) {
    int32_t done = 0;
    for (size_t i = stack_.size(); i-- > 0 && done < count;) {
        Screen* screen = stack_[i];
        if (screen->IsFadingOut()) continue;
        screen->SetActive(false, false);
        fading_.PushFrontUnique(screen);
        screen->SetFadeState(Screen::kFadeOut);
        ++done;
    }
}

void ScreenManager::CloseScreen(Screen* screen, bool notify) {
    if (!screen) return;
    auto it = std::find(stack_.begin(), stack_.end(), screen);
    if (it == stack_.end()) return;
    fading_.Remove(screen);
    dimming_.Remove(screen);
    if (notify) screen->OnClose();
    // OnClose may have changed the stack; find the screen again.
    it = std::find(stack_.begin(), stack_.end(), screen);
    if (it != stack_.end()) stack_.erase(it);
    screen->Withdraw();
    fading_.Remove(screen);
    dimming_.Remove(screen);
    closed_.push_back(screen);
    stackChanged_ = true;
}

void ScreenManager::ClearScreens(bool notify) {
    while (!stack_.empty()) CloseScreen(stack_.front(), notify);
}

void ScreenManager::ReleaseClosedScreens() {
    while (!closed_.empty()) {
        std::vector<Screen*> screens;
        screens.swap(closed_);
        for (Screen* screen : screens) delete screen;
    }
}

void ScreenManager::AddDimmingScreen(Screen* screen) {
    if (screen && std::find(stack_.begin(), stack_.end(), screen) != stack_.end()) {
        dimming_.PushFrontUnique(screen);
    }
}

void ScreenManager::BeginTransition(Screen* screen) {
    if (!screen) return;
    ClearCapture(false);
    ForgetHover();
    SetCursorKind(kCursorWait);
    DeactivateTop(false);
    // A transition begun while another waits replaces the waiting screen, which never ran.
    if (nextScreen_ && nextScreen_ != screen) delete nextScreen_;
    transitionState_ = kTransitionFadingOut;
    transitionLevel_ = 255;
    nextScreen_ = screen;
    MarkDirty();
}

void ScreenManager::SwitchTransitionScreen() {
    ClearScreens(true);
    Screen* screen = nextScreen_;
    nextScreen_ = nullptr;
    transitionState_ = kTransitionFadingIn;
    transitionLevel_ = 0;
    skipFirstTransitionStep_ = true;
    if (screen) {
        AttachScreen(screen);
        MarkRehitTest();
        screen->OnTransitionIn();
    }
}

void ScreenManager::EndTransition() {
    transitionState_ = kTransitionNone;
    if (Screen* top = GetTopScreen()) top->OnTransitionDone();
}

void ScreenManager::OnFrameTimer() {
    if (!IsRunning()) return;
    EventScope scope(*this);
    uint32_t now = Now();
    gameTime_ = now - clockStart_;
    Update(gameTime_, now - lastTick_);
    lastTick_ = now;
    Render();
    // Asked of the clock anew: a frame drawn above was presented after `now`, and the difference
    // from `now` would wrap round and present it a second time.
    if (Now() - lastPresent_ > kPresentAtLeastEveryMs) Present();

    // The schedule restarts at this frame's start when the 16-bit count wraps; this frame is
    // then the first of the new schedule and still ends one interval after it began.
    if (++frameCount_ == 0) {
        pacingBase_ = now;
        frameCount_ = 1;
    }
    uint32_t due = pacingBase_ + interval_ * frameCount_;
    uint32_t t = Now();
    if (static_cast<int32_t>(due - t) >= 0) {
        if (due != t) clock_.Sleep(due - t);
    } else {
        // Late: the schedule restarts when this frame ends. Restarting it at the frame's start
        // would leave the next frame late as well and run it early, right after this one.
        pacingBase_ = t;
        frameCount_ = 0;
    }
}

void ScreenManager::Update(uint32_t gameTime, uint32_t delta) {
    EventScope scope(*this);
    stackChanged_ = false;
    StepTransition(delta);
    if (!stackChanged_) StepDimming(delta);
    if (!stackChanged_) StepFading(delta);
    if (!stackChanged_) UpdateWidgets(gameTime);
}

void ScreenManager::StepTransition(uint32_t delta) {
    int32_t step = static_cast<int32_t>(delta / 3);
    switch (transitionState_) {
        case kTransitionFadingOut:
            transitionLevel_ -= step;
            if (transitionLevel_ < 1) {
                transitionLevel_ = 0;
                transitionState_ = kTransitionSwitching;
            }
            break;
        case kTransitionSwitching:
            SwitchTransitionScreen();
            break;
        case kTransitionFadingIn:
            if (skipFirstTransitionStep_) {
                skipFirstTransitionStep_ = false;
            } else {
                transitionLevel_ += step;
                if (transitionLevel_ >= 255) {
                    transitionLevel_ = 255;
                    EndTransition();
                }
            }
            break;
        default:
            return;
    }
    MarkDirty();
}

void ScreenManager::StepDimming(uint32_t delta) {
    int32_t step = static_cast<int32_t>(delta / 3);
    dimming_.ForEach([&](Screen* screen) {
        if (!screen->DimStep(step)) dimming_.Remove(screen);
        MarkDirty();
        return !stackChanged_;
    });
}

void ScreenManager::StepFading(uint32_t delta) {
    int32_t step = static_cast<int32_t>(delta * 3 / 5);
    fading_.ForEach([&](Screen* screen) {
        bool closed = false;
        if (!screen->FadeStep(step, closed)) {
            fading_.Remove(screen);
            if (closed) CloseScreen(screen, true);
        }
        MarkDirty();
        return !stackChanged_;
    });
}

void ScreenManager::UpdateWidgets(uint32_t gameTime) {
    updateList_.ForEach([&](Widget* widget) {
        if (widget->Tick(gameTime)) MarkDirty();
        return !stackChanged_;
    });
}

void ScreenManager::Pause(bool pause) {
    pauseCount_ += pause ? 1 : -1;
    stopped_ = pauseCount_ != 0;
    PauseClock(pause);
}

void ScreenManager::PauseClock(bool pause) {
    if (pause) {
        if (clockPauseCount_++ == 0) clockPauseStart_ = Now();
    } else if (clockPauseCount_ > 0 && --clockPauseCount_ == 0) {
        clockStart_ += Now() - clockPauseStart_;
    }
}

void ScreenManager::DrawStack() {
    if (transitionState_ == kTransitionSwitching || stack_.empty()) return;
    size_t first = 0;
    for (size_t i = stack_.size(); i-- > 0;) {
        if (stack_[i]->IsOpaque()) {
            first = i;
            break;
        }
    }
    std::vector<Screen*> screens(stack_.begin() + static_cast<std::ptrdiff_t>(first), stack_.end());
    for (Screen* screen : screens) screen->Draw();
}

void ScreenManager::CompleteFrame() {
    display_.EndFrame();
    display_.Present();
    lastPresent_ = Now();
}

void ScreenManager::MarkDirty(const Rect& area) {
    dirtyArea_ = Rect::Union(dirtyArea_, Rect::Intersect(area, Rect{0, 0, kFrameWidth, kFrameHeight}));
}

void ScreenManager::Render() {
    if (!IsRunning()) return;
    EventScope scope(*this);
    if (!IsRedrawWanted()) {
        if (!softwareCursor_) return;
        int32_t x = 0, y = 0;
        bool outside = IsCursorOutside(x, y);
        if ((softwareCursorDirty_ || (softwareCursorDrawn_ && outside)) &&
            display_.BeginFrame()) {
            DrawSoftwareCursor(true);
            CompleteFrame();
        }
        return;
    }
    if (!display_.BeginFrame()) return;
    // Asked after BeginFrame: a device made anew there wants the whole frame.
    const bool partial = !redrawWanted_;
    if (partial) {
        // The cursor's old place is drawn anew too, so no old cursor stays in the picture.
        Rect area = dirtyArea_;
        if (softwareCursor_ && softwareCursorDrawn_) area = Rect::Union(area, softwareCursorRect_);
        display_.ClipFrame(&area);
    }
    DrawStack();
    if (transitionState_ != kTransitionNone) {
        if (transitionLevel_ == 0) display_.FillFrameRect(nullptr, 0);
        else display_.BlendFrameRect(nullptr, 255 - transitionLevel_, 0);
    }
    if (display_.IsFullScreen()) {
        Rect covered;
        Image* corner = display_.GetImage(kCornerImageId, ImageModule::Executable);
        if (corner) display_.DrawImage(785, 4, corner, nullptr, 100, 100, 255, covered);
    }
    if (partial) display_.ClipFrame(nullptr);
    if (softwareCursor_) DrawSoftwareCursor(false);
    CompleteFrame();
    redrawWanted_ = false;
    dirtyArea_ = Rect{};
    if (retestPending_ && !retesting_) RetestPointer();
}

void ScreenManager::Present() {
    display_.Present();
    lastPresent_ = Now();
}

void ScreenManager::OnWindowSized(int32_t sizeType) {
    if (sizeType == kSizeMinimised || sizeType == kSizeMaxHide) {
        running_ = false;
        if (display_.IsFullScreen()) display_.LeaveExclusiveMode();
        if (!resumePending_) {
            resumePending_ = true;
            PauseClock(true);
        }
        return;
    }
    running_ = true;
    if (resumePending_) {
        resumePending_ = false;
        PauseClock(false);
    }
}

void ScreenManager::OnWindowMoved(int32_t x, int32_t y) {
    if (!display_.IsFullScreen()) display_.SetViewRect(x, y);
}

void ScreenManager::OnPaint() {
    if (IsRunning()) Present();
}

int32_t ScreenManager::ApplyDisplayMode(bool fullScreen, bool retryAllowed) {
    int32_t result = display_.SetMode(fullScreen, false);
    bool retry = retryAllowed ? settings_->hardwareAcceleration : display_.IsDirect3DInUse();
    if (result < 0 && fullScreen && retry) result = display_.SetMode(fullScreen, true);
    return result;
}

bool ScreenManager::SetFullscreen(bool on, bool apply) {
    if (display_.IsFullScreen() == on) return true;
    if (!on && display_.DesktopBitsPerPixel() < 16) return true;
    Pause(true);
    if (apply) {
        int32_t result = ApplyDisplayMode(on, false);
        if (result < 0) return FailModeChange(result);
    }
    return FinishModeChange();
}

bool ScreenManager::SetHardwareAcceleration(bool on) {
    if (!display_.IsCapable3D()) return false;
    if (settings_->hardwareAcceleration == on && display_.IsDirect3DInUse() == on) return true;
    settings_->hardwareAcceleration = on;
    Pause(true);
    int32_t result = ApplyDisplayMode(display_.IsFullScreen(), true);
    if (result < 0) {
        settings_->hardwareAcceleration = false;
        return FailModeChange(result);
    }
    return FinishModeChange();
}

bool ScreenManager::SetWideScreen(bool on) {
    if (settings_->wideScreen == on) return true;
    settings_->wideScreen = on;
    Pause(true);
    int32_t result = ApplyDisplayMode(display_.IsFullScreen(), false);
    if (result < 0) return FailModeChange(result);
    return FinishModeChange();
}

// The pause is undone here too: the quit that follows closes every screen through frames and
// handlers that must not find the manager stopped for good.
bool ScreenManager::FailModeChange(int32_t result) {
    display_.ReportDirectXError(result);
    if (window_) window_->RequestQuit();
    Pause(false);
    return false;
}

// A switch may come from outside the screen that shows the mode (Alt+Enter, Esc, the corner),
// so each screen is told; one closed by an earlier notice is not (closed screens are freed only
// when the outermost event ends, so the copy holds no freed one).
bool ScreenManager::FinishModeChange() {
    AdoptCursorForPath();
    Pause(false);
    const std::vector<Screen*> screens = stack_;
    for (Screen* screen : screens) {
        if (std::find(stack_.begin(), stack_.end(), screen) != stack_.end()) screen->OnDisplayModeChanged();
    }
    return true;
}

// A new mode may have moved drawing to the other path: the accelerated path draws the cursor into
// the frame, the software path leaves it to the window system. The device was made anew, so no
// cursor is drawn in it yet.
void ScreenManager::AdoptCursorForPath() {
    softwareCursor_ = display_.IsDirect3DInUse();
    softwareCursorDrawn_ = false;
    softwareCursorDirty_ = true;
    if (window_) {
        window_->SetSystemCursor(softwareCursor_ ? ManagerWindow::kNone
                                                 : (cursorKind_ >= kCursorNormal &&
                                                            cursorKind_ <= kCursorWait
                                                        ? cursorKind_
                                                        : kCursorNormal));
    }
    MarkDirty();
}

Image* ScreenManager::LoadImage(int32_t id) {
    Image* image = display_.GetImage(id, ImageModule::Assets);
    if (image) image->RestorePixels();
    return image;
}

bool ScreenManager::GetImageSize(int32_t id, int32_t& width, int32_t& height) {
    Image* image = display_.GetImage(id, ImageModule::Assets);
    width = image ? image->width : 0;
    height = image ? image->height : 0;
    return image != nullptr;
}

void ScreenManager::LoadSound(int32_t id, bool loop) {
    if (sound_) sound_->LoadSound(id, loop);
}

void ScreenManager::UnloadSound(int32_t id) {
    if (sound_) sound_->UnloadSound(id);
}

bool ScreenManager::GetClipboardText(String& text) {
    std::string held;
    if (!window_ || !window_->GetClipboardText(held) || held.empty()) return false;
    text = held.c_str();
    return true;
}

bool ScreenManager::SetClipboardText(const String& text) {
    return window_ && window_->SetClipboardText(std::string_view(text.CStr(), text.Length()));
}

uint32_t ScreenManager::GetKeyState() const {
    return window_ ? window_->GetKeyState() : 0;
}

void ScreenManager::PlaySound(int32_t id) {
    if (sound_) sound_->PlaySound(id);
}

void ScreenManager::StopSound(int32_t id) {
    if (sound_) sound_->StopSound(id);
}

void ScreenManager::StopAllSoundsExcept(int32_t id) {
    if (sound_) sound_->StopAllSoundsExcept(id);
}

void ScreenManager::PauseSounds(bool pause, bool loopingOnly, int32_t exceptId) {
    if (sound_) sound_->PauseSounds(pause, loopingOnly, exceptId);
}

void ScreenManager::LoadMusic(int32_t id) {
    if (sound_) sound_->LoadMusic(id);
}

void ScreenManager::PlayMusic(int32_t id, bool forceRestart, int32_t fadeInMs,
                              int32_t startOrder) {
    if (sound_) sound_->PlayMusic(id, forceRestart, fadeInMs, startOrder);
}

void ScreenManager::PauseMusic(bool pause) {
    if (sound_) sound_->PauseMusic(pause);
}

void ScreenManager::SetMusicSync(int32_t rows, int32_t order) {
    if (sound_) sound_->SetMusicJump(rows, order);
}

void ScreenManager::SetAudioSettings(const AudioSettings& audio) {
    audio_ = audio;
    SetMusicVolume(audio.musicVolume);
    SetSoundVolume(audio.soundVolume);
}

void ScreenManager::SetSoundVolume(int32_t volume) {
    audio_.soundVolume = std::clamp(volume, 0, 100);
    if (sound_) sound_->SetSoundVolume(audio_.soundsOn ? audio_.soundVolume : 0);
}

void ScreenManager::SetMusicVolume(int32_t volume) {
    audio_.musicVolume = std::clamp(volume, 0, 100);
    if (sound_) sound_->SetMusicVolume(audio_.musicOn ? audio_.musicVolume : 0);
}

void ScreenManager::SlideMusicVolume(int32_t percent, int32_t milliseconds) {
    if (sound_ && audio_.musicOn) sound_->FadeMusicTo(percent, milliseconds);
}
